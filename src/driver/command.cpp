// The one path of a driver command.
#include "driver/command.h"

#include "tov00300/driver.h"
#include "tov00300/hostlib.h"
#include "tov00300/session.h"
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

bool Command(int code, std::string description, const Judging& judging) {
  inRetorno = code;
  stImpDebug = std::move(description);
  return AnalisaRetorno_FrameWork(judging.esquema, inRetorno, judging.show, judging.reserved,
                                  judging.warningOne);
}

void ReportProblem(const std::string& esquema, const std::string& text, bool show, int dialogType) {
  ImpFisDebug("ERRO!!! " + text);
  stMensagemTaa += ' ';
  stMensagemTaa += text;
  if (show) hostlib::Mensagem(text, "", "N", "N", dialogType, "", esquema, 0, nullptr);
}

}  // namespace Tov00300::driver
