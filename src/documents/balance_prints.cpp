// The consumers' balance and statement prints: family balances, the debit
// balance, the statement, the personal-credit balances and the list of
// negative balances.
#include <optional>
#include <string>
#include <vector>

#include "documents/account_text.h"
#include "documents/report_text.h"
#include "driver/shared_reads.h"
#include "tov00300/accounts.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

using documents::AmountRow;
using documents::ComposeText;
using documents::Fixed2;
using documents::Line;
using documents::NumberOf;
using documents::RequireFields;
using documents::Rule;
using hostlib::TamFixo;

std::string BalanceHeader(const std::string& textA, const std::string& textB) {
  return documents::Centred(">>> Consulta Saldo <<<") + Rule() + Line(textA + " - " + textB) +
         Line("");
}

// The total under a column of 11: a short rule over it, then the amount.
std::string TotalLines(double total, int nameWidth, int amountWidth) {
  return Line(std::string(nameWidth, ' ') + std::string(amountWidth, '-')) +
         AmountRow(TamFixo("Saldo Total", nameWidth), {{Fixed2(total), amountWidth}});
}

// Prints the text into the open report and closes it; false when either
// was refused.
bool PrintAndClose(const std::string& scheme, const std::string& text,
                   const std::string& closeScheme) {
  const bool printed = documents::PrintIntoReport(scheme, text);
  const bool closed = FechRelatGerenc(closeScheme, true, false);
  return printed && closed;
}

}  // namespace

// ImpSaldo and ImpSaldoDeb print into the report their caller opened and
// must close it. Their text is composed before anything is printed: a set
// they cannot read is reported, nothing is printed and the report is still
// closed. A set without rows, also one the host never opened, gives the
// header and a total of zero.

bool ImpSaldo(const std::string& scheme, DataSet& balances, const std::string& textA,
              const std::string& textB) {
  const std::optional<std::string> text = ComposeText(scheme, [&] {
    std::string text = BalanceHeader(textA, textB);
    double total = 0;
    if (!balances.IsEmpty()) {
      RequireFields(balances, "saldos", {"NMFAMILISALD", "SALDOFAM"});
      for (; !balances.Eof(); balances.Next()) {
        const double amount = NumberOf(balances.FieldByName("SALDOFAM"));
        text += AmountRow(TamFixo(balances.FieldByName("NMFAMILISALD").AsString(), 37),
                          {{Fixed2(amount), 11}});
        total += amount;
      }
    }
    return text + TotalLines(total, 37, 11);
  });
  if (!text) {
    FechRelatGerenc("", true, false);
    return false;
  }
  driver::ReceiptNumber(scheme);
  return PrintAndClose(scheme, *text, "");
}

bool ImpSaldoDeb(const std::string& scheme, DataSet& consumer, const std::string& textA,
                 const std::string& textB) {
  const std::optional<std::string> total = ComposeText(scheme, [&] {
    double balance = 0;
    if (!consumer.IsEmpty()) {
      RequireFields(consumer, "saldo do consumidor", {"VRSALDOCONS"});
      balance = NumberOf(consumer.FieldByName("VRSALDOCONS"));
    }
    return TotalLines(balance, 37, 11);
  });
  if (!total) {
    FechRelatGerenc(scheme, true, false);
    return false;
  }
  driver::ReceiptNumber(scheme);
  const bool headed = documents::PrintIntoReport(scheme, BalanceHeader(textA, textB));
  // The balance goes on even when the header was refused: the operator
  // still needs the figure.
  return PrintAndClose(scheme, *total, scheme) && headed;
}

bool Extrato(const std::string& statement, const std::string& scheme) {
  bool printed = true;
  // A group longer than the printer takes (a very long line) is still
  // printed whole, in pieces.
  for (std::string_view group : documents::LineGroups(statement)) {
    printed = documents::PrintIntoReport(scheme, group) && printed;
  }
  const bool closed = FechRelatGerenc(scheme, boNUtilTaa, false);
  return closed && printed;
}

bool Saldo_CredPessoal(const std::string& /*unused1*/, const std::string& /*unused2*/,
                       const std::string& scheme, const std::string& title, DataSet& balances) {
  const std::optional<std::string> text = ComposeText(scheme, [&] {
    std::string text = Line("") + documents::Centred(title) + Rule(' ');
    double total = 0;
    if (!balances.IsEmpty()) {
      RequireFields(balances, "saldos", {"NMFAMILISALD", "VRSALDCONFAM"});
      for (balances.First(); !balances.Eof(); balances.Next()) {
        const double amount = NumberOf(balances.FieldByName("VRSALDCONFAM"));
        // A family without balance is left out of the list and the total.
        if (amount == 0) continue;
        text += AmountRow(TamFixo(balances.FieldByName("NMFAMILISALD").AsString(), 25),
                          {{Fixed2(amount), 15}});
        total += amount;
      }
    }
    text += Rule();
    return text + AmountRow(TamFixo("Saldo Total", 25), {{Fixed2(total), 15}});
  });
  if (!text) return false;
  driver::ReceiptNumber(scheme);
  return RG_FrameWork(scheme, *text);
}

bool SaldoNegativo(const std::string& /*header1*/, const std::string& scheme, DataSet& types,
                   DataSet& consumers, const std::string& title, const std::string& registerId,
                   const std::string& /*header2*/, const std::string& /*header3*/) {
  std::string missing = documents::MissingField(types, {"CDTIPOCONS", "NMTIPOCONS"});
  if (missing.empty()) {
    missing = documents::MissingField(consumers, {"CDTIPOCONS", "NMCONSUMIDOR", "SALDONEGATIVO"});
  }
  if (!missing.empty()) {
    documents::ReportBadInput(scheme, "Campo ausente nos saldos negativos: ", missing);
    return false;
  }
  // The list is composed whole before its header is printed, so an amount
  // that is no number stops it with nothing on paper. Each piece is what
  // one print call gets: a consumer's line (after its group's heading), or
  // a group's total.
  std::vector<std::string> pieces;
  const bool composed =
      ComposeText(scheme, [&] {
        for (; !types.Eof(); types.Next()) {
          std::string type = types.FieldByName("CDTIPOCONS").AsString();
          // An apostrophe in a code is doubled so the filter reads it as text.
          std::string quoted;
          for (char c : type) quoted += c == '\'' ? std::string("''") : std::string(1, c);
          consumers.SetFilter("CDTIPOCONS = '" + quoted + "'");
          consumers.SetFiltered(true);
          consumers.First();
          if (consumers.Eof()) continue;

          std::string text =
              pieces.empty() ? documents::Centred(">>> Saldo Negativo por Consumidor <<<") + Rule()
                             : Rule();
          text += Line(types.FieldByName("NMTIPOCONS").AsString());
          double total = 0;
          for (; !consumers.Eof(); consumers.Next()) {
            const double amount = NumberOf(consumers.FieldByName("SALDONEGATIVO"));
            text += AmountRow(TamFixo(consumers.FieldByName("NMCONSUMIDOR").AsString() + "  ", 37),
                              {{Fixed2(amount), 10}});
            total += amount;
            pieces.push_back(std::move(text));
            text.clear();
          }
          pieces.push_back(TotalLines(total, 37, 11));
        }
        return std::string();
      }).has_value();
  if (!composed) return false;
  driver::ReceiptNumber(scheme);
  if (pieces.empty()) return false;
  // The list goes on under a refused header (the operator still needs the
  // figures), but the report the host asked for was not printed whole.
  bool refused = !documents::PrintReportHeader(scheme, title, registerId);
  for (const std::string& piece : pieces) {
    refused = !documents::PrintIntoReport(scheme, piece) || refused;
  }
  const bool closed = FechRelatGerenc("", true, false);
  return closed && !refused;
}

}  // namespace Tov00300
