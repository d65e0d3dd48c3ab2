// Small readers shared by the receipt tests: the pairs of a returned bag, the
// printer commands among the recorded driver calls, the questions asked.
#ifndef TOV00300_TESTS_RECEIPT_SALE_HELPERS_H_
#define TOV00300_TESTS_RECEIPT_SALE_HELPERS_H_

#include <string>
#include <vector>

#include "session/printer_documents.h"
#include "support/scripted_driver.h"
#include "support/scripted_operator.h"
#include "tov00300/variant.h"

namespace tovtest {

// The sale steps act only on a receipt this session opened: the tests of
// those steps start as if AbreCupom had opened one.
inline void ReceiptOpenedBySession() {
  Tov00300::session::ThisReceipt() = {};
  Tov00300::session::ThisReceipt().opened = true;
}

// The keys of a bag, in order.
inline std::vector<std::string> BagKeys(const Tov00300::Variant& bag) {
  std::vector<std::string> keys;
  for (const Tov00300::Variant& pair : bag.AsArray()) keys.push_back(pair.AsArray()[0].AsString());
  return keys;
}

inline Tov00300::Variant BagValue(const Tov00300::Variant& bag, const std::string& key) {
  const Tov00300::Variant* value = Tov00300::FindInBag(bag, key);
  return value != nullptr ? *value : Tov00300::Variant();
}

// The recorded calls without the status queries and interpretations the
// return analysis makes after every command.
inline std::vector<DriverCall> Commands() {
  std::vector<DriverCall> found;
  for (const DriverCall& call : ScriptedDriver::Get().Calls()) {
    if (call.name == "rStatusUltimoCmdInt_ECF_Daruma" || call.name.rfind("eInterpretar", 0) == 0 ||
        call.name == "eTEF_TravarTeclado_ECF_Daruma")
      continue;
    found.push_back(call);
  }
  return found;
}

inline std::vector<std::string> CommandNames() {
  std::vector<std::string> names;
  for (const DriverCall& call : Commands()) names.push_back(call.name);
  return names;
}

// The yes/no questions put to the operator.
inline std::vector<ShownMessage> Questions() {
  std::vector<ShownMessage> found;
  for (const ShownMessage& m : ScriptedOperator::Get().Messages())
    if (m.question == "S") found.push_back(m);
  return found;
}

}  // namespace tovtest

#endif  // TOV00300_TESTS_RECEIPT_SALE_HELPERS_H_
