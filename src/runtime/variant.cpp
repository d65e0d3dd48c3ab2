// Variant: construction, conversions and equality.
#include "tov00300/variant.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "tov00300/dataset.h"
#include "tov00300/format.h"

namespace Tov00300 {

namespace {

// The original converts doubles to integers with the processor's default
// rounding, which is half to even.
bool RoundToInt64(double d, int64_t& out) {
  if (!std::isfinite(d)) return false;
  double r = std::nearbyint(d);  // default rounding mode: half to even
  if (r < -9223372036854775808.0 || r >= 9223372036854775808.0) return false;
  out = static_cast<int64_t>(r);
  return true;
}

// "True"/"False" in any case.
bool TextAsBool(const std::string& s, bool& out) {
  std::string t = Trim(s);
  if (SameText(t, "True")) {
    out = true;
    return true;
  }
  if (SameText(t, "False")) {
    out = false;
    return true;
  }
  return false;
}

}  // namespace

// Defined here so that the exception's type information lives in this
// library alone.
ConversionError::~ConversionError() = default;

Variant::Variant(bool b) : v_(b) {}
Variant::Variant(int i) : v_(static_cast<int64_t>(i)) {}
Variant::Variant(int64_t i) : v_(i) {}
Variant::Variant(double d) : v_(d) {}
Variant::Variant(const char* s) : v_(std::string(s ? s : "")) {}
Variant::Variant(std::string s) : v_(std::move(s)) {}
Variant::Variant(Tov00300::DateTime dt) : v_(dt) {}
Variant::Variant(VariantArray a) : v_(std::make_unique<VariantArray>(std::move(a))) {}
Variant::Variant(Tov00300::DataPacket p)
    : v_(std::make_shared<const Tov00300::DataPacket>(std::move(p))) {}

Variant Variant::Null() {
  Variant v;
  v.v_ = NullTag{};
  return v;
}

Variant::Variant(const Variant& other) {
  *this = other;
}

Variant& Variant::operator=(const Variant& other) {
  if (this == &other) return *this;
  if (const auto* a = std::get_if<std::unique_ptr<VariantArray>>(&other.v_)) {
    // Arrays are values: a copy owns its own elements.
    v_ = std::make_unique<VariantArray>(**a);
  } else {
    std::visit(
        [this](const auto& x) {
          using T = std::decay_t<decltype(x)>;
          if constexpr (!std::is_same_v<T, std::unique_ptr<VariantArray>>) v_ = x;
        },
        other.v_);
  }
  return *this;
}

const char* Variant::KindName() const {
  switch (kind()) {
    case Kind::Empty:
      return "Empty";
    case Kind::Null:
      return "Null";
    case Kind::Bool:
      return "Boolean";
    case Kind::Integer:
      return "Integer";
    case Kind::Double:
      return "Double";
    case Kind::String:
      return "String";
    case Kind::DateTime:
      return "Date";
    case Kind::Array:
      return "Array Variant";
    case Kind::DataPacket:
      return "DataPacket";
  }
  return "Unknown";
}

void Variant::Fail(const char* target) const {
  std::string msg = std::string("Could not convert variant of type (") + KindName() +
                    ") into type (" + target + ")";
  if (const auto* s = std::get_if<std::string>(&v_)) msg += ": '" + *s + "'";
  if (const auto* d = std::get_if<double>(&v_)) msg += ": " + FloatToStr(*d);
  throw ConversionError(msg);
}

bool Variant::AsBool() const {
  switch (kind()) {
    case Kind::Empty:
      return false;
    case Kind::Bool:
      return std::get<bool>(v_);
    case Kind::Integer:
      return std::get<int64_t>(v_) != 0;
    case Kind::Double:
      return std::get<double>(v_) != 0.0;
    case Kind::DateTime:
      return std::get<Tov00300::DateTime>(v_).value != 0.0;
    case Kind::String: {
      const auto& s = std::get<std::string>(v_);
      bool b = false;
      if (TextAsBool(s, b)) return b;
      double d = 0;
      if (TryStrToFloat(s, d)) return d != 0.0;
      break;
    }
    default:
      break;
  }
  Fail("Boolean");
}

int64_t Variant::AsInt64() const {
  int64_t out = 0;
  switch (kind()) {
    case Kind::Empty:
      return 0;
    case Kind::Bool:
      return std::get<bool>(v_) ? -1 : 0;
    case Kind::Integer:
      return std::get<int64_t>(v_);
    case Kind::Double:
      if (RoundToInt64(std::get<double>(v_), out)) return out;
      break;
    case Kind::DateTime:
      if (RoundToInt64(std::get<Tov00300::DateTime>(v_).value, out)) return out;
      break;
    case Kind::String: {
      const auto& s = std::get<std::string>(v_);
      std::string t = Trim(s);
      const char* first = t.data();
      const char* last = t.data() + t.size();
      if (first != last && *first == '+') ++first;
      if (first != last) {
        auto [p, ec] = std::from_chars(first, last, out);
        if (ec == std::errc() && p == last) return out;
      }
      double d = 0;
      if (TryStrToFloat(s, d) && RoundToInt64(d, out)) return out;
      bool b = false;
      if (TextAsBool(s, b)) return b ? -1 : 0;
      break;
    }
    default:
      break;
  }
  Fail("Int64");
}

int Variant::AsInt() const {
  int64_t v = 0;
  try {
    v = AsInt64();
  } catch (const ConversionError&) {
    Fail("Integer");
  }
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) {
    throw ConversionError("Could not convert variant of type (" + std::string(KindName()) +
                          ") into type (Integer): " + std::to_string(v) + " is out of range");
  }
  return static_cast<int>(v);
}

double Variant::AsDouble() const {
  switch (kind()) {
    case Kind::Empty:
      return 0.0;
    case Kind::Bool:
      return std::get<bool>(v_) ? -1.0 : 0.0;
    case Kind::Integer:
      return static_cast<double>(std::get<int64_t>(v_));
    case Kind::Double:
      return std::get<double>(v_);
    case Kind::DateTime:
      return std::get<Tov00300::DateTime>(v_).value;
    case Kind::String: {
      const auto& s = std::get<std::string>(v_);
      double d = 0;
      if (TryStrToFloat(s, d)) return d;
      bool b = false;
      if (TextAsBool(s, b)) return b ? -1.0 : 0.0;
      break;
    }
    default:
      break;
  }
  Fail("Double");
}

std::string Variant::AsString() const {
  switch (kind()) {
    case Kind::Empty:
      return "";
    case Kind::Bool:
      return std::get<bool>(v_) ? "True" : "False";
    case Kind::Integer:
      return std::to_string(std::get<int64_t>(v_));
    case Kind::Double:
      return FloatToStr(std::get<double>(v_));
    case Kind::String:
      return std::get<std::string>(v_);
    case Kind::DateTime:
      return DateTimeToStr(std::get<Tov00300::DateTime>(v_));
    default:
      break;
  }
  Fail("String");
}

Tov00300::DateTime Variant::AsDateTime() const {
  switch (kind()) {
    case Kind::Empty:
      return Tov00300::DateTime();
    case Kind::Integer:
      return Tov00300::DateTime(static_cast<double>(std::get<int64_t>(v_)));
    case Kind::Double:
      return Tov00300::DateTime(std::get<double>(v_));
    case Kind::DateTime:
      return std::get<Tov00300::DateTime>(v_);
    case Kind::String:
      try {
        return StrToDateTime(std::get<std::string>(v_));
      } catch (const ConversionError&) {
      }
      break;
    default:
      break;
  }
  Fail("Date");
}

const VariantArray& Variant::AsArray() const {
  if (const auto* a = std::get_if<std::unique_ptr<VariantArray>>(&v_)) return **a;
  Fail("Array Variant");
}

VariantArray& Variant::AsArray() {
  if (auto* a = std::get_if<std::unique_ptr<VariantArray>>(&v_)) return **a;
  Fail("Array Variant");
}

const Tov00300::DataPacket& Variant::AsDataPacket() const {
  if (const auto* p = std::get_if<std::shared_ptr<const Tov00300::DataPacket>>(&v_)) return **p;
  Fail("DataPacket");
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.kind() != b.kind()) return false;
  switch (a.kind()) {
    case Variant::Kind::Array:
      return a.AsArray() == b.AsArray();
    case Variant::Kind::DataPacket:
      return a.AsDataPacket() == b.AsDataPacket();
    default:
      return a.v_ == b.v_;
  }
}

}  // namespace Tov00300
