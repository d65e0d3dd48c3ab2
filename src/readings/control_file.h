// The grand-total control file shared by the grand-total update and the PAF
// identification print, and the scrambling key of the values stored in it.
#ifndef TOV00300_READINGS_CONTROL_FILE_H_
#define TOV00300_READINGS_CONTROL_FILE_H_

#include <string>

namespace Tov00300 {

// The package's fixed key for hostlib::Cripto and hostlib::Uncripto. Every
// scrambled value the package stores or reads uses it; changing it makes the
// values already stored unreadable.
inline constexpr int kScrambleKey = 300172;

// DsDirCad + "Brindal.cds".
std::string ControlFilePath();
// DsDirCad + "mor" + stAtuCaixa + stAtuFili + ".cds": the older name of the
// control file, read only when Brindal.cds does not exist.
std::string FallbackControlFilePath();

}  // namespace Tov00300

#endif  // TOV00300_READINGS_CONTROL_FILE_H_
