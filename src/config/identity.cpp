// Printer identity queries. Most give fixed answers: the host calls them for
// printer models that need them, and this printer needs no access for them.
#include <string>

#include "driver/registers.h"
#include "tov00300/config.h"
#include "tov00300/driver.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// Reads one printer register and logs it, leaving inRetorno alone; answers
// the driver's code.
int ReadAndLogRegister(driver::Register name, std::string& text) {
  const driver::Reply reply = driver::ReadRegister(name);
  text = reply.text;
  return driver::Log(reply.code, driver::RegisterDescription(name, text), {.stored = false});
}

}  // namespace

bool Modelo_Impressora(const std::string& stEsquema, std::string& a, std::string& b,
                       std::string& c) {
  using driver::Register;
  ReadAndLogRegister(Register::kIdentity1, c);
  ReadAndLogRegister(Register::kIdentity2, a);
  const int code = ReadAndLogRegister(Register::kIdentity3, b);
  // Only the last read is judged (its entry is logged a second time);
  // inRetorno keeps the code of the caller's last command.
  driver::Judge(code, driver::RegisterDescription(Register::kIdentity3, b), {stEsquema, false});
  return true;
}

bool VerificaSerialImp(const Variant& bag) {
  try {
    hostlib::RecebeParams(bag, "UTILIZAIMPFIS");
    hostlib::RecebeParams(bag, "DSDIRCAD");
    hostlib::RecebeParams(bag, "ESQUEMACOR");
    hostlib::RecebeParams(bag, "REV_NRSERIE_IMP");
  } catch (const ConversionError&) {
    // The values are not used; a malformed bag changes nothing.
  }
  return true;
}

bool Versao_Software_Basico(const std::string& /*text*/, std::string& /*versao*/) {
  return true;
}

bool DataHoraGravacaoUsuarioSWBasicoMFAdicional(const std::string& /*text*/,
                                                std::string& /*dataHora*/, std::string& /*usuario*/,
                                                std::string& /*mfAdicional*/) {
  return true;
}

bool NumeroOperacoesNaoFiscais(const std::string& /*text*/, std::string& /*numero*/) {
  return true;
}

bool GeraBinMes(DateTime /*inicio*/, DateTime /*fim*/, const std::string& /*text*/) {
  return true;
}

std::string Codigo_Nacional_ECF(int /*modelo*/, const std::string& /*text*/) {
  return "000000";
}

std::string FormataCNPJ(const std::string& cnpj) {
  std::string text;
  text.reserve(cnpj.size());
  for (char ch : cnpj) {
    if (ch != '.' && ch != '/' && ch != '-') text += ch;
  }
  return text;
}

}  // namespace Tov00300
