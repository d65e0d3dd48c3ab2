// Filter expressions of the data set: comparisons of fields and constants
// joined with AND, OR and NOT, with parentheses.
//
//   NM = 'x'   NM <> 'x'   VR > 1.5   QT >= 10   ID = 'S' AND (VR < 0 OR VR > 100)
//   NM = 'AB*' (a trailing '*' in a text constant compares the beginning)
//   NM IS NULL   NM IS NOT NULL   [FIELD NAME] = 'x'
//
// Text comparisons are case-sensitive; a Null field compares as "" with
// text and fails every comparison with a number.
#ifndef TOV00300_RUNTIME_FILTER_EXPR_H_
#define TOV00300_RUNTIME_FILTER_EXPR_H_

#include <memory>
#include <string>
#include <vector>

#include "tov00300/dataset.h"

namespace Tov00300 {

class FilterExpr {
 public:
  // Throws DataSetError naming the data set, the expression and the place
  // of the fault.
  static std::unique_ptr<FilterExpr> Parse(const std::string& text, const std::string& dataSet);
  // Resolves field names against the open structure; throws DataSetError
  // for an unknown field.
  void Bind(const std::vector<FieldDef>& fields, const std::string& dataSet);
  // `row` holds one value per field.
  bool Matches(const Variant* row) const;

  struct Operand {
    enum class Kind { Field, Text, Number, Bool, Null } kind = Kind::Null;
    std::string text;  // field name or text constant
    double number = 0;
    int field = -1;
    FieldType fieldType = FieldType::String;
  };
  struct Node {
    enum class Kind { And, Or, Not, Compare, IsNull, Truth } kind = Kind::Truth;
    std::string op;             // "=", "<>", "<", ">", "<=", ">=" for Compare
    bool negate = false;        // IS NOT NULL
    int left = -1, right = -1;  // child nodes of And/Or/Not
    Operand a, b;
  };

 private:
  std::vector<Node> nodes_;
  int root_ = -1;
  bool Eval(int node, const Variant* row) const;
};

}  // namespace Tov00300

#endif  // TOV00300_RUNTIME_FILTER_EXPR_H_
