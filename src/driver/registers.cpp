// The register table and the one register reader.
#include "driver/registers.h"

#include <stdexcept>

#include "tov00300/driver.h"
#include "tov00300/format.h"

namespace Tov00300::driver {

namespace {

constexpr RegisterInfo kRegisters[] = {
#define TOV00300_REGISTER_ROW(name, number, width, content) \
  RegisterInfo{Register::name, number, width, content},
    TOV00300_PRINTER_REGISTERS(TOV00300_REGISTER_ROW)
#undef TOV00300_REGISTER_ROW
};

const RegisterInfo& Find(Register name) {
  for (const RegisterInfo& r : kRegisters) {
    if (r.name == name) return r;
  }
  throw std::out_of_range("register " + std::to_string(static_cast<int>(name)) +
                          " is not in the package's register table");
}

std::string Call(Register name) {
  return "rRetornarInformacao_ECF_Daruma (" + std::to_string(Find(name).number) + ")";
}

}  // namespace

std::span<const RegisterInfo> Registers() {
  return kRegisters;
}

int RegisterWidth(Register name) {
  return Find(name).width;
}

std::string RegisterDescription(Register name, std::string_view reply) {
  return DescribeReply(Call(name), reply);
}

std::string RegisterLineDescription(Register name, std::string_view reply) {
  std::string text = Call(name) + " - ";
  text += reply;
  return text;
}

Reply ReadRegister(Register name) {
  const std::string number = std::to_string(Find(name).number);
  return Query(RegisterWidth(name), [&number](char* buffer) {
    return rRetornarInformacao_ECF_Daruma(number.c_str(), buffer);
  });
}

std::optional<std::string> ReadRegisterText(Register name) {
  const Reply reply = ReadRegister(name);
  if (reply.code != 1) return std::nullopt;
  return Trim(reply.text);
}

std::optional<long long> ReadRegisterCount(Register name) {
  const auto text = ReadRegisterText(name);
  return text ? DigitsValue(*text) : std::nullopt;
}

bool CounterMovedByOne(const std::optional<long long>& before, Register name) {
  if (!before) return false;
  const auto after = ReadRegisterCount(name);
  return after && *after == *before + 1;
}

std::optional<long long> DigitsValue(const std::string& text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  long long n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

std::string ReadRegister(Register name, const Judging& judging, bool* accepted) {
  Reply reply = ReadRegister(name);
  const bool ok = Command(reply.code, RegisterDescription(name, reply.text), judging);
  if (accepted != nullptr) *accepted = ok;
  return std::move(reply.text);
}

}  // namespace Tov00300::driver
