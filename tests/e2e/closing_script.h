// Helpers of the closing and table-service scripts: the host's data sets as
// a till builds them, and the lines of the paper tape and the document
// register they are checked against.
#ifndef TOV00300_TESTS_E2E_CLOSING_SCRIPT_H_
#define TOV00300_TESTS_E2E_CLOSING_SCRIPT_H_

#include <sqlite3.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ecfhost_runner.h"
#include "sale_script.h"
#include "tape_lines.h"
#include "tov00300/closing_reports.h"

namespace e2e {

// Columns as the package fills them, counted in characters of the UTF-8 tape.
inline size_t Chars(const std::string& utf8) {
  size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}
inline std::string Left(const std::string& text, size_t width) {
  return Chars(text) >= width ? text : text + std::string(width - Chars(text), ' ');
}
inline std::string Right(const std::string& text, size_t width) {
  return Chars(text) >= width ? text : std::string(width - Chars(text), ' ') + text;
}

// How many times the line stands on the tape.
inline int CountLine(const std::string& tape, const std::string& line) {
  int n = 0;
  for (const std::string& l : Lines(tape)) n += l == line;
  return n;
}

// The document types of the register's records, in order.
inline std::vector<std::string> RegisterTypes(const std::string& hostDir) {
  std::vector<std::string> types;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2((hostDir + "/documentos.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr) ==
      SQLITE_OK) {
    sqlite3_stmt* query = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT tipo_documento FROM DocNaoFiscaisECF ORDER BY id", -1,
                           &query, nullptr) == SQLITE_OK) {
      while (sqlite3_step(query) == SQLITE_ROW)
        types.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)));
    }
    sqlite3_finalize(query);
  }
  sqlite3_close(db);
  return types;
}

// The questions the operator was asked during a call, with the answers.
inline std::vector<std::pair<std::string, bool>> Questions(const Json& record) {
  std::vector<std::pair<std::string, bool>> asked;
  for (const Json& m : record.value("messages", Json::array()))
    if (m.value("question", false)) asked.emplace_back(m["text"], m.value("answer", false));
  return asked;
}

// A product row of the product data set.
struct Product {
  std::string printerCode, code, name;
  double quantity, total, surcharge, discount, rate;
  std::string situation;
};

inline Json ProductSet(const std::vector<Product>& products) {
  Json rows = Json::array();
  for (const Product& p : products)
    rows.push_back({{"CDPRODIMPFIS", p.printerCode},
                    {"CDPRODUTO", p.code},
                    {"NMPRODUTO", p.name},
                    {"QTPRODVEND", p.quantity},
                    {"VRTOTAL", p.total},
                    {"VRACRE", p.surcharge},
                    {"VRDESC", p.discount},
                    {"VRPEALIMPFIS", p.rate},
                    {"IDTPIMPOSFIS", p.situation}});
  Json fields = Json::array();
  for (const Tov00300::SoldProductField& f : Tov00300::kSoldProductFields) {
    fields.push_back(f.type == Tov00300::FieldType::String ? Json{f.name, "string", f.size}
                                                           : Json{f.name, "float"});
  }
  return {{"fields", fields}, {"rows", rows}};
}

// Relatorio_Produto's eleven arguments.
inline Json ProductReport(const Json& products, const std::string& confirm,
                          const std::string& grouped, bool flag) {
  return Call("Relatorio_Produto",
              {"", "", "", "", "", "", products, confirm, grouped, "PADRAO", flag});
}

// Movement rows (IDTIPOREG, NMTIPORECE, VRSAIDA).
inline Json MovementSet(const std::vector<std::tuple<std::string, std::string, double>>& rows) {
  Json out = Json::array();
  for (const auto& [type, name, amount] : rows)
    out.push_back({{"IDTIPOREG", type}, {"NMTIPORECE", name}, {"VRSAIDA", amount}});
  return {
      {"fields", {{"IDTIPOREG", "string", 1}, {"NMTIPORECE", "string", 40}, {"VRSAIDA", "float"}}},
      {"rows", out}};
}

// Closing amounts per payment method (NRENVELOPE, NMTIPORECE, VRFECHADIG, VRFECHAINF).
inline Json ClosingAmounts(const std::vector<std::tuple<std::string, double, double>>& rows) {
  Json out = Json::array();
  for (const auto& [name, typed, informed] : rows)
    out.push_back({{"NRENVELOPE", "000200"},
                   {"NMTIPORECE", name},
                   {"VRFECHADIG", typed},
                   {"VRFECHAINF", informed}});
  return {{"fields",
           {{"NRENVELOPE", "string", 6},
            {"NMTIPORECE", "string", 40},
            {"VRFECHADIG", "float"},
            {"VRFECHAINF", "float"}}},
          {"rows", out}};
}

inline Json People() {
  return {{"fields",
           {{"CDSUPERVISOR", "string", 6},
            {"NMSUPERVISOR", "string", 40},
            {"CDOPERADOR", "string", 6},
            {"NMOPERADOR", "string", 40}}},
          {"rows",
           {{{"CDSUPERVISOR", "000007"},
             {"NMSUPERVISOR", "Joana Pereira"},
             {"CDOPERADOR", "000031"},
             {"NMOPERADOR", "Carlos Souza"}}}}};
}

inline Json Sales(const std::vector<double>& totals) {
  Json rows = Json::array();
  for (double t : totals) rows.push_back({{"VRTOTAL", t}});
  return {{"fields", Json::array({Json::array({"VRTOTAL", "float"})})}, {"rows", rows}};
}

inline Json NoRows() {
  return {{"rows", Json::array()}};
}

// The arguments of GeraReciboSangria a closing test changes.
struct Closing {
  Json closingAmounts = ClosingAmounts({{"Dinheiro", 10, 10}});
  Json products = NoRows();
  Json movementTotals = NoRows();
  Json openingMovements = NoRows();
  Json generalProducts = NoRows();
  bool printWithdrawal = true, allowZ = true, zReleased = true;
  bool withdrawalOnly = false, alreadyHandled = false;
  std::string productConfirm = "N", productGrouped = "N", xReading = "N", envelope = "N";
  std::string reason, observation;
};

inline Json CashClosing(const Closing& c) {
  return Call("GeraReciboSangria",
              {"",
               "CX001",
               "",
               "",
               "",
               0,
               "",
               c.closingAmounts,
               NoRows(),
               c.products,
               People(),
               c.movementTotals,
               c.openingMovements,
               c.generalProducts,
               {{"fields", Json::array({Json::array({"VRCARGACREDITO", "float"})})},
                {"rows", {{{"VRCARGACREDITO", 0}}}}},
               {{"datetime", "2026-12-07T22:00:00"}},
               c.printWithdrawal,
               c.allowZ,
               false,
               NoRows(),
               NoRows(),
               NoRows(),
               NoRows(),
               false,
               NoRows(),
               c.productConfirm,
               c.productGrouped,
               c.xReading,
               c.envelope,
               "PADRAO",
               c.withdrawalOnly,
               c.alreadyHandled,
               c.zReleased,
               c.reason,
               c.observation});
}

}  // namespace e2e

#endif  // TOV00300_TESTS_E2E_CLOSING_SCRIPT_H_
