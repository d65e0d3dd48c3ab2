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

#include <functional>
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

struct Operation {
  std::string name;
  std::function<std::unique_ptr<PreparedCall>(const Json& args)> prepare;
  std::vector<std::string> parameterKinds;  // for `ecfhost ops`
  std::string resultKind;
};

namespace detail {

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
      throw ArgumentError("args[" + std::to_string(I) + "] (" + Arg<T>::kKind + "): " + e.what());
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
    (out.push_back(Arg<P>::Show(std::get<I>(storage_))), ...);
    return out;
  }

  Function fn_;
  Storage storage_;
};

}  // namespace detail

template <typename R, typename... P>
Operation Op(std::string name, R (*fn)(P...)) {
  Operation op;
  op.name = std::move(name);
  op.parameterKinds = {Arg<P>::kKind...};
  op.resultKind = detail::ResultKind<R>();
  op.prepare = [fn](const Json& args) -> std::unique_ptr<PreparedCall> {
    if (args.size() > sizeof...(P))
      throw ArgumentError("takes " + std::to_string(sizeof...(P)) + " argument" +
                          (sizeof...(P) == 1 ? "" : "s") + ", got " + std::to_string(args.size()));
    return std::make_unique<detail::BoundCall<R, P...>>(fn, args);
  };
  return op;
}

// Every operation ecfhost can call (operations.cpp), sorted by name.
const std::vector<Operation>& Operations();
// The operation of that name (exact case), or nullptr.
const Operation* FindOperation(std::string_view name);

}  // namespace ecfhost

#endif  // ECFHOST_DISPATCHER_H_
