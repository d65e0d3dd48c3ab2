// Printer identity queries. Most give fixed answers: the host calls them for
// printer models that need them, and this printer needs no access for them.
#include <string>

#include "driver/registers.h"
#include "tov00300/config.h"
#include "tov00300/driver.h"
#include "tov00300/hostlib.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// Reads one printer register and logs it; answers the driver's code.
int LeInformacao(int registro, std::string& texto) {
  const driver::RegisterReply resposta = driver::ReadRegister(registro);
  texto = resposta.text;
  ImpFisDebug(driver::RegisterDescription(registro, texto));
  return resposta.code;
}

}  // namespace

bool Modelo_Impressora(const std::string& stEsquema, std::string& a, std::string& b,
                       std::string& c) {
  LeInformacao(79, c);
  LeInformacao(80, a);
  const int codigo = LeInformacao(81, b);
  // Only the last read is judged (its entry is logged a second time);
  // inRetorno keeps the code of the caller's last command.
  driver::Judge(codigo, driver::RegisterDescription(81, b), {stEsquema, false});
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

bool Versao_Software_Basico(const std::string& /*texto*/, std::string& /*versao*/) {
  return true;
}

bool DataHoraGravacaoUsuarioSWBasicoMFAdicional(const std::string& /*texto*/,
                                                std::string& /*dataHora*/, std::string& /*usuario*/,
                                                std::string& /*mfAdicional*/) {
  return true;
}

bool NumeroOperacoesNaoFiscais(const std::string& /*texto*/, std::string& /*numero*/) {
  return true;
}

bool GeraBinMes(DateTime /*inicio*/, DateTime /*fim*/, const std::string& /*texto*/) {
  return true;
}

std::string Codigo_Nacional_ECF(int /*modelo*/, const std::string& /*texto*/) {
  return "000000";
}

std::string FormataCNPJ(const std::string& cnpj) {
  std::string texto;
  texto.reserve(cnpj.size());
  for (char ch : cnpj) {
    if (ch != '.' && ch != '/' && ch != '-') texto += ch;
  }
  return texto;
}

}  // namespace Tov00300
