// How each parameter type of an operation is made from a script argument and
// printed after the call: one Arg<T> for each parameter type the
// operations use; the dispatcher picks them from the function's signature.
//
// Every Arg<T> has:
//   Storage                 what the host keeps for the argument during the call
//   Make(const Json* j)     the storage from the argument (nullptr: the
//                           position is missing, the parameter's empty value)
//   Pass(Storage&)          what is handed to the operation
//   Show(const Storage&)    the argument after the call, as JSON
//   kKind                   the parameter's kind, for `ecfhost ops`
// Make and Show are defined in arguments.cpp, once for every operation.
#ifndef ECFHOST_ARGUMENTS_H_
#define ECFHOST_ARGUMENTS_H_

#include <cstdint>
#include <memory>
#include <string>

#include "json_values.h"

namespace ecfhost {

template <typename T>
struct Arg;  // undefined: the dispatcher cannot call an operation with such a parameter

template <>
struct Arg<Tov00300::Variant&> {
  using Storage = Tov00300::Variant;
  static constexpr const char* kKind = "variant (in/out)";
  static Storage Make(const Json* j);
  static Tov00300::Variant& Pass(Storage& s) { return s; }
  static Json Show(const Storage& s);
};

template <>
struct Arg<const Tov00300::Variant&> : Arg<Tov00300::Variant&> {
  static constexpr const char* kKind = "variant";
};

template <>
struct Arg<std::string&> {
  using Storage = std::string;
  static constexpr const char* kKind = "text (in/out)";
  static Storage Make(const Json* j);
  static std::string& Pass(Storage& s) { return s; }
  static Json Show(const Storage& s);
};

template <>
struct Arg<const std::string&> : Arg<std::string&> {
  static constexpr const char* kKind = "text";
};

template <>
struct Arg<std::string> : Arg<std::string&> {
  static constexpr const char* kKind = "text";
};

template <>
struct Arg<int> {
  using Storage = int;
  static constexpr const char* kKind = "integer";
  static Storage Make(const Json* j);
  static int Pass(Storage s) { return s; }
  static Json Show(Storage s);
};

template <>
struct Arg<bool> {
  using Storage = bool;
  static constexpr const char* kKind = "boolean";
  static Storage Make(const Json* j);
  static bool Pass(Storage s) { return s; }
  static Json Show(Storage s);
};

// An in/out or out flag: given as true or false (false when missing),
// printed after the call.
template <>
struct Arg<bool&> : Arg<bool> {
  static constexpr const char* kKind = "boolean (in/out)";
  static bool& Pass(Storage& s) { return s; }
};

template <>
struct Arg<double> {
  using Storage = double;
  static constexpr const char* kKind = "number";
  static Storage Make(const Json* j);
  static double Pass(Storage s) { return s; }
  static Json Show(Storage s);
};

template <>
struct Arg<Tov00300::DateTime> {
  using Storage = Tov00300::DateTime;
  static constexpr const char* kKind = "date-time";
  static Storage Make(const Json* j);
  static Tov00300::DateTime Pass(Storage s) { return s; }
  static Json Show(Storage s);
};

template <>
struct Arg<Tov00300::DateTime&> : Arg<Tov00300::DateTime> {
  static constexpr const char* kKind = "date-time (out)";
  static Tov00300::DateTime& Pass(Storage& s) { return s; }
};

// A host data set: made from {"rows", "fields"}, printed with its rows after
// the call. Data sets cannot be copied, so the host keeps it on the heap.
template <>
struct Arg<Tov00300::DataSet&> {
  using Storage = std::unique_ptr<Tov00300::DataSet>;
  static constexpr const char* kKind = "data set (in/out)";
  static Storage Make(const Json* j);
  static Tov00300::DataSet& Pass(Storage& s) { return *s; }
  static Json Show(const Storage& s);
};

// A host data set the operation only reads.
template <>
struct Arg<const Tov00300::DataSet&> : Arg<Tov00300::DataSet&> {
  static constexpr const char* kKind = "data set";
};

template <>
struct Arg<const Tov00300::VariantArray&> {
  using Storage = Tov00300::VariantArray;
  static constexpr const char* kKind = "positional array";
  static Storage Make(const Json* j);
  static const Tov00300::VariantArray& Pass(Storage& s) { return s; }
  static Json Show(const Storage& s);
};

template <>
struct Arg<Tov00300::VariantArray&> : Arg<const Tov00300::VariantArray&> {
  static constexpr const char* kKind = "positional array (in/out)";
  static Tov00300::VariantArray& Pass(Storage& s) { return s; }
};

template <>
struct Arg<Tov00300::StringList&> {
  using Storage = Tov00300::StringList;
  static constexpr const char* kKind = "string list (in/out)";
  static Storage Make(const Json* j);
  static Tov00300::StringList& Pass(Storage& s) { return s; }
  static Json Show(const Storage& s);
};

template <>
struct Arg<const Tov00300::StringList&> : Arg<Tov00300::StringList&> {
  static constexpr const char* kKind = "string list";
};

// ---- results ----------------------------------------------------------------

template <typename R>
struct Result;

template <>
struct Result<bool> {
  static Json Show(bool r);
};
template <>
struct Result<int> {
  static Json Show(int r);
};
template <>
struct Result<double> {
  static Json Show(double r);
};
template <>
struct Result<std::string> {
  static Json Show(const std::string& r);
};
template <>
struct Result<const char*> {
  static Json Show(const char* r);
};
template <>
struct Result<Tov00300::DateTime> {
  static Json Show(Tov00300::DateTime r);
};
template <>
struct Result<Tov00300::Variant> {
  static Json Show(const Tov00300::Variant& r);
};

}  // namespace ecfhost

#endif  // ECFHOST_ARGUMENTS_H_
