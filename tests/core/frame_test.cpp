// The package frame: load and unload steps, the data module, BuscaDiretorio
// and StrToPChar.
#include <gtest/gtest.h>

#include <string>

#include "support/fixture.h"
#include "tov00300/datamodule.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::PackageTest;

using FrameTest = PackageTest;

std::string* const kEveryText[] = {
    &stRetorno,      &stImpDebug,     &stMensagemTaa,  &stNrCupom,      &stCupomFin,
    &DsDirCad,       &DsDirDrive,     &dsDiretorio,    &stAtuFili,      &stAtuCaixa,
    &stSerieAtu,     &IdTotParcCV,    &IdTotRelatorio, &IdTotCompCred,  &IdTotParcVCons,
    &IdTotCancCred,  &CdFormPagCPess, &IdFormPagCPess, &DsFormPagCPess, &CdFormPagVCons,
    &DsFormPagVCons, &IdTotRelatGer,  &IdTotTef,       &IdFormPagVCons, &IdTotParcSang,
    &IdTotParcSup,   &DarumaRet,      &stAliquotaIss,  &stCupomIni,     &stRetornoAux,
    &stData,         &stRet,          &stRed,          &stHoraAtu,
};

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
  TdtmDaruma300& modulo = DataModule();
  EXPECT_EQ(dtmDaruma300, &modulo);
  EXPECT_EQ(&DataModule(), &modulo);
  EXPECT_EQ(modulo.msgPadrao.Msg("ErroComunicacao"), Utf8ToCp1252("Erro de comunicação."));
  EXPECT_EQ(modulo.msgPadrao2.Msg("Erro_Timeout"),
            Utf8ToCp1252("Falha de comunicação com o ECF (Timeout)"));
}

TEST_F(FrameTest, CheckTableHasNoChangeLogAfterOpening) {
  DataSet& tabela = DataModule().cdsCheckECF;
  tabela.LogChanges = true;
  tabela.CreateDataSet({FieldDef{"NRSERIE", FieldType::String, 20}});
  EXPECT_FALSE(tabela.LogChanges);
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
  const std::string vazio;
  const std::string texto("abc\xE7");
  ASSERT_NE(StrToPChar(vazio), nullptr);
  EXPECT_STREQ(StrToPChar(vazio), "");
  EXPECT_STREQ(StrToPChar(texto), "abc\xE7");
}

}  // namespace
