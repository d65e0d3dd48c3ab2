// What a case looks at besides ecfhost's records and output, and the setup
// steps that write files before a run (tests/e2e/cases/README.md).
#ifndef TOV00300_TESTS_E2E_CASE_VIEWS_H_
#define TOV00300_TESTS_E2E_CASE_VIEWS_H_

#include <string>
#include <vector>

#include "case_data.h"

namespace e2e::cases {

// `path` itself when absolute, else inside `folder`.
std::string InFolder(const std::string& folder, const std::string& path);

// The files and folders whose names match the pattern's last part (* and ?),
// in name order: name, path, folder; and, when the expectation asks for
// them, text, signed (ead-verify accepts it) and tamper_evident (it stops
// verifying when one byte changes).
Json FilesMatching(const std::string& hostDir, const std::string& pattern, const Json& expected);

// The expectation with every {"$file": PATH} replaced by that file's bytes.
Json WithFileTexts(const Json& expected, const std::string& hostDir, std::vector<std::string>* why);

// The rows of the document register (documentos.db), every column as text.
Json DocumentRegister(const std::string& hostDir);

// The rows of a grand-total control file, CAMPO02 unscrambled; null when
// there is no such file.
Json ControlFileRows(const std::string& path);

// One setup step: copy, write, mkdir, remove or control_file.
void PrepareFiles(const Json& step, const std::string& hostDir);

}  // namespace e2e::cases

#endif  // TOV00300_TESTS_E2E_CASE_VIEWS_H_
