#include <gtest/gtest.h>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

TEST(TMessages, LookupIgnoresLetterCase) {
  TMessages catalogue("msgPadrao");
  catalogue.Add("DataDif", "Data da impressora fiscal difere");
  catalogue.Add("Relatorio", "Relat\xF3rio");
  catalogue.Add("Erro_FormaPg", "Forma de pagamento");
  EXPECT_EQ(catalogue.Msg("Datadif"), "Data da impressora fiscal difere");
  EXPECT_EQ(catalogue.Msg("RELATORIO"), "Relat\xF3rio");
  EXPECT_EQ(catalogue.Msg("Erro_FormaPG"), "Forma de pagamento");
  EXPECT_EQ(catalogue.Msg("DataDif"), "Data da impressora fiscal difere");
}

TEST(TMessages, FirstLineOfARepeatedKeyWinsAndAbsentKeysAreEmpty) {
  TMessages catalogue;
  catalogue.Add("Chave", "primeira");
  catalogue.Add("CHAVE", "segunda");
  catalogue.Lines().Add("sem separador");
  catalogue.Add("Vazia", "");
  catalogue.Add("Barra", "a|b");
  EXPECT_EQ(catalogue.Msg("chave"), "primeira");
  EXPECT_EQ(catalogue.Msg("Inexistente"), "");
  EXPECT_EQ(catalogue.Msg("sem separador"), "");
  EXPECT_EQ(catalogue.Msg("Vazia"), "");
  EXPECT_EQ(catalogue.Msg("Barra"), "a|b");
  EXPECT_EQ(catalogue.Msg(""), "");
}

TEST(TMessages, ChangedLinesAreSeenByTheNextLookup) {
  TMessages catalogue;
  catalogue.Add("A", "1");
  catalogue.Add("B", "2");
  EXPECT_EQ(catalogue.Msg("A"), "1");

  catalogue.Add("C", "3");  // count changes
  EXPECT_EQ(catalogue.Msg("C"), "3");

  catalogue.Lines()[0] = "A|um";  // same count, through Lines()
  EXPECT_EQ(catalogue.Msg("a"), "um");

  StringList& lines = catalogue.Lines();
  EXPECT_EQ(catalogue.Msg("B"), "2");
  lines[1] = "D|4";  // same count, through a kept reference
  EXPECT_EQ(catalogue.Msg("B"), "");
  EXPECT_EQ(catalogue.Msg("D"), "4");

  catalogue.Lines().Clear();
  EXPECT_EQ(catalogue.Msg("A"), "");
}

TEST(TMessages, LargeCatalogueLooksUpEveryKey) {
  TMessages catalogue;
  for (int i = 0; i < 5000; ++i) catalogue.Add("Chave" + std::to_string(i), std::to_string(i));
  for (int i = 0; i < 5000; i += 97) {
    EXPECT_EQ(catalogue.Msg("CHAVE" + std::to_string(i)), std::to_string(i));
  }
}

}  // namespace
}  // namespace Tov00300::hostlib
