// The voucher of a purchase on a consumer's personal credit, with the
// balances that remain.
#include <cmath>
#include <stdexcept>
#include <string>

#include "documents/account_text.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/shared_reads.h"
#include "tov00300/accounts.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

using documents::AmountRow;
using documents::Catalogue;
using documents::Line;
using documents::Line48;
using documents::Rule;
using hostlib::TamFixo;

std::string ProductLines(DataSet& products) {
  std::string text;
  for (products.First(); !products.Eof(); products.Next()) {
    const double quantity = products.FieldByName("QTPRODCOMVEN").AsFloat();
    const double price = products.FieldByName("VRPRECCOMVEN").AsFloat();
    // Figures too large to count (their product would print as "INF") stop
    // the voucher: it must show what the consumer pays.
    documents::Units(quantity, 3, "QTPRODCOMVEN");
    documents::Units(price, 2, "VRPRECCOMVEN");
    // The item's value as the printer computes it: cut to the cent, in decimal.
    const int64_t value = documents::Units(quantity * price, 2, "QTPRODCOMVEN x VRPRECCOMVEN",
                                           /*truncate=*/true);
    std::string description = Copy(products.FieldByName("CDARVPROD").AsString(), 1, 10) + " " +
                              Copy(products.FieldByName("NMPRODUTO").AsString(), 1, 12) + "  " +
                              FormatFloat("0.00#", quantity);
    // Padded to 30 columns but never cut: the quantity ends it.
    if (description.size() < 30) description.resize(30, ' ');
    text += AmountRow(description + "  ",
                      {{FormatFloat("0.00", price), 8}, {documents::Money(value), 8}});
  }
  return text;
}

// The amount a family has left once the receipt closing's figures are taken
// out: its balance in the family table and its loan movement (debit first,
// else credit) in the loan table. Throws BadInput when no receipt closing
// has left those tables to take them from.
double FamilyAmount(const std::string& family, double balance) {
  TdtmDaruma300& dm = DataModule();
  std::string missing =
      documents::MissingField(dm.cdsFamiliaSaldo, {"CDFAMILISALD", "VRSALDCONFAM"});
  if (missing.empty() && dm.cdsEmprestimo.Active()) {
    missing =
        documents::MissingField(dm.cdsEmprestimo, {"CDFAMILISALD", "IDTPMOVEXT", "VRMOVEXTCONS"});
    if (!missing.empty()) missing = "cdsEmprestimo: " + missing;
  } else if (!missing.empty()) {
    missing = "cdsFamiliaSaldo: " + missing;
  }
  if (!missing.empty()) {
    throw documents::BadInput(Utf8ToCp1252("Campo ausente para o comprovante de crédito: \"") +
                              missing + "\"");
  }
  const LocateOptions anyCase{true, false};
  const bool found = dm.cdsFamiliaSaldo.Locate("CDFAMILISALD", Variant(family), anyCase);
  const double familyBalance = found ? dm.cdsFamiliaSaldo.FieldByName("VRSALDCONFAM").AsFloat() : 0;
  DataSet& loans = dm.cdsEmprestimo;
  if (loans.Active()) {
    if (loans.Locate("CDFAMILISALD;IDTPMOVEXT",
                     Variant(VariantArray{Variant(family), Variant("D")}), anyCase)) {
      return balance - familyBalance - loans.FieldByName("VRMOVEXTCONS").AsFloat();
    }
    if (found && loans.Locate("CDFAMILISALD;IDTPMOVEXT",
                              Variant(VariantArray{Variant(family), Variant("C")}), anyCase)) {
      return balance - familyBalance + loans.FieldByName("VRMOVEXTCONS").AsFloat();
    }
  }
  return balance - familyBalance;
}

std::string BalanceSection(const std::string& mode, double finalBalance) {
  DataSet& families = DataModule().cdsSaldCred;
  std::string text;
  if (mode == "0") {
    for (families.First(); !families.Eof(); families.Next()) {
      finalBalance += families.FieldByName("VRSALDCONFAM").AsFloat();
    }
    text +=
        Line(documents::WithValue(documents::Catalogue2("SALDO_FIN"), CurrToStrF(finalBalance)));
  } else if (mode == "1") {
    for (families.First(); !families.Eof(); families.Next()) {
      const double balance = families.FieldByName("VRSALDCONFAM").AsFloat();
      if (balance == 0) continue;
      const double amount = FamilyAmount(families.FieldByName("CDFAMILISALD").AsString(), balance);
      text += AmountRow(TamFixo(families.FieldByName("NMFAMILISALD").AsString(), 25),
                        {{documents::Fixed2(amount), 22}});
    }
  }
  return text;
}

// What the voucher reads from the host's sets that they do not carry; ""
// when everything is there. The receipt closing's tables are checked only
// when a family's balance needs them.
std::string MissingInput(const Variant& products, const Variant& balances,
                         const std::string& mode) {
  std::string missing =
      documents::MissingField(products, {"CDARVPROD", "NMPRODUTO", "QTPRODCOMVEN", "VRPRECCOMVEN"});
  if (!missing.empty()) return "produtos: " + missing;
  if (mode != "0" && mode != "1") return "";
  missing = documents::MissingField(balances, {"CDFAMILISALD", "NMFAMILISALD", "VRSALDCONFAM"});
  if (!missing.empty()) return "saldos: " + missing;
  return "";
}

}  // namespace

bool Imp_CompVenCred(const std::string& scheme, const Variant& products, const Variant& balances,
                     double value, const std::string& /*unused5*/,
                     const std::string& consumerNumber, const std::string& consumerName,
                     const std::string& client, const std::string& client2,
                     const std::string& password, double balance, double subsidisedPrice,
                     double complement, const std::string& balanceMode) {
  for (const double amount : {value, balance, subsidisedPrice, complement}) {
    if (!std::isfinite(amount)) {
      documents::ReportBadInput(
          scheme, "Valor inválido para o comprovante de crédito: ", FloatToStr(amount));
      return false;
    }
  }
  // A purchase of nothing prints nothing, whatever the sets hold.
  if (!(RoundDec(value, 2) > 0)) return true;
  const std::string missing = MissingInput(products, balances, balanceMode);
  if (!missing.empty()) {
    documents::ReportBadInput(scheme, "Campo ausente para o comprovante de crédito: ", missing);
    return false;
  }
  TdtmDaruma300& dm = DataModule();
  dm.cdsProdCred.SetData(products.AsDataPacket());
  if (balances.kind() == Variant::Kind::DataPacket) dm.cdsSaldCred.SetData(balances.AsDataPacket());
  const double finalBalance = balance + subsidisedPrice + complement - value;
  const std::string passwordText = password.empty() ? "" : Catalogue("SEN_PED") + password + "\r\n";

  std::string text;
  try {
    text = Line("");
    text += documents::Centred(Catalogue("CompraCredito"));
    text += Rule();
    text += Line48(Catalogue("CDCLIE") + client);
    text += Line48(std::string(9, ' ') + client2);
    text += Rule();
    text += Line48(Catalogue("CDCons") + consumerNumber);
    text += Line48(Catalogue("NmCons") + consumerName);
    text += Rule();
    text += documents::Centred(Catalogue("ProdVend")) + Rule(' ');
    text += Line48(Catalogue("Cabecalho"));
    text += ProductLines(dm.cdsProdCred);
    text += Rule(' ');
    text +=
        AmountRow(TamFixo(Copy(Catalogue("Total"), 1, 40), 15), {{FormatFloat("0.00", value), 33}});
    text += Rule();
    text += passwordText.substr(0, documents::kReportColumns);
    text += BalanceSection(balanceMode, finalBalance);
  } catch (const documents::BadInput& problem) {
    driver::ReportProblem(scheme, problem.what(), boNUtilTaa);
    return false;
  } catch (const std::runtime_error& e) {
    // A field holding something that is not a number.
    documents::ReportBadInput(scheme, "Dados inválidos para o comprovante de crédito: ", e.what());
    return false;
  }
  if (subsidisedPrice > 0) text += Catalogue("PRECO_SUBSIDIO") + " " + CurrToStrF(subsidisedPrice);
  if (complement > 0) text += Catalogue("VR_COMPLEMENTO") + " " + CurrToStrF(complement);

  // Only to talk to the printer before the report: the number is not printed.
  driver::ReceiptNumber(scheme);
  return RG_FrameWork(scheme, text);
}

}  // namespace Tov00300
