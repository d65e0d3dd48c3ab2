// Helpers shared by the configuration tables' tests.
#ifndef TOV00300_TESTS_CONFIG_CONFIG_HELPERS_H_
#define TOV00300_TESTS_CONFIG_CONFIG_HELPERS_H_

#include <string>
#include <vector>

#include "support/scripted_driver.h"
#include "tov00300/dataset.h"

namespace configtest {

// A printer that does not answer: communication error, nothing written.
inline tovtest::DriverAnswer DriverAnswerNoReply() {
  return tovtest::DriverAnswer{0, {}, {}, false};
}

// One of the host's payment types (layout of cdsReceb).
struct PaymentType {
  std::string code, nm, ds, cdfp = " ", kind = "1", issuesVoucher = "", shown = "S", button = "5";
};

inline void CreatePaymentTypes(Tov00300::DataSet& ds, const std::vector<PaymentType>& types) {
  using Tov00300::FieldType;
  ds.CreateDataSet({{"CDTIPORECE", FieldType::String, 3},
                    {"NMTIPORECE", FieldType::String, 40},
                    {"DSIMPFISCAL", FieldType::String, 50},
                    {"CDFPIMPFIS", FieldType::String, 10},
                    {"IDTIPORECE", FieldType::String, 1},
                    {"IDEMIVALE", FieldType::String, 1},
                    {"IDMOSTRARECE", FieldType::String, 1},
                    {"IDTPBUTTON", FieldType::String, 1}});
  for (const PaymentType& t : types) {
    ds.Append();
    ds.FieldByName("CDTIPORECE").SetAsString(t.code);
    ds.FieldByName("NMTIPORECE").SetAsString(t.nm);
    ds.FieldByName("DSIMPFISCAL").SetAsString(t.ds);
    ds.FieldByName("CDFPIMPFIS").SetAsString(t.cdfp);
    ds.FieldByName("IDTIPORECE").SetAsString(t.kind);
    ds.FieldByName("IDEMIVALE").SetAsString(t.issuesVoucher);
    ds.FieldByName("IDMOSTRARECE").SetAsString(t.shown);
    ds.FieldByName("IDTPBUTTON").SetAsString(t.button);
    ds.Post();
  }
}

// Every row of the set (filter ignored), as PaymentType, in storage order.
inline std::vector<PaymentType> AllTypes(const Tov00300::DataSet& ds) {
  std::vector<PaymentType> types;
  const Tov00300::DataPacket packet = ds.Data();
  auto text = [&](const std::vector<Tov00300::Variant>& row, const char* fieldName) {
    for (size_t i = 0; i < packet.fields.size(); ++i) {
      if (packet.fields[i].name == fieldName) {
        return row[i].IsNull() ? std::string() : row[i].AsString();
      }
    }
    return std::string("?");
  };
  for (const auto& row : packet.rows) {
    types.push_back({text(row, "CDTIPORECE"), text(row, "NMTIPORECE"), text(row, "DSIMPFISCAL"),
                     text(row, "CDFPIMPFIS"), text(row, "IDTIPORECE"), text(row, "IDEMIVALE"),
                     text(row, "IDMOSTRARECE"), text(row, "IDTPBUTTON")});
  }
  return types;
}

inline const PaymentType* FindType(const std::vector<PaymentType>& types, const std::string& code) {
  for (const PaymentType& t : types) {
    if (t.code == code) return &t;
  }
  return nullptr;
}

}  // namespace configtest

#endif  // TOV00300_TESTS_CONFIG_CONFIG_HELPERS_H_
