// DadosUltimaRedZ: the record of the last Z reduction (register 140).
#include <string>
#include <vector>

#include "driver/registers.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

constexpr int kResultElements = 49;
constexpr int kSlotTotalWidth = 14;
constexpr int kRateEntryWidth = 5;

std::string Amount(const std::string& record, int position, int length) {
  return FormatFloat("00.00", GetValue(Copy(record, position, length)));
}

DateTime ReductionDate(const std::string& record) {
  return DateTime::FromParts(StrToInt(Copy(record, 5, 4)), StrToInt(Copy(record, 3, 2)),
                             StrToInt(Copy(record, 1, 2)));
}

// One row per tax-rate slot that sold something. The slot totals and the rate
// entries are walked together, so a slot keeps its own number even when the
// slots before it sold nothing.
DataPacket TaxRows(const std::string& record) {
  DataPacket packet;
  packet.fields = {{"CDALIQIMPFIS", FieldType::String, 10},
                   {"VRALIQIMPFIS", FieldType::String, 14},
                   {"VRIMPOSTO", FieldType::String, 14},
                   {"VRVENDIDO", FieldType::String, 14},
                   {"CDIMPOSTO", FieldType::String, 10}};
  std::string totals = Copy(record, 129, 16 * kSlotTotalWidth);
  std::string rates = Copy(record, 843, 16 * kRateEntryWidth);
  int slot = 1;
  while (!hostlib::EmptyString(totals)) {
    double total = GetValue(Copy(totals, 1, kSlotTotalWidth));
    if (total > 0) {
      double rate = GetValue(Copy(Copy(rates, 1, kRateEntryWidth), 2, 4));
      packet.rows.push_back({Variant(hostlib::Ajusta(IntToStr(slot), 2)),
                             Variant(FormatFloat("00.00", rate)),
                             Variant(FormatFloat("00.00", rate * total / 100)),
                             Variant(FormatFloat("00.00", total)), Variant("00")});
    }
    totals = Copy(totals, kSlotTotalWidth + 1, static_cast<int>(totals.size()));
    rates = Copy(rates, kRateEntryWidth + 1, static_cast<int>(rates.size()));
    ++slot;
  }
  return packet;
}

}  // namespace

bool DadosUltimaRedZ(const VariantArray& parametros, Variant& resultado, DataSet& dsImposto) {
  VariantArray& elements = resultado.AsArray();
  if (static_cast<int>(elements.size()) < kResultElements) {
    throw ConversionError("DadosUltimaRedZ: the result array has " +
                          std::to_string(elements.size()) +
                          " elements; it needs the elements 0 to 48");
  }
  const std::string scheme = parametros.empty() ? std::string() : parametros[0].AsString();

  bool ok = false;
  const std::string record =
      Trim(driver::ReadRegister(driver::Register::kLastReduction, {scheme, true}, &ok));

  // Elements 0 to 4, with the values a failed reading leaves.
  Variant e0 = std::string(), e1 = std::string(), e4 = std::string();
  Variant e2 = 0.0;
  Variant e3 = DateTime(DateTime::Today().value - 1000);

  if (ok) {
    // Everything is converted before anything is stored, so a record that
    // does not convert leaves the host's array and data set as they were.
    const DateTime date = ReductionDate(record);
    const double gross = GetValue(Copy(record, 9, 18)) - GetValue(Copy(record, 27, 18));
    const double net = gross - GetValue(Copy(record, 73, 14)) - GetValue(Copy(record, 45, 14));
    VariantArray filled = elements;
    filled[11] = Copy(record, 923, 4);
    filled[12] = Copy(record, 927, 4);
    filled[13] = Copy(record, 935, 6);
    filled[25] = Amount(record, 9, 18);
    filled[27] = Amount(record, 381, 14);
    filled[28] = Amount(record, 409, 14);
    filled[29] = Amount(record, 353, 14);
    filled[33] = Amount(record, 45, 14);
    filled[35] = Amount(record, 101, 14);
    filled[37] = Amount(record, 73, 14);
    filled[46] = date;
    filled[47] = FormatFloat("00.00", gross);
    filled[48] = FormatFloat("00.00", net);
    DataPacket taxes = TaxRows(record);

    e0 = Copy(record, 927, 4);
    e1 = Copy(record, 923, 4);
    e2 = gross;
    e3 = date;
    e4 = hostlib::Ajusta(Copy(record, 979, 4), 4);

    elements = std::move(filled);
    DataSet& cdsImposto = DataModule().cdsImposto;
    cdsImposto.Close();
    cdsImposto.CreateDataSet(taxes.fields);
    for (const auto& row : taxes.rows) {
      cdsImposto.Append();
      for (int i = 0; i < static_cast<int>(row.size()); ++i) cdsImposto.Fields(i).SetValue(row[i]);
      cdsImposto.Post();
    }
    dsImposto.SetData(cdsImposto.Data());
  }

  elements[0] = e0;
  elements[1] = e1;
  elements[2] = e2;
  elements[3] = e3;
  elements[4] = e4;
  return ok;
}

}  // namespace Tov00300
