// The C interface as a C host meets it: bad input answered false with the
// last error, UTF-8 texts converted or refused, the hooks, the exported
// state, the settings and a new till's control row.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "receipt/sale_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/dataset.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/state.h"
#include "tov00300/tov00300_c.h"

namespace tovtest {
namespace {

class CInterfaceTest : public PackageTest {
 protected:
  void TearDown() override {
    tov_set_setting("encoding", "");
    tov_set_dialog_hook(nullptr, nullptr);
    tov_set_document_hook(nullptr, nullptr);
    PackageTest::TearDown();
  }
  static TovVariant* Item(const char* quantity, const char* name) {
    TovVariant* bag = tov_bag_new();
    tov_bag_set_text(bag, "CDALIQ", "T");
    tov_bag_set_text(bag, "VRPERCALIQ", "18");
    tov_bag_set_text(bag, "QTDE", quantity);
    tov_bag_set_double(bag, "VALOR", 2.5);
    tov_bag_set_text(bag, "CDARVPROD", "789");
    tov_bag_set_text(bag, "NMPROD", name);
    return bag;
  }
  static std::string LastErrorText() {
    const char* text = nullptr;
    tov_last_error(&text);
    return text;
  }
};

struct BadInput {
  const char* what;
  std::function<bool()> call;
  TovError code;
  const char* says;  // a part of the last error's text
};

TEST_F(CInterfaceTest, BadInputAnswersFalseWithTheLastError) {
  char small[4];
  TovVariant* text = tov_bag_new();
  tov_bag_set_text(text, "K", "abc");
  const std::vector<BadInput> cases = {
      {"a null bag", [] { return AbreCupom(nullptr); }, TOV_ERR_ARGUMENT, "bag is null"},
      {"a null result array", [] { return FechaCupom(nullptr, nullptr, nullptr); },
       TOV_ERR_ARGUMENT, "result is null"},
      {"a quantity that is not a number",
       [] {
         TovVariant* bag = Item("abc", "ARROZ");
         const bool ok = VendaItem(bag);
         tov_variant_free(bag);
         return ok;
       },
       TOV_ERR_EXCEPTION, "VendaItem: "},
      {"an answer cut to the buffer",
       [&] {
         ScriptedDriver::Get().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000000000000003350"});
         return BuscaTotGer("PADRAO", small, sizeof small);
       },
       TOV_ERR_BUFFER, "needs a buffer of 5 bytes"},
      {"a value of the wrong type",
       [&] {
         double number = 0;
         return tov_bag_get_double(text, "K", &number);
       },
       TOV_ERR_EXCEPTION, "abc"},
      {"an unknown setting", [] { return tov_set_setting("speed", "fast"); }, TOV_ERR_ARGUMENT,
       "no setting named \"speed\""},
      {"a host folder that does not exist",
       [] { return tov_set_setting("host_folder", "/no/such/folder"); }, TOV_ERR_ARGUMENT,
       "no such file or folder"},
      {"an unknown encoding", [] { return tov_set_setting("encoding", "latin9"); },
       TOV_ERR_ARGUMENT, "UTF-8"},
  };
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(c.call());
    EXPECT_EQ(tov_last_error(nullptr), c.code);
    EXPECT_NE(LastErrorText().find(c.says), std::string::npos) << LastErrorText();
  }
  tov_variant_free(text);
  // The cut answer is what fits, and the size that holds it is given.
  EXPECT_STREQ(small, "33,");
  // The refused quantity reached the debug log, not only the host.
  bool logged = false;
  for (const std::string& line : DebugLogTexts()) logged |= line.rfind("VendaItem : ", 0) == 0;
  EXPECT_TRUE(logged);
  // A plain name that succeeds clears what the last one left.
  EXPECT_TRUE(ImpFisDebug("ok"));
  EXPECT_EQ(tov_last_error(nullptr), TOV_OK);
}

TEST_F(CInterfaceTest, Utf8TextsAreConvertedOrRefusedBeforeAnythingIsSent) {
  ASSERT_TRUE(tov_set_setting("encoding", "UTF-8"));
  ReceiptOpenedBySession();
  TovVariant* bag = Item("1", "Café");
  ASSERT_TRUE(VendaItem(bag));
  EXPECT_EQ(driver().CallsTo("iCFVender_ECF_Daruma").at(0).args.at(7), "Caf\xE9");

  // A character Windows-1252 cannot hold never becomes "?" on paper.
  EXPECT_FALSE(tov_bag_set_text(bag, "NMPROD", "Chá 中"));
  EXPECT_EQ(tov_last_error(nullptr), TOV_ERR_ENCODING);
  EXPECT_NE(LastErrorText().find("U+4E2D"), std::string::npos) << LastErrorText();
  EXPECT_FALSE(RG_FrameWork("PADRAO", "Caf\xE9"));  // Windows-1252 bytes are not UTF-8
  EXPECT_EQ(tov_last_error(nullptr), TOV_ERR_ENCODING);
  EXPECT_EQ(driver().CountOf("iRGAbrirPadrao_ECF_Daruma"), 0);

  // Out, the package's texts come back as UTF-8.
  Tov00300::stMensagemTaa = Tov00300::Utf8ToCp1252("Atenção");
  char buffer[16];
  EXPECT_EQ(tov_get_stMensagemTaa(buffer, sizeof buffer), 9);
  EXPECT_STREQ(buffer, "Atenção");
  tov_variant_free(bag);
}

struct HookLog {
  std::vector<std::string> texts;
  int answer = 1;
};

int Dialog(void* user, const char* text, const char*, const char*, const char* question, int,
           const char*, const char*, int, TovDataSet*) {
  auto* log = static_cast<HookLog*>(user);
  log->texts.push_back(text);
  return std::string(question) == "S" ? log->answer : 0;
}

TEST_F(CInterfaceTest, DialogHookAnswersTheOperatorsQuestions) {
  HookLog log;
  tov_set_dialog_hook(Dialog, &log);
  ASSERT_TRUE(tov_set_setting("encoding", "UTF-8"));
  ReceiptOpenedBySession();
  TovVariant* bag = Item("1", "ARROZ");

  driver().Queue("iCFVender_ECF_Daruma", -6);
  EXPECT_TRUE(VendaItem(bag));  // yes: sold again
  EXPECT_EQ(driver().CountOf("iCFVender_ECF_Daruma"), 2);
  ASSERT_FALSE(log.texts.empty());
  EXPECT_NE(log.texts.back().find("Deseja imprimir novamente?"), std::string::npos);

  // An answer that is not one is taken as no, and the host is told.
  log.answer = 7;
  driver().Queue("iCFVender_ECF_Daruma", -6);
  EXPECT_FALSE(VendaItem(bag));
  EXPECT_EQ(driver().CountOf("iCFVender_ECF_Daruma"), 3);
  EXPECT_EQ(tov_last_error(nullptr), TOV_ERR_HOOK);
  EXPECT_NE(LastErrorText().find("answered 7"), std::string::npos) << LastErrorText();
  tov_variant_free(bag);
}

int Document(void* user, const char* key, const char*, const char*, const char*, const char*,
             const char* kind, const char*, double, double, const char*) {
  static_cast<std::vector<std::string>*>(user)->push_back(std::string(key) + "/" + kind);
  return 41;
}

TEST_F(CInterfaceTest, DocumentHookReceivesTheRecords) {
  std::vector<std::string> records;
  tov_set_document_hook(Document, &records);
  GravaDocumentosNaoFiscais("CHAVE", "PADRAO", "LX", "");
  EXPECT_EQ(records, std::vector<std::string>{"CHAVE/LX"});
}

TEST_F(CInterfaceTest, SettingsAndGlobalsAreReadAndSetByCalls) {
  ASSERT_TRUE(tov_set_setting("locale", "pt_BR"));
  char value[64];
  ASSERT_EQ(tov_get_setting("decimal_separator", value, sizeof value), 1);
  EXPECT_STREQ(value, ",");
  ASSERT_TRUE(tov_set_setting("locale", "C"));
  EXPECT_EQ(Tov00300::GlobalFormatSettings().decimalSeparator, '.');

  // The host folder by call means what TOV_HOST_DIR means: DsDirCad follows.
  const std::string other = sandbox().root() + "/other";
  ASSERT_TRUE(Tov00300::platform::CreateFolder(other));
  ASSERT_TRUE(tov_set_setting("host_folder", other.c_str()));
  EXPECT_EQ(Tov00300::DsDirCad, other + "/");
  ASSERT_TRUE(ImpFisDebug("na outra pasta"));
  EXPECT_TRUE(Tov00300::platform::FileExists(DebugLogPath(Tov00300::DateTime::Now())));

  tov_set_stAtuFili("001");
  EXPECT_EQ(Tov00300::stAtuFili, "001");
  tov_set_inRetorno(-6);
  EXPECT_EQ(tov_get_inRetorno(), -6);
}

TEST_F(CInterfaceTest, NewTillControlRowIsTakenUpByTheFirstCheck) {
  ASSERT_TRUE(tov_create_control_row("001", "02", "DR0001", ""));
  EXPECT_FALSE(tov_create_control_row("001", "02", "DR0001", ""));  // never reset
  EXPECT_EQ(tov_last_error(nullptr), TOV_ERR_REFUSED);
  ASSERT_TRUE(tov_create_control_row("001", "03", "DR0002", "abc"));

  Tov00300::stAtuFili = "001";
  Tov00300::stAtuCaixa = "02";
  Tov00300::stSerieAtu = "DR0001";
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000000000001234567"});
  EXPECT_TRUE(Tov00300::Atu_TotGeral(Tov00300::MakeBag({{"IDVALIDA", "S"}})));
  // The printer's total replaced the reset value, and the next check agrees.
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000000000001234567"});
  EXPECT_TRUE(Tov00300::Atu_TotGeral(Tov00300::MakeBag({{"IDVALIDA", "S"}})));
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"000000000001234568"});
  EXPECT_FALSE(Tov00300::Atu_TotGeral(Tov00300::MakeBag({{"IDVALIDA", "S"}})));
}

}  // namespace
}  // namespace tovtest
