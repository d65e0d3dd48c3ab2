// The pseudo-operation "driver": one call of a driver entry point through the
// package's own entry-point variable, as bound by the session start, so a
// script can put the printer in a state the operations leave behind (a
// receipt open when the till crashed, a report left open).
//
//   {"op": "driver", "name": "iCFVender_ECF_Daruma", "args": ["I1", "1,000", ...]}
//
// Arguments by parameter: a text for a text input; the reply width (a whole
// number) for a reply buffer, printed after the call as the driver left it;
// a whole number for an integer or an integer output.
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "script.h"
#include "tov00300/driver.h"

namespace ecfhost {

namespace {

template <typename T>
struct DriverArg;

template <>
struct DriverArg<const char*> {
  using Storage = std::string;
  static Storage Make(const Json* j) { return j ? TextIn(*j) : std::string(); }
  static const char* Pass(Storage& s) { return s.c_str(); }
  static Json Show(const Storage& s) { return TextOut(s); }
};

// A reply buffer of `width` blanks. The driver writes a reply of its own
// width whatever the caller asked for (register 140 is 1,164 characters), so
// the buffer always has room for the widest reply and its terminator, plus
// guard room; the reply shown runs to the driver's terminator.
constexpr size_t kWidestReply = 1164;
constexpr size_t kGuard = 1024;

template <>
struct DriverArg<char*> {
  struct Storage {
    std::vector<char> bytes;
    size_t width = 0;
  };
  static Storage Make(const Json* j) {
    if (!j || !j->is_number_integer() || j->get<long long>() < 0 || j->get<long long>() > 65536)
      throw ArgumentError("a reply buffer is given by its width (a whole number up to 65536)");
    Storage s;
    s.width = j->get<size_t>();
    s.bytes.assign(std::max(s.width, kWidestReply) + 1 + kGuard, '\0');
    std::fill(s.bytes.begin(), s.bytes.begin() + s.width, ' ');
    return s;
  }
  static char* Pass(Storage& s) { return s.bytes.data(); }
  static Json Show(const Storage& s) {
    const size_t room = s.bytes.size() - kGuard;
    std::string reply(s.bytes.data(), room);
    const size_t end = reply.find('\0');
    reply.resize(std::min(end, room));
    return TextOut(reply);
  }
};

template <>
struct DriverArg<int> {
  using Storage = int;
  static Storage Make(const Json* j) { return Arg<int>::Make(j); }
  static int Pass(Storage s) { return s; }
  static Json Show(Storage s) { return s; }
};

template <>
struct DriverArg<int*> {
  using Storage = int;
  static Storage Make(const Json* j) { return Arg<int>::Make(j); }
  static int* Pass(Storage& s) { return &s; }
  static Json Show(Storage s) { return s; }
};

template <typename... P>
class DriverCall : public PreparedCall {
 public:
  using Slot = int (**)(P...);
  DriverCall(Slot slot, const Json& args)
      : slot_(slot), storage_(MakeAll(args, std::index_sequence_for<P...>{})) {}
  Json Run() override { return RunWith(std::index_sequence_for<P...>{}); }
  Json Args() const override { return ShowAll(std::index_sequence_for<P...>{}); }

 private:
  using Storage = std::tuple<typename DriverArg<P>::Storage...>;

  template <typename T, size_t I>
  static typename DriverArg<T>::Storage MakeOne(const Json& args) {
    try {
      return DriverArg<T>::Make(I < args.size() ? &args[I] : nullptr);
    } catch (const std::exception& e) {
      throw ArgumentError("args[" + std::to_string(I) + "]: " + e.what());
    }
  }
  template <size_t... I>
  static Storage MakeAll([[maybe_unused]] const Json& args, std::index_sequence<I...>) {
    return Storage{MakeOne<P, I>(args)...};
  }
  template <size_t... I>
  Json RunWith(std::index_sequence<I...>) {
    return (*slot_)(DriverArg<P>::Pass(std::get<I>(storage_))...);
  }
  template <size_t... I>
  Json ShowAll(std::index_sequence<I...>) const {
    Json out = Json::array();
    (out.push_back(DriverArg<P>::Show(std::get<I>(storage_))), ...);
    return out;
  }

  Slot slot_;
  Storage storage_;
};

using DriverPreparer = std::function<std::unique_ptr<PreparedCall>(const Json&)>;

template <typename... P>
DriverPreparer Prepare(int (**slot)(P...)) {
  return [slot](const Json& args) -> std::unique_ptr<PreparedCall> {
    if (args.size() > sizeof...(P))
      throw ArgumentError("takes " + std::to_string(sizeof...(P)) + " arguments, got " +
                          std::to_string(args.size()));
    return std::make_unique<DriverCall<P...>>(slot, args);
  };
}

const std::map<std::string, DriverPreparer>& EntryPoints() {
#define ECFHOST_ENTRY_POINT(name, params) {#name, Prepare(&Tov00300::name)},
  static const std::map<std::string, DriverPreparer> table = {
      TOV00300_DRIVER_ENTRY_POINTS(ECFHOST_ENTRY_POINT)};
#undef ECFHOST_ENTRY_POINT
  return table;
}

}  // namespace

std::unique_ptr<PreparedCall> PrepareDriver(const Json& call) {
  if (!call.contains("name") || !call["name"].is_string())
    throw ArgumentError("\"name\" (a text) names the driver entry point");
  auto found = EntryPoints().find(call["name"].get<std::string>());
  if (found == EntryPoints().end())
    throw ArgumentError("no driver entry point named " + call["name"].get<std::string>());
  const Json args = call.value("args", Json::array());
  if (!args.is_array()) throw ArgumentError("\"args\" must be a list");
  return found->second(args);
}

}  // namespace ecfhost
