// GetValue and the simple register queries.
#include "readings/register_queries.h"

#include "driver/command.h"
#include "driver/registers.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

namespace Tov00300 {

double GetValue(const std::string& texto) {
  std::string digits;
  for (char c : Trim(texto)) {
    if (c != ',' && c != '.') digits += c;
  }
  const int n = static_cast<int>(digits.size());
  // The printer sends two implied decimals: the separator goes before the
  // last two characters, whatever their number.
  std::string decimal = Copy(digits, 1, n - 2) + GlobalFormatSettings().decimalSeparator +
                        Copy(digits, n - 1 < 1 ? 1 : n - 1, 2);
  return StrToFloat(decimal);
}

namespace {

// Reads an amount register; the conversion comes before the analysis, so a
// reply that is not an amount reaches the caller as a ConversionError.
bool AmountQuery(int number, const std::string& stEsquema, std::string& out) {
  const driver::RegisterReply reply = driver::ReadRegister(number);
  driver::Stage(reply.code, driver::RegisterDescription(number, reply.text));
  // The out text is the reply buffer itself, so a failed conversion leaves
  // the raw reply in it.
  out = reply.text;
  out = FloatToStr(GetValue(out));
  driver::JudgePending(reply.code, {stEsquema, false});
  return true;
}

// A register read as one command, judged without dialogs.
std::string Register(int number, const std::string& stEsquema) {
  return driver::ReadRegister(number, {stEsquema, false});
}

}  // namespace

bool BuscaTotGer(const std::string& stEsquema, std::string& stTotGer) {
  return AmountQuery(1, stEsquema, stTotGer);
}

bool Cancelamentos(const std::string& stEsquema, std::string& stCancelamentos) {
  return AmountQuery(13, stEsquema, stCancelamentos);
}

bool BuscaDescontos(const std::string& stEsquema, std::string& stDescontos) {
  return AmountQuery(11, stEsquema, stDescontos);
}

bool BuscaVendaBruta(const std::string& stEsquema, std::string& stVendaBruta) {
  std::string total = Register(1, stEsquema);
  std::string inicio = Register(2, stEsquema);
  stVendaBruta = FormatFloat("#.00", GetValue(total) - GetValue(inicio));
  return true;
}

bool BuscaOpNFis(const std::string& stEsquema, std::string& stOpNFis) {
  stOpNFis = Register(28, stEsquema);
  return true;
}

bool BuscaReinicioOp(const std::string& stEsquema, std::string& stReinicioOp) {
  stReinicioOp = hostlib::Ajusta(Register(23, stEsquema), 4);
  return true;
}

bool BuscaNReducoes(const std::string& stEsquema, std::string& stNReducoes) {
  constexpr int kReductions = 24;
  const driver::RegisterReply reply = driver::ReadRegister(kReductions);
  driver::Stage(reply.code, driver::RegisterDescription(kReductions, reply.text));
  stNReducoes = reply.text;
  if (hostlib::EmptyString(stNReducoes)) {
    stNReducoes = "0000";
  } else {
    stNReducoes = hostlib::Ajusta(IntToStr(StrToInt(Trim(stNReducoes)) + 1), 4);
  }
  // The log shows the number handed to the host, not the raw counter.
  driver::Command(reply.code, driver::RegisterDescription(kReductions, stNReducoes),
                  {stEsquema, false});
  return true;
}

}  // namespace Tov00300
