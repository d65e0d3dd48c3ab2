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

struct FieldRule {
  std::string name;
  ValueKind kind;
};

struct KeyRule {
  std::string key;
  ValueKind kind;
  bool required;  // refused when absent, unless the script is lenient
  std::string meaning;
};

struct PositionRule {
  int index;
  ValueKind kind;
  std::string meaning;
  std::vector<FieldRule> fields;  // for a data-set position: the fields read
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
};

struct Contract {
  std::string op;
  std::string summary;
  bool talksToPrinter = true;  // needs a started session
  std::vector<ParameterRule> parameters;
};

// The contract of `op`, or nullptr when the table has none.
const Contract* FindContract(std::string_view op);
// Every contract, in table order.
const std::vector<Contract>& Contracts();

// Refuses (ArgumentError naming the parameter, key, position or field) the
// arguments of a call that do not satisfy the contract: a bag key the
// operation does not read (with the nearest known key), a required key
// absent, a value that does not convert to its kind, a data set without a
// field the operation reads, a result array too short. With `lenient`,
// absent and unknown bag keys and the fields of data sets are left to the
// package's own rules; kinds are still checked.
void CheckArguments(const Contract& contract, const Json& args, bool lenient);

}  // namespace ecfhost

#endif  // ECFHOST_CONTRACTS_H_
