// The closing's tables: loaded from the host's packets, and the payment lines
// built from the movement rows.
#include <string>

#include "receipt/closing_steps.h"
#include "tov00300/datamodule.h"
#include "tov00300/dataset.h"

namespace Tov00300::receipt {

namespace {

const char kChangeOrderIndex[] = "idxNRORDTROCO";

// The movement tables visit their rows by change order, then time of entry,
// so the payments reach the printer in the order the host took them.
void LoadMovements(DataSet& table, const DataPacket& packet) {
  table.Close();
  table.AddIndex({kChangeOrderIndex, "NRORDTROCO;DTHRINCMOV"});
  table.AddIndex({"idxDTHRINCMOV", "DTHRINCMOV"});
  table.SetIndexName(kChangeOrderIndex);
  table.SetData(packet);
}

// A balance table the host did not send stays closed; the footer reads a
// closed table as one without rows.
void LoadBalances(DataSet& table, const Variant& packet) {
  if (packet.IsEmpty() || packet.IsNull()) {
    table.Close();
  } else {
    table.SetData(packet.AsDataPacket());
  }
}

void CopyRow(DataSet& source, DataSet& target) {
  target.Append();
  for (int i = 0; i < source.FieldCount(); ++i) target.Fields(i).SetValue(source.Fields(i).Value());
  target.Post();
}

// The payment type a line is paid as: a card line stands for the type it
// was taken for.
std::string PaymentTypeCode(DataSet& row) {
  if (row.FieldByName("CDBANCARTCR").AsString().empty()) {
    return row.FieldByName("CDTIPORECE").AsString();
  }
  return row.FieldByName("CDTIPORECEORIG").AsString();
}

}  // namespace

void LoadClosingTables(const ClosingPositions& p) {
  TdtmDaruma300& dm = DataModule();
  const DataPacket& movements = p.movements.AsDataPacket();
  LoadMovements(dm.cdsMovCaixa, movements);
  LoadMovements(dm.cdsMovCaixaTef, movements);
  dm.cdsMovCaixaTef.EmptyDataSet();
  dm.cdsRecebAux.SetData(p.paymentTypes.AsDataPacket());
  LoadBalances(dm.cdsSaldCred, p.balances);
  LoadBalances(dm.cdsFamiliaSaldo, p.familyBalances);
  LoadBalances(dm.cdsEmprestimo, p.loans);
}

bool PaidOnPrinter(const std::string& movementKind) {
  return movementKind == "E" || movementKind == "T";
}

void BuildPaymentLines(bool cardSale) {
  TdtmDaruma300& dm = DataModule();
  DataSet& movements = dm.cdsMovCaixa;
  DataSet& lines = dm.cdsMovCaixaTef;
  for (movements.First(); !movements.Eof(); movements.Next()) {
    if (cardSale && PaidOnPrinter(movements.FieldByName("IDTIPOMOVIVE").AsString())) {
      // One payment per type in a card sale: the card receipts are printed
      // per payment method afterwards.
      const Variant key(VariantArray{movements.FieldByName("CDTIPORECE").AsString(), "E"});
      if (lines.Locate("CDTIPORECE;IDTIPOMOVIVE", key)) {
        lines.Edit();
        Field amount = lines.FieldByName("VRMOVIVEND");
        amount.SetAsFloat(amount.AsFloat() + movements.FieldByName("VRMOVIVEND").AsFloat());
        lines.Post();
        continue;
      }
    }
    CopyRow(movements, lines);
  }
}

bool LocatePaymentType(DataSet& row) {
  return DataModule().cdsRecebAux.Locate("CDTIPORECE", Variant(PaymentTypeCode(row)));
}

bool MissingPaymentType(std::string& code) {
  DataSet& lines = DataModule().cdsMovCaixaTef;
  for (lines.First(); !lines.Eof(); lines.Next()) {
    if (!PaidOnPrinter(lines.FieldByName("IDTIPOMOVIVE").AsString())) continue;
    if (!LocatePaymentType(lines)) {
      code = PaymentTypeCode(lines);
      return true;
    }
  }
  return false;
}

}  // namespace Tov00300::receipt
