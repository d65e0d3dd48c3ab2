// The demo's day of sales through ecfhost against the virtual printer: the
// example scripts run in order (yesterday's Z, the start of day, the sales),
// then the results, the debug log, the paper tape and the registers are
// checked against what the sale script sold.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sale_script.h"
#include "support/debug_log_reader.h"
#include "tov00300/dataset.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace e2e {
namespace {

constexpr int kChaveCripto = 300172;  // the package's fixed scrambling key

// What a sale script sold, in cents, worked out from its own calls the way a
// fiscal printer keeps its registers: the grand total grows by every item
// of every receipt that ended (closed or cancelled while open); discounts
// count item and subtotal discounts; cancellations count the cancelled items
// and what was left of a cancelled receipt.
struct Ledger {
  int64_t gross = 0, discounts = 0, cancellations = 0, net = 0;
  int receipts = 0, contraVales = 0;
};

struct SoldItem {
  int64_t value = 0, discount = 0;
  bool cancelled = false;
  int64_t Net() const { return value - discount; }
};

int64_t Cents(double amount) {
  return std::llround(amount * 100);
}

Ledger Account(const Json& script) {
  Ledger book;
  std::vector<SoldItem> items;
  auto end = [&](int64_t subtotalDiscount, bool cancelled) {
    for (const SoldItem& item : items) {
      book.gross += item.value;
      book.discounts += item.discount;
      if (item.cancelled || cancelled) {
        book.cancellations += item.Net();
      } else {
        book.net += item.Net();
      }
    }
    book.discounts += subtotalDiscount;
    book.net -= subtotalDiscount;
    items.clear();
  };
  for (const Json& call : script["calls"]) {
    const std::string op = call["op"];
    if (op == "AbreCupom") {
      ++book.receipts;
    } else if (op == "VendaItem") {
      const Json& bag = call["args"][0]["bag"];
      SoldItem item;
      // quantity x price, truncated to the cent
      item.value =
          std::llround(bag["QTDE"].get<double>() * 1000) * Cents(bag["VALOR"].get<double>()) / 1000;
      item.discount = Cents(bag["DESCONT"].get<double>());
      items.push_back(item);
    } else if (op == "Cancela_ItGenerico") {
      const std::string number = call["args"][1];
      items.at(std::stoi(number.substr(1, 4)) - 1).cancelled = true;
    } else if (op == "Cancela_UltimoItem") {
      items.back().cancelled = true;
    } else if (op == "FechaCupom") {
      const Json& p = call["args"][0]["positions"];
      end(Cents(p.value("6", 0.0)), false);
      if (p.value("4", false)) ++book.contraVales;
    } else if (op == "Cancela_Cupom_Imp") {
      end(0, true);
    }
  }
  return book;
}

// A register amount as ecfhost hands it back ("257,87") in cents.
int64_t AmountText(const Json& text) {
  std::string s = text.get<std::string>();
  std::replace(s.begin(), s.end(), ',', '.');
  return Cents(std::stod(s));
}

int Counter(const Json& text) {
  return std::stoi(text.get<std::string>());
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class SaleDayTest : public EcfhostTest {
 protected:
  // Yesterday, the start of day and the sales, in one host folder that holds
  // the shop's grand-total control file; answers the sales run.
  HostRun RunDay() {
    std::filesystem::copy_file(TOV_SOURCE_DIR "/examples/Brindal.cds", hostDir() + "/Brindal.cds");
    for (const char* name : {"previous-day.json", "start-of-day.json"}) {
      const HostRun run = RunText(Example(name));
      EXPECT_EQ(run.exitStatus, 0) << name << run.err;
    }
    HostRun run = RunText(Example("sale.json"));
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.records.size(), script_["calls"].size()) << run.out << run.err;
    for (const Json& r : run.records) EXPECT_FALSE(r.contains("error")) << r.dump();
    return run;
  }

  const Json script_ = Json::parse(Example("sale.json"));
};

TEST_F(SaleDayTest, EveryOperationOfTheDayDoesItsPart) {
  const HostRun run = RunDay();
  ASSERT_EQ(run.records.size(), script_["calls"].size());

  for (int i = 0; i < 5; ++i) EXPECT_EQ(run.Record("AbreCupom", i)["result"], true) << i;
  for (const Json& r : run.records) {
    if (r["op"] == "VendaItem") {
      EXPECT_EQ(r["result"], true) << r.dump();
    }
  }
  for (int i = 0; i < 4; ++i) {
    const Json& closing = run.Record("FechaCupom", i);
    EXPECT_EQ(closing["result"], true) << closing.dump();
    EXPECT_EQ(closing["args"][2], Json::array({0, "venda " + std::to_string(i + 1), "", ""}));
    EXPECT_EQ(closing["messages"], Json::array()) << closing.dump();
  }

  // The identified opening returns the consumer as given, and numbers that
  // follow the first receipt's.
  const Json& first = run.Record("AbreCupom", 0)["args"][0]["bag"];
  const Json& identified = run.Record("AbreCupom", 1)["args"][0]["bag"];
  EXPECT_EQ(identified["INCLUICPF"], "123.456.789-09");
  EXPECT_EQ(identified["INCLUINOME"], "Maria da Silva");
  EXPECT_EQ(Counter(identified["CUPNR"]), Counter(first["CUPNR"]) + 1);
  EXPECT_EQ(Counter(identified["CONTCUPOM"]), Counter(first["CONTCUPOM"]) + 1);

  // The only dialogs of the day: the refused item's error, the printer's
  // status of the command it did not carry out, the question with the item,
  // answered yes.
  std::vector<Json> dialogs;
  for (const Json& r : run.records)
    for (const Json& m : r["messages"]) dialogs.push_back(m);
  ASSERT_EQ(dialogs.size(), 3u) << run.out;
  EXPECT_EQ(dialogs[0]["text"], "Impressora desligada ou desconectada.");
  EXPECT_EQ(dialogs[0]["question"], false);
  EXPECT_EQ(dialogs[1]["text"], "Comando não executado.");
  EXPECT_EQ(dialogs[2]["text"],
            "Erro ao imprimir o item: \r\n7891025101106 - Leite integral UHT 1\r\n"
            "Deseja imprimir novamente?");
  EXPECT_EQ(dialogs[2]["answer"], true);

  // The item cancellations, and the cancelled receipt's own number handed back.
  EXPECT_EQ(run.Record("Cancela_ItGenerico")["result"], true);
  EXPECT_EQ(run.Record("Cancela_UltimoItem")["result"], true);
  const Json& cancel = run.Record("Cancela_Cupom_Imp");
  EXPECT_EQ(cancel["result"], true);
  EXPECT_EQ(cancel["args"][1],
            Json::array({run.Record("AbreCupom", 4)["args"][0]["bag"]["CUPNR"]}));
}

// The exact commands, in the order the printer received them.
TEST_F(SaleDayTest, DebugLogShowsEveryCommandWithCommaDecimals) {
  RunDay();
  const std::vector<std::string> expected = {
      "iCFAbrirPadrao_ECF_Daruma",
      "iCFVender_ECF_Daruma : I18,00 - 1,000 - 10,99 - A$ - 0,00 - 7891000100103 - UN - Cafe "
      "torrado e moido 500g",
      "iCFVender_ECF_Daruma : I1 - 2,000 - 8,49 - A$ - 0,00 - 7896005800010 - UN - Feijao carioca "
      "tipo 1 1kg",
      "iCFVender_ECF_Daruma : I12,00 - 1,000 - 5,49 - D$ - 0,50 - 7891910000197 - UN - Acucar "
      "refinado 1kg",
      "iCFTotalizarCupom_ECF_Daruma : D$ - 0",
      "iCFEfetuarPagamentoFormatado_ECF_Daruma : Dinheiro - 50,00",
      "iCFEncerrarConfigMsg_ECF_Daruma",
      "iCFAbrir_ECF_Daruma",
      "iCFVender_ECF_Daruma : I18,00 - 1,254 - 69,90 - A$ - 0,00 - 2000125 - KG - Picanha bovina "
      "resfriada",
      "iCFVender_ECF_Daruma : I18,00 - 12,000 - 3,79 - A$ - 0,00 - 7891149103102 - LT - Cerveja "
      "pilsen lata 350ml",
      "iCFVender_ECF_Daruma : F1 - 1,000 - 18,90 - A$ - 0,00 - 7898080640017 - PC - Carvao vegetal "
      "3kg",
      "iCFTotalizarCupom_ECF_Daruma : D$ - 2,03",
      "iCFEfetuarPagamentoFormatado_ECF_Daruma : Dinheiro - 30,00",
      // the two card movements of type 002 (70 + 50) as one payment
      "iCFEfetuarPagamentoFormatado_ECF_Daruma : Cartao Credito - 120,00",
      "iCFEncerrarConfigMsg_ECF_Daruma",
      "iCFVender_ECF_Daruma : I07,00 - 6,000 - 4,29 - A$ - 0,00 - 7891025101106 - UN - Leite "
      "integral UHT 1L",
      "ERRO!!! Impressora desligada ou desconectada.",
      "iCFVender_ECF_Daruma : I07,00 - 6,000 - 4,29 - A$ - 0,00 - 7891025101106 - UN - Leite "
      "integral UHT 1L",
      "iCFVender_ECF_Daruma : F1 - 0,350 - 14,90 - A$ - 0,00 - 2000019 - KG - Pao frances",
      "iCFEfetuarPagamentoFormatado_ECF_Daruma : Vale Alimentacao - 30,95",
      "iCFEfetuarPagamentoFormatado_ECF_Daruma : Dinheiro - 20,00",
      "iCFEncerrarConfigMsg_ECF_Daruma",
      "iCNFAbrirPadrao_ECF_Daruma",
      "iCNFReceberSemDesc_ECF_Daruma",
      "iCNFTotalizarComprovantePadrao_ECF_Daruma",
      "iCNFEfetuarPagamentoFormatado_ECF_Daruma",
      "iCNFEncerrarPadrao_ECF_Daruma",
      "iCFVender_ECF_Daruma : I18,00 - 1,000 - 3,49 - A$ - 0,00 - 7896098900017 - PC - Esponja de "
      "aco",
      "iCFCancelarItem_ECF_Daruma : 0002",
      "iCFCancelarUltimoItem_ECF_Daruma",
      "rRetornarInformacao_ECF_Daruma (26)\r\nRetorno da Impressora : 000007",
      "iCFCancelar_ECF_Daruma",
  };
  const std::vector<std::string> log = DebugLog();
  auto at = log.begin();
  for (const std::string& line : expected) {
    at = std::find(at, log.end(), Tov00300::Utf8ToCp1252(line));
    if (at == log.end()) {
      std::string all;
      for (const std::string& l : log) all += Tov00300::Cp1252ToUtf8(l) + "\n";
      FAIL() << "missing, or out of order: " << line << "\nin:\n" << all;
    }
    ++at;
  }
  // The refused item was sent twice, every other item once.
  const std::string leite = Tov00300::Utf8ToCp1252(expected[15]);
  EXPECT_EQ(tovtest::LogCount(leite, log), 2);
}

TEST_F(SaleDayTest, TapeShowsEveryDocumentOfTheDay) {
  RunDay();
  const std::string tape = Tape();
  const std::vector<std::string> lines = {
      // receipt 1: exempt item, item discount, cash with change
      "   2,000 UN x 8,49 I1                      16,98",
      "   desconto sobre item                     -0,50",
      "TOTAL R$                                   32,96",
      "TROCO R$                                   17,04",
      "Promocao de churrasco todo sabado",
      "Operador: 07 - Joana",
      // receipt 2: the consumer, the subtotal discount, one card payment,
      // the footer
      "CPF/CNPJ consumidor: 123.456.789-09",
      "NOME: Maria da Silva",
      "   1,254 KG x 69,90 T01 18,00%             87,65",
      "DESCONTO R$                                -2,03",
      "TOTAL R$                                  150,00",
      "Cartao Credito                            120,00",
      "Trib aprox R$: 20,45 Federal e 27,30 Estadual",
      "Fonte: IBPT",
      "Mesa  : 12           - SENHA : A47",
      "Nesta compra voce ganhou 150 DOTZ",
      // receipt 3: the refused item, sold once
      "Vale Alimentacao                           30,95",
      // receipt 4 and its contra-vale receipt
      "TROCO R$                                    5,02",
      "COMPROVANTE NÃO FISCAL",
      "001 03 CONTRA-VALE EMI                      3,00",
      // receipt 5: two items cancelled, then the receipt
      "cancelamento item 002                      -2,29",
      "cancelamento item 004                      -3,49",
      "CUPOM FISCAL CANCELADO",
      "VALOR CANCELADO R$                         20,67",
  };
  size_t from = 0;
  for (const std::string& line : lines) {
    const size_t at = tape.find(line, from);
    ASSERT_NE(at, std::string::npos) << "missing, or out of order: " << line << "\n" << tape;
    from = at + line.size();
  }
  EXPECT_EQ(Count(tape, "Leite integral UHT 1L"), 1u);
  // The card movements were merged: no payment line of either one alone.
  EXPECT_EQ(Count(tape, "Cartao Credito                             70,00"), 0u);
  EXPECT_EQ(Count(tape, "Cartao Credito                             50,00"), 0u);
  EXPECT_EQ(Count(tape, "CUPOM FISCAL\n"), 5u);
}

TEST_F(SaleDayTest, RegistersAgreeWithWhatWasSold) {
  const HostRun run = RunDay();
  const Ledger book = Account(script_);
  // The script's own figures, so that a slip in the ledger shows too.
  ASSERT_EQ(book.gross, 25787);
  ASSERT_EQ(book.cancellations, 2645);
  ASSERT_EQ(book.discounts, 253);
  ASSERT_EQ(book.net, 3296 + 15000 + 3095 + 1498);

  // A fresh printer whose only Z came before any sale: the grand total is
  // the day's gross sales.
  EXPECT_EQ(AmountText(run.Record("BuscaTotGer")["args"][1]), book.gross);
  EXPECT_EQ(AmountText(run.Record("BuscaVendaBruta")["args"][1]), book.gross);
  EXPECT_EQ(AmountText(run.Record("Cancelamentos")["args"][1]), book.cancellations);
  EXPECT_EQ(AmountText(run.Record("BuscaDescontos")["args"][1]), book.discounts);
  EXPECT_EQ(run.Record("Acrescimo_Imp")["args"][1], "0000000000000");
  EXPECT_EQ(book.gross - book.cancellations - book.discounts, book.net);

  // Counters: every receipt and contra-vale took a COO, every receipt a CCF.
  const Json& first = run.Record("AbreCupom", 0)["args"][0]["bag"];
  EXPECT_EQ(Counter(run.Record("Nr_Cupom")["result"]),
            Counter(first["CUPNR"]) + book.receipts - 1 + book.contraVales);
  EXPECT_EQ(Counter(run.Record("ContadorCupomFiscalMFD")["args"][1]),
            Counter(first["CONTCUPOM"]) + book.receipts - 1);
  EXPECT_EQ(Counter(run.Record("BuscaOpNFis")["args"][1]), book.contraVales);

  // The receipt cancellation recorded the printer's grand total, scrambled,
  // in the shop's control file.
  Tov00300::DataSet control("cdsCheckECF");
  control.LoadFromFile(hostDir() + "/Brindal.cds");
  control.First();
  EXPECT_EQ(Tov00300::hostlib::Uncripto(control.FieldByName("CAMPO02").AsString(), kChaveCripto),
            Tov00300::Utf8ToCp1252(run.Record("BuscaTotGer")["args"][1].get<std::string>()));
}

}  // namespace
}  // namespace e2e
