// Receipt footer: the lines, the limit, the balances and the free message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "receipt/closing_helpers.h"
#include "support/fixture.h"
#include "tov00300/dataset.h"
#include "tov00300/format.h"
#include "tov00300/receipt.h"

namespace tovtest {
namespace {

using Tov00300::DataPacket;
using Tov00300::DataSet;
using Tov00300::FieldType;
using Tov00300::StringList;

// The footer's parameters that the tests change; the rest stay empty.
struct Args {
  int limit = 8;
  std::string balanceMode, line1 = "L1", taxes = "TRIB", line3;
  std::string cdConvenio, nmConvenio, cdConsumidor, nmConsumidor;
  std::string cdOperador = "01", nmOperador = "ANA", table, password, message;
  std::string balanceKind, footerKind = "2";
  double paidFromAccount = 0, subsidy = 0, balance = 0;
  bool appendCardLines = false;
  StringList list;
  std::string points, extraPoints;
};

class FooterTest : public PackageTest {
 protected:
  std::string Footer(const Args& a) {
    return Tov00300::Formata_rodape(a.limit, a.balanceMode, a.line1, a.taxes, a.line3, a.cdConvenio,
                                    a.nmConvenio, a.cdConsumidor, a.nmConsumidor, a.cdOperador,
                                    a.nmOperador, a.table, a.password, "x", "x", "x", a.message,
                                    "E", "C", "O", a.balanceKind, a.footerKind, a.paidFromAccount,
                                    a.subsidy, a.balance, balances_, families_, loans_,
                                    a.appendCardLines, a.list, a.points, a.extraPoints);
  }
  static std::string End() { return std::string(kSupportLine) + "\nOperador: 01 - ANA\n"; }
  // Consumer balances: family code, name, balance.
  void Balances(std::vector<std::vector<Tov00300::Variant>> rows) {
    balances_.SetData(DataPacket{{{"CDFAMILISALD", FieldType::String, 3},
                                  {"NMFAMILISALD", FieldType::String, 30},
                                  {"VRSALDCONFAM", FieldType::Float, 0}},
                                 std::move(rows)});
  }

  DataSet balances_, families_, loans_;
};

TEST_F(FooterTest, StandardFooterWithNothingElse) {
  EXPECT_EQ(Footer(Args{}), "L1\nTRIB\n" + End());
  Args other;
  other.footerKind = "3";
  other.line3 = "L3";
  EXPECT_EQ(Footer(other), "L1\nTRIB\nL3\n");
}

TEST_F(FooterTest, FreeMessageIsCutToTheLinesLeft) {
  const std::string longText =
      "1234567890123456789012345678901234567890123456789012345\n2\n3\n4\n5\n6\n7";
  struct Case {
    int limit;
    std::string message;
    std::string expected;  // what follows "L1\nTRIB\n"
  };
  const std::string six = "m1\nm2\nm3\nm4\nm5\nm6";  // six lines, five line feeds
  const Case cases[] = {
      {9, six, six + "\n" + End()},                // fits
      {8, six, six + "\n" + kSupportLine + "\n"},  // fits; the operator line is dropped
      {6, six, six + "\n" + End()},  // 4 left, shorter than 64: whole, counted as one line
      {7, longText, longText + "\n" + End()},  // 5 left, 67 characters: whole, two printer lines
      {6, longText, longText.substr(0, 64) + "\n"},  // 4 left: 16 characters per line
      {5, longText, longText.substr(0, 48) + "\n"},  // 3 left
      {4, longText, longText.substr(0, 32) + "\n"},  // 2 left
      {3, longText, longText.substr(0, 48) + "\n"},  // 1 left: one printer line
      {2, longText, ""},                             // none left
      {6, "", End()},                                // an empty message still counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limit);
    Args a;
    a.limit = c.limit;
    a.message = c.message;
    EXPECT_EQ(Footer(a), "L1\nTRIB\n" + c.expected);
  }
}

TEST_F(FooterTest, ListLinesUseTheLimitExceptTheLastPiece) {
  Args a;
  a.appendCardLines = true;
  a.list.Add("VIA CLIENTE\nAUT 123\nFIM");
  a.list.Add("SEM QUEBRA");
  a.limit = 6;  // 2 + 2 counted lines: the message and the contact line fill it
  EXPECT_EQ(Footer(a),
            "L1\nTRIB\nVIA CLIENTE\nAUT 123\nFIM\nSEM QUEBRA\n" + std::string(kSupportLine) + "\n");
  a.appendCardLines = false;
  EXPECT_EQ(Footer(a), "L1\nTRIB\n" + End());
}

TEST_F(FooterTest, BalanceLines) {
  struct Case {
    const char* name;
    std::string mode, kind;
    double paidFromAccount, subsidy, balance;
    bool withLines;
    std::string expected;
  };
  const Case cases[] = {
      {"total of the table less the account payment", "1", "0", 20, 0, 0, true,
       "Saldo Final :   60,00\n"},
      {"no table: zero, nothing subtracted", "1", "0", 20, 0, 0, false, "Saldo Final :   0,00\n"},
      {"from the parameters", "2", "1", 30, 5, 100, false,
       "Saldo Final :   75,00\n" + Tov00300::Utf8ToCp1252("Preço subsidiado:  5,00\n")},
      {"mode 2 with kind other than 0 or 1", "2", "", 30, 0, 100, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    balances_.Close();
    if (c.withLines) Balances({{"F1", "A", 50.0}, {"F2", "B", 30.0}});
    Args a;
    a.balanceMode = c.mode;
    a.balanceKind = c.kind;
    a.paidFromAccount = c.paidFromAccount;
    a.subsidy = c.subsidy;
    a.balance = c.balance;
    EXPECT_EQ(Footer(a), "L1\nTRIB\n" + c.expected + End());
  }
}

TEST_F(FooterTest, FamilyLinesAreNetOfFamilyBalanceAndLoans) {
  Balances({{"F1", "MERCEARIA", 100.0}, {"F2", "ZERADA", 0.0}, {"F3", "NAO IMPRESSA", 9.0}});
  families_.SetData(
      DataPacket{{{"CDFAMILISALD", FieldType::String, 3}, {"VRSALDCONFAM", FieldType::Float, 0}},
                 {{"f1", 10.0}}});
  struct Case {
    std::vector<std::vector<Tov00300::Variant>> loans;
    const char* amount;
  };
  const Case cases[] = {
      {{}, "90,00"},                                    // A - B
      {{{"F1", "D", 5.0}, {"F1", "C", 7.0}}, "85,00"},  // A - B - D
      {{{"F1", "C", 7.0}}, "97,00"},                    // A - B + C
      {{{"F2", "D", 5.0}}, "90,00"},                    // another family's loan
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amount);
    loans_.SetData(DataPacket{{{"CDFAMILISALD", FieldType::String, 3},
                               {"IDTPMOVEXT", FieldType::String, 1},
                               {"VRMOVEXTCONS", FieldType::Float, 0}},
                              c.loans});
    Args a;
    a.balanceMode = "1";
    a.balanceKind = "1";
    // One line: the zero balance gives none, the third row is past the two printed.
    EXPECT_EQ(Footer(a), "L1\nTRIB\nMERCEARIA" + std::string(16, ' ') +
                             std::string(22 - std::string(c.amount).size(), ' ') + c.amount + "\n" +
                             End());
  }
}

TEST_F(FooterTest, AgreementFooterPrintsEveryLine) {
  Args a;
  a.footerKind = "1";
  a.limit = 2;  // not looked at
  a.cdConvenio = "10";
  a.nmConvenio = "EMPRESA COM UM NOME BEM COMPRIDO DEMAIS";
  a.cdConsumidor = "55";
  a.nmConsumidor = "JOAO";
  a.balance = 100;
  a.paidFromAccount = 30;
  a.subsidy = 5;
  a.table = "Mesa  : 7           - ";
  a.message = "VOLTE SEMPRE";
  EXPECT_EQ(Footer(a),
            Tov00300::Utf8ToCp1252("L1\nTRIB\nECF:E-Conf.Mesa -CER: C- COO: O\n"
                                   "Convênio ..: 10 - EMPRESA COM UM NOME BEM COMPRIDO DE\n"
                                   "Consumidor : 55 - JOAO\n"
                                   "Saldo Final :  - 75,00\n"
                                   "Preço subsidiado: - 5,00\n"
                                   "Mesa  : 7           - \n"
                                   "Operador: 01 - ANA\n") +
                kSupportLine + "\nVOLTE SEMPRE");
}

}  // namespace
}  // namespace tovtest
