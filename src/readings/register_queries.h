// Register queries the package uses internally that are not part of the C++
// host's view.
#ifndef TOV00300_READINGS_REGISTER_QUERIES_H_
#define TOV00300_READINGS_REGISTER_QUERIES_H_

#include <string>

namespace Tov00300 {

// Number of the next Z reduction: register 24 plus one, four digits; "0000"
// for a blank reply. Always true; throws ConversionError for a reply that is
// not an integer. Exported under its plain name only, so the C++ name stays
// inside the package.
__attribute__((visibility("hidden"))) bool BuscaNReducoes(const std::string& stEsquema,
                                                          std::string& stNReducoes);

}  // namespace Tov00300

#endif  // TOV00300_READINGS_REGISTER_QUERIES_H_
