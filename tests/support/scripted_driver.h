// A scripted driver library for unit tests.
//
// Install() assigns a fake to every exported driver entry point. Each fake
// records its call (name and arguments as texts, in call order) and answers
// from its entry point's queue; with nothing queued it answers 1 with an empty
// reply and zero integer outputs (or the entry point's default, when set).
// Arguments are recorded as: input texts as given ("(null)" for a null
// pointer), integers in decimal, a text output as "[out N]" with N the blanks
// the caller pre-filled it with, an integer output as "[out int]".
#ifndef TOV00300_TESTS_SUPPORT_SCRIPTED_DRIVER_H_
#define TOV00300_TESTS_SUPPORT_SCRIPTED_DRIVER_H_

#include <array>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tov00300/driver_api.h"

namespace tovtest {

struct DriverCall {
  std::string name;
  std::vector<std::string> args;
};

struct DriverAnswer {
  int ret = 1;
  // Written into the text outputs in order, each followed by a zero byte
  // unless `terminate` is false. A text may be longer than the caller's width
  // (up to the guard room) to play a driver that overruns its buffer.
  std::vector<std::string> texts;
  std::vector<int> ints;  // written into the integer outputs in order
  bool terminate = true;
};

class ScriptedDriver {
 public:
  static ScriptedDriver& Get();

  // Assigns the fakes and forgets queues, defaults and recorded calls.
  void Install();
  // Unbinds every entry point (the package's stand-ins come back).
  void Uninstall();
  void Reset();

  // Queue answers; an unknown entry-point name throws std::invalid_argument.
  void Queue(std::string_view entryPoint, DriverAnswer answer);
  void Queue(std::string_view entryPoint, int ret, std::vector<std::string> texts = {});
  // The status of the last command: return code, error code, warning code.
  void QueueStatus(int ret, int error, int warning);
  // A text for one of the eInterpretar* entry points.
  void QueueInterpretation(std::string_view entryPoint, std::string text);
  // The answer given when the entry point's queue is empty.
  void SetDefault(std::string_view entryPoint, DriverAnswer answer);
  // Recording is on after Install; benchmarks turn it off.
  void SetRecording(bool on) { recording_ = on; }

  const std::vector<DriverCall>& Calls() const { return calls_; }
  std::vector<std::string> CallNames() const;
  std::vector<DriverCall> CallsTo(std::string_view entryPoint) const;
  int CountOf(std::string_view entryPoint) const;
  // Answers queued and not yet taken.
  size_t Pending(std::string_view entryPoint) const;
  void ClearCalls() { calls_.clear(); }

  // Used by the fakes.
  DriverAnswer Take(int index);
  void Record(int index, std::vector<std::string> args);
  bool recording() const { return recording_; }

 private:
  static int IndexOf(std::string_view entryPoint);

  std::array<std::deque<DriverAnswer>, TOV00300_DRIVER_ENTRY_POINT_COUNT> queues_;
  std::array<std::optional<DriverAnswer>, TOV00300_DRIVER_ENTRY_POINT_COUNT> defaults_;
  std::vector<DriverCall> calls_;
  bool recording_ = true;
};

}  // namespace tovtest

#endif  // TOV00300_TESTS_SUPPORT_SCRIPTED_DRIVER_H_
