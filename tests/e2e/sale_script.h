// Builders for sale scripts run through ecfhost: the calls of a receipt as a
// till makes them, and the example scripts of the demo day.
#ifndef TOV00300_TESTS_E2E_SALE_SCRIPT_H_
#define TOV00300_TESTS_E2E_SALE_SCRIPT_H_

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ecfhost_runner.h"

namespace e2e {

inline std::string Example(const std::string& name) {
  std::ifstream in(TOV_SOURCE_DIR "/examples/" + name);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline Json Call(const std::string& op, Json args = Json::array()) {
  return {{"op", op}, {"args", std::move(args)}};
}

inline Json Sim(const std::string& command) {
  return {{"op", "sim"}, {"command", command}};
}

// One driver entry point called directly, and the document-state register.
inline Json Driver(const std::string& name, Json args = Json::array()) {
  return {{"op", "driver"}, {"name", name}, {"args", std::move(args)}};
}
inline Json DocumentState() {
  return Driver("rRetornarInformacao_ECF_Daruma", {"56", 1});
}

// The grand-total control of the test till: the globals the host sets, and
// the check (IDVALIDA "S").
inline std::vector<Json> ControlGlobals() {
  return {{{"op", "set"}, {"name", "stAtuFili"}, {"value", "001"}},
          {{"op", "set"}, {"name", "stAtuCaixa"}, {"value", "001"}},
          {{"op", "set"}, {"name", "stSerieAtu"}, {"value", "DR0111BR000000000001"}}};
}
inline Json CheckGrandTotal() {
  return Call("Atu_TotGeral", {{{"bag",
                                 {{"CDFILIAL", "001"},
                                  {"CDCAIXA", "001"},
                                  {"NRSERIEIMP", "DR0111BR000000000001"},
                                  {"ESQUEMACOR", "PADRAO"},
                                  {"IDVALIDA", "S"}}}}});
}

// A standard receipt opening; `tef` makes it part of a card sale.
inline Json OpenReceipt(bool tef = false) {
  return Call("AbreCupom", {{{"bag",
                              {{"ESQUEMACOR", "PADRAO"},
                               {"INTTEFERRO", 0},
                               {"INCLUICPF", ""},
                               {"INCLUINOME", ""},
                               {"INCLUIENDERECO", ""},
                               {"CUPNR", ""},
                               {"CONTCUPOM", ""},
                               {"IDUTILTEF", tef ? "S" : "N"},
                               {"UTILTEF", tef}}}}});
}

inline Json ItemBag(const std::string& code, const std::string& name, double qty, double price) {
  return {{"bag",
           {{"ESQUEMACOR", "PADRAO"},
            {"INTEFERRO", 0},
            {"CDARVPROD", code},
            {"NMPROD", name},
            {"CDALIQ", "T1"},
            {"VRPERCALIQ", "18"},
            {"QTDE", qty},
            {"VALOR", price},
            {"DESCONT", 0},
            {"ACRESCIMO", 0},
            {"UNIDADE", "UN"},
            {"IDUTILTEF", "N"},
            {"UTILTEF", false}}}};
}

// One paid movement: payment type code and amount, in paying order.
struct Movement {
  std::string type;
  double amount;
};

// The closing's positions: movements, the printer's payment-method names,
// and `card` for a card sale (positions 9 and 11).
inline Json ClosingCall(const std::vector<Movement>& movements, bool card = false) {
  Json rows = Json::array();
  int order = 0;
  for (const Movement& m : movements) {
    ++order;
    rows.push_back(
        {{"IDTIPOMOVIVE", "E"},
         {"DTHRINCMOV", {{"datetime", "2026-01-01T10:0" + std::to_string(order) + ":00"}}},
         {"CDTIPORECE", m.type},
         {"VRMOVIVEND", m.amount},
         {"NRORDTROCO", std::to_string(order)},
         {"CDBANCARTCR", ""},
         {"CDTIPORECEORIG", ""}});
  }
  const Json movementFields = {{"IDTIPOMOVIVE", "string", 1},  {"DTHRINCMOV", "datetime"},
                               {"CDTIPORECE", "string", 3},    {"VRMOVIVEND", "float"},
                               {"NRORDTROCO", "string", 3},    {"CDBANCARTCR", "string", 3},
                               {"CDTIPORECEORIG", "string", 3}};
  const Json types = {
      {"fields",
       {{"CDTIPORECE", "string", 3}, {"NMTIPORECE", "string", 40}, {"IDTIPORECE", "string", 1}}},
      {"rows",
       {{{"CDTIPORECE", "001"}, {"NMTIPORECE", "Dinheiro"}, {"IDTIPORECE", "1"}},
        {{"CDTIPORECE", "002"}, {"NMTIPORECE", "Cartao Credito"}, {"IDTIPORECE", "2"}},
        {{"CDTIPORECE", "003"}, {"NMTIPORECE", "Cartao Debito"}, {"IDTIPORECE", "2"}}}}};
  const Json positions = {{"1", "Obrigado"}, {"2", "PADRAO"},
                          {"5", true},       {"9", card ? "S" : "N"},
                          {"11", card},      {"13", {{"fields", movementFields}, {"rows", rows}}},
                          {"14", types},     {"42", "ret"},
                          {"60", true}};
  return Call("FechaCupom",
              {{{"positions", positions}}, {{"strings", Json::array()}}, {{"size", 4}}});
}

}  // namespace e2e

#endif  // TOV00300_TESTS_E2E_SALE_SCRIPT_H_
