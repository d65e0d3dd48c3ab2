// The non-linked non-fiscal receipt: totalizer search, the six commands, and
// the rejections made before anything is printed.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/documents.h"
#include "tov00300/state.h"

namespace tovtest {
namespace {

// The driver may leave blanks around the list; they are not part of a name.
const std::string kTotalizers = "  SANGRIA;SUPRIMENTO;CONTRA-VALE EMI;Cred Pessoal   ";

const std::vector<std::string> kSixCommands = {
    "rLerCNF_ECF_Daruma",
    "iCNFAbrirPadrao_ECF_Daruma",
    "iCNFReceberSemDesc_ECF_Daruma",
    "iCNFTotalizarComprovantePadrao_ECF_Daruma",
    "iCNFEfetuarPagamentoFormatado_ECF_Daruma",
    "iCNFEncerrarPadrao_ECF_Daruma",
};

class NonFiscalReceiptTest : public PackageTest {
 protected:
  void QueueList(const std::string& list) { driver().Queue("rLerCNF_ECF_Daruma", 1, {list}); }
  std::vector<std::string> Commands() {
    std::vector<std::string> names;
    for (const std::string& name : driver().CallNames())
      if (name != "rStatusUltimoCmdInt_ECF_Daruma" && name.rfind("eInterpretar", 0) != 0 &&
          name != "eTEF_TravarTeclado_ECF_Daruma")
        names.push_back(name);
    return names;
  }
};

// "." groups thousands under pt_BR: "1.234" is no amount there and nothing
// is printed (never a receipt of 1,23); under the C settings it is 1.234.
TEST_F(NonFiscalReceiptTest, AmountIsReadInTheProcessSettings) {
  QueueList(kTotalizers);
  EXPECT_FALSE(Tov00300::Cupom_NFiscNVinc("AZUL", "SANGRIA", "1.234", "Dinheiro", ""));
  EXPECT_TRUE(Commands().empty());
  EXPECT_NE(Tov00300::stMensagemTaa.find("\"1.234\""), std::string::npos);

  Tov00300::GlobalFormatSettings() = Tov00300::FormatSettings::FromLocaleName("C");
  EXPECT_TRUE(Tov00300::Cupom_NFiscNVinc("AZUL", "SANGRIA", "1.234", "Dinheiro", ""));
  EXPECT_EQ(driver().CallsTo("iCNFReceberSemDesc_ECF_Daruma").at(0).args,
            (std::vector<std::string>{"01", "1.23"}));
}

TEST_F(NonFiscalReceiptTest, TotalizerCodeIsItsPositionInTwoCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"SANGRIA", "01"}, {"SUPRIMENTO", "02"}, {"CONTRA-VALE EMI", "03"}, {"Cred Pessoal", "04"}};
  for (const auto& [name, code] : cases) {
    SCOPED_TRACE(name);
    driver().ClearCalls();
    QueueList(kTotalizers);
    EXPECT_TRUE(Tov00300::Cupom_NFiscNVinc("AZUL", name, "12,5", "Dinheiro", ""));
    std::vector<std::string> commands = Commands();
    std::erase(commands, "rRetornarInformacao_ECF_Daruma");  // the document-state read
    EXPECT_EQ(commands, kSixCommands);
    const std::vector<DriverCall> receive = driver().CallsTo("iCNFReceberSemDesc_ECF_Daruma");
    ASSERT_EQ(receive.size(), 1u);
    EXPECT_EQ(receive[0].args, (std::vector<std::string>{code, "12,50"}));
    EXPECT_EQ(driver().CallsTo("iCNFEfetuarPagamentoFormatado_ECF_Daruma")[0].args,
              (std::vector<std::string>{"Dinheiro", "12,50"}));
    EXPECT_EQ(driver().CallsTo("rLerCNF_ECF_Daruma")[0].args,
              std::vector<std::string>{"[out 360]"});
  }
}

// Once the receipt is open every command is sent and only the closing
// decides; a receipt this call could not open gets nothing more, since the
// refusal means another document is open and the payment would go onto it.
TEST_F(NonFiscalReceiptTest, EveryCommandIsSentAndOnlyTheClosingDecides) {
  struct Case {
    const char* what;
    const char* refused;
    bool result;
    size_t sent = 6;  // the first commands of kSixCommands sent
  };
  const Case cases[] = {
      {"opening refused", "iCNFAbrirPadrao_ECF_Daruma", false, 2},
      {"payment refused", "iCNFEfetuarPagamentoFormatado_ECF_Daruma", true},
      {"closing refused", "iCNFEncerrarPadrao_ECF_Daruma", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    driver().ClearCalls();
    scriptedOperator().Clear();
    QueueList(kTotalizers);
    driver().Queue(c.refused, -6);
    EXPECT_EQ(Tov00300::Cupom_NFiscNVinc("AZUL", "SUPRIMENTO", "10", "Dinheiro", ""), c.result);
    // The printer's document state is read before the opening and after a
    // refused closing, to learn whether the command took effect all the same.
    std::vector<std::string> commands = Commands();
    std::erase(commands, "rRetornarInformacao_ECF_Daruma");
    EXPECT_EQ(commands,
              std::vector<std::string>(kSixCommands.begin(), kSixCommands.begin() + c.sent));
    EXPECT_FALSE(scriptedOperator().Messages().empty());
  }
  const std::vector<std::string> log = DebugLogTexts();
  for (size_t i = 1; i < kSixCommands.size(); ++i)
    EXPECT_TRUE(tovtest::LogHas(kSixCommands[i], log)) << kSixCommands[i];
}

TEST_F(NonFiscalReceiptTest, UnknownTotalizerOpensNothing) {
  const std::pair<std::string, std::string> cases[] = {
      {"nome ausente", kTotalizers},
      {"contra-vale emi", kTotalizers},  // compared exactly
      {"CONTRA-VALE", kTotalizers},
      {"SANGRIA", ""},  // a printer without totalizers
      {"", kTotalizers},
  };
  for (const auto& [name, list] : cases) {
    SCOPED_TRACE("'" + name + "' in '" + list + "'");
    driver().ClearCalls();
    scriptedOperator().Clear();
    Tov00300::stMensagemTaa.clear();
    QueueList(list);
    EXPECT_FALSE(Tov00300::Cupom_NFiscNVinc("AZUL", name, "10", "Dinheiro", ""));
    EXPECT_EQ(driver().CountOf("iCNFAbrirPadrao_ECF_Daruma"), 0);
    EXPECT_LE(driver().Calls().size(), 1u);
    ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
    EXPECT_NE(scriptedOperator().Messages()[0].text.find("\"" + name + "\""), std::string::npos);
    EXPECT_EQ(scriptedOperator().Messages()[0].context, "AZUL");
    EXPECT_NE(Tov00300::stMensagemTaa.find("\"" + name + "\""), std::string::npos);
  }
}

TEST_F(NonFiscalReceiptTest, AmountThatIsNotANumberSendsNothing) {
  for (const std::string valor : {"", "dez", "10,00,0", "1.234,56"}) {
    SCOPED_TRACE("'" + valor + "'");
    driver().ClearCalls();
    scriptedOperator().Clear();
    QueueList(kTotalizers);
    EXPECT_FALSE(Tov00300::Cupom_NFiscNVinc("AZUL", "SANGRIA", valor, "Dinheiro", ""));
    EXPECT_TRUE(driver().Calls().empty());
    ASSERT_EQ(scriptedOperator().Messages().size(), 1u);
    EXPECT_NE(scriptedOperator().Messages()[0].text.find("\"" + valor + "\""), std::string::npos);
  }
}

TEST_F(NonFiscalReceiptTest, RejectionWithoutOperatorIsOnlyCollected) {
  Tov00300::boNUtilTaa = false;
  QueueList(kTotalizers);
  EXPECT_FALSE(Tov00300::Cupom_NFiscNVinc("AZUL", "NAO EXISTE", "10", "Dinheiro", ""));
  EXPECT_TRUE(scriptedOperator().Messages().empty());
  EXPECT_NE(Tov00300::stMensagemTaa.find("\"NAO EXISTE\""), std::string::npos);
  const std::vector<std::string> log = DebugLogTexts();
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
    return line.find("\"NAO EXISTE\"") != std::string::npos;
  }));
}

}  // namespace
}  // namespace tovtest
