#include "printer_status.h"

#include <optional>
#include <vector>

#include "driver_trace.h"
#include "tov00300/driver.h"

namespace ecfhost {

namespace {

// Register `index` as the printer answered it, or nullopt when refused.
std::optional<std::string> Register(const char* index, size_t width) {
  // Room past the width: a driver that overruns must not corrupt the host.
  std::vector<char> reply(width + 1024, '\0');
  std::fill(reply.begin(), reply.begin() + width, ' ');
  if (Tov00300::rRetornarInformacao_ECF_Daruma(index, reply.data()) != 1) return std::nullopt;
  std::string text(reply.data(), width);
  if (const size_t end = text.find('\0'); end != std::string::npos) text.resize(end);
  return text;
}

std::optional<long long> Digits(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return std::stoll(text);
}

const char* OpenKind(long long code) {
  switch (code) {
    case 1:
      return "receipt";
    case 2:
      return "non-fiscal receipt";
    case 3:
      return "linked voucher";
    case 4:
      return "management report";
    default:
      return "none";
  }
}

}  // namespace

Json PrinterStatus() {
  if (!SessionStarted()) return {{"session", false}};
  struct Wanted {
    const char* index;
    size_t width;
    const char* name;
    bool amount;
  };
  const Wanted wanted[] = {{"56", 1, "open_document", false}, {"26", 6, "coo", false},
                           {"30", 6, "ccf", false},           {"160", 13, "subtotal", true},
                           {"161", 4, "items", false},        {"162", 1, "totalled", false},
                           {"163", 13, "paid", true},         {"1", 18, "grand_total", true}};
  Json status = {{"session", true}};
  for (const Wanted& w : wanted) {
    const auto text = Register(w.index, w.width);
    const auto value = text ? Digits(*text) : std::nullopt;
    if (!value) {
      status["error"] = std::string("the printer did not answer register ") + w.index;
      return status;
    }
    if (w.amount) {
      status[w.name] = static_cast<double>(*value) / 100.0;
    } else if (std::string(w.name) == "totalled") {
      status[w.name] = *value == 1;
    } else {
      status[w.name] = *value;
    }
    if (std::string(w.name) == "open_document") status["open_kind"] = OpenKind(*value);
  }
  return status;
}

}  // namespace ecfhost
