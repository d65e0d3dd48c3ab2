// The operations beyond the sale, as a till calls them, for the tests that
// run each of them against the printer's failures and against a till killed
// part-way: what comes before each one in its session, the call, and the
// printer's counters and the host's files that tell what it did.
#ifndef TOV00300_TESTS_E2E_OPERATIONS_TABLE_H_
#define TOV00300_TESTS_E2E_OPERATIONS_TABLE_H_

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "closing_script.h"
#include "sale_script.h"

namespace e2e {

struct Operation {
  std::string name;
  std::vector<Json> setup;  // the calls before it in its session
  Json call;
  // Operations that print nothing: what the call produced (rows handed
  // back), read from its record.
  std::function<long long(const Json& record)> produced = nullptr;
  // False for prints whose length grows with the printer's history (the
  // fiscal-memory readings): their tape is not compared between runs.
  bool sameTapeEachRun = true;
  // False where the answer is not success or failure (the cash closing
  // answers whether the till is to be reopened).
  bool answersSuccess = true;
};

// Every how many cases one is run: all of them, unless the build is
// sanitized (every `sanitizedStride`-th) or the variable `variable` says
// otherwise.
inline int Stride(const char* variable, int sanitizedStride) {
  if (const char* s = std::getenv(variable)) return std::max(1, std::atoi(s));
#ifdef __SANITIZE_ADDRESS__
  return sanitizedStride;
#else
  (void)sanitizedStride;
  return 1;
#endif
}

// True when the operation reported a failure: false, or an error that
// reached the host; for an operation that answers nothing, or whose answer
// is not success or failure, a message to the operator.
inline bool AnsweredFalse(const Operation& op, const Json& record) {
  if (!op.answersSuccess || record["result"].is_null())
    return !record.value("messages", Json::array()).empty() || record.contains("error");
  return record["result"] == false || record.contains("error");
}

inline Json DriverCall(const std::string& name, Json args = Json::array()) {
  return {{"op", "driver"}, {"name", name}, {"args", std::move(args)}};
}
inline Json RegisterCall(int index, int width) {
  return DriverCall("rRetornarInformacao_ECF_Daruma", {std::to_string(index), width});
}

inline std::string DateText(int daysFromToday) {
  std::time_t t = std::time(nullptr) + daysFromToday * 86400;
  char text[16];
  std::strftime(text, sizeof text, "%d/%m/%Y", std::localtime(&t));
  return text;
}

// The `nth` call of `op` in an example script, its dates and output folder
// filled in as the demo does.
inline Json FromExample(const std::string& file, const std::string& op, int nth,
                        const std::string& hostDir) {
  std::string text = Example(file);
  const std::pair<std::string, std::string> fill[] = {
      {"TWO_DAYS_AGO", DateText(-2)}, {"TODAY", DateText(0)}, {"DEMO_OUT", hostDir}};
  for (const auto& [from, to] : fill)
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
      text.replace(at, from.size(), to);
  Json script = Json::parse(text);
  for (Json& call : script["calls"]) {
    if (call["op"] == op && nth-- == 0) {
      call.erase("comment");
      return call;
    }
  }
  ADD_FAILURE() << "no call " << op << " in " << file;
  return Json::object();
}

inline Json DataRows(Json fields, Json rows) {
  return {{"fields", std::move(fields)}, {"rows", std::move(rows)}};
}

// The rows a call handed back in its data-set arguments.
inline long long RowsHandedBack(const Json& record) {
  long long rows = 0;
  for (const Json& arg : record.value("args", Json::array()))
    if (arg.is_object() && arg.contains("rows")) rows += static_cast<long long>(arg["rows"].size());
  return rows;
}

// Files written to the fiscal-menu folder that are whole: a text file ends
// with its EAD record and CR LF, a binary one is not empty.
inline long long LegalFilesIn(const std::string& hostDir) {
  namespace fs = std::filesystem;
  const fs::path menu = fs::path(hostDir) / "Dados" / "MenuFiscal";
  long long whole = 0;
  if (!fs::exists(menu)) return 0;
  for (const auto& entry : fs::directory_iterator(menu)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    if (entry.path().extension() != ".txt") {
      whole += !bytes.empty();
      continue;
    }
    const size_t record = bytes.rfind("\nEAD");
    whole += record != std::string::npos && bytes.size() == record + 4 + 256 + 2 &&
             bytes.ends_with("\r\n");
  }
  return whole;
}

// The host folder as the shop's installation leaves it: the grand-total
// control file and the digest table of the program's files. (The driver's
// folder, under the fixture's short drive root, fits the driver's reply of at
// most 100 characters that the legal files read it from.)
inline void FurnishShop(const std::string& hostDir) {
  namespace fs = std::filesystem;
  fs::copy_file(TOV_SOURCE_DIR "/examples/Brindal.cds", fs::path(hostDir) / "Brindal.cds");
  fs::create_directories(fs::path(hostDir) / "Dados" / "Cadastros");
  std::ofstream(fs::path(hostDir) / "Dados" / "Cadastros" / "ArquivosQirMd5.cds")
      << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><DATAPACKET "
         "Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=\"DSARQUIVO\" fieldtype=\"string\" "
         "WIDTH=\"60\"/><FIELD attrname=\"NUMEROMD5\" fieldtype=\"string\" "
         "WIDTH=\"32\"/></FIELDS><PARAMS/></METADATA><ROWDATA><ROW RowState=\"4\" "
         "DSARQUIVO=\"ecfhost\" NUMEROMD5=\"0123456789ABCDEF0123456789ABCDEF\"/><ROW "
         "RowState=\"4\" DSARQUIVO=\"libtov00300.so\" "
         "NUMEROMD5=\"FEDCBA9876543210FEDCBA9876543210\"/></ROWDATA></DATAPACKET>\n";
}

// A card sale of 25,00 that a linked voucher links to.
inline std::vector<Json> CardSaleCalls() {
  return {OpenReceipt(true), Call("VendaItem", {ItemBag("10", "Cafe", 1, 25)}),
          ClosingCall({{"002", 25}}, true)};
}

inline Json TefCall(const std::string& op) {
  Json args = {"Comprovante TEF",
               "",
               "",
               "PADRAO",
               {{"strings", {"CLIENTE 1\nVALOR 25,00"}}},
               {{"strings", {"LOJA 1\nVALOR 25,00"}}},
               {{"strings", Json::array()}},
               {{"strings", Json::array()}},
               "",
               "1",
               "",
               25,
               0,
               0,
               "N"};
  if (op != "ImprimeTefRG_FrameWork") args.push_back("");
  return Call(op, args);
}

inline Json Deposit() {
  Json args = {"",
               "",
               "",
               "",
               "",
               "PADRAO",
               "",
               "",
               DataRows({{"VRMOVIVEND", "float"},
                         {"IDTIPORECE", "string", 1},
                         {"NMTIPORECE", "string", 40},
                         {"NMTIPORECEORIG", "string", 40}},
                        {{{"VRMOVIVEND", 30},
                          {"IDTIPORECE", "1"},
                          {"NMTIPORECE", "Dinheiro"},
                          {"NMTIPORECEORIG", ""}},
                         {{"VRMOVIVEND", 20},
                          {"IDTIPORECE", "2"},
                          {"NMTIPORECE", "Cartao"},
                          {"NMTIPORECEORIG", "Cartao Credito"}}}),
               100,
               "Maria",
               "D-77"};
  for (int i = 13; i <= 24; ++i) args.push_back("");
  for (const Json& tail : Json::array({false, "Silva", "", ""})) args.push_back(tail);
  return Call("Compr_CredPessoal", args);
}

inline Json FamilyBalances() {
  return DataRows(
      {{"CDFAMILISALD", "string", 3}, {"NMFAMILISALD", "string", 40}, {"VRSALDCONFAM", "float"}},
      {{{"CDFAMILISALD", "F1"}, {"NMFAMILISALD", "Pai"}, {"VRSALDCONFAM", 50}}});
}

inline std::vector<Operation> Operations(const std::string& hostDir) {
  const auto example = [&](const std::string& file, const std::string& op, int nth = 0) {
    return FromExample(file, op, nth, hostDir);
  };
  const Json report = Call("Relatorio_Gerencial_Imp", {"PADRAO", "", "", "", ""});
  const Json z = DriverCall("iReducaoZ_ECF_Daruma", {"", ""});
  const Json menu = Call("MakeHostFolder", {"Dados\\MenuFiscal"});
  const Json products = ProductSet({{"A1", "1", "Arroz tipo 1 5kg", 2, 10.0, 0.5, 0, 18, "T"},
                                    {"", "3", "Feijao", 1, 8.2, 0, 0, 0, "I"}});
  std::vector<Json> card = CardSaleCalls();
  const auto withCard = [&](std::vector<Json> more) {
    std::vector<Json> calls = card;
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
  };
  const Json openVoucher = Call("AbreCCD_FrameWork", {"PADRAO"});
  return {
      {"Suprimento", {}, Call("Suprimento", {"PADRAO", 100.0})},
      {"Sangria", {Call("Suprimento", {"PADRAO", 100.0})}, Call("Sangria", {"", "PADRAO", 30.0})},
      {"Cupom_NFiscNVinc",
       {},
       Call("Cupom_NFiscNVinc", {"PADRAO", "CONTRA-VALE EMI", "5,00", "Dinheiro", ""})},
      {"RG_FrameWork", {}, Call("RG_FrameWork", {"PADRAO", "Relatorio\n"})},
      {"Relatorio_Generico", {}, example("reports.json", "Relatorio_Generico")},
      {"Cupom_Troca", {}, example("reports.json", "Cupom_Troca")},
      {"Conferencia_Formatada", {}, example("reports.json", "Conferencia_Formatada")},
      {"CodigoBarra", {}, example("reports.json", "CodigoBarra")},
      {"Extrato", {report}, example("vouchers.json", "Extrato")},
      {"ImprimeTef_FrameWork", card, TefCall("ImprimeTef_FrameWork")},
      {"ImprimeTefRG_FrameWork", card, TefCall("ImprimeTefRG_FrameWork")},
      {"ImprimeTef", card, TefCall("ImprimeTef")},
      {"AbreCCD_FrameWork", card, openVoucher},
      {"AbreCCD_simplificado_FrameWork", card,
       Call("AbreCCD_simplificado_FrameWork", {"PADRAO", "Cartao Credito", "1", "", "25,00"})},
      {"ImprimeCCD_FrameWork", withCard({openVoucher}),
       Call("ImprimeCCD_FrameWork", {"PADRAO", "VIA DO CLIENTE\n"})},
      {"FechaCCD_FrameWork", withCard({openVoucher}), Call("FechaCCD_FrameWork", {"PADRAO"})},
      {"Comp_DebitoCons", {}, example("vouchers.json", "Comp_DebitoCons")},
      {"Compr_CredPessoal", {}, Deposit()},
      {"Cancela_Cred_Pessoal", {Deposit()}, example("vouchers.json", "Cancela_Cred_Pessoal")},
      {"ImpSaldo", {example("vouchers.json", "Cabecalho")}, example("vouchers.json", "ImpSaldo")},
      {"ImpSaldoDeb",
       {report},
       Call("ImpSaldoDeb", {"PADRAO",
                            DataRows(Json::array({Json::array({"VRSALDOCONS", "float"})}),
                                     {{{"VRSALDOCONS", -7.3}}}),
                            "Joao", "M-1020"})},
      {"Saldo_CredPessoal",
       {},
       Call("Saldo_CredPessoal", {"", "", "PADRAO", "Saldo Credito", FamilyBalances()})},
      {"SaldoNegativo",
       {},
       Call("SaldoNegativo",
            {"", "PADRAO",
             DataRows({{"CDTIPOCONS", "string", 3}, {"NMTIPOCONS", "string", 40}},
                      {{{"CDTIPOCONS", "1"}, {"NMTIPOCONS", "Funcionarios"}}}),
             DataRows({{"CDTIPOCONS", "string", 3},
                       {"NMCONSUMIDOR", "string", 40},
                       {"SALDONEGATIVO", "float"}},
                      {{{"CDTIPOCONS", "1"}, {"NMCONSUMIDOR", "Ana"}, {"SALDONEGATIVO", -10}}}),
             "Negativos", "001", "", ""})},
      {"Imp_CompVenCred",
       {},
       Call("Imp_CompVenCred",
            {"PADRAO",
             DataRows({{"CDARVPROD", "string", 20},
                       {"NMPRODUTO", "string", 40},
                       {"QTPRODCOMVEN", "float"},
                       {"VRPRECCOMVEN", "float"}},
                      {{{"CDARVPROD", "1"},
                        {"NMPRODUTO", "Arroz"},
                        {"QTPRODCOMVEN", 2},
                        {"VRPRECCOMVEN", 10}}}),
             FamilyBalances(), 20, "", "M-1", "Joao", "CLI", "CLI2", "", 100, 2, 3, "0"})},
      {"GeraReciboSangria",
       {Call("Suprimento", {"PADRAO", 200.0})},
       example("closing.json", "GeraReciboSangria"),
       nullptr,
       true,
       false},
      {"Relatorio_Produto", {}, ProductReport(products, "N", "S", false)},
      {"Abertura_Mesa", {}, example("restaurant.json", "Abertura_Mesa")},
      {"RegistroVenda", {}, example("restaurant.json", "RegistroVenda")},
      {"ImprimeMesasAbertas", {}, example("restaurant.json", "ImprimeMesasAbertas")},
      {"imprimeProdutosTransf", {}, example("restaurant.json", "imprimeProdutosTransf")},
      {"ImprimeProdBloq", {}, example("restaurant.json", "ImprimeProdBloq")},
      {"imprimeTipoRece", {}, example("restaurant.json", "imprimeTipoRece")},
      {"Leitura_X_Imp", {}, example("reports.json", "Leitura_X_Imp")},
      {"Reducao_Z_Imp", {}, example("reports.json", "Reducao_Z_Imp")},
      {"ExportRedZ", {}, example("reports.json", "ExportRedZ"), RowsHandedBack},
      {"EmiteLeituraMemoriaFiscal",
       {z},
       example("legal-files.json", "EmiteLeituraMemoriaFiscal"),
       nullptr,
       false},
      {"Memoria_Fiscal_Imp",
       {z},
       Call("Memoria_Fiscal_Imp", {"PADRAO", "D", DateText(0), DateText(0), ""}),
       nullptr,
       false},
      {"EmiteLeituraMemoriaFiscalSerial",
       {menu, z},
       example("legal-files.json", "EmiteLeituraMemoriaFiscalSerial")},
      {"geraEspelhoMfd", {menu, z}, example("legal-files.json", "geraEspelhoMfd")},
      {"GeraCatGenerica", {menu, z}, example("legal-files.json", "GeraCatGenerica")},
      {"Gera_ArquivoMFD", {menu}, example("legal-files.json", "Gera_ArquivoMFD")},
      {"GERA_MF", {menu}, example("legal-files.json", "GERA_MF")},
      {"ImprimeDadosPaf", {}, example("legal-files.json", "ImprimeDadosPaf")},
  };
}

// The start of a till process as the tests run it: the globals that choose
// the grand-total control file's row, the session start, and what it finds
// (open document, grand-total check), then a small cash sale and its grand
// total recorded. A case left the printer sound when all of it succeeds.
inline std::vector<Json> TillStart() {
  const auto bag = [](const char* validate) {
    return Json{{"bag",
                 {{"CDFILIAL", "001"},
                  {"CDCAIXA", "001"},
                  {"NRSERIEIMP", "DR0111BR000000000001"},
                  {"ESQUEMACOR", "PADRAO"},
                  {"IDVALIDA", validate}}}};
  };
  return {{{"op", "set"}, {"name", "stAtuFili"}, {"value", "001"}},
          {{"op", "set"}, {"name", "stAtuCaixa"}, {"value", "001"}},
          {{"op", "set"}, {"name", "stSerieAtu"}, {"value", "DR0111BR000000000001"}},
          StartCall(),
          RegisterCall(56, 1),
          Call("Atu_TotGeral", {bag("S")}),
          Call("CarregaTotalizador", {"", "", "", "", "", "PADRAO", 0, {{"rows", Json::array()}}}),
          OpenReceipt(),
          Call("VendaItem", {ItemBag("1", "Pao", 1, 1)}),
          ClosingCall({{"001", 1}}),
          Call("Atu_TotGeral", {bag("N")})};
}

// What was wrong with the till start at `at` in `run`; "" when it was sound.
inline std::string TillStartFault(const HostRun& run, size_t at) {
  const size_t n = TillStart().size();
  if (run.records.size() < at + n) return "the till start did not run whole";
  for (size_t i = at + 3; i < at + n; ++i) {
    const Json& r = run.records[i];
    const bool ok = r["op"] == "driver" ? r["args"][1] == "0" : r["result"] != false;
    if (!ok || r.contains("error")) return r.dump();
  }
  return "";
}

// The printer's counters and totals, and the host's document register,
// read after the calls: what an operation changed.
inline const std::vector<std::pair<int, int>>& CountedRegisters() {
  static const std::vector<std::pair<int, int>> registers = {
      {26, 6}, {28, 6}, {33, 6}, {45, 4}, {24, 4}, {30, 6}, {1, 18}, {8, 13}, {9, 247}, {6, 260}};
  return registers;
}
inline const std::vector<std::string>& MeasureNames() {
  static const std::vector<std::string> names = {
      "COO",     "GNF",     "GRG",      "CDC",     "CRZ",   "CCF",  "GT",
      "Sangria", "totals9", "payments", "records", "files", "rows", "tape"};
  return names;
}
inline std::vector<Json> MeasureCalls() {
  std::vector<Json> calls;
  for (const auto& [index, width] : CountedRegisters()) calls.push_back(RegisterCall(index, width));
  calls.push_back(Json{{"op", "records"}});
  return calls;
}
// The measures read by MeasureCalls() at `at`; the host-side ones (legal
// files, rows handed back) are left 0 for the caller.
inline std::vector<long long> Measures(const HostRun& run, size_t at) {
  std::vector<long long> out;
  for (size_t i = 0; i < CountedRegisters().size(); ++i) {
    const std::string reply = run.At(at + i)["args"][1].get<std::string>();
    long long sum = 0;  // wide registers: the sum of their amounts of 13
    for (size_t p = 0; p < reply.size(); p += 13) sum += std::stoll(reply.substr(p, 13));
    out.push_back(reply.size() > 18 ? sum : std::stoll(reply));
  }
  out.push_back(static_cast<long long>(
      run.At(at + CountedRegisters().size())["args"][1].value("rows", Json::array()).size()));
  out.resize(MeasureNames().size(), 0);
  return out;
}

// A test of one operation of the table, named by the test's parameter, in a
// host folder as the shop's installation leaves it.
class OperationTest : public EcfhostTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    EcfhostTest::SetUp();
    FurnishShop(hostDir());
    for (Operation& op : Operations(hostDir()))
      if (op.name == GetParam()) op_ = op;
    ASSERT_FALSE(op_.name.empty()) << GetParam();
  }

  Operation op_;
};

}  // namespace e2e

#endif  // TOV00300_TESTS_E2E_OPERATIONS_TABLE_H_
