// The package frame: load and unload steps, the data module, BuscaDiretorio
// and StrToPChar.
#include <gtest/gtest.h>

#include <string>

#include "core/exported_texts.h"
#include "support/fixture.h"
#include "tov00300/datamodule.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::PackageTest;

using FrameTest = PackageTest;

#define TOVTEST_ADDRESS(name) &name,
std::string* const kEveryText[] = {TOV00300_EXPORTED_TEXTS(TOVTEST_ADDRESS)};
#undef TOVTEST_ADDRESS

TEST_F(FrameTest, LoadStepSetsTheFoldersWithTrailingSeparator) {
  EXPECT_EQ(DsDirCad, sandbox().hostFolder() + "/");
  EXPECT_EQ(DsDirDrive, sandbox().driveRoot());
  sandbox().SetEnv("TOV_HOST_DIR", sandbox().root() + "/outra/");
  Initialize();
  EXPECT_EQ(DsDirCad, sandbox().root() + "/outra/");
}

TEST_F(FrameTest, UnloadStepClearsEveryTextAndMayRunTwice) {
  for (std::string* text : kEveryText) *text = "x";
  inRetorno = 7;
  Finalize();
  Finalize();
  for (std::string* text : kEveryText) EXPECT_EQ(*text, "");
  EXPECT_EQ(inRetorno, 7);  // only texts are cleared
}

TEST_F(FrameTest, DataModuleIsCreatedOnceWithItsCatalogues) {
  EXPECT_EQ(dtmDaruma300, nullptr);
  TdtmDaruma300& dm = DataModule();
  EXPECT_EQ(dtmDaruma300, &dm);
  EXPECT_EQ(&DataModule(), &dm);
  EXPECT_EQ(dm.msgPadrao.Msg("ErroComunicacao"), Utf8ToCp1252("Erro de comunicação."));
  EXPECT_EQ(dm.msgPadrao2.Msg("Erro_Timeout"),
            Utf8ToCp1252("Falha de comunicação com o ECF (Timeout)"));
}

TEST_F(FrameTest, CheckTableHasNoChangeLogAfterOpening) {
  DataSet& table = DataModule().cdsCheckECF;
  table.LogChanges = true;
  table.CreateDataSet({FieldDef{"NRSERIE", FieldType::String, 20}});
  EXPECT_FALSE(table.LogChanges);
}

TEST_F(FrameTest, BuscaDiretorioWithoutTheValueGivesEmptyAndCreatesTheKey) {
  ASSERT_FALSE(platform::RegistryOpenKey("Software\\DARUMA\\ECF", false));
  EXPECT_EQ(BuscaDiretorio(), "");
  EXPECT_TRUE(platform::RegistryOpenKey("Software\\DARUMA\\ECF", false));
}

TEST_F(FrameTest, BuscaDiretorioReadsThePath) {
  platform::RegistryWriteString("Software\\DARUMA\\ECF", "Path", "C:\\Daruma\\");
  EXPECT_EQ(BuscaDiretorio(), "C:\\Daruma\\");
}

TEST_F(FrameTest, StrToPCharGivesTheCharactersZeroTerminated) {
  const std::string empty;
  const std::string texto("abc\xE7");
  ASSERT_NE(StrToPChar(empty), nullptr);
  EXPECT_STREQ(StrToPChar(empty), "");
  EXPECT_STREQ(StrToPChar(texto), "abc\xE7");
}

}  // namespace
