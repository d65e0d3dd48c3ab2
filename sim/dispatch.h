// The call discipline of every exported entry point: one lock, injected
// failures, the power switch, the last-command status and the modelled line
// delay. Shared by the two files of exported functions.
#ifndef TOV00300_SIM_DISPATCH_H_
#define TOV00300_SIM_DISPATCH_H_

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <initializer_list>
#include <mutex>
#include <string>
#include <thread>

#include "machine.h"
#include "numbers.h"
#include "registers.h"
#include "tov00300/driver_api.h"

#define TOV_SIM_EXPORT extern "C" __attribute__((visibility("default")))

#define TOV_SIM_DECLARE(name, params) TOV_SIM_EXPORT int name params;
TOV00300_DRIVER_ENTRY_POINTS(TOV_SIM_DECLARE)
#undef TOV_SIM_DECLARE
TOV_SIM_EXPORT int simControl_Daruma(const char* comando);

namespace Tov00300::sim {

enum class Access {
  kPrinter,  // talks to the printer: answers 0 (no answer) while it is off
  kProbe,    // looks for the printer: answers -6 while it is off
  kLocal,    // done by the library itself; works with the printer off
  kQuiet,    // local, and leaves the last-command status alone (status and
             // interpretation calls, the keyboard lock, the registry)
};

inline std::mutex& Lock() {
  static std::mutex mutex;
  return mutex;
}

inline Machine& TheMachine() {
  static Machine machine;
  return machine;
}

inline std::string In(const char* text) {
  return text == nullptr ? std::string() : std::string(text);
}

inline size_t Bytes(std::initializer_list<const char*> texts) {
  size_t n = 8;  // command frame
  for (const char* t : texts) n += t == nullptr ? 0 : std::strlen(t);
  return n;
}

// Writes a reply of exactly `width` characters (blank padded) and its
// terminator; never more.
inline void Reply(char* out, const std::string& text, size_t width) {
  size_t n = std::min(text.size(), width);
  std::memcpy(out, text.data(), n);
  std::memset(out + n, ' ', width - n);
  out[width] = '\0';
}

template <class Body>
int Run(const char* name, Access access, size_t bytes, Body&& body) {
  std::lock_guard<std::mutex> guard(Lock());
  Machine& m = TheMachine();
  m.EnsureLoaded();
  // A till killed at this call: as it arrives, or once it has acted and
  // before its reply reaches the caller.
  const bool killed = m.faults().killCountdown > 0 && --m.faults().killCountdown == 0;
  if (killed && !m.faults().killAfterActing) std::raise(SIGKILL);
  int code;
  int error = kErrNone;
  m.replyBytes = 0;
  auto& failures = m.faults().failures;
  auto injected = failures.find(name);
  // An armed fault waits for its turn: while its `skip` lasts, calls act
  // normally.
  auto due = [](std::map<std::string, Faults::Failure>& faults, auto at) {
    if (at == faults.end()) return false;
    if (at->second.skip == 0) return true;
    --at->second.skip;
    return false;
  };
  auto consume = [](std::map<std::string, Faults::Failure>& faults, auto at) {
    if (at->second.remaining > 0 && --at->second.remaining == 0) faults.erase(at);
  };
  if (due(failures, injected)) {
    code = injected->second.code;
    // The command was not carried out, and the printer's status says so.
    if (code != 1) error = kErrNotExecuted;
    consume(failures, injected);
  } else if ((access == Access::kPrinter || access == Access::kProbe) &&
             (m.faults().powerOff || !m.HoldsPort())) {
    // A printer that is off, or a port this process does not hold (never
    // opened, closed, or held by another process), gives no answer: the
    // command is not carried out and nothing of the printer is touched.
    code = access == Access::kProbe ? -6 : 0;
  } else {
    Outcome outcome = body(m);
    code = outcome.code;
    error = outcome.error;
    // The command took effect (or was refused) and its status stands; only
    // the reply never reaches the caller.
    auto& lost = m.faults().lostReplies;
    if (auto at = lost.find(name); due(lost, at)) {
      code = -28;
      consume(lost, at);
    }
  }
  if (access != Access::kQuiet) m.SetLastStatus(error, name);
  if (killed) std::raise(SIGKILL);
  if (m.faults().lineBaud > 0) {
    // Ten bits per byte on the line, both ways.
    auto micros = static_cast<int64_t>(bytes + m.replyBytes) * 10 * 1'000'000 / m.faults().lineBaud;
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
  }
  return code;
}

inline Outcome Info(Machine& m, const char* index, char* out) {
  auto number = ParseInteger(In(index));
  if (out == nullptr || !number || *number > 100000) return Refuse(kErrParameter, -2);
  auto reply = ReadRegister(m, static_cast<int>(*number));
  if (!reply) return Refuse(kErrParameter, -2);
  if (auto refusal = m.CheckUsable()) return *refusal;
  // A fiscal memory without a Z reduction has no last-reduction record to give.
  if (*number == 140 && m.state().reductions.empty()) return Refuse(kErrNoReduction, -1);
  Reply(out, *reply, reply->size());
  m.replyBytes = reply->size();
  return Ok();
}

inline Outcome List(Machine& m, char* out, const std::string& list) {
  if (out == nullptr) return Refuse(kErrParameter, -2);
  // A damaged fiscal memory has no tables to give, only a fresh printer's.
  if (auto refusal = m.CheckUsable()) return *refusal;
  Reply(out, list, list.size());
  m.replyBytes = list.size();
  return Ok();
}

constexpr size_t kTextReplyWidth = 200;
constexpr size_t kRegistryReplyWidth = 100;

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_DISPATCH_H_
