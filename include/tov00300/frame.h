// The package frame's own operations: the debug log, the driver folder kept
// in the registry, a text-to-pointer helper, and the load and unload steps.
#ifndef TOV00300_FRAME_H_
#define TOV00300_FRAME_H_

#include <string>

#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// Appends one entry to this month's debug log, "impdebug" + MMYY + ".txt" in
// the host folder: the date (short date format), a blank, the time (long time
// format), " - ", the text and CR LF. The text may itself hold CR LF, so an
// entry can span lines; an empty text still makes an entry. The file is
// created when missing. The log is always written; a file error is thrown to
// the caller as std::runtime_error naming the path.
void ImpFisDebug(const std::string& texto);

// The value "Path" of the registry key "Software\DARUMA\ECF" (local-machine
// root), or "" when the value is absent. The key is created when missing.
std::string BuscaDiretorio();

// The text's characters followed by a zero byte. The pointer stays valid
// while `texto` lives and is not modified; an empty text gives "".
const char* StrToPChar(const std::string& texto);

// The load step: DsDirCad becomes the host folder in short form with a
// trailing separator, DsDirDrive the drive root. Runs when the package is
// loaded; calling it again recomputes both from the current environment.
void Initialize();
// The unload step: clears every exported text. Runs when the package is
// unloaded; calling it more than once is harmless. Neither step touches the
// driver library or the data module.
void Finalize();

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_FRAME_H_
