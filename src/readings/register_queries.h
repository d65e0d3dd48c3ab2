// Register queries the package uses internally that are not part of the C++
// host's view, and the reads under operations of the layers above.
#ifndef TOV00300_READINGS_REGISTER_QUERIES_H_
#define TOV00300_READINGS_REGISTER_QUERIES_H_

#include <string>

namespace Tov00300 {

// Number of the next Z reduction: register 24 plus one, four digits; "0000"
// for a blank reply. Always true; throws ConversionError for a reply that is
// not an integer. Exported under its plain name only, so the C++ name stays
// inside the package.
__attribute__((visibility("hidden"))) bool BuscaNReducoes(const std::string& stEsquema,
                                                          std::string& reductionsText);

namespace readings {

// The printer's total of surcharges (register 12) into `total`, as the
// printer wrote it, judged without a dialog and with warning 1 reported;
// inRetorno keeps the code of the caller's last command. True when the
// analysis accepts the read. Acrescimo_Imp answers this to the host.
bool SurchargeTotal(const std::string& stEsquema, std::string& total);

}  // namespace readings

}  // namespace Tov00300

#endif  // TOV00300_READINGS_REGISTER_QUERIES_H_
