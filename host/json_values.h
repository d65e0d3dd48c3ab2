// Conversions between the script's JSON and the package's runtime values.
//
// Scripts are UTF-8; the package works in Windows-1252. Every text crossing
// this seam is converted: UTF-8 -> CP1252 on the way in, back on the way out.
// The forms (shared by input and output, so a printed argument can be pasted
// back into a script):
//   null                         Null variant
//   {"empty": true}              Empty variant (a missing position)
//   true, 12, 1.5, "text"        plain values
//   [ ... ] / {"array": [...]}   variant array
//   {"bag": {"KEY": value}}      parameter bag (pairs in the object's order)
//   {"strings": ["a", "b"]}      string list
//   {"rows": [...], "fields": [["NAME", "string", 40], ["VR", "float"]]}
//                                data set or data packet
//   {"datetime": "YYYY-MM-DDTHH:MM:SS"}
//   {"positions": {"1": v, ...}, "size": n}  positional array, others empty
//   {"size": n}                  array of n empty elements (a result array)
#ifndef ECFHOST_JSON_VALUES_H_
#define ECFHOST_JSON_VALUES_H_

#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

#include "tov00300/dataset.h"
#include "tov00300/datetime.h"
#include "tov00300/stringlist.h"
#include "tov00300/variant.h"

namespace ecfhost {

using Json = nlohmann::ordered_json;

// A value in the script that does not fit the parameter it is given for.
// The text says what was expected and what was found; the caller adds the
// call's index and the argument's position.
class ArgumentError : public std::runtime_error {
 public:
  explicit ArgumentError(const std::string& what) : std::runtime_error(what) {}
};

// True for an object that holds the form's key ({"bag": ...}, {"rows": ...}).
inline bool IsForm(const Json& j, const char* key) {
  return j.is_object() && j.contains(key);
}

// Deeper nesting than this is refused when a script or request is parsed: a
// till script nests a few levels (calls, arguments, bags, rows), and the
// limit keeps every later walk over the values (conversion, printing) far
// from the end of the stack.
constexpr int kMaxJsonDepth = 64;

// Parses a script or a service request. Throws ArgumentError ("not valid
// JSON: ...") for a syntax error, a number no double holds (1e400) and
// values nested deeper than kMaxJsonDepth.
Json ParseJson(const std::string& text);

// A short name of a JSON value's kind for error texts ("a number", "a text").
std::string DescribeJson(const Json& j);

// Text: UTF-8 script text -> CP1252 package text, and back.
std::string TextIn(const Json& j);  // throws ArgumentError unless j is a string
Json TextOut(const std::string& cp1252);

// Date-times: "YYYY-MM-DD", "YYYY-MM-DDTHH:MM:SS" or {"datetime": ...}.
Tov00300::DateTime DateTimeIn(const Json& j);
std::string DateTimeText(Tov00300::DateTime value);
Json DateTimeOut(Tov00300::DateTime value);

// Any form above as a Variant (a data-set form becomes a data packet).
Tov00300::Variant VariantIn(const Json& j);
// A Variant in the forms above; an array of (text, value) pairs with
// distinct keys prints as a bag.
Json VariantOut(const Tov00300::Variant& v);

// Variant arrays: a JSON array, {"array"}, {"positions"} or {"size"}.
Tov00300::VariantArray VariantArrayIn(const Json& j);
Json VariantArrayOut(const Tov00300::VariantArray& a);

// Data sets: {"rows": [...], "fields": [...]}; without "fields" the field
// list comes from the rows (names in order of first use, types from values).
Tov00300::DataPacket DataPacketIn(const Json& j);
Json DataPacketOut(const Tov00300::DataPacket& p);
// The set's content after a call, with its active filter when there is one.
Json DataSetOut(const Tov00300::DataSet& ds);

Tov00300::StringList StringListIn(const Json& j);
Json StringListOut(const Tov00300::StringList& list);

}  // namespace ecfhost

#endif  // ECFHOST_JSON_VALUES_H_
