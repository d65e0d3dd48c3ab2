// Cash put into and taken out of the drawer, and the drawer itself.
#include <cmath>
#include <optional>
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/registers.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"

namespace Tov00300 {

namespace {

// The catalogue's "Erro ao enviar comando para a impressora." after the
// printer's own message. The data module is created when absent: the
// catalogue must be there even before the session started.
void ShowCommandError(const std::string& stEsquema) {
  driver::ShowMessage(stEsquema, DataModule().msgPadrao.Msg("ErroComando"));
}

// A NaN or infinite amount has no text the printer could take; it is
// reported instead of being formatted into one.
bool CheckAmount(const std::string& stEsquema, const char* what, double valor) {
  if (std::isfinite(valor)) return true;
  driver::ReportProblem(stEsquema, Utf8ToCp1252("Valor inválido para ") + what + ".", true);
  return false;
}

// Sends one cash movement and judges it; the amount is in the debug line.
// A reply lost on the line (-28) does not mean the movement was not
// registered: the counter read before the command and again after a failure
// tells. Reported as failed, a registered movement would be repeated by the
// host and the drawer's cash counted twice.
using CashCommand = int (*)(const char*, const char*);
bool SendMovement(const std::string& stEsquema, CashCommand command, const char* name,
                  const char* caption, const char* lostReply, double valor) {
  const std::string amount = FormatFloat("0.00", valor);
  const std::string description = std::string(caption) + amount;
  // The general non-fiscal operation counter (GNF): one more for each supply
  // or withdrawal the printer registers.
  const auto before = driver::ReadRegisterCount(driver::Register::kNonFiscalCounter);
  if (driver::Command(command(amount.c_str(), description.c_str()),
                      driver::Describe(name, {amount}), {stEsquema, true})) {
    return true;
  }
  if (driver::CounterMovedByOne(before, driver::Register::kNonFiscalCounter)) {
    ImpFisDebug(Utf8ToCp1252(lostReply));
    return true;
  }
  ShowCommandError(stEsquema);
  return false;
}

}  // namespace

bool Suprimento(const std::string& stEsquema, double valor) {
  DataModule();
  // Nothing to put in: not a failure, and no document is printed.
  if (valor <= 0) return true;
  if (!CheckAmount(stEsquema, "o suprimento", valor)) return false;
  return SendMovement(stEsquema, iSuprimento_ECF_Daruma, "iSuprimento_ECF_Daruma", "Suprimento de ",
                      "Resposta perdida: o suprimento foi registrado pela impressora", valor);
}

bool Sangria(const std::string& /*ignorado*/, const std::string& stEsquema, double valor,
             DataSet& /*ignorado2*/) {
  if (!CheckAmount(stEsquema, "a sangria", valor)) return false;
  // A withdrawal of nothing is still a withdrawal document: the smallest
  // amount the printer takes. A negative amount goes as it is, for the
  // printer to refuse.
  if (valor == 0) valor = 0.01;
  return SendMovement(stEsquema, iSangria_ECF_Daruma, "iSangria_ECF_Daruma", "Sangria de ",
                      "Resposta perdida: a sangria foi registrada pela impressora", valor);
}

bool Abre_Gaveta_Imp(const std::string& stEsquema, bool /*ignorado*/) {
  return driver::Command(eAbrirGaveta_ECF_Daruma(), "eAbrirGaveta_ECF_Daruma", {stEsquema, true});
}

std::string Estado_Gaveta_Imp(const std::string& stEsquema) {
  int estado = 0;
  const int code = driver::Store(rStatusGaveta_ECF_Daruma(&estado));
  if (!driver::Command(code, "rStatusGaveta_ECF_Daruma: " + std::to_string(estado),
                       {stEsquema, true})) {
    return "";
  }
  return estado == 1 ? "01" : "00";
}

}  // namespace Tov00300
