// The non-linked non-fiscal receipt: one amount on one named non-fiscal
// totalizer, paid with one payment method, in a single call.
#include <string>
#include <vector>

#include "driver/command.h"
#include "driver/registers.h"
#include "driver/reply_buffer.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// The printer's totalizer names, separated by ';', fit in this many characters.
constexpr int kLarguraTotalizadores = 360;

constexpr int kRegistroEstadoDocumento = 56;
// Register 56 while a non-fiscal receipt is open.
constexpr const char* kComprovanteAberto = "2";

// The printer's non-fiscal totalizer names, in the printer's order.
std::vector<std::string> LeTotalizadores() {
  driver::ReplyBuffer buffer(kLarguraTotalizadores);
  // Not judged: a refused read leaves an empty list, and an unknown name is
  // reported by the search.
  driver::Store(rLerCNF_ECF_Daruma(buffer.data()));
  std::string lista = Trim(buffer.Text()) + ";";
  std::vector<std::string> nomes;
  for (int fim = Pos(";", lista); fim > 0; fim = Pos(";", lista)) {
    nomes.push_back(Copy(lista, 1, fim - 1));
    lista.erase(0, fim);
  }
  return nomes;
}

// The totalizer's position in the list, from 1, as two characters; "" when
// the name is not there. A blank name is never a totalizer.
std::string CodigoTotalizador(const std::string& totalizador) {
  if (hostlib::EmptyString(totalizador)) return "";
  const std::vector<std::string> nomes = LeTotalizadores();
  for (size_t i = 0; i < nomes.size(); ++i) {
    if (nomes[i] == totalizador) return hostlib::Ajusta(IntToStr(static_cast<long long>(i + 1)), 2);
  }
  return "";
}

// The printer's open document (register 56), read to learn what a command
// whose reply was lost did; "" when the printer does not answer.
std::string EstadoDocumento() {
  const driver::RegisterReply resposta = driver::ReadRegister(kRegistroEstadoDocumento);
  return resposta.code == 1 ? Trim(resposta.text) : std::string();
}

}  // namespace

bool Cupom_NFiscNVinc(const std::string& stEsquema, const std::string& totalizador,
                      const std::string& valor, const std::string& formaPagto,
                      const std::string& /*ignorado*/) {
  // Both checks come before the opening: a receipt opened for an amount or a
  // totalizer the printer cannot take would be left open or closed empty.
  double numero = 0;
  if (!TryStrToFloat(valor, numero)) {
    driver::ReportProblem(
        stEsquema, Utf8ToCp1252("Valor inválido para o comprovante não fiscal: \"") + valor + "\"",
        boNUtilTaa);
    return false;
  }
  const std::string codigo = CodigoTotalizador(totalizador);
  if (codigo.empty()) {
    driver::ReportProblem(stEsquema,
                          Utf8ToCp1252("Totalizador não fiscal não cadastrado na impressora: \"") +
                              totalizador + "\"",
                          boNUtilTaa);
    return false;
  }
  const std::string montante = FormatFloat("0.00", numero);

  // Every step is sent whatever the previous one answered; each refusal is
  // reported by its own analysis and only the closing decides the result.
  const driver::Judging julgamento{stEsquema, boNUtilTaa};
  const bool aberto =
      driver::Command(iCNFAbrirPadrao_ECF_Daruma(), "iCNFAbrirPadrao_ECF_Daruma", julgamento) ||
      EstadoDocumento() == kComprovanteAberto;
  driver::Command(iCNFReceberSemDesc_ECF_Daruma(codigo.c_str(), montante.c_str()),
                  "iCNFReceberSemDesc_ECF_Daruma", julgamento);
  driver::Command(iCNFTotalizarComprovantePadrao_ECF_Daruma(),
                  "iCNFTotalizarComprovantePadrao_ECF_Daruma", julgamento);
  driver::Command(iCNFEfetuarPagamentoFormatado_ECF_Daruma(formaPagto.c_str(), montante.c_str()),
                  "iCNFEfetuarPagamentoFormatado_ECF_Daruma", julgamento);
  if (driver::Command(iCNFEncerrarPadrao_ECF_Daruma(), "iCNFEncerrarPadrao_ECF_Daruma",
                      julgamento)) {
    return true;
  }
  // A reply lost on the line: the receipt this call opened is no longer
  // open, so the closing took effect. Reported as failed, it would be
  // printed again by a host that repeats the call.
  const std::string estado = EstadoDocumento();
  if (!aberto || estado.empty() || estado == kComprovanteAberto) return false;
  ImpFisDebug(
      Utf8ToCp1252("Resposta perdida: o comprovante não fiscal foi encerrado pela "
                   "impressora"));
  return true;
}

}  // namespace Tov00300
