// The rows of the Z-reduction export: payment totals, tax rates and
// non-fiscal totalizers, read from the driver's lists and the amount
// registers that follow those lists' order.
#include "readings/z_export_rows.h"

#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "driver/command.h"
#include "driver/registers.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/readings.h"

namespace Tov00300::zexport {

namespace {

constexpr int kPaymentListWidth = 330;
constexpr int kRateListWidth = 150;
constexpr int kTotalizerListWidth = 360;
constexpr int kAmountWidth = 13;    // one amount of registers 3, 6 and 9
constexpr int kRateSlots = 16;      // register 3 starts with one amount per slot
constexpr int kRateEntryWidth = 5;  // a letter and four digits: "T1800"
const char* const kWithdrawal = "Sangria";

using ListReader = int (*)(char*);

// Reads one of the driver's lists into a blank buffer and judges the code as
// every query of the export is judged: logged, never shown. Returns the list
// without its surrounding blanks. A list the driver did not give ends the
// export, as an amount register that does not convert does: an empty list
// would hand back a day without its payment, tax or totalizer rows as if the
// day had none.
std::string ReadList(ListReader read, const char* name, int width, const std::string& scheme) {
  const driver::Reply reply = driver::Query(width, read);
  std::string list = Trim(reply.text);
  if (!driver::Command(reply.code, driver::DescribeReply(name, list), {scheme, false}))
    throw std::runtime_error(std::string(name) + " did not give its list");
  return list;
}

// The next 13-character amount of a register reply, which then loses it.
double TakeAmount(std::string& reply) {
  const double amount = GetValue(Copy(reply, 1, kAmountWidth));
  reply.erase(0, kAmountWidth);
  return amount;
}

// Sums of two decimal amounts stay decimal: 0.1 + 0.2 is stored as 0.3.
double Money(double value) {
  return hostlib::RoundDec(value, 2);
}

void StartRow(DataSet& table, const RowKey& key) {
  table.Append();
  table.FieldByName("NRECFREDZ").SetAsString(key.ecfNumber);
  table.FieldByName("DTREDUCAOZ").SetAsDateTime(key.day);
}

// The host's codes by method name, for every printer method at once (one
// pass over the host's table, not one per method). Names are compared
// without letter case and without surrounding blanks, as the payment-method
// synchronisation compares them when it registers a host method in the
// printer; of two rows with one name, the first wins.
std::unordered_map<std::string, std::string> HostCodes(DataSet& types) {
  std::unordered_map<std::string, std::string> codes;
  Field name = types.FieldByName("NMTIPORECE");
  Field code = types.FieldByName("CDTIPORECE");
  for (types.First(); !types.Eof(); types.Next()) {
    if (!name.IsNull()) codes.try_emplace(LowerCase(Trim(name.AsString())), code.AsString());
  }
  return codes;
}

}  // namespace

std::vector<std::string> ListEntries(const std::string& list) {
  std::vector<std::string> entries;
  size_t start = 0;
  for (size_t end = list.find(';'); end != std::string::npos && end > start;
       end = list.find(';', start)) {
    entries.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

void CreateDayTable(DataSet& table) {
  table.Close();
  table.CreateDataSet(
      {{"NRECFREDZ", FieldType::String, 4},     {"DTREDUCAOZ", FieldType::DateTime, 0},
       {"NRREINIREDZ", FieldType::String, 10},  {"NRREDREDZ", FieldType::String, 10},
       {"NRLEITREDZ", FieldType::String, 10},   {"NRGERCNFREDZ", FieldType::String, 10},
       {"NRCANCFREDZ", FieldType::String, 10},  {"NRPRIMCFREDZ", FieldType::String, 10},
       {"NRULTCFREDZ", FieldType::String, 10},  {"VRGTREDZ", FieldType::Float, 0},
       {"VRVENBRUREDZ", FieldType::Float, 0},   {"VRTOTCANREDZ", FieldType::Float, 0},
       {"VRTOTDESREDZ", FieldType::Float, 0},   {"VRVENLIQREDZ", FieldType::Float, 0},
       {"VRTOTACRREDZ", FieldType::Float, 0},   {"VRSTRIBREDZ", FieldType::Float, 0},
       {"VRISENCREDZ", FieldType::Float, 0},    {"VRNINCIDREDZ", FieldType::Float, 0},
       {"VRISSREDZ", FieldType::Float, 0},      {"QTTEMLIGREDZ", FieldType::String, 6},
       {"QTTEMPCFREDZ", FieldType::String, 6},  {"QTMEMRESREDZ", FieldType::Float, 0},
       {"IDORIGEMREDZ", FieldType::String, 3},  {"DSMODMARCAECF", FieldType::String, 30},
       {"NRUSUARIOMFD", FieldType::String, 10}, {"CDMFADICIONAL", FieldType::String, 5},
       {"DTGRAVSBECF", FieldType::DateTime, 0}});
}

void CreatePaymentTable(DataSet& table) {
  table.Close();
  table.CreateDataSet({{"NRECFREDZ", FieldType::String, 4},
                       {"DTREDUCAOZ", FieldType::DateTime, 0},
                       {"CDTIPORECE", FieldType::String, 3},
                       {"VRFORMPGTORZ", FieldType::Float, 0},
                       {"CDTPRECEORIG", FieldType::String, 3}});
}

void CreateTaxTable(DataSet& table) {
  table.Close();
  table.CreateDataSet({{"NRECFREDZ", FieldType::String, 4},
                       {"DTREDUCAOZ", FieldType::DateTime, 0},
                       {"CDALIQIMPRZ", FieldType::String, 10},
                       {"VRALIQIMPRZ", FieldType::Float, 0},
                       {"VRBCALCIMPRZ", FieldType::Float, 0},
                       {"VRIMPOSTORZ", FieldType::Float, 0},
                       {"IDTPIMPREDZ", FieldType::String, 1}});
}

void CreateTotalizerTable(DataSet& table) {
  table.Close();
  table.CreateDataSet({{"NRECFREDZ", FieldType::String, 4},
                       {"DTREDUCAOZ", FieldType::DateTime, 0},
                       {"NRTOTNFISCRZ", FieldType::String, 10},
                       {"DSTOTNFISCRZ", FieldType::String, 50},
                       {"NRCONTOTNFIS", FieldType::String, 10},
                       {"VRACUTOTNFIS", FieldType::Float, 0}});
}

void GatherPayments(const RowKey& key, DataSet& types, DataSet& payments) {
  // A host table without these fields cannot be matched at all: that is the
  // host's error, whatever the printer lists.
  types.FieldByName("CDTIPORECE");
  types.FieldByName("NMTIPORECE");
  CreatePaymentTable(payments);
  const std::string list = ReadList(rLerMeiosPagto_ECF_Daruma, "rLerMeiosPagto_ECF_Daruma",
                                    kPaymentListWidth, key.scheme) +
                           ";";
  std::string totals = driver::ReadRegister(driver::Register::kPaymentTotals, {key.scheme, false});
  const auto codes = HostCodes(types);
  for (const std::string& entry : ListEntries(list)) {
    // The amount is taken for every printer method, known to the host or
    // not: register 6 follows the printer's list.
    const double amount = TakeAmount(totals);
    const auto found = codes.find(LowerCase(Trim(entry)));
    if (found == codes.end()) continue;
    const std::string& code = found->second;
    if (payments.Locate("CDTIPORECE", Variant(code), {true, false})) {
      payments.Edit();
      Field total = payments.FieldByName("VRFORMPGTORZ");
      total.SetAsFloat(Money(total.AsFloat() + amount));
    } else {
      StartRow(payments, key);
      payments.FieldByName("CDTIPORECE").SetAsString(code);
      payments.FieldByName("VRFORMPGTORZ").SetAsFloat(amount);
      payments.FieldByName("CDTPRECEORIG").SetAsString(code);
    }
    payments.Post();
  }
  types.Close();
}

std::string GatherTaxes(const RowKey& key, DataSet& taxes) {
  CreateTaxTable(taxes);
  std::string rates =
      ReadList(rLerAliquotas_ECF_Daruma, "rLerAliquotas_ECF_Daruma", kRateListWidth, key.scheme);
  // An entry is taken only when a ";" closes it. A list whose last rate is
  // not closed would lose that rate's row, and with it the rate's tax from
  // the host's books, so the list is closed here as the other two are.
  if (!rates.empty() && rates.back() != ';') rates += ';';
  const std::string register3 =
      driver::ReadRegister(driver::Register::kTaxTotals, {key.scheme, false});
  std::string bases = Copy(register3, 1, kRateSlots * kAmountWidth);
  int position = 1;
  for (size_t end = rates.find(';'); end != std::string::npos && end >= kRateEntryWidth;
       end = rates.find(';')) {
    const double rate = GetValue(Copy(rates, 2, kRateEntryWidth - 1));
    const double base = TakeAmount(bases);
    StartRow(taxes, key);
    taxes.FieldByName("CDALIQIMPRZ").SetAsString(IntToStr(position));
    taxes.FieldByName("VRALIQIMPRZ").SetAsFloat(rate);
    taxes.FieldByName("VRBCALCIMPRZ").SetAsFloat(base);
    // Rate and base have two decimals each: the tax is exact at six.
    taxes.FieldByName("VRIMPOSTORZ").SetAsFloat(hostlib::RoundDec(rate * base / 100, 6));
    taxes.FieldByName("IDTPIMPREDZ").SetAsString("T");
    taxes.Post();
    ++position;
    rates.erase(0, end + 1);
  }
  return register3;
}

void FillRegister3Sums(const std::string& register3, DataSet& day) {
  std::string fixed = Copy(register3, kRateSlots * kAmountWidth + 1, 6 * kAmountWidth);
  for (const char* field : {"VRSTRIBREDZ", "VRISENCREDZ", "VRNINCIDREDZ"}) {
    const double icms = TakeAmount(fixed);
    const double iss = TakeAmount(fixed);
    day.FieldByName(field).SetAsFloat(Money(icms + iss));
  }
}

void GatherTotalizers(const RowKey& key, DataSet& totalizers) {
  CreateTotalizerTable(totalizers);
  const std::string list =
      ReadList(rLerCNF_ECF_Daruma, "rLerCNF_ECF_Daruma", kTotalizerListWidth, key.scheme) + ";";
  const std::string withdrawals =
      driver::ReadRegister(driver::Register::kWithdrawalTotal, {key.scheme, false});
  std::string others =
      Trim(driver::ReadRegister(driver::Register::kOtherTotalizers, {key.scheme, false}));
  const std::vector<std::string> entries = ListEntries(list);

  auto addRow = [&](int position, const std::string& name, double amount) {
    StartRow(totalizers, key);
    totalizers.FieldByName("NRTOTNFISCRZ").SetAsString(hostlib::Ajusta(IntToStr(position), 2));
    totalizers.FieldByName("DSTOTNFISCRZ").SetAsString(name);
    totalizers.FieldByName("NRCONTOTNFIS").SetAsString(" ");
    totalizers.FieldByName("VRACUTOTNFIS").SetAsFloat(amount);
    totalizers.Post();
  };
  // The withdrawals have a register of their own (8); register 9 holds the
  // other totalizers in list order, without a place for "Sangria".
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] == kWithdrawal) {
      addRow(static_cast<int>(i) + 1, entries[i], GetValue(withdrawals));
      break;
    }
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] != kWithdrawal) addRow(static_cast<int>(i) + 1, entries[i], TakeAmount(others));
  }
}

}  // namespace Tov00300::zexport
