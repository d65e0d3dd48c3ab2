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
constexpr std::string_view kSupportLine = "Suporte: fale com o responsavel pelo sistema";

constexpr int kPointsColumns = 40;
constexpr int kLineColumns = 48;
// Where more than one line is left, a message that does not fit is cut at
// this many characters per remaining line.
constexpr int kColumnsPerLineLeft = 16;
constexpr int kAgreementNameColumns = 20;
constexpr int kConsumerNameColumns = 22;
constexpr int kIdentificationColumns = 40;

// The text under composition and the lines of the limit it has used.
struct Footer {
  std::string text;
  int used = 0;
  int limit = 0;

  bool HasRoom() const { return used < limit; }
  void AddLine(std::string_view line) {
    text += line;
    text += '\n';
  }
};

// Each text of the list goes in line by line. Every line but the last piece
// of a text counts against the limit; the last piece does not.
void AppendList(Footer& r, const StringList& lines) {
  for (const std::string& line : lines.Items()) {
    size_t start = 0;
    while (start < line.size()) {
      const size_t lineBreak = line.find('\n', start);
      if (lineBreak == std::string::npos) {
        r.AddLine(std::string_view(line).substr(start));
        break;
      }
      r.AddLine(std::string_view(line).substr(start, lineBreak - start));
      ++r.used;
      start = lineBreak + 1;
    }
  }
}

// The free message within the lines left: whole when it fits; else one
// printer line of it when one line is left, or 16 characters per line left.
void AppendMessage(Footer& r, const std::string& message) {
  const int lines = receipt::LineCount(message);
  const int linesLeft = r.limit - r.used;
  if (lines <= linesLeft) {
    if (!message.empty()) r.AddLine(message);
    r.used += lines;
    return;
  }
  if (message.empty() || linesLeft <= 0) return;
  if (linesLeft == 1) {
    r.AddLine(Copy(message, 1, kLineColumns));
    ++r.used;
    return;
  }
  const int cut = kColumnsPerLineLeft * linesLeft;
  const int size = static_cast<int>(message.size());
  if (size >= cut) {
    r.AddLine(Copy(message, 1, cut));
    r.used += linesLeft;
  } else {
    r.AddLine(message);
    r.used += size / kLineColumns + (size % kLineColumns != 0 ? 1 : 0);
  }
}

// The agreement footer: every line goes in whatever the limit.
void AgreementFooter(Footer& r, const TdtmDaruma300& dm, const std::string& cdConvenio,
                     const std::string& nmConvenio, const std::string& cdConsumidor,
                     const std::string& nmConsumidor, const std::string& cdOperador,
                     const std::string& nmOperador, const std::string& table,
                     const std::string& password, const std::string& message, double balance,
                     double subsidyPrice) {
  const auto& msg = dm.msgPadrao;
  r.AddLine(msg.Msg("Convenio") +
            " ..: " + Copy(cdConvenio + " - " + nmConvenio, 1, kIdentificationColumns));
  r.AddLine(msg.Msg("Consumidor") + " : " +
            Copy(cdConsumidor + " - " + nmConsumidor, 1, kIdentificationColumns));
  r.AddLine(msg.Msg("Sald_Cons") + " - " + receipt::FooterAmount(balance));
  r.AddLine(msg.Msg("PRECO_SUBSIDIO") + " - " + receipt::FooterAmount(subsidyPrice));
  r.AddLine(table + password);
  r.AddLine(msg.Msg("Operador") + ": " + cdOperador + " - " + nmOperador);
  r.AddLine(kSupportLine);
  if (receipt::LineCount(message) <= 1) r.text += message;
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
  Footer r;
  r.limit = inLimite;
  r.text.reserve(512);
  r.AddLine(stLinha1);
  r.AddLine(stTributos);
  r.used = 2;
  if (!stLinha3.empty()) {
    r.AddLine(stLinha3);
    r.used = 3;
  }
  if (!stMesa.empty()) {
    r.AddLine("ECF:" + nrEcfConf + "-Conf.Mesa -CER: " + nrCerConf + "- COO: " + nrCooConf);
    ++r.used;
  }
  // The balance the consumer is left with: the balance before the sale, less
  // what the sale took from the account, plus the subsidy. The agreement
  // footer prints it too, rather than a balance line that always reads 0,00.
  const double consumerBalance = vrSaldoConsumidor - vrPagoConta + vrPrecoSubsidio;

  if (stTipoRodape == "1") {
    AgreementFooter(r, dm, cdConvenio, nmConvenio, cdConsumidor, nmConsumidor, cdOperador,
                    nmOperador, stMesa, stSenha, stMensagem, consumerBalance, vrPrecoSubsidio);
    return r.text;
  }
  if (stTipoRodape != "2") return r.text;

  const auto& msg = dm.msgPadrao;
  if (boAnexaLista) AppendList(r, slLinhas);
  if (!cdConvenio.empty() && !cdConsumidor.empty() && r.HasRoom()) {
    // Without a consumer name the line has no line feed of its own and the
    // next line continues it.
    if (!nmConvenio.empty()) r.text += Copy(nmConvenio, 1, kAgreementNameColumns) + " - ";
    if (!nmConsumidor.empty()) r.AddLine(Copy(nmConsumidor, 1, kConsumerNameColumns));
  }
  if (stModoSaldo == "1") {
    if (stTipoSaldo == "0") {
      if (r.HasRoom()) {
        r.AddLine(msg.Msg("Sald_Cons") + "  " +
                  receipt::FooterAmount(receipt::TotalBalance(cdsSaldos, vrPagoConta)));
        ++r.used;
      }
    } else if (stTipoSaldo == "1" && cdsSaldos.Active() && !cdsSaldos.IsEmpty()) {
      const std::string block = receipt::FamilyBlock(cdsSaldos, cdsFamilias, cdsEmprestimos);
      const int lines = receipt::LineCount(block);
      if (lines <= r.limit - r.used) {
        r.text += block;
        r.used += lines;
      }
    }
  } else if (stModoSaldo == "2" && (stTipoSaldo == "0" || stTipoSaldo == "1")) {
    if (r.HasRoom()) {
      r.AddLine(msg.Msg("Sald_Cons") + "  " + receipt::FooterAmount(consumerBalance));
      ++r.used;
    }
  }
  if (vrPrecoSubsidio != 0 && r.HasRoom()) {
    r.AddLine(msg.Msg("PRECO_SUBSIDIO") + "  " + receipt::FooterAmount(vrPrecoSubsidio));
    ++r.used;
  }
  if (r.HasRoom() && (!stMesa.empty() || !stSenha.empty())) {
    r.AddLine(stMesa + stSenha);
    ++r.used;
  }
  for (const std::string* points : {&stPontos, &stPontosExtras}) {
    if (r.HasRoom() && !points->empty()) {
      r.AddLine(hostlib::Centraliza(*points, kPointsColumns));
      ++r.used;
    }
  }
  AppendMessage(r, stMensagem);
  if (r.HasRoom()) {
    r.AddLine(kSupportLine);
    ++r.used;
  }
  if (r.HasRoom()) r.AddLine(msg.Msg("Operador") + ": " + cdOperador + " - " + nmOperador);
  return r.text;
}

}  // namespace Tov00300
