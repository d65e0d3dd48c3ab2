// Printer identity queries. Most give fixed answers: the host calls them for
// printer models that need them, and this printer needs no access for them.
#include <string>

#include "driver/reply_buffer.h"
#include "tov00300/config.h"
#include "tov00300/driver.h"
#include "tov00300/hostlib.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// Reads one printer information index and logs it; answers the driver's code.
int LeInformacao(const char* indice, int largura, std::string& texto) {
  driver::ReplyBuffer resposta(largura);
  const int codigo = rRetornarInformacao_ECF_Daruma(indice, resposta.data());
  texto = resposta.Text();
  stImpDebug = std::string("rRetornarInformacao_ECF_Daruma (") + indice +
               ")\r\nRetorno da Impressora : " + texto;
  ImpFisDebug(stImpDebug);
  return codigo;
}

}  // namespace

bool Modelo_Impressora(const std::string& stEsquema, std::string& a, std::string& b,
                       std::string& c) {
  LeInformacao("79", 7, c);
  LeInformacao("80", 20, a);
  const int codigo = LeInformacao("81", 20, b);
  // Only the last read is judged; inRetorno keeps the code of the caller's
  // last command.
  AnalisaRetorno_FrameWork(stEsquema, codigo, false, false, false);
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
