// The two message catalogues: every key the operations ask for answers its
// exact text from the right catalogue, whatever the letter case of the key.
#include "core/catalogues.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "driver/return_codes.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300 {
namespace {

enum class Cat { kMsgPadraoCatalogue, kMsgPadrao2Catalogue };

class CataloguesTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadCatalogues(msgPadrao_, msgPadrao2_); }

  const hostlib::TMessages& Of(Cat c) const {
    return c == Cat::kMsgPadraoCatalogue ? msgPadrao_ : msgPadrao2_;
  }
  std::string Text(Cat c, std::string_view key) const { return Cp1252ToUtf8(Of(c).Msg(key)); }

  hostlib::TMessages msgPadrao_{"msgPadrao"};
  hostlib::TMessages msgPadrao2_{"msgPadrao2"};
};

constexpr Cat P = Cat::kMsgPadraoCatalogue;
constexpr Cat P2 = Cat::kMsgPadrao2Catalogue;

// A catalogue line's key and text.
std::pair<std::string, std::string> Split(const std::string& line) {
  const size_t bar = line.find('|');
  if (bar == std::string::npos) return {line, ""};
  return {line.substr(0, bar), line.substr(bar + 1)};
}

std::string Cased(std::string key, int (*change)(int)) {
  for (char& c : key) c = static_cast<char>(change(static_cast<unsigned char>(c)));
  return key;
}

// The return-code texts themselves are checked where they are shown, by the
// two return analyses; here every key their tables name must find a text.
TEST_F(CataloguesTest, ReturnCodeKeysGiveTheirTextsFromTheirCatalogue) {
  for (auto table : {driver::FrameWorkCodeMessages(), driver::LegacyCodeMessages()}) {
    ASSERT_FALSE(table.empty());
    for (const driver::CodeMessage& row : table) {
      const Cat catalogue = row.entry.catalogue == driver::Catalogue::msgPadrao ? P : P2;
      EXPECT_FALSE(Text(catalogue, row.entry.key).empty()) << row.code << " " << row.entry.key;
    }
  }
}

// The operations spell some keys otherwise than the catalogue ("Datadif",
// "RELATORIO"): every key answers its line's text in any letter case, and a
// key written on two lines answers one text.
TEST_F(CataloguesTest, EveryKeyAnswersItsOneTextWhateverItsLetterCase) {
  for (const hostlib::TMessages* catalogue : {&msgPadrao_, &msgPadrao2_}) {
    std::map<std::string, std::string> textOf;  // by upper-case key
    for (const std::string& line : catalogue->Lines().Items()) {
      const auto [key, text] = Split(line);
      const auto [known, first] = textOf.emplace(Cased(key, ::toupper), text);
      EXPECT_EQ(known->second, text) << catalogue->Name() << ": " << key << " has two texts";
      for (auto change : {::toupper, ::tolower})
        EXPECT_EQ(catalogue->Msg(Cased(key, change)), text) << catalogue->Name() << ": " << key;
    }
  }
  for (const char* key : {"Datadif", "RELATORIO", "Relatorio"})
    EXPECT_FALSE(Text(P, key).empty()) << key;
}

// The package fills in the first "%s" of a text and prints the rest as it
// stands: a text holds at most one, and those the package fills hold theirs.
TEST_F(CataloguesTest, TextsHoldAtMostOnePlaceholder) {
  for (const hostlib::TMessages* catalogue : {&msgPadrao_, &msgPadrao2_}) {
    for (const std::string& line : catalogue->Lines().Items()) {
      const std::string text = Split(line).second;
      const size_t first = text.find("%s");
      EXPECT_TRUE(first == std::string::npos || text.find("%s", first + 2) == std::string::npos)
          << line;
    }
  }
  const std::pair<std::string_view, Cat> kFilledIn[] = {
      {"ArqConfig_Inv4", P}, {"DOTZ", P2}, {"DOTZ_EXTRAS", P2}, {"SALDO_FIN", P2}};
  for (const auto& [key, catalogue] : kFilledIn)
    EXPECT_NE(Text(catalogue, key).find("%s"), std::string::npos) << key;
}

TEST_F(CataloguesTest, KeysMissingFromTheShippedCatalogueStillHaveATextInTheirCatalogue) {
  const std::pair<std::string_view, Cat> kAskedFor[] = {
      {"Erro_Pgto", P}, {"DataComputador", P}, {"DataImpressora", P},   {"relFechamentoGeral", P},
      {"LIMDIA", P},    {"LIMMES", P},         {"Leitura_Memoria", P2}, {"EspelhoMFD", P2},
  };
  for (const auto& [key, catalogue] : kAskedFor) EXPECT_FALSE(Text(catalogue, key).empty()) << key;
}

TEST_F(CataloguesTest, OwnLabelsFitTheReportColumns) {
  // The general closing report centres its title in 47 columns; the "T"
  // limit line holds both labels, two amounts and " - " in 48.
  EXPECT_LE(msgPadrao_.Msg("relFechamentoGeral").size(), 47u);
  EXPECT_LE(msgPadrao_.Msg("LIMDIA").size() + msgPadrao_.Msg("LIMMES").size() + 3 + 2 * 8, 48u);
}

TEST_F(CataloguesTest, EveryLineHasAKeyAndANonEmptyText) {
  for (const hostlib::TMessages* catalogue : {&msgPadrao_, &msgPadrao2_}) {
    ASSERT_GT(catalogue->Lines().Count(), 0) << catalogue->Name();
    for (const std::string& line : catalogue->Lines().Items()) {
      const size_t bar = line.find('|');
      ASSERT_NE(bar, std::string::npos) << line;
      const std::string key = line.substr(0, bar);
      EXPECT_FALSE(key.empty()) << line;
      EXPECT_FALSE(line.substr(bar + 1).empty()) << line;
      EXPECT_FALSE(catalogue->Msg(key).empty()) << key;
    }
  }
}

TEST_F(CataloguesTest, TextsAreStoredInWindows1252) {
  EXPECT_EQ(msgPadrao_.Msg("ErroComunicacao"), "Erro de comunica\xE7\xE3o.");
  EXPECT_EQ(msgPadrao2_.Msg("Erro_ParamInv"), "Erro: par\xE2metro inv\xE1lido ou nulo.");
}

TEST_F(CataloguesTest, ReloadingReplacesTheLines) {
  const int msgPadraoLines = msgPadrao_.Lines().Count();
  const int msgPadrao2Lines = msgPadrao2_.Lines().Count();
  LoadCatalogues(msgPadrao_, msgPadrao2_);
  EXPECT_EQ(msgPadrao_.Lines().Count(), msgPadraoLines);
  EXPECT_EQ(msgPadrao2_.Lines().Count(), msgPadrao2Lines);
}

TEST_F(CataloguesTest, EachKeyLivesOnlyInItsOwnCatalogue) {
  EXPECT_EQ(msgPadrao_.Msg("DOTZ"), "");
  EXPECT_EQ(msgPadrao_.Msg("Erro_FormaPG"), "");
  EXPECT_EQ(msgPadrao2_.Msg("Imp_N_Resp"), "");
}

}  // namespace
}  // namespace Tov00300
