// The retry paths of the card-voucher printing that a till script cannot
// drive on the virtual printer: a printer check that recovers between two
// questions, and a report that cannot be closed on the first yes.
#include <gtest/gtest.h>

#include <string>

#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/state.h"
#include "tov00300/stringlist.h"
#include "tov00300/vouchers.h"

namespace tovtest {
namespace {

using CardVoucherRetryTest = PackageTest;

Tov00300::StringList List(std::initializer_list<const char*> texts) {
  Tov00300::StringList list;
  for (const char* text : texts) list.Add(text);
  return list;
}

bool Print(const std::string& op, const Tov00300::StringList& first,
           const Tov00300::StringList& second) {
  const Tov00300::StringList none;
  if (op == "RG") {
    return Tov00300::ImprimeTefRG_FrameWork("A", "B", "", "AZUL", first, second, none, none, "",
                                            "1", "", 10, 0, 0, "N");
  }
  return Tov00300::ImprimeTef_FrameWork("A", "B", "", "AZUL", first, second, none, none, "", "1",
                                        "", 10, 0, 0, "N", "");
}

int Questions(ScriptedOperator& op) {
  int n = 0;
  for (const auto& m : op.Messages()) n += m.question == "S" ? 1 : 0;
  return n;
}

TEST_F(CardVoucherRetryTest, PrinterCheckIsAskedAgainUntilThePrinterAnswers) {
  Tov00300::boNUtilTaa = true;
  Tov00300::inRetorno = 1;
  // The check's status query reports an error once; the operator says yes.
  driver().QueueStatus(1, 1, 0);
  scriptedOperator().QueueAnswer(true);
  EXPECT_TRUE(Print("CCD", List({"CLIENTE"}), List({"LOJA"})));
  EXPECT_EQ(Questions(scriptedOperator()), 1);
  EXPECT_EQ(driver().CountOf("iCCDAbrirPadrao_ECF_Daruma"), 1);
  EXPECT_EQ(driver().CountOf("iCCDImprimirTexto_ECF_Daruma"), 2);
}

TEST_F(CardVoucherRetryTest, ReportThatCannotBeClosedIsClosedOnTheNextYesAndPrintedAgain) {
  Tov00300::inRetorno = 1;  // the last command, which the printer check judges, succeeded
  // Receipt number, then the open-document answers: before the opening,
  // at the refused closing and the look after it (still open), at the
  // closing on the yes, before the new opening and at its closing.
  for (const char* reply : {"000001", "0", "4", "4", "4", "0", "4"})
    driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {reply});
  driver().Queue("iRGImprimirTexto_ECF_Daruma", -1);
  driver().Queue("iRGFechar_ECF_Daruma", -1);
  scriptedOperator().QueueAnswer(true);
  scriptedOperator().QueueAnswer(true);
  EXPECT_TRUE(Print("RG", List({"CLIENTE"}), List({"LOJA"})));
  EXPECT_EQ(Questions(scriptedOperator()), 2);
  EXPECT_EQ(driver().CountOf("iRGAbrirPadrao_ECF_Daruma"), 2);
  // The refused copy, then both copies in the new report.
  EXPECT_EQ(driver().CountOf("iRGImprimirTexto_ECF_Daruma"), 3);
  EXPECT_EQ(driver().CountOf("iRGFechar_ECF_Daruma"), 3);
}

TEST_F(CardVoucherRetryTest, ReportRouteAsksEvenWithoutAnOperatorAndNoEndsIt) {
  Tov00300::boNUtilTaa = false;
  Tov00300::inRetorno = 1;
  driver().Queue("iRGImprimirTexto_ECF_Daruma", -1);
  EXPECT_FALSE(Print("RG", List({"CLIENTE", "CLIENTE 2"}), List({})));
  EXPECT_EQ(Questions(scriptedOperator()), 1);
  EXPECT_EQ(driver().CountOf("iRGImprimirTexto_ECF_Daruma"), 1);
  EXPECT_EQ(driver().CountOf("iRGFechar_ECF_Daruma"), 0);
}

// The closing logs the document state it read as the other document
// queries do, and closes only the voucher the printer holds open.
TEST_F(CardVoucherRetryTest, ClosingLogsTheDocumentStateItRead) {
  driver().Queue("rRetornarInformacao_ECF_Daruma", 1, {"3"});
  EXPECT_TRUE(Tov00300::FechaCCD_FrameWork("AZUL"));
  EXPECT_EQ(driver().CountOf("iCCDFechar_ECF_Daruma"), 1);
  EXPECT_TRUE(LogHas("rRetornarInformacao_ECF_Daruma (56) - 3"));
}

}  // namespace
}  // namespace tovtest
