// Carrega_Dados_Impressora: the printer's identification in the host's bag.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "session/port_helpers.h"
#include "support/fixture.h"
#include "tov00300/format.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;

class PrinterDataTest : public tovtest::PackageTest {
 protected:
  void SetUp() override {
    PackageTest::SetUp();
    tovtest::SetClock(porttest::Now());
  }
  static Variant HostBag() {
    return MakeBag({{"ESQUEMA", "AZUL"},
                    {"DATAATUIMP", "d"},
                    {"ECFIMP", "e"},
                    {"REDIMP", "0042"},
                    {"SERIEIMP", "host-serie"},
                    {"DATAIMP", "m"}});
  }
  static std::vector<std::pair<std::string, std::string>> Pairs(const Variant& bag) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const Variant& par : bag.AsArray()) {
      pairs.emplace_back(par.AsArray()[0].AsString(), par.AsArray()[1].AsString());
    }
    return pairs;
  }
};

TEST_F(PrinterDataTest, ReturnsTheFivePairsInOrder) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"14032026"});
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 1, {"15032026", "103000"});
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"007"});
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"DR0001XYZ           "});
  Variant bag = HostBag();
  EXPECT_TRUE(Carrega_Dados_Impressora(bag));
  EXPECT_EQ(Pairs(bag),
            (std::vector<std::pair<std::string, std::string>>{{"DATAATUIMP", "150326103000"},
                                                              {"ECFIMP", "007"},
                                                              {"REDIMP", "0042"},
                                                              {"SERIEIMP", "DR0001XYZ           "},
                                                              {"DATAIMP", "140326"}}));
  auto queries = driver().CallsTo("rRetornarInformacao_ECF_Daruma");
  ASSERT_EQ(queries.size(), 3u);
  EXPECT_EQ(queries[0].args, (std::vector<std::string>{"70", "[out 8]"}));
  EXPECT_EQ(queries[1].args, (std::vector<std::string>{"107", "[out 3]"}));
  EXPECT_EQ(queries[2].args, (std::vector<std::string>{"78", "[out 20]"}));
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

TEST_F(PrinterDataTest, NoFiscalDayGivesToday) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"01012000"});
  Variant bag = HostBag();
  Carrega_Dados_Impressora(bag);
  EXPECT_EQ(Pairs(bag).back().second, "150326");
}

TEST_F(PrinterDataTest, BlankEcfNumberKeepsTheHostsSerial) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"14032026"});
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 1, {"15032026", "103000"});
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"   "});
  Variant bag = HostBag();
  EXPECT_FALSE(Carrega_Dados_Impressora(bag));
  EXPECT_EQ(Pairs(bag)[3], (std::pair<std::string, std::string>{"SERIEIMP", "host-serie"}));
  EXPECT_EQ(driver().CountOf("rRetornarInformacao_ECF_Daruma"), 2);
}

TEST_F(PrinterDataTest, BlankClockStopsBeforeTheEcfNumber) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"14032026"});
  driver().Queue("rDataHoraImpressora_ECF_Daruma", 1, {"", ""});
  Variant bag = HostBag();
  EXPECT_FALSE(Carrega_Dados_Impressora(bag));
  EXPECT_EQ(Pairs(bag)[1].second, "e");
  // Each step looks only at the value before it: the host's ECF number lets
  // the serial number be read.
  auto queries = driver().CallsTo("rRetornarInformacao_ECF_Daruma");
  ASSERT_EQ(queries.size(), 2u);
  EXPECT_EQ(queries[1].args[0], "78");
}

TEST_F(PrinterDataTest, SilentPrinterFailsAtTheFiscalDay) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 0);
  Variant bag = HostBag();
  EXPECT_FALSE(Carrega_Dados_Impressora(bag));
  EXPECT_EQ(driver().CountOf("rDataHoraImpressora_ECF_Daruma"), 0);
  EXPECT_EQ(Pairs(bag)[0].second, "d");
}

TEST_F(PrinterDataTest, UnreadableBagIsReportedAndThePrinterStillAsked) {
  Variant bag("nao e uma bolsa");
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"14032026"});
  Carrega_Dados_Impressora(bag);
  ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
  const auto& m = scriptedOperator().Messages()[0];
  EXPECT_EQ(m.text.rfind(Utf8ToCp1252("Erro no recebimento dos parâmetros da função: "
                                      "Carrega_Dados_Impressora - Tov_00100.bpl\r"),
                         0),
            0u);
  EXPECT_EQ(m.type, 3);
  EXPECT_EQ(m.context, "001");
  EXPECT_EQ(Pairs(bag).size(), 5u);
}

}  // namespace
