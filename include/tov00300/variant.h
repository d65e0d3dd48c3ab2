// Variant: the runtime's tagged value, and the parameter bag built from it.
//
// Conversions follow the original runtime's rules: Empty converts to "", 0,
// false; Null converts to nothing (every As* on Null throws); numbers and
// booleans convert to text and back; a text converts to a number only when it
// is one in the current FormatSettings (either the locale's decimal
// separator or '.'); booleans become -1/0 as integers and "True"/"False" as
// text. Any conversion that cannot be made throws ConversionError naming the
// value's type and the target type.
#ifndef TOV00300_VARIANT_H_
#define TOV00300_VARIANT_H_

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "tov00300/datetime.h"
#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// The one error type of failed conversions (variants, numbers, dates, bags).
class ConversionError : public std::runtime_error {
 public:
  explicit ConversionError(const std::string& what) : std::runtime_error(what) {}
  ~ConversionError() override;
};

class Variant;
using VariantArray = std::vector<Variant>;
struct DataPacket;  // dataset.h

class Variant {
 public:
  enum class Kind { Empty, Null, Bool, Integer, Double, String, DateTime, Array, DataPacket };

  Variant() = default;  // Empty
  Variant(bool b);
  Variant(int i);
  Variant(int64_t i);
  Variant(double d);
  Variant(const char* s);
  Variant(std::string s);
  Variant(Tov00300::DateTime dt);
  Variant(VariantArray a);
  Variant(Tov00300::DataPacket p);
  static Variant Null();

  Kind kind() const { return static_cast<Kind>(v_.index()); }
  const char* KindName() const;  // "Empty", "Null", "Boolean", "Integer", ...
  bool IsEmpty() const { return kind() == Kind::Empty; }
  bool IsNull() const { return kind() == Kind::Null; }
  bool IsArray() const { return kind() == Kind::Array; }

  // A double or date-time becomes an integer by rounding half to even, as
  // the original's variant conversion does (2.5 -> 2, 3.5 -> 4).
  bool AsBool() const;
  int AsInt() const;  // throws when out of 32-bit range
  int64_t AsInt64() const;
  double AsDouble() const;
  std::string AsString() const;
  Tov00300::DateTime AsDateTime() const;
  // The text of a String variant without a copy; nullptr for other kinds.
  const std::string* IfString() const { return std::get_if<std::string>(&v_); }
  // Array access; throws ConversionError when the variant is not an array.
  const VariantArray& AsArray() const;
  VariantArray& AsArray();
  // Data packet access; throws ConversionError when not a data packet.
  const Tov00300::DataPacket& AsDataPacket() const;

  // Structural equality (same kind and value; arrays element-wise).
  friend bool operator==(const Variant& a, const Variant& b);

 private:
  struct NullTag {
    friend bool operator==(NullTag, NullTag) { return true; }
  };
  // The alternatives are in Kind's order, so index() is the kind.
  using Storage =
      std::variant<std::monostate, NullTag, bool, int64_t, double, std::string, Tov00300::DateTime,
                   std::unique_ptr<VariantArray>,                 // owned, deep-copied on copy
                   std::shared_ptr<const Tov00300::DataPacket>>;  // immutable, shared
  Storage v_;
  [[noreturn]] void Fail(const char* target) const;

 public:
  Variant(const Variant& other);
  Variant& operator=(const Variant& other);
  Variant(Variant&&) noexcept = default;
  Variant& operator=(Variant&&) noexcept = default;
  ~Variant() = default;
};

// Declared here too, so that the library exports it.
bool operator==(const Variant& a, const Variant& b);

// ---- parameter bags ---------------------------------------------------------
// A bag is a Variant array of two-element arrays (key text, value).

// Builds a bag: MakeBag({{"CDFILIAL", "001"}, {"IDTIPOIMPFIS", 29}}).
Variant MakeBag(std::initializer_list<std::pair<std::string, Variant>> pairs);
Variant MakeBag(const std::vector<std::pair<std::string, Variant>>& pairs);
// The value under the key (keys compared without regard to case), or nullptr.
// Throws ConversionError when `bag` is not an array of (text, value) pairs.
const Variant* FindInBag(const Variant& bag, const std::string& key);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_VARIANT_H_
