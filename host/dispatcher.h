// The dispatcher: a table from each operation's name to a function that turns
// a script's argument list into a ready call. The parameter list is deduced
// from the operation's own signature, so adding an operation is one line:
//
//   Op("VendaItem", &Tov00300::VendaItem),
//
// Arguments are converted by parameter type (arguments.h) before any call of
// the script runs; a missing trailing argument takes its parameter's empty
// value; a surplus argument or one of the wrong kind is an ArgumentError.
#ifndef ECFHOST_DISPATCHER_H_
#define ECFHOST_DISPATCHER_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "arguments.h"

namespace ecfhost {

// A call with its arguments made, waiting to run. Run makes the call and
// gives its result; Args gives every argument as it is after the call.
class PreparedCall {
 public:
  virtual ~PreparedCall() = default;
  virtual Json Run() = 0;
  virtual Json Args() const = 0;
  // What went wrong that the result alone does not say (after Run).
  virtual std::optional<std::string> Problem() const { return std::nullopt; }
};

// One operation: its function, held under a common pointer type, and the
// preparer that knows its real type. Plain function pointers rather than a
// std::function per operation keep the table cheap to compile.
struct Operation {
  using AnyFunction = void (*)();
  using Preparer = std::unique_ptr<PreparedCall> (*)(AnyFunction fn, const Json& args);
  std::string name;
  AnyFunction function = nullptr;
  Preparer preparer = nullptr;
  std::vector<std::string> parameterKinds;  // for `ecfhost ops`
  std::string resultKind;

  // The call with its arguments made; throws ArgumentError.
  std::unique_ptr<PreparedCall> Prepare(const Json& args) const { return preparer(function, args); }
};

// An argument that could not be made: rethrown naming its position and kind.
[[noreturn]] void ThrowArgumentError(size_t index, const char* kind, const std::exception& e);
// The operation's parameter count exceeded.
[[noreturn]] void ThrowSurplusArguments(size_t parameters, size_t given);

namespace detail {

// Appends one argument, as shown after the call, to the call's list.
void AppendShown(Json& list, Json&& shown);

template <typename R>
const char* ResultKind() {
  if constexpr (std::is_void_v<R>) return "none";
  if constexpr (std::is_same_v<R, bool>) return "boolean";
  if constexpr (std::is_same_v<R, int>) return "integer";
  if constexpr (std::is_same_v<R, double>) return "number";
  if constexpr (std::is_same_v<R, std::string> || std::is_same_v<R, const char*>) return "text";
  if constexpr (std::is_same_v<R, Tov00300::DateTime>) return "date-time";
  if constexpr (std::is_same_v<R, Tov00300::Variant>) return "variant";
  return "value";
}

template <typename R, typename... P>
class BoundCall : public PreparedCall {
 public:
  using Function = R (*)(P...);
  BoundCall(Function fn, const Json& args)
      : fn_(fn), storage_(MakeAll(args, std::index_sequence_for<P...>{})) {}

  Json Run() override { return RunWith(std::index_sequence_for<P...>{}); }
  Json Args() const override { return ShowAll(std::index_sequence_for<P...>{}); }

 private:
  using Storage = std::tuple<typename Arg<P>::Storage...>;

  template <typename T, size_t I>
  static typename Arg<T>::Storage MakeOne(const Json& args) {
    const Json* j = I < args.size() ? &args[I] : nullptr;
    try {
      return Arg<T>::Make(j);
    } catch (const std::exception& e) {
      ThrowArgumentError(I, Arg<T>::kKind, e);
    }
  }

  // Braced initialisation evaluates left to right: the first bad argument is
  // the one reported.
  template <size_t... I>
  static Storage MakeAll([[maybe_unused]] const Json& args, std::index_sequence<I...>) {
    return Storage{MakeOne<P, I>(args)...};
  }

  template <size_t... I>
  Json RunWith(std::index_sequence<I...>) {
    if constexpr (std::is_void_v<R>) {
      fn_(Arg<P>::Pass(std::get<I>(storage_))...);
      return nullptr;
    } else {
      return Result<std::decay_t<R>>::Show(fn_(Arg<P>::Pass(std::get<I>(storage_))...));
    }
  }

  template <size_t... I>
  Json ShowAll(std::index_sequence<I...>) const {
    Json out = Json::array();
    (AppendShown(out, Arg<P>::Show(std::get<I>(storage_))), ...);
    return out;
  }

  Function fn_;
  Storage storage_;
};

template <typename R, typename... P>
std::unique_ptr<PreparedCall> PrepareBound(Operation::AnyFunction fn, const Json& args) {
  if (args.size() > sizeof...(P)) ThrowSurplusArguments(sizeof...(P), args.size());
  return std::make_unique<BoundCall<R, P...>>(reinterpret_cast<R (*)(P...)>(fn), args);
}

}  // namespace detail

template <typename R, typename... P>
Operation Op(std::string name, R (*fn)(P...)) {
  Operation op;
  op.name = std::move(name);
  op.function = reinterpret_cast<Operation::AnyFunction>(fn);
  op.preparer = &detail::PrepareBound<R, P...>;
  op.parameterKinds = {Arg<P>::kKind...};
  op.resultKind = detail::ResultKind<R>();
  return op;
}

// Every operation ecfhost can call (dispatcher.cpp), sorted by name.
const std::vector<Operation>& Operations();
// The operation of that name (exact case), or nullptr.
const Operation* FindOperation(std::string_view name);

}  // namespace ecfhost

#endif  // ECFHOST_DISPATCHER_H_
