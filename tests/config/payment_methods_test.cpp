// Payment-method synchronisation: which types are registered, renamed,
// marked or removed, the special-method globals and the exact log lines.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "config/config_helpers.h"
#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/config.h"
#include "tov00300/datamodule.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using configtest::AllTypes;
using configtest::CreatePaymentTypes;
using configtest::FindType;
using configtest::PaymentType;
using tovtest::PackageTest;

class PaymentMethodsTest : public PackageTest {};

const char* const kRead = "rLerMeiosPagto_ECF_Daruma";
const char* const kRegister = "confCadastrarPadrao_ECF_Daruma";

std::vector<std::string> Registrations(tovtest::ScriptedDriver& driver) {
  std::vector<std::string> names;
  for (const auto& call : driver.CallsTo(kRegister)) {
    EXPECT_EQ(call.args.at(0), "FPGTO");
    names.push_back(call.args.at(1));
  }
  return names;
}

struct TypeCase {
  const char* name;
  std::string list;                   // the printer's list at the start
  std::optional<std::string> reread;  // the list after a registration
  PaymentType input;
  std::vector<std::string> registrations;  // methods the printer is asked to register
  std::optional<PaymentType> output;       // nullopt: the type is removed
};
// Test listings show the case by its name.
void PrintTo(const TypeCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class TypeSynchronisationTest : public PackageTest,
                                public ::testing::WithParamInterface<TypeCase> {};

TEST_P(TypeSynchronisationTest, OneType) {
  const TypeCase& testCase = GetParam();
  driver().Queue(kRead, 1, {testCase.list});
  if (testCase.reread) driver().Queue(kRead, 1, {*testCase.reread});
  DataSet host;
  CreatePaymentTypes(host, {testCase.input});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_EQ(Registrations(driver()), testCase.registrations);
  const auto types = AllTypes(host);
  const PaymentType* kind = FindType(types, testCase.input.code);
  if (!testCase.output) {
    EXPECT_EQ(kind, nullptr);
    return;
  }
  ASSERT_NE(kind, nullptr);
  EXPECT_EQ(kind->nm, testCase.output->nm);
  EXPECT_EQ(kind->cdfp, testCase.output->cdfp);
  EXPECT_EQ(kind->issuesVoucher, testCase.output->issuesVoucher);
  EXPECT_EQ(kind->shown, testCase.output->shown);
  EXPECT_TRUE(scriptedOperator().Messages().empty());
}

const std::string kList = "Dinheiro        ;Cheque          ;Rel Gerencial   ";

INSTANTIATE_TEST_SUITE_P(
    Cases, TypeSynchronisationTest,
    ::testing::Values(TypeCase{"KnownTakesThePrintersName",
                               kList,
                               {},
                               {"001", "Especie", "DINHEIRO"},
                               {},
                               PaymentType{"001", "Dinheiro", "", "S", "1", "S", "S"}},
                      TypeCase{"KindFourIssuesNoVoucher",
                               kList,
                               {},
                               {"001", "Vale", "Cheque", " ", "4"},
                               {},
                               PaymentType{"001", "Cheque", "", "S", "4", "N", "S"}},
                      TypeCase{"KindBWithoutDonorLeavesTheScreen",
                               kList,
                               {},
                               {"001", "Conv", "Cheque", " ", "B"},
                               {},
                               PaymentType{"001", "Cheque", "", "S", "B", "S", "N"}},
                      TypeCase{"MissingIsRegistered",
                               "Dinheiro;Rel Gerencial",
                               "Dinheiro;Ticket;Rel Gerencial",
                               {"002", "Ticket host", "Ticket"},
                               {"Ticket"},
                               PaymentType{"002", "Ticket host", "", "S", "1", "S", "S"}},
                      TypeCase{"RefusedIsRemoved",
                               "Dinheiro;Rel Gerencial",
                               "Dinheiro;Rel Gerencial",
                               {"002", "Ticket host", "Ticket"},
                               {"Ticket"},
                               std::nullopt},
                      TypeCase{"RegisteredInOtherLetterCaseIsRemoved",
                               "Dinheiro;Rel Gerencial",
                               "Dinheiro;TICKET;Rel Gerencial",
                               {"002", "Ticket host", "Ticket"},
                               {"Ticket"},
                               std::nullopt},
                      TypeCase{"LongDescriptionUsesSixteen",
                               "Dinheiro;Rel Gerencial",
                               "Dinheiro;Cartao Credito V;Rel Gerencial",
                               {"003", "Visa", "Cartao Credito Visa Internacional"},
                               {"Cartao Credito V"},
                               PaymentType{"003", "Visa", "", "S", "1", "S", "S"}},
                      TypeCase{"NotShownIsNotSynchronised",
                               "Dinheiro;Rel Gerencial",
                               {},
                               {"004", "Ticket host", "Ticket", " ", "1", "", "N"},
                               {},
                               PaymentType{"004", "Ticket host", "", " ", "1", "", "N"}},
                      TypeCase{"PartOfAnotherNameIsRegistered",
                               "Cartao Credito;Dinheiro;Rel Gerencial",
                               "Cartao Credito;Dinheiro;Cartao;Rel Gerencial",
                               {"006", "Cartao host", "Cartao"},
                               {"Cartao"},
                               PaymentType{"006", "Cartao host", "", "S", "1", "S", "S"}},
                      // Without a fiscal description nothing can be registered.
                      TypeCase{"WithoutDescriptionIsRemoved",
                               "Dinheiro;Rel Gerencial",
                               {},
                               {"007", "Nada", ""},
                               {},
                               std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaymentMethodsTest, SameFiscalDescriptionIsRegisteredOnce) {
  driver().Queue(kRead, 1, {"Dinheiro;Rel Gerencial"});
  driver().Queue(kRead, 1, {"Dinheiro;Vale;Rel Gerencial"});
  DataSet host;
  CreatePaymentTypes(host, {{"003", "Vale A", "Vale"}, {"004", "Vale B", "VALE"}});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_EQ(Registrations(driver()), std::vector<std::string>{"Vale"});
  const auto types = AllTypes(host);
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(types[0].cdfp, "S");
  EXPECT_EQ(types[1].cdfp, "S");
  EXPECT_EQ(types[1].nm, "Vale");
}

TEST_F(PaymentMethodsTest, TypeMatchingAMethodRegisteredInTheSameRunIsMatchedWithoutADonor) {
  driver().Queue(kRead, 1, {"Dinheiro;Rel Gerencial"});
  driver().Queue(kRead, 1, {"Dinheiro;Vale;Rel Gerencial"});
  DataSet host;
  CreatePaymentTypes(host, {{"003", "Vale A", "Vale"}, {"004", "Vale B", "VALE", " ", "B"}});

  CarregaRecebimento("", "ESQ", 0, host);

  // The registered type leaves no code in the working copy, so the kind "B"
  // type is matched as a method of its own and leaves the screen.
  const auto types = AllTypes(host);
  const PaymentType* conv = FindType(types, "004");
  ASSERT_NE(conv, nullptr);
  EXPECT_EQ(conv->cdfp, "S");
  EXPECT_EQ(conv->shown, "N");
  const auto workingCopy = AllTypes(DataModule().cdsReceb);
  EXPECT_EQ(FindType(workingCopy, "003")->cdfp, "");
  EXPECT_EQ(FindType(workingCopy, "004")->nm, "Vale");
}

TEST_F(PaymentMethodsTest, LaterTypeTakesTheCodeOfAnEarlierTypeWithTheSameDescription) {
  driver().Queue(kRead, 1, {"Dinheiro;Cheque;Rel Gerencial"});
  DataSet host;
  CreatePaymentTypes(host, {{"005", "Chq", "Cheque", "07"}, {"006", "Chq 2", "CHEQUE", " "}});

  CarregaRecebimento("", "ESQ", 0, host);

  const auto types = AllTypes(host);
  EXPECT_EQ(FindType(types, "006")->cdfp, "07");
  EXPECT_TRUE(Registrations(driver()).empty());
}

TEST_F(PaymentMethodsTest, RefusedTypeIsRemovedAndTheNextTypeIsStillVisited) {
  driver().Queue(kRead, 1, {"Dinheiro;Rel Gerencial"});
  driver().Queue(kRegister, -1);
  driver().Queue(kRead, 1, {"Dinheiro;Rel Gerencial"});
  DataSet host;
  CreatePaymentTypes(
      host,
      {{"002", "Ticket", "Ticket"}, {"001", "Especie", "DINHEIRO"}, {"009", "Outro", "Outro"}});
  driver().Queue(kRead, 1, {"Dinheiro;Rel Gerencial"});  // re-read after "Outro" is refused

  CarregaRecebimento("", "ESQ", 0, host);

  const auto types = AllTypes(host);
  ASSERT_EQ(types.size(), 1u);
  EXPECT_EQ(types[0].code, "001");
  EXPECT_EQ(types[0].nm, "Dinheiro");
  EXPECT_EQ(Registrations(driver()), (std::vector<std::string>{"Ticket", "Outro"}));
  EXPECT_TRUE(scriptedOperator().Messages().empty()) << "driver failures are only logged";
}

TEST_F(PaymentMethodsTest, HostSetStaysFilteredAndWorkingCopyHoldsEveryType) {
  driver().Queue(kRead, 1, {"Dinheiro;Rel Gerencial"});
  DataSet host;
  CreatePaymentTypes(host, {{"001", "Especie", "Dinheiro"},
                            {"002", "Fiado", "Dinheiro", " ", "1", "", "S", "2"},
                            {"003", "Troco", "Dinheiro", " ", "1", "", "S", "5"}});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_TRUE(host.Filtered());
  EXPECT_EQ(host.Filter(), "IDTPBUTTON = '5'");
  EXPECT_EQ(host.RecordCount(), 2);
  EXPECT_EQ(DataModule().cdsReceb.RecordCount(), 3);
  EXPECT_EQ(FindType(AllTypes(host), "002")->nm, "Fiado") << "types of other buttons are untouched";
}

TEST_F(PaymentMethodsTest, SpecialMethodsAreFoundEvenWhenNotSynchronised) {
  CdFormPagVCons = "ant";
  driver().Queue(kRead, 1, {"Dinheiro;Credito Pessoal  ;Cartao Consumo;Rel Gerencial"});
  DataSet host;
  CreatePaymentTypes(host, {{"009", "Credito", "credito pessoal", "S", "9", "", "N"},
                            {"010", "Cartao", "Cartao Consumo", " ", "A"}});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_EQ(CdFormPagCPess, "009");
  EXPECT_EQ(IdFormPagCPess, "S");
  EXPECT_EQ(DsFormPagCPess, "Credito Pessoal  ");
  EXPECT_EQ(CdFormPagVCons, "010");
  EXPECT_EQ(DsFormPagVCons, "Cartao Consumo");
}

struct ManagementReportCase {
  const char* name;
  std::string list;
  bool registers;
};
// Test listings show the case by its name.
void PrintTo(const ManagementReportCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class ManagementReportMethodTest : public PackageTest,
                                   public ::testing::WithParamInterface<ManagementReportCase> {};

TEST_P(ManagementReportMethodTest, ManagementReportMethodIsRegisteredWhenMissing) {
  driver().Queue(kRead, 1, {GetParam().list});
  DataSet host;
  CreatePaymentTypes(host, {});

  CarregaRecebimento("", "ESQ", 0, host);

  if (GetParam().registers) {
    EXPECT_EQ(Registrations(driver()), std::vector<std::string>{"Rel Gerencial"});
    EXPECT_TRUE(tovtest::LogHas("confCadastrarPadrao_ECF_Daruma (FPGTO : Rel Gerencial"));
  } else {
    EXPECT_TRUE(Registrations(driver()).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ManagementReportMethodTest,
    ::testing::Values(ManagementReportCase{"Absent", "Dinheiro", true},
                      ManagementReportCase{"EmptyList", "", true},
                      ManagementReportCase{"PartOfAnotherName", "Dinheiro;Rel Gerencial 2", true},
                      ManagementReportCase{"OtherLetterCase", "REL GERENCIAL;Dinheiro", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PaymentMethodsTest, UnreadablePaymentListLeavesHostTypesAndRegistersNothing) {
  driver().Queue(kRead, configtest::DriverAnswerNoReply());
  DataSet host;
  CreatePaymentTypes(host, {{"001", "Especie", "Dinheiro"}, {"002", "Ticket", "Ticket"}});

  CarregaRecebimento("", "ESQ", 0, host);

  EXPECT_EQ(driver().CountOf(kRegister), 0);
  const auto types = AllTypes(host);
  ASSERT_EQ(types.size(), 2u);
  EXPECT_EQ(types[0].nm, "Especie");
  EXPECT_EQ(types[1].cdfp, " ");
  EXPECT_TRUE(host.Filtered());
}

TEST_F(PaymentMethodsTest, PaymentSynchronisationWritesTheExactLogLines) {
  driver().Queue(kRead, 1, {"  Dinheiro;Rel Gerencial  "});
  driver().Queue(kRead, 1, {"Dinheiro;Ticket;Rel Gerencial"});
  DataSet host;
  CreatePaymentTypes(host, {{"002", "Ticket", "Ticket"}});

  CarregaRecebimento("", "ESQ", 0, host);

  const std::vector<std::string> expected{
      "rLerMeiosPagto_ECF_Daruma\r\nRetorno da Impressora : Dinheiro;Rel Gerencial;",
      "confCadastrarPadrao_ECF_Daruma (FPGTO) : Ticket1",
      "rLerMeiosPagto_ECF_Daruma\r\nRetorno da Impressora : Dinheiro;Ticket;Rel Gerencial;"};
  EXPECT_EQ(tovtest::DebugLogTexts(), expected);
  const auto reads = driver().CallsTo(kRead);
  ASSERT_EQ(reads.size(), 2u);
  EXPECT_EQ(reads[0].args, std::vector<std::string>{"[out 330]"});
  EXPECT_EQ(reads[1].args, std::vector<std::string>{"[out 3016]"});
}

struct PaymentMethodCase {
  const char* name;
  int code;
  bool shown;
  bool result;
  size_t dialogs;
};
// Test listings show the case by its name.
void PrintTo(const PaymentMethodCase& testCase, std::ostream* os) {
  *os << testCase.name;
}

class ConfigFormaPgTest : public PackageTest,
                          public ::testing::WithParamInterface<PaymentMethodCase> {};

TEST_P(ConfigFormaPgTest, RegistersTheFirstSixteenCharacters) {
  driver().Queue(kRegister, GetParam().code);

  EXPECT_EQ(Config_FormaPg("ESQ", "Cartao Credito Visa", GetParam().shown, false),
            GetParam().result);

  EXPECT_EQ(Registrations(driver()), std::vector<std::string>{"Cartao Credito V"});
  EXPECT_EQ(tovtest::DebugLogTexts().front(),
            "confCadastrarPadrao_ECF_Daruma (FPGTO) : Cartao Credito V");
  EXPECT_EQ(scriptedOperator().Messages().size(), GetParam().dialogs);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ConfigFormaPgTest,
    ::testing::Values(PaymentMethodCase{"Accepted", 1, true, true, 0},
                      PaymentMethodCase{"RefusedWithDialog", -24, true, false, 1},
                      PaymentMethodCase{"RefusedWithoutDialog", -24, false, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
