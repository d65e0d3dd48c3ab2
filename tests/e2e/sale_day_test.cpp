// The demo's day of sales through ecfhost against the virtual printer: the
// example scripts run in order (yesterday's Z, the start of day, the sales),
// then the registers are checked against a ledger worked out from the sale
// script's own calls. (The day's results, debug log and tape are cases in
// cases/sale_day.)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "readings/control_file.h"
#include "sale_script.h"
#include "tov00300/dataset.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace e2e {
namespace {

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
  EXPECT_EQ(Tov00300::hostlib::Uncripto(control.FieldByName("CAMPO02").AsString(),
                                        Tov00300::kScrambleKey),
            Tov00300::Utf8ToCp1252(run.Record("BuscaTotGer")["args"][1].get<std::string>()));
}

}  // namespace
}  // namespace e2e
