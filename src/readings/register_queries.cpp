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
  // The printer sends two implied decimals: the point goes before the last
  // two characters, whatever their number. The text is the printer's form,
  // not the settings', so it is read in the fixed form.
  std::string decimal = Copy(digits, 1, n - 2) + '.' + Copy(digits, n - 1 < 1 ? 1 : n - 1, 2);
  return FixedToFloat(decimal);
}

namespace {

// Reads an amount register; the conversion comes before the analysis, so a
// reply that is not an amount reaches the caller as a ConversionError.
bool AmountQuery(driver::Register name, const std::string& stEsquema, std::string& out) {
  const driver::Reply reply = driver::ReadRegister(name);
  driver::Stage(reply.code, driver::RegisterDescription(name, reply.text));
  // The out text is the reply buffer itself, so a failed conversion leaves
  // the raw reply in it.
  out = reply.text;
  out = FloatToStr(GetValue(out));
  driver::JudgePending(reply.code, {stEsquema, false});
  return true;
}

// A register read as one command, judged without dialogs.
std::string JudgedRegister(driver::Register name, const std::string& stEsquema) {
  return driver::ReadRegister(name, {stEsquema, false});
}

}  // namespace

bool BuscaTotGer(const std::string& stEsquema, std::string& stTotGer) {
  return AmountQuery(driver::Register::kGrandTotal, stEsquema, stTotGer);
}

bool Cancelamentos(const std::string& stEsquema, std::string& stCancelamentos) {
  return AmountQuery(driver::Register::kCancellations, stEsquema, stCancelamentos);
}

bool BuscaDescontos(const std::string& stEsquema, std::string& stDescontos) {
  return AmountQuery(driver::Register::kDiscounts, stEsquema, stDescontos);
}

bool BuscaVendaBruta(const std::string& stEsquema, std::string& stVendaBruta) {
  std::string total = JudgedRegister(driver::Register::kGrandTotal, stEsquema);
  std::string start = JudgedRegister(driver::Register::kGrossSalesBase, stEsquema);
  stVendaBruta = FormatFloat("#.00", GetValue(total) - GetValue(start));
  return true;
}

bool BuscaOpNFis(const std::string& stEsquema, std::string& stOpNFis) {
  stOpNFis = JudgedRegister(driver::Register::kNonFiscalCounter, stEsquema);
  return true;
}

bool BuscaReinicioOp(const std::string& stEsquema, std::string& stReinicioOp) {
  stReinicioOp = hostlib::Ajusta(JudgedRegister(driver::Register::kRestarts, stEsquema), 4);
  return true;
}

bool BuscaNReducoes(const std::string& stEsquema, std::string& reductionsText) {
  const driver::Reply reply = driver::ReadRegister(driver::Register::kReductionCounter);
  driver::Stage(reply.code,
                driver::RegisterDescription(driver::Register::kReductionCounter, reply.text));
  reductionsText = reply.text;
  if (hostlib::EmptyString(reductionsText)) {
    reductionsText = "0000";
  } else {
    reductionsText = hostlib::Ajusta(IntToStr(StrToInt(Trim(reductionsText)) + 1), 4);
  }
  // The log shows the number handed to the host, not the raw counter.
  driver::Command(reply.code,
                  driver::RegisterDescription(driver::Register::kReductionCounter, reductionsText),
                  {stEsquema, false});
  return true;
}

namespace readings {

bool SurchargeTotal(const std::string& stEsquema, std::string& total) {
  const driver::Reply reply = driver::ReadRegister(driver::Register::kSurcharges);
  total = reply.text;
  // The code is judged but not stored: inRetorno keeps the last command's.
  return driver::Judge(reply.code,
                       driver::RegisterDescription(driver::Register::kSurcharges, total),
                       {stEsquema, false, true});
}

}  // namespace readings

}  // namespace Tov00300
