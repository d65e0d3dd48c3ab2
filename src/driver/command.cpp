// The one path of a driver command.
#include "driver/command.h"

#include "tov00300/driver.h"
#include "tov00300/frame.h"
#include "tov00300/state.h"

namespace Tov00300::driver {

std::string Describe(std::string_view name, std::initializer_list<std::string_view> args) {
  std::string text(name);
  const char* separator = " : ";
  for (std::string_view arg : args) {
    text += separator;
    text += arg;
    separator = " - ";
  }
  return text;
}

std::string DescribeReply(std::string_view name, std::string_view reply) {
  std::string text(name);
  text += "\r\nRetorno da Impressora : ";
  text += reply;
  return text;
}

void Stage(int code, std::string description) {
  inRetorno = code;
  stImpDebug = std::move(description);
}

bool JudgePending(int code, const Judging& judging) {
  return AnalisaRetorno_FrameWork(judging.scheme, code, judging.show, judging.reserved,
                                  judging.warningOne);
}

bool Command(int code, std::string description, const Judging& judging) {
  Stage(code, std::move(description));
  return JudgePending(code, judging);
}

bool Judge(int code, std::string description, const Judging& judging) {
  stImpDebug = std::move(description);
  return JudgePending(code, judging);
}

int Store(int code) {
  inRetorno = code;
  return code;
}

int Log(int code, std::string description, const Logging& how) {
  if (how.stored) inRetorno = code;
  if (how.codeInLine) description += " - Retorno: " + std::to_string(code);
  ImpFisDebug(description);
  return code;
}

}  // namespace Tov00300::driver
