#include "support/scripted_driver.h"

#include <cstring>
#include <stdexcept>

#include "tov00300/driver.h"

namespace tovtest {

namespace {

enum : int {
#define TOVTEST_INDEX(name, params) k_##name,
  TOV00300_DRIVER_ENTRY_POINTS(TOVTEST_INDEX)
#undef TOVTEST_INDEX
};

constexpr std::string_view kNames[] = {
#define TOVTEST_NAME(name, params) #name,
    TOV00300_DRIVER_ENTRY_POINTS(TOVTEST_NAME)
#undef TOVTEST_NAME
};

std::string Describe(const char* text) {
  return text != nullptr ? text : "(null)";
}
std::string Describe(char* out) {
  return "[out " + std::to_string(out != nullptr ? std::strlen(out) : 0) + "]";
}
std::string Describe(int value) {
  return std::to_string(value);
}
std::string Describe(int*) {
  return "[out int]";
}

struct Writer {
  const DriverAnswer& answer;
  size_t text = 0;
  size_t integer = 0;

  void operator()(const char*) {}
  void operator()(int) {}
  void operator()(char* out) {
    if (out == nullptr) return;
    const std::string reply = text < answer.texts.size() ? answer.texts[text] : std::string();
    ++text;
    std::memcpy(out, reply.data(), reply.size());
    if (answer.terminate) out[reply.size()] = '\0';
  }
  void operator()(int* out) {
    if (out == nullptr) return;
    *out = integer < answer.ints.size() ? answer.ints[integer] : 0;
    ++integer;
  }
};

template <int Index, typename Pointer>
struct Fake;
template <int Index, typename... Args>
struct Fake<Index, int (*)(Args...)> {
  static int Call(Args... args) {
    ScriptedDriver& driver = ScriptedDriver::Get();
    if (driver.recording()) driver.Record(Index, {Describe(args)...});
    const DriverAnswer answer = driver.Take(Index);
    [[maybe_unused]] Writer writer{answer};
    (writer(args), ...);
    return answer.ret;
  }
};

}  // namespace

ScriptedDriver& ScriptedDriver::Get() {
  static ScriptedDriver driver;
  return driver;
}

void ScriptedDriver::Install() {
  Reset();
#define TOVTEST_ASSIGN(name, params) \
  Tov00300::name = &Fake<k_##name, decltype(Tov00300::name)>::Call;
  TOV00300_DRIVER_ENTRY_POINTS(TOVTEST_ASSIGN)
#undef TOVTEST_ASSIGN
}

void ScriptedDriver::Uninstall() {
  Tov00300::UnbindDriverEntryPoints();
  Reset();
}

void ScriptedDriver::Reset() {
  for (auto& queue : queues_) queue.clear();
  for (auto& answer : defaults_) answer.reset();
  calls_.clear();
  recording_ = true;
}

int ScriptedDriver::IndexOf(std::string_view entryPoint) {
  for (size_t i = 0; i < std::size(kNames); ++i)
    if (kNames[i] == entryPoint) return static_cast<int>(i);
  throw std::invalid_argument("no driver entry point named " + std::string(entryPoint));
}

void ScriptedDriver::Queue(std::string_view entryPoint, DriverAnswer answer) {
  queues_[IndexOf(entryPoint)].push_back(std::move(answer));
}

void ScriptedDriver::Queue(std::string_view entryPoint, int ret, std::vector<std::string> texts) {
  Queue(entryPoint, DriverAnswer{ret, std::move(texts), {}, true});
}

void ScriptedDriver::QueueStatus(int ret, int error, int warning) {
  Queue("rStatusUltimoCmdInt_ECF_Daruma", DriverAnswer{ret, {}, {error, warning}, true});
}

void ScriptedDriver::QueueInterpretation(std::string_view entryPoint, std::string text) {
  Queue(entryPoint, 1, {std::move(text)});
}

void ScriptedDriver::SetDefault(std::string_view entryPoint, DriverAnswer answer) {
  defaults_[IndexOf(entryPoint)] = std::move(answer);
}

std::vector<std::string> ScriptedDriver::CallNames() const {
  std::vector<std::string> names;
  for (const DriverCall& call : calls_) names.push_back(call.name);
  return names;
}

std::vector<DriverCall> ScriptedDriver::CallsTo(std::string_view entryPoint) const {
  std::vector<DriverCall> found;
  for (const DriverCall& call : calls_)
    if (call.name == entryPoint) found.push_back(call);
  return found;
}

int ScriptedDriver::CountOf(std::string_view entryPoint) const {
  return static_cast<int>(CallsTo(entryPoint).size());
}

size_t ScriptedDriver::Pending(std::string_view entryPoint) const {
  return queues_[IndexOf(entryPoint)].size();
}

DriverAnswer ScriptedDriver::Take(int index) {
  auto& queue = queues_[index];
  if (queue.empty()) return defaults_[index].value_or(DriverAnswer{});
  DriverAnswer answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

void ScriptedDriver::Record(int index, std::vector<std::string> args) {
  calls_.push_back(DriverCall{std::string(kNames[index]), std::move(args)});
}

}  // namespace tovtest
