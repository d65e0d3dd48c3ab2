// The withdrawal receipt's two copies and the closing report.
#include "documents/closing_texts.h"

#include "documents/report_columns.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300::documents {

namespace {

using hostlib::Centraliza;
using hostlib::Replicate;
using hostlib::TamFixo;
using hostlib::TamFixoR;

// The receipt counts its lines in blocks of ten: a total that closes a block
// is followed by one more empty line.
constexpr int kLineBlock = 10;

struct ClosingRow {
  std::string envelope, method;
  int64_t amount = 0;
};

std::vector<ClosingRow> ReadClosingRows(DataSet& table, const char* amountField) {
  std::vector<ClosingRow> rows;
  if (table.IsEmpty()) return rows;
  RequireFields(table, "cdsMovFecha", {"NRENVELOPE", "NMTIPORECE", amountField});
  const Field envelope = table.FieldByName("NRENVELOPE");
  const Field method = table.FieldByName("NMTIPORECE");
  const Field amount = table.FieldByName(amountField);
  for (table.First(); !table.Eof(); table.Next())
    rows.push_back({TextOf(envelope), TextOf(method), Cents(NumberOf(amount), amountField)});
  return rows;
}

// "<caption> : <code> <name>" of the first row, cut to the paper.
std::string Signature(DataSet& people, const char* caption, const char* codeField,
                      const char* nameField) {
  std::string code, name;
  if (!people.IsEmpty()) {
    RequireFields(people, "cdsOperadorSup", {codeField, nameField});
    people.First();
    code = TextOf(people.FieldByName(codeField));
    name = TextOf(people.FieldByName(nameField));
  }
  return Copy(Caption(caption) + " : " + code + " " + name, 1, kPaperWidth);
}

}  // namespace

std::string WithdrawalReceipts(DataSet& closingAmounts, DataSet& people,
                               const ReceiptOptions& options) {
  const std::vector<ClosingRow> rows =
      ReadClosingRows(closingAmounts, options.typedAmounts ? "VRFECHADIG" : "VRFECHAINF");
  const std::string signatures[] = {Signature(people, "Superv", "CDSUPERVISOR", "NMSUPERVISOR"),
                                    Signature(people, "Operador", "CDOPERADOR", "NMOPERADOR")};
  const char* titles[] = {"RecSangria3", "RecSangria1"};
  const std::string rule = Replicate("-", kPaperWidth);

  std::string out = "\n";
  out.reserve(2 * (rows.size() + 16) * (kPaperWidth + 1));
  int lineCount = 1;
  for (int copy = 0; copy < 2; ++copy) {
    Line(out, Centraliza(Caption(titles[copy]), kPaperWidth));
    lineCount += 1;
    Line(out, rule);
    bool noted = false;
    if (!hostlib::EmptyString(options.reason)) {
      Line(out, Caption("Motivo") + options.reason);
      noted = true;
    }
    if (!hostlib::EmptyString(options.observation)) {
      Line(out, Caption("Observacao") + options.observation);
      noted = true;
    }
    if (noted) Line(out, rule);

    const std::string columns =
        TamFixo(Caption("Modalidade"), 25) + " " + TamFixoR(Caption("Valor_"), 15);
    Line(out, options.envelopeColumn ? Caption("Envelope") + " " + columns : columns);
    lineCount += 2;
    int64_t total = 0;
    for (const ClosingRow& row : rows) {
      out +=
          AmountRow(row.envelope + " " + TamFixo(row.method, 25) + " ", {{Money(row.amount), 15}});
      AddTo(total, row.amount);
      lineCount += 1;
    }
    out += AmountRow(TamFixo(Caption("Sangrias"), 27), {{Money(total), 15}});
    Line(out, "");
    lineCount += 2;
    if ((lineCount - 3) % kLineBlock == 0) {
      Line(out, "");
      lineCount += 1;
    }
    Line(out, rule);
    Line(out, signatures[copy]);
    lineCount += 2;
  }
  return out;
}

Movements ReadMovements(DataSet& table) {
  Movements movements;
  if (table.IsEmpty()) return movements;
  RequireFields(table, table.Name(), {"IDTIPOREG", "NMTIPORECE", "VRSAIDA"});
  const Field type = table.FieldByName("IDTIPOREG");
  const Field method = table.FieldByName("NMTIPORECE");
  const Field amount = table.FieldByName("VRSAIDA");
  for (table.First(); !table.Eof(); table.Next()) {
    const std::string kind = TextOf(type);
    const int64_t cents = Cents(NumberOf(amount), "VRSAIDA");
    if (kind == "1" || kind == "5") {
      movements.withdrawals.emplace_back(TextOf(method), cents);
      AddTo(movements.withdrawn, cents);
    } else if (kind == "2") {
      movements.issued = cents;
    } else if (kind == "3") {
      movements.supply = cents;
    } else if (kind == "4") {
      movements.received = cents;
    }
  }
  return movements;
}

int64_t SalesOf(const DataSet& products) {
  const DataPacket packet = products.Data();
  RequireFields(packet, "produtos", {"VRTOTAL"});
  size_t column = 0;
  while (column < packet.fields.size() && !SameText(packet.fields[column].name, "VRTOTAL"))
    ++column;
  int64_t sales = 0;
  for (const auto& row : packet.rows) {
    const Variant& value = row[column];
    if (value.IsNull() || value.IsEmpty()) continue;
    double number = 0;
    try {
      number = value.AsDouble();
    } catch (const ConversionError&) {
      throw BadInput(Utf8ToCp1252("Valor inválido em VRTOTAL: \"") + value.AsString() +
                     Utf8ToCp1252("\". Nada foi impresso."));
    }
    AddTo(sales, Cents(number, "VRTOTAL"));
  }
  return sales;
}

int64_t CreditPurchasesOf(DataSet& credit) {
  if (credit.IsEmpty()) return 0;
  RequireFields(credit, "VRCARGACREDITO", {"VRCARGACREDITO"});
  return Cents(NumberOf(credit.FieldByName("VRCARGACREDITO")), "VRCARGACREDITO");
}

std::string ClosingReport(const std::string& title, int64_t sales, int64_t credit,
                          const Movements& movements) {
  const std::string rule = Replicate("-", kPaperWidth);
  std::string out;
  out.reserve((movements.withdrawals.size() + 16) * (kPaperWidth + 1));
  Line(out, Centraliza(title, 47));
  Line(out, "");
  out += AmountRow(TamFixo(Caption("Vendas"), 35), {{Money(sales), 13}});
  out += AmountRow(TamFixo("Compra de Credito", 35), {{Money(credit), 13}});
  Line(out, rule);
  for (const auto& [method, cents] : movements.withdrawals)
    out += AmountRow(TamFixo(method, 33), {{Money(cents), 15}});
  out += AmountRow(TamFixo(Caption("CV-RECEBIDO") + "(+)", 33), {{Money(movements.received), 15}});
  out += AmountRow(TamFixo(Caption("CV-EMITIDO") + "(-)", 33), {{Money(movements.issued), 15}});
  out += AmountRow(TamFixo(UpperCase(Caption("Suprimento")) + "(-)", 33),
                   {{Money(movements.supply), 15}});
  Line(out, rule);

  int64_t withdrawals = movements.withdrawn;
  AddTo(withdrawals, movements.received);
  AddTo(withdrawals, -movements.supply);
  AddTo(withdrawals, -movements.issued);
  int64_t difference = withdrawals;
  AddTo(difference, -sales);
  AddTo(difference, -credit);
  out += AmountRow(TamFixo(Caption("Sangrias"), 33), {{Money(withdrawals), 15}});
  Line(out, "");
  out += AmountRow(TamFixo(Caption(difference >= 0 ? "Sobra" : "Falta"), 33),
                   {{Money(difference), 15}});
  return out;
}

}  // namespace Tov00300::documents
