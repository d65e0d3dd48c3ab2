// Till-day cases kept as data (tests/e2e/cases, described in its README.md):
// reading a case file with its fragments and tokens, and matching what a run
// left against what the case expects.
#ifndef TOV00300_TESTS_E2E_CASE_DATA_H_
#define TOV00300_TESTS_E2E_CASE_DATA_H_

#include <map>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

namespace e2e::cases {

using Json = nlohmann::ordered_json;

// A mistake in a case file: the message names where it is.
class CaseError : public std::runtime_error {
 public:
  explicit CaseError(const std::string& what) : std::runtime_error(what) {}
};

// The named values a case may refer to with {"$ref": NAME} and
// {"$spread": NAME}, looked up in order: the case's own "fragments", those of
// its folder (fragments.json), the shared ones (cases/fragments.json).
struct Fragments {
  std::vector<const Json*> scopes;
  const Json& Find(const std::string& name) const;
};

// The fragments the package's own tables define, looked up after the shared
// ones: `product_fields`, the fields of the products-sold data set.
const Json& PackageFragments();

// Replaces {"$ref"}, {"$spread"}, {"$repeat"} and {"$concat"} everywhere in
// `value`.
Json Expand(const Json& value, const Fragments& fragments);

// Replaces ${NAME} in every text and key: the values given, and
// ${DATE:FORMAT} / ${DATE-N:FORMAT} / ${DATE+N:FORMAT} (today's date, or N
// days away, in strftime's FORMAT). Inside a {"$regex": ...} pattern the
// values are taken literally.
Json Substitute(const Json& value, const std::map<std::string, std::string>& tokens);

// Whether `actual` is what `expected` describes (the forms of the README).
// Each mismatch adds a line to `why` naming where it is, below `path`.
bool Match(const Json& expected, const Json& actual, const std::string& path,
           std::vector<std::string>* why);

// The JSON of a case file, or of a fragments file.
Json ReadCaseFile(const std::string& path);

// The fragment NAME of cases/FOLDER/fragments.json (or of the shared
// fragments), expanded and with these tokens replaced: fixed data that a test
// written in C++ shares with the cases.
Json CaseFragment(const std::string& folder, const std::string& name,
                  const std::map<std::string, std::string>& tokens);

// `value` as one line of JSON, cut to `limit` bytes (texts that are not
// UTF-8 are shown with replacement characters).
std::string Show(const Json& value, size_t limit = 600);

}  // namespace e2e::cases

#endif  // TOV00300_TESTS_E2E_CASE_DATA_H_
