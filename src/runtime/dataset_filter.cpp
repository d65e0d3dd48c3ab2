// Filter expressions: parsing and evaluation.
#include <cctype>
#include <cmath>

#include "filter_expr.h"
#include "tov00300/format.h"

namespace Tov00300 {

namespace {

struct Token {
  enum class Kind { End, Name, Text, Number, Op, LParen, RParen } kind = Kind::End;
  std::string text;
  size_t at = 0;
};

class Parser {
 public:
  Parser(const std::string& text, const std::string& dataSet, std::vector<FilterExpr::Node>& nodes)
      : s_(text), dataSet_(dataSet), nodes_(nodes) {
    Advance();
  }

  int ParseAll() {
    const int root = ParseOr();
    if (tok_.kind != Token::Kind::End) Fail("unexpected '" + tok_.text + "'");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw DataSetError("Invalid filter on " + (dataSet_.empty() ? "data set" : dataSet_) + ": " +
                       what + " at position " + std::to_string(tok_.at + 1) + " of \"" + s_ + "\"");
  }

  bool IsKeyword(const char* word) const {
    return tok_.kind == Token::Kind::Name && SameText(tok_.text, word);
  }

  void Advance() {
    while (pos_ < s_.size() && static_cast<unsigned char>(s_[pos_]) <= ' ') ++pos_;
    tok_ = Token{};
    tok_.at = pos_;
    if (pos_ >= s_.size()) return;
    const char c = s_[pos_];
    const auto isNameChar = [](char ch) {
      return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_' ||
             static_cast<unsigned char>(ch) >= 0x80;
    };
    if (c == '\'' || c == '"') {
      tok_.kind = Token::Kind::Text;
      ++pos_;
      for (;;) {
        if (pos_ >= s_.size()) Fail("unterminated text constant");
        if (s_[pos_] == c) {
          if (pos_ + 1 < s_.size() && s_[pos_ + 1] == c) {  // doubled quote
            tok_.text += c;
            pos_ += 2;
            continue;
          }
          ++pos_;
          break;
        }
        tok_.text += s_[pos_++];
      }
    } else if (c == '[') {
      const size_t end = s_.find(']', pos_);
      if (end == std::string::npos) Fail("unterminated field name");
      tok_.kind = Token::Kind::Name;
      tok_.text = s_.substr(pos_ + 1, end - pos_ - 1);
      tok_.at = pos_ + 1;  // bracketed names are never keywords
      quotedName_ = true;
      pos_ = end + 1;
      return;
    } else if (std::isdigit(static_cast<unsigned char>(c)) ||
               ((c == '.' || c == '-') && pos_ + 1 < s_.size() &&
                (std::isdigit(static_cast<unsigned char>(s_[pos_ + 1])) || s_[pos_ + 1] == '.'))) {
      tok_.kind = Token::Kind::Number;
      size_t end = pos_ + 1;
      while (end < s_.size() &&
             (std::isdigit(static_cast<unsigned char>(s_[end])) || s_[end] == '.')) {
        ++end;
      }
      tok_.text = s_.substr(pos_, end - pos_);
      pos_ = end;
    } else if (isNameChar(c)) {
      tok_.kind = Token::Kind::Name;
      size_t end = pos_;
      while (end < s_.size() && isNameChar(s_[end])) ++end;
      tok_.text = s_.substr(pos_, end - pos_);
      pos_ = end;
    } else if (c == '(' || c == ')') {
      tok_.kind = c == '(' ? Token::Kind::LParen : Token::Kind::RParen;
      tok_.text = std::string(1, c);
      ++pos_;
    } else if (c == '=' || c == '<' || c == '>' || c == '!') {
      tok_.kind = Token::Kind::Op;
      std::string op(1, c);
      if (pos_ + 1 < s_.size() && (s_[pos_ + 1] == '=' || (c == '<' && s_[pos_ + 1] == '>'))) {
        op += s_[pos_ + 1];
      }
      tok_.text = op;
      if (op == "!") Fail("unexpected '!'");
      pos_ += op.size();
      if (op == "!=") tok_.text = "<>";
      if (op == "==") tok_.text = "=";
    } else {
      tok_.text = std::string(1, c);
      Fail("unexpected '" + tok_.text + "'");
    }
    quotedName_ = false;
  }

  int Add(FilterExpr::Node node) {
    nodes_.push_back(std::move(node));
    return static_cast<int>(nodes_.size()) - 1;
  }

  int ParseOr() {
    int left = ParseAnd();
    while (IsKeyword("OR") && !quotedName_) {
      Advance();
      FilterExpr::Node n;
      n.kind = FilterExpr::Node::Kind::Or;
      n.left = left;
      n.right = ParseAnd();
      left = Add(std::move(n));
    }
    return left;
  }

  int ParseAnd() {
    int left = ParseNot();
    while (IsKeyword("AND") && !quotedName_) {
      Advance();
      FilterExpr::Node n;
      n.kind = FilterExpr::Node::Kind::And;
      n.left = left;
      n.right = ParseNot();
      left = Add(std::move(n));
    }
    return left;
  }

  int ParseNot() {
    if (IsKeyword("NOT") && !quotedName_) {
      Advance();
      FilterExpr::Node n;
      n.kind = FilterExpr::Node::Kind::Not;
      n.left = ParseNot();
      return Add(std::move(n));
    }
    return ParsePrimary();
  }

  FilterExpr::Operand ParseOperand() {
    FilterExpr::Operand o;
    switch (tok_.kind) {
      case Token::Kind::Text:
        o.kind = FilterExpr::Operand::Kind::Text;
        o.text = tok_.text;
        break;
      case Token::Kind::Number: {
        o.kind = FilterExpr::Operand::Kind::Number;
        o.text = tok_.text;
        // A number in the expression is written with '.', whatever the settings.
        double v = 0;
        if (!TryFixedToFloat(tok_.text, v)) Fail("bad number '" + tok_.text + "'");
        o.number = v;
        break;
      }
      case Token::Kind::Name:
        if (!quotedName_ && SameText(tok_.text, "NULL")) {
          o.kind = FilterExpr::Operand::Kind::Null;
        } else if (!quotedName_ && (SameText(tok_.text, "TRUE") || SameText(tok_.text, "FALSE"))) {
          o.kind = FilterExpr::Operand::Kind::Bool;
          o.number = SameText(tok_.text, "TRUE") ? 1 : 0;
        } else if (!quotedName_ && (SameText(tok_.text, "AND") || SameText(tok_.text, "OR") ||
                                    SameText(tok_.text, "NOT") || SameText(tok_.text, "IS"))) {
          Fail("unexpected '" + tok_.text + "'");
        } else {
          o.kind = FilterExpr::Operand::Kind::Field;
          o.text = tok_.text;
        }
        break;
      case Token::Kind::End:
        Fail("expression ends too early");
      default:
        Fail("unexpected '" + tok_.text + "'");
    }
    Advance();
    return o;
  }

  int ParsePrimary() {
    if (tok_.kind == Token::Kind::LParen) {
      Advance();
      const int inner = ParseOr();
      if (tok_.kind != Token::Kind::RParen) Fail("missing ')'");
      Advance();
      return inner;
    }
    FilterExpr::Node n;
    n.a = ParseOperand();
    if (IsKeyword("IS") && !quotedName_) {
      Advance();
      n.kind = FilterExpr::Node::Kind::IsNull;
      if (IsKeyword("NOT") && !quotedName_) {
        n.negate = true;
        Advance();
      }
      if (!IsKeyword("NULL") || quotedName_) Fail("NULL expected");
      Advance();
      return Add(std::move(n));
    }
    if (tok_.kind == Token::Kind::Op) {
      n.kind = FilterExpr::Node::Kind::Compare;
      n.op = tok_.text;
      Advance();
      n.b = ParseOperand();
      return Add(std::move(n));
    }
    // A lone operand is a condition of its own (a boolean field, TRUE).
    if (n.a.kind == FilterExpr::Operand::Kind::Text ||
        n.a.kind == FilterExpr::Operand::Kind::Null) {
      Fail("comparison expected");
    }
    n.kind = FilterExpr::Node::Kind::Truth;
    return Add(std::move(n));
  }

  const std::string& s_;
  const std::string& dataSet_;
  std::vector<FilterExpr::Node>& nodes_;
  size_t pos_ = 0;
  Token tok_;
  bool quotedName_ = false;
};

bool Compare(int cmp, const std::string& op) {
  if (op == "=") return cmp == 0;
  if (op == "<>") return cmp != 0;
  if (op == "<") return cmp < 0;
  if (op == ">") return cmp > 0;
  if (op == "<=") return cmp <= 0;
  return cmp >= 0;
}

bool IsText(const FilterExpr::Operand& o) {
  return o.kind == FilterExpr::Operand::Kind::Text ||
         (o.kind == FilterExpr::Operand::Kind::Field && o.fieldType == FieldType::String);
}

const Variant& ValueOf(const FilterExpr::Operand& o, const Variant* row) {
  static const Variant kNull = Variant::Null();
  return o.kind == FilterExpr::Operand::Kind::Field ? row[o.field] : kNull;
}

bool IsNullOperand(const FilterExpr::Operand& o, const Variant* row) {
  return o.kind == FilterExpr::Operand::Kind::Null ||
         (o.kind == FilterExpr::Operand::Kind::Field && row[o.field].IsNull());
}

// The operand as a number; false when it has none (Null, a text that is not a number).
bool NumberOf(const FilterExpr::Operand& o, const Variant* row, bool dateContext, double& out) {
  switch (o.kind) {
    case FilterExpr::Operand::Kind::Number:
    case FilterExpr::Operand::Kind::Bool:
      out = o.number;
      return true;
    case FilterExpr::Operand::Kind::Null:
      return false;
    case FilterExpr::Operand::Kind::Text:
      if (dateContext) {
        try {
          out = StrToDateTime(o.text).value;
          return true;
        } catch (const ConversionError&) {
          return false;
        }
      }
      return TryStrToFloat(o.text, out);
    case FilterExpr::Operand::Kind::Field: {
      const Variant& v = row[o.field];
      if (v.IsNull()) return false;
      if (o.fieldType == FieldType::Boolean) {
        out = v.AsBool() ? 1 : 0;
        return true;
      }
      if (o.fieldType == FieldType::String) return TryStrToFloat(*v.IfString(), out);
      out = v.AsDouble();
      return true;
    }
  }
  return false;
}

}  // namespace

std::unique_ptr<FilterExpr> FilterExpr::Parse(const std::string& text, const std::string& dataSet) {
  auto expr = std::make_unique<FilterExpr>();
  Parser parser(text, dataSet, expr->nodes_);
  expr->root_ = parser.ParseAll();
  return expr;
}

void FilterExpr::Bind(const std::vector<FieldDef>& fields, const std::string& dataSet) {
  auto bind = [&](Operand& o) {
    if (o.kind != Operand::Kind::Field) return;
    o.field = -1;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (SameText(fields[i].name, o.text)) {
        o.field = static_cast<int>(i);
        o.fieldType = fields[i].type;
      }
    }
    if (o.field < 0) {
      throw DataSetError("Invalid filter on " + (dataSet.empty() ? "data set" : dataSet) +
                         ": field '" + o.text + "' not found");
    }
  };
  for (auto& n : nodes_) {
    bind(n.a);
    bind(n.b);
  }
}

bool FilterExpr::Matches(const Variant* row) const {
  return root_ < 0 || Eval(root_, row);
}

bool FilterExpr::Eval(int index, const Variant* row) const {
  const Node& n = nodes_[static_cast<size_t>(index)];
  switch (n.kind) {
    case Node::Kind::And:
      return Eval(n.left, row) && Eval(n.right, row);
    case Node::Kind::Or:
      return Eval(n.left, row) || Eval(n.right, row);
    case Node::Kind::Not:
      return !Eval(n.left, row);
    case Node::Kind::IsNull:
      return IsNullOperand(n.a, row) != n.negate;
    case Node::Kind::Truth: {
      double v = 0;
      return NumberOf(n.a, row, false, v) && v != 0;
    }
    case Node::Kind::Compare:
      break;
  }
  if (n.a.kind == Operand::Kind::Null || n.b.kind == Operand::Kind::Null) {
    // "F = NULL" and "F <> NULL" read as IS NULL / IS NOT NULL.
    const bool isNull = IsNullOperand(n.a, row) && IsNullOperand(n.b, row);
    return n.op == "=" ? isNull : n.op == "<>" ? !isNull : false;
  }
  if (IsText(n.a) && IsText(n.b)) {
    const Variant& va = ValueOf(n.a, row);
    const Variant& vb = ValueOf(n.b, row);
    std::string_view a = n.a.kind == Operand::Kind::Text ? std::string_view(n.a.text)
                         : va.IsNull()                   ? std::string_view()
                                                         : std::string_view(*va.IfString());
    std::string_view b = n.b.kind == Operand::Kind::Text ? std::string_view(n.b.text)
                         : vb.IsNull()                   ? std::string_view()
                                                         : std::string_view(*vb.IfString());
    // 'AB*' compares only the beginning.
    if ((n.op == "=" || n.op == "<>") && n.b.kind == Operand::Kind::Text && !b.empty() &&
        b.back() == '*') {
      b.remove_suffix(1);
      a = a.substr(0, b.size());
    }
    return Compare(a.compare(b), n.op);
  }
  const bool dateContext =
      (n.a.kind == Operand::Kind::Field && n.a.fieldType == FieldType::DateTime) ||
      (n.b.kind == Operand::Kind::Field && n.b.fieldType == FieldType::DateTime);
  double a = 0, b = 0;
  if (!NumberOf(n.a, row, dateContext, a) || !NumberOf(n.b, row, dateContext, b)) return false;
  return Compare(a < b ? -1 : a > b ? 1 : 0, n.op);
}

}  // namespace Tov00300
