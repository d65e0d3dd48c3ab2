// The closing message of a fiscal receipt: the footer the printer prints
// below the payments.
#include <string>
#include <string_view>

#include "receipt/footer_balances.h"
#include "tov00300/datamodule.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/receipt.h"

namespace Tov00300 {

namespace {

// The package's own contact line, printed where the footer has room.
constexpr std::string_view kLinhaSuporte = "Suporte: fale com o responsavel pelo sistema";

constexpr int kColunasPontos = 40;
constexpr int kColunasLinha = 48;
// Where more than one line is left, a message that does not fit is cut at
// this many characters per remaining line.
constexpr int kColunasPorLinhaRestante = 16;
constexpr int kColunasNomeConvenio = 20;
constexpr int kColunasNomeConsumidor = 22;
constexpr int kColunasIdentificacao = 40;

// The text under composition and the lines of the limit it has used.
struct Rodape {
  std::string texto;
  int contador = 0;
  int limite = 0;

  bool Cabe() const { return contador < limite; }
  void Linha(std::string_view linha) {
    texto += linha;
    texto += '\n';
  }
};

// Each text of the list goes in line by line. Every line but the last piece
// of a text counts against the limit; the last piece does not.
void AnexaLista(Rodape& r, const StringList& linhas) {
  for (const std::string& linha : linhas.Items()) {
    size_t inicio = 0;
    while (inicio < linha.size()) {
      const size_t quebra = linha.find('\n', inicio);
      if (quebra == std::string::npos) {
        r.Linha(std::string_view(linha).substr(inicio));
        break;
      }
      r.Linha(std::string_view(linha).substr(inicio, quebra - inicio));
      ++r.contador;
      inicio = quebra + 1;
    }
  }
}

// The free message within the lines left: whole when it fits; else one
// printer line of it when one line is left, or 16 characters per line left.
void AnexaMensagem(Rodape& r, const std::string& mensagem) {
  const int linhas = receipt::LinhasDoTexto(mensagem);
  const int restantes = r.limite - r.contador;
  if (linhas <= restantes) {
    if (!mensagem.empty()) r.Linha(mensagem);
    r.contador += linhas;
    return;
  }
  if (mensagem.empty() || restantes <= 0) return;
  if (restantes == 1) {
    r.Linha(Copy(mensagem, 1, kColunasLinha));
    ++r.contador;
    return;
  }
  const int corte = kColunasPorLinhaRestante * restantes;
  const int tamanho = static_cast<int>(mensagem.size());
  if (tamanho >= corte) {
    r.Linha(Copy(mensagem, 1, corte));
    r.contador += restantes;
  } else {
    r.Linha(mensagem);
    r.contador += tamanho / kColunasLinha + (tamanho % kColunasLinha != 0 ? 1 : 0);
  }
}

// The agreement footer: every line goes in whatever the limit.
void RodapeConvenio(Rodape& r, const TdtmDaruma300& dm, const std::string& cdConvenio,
                    const std::string& nmConvenio, const std::string& cdConsumidor,
                    const std::string& nmConsumidor, const std::string& cdOperador,
                    const std::string& nmOperador, const std::string& mesa,
                    const std::string& senha, const std::string& mensagem, double saldo,
                    double precoSubsidio) {
  const auto& msg = dm.msgPadrao;
  r.Linha(msg.Msg("Convenio") +
          " ..: " + Copy(cdConvenio + " - " + nmConvenio, 1, kColunasIdentificacao));
  r.Linha(msg.Msg("Consumidor") + " : " +
          Copy(cdConsumidor + " - " + nmConsumidor, 1, kColunasIdentificacao));
  r.Linha(msg.Msg("Sald_Cons") + " - " + receipt::ValorRodape(saldo));
  r.Linha(msg.Msg("PRECO_SUBSIDIO") + " - " + receipt::ValorRodape(precoSubsidio));
  r.Linha(mesa + senha);
  r.Linha(msg.Msg("Operador") + ": " + cdOperador + " - " + nmOperador);
  r.Linha(kLinhaSuporte);
  if (receipt::LinhasDoTexto(mensagem) <= 1) r.texto += mensagem;
}

}  // namespace

std::string Formata_rodape(
    int inLimite, const std::string& stModoSaldo, const std::string& stLinha1,
    const std::string& stTributos, const std::string& stLinha3, const std::string& cdConvenio,
    const std::string& nmConvenio, const std::string& cdConsumidor, const std::string& nmConsumidor,
    const std::string& cdOperador, const std::string& nmOperador, const std::string& stMesa,
    const std::string& stSenha, const std::string& /*ignorado14*/,
    const std::string& /*ignorado15*/, const std::string& /*ignorado16*/,
    const std::string& stMensagem, const std::string& nrEcfConf, const std::string& nrCerConf,
    const std::string& nrCooConf, const std::string& stTipoSaldo, const std::string& stTipoRodape,
    double vrPagoConta, double vrPrecoSubsidio, double vrSaldoConsumidor, DataSet& cdsSaldos,
    DataSet& cdsFamilias, DataSet& cdsEmprestimos, bool boAnexaLista, const StringList& slLinhas,
    const std::string& stPontos, const std::string& stPontosExtras) {
  const TdtmDaruma300& dm = DataModule();
  Rodape r;
  r.limite = inLimite;
  r.texto.reserve(512);
  r.Linha(stLinha1);
  r.Linha(stTributos);
  r.contador = 2;
  if (!stLinha3.empty()) {
    r.Linha(stLinha3);
    r.contador = 3;
  }
  if (!stMesa.empty()) {
    r.Linha("ECF:" + nrEcfConf + "-Conf.Mesa -CER: " + nrCerConf + "- COO: " + nrCooConf);
    ++r.contador;
  }
  // The balance the consumer is left with: the balance before the sale, less
  // what the sale took from the account, plus the subsidy. The agreement
  // footer prints it too, rather than a balance line that always reads 0,00.
  const double saldoConsumidor = vrSaldoConsumidor - vrPagoConta + vrPrecoSubsidio;

  if (stTipoRodape == "1") {
    RodapeConvenio(r, dm, cdConvenio, nmConvenio, cdConsumidor, nmConsumidor, cdOperador,
                   nmOperador, stMesa, stSenha, stMensagem, saldoConsumidor, vrPrecoSubsidio);
    return r.texto;
  }
  if (stTipoRodape != "2") return r.texto;

  const auto& msg = dm.msgPadrao;
  if (boAnexaLista) AnexaLista(r, slLinhas);
  if (!cdConvenio.empty() && !cdConsumidor.empty() && r.Cabe()) {
    // Without a consumer name the line has no line feed of its own and the
    // next line continues it.
    if (!nmConvenio.empty()) r.texto += Copy(nmConvenio, 1, kColunasNomeConvenio) + " - ";
    if (!nmConsumidor.empty()) r.Linha(Copy(nmConsumidor, 1, kColunasNomeConsumidor));
  }
  if (stModoSaldo == "1") {
    if (stTipoSaldo == "0") {
      if (r.Cabe()) {
        r.Linha(msg.Msg("Sald_Cons") + "  " +
                receipt::ValorRodape(receipt::SaldoTotal(cdsSaldos, vrPagoConta)));
        ++r.contador;
      }
    } else if (stTipoSaldo == "1" && cdsSaldos.Active() && !cdsSaldos.IsEmpty()) {
      const std::string bloco = receipt::BlocoFamilias(cdsSaldos, cdsFamilias, cdsEmprestimos);
      const int linhas = receipt::LinhasDoTexto(bloco);
      if (linhas <= r.limite - r.contador) {
        r.texto += bloco;
        r.contador += linhas;
      }
    }
  } else if (stModoSaldo == "2" && (stTipoSaldo == "0" || stTipoSaldo == "1")) {
    if (r.Cabe()) {
      r.Linha(msg.Msg("Sald_Cons") + "  " + receipt::ValorRodape(saldoConsumidor));
      ++r.contador;
    }
  }
  if (vrPrecoSubsidio != 0 && r.Cabe()) {
    r.Linha(msg.Msg("PRECO_SUBSIDIO") + "  " + receipt::ValorRodape(vrPrecoSubsidio));
    ++r.contador;
  }
  if (r.Cabe() && (!stMesa.empty() || !stSenha.empty())) {
    r.Linha(stMesa + stSenha);
    ++r.contador;
  }
  for (const std::string* pontos : {&stPontos, &stPontosExtras}) {
    if (r.Cabe() && !pontos->empty()) {
      r.Linha(hostlib::Centraliza(*pontos, kColunasPontos));
      ++r.contador;
    }
  }
  AnexaMensagem(r, stMensagem);
  if (r.Cabe()) {
    r.Linha(kLinhaSuporte);
    ++r.contador;
  }
  if (r.Cabe()) r.Linha(msg.Msg("Operador") + ": " + cdOperador + " - " + nmOperador);
  return r.texto;
}

}  // namespace Tov00300
