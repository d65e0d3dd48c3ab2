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
  int limite = 8;
  std::string modoSaldo, linha1 = "L1", tributos = "TRIB", linha3;
  std::string cdConvenio, nmConvenio, cdConsumidor, nmConsumidor;
  std::string cdOperador = "01", nmOperador = "ANA", mesa, senha, mensagem;
  std::string tipoSaldo, tipoRodape = "2";
  double pagoConta = 0, subsidio = 0, saldo = 0;
  bool anexaLista = false;
  StringList lista;
  std::string pontos, pontosExtras;
};

class FooterTest : public PackageTest {
 protected:
  std::string Rodape(const Args& a) {
    return Tov00300::Formata_rodape(
        a.limite, a.modoSaldo, a.linha1, a.tributos, a.linha3, a.cdConvenio, a.nmConvenio,
        a.cdConsumidor, a.nmConsumidor, a.cdOperador, a.nmOperador, a.mesa, a.senha, "x", "x", "x",
        a.mensagem, "E", "C", "O", a.tipoSaldo, a.tipoRodape, a.pagoConta, a.subsidio, a.saldo,
        saldos_, familias_, emprestimos_, a.anexaLista, a.lista, a.pontos, a.pontosExtras);
  }
  static std::string Fim() { return std::string(kLinhaSuporte) + "\nOperador: 01 - ANA\n"; }
  // Consumer balances: family code, name, balance.
  void Saldos(std::vector<std::vector<Tov00300::Variant>> rows) {
    saldos_.SetData(DataPacket{{{"CDFAMILISALD", FieldType::String, 3},
                                {"NMFAMILISALD", FieldType::String, 30},
                                {"VRSALDCONFAM", FieldType::Float, 0}},
                               std::move(rows)});
  }

  DataSet saldos_, familias_, emprestimos_;
};

TEST_F(FooterTest, StandardFooterWithNothingElse) {
  EXPECT_EQ(Rodape(Args{}), "L1\nTRIB\n" + Fim());
  Args outro;
  outro.tipoRodape = "3";
  outro.linha3 = "L3";
  EXPECT_EQ(Rodape(outro), "L1\nTRIB\nL3\n");
}

TEST_F(FooterTest, FreeMessageIsCutToTheLinesLeft) {
  const std::string longa =
      "1234567890123456789012345678901234567890123456789012345\n2\n3\n4\n5\n6\n7";
  struct Case {
    int limite;
    std::string mensagem;
    std::string esperado;  // what follows "L1\nTRIB\n"
  };
  const std::string seis = "m1\nm2\nm3\nm4\nm5\nm6";  // six lines, five line feeds
  const Case cases[] = {
      {9, seis, seis + "\n" + Fim()},                 // fits
      {8, seis, seis + "\n" + kLinhaSuporte + "\n"},  // fits; the operator line is dropped
      {6, seis, seis + "\n" + Fim()},    // 4 left, shorter than 64: whole, counted as one line
      {7, longa, longa + "\n" + Fim()},  // 5 left, 67 characters: whole, two printer lines
      {6, longa, longa.substr(0, 64) + "\n"},  // 4 left: 16 characters per line
      {5, longa, longa.substr(0, 48) + "\n"},  // 3 left
      {4, longa, longa.substr(0, 32) + "\n"},  // 2 left
      {3, longa, longa.substr(0, 48) + "\n"},  // 1 left: one printer line
      {2, longa, ""},                          // none left
      {6, "", Fim()},                          // an empty message still counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.limite);
    Args a;
    a.limite = c.limite;
    a.mensagem = c.mensagem;
    EXPECT_EQ(Rodape(a), "L1\nTRIB\n" + c.esperado);
  }
}

TEST_F(FooterTest, ListLinesUseTheLimitExceptTheLastPiece) {
  Args a;
  a.anexaLista = true;
  a.lista.Add("VIA CLIENTE\nAUT 123\nFIM");
  a.lista.Add("SEM QUEBRA");
  a.limite = 6;  // 2 + 2 counted lines: the message and the contact line fill it
  EXPECT_EQ(Rodape(a), "L1\nTRIB\nVIA CLIENTE\nAUT 123\nFIM\nSEM QUEBRA\n" +
                           std::string(kLinhaSuporte) + "\n");
  a.anexaLista = false;
  EXPECT_EQ(Rodape(a), "L1\nTRIB\n" + Fim());
}

TEST_F(FooterTest, BalanceLines) {
  struct Case {
    const char* name;
    std::string modo, tipo;
    double pagoConta, subsidio, saldo;
    bool comLinhas;
    std::string esperado;
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
    saldos_.Close();
    if (c.comLinhas) Saldos({{"F1", "A", 50.0}, {"F2", "B", 30.0}});
    Args a;
    a.modoSaldo = c.modo;
    a.tipoSaldo = c.tipo;
    a.pagoConta = c.pagoConta;
    a.subsidio = c.subsidio;
    a.saldo = c.saldo;
    EXPECT_EQ(Rodape(a), "L1\nTRIB\n" + c.esperado + Fim());
  }
}

TEST_F(FooterTest, FamilyLinesAreNetOfFamilyBalanceAndLoans) {
  Saldos({{"F1", "MERCEARIA", 100.0}, {"F2", "ZERADA", 0.0}, {"F3", "NAO IMPRESSA", 9.0}});
  familias_.SetData(
      DataPacket{{{"CDFAMILISALD", FieldType::String, 3}, {"VRSALDCONFAM", FieldType::Float, 0}},
                 {{"f1", 10.0}}});
  struct Case {
    std::vector<std::vector<Tov00300::Variant>> emprestimos;
    const char* valor;
  };
  const Case cases[] = {
      {{}, "90,00"},                                    // A - B
      {{{"F1", "D", 5.0}, {"F1", "C", 7.0}}, "85,00"},  // A - B - D
      {{{"F1", "C", 7.0}}, "97,00"},                    // A - B + C
      {{{"F2", "D", 5.0}}, "90,00"},                    // another family's loan
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.valor);
    emprestimos_.SetData(DataPacket{{{"CDFAMILISALD", FieldType::String, 3},
                                     {"IDTPMOVEXT", FieldType::String, 1},
                                     {"VRMOVEXTCONS", FieldType::Float, 0}},
                                    c.emprestimos});
    Args a;
    a.modoSaldo = "1";
    a.tipoSaldo = "1";
    // One line: the zero balance gives none, the third row is past the two printed.
    EXPECT_EQ(Rodape(a), "L1\nTRIB\nMERCEARIA" + std::string(16, ' ') +
                             std::string(22 - std::string(c.valor).size(), ' ') + c.valor + "\n" +
                             Fim());
  }
}

TEST_F(FooterTest, AgreementFooterPrintsEveryLine) {
  Args a;
  a.tipoRodape = "1";
  a.limite = 2;  // not looked at
  a.cdConvenio = "10";
  a.nmConvenio = "EMPRESA COM UM NOME BEM COMPRIDO DEMAIS";
  a.cdConsumidor = "55";
  a.nmConsumidor = "JOAO";
  a.saldo = 100;
  a.pagoConta = 30;
  a.subsidio = 5;
  a.mesa = "Mesa  : 7           - ";
  a.mensagem = "VOLTE SEMPRE";
  EXPECT_EQ(Rodape(a),
            Tov00300::Utf8ToCp1252("L1\nTRIB\nECF:E-Conf.Mesa -CER: C- COO: O\n"
                                   "Convênio ..: 10 - EMPRESA COM UM NOME BEM COMPRIDO DE\n"
                                   "Consumidor : 55 - JOAO\n"
                                   "Saldo Final :  - 75,00\n"
                                   "Preço subsidiado: - 5,00\n"
                                   "Mesa  : 7           - \n"
                                   "Operador: 01 - ANA\n") +
                kLinhaSuporte + "\nVOLTE SEMPRE");
}

}  // namespace
}  // namespace tovtest
