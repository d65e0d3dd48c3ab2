#include "control.h"

#include <sstream>
#include <vector>

#include "numbers.h"
#include "text.h"
#include "tov00300/driver_api.h"
#include "tov00300/format.h"

namespace Tov00300::sim {
namespace {

#define TOV_SIM_NAME(name, params) #name,
const char* const kEntryPointNames[] = {TOV00300_DRIVER_ENTRY_POINTS(TOV_SIM_NAME)};
#undef TOV_SIM_NAME

std::optional<int> ParseSignedInt(const std::string& text) {
  if (text.empty()) return std::nullopt;
  bool negative = text[0] == '-';
  auto magnitude = ParseInteger(negative || text[0] == '+' ? text.substr(1) : text);
  if (!magnitude || *magnitude > 1'000'000'000) return std::nullopt;
  return static_cast<int>(negative ? -*magnitude : *magnitude);
}

// "fail NAME CODE [once|N|always] [after K]", "lose-reply NAME
// [once|N|always] [after K]" and "... NAME off": `first` is the index of the
// word after the name (after the code, for fail).
int Fault(std::map<std::string, Faults::Failure>& faults, const std::vector<std::string>& w,
          int code, size_t first) {
  if (w.size() > first && UpperCase(w[first]) == "OFF") {
    if (w.size() != first + 1) return -2;
    faults.erase(w[1]);
    return 1;
  }
  Faults::Failure failure{code, 1};
  size_t next = first;
  if (w.size() > next && UpperCase(w[next]) != "AFTER") {
    std::string how = UpperCase(w[next]);
    if (how == "ALWAYS") {
      failure.remaining = -1;
    } else if (how != "ONCE") {
      auto count = ParseInteger(w[next]);
      if (!count || *count < 1) return -2;
      failure.remaining = static_cast<int>(*count);
    }
    ++next;
  }
  // "after K": the first K calls act normally, so a test can make the n-th
  // text of a document fail.
  if (w.size() > next) {
    if (UpperCase(w[next]) != "AFTER" || w.size() != next + 2) return -2;
    auto skip = ParseInteger(w[next + 1]);
    if (!skip || *skip > 1'000'000) return -2;
    failure.skip = static_cast<int>(*skip);
  }
  faults[w[1]] = failure;
  return 1;
}

int Fail(Machine& m, const std::vector<std::string>& w) {
  if (w.size() < 3 || !IsEntryPointName(w[1])) return -2;
  if (UpperCase(w[2]) == "OFF") return Fault(m.faults().failures, w, 0, 2);
  auto code = ParseSignedInt(w[2]);
  if (!code) return -2;
  return Fault(m.faults().failures, w, *code, 3);
}

int LoseReply(Machine& m, const std::vector<std::string>& w) {
  if (w.size() < 2 || !IsEntryPointName(w[1])) return -2;
  return Fault(m.faults().lostReplies, w, -28, 2);
}

}  // namespace

bool IsEntryPointName(const std::string& name) {
  for (const char* known : kEntryPointNames) {
    if (name == known) return true;
  }
  return false;
}

std::optional<int64_t> ParseClockOffset(const std::string& text) {
  if (text == "0") return 0;
  if (text.size() < 3 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  int64_t total = 0;
  std::string digits;
  for (size_t i = 1; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      digits += c;
      continue;
    }
    int64_t unit = c == 'd' ? 86400 : c == 'h' ? 3600 : c == 'm' ? 60 : c == 's' ? 1 : 0;
    if (unit == 0 || digits.empty() || digits.size() > 9) return std::nullopt;
    total += std::stoll(digits) * unit;
    digits.clear();
  }
  if (!digits.empty()) return std::nullopt;
  return text[0] == '-' ? -total : total;
}

int RunControl(Machine& m, const std::string& command) {
  std::istringstream in(command);
  std::vector<std::string> w;
  for (std::string word; in >> word;) w.push_back(word);
  if (w.empty()) return -2;
  std::string verb = UpperCase(w[0]);
  std::string arg = w.size() > 1 ? UpperCase(w[1]) : "";
  Faults& f = m.faults();
  // The files of a printer whose port another process has are neither
  // replaced nor read: -107, as the port opening answers.
  if (verb == "RESET" && w.size() == 1) return m.Reset();
  if (verb == "RELOAD" && w.size() == 1) return m.Load(true) ? 1 : -107;
  if (w.size() < 2) return -2;
  if (verb == "FAIL") return Fail(m, w);
  if (verb == "LOSE-REPLY") return LoseReply(m, w);
  // "status ERR WARN [NAME [after K]]": the next command's status, or that
  // of the next call of NAME (after K more of its calls kept their own), so
  // a test can aim at a command the package sends after reading registers.
  if (verb == "STATUS" && (w.size() == 3 || w.size() == 4 || w.size() == 6)) {
    auto error = ParseSignedInt(w[1]);
    auto warning = ParseSignedInt(w[2]);
    if (!error || !warning || (w.size() >= 4 && !IsEntryPointName(w[3]))) return -2;
    std::optional<int64_t> skip = 0;
    if (w.size() == 6) skip = UpperCase(w[4]) == "AFTER" ? ParseInteger(w[5]) : std::nullopt;
    if (!skip || *skip > 1'000'000) return -2;
    f.statusPending = true;
    f.statusError = *error;
    f.statusWarning = *warning;
    f.statusTarget = w.size() >= 4 ? w[3] : std::string();
    f.statusSkip = static_cast<int>(*skip);
    return 1;
  }
  // "kill N [acted]", "kill off": the process is killed at the N-th
  // entry-point call from now, as a till that dies part-way through.
  if (verb == "KILL") {
    if (arg == "OFF" && w.size() == 2) {
      f.killCountdown = 0;
      return 1;
    }
    auto calls = ParseInteger(w[1]);
    const bool acted = w.size() == 3 && UpperCase(w[2]) == "ACTED";
    if (!calls || *calls < 1 || *calls > 1'000'000 || (w.size() == 3 && !acted) || w.size() > 3)
      return -2;
    f.killCountdown = static_cast<int>(*calls);
    f.killAfterActing = acted;
    return 1;
  }
  if (w.size() != 2) return -2;
  if (verb == "POWER" && (arg == "OFF" || arg == "ON")) {
    f.powerOff = arg == "OFF";
    return 1;
  }
  if (verb == "PORT" && (arg == "BUSY" || arg == "FREE")) {
    f.portBusy = arg == "BUSY";
    return 1;
  }
  if (verb == "CLOCK") {
    auto offset = ParseClockOffset(w[1]);
    if (!offset) return -2;
    f.clockOffset = *offset;
    return 1;
  }
  if (verb == "PAPER" && (arg == "LOW" || arg == "OK" || arg == "OUT")) {
    f.paperLow = arg == "LOW";
    f.paperOut = arg == "OUT";
    return 1;
  }
  if (verb == "LINE") {
    if (arg == "OFF") {
      f.lineBaud = 0;
      return 1;
    }
    auto baud = ParseInteger(w[1]);
    if (!baud || *baud < 300 || *baud > 10'000'000) return -2;
    f.lineBaud = *baud;
    return 1;
  }
  // "close" is the operator's act, "closed" the state: both shut the drawer.
  if (verb == "DRAWER" && (arg == "OPEN" || arg == "CLOSED" || arg == "CLOSE")) {
    m.drawerOpen = arg == "OPEN";
    return 1;
  }
  if (verb == "DURABILITY" && (arg == "OFF" || arg == "ON" || arg == "SYNC")) {
    m.storage().set_durability(arg == "OFF"  ? Durability::kOff
                               : arg == "ON" ? Durability::kOn
                                             : Durability::kSync);
    return 1;
  }
  if (verb == "MEMORY") {
    auto capacity = ParseInteger(w[1]);
    if (!capacity || *capacity < 1) return -2;
    f.memoryCapacity = *capacity;
    return 1;
  }
  return -2;
}

}  // namespace Tov00300::sim
