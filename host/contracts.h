// What each operation reads from a script's arguments: its parameter names,
// the keys of its bags, the positions of its positional arrays and the fields
// of its data sets. One table (contracts_table.cpp), keyed by operation name,
// serves both `ecfhost describe` and the check that refuses a call before it
// reaches the package, so the two cannot disagree.
//
// An operation without an entry still runs: the dispatcher converts its
// arguments by parameter kind only, and `describe` shows only those kinds.
#ifndef ECFHOST_CONTRACTS_H_
#define ECFHOST_CONTRACTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "json_values.h"

namespace ecfhost {

// The kind of value a key, position or field must convert to. The check uses
// the package's own variant conversions, so "text" also takes a number and
// "number" a text such as "18", as the package does.
enum class ValueKind {
  kText,
  kNumberText,  // a text holding a number ("18", "12,5"); blank reads as zero
  kInteger,
  kNumber,
  kBoolean,
  kDateTime,
  kDataSet,
  kAny
};

const char* ValueKindName(ValueKind kind);

// What a text names on disk. The service keeps these inside the host folder
// (confinement.cpp); a script run by the operator is not narrowed.
enum class PathKind {
  kNone,
  kFile,        // a file the package reads or writes; relative to the working folder
  kHostFolder,  // a folder under the host folder, joined to it
  kNamePart,    // a piece of a file name the package builds: no folder in it
};

// A data-set field: what it means to the operation and, for an amount, its
// unit ("R$", "%", ...).
struct FieldRule {
  std::string name;
  ValueKind kind;
  std::string meaning = "";
  std::string unit = "";
  // Read only on some paths of the operation: described, never demanded.
  bool optional = false;
  PathKind path = PathKind::kNone;
};

struct KeyRule {
  std::string key;
  ValueKind kind;
  bool required;  // refused when absent, unless the script is lenient
  std::string meaning;
  std::string unit = "";
};

struct PositionRule {
  int index;
  ValueKind kind;
  std::string meaning;
  std::vector<FieldRule> fields;  // for a data-set position: the fields read
  PathKind path = PathKind::kNone;
};

struct ParameterRule {
  std::string name;
  std::string meaning;
  std::vector<KeyRule> keys;            // a parameter bag
  bool otherKeysAllowed = false;        // the operation ignores the bag's values
  std::vector<PositionRule> positions;  // a positional array
  int minimumSize = 0;                  // elements a result array must have
  std::vector<FieldRule> fields;        // a data set the operation reads
  bool fieldsOptional = false;          // a set with no fields at all is not read
  bool readWithRowsOnly = false;        // an empty set is not read, whatever its fields
  PathKind path = PathKind::kNone;      // a text parameter that names a file
};

struct Contract {
  std::string op;
  std::string summary;
  bool talksToPrinter = true;  // needs a started session
  std::vector<ParameterRule> parameters;
  // Not empty: a false result is the package's answer, not a failure (the
  // operator's choice, a state asked about); the text says what it means.
  std::string falseMeans = "";
};

// The contract of `op`, or nullptr when the table has none.
const Contract* FindContract(std::string_view op);
// Every contract, in table order.
const std::vector<Contract>& Contracts();

// Refuses (ArgumentError naming the parameter, key, position or field) the
// arguments of a call that do not satisfy the contract: a bag key the
// operation does not read (with the nearest known key), a required key
// absent, a value the package's own variant conversions cannot take, a data
// set without a field the operation reads, a result array too short. A value
// the package converts from another form (a number where it reads a text)
// is taken, with a line in `warnings` saying what the package reads. With
// `lenient` nothing is refused: each problem becomes a warning instead.
void CheckArguments(const Contract& contract, const Json& args, bool lenient,
                    std::vector<std::string>* warnings = nullptr);

// The element at `index` of a positional-array argument (a list,
// {"array"} or {"positions"}), or nullptr.
const Json* PositionalElement(const Json& array, int index);

// Refuses (ArgumentError) a call whose file paths, as the contract marks
// them, do not lie inside `folder` (confinement.cpp).
void CheckConfined(const Contract& contract, const Json& args, const std::string& folder);
// Whether a path (as the package takes it: backslashes allowed, relative to
// the working folder) resolves to `folder` or a place inside it; symbolic
// links are followed as far as the path exists.
bool IsInsideFolder(const std::string& path, const std::string& folder);
// The same as a check: ArgumentError naming `what` when it does not.
void CheckInsideFolder(const std::string& path, const std::string& folder, const std::string& what);

}  // namespace ecfhost

#endif  // ECFHOST_CONTRACTS_H_
