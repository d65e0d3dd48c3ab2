// What the legal-file operations share: where the driver writes its files,
// where the host wants them, the range texts the driver takes, and how a
// driver file is put in place.
#ifndef TOV00300_SRC_LEGAL_LEGAL_FILES_H_
#define TOV00300_SRC_LEGAL_LEGAL_FILES_H_

#include <string>

namespace Tov00300::legal {

// The driver's file folder, the registry value LocalArquivos of
// "Software\DarumaFramework" (key created when missing); "" when absent. It
// ends with a separator: file names are appended to it.
std::string DriverFolderFromRegistry();
// The same folder as the driver reports it (regRetornaValorChave, product
// "START"), without surrounding blanks, control characters and NULs. The raw
// reply goes to the debug log. "" when the driver does not give it: file
// names must then not be taken as relative to the working folder.
std::string DriverFolderFromDriver();
// Tells the operator, and the debug log, why the driver gave no folder: a
// folder longer than the driver's 100-character reply, as the registry
// names it, or no answer at all. `scheme` is the colour scheme.
void ReportNoDriverFolder(const std::string& scheme);

// DsDirCad + "Dados\MenuFiscal\".
std::string MenuFolder();

// A date DD/MM/YYYY without its two separators (the characters at positions
// 3 and 6): DDMMYYYY, or DDMMYY from DD/MM/YY.
std::string DateWithoutSeparators(const std::string& date);

// Moves the driver's file to `target` and answers whether it is there now.
// The source name is found regardless of letter case; an existing target is
// never replaced (a second file in the same second fails).
bool MoveIntoPlace(const std::string& source, const std::string& target);
// Copies the driver's file over `target` (found regardless of case as above).
bool CopyIntoPlace(const std::string& source, const std::string& target);

// MoveIntoPlace and CopyIntoPlace for a file that gets the EAD record: the
// file is put under a temporary name beside `target`, signed there (geraEad)
// and only then given its name, so a till killed on the way never leaves an
// unsigned file under the name the host hands out. A signature that fails
// leaves the file unsigned, as geraEad does. True when the file is at
// `target`.
bool MoveIntoPlaceSigned(const std::string& source, const std::string& target);
bool CopyIntoPlaceSigned(const std::string& source, const std::string& target);

}  // namespace Tov00300::legal

#endif  // TOV00300_SRC_LEGAL_LEGAL_FILES_H_
