// Binding the driver library and the stand-ins of unbound entry points.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "support/fixture.h"
#include "tov00300/driver.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace {

using namespace Tov00300;
using tovtest::PackageTest;

using BindingTest = PackageTest;

// Arguments for calling any entry point: inputs are dummies, outputs are
// blank-filled texts and integers holding 7, so a write would show.
struct ArgumentPool {
  std::array<std::array<char, 12>, 4> texts{};
  std::array<int, 4> ints{};
  size_t nextText = 0, nextInt = 0;

  ArgumentPool() {
    for (auto& text : texts) {
      text.fill(' ');
      text.back() = '\0';
    }
    ints.fill(7);
  }
  template <typename T>
  T Arg();
  bool Untouched() const {
    for (const auto& text : texts)
      if (std::string(text.data()) != std::string(11, ' ')) return false;
    for (int value : ints)
      if (value != 7) return false;
    return true;
  }
};
template <>
const char* ArgumentPool::Arg<const char*>() {
  return "x";
}
template <>
char* ArgumentPool::Arg<char*>() {
  return texts.at(nextText++).data();
}
template <>
int ArgumentPool::Arg<int>() {
  return 5;
}
template <>
int* ArgumentPool::Arg<int*>() {
  return &ints.at(nextInt++);
}

template <typename... Args>
int CallWith(int (*entryPoint)(Args...), ArgumentPool& pool) {
  return entryPoint(pool.Arg<Args>()...);
}

struct EntryPointCall {
  const char* name;
  int (*call)(ArgumentPool&);
};
#define TOVTEST_CALL(name, params) \
  EntryPointCall{#name, [](ArgumentPool& pool) { return CallWith(Tov00300::name, pool); }},
const EntryPointCall kEveryEntryPoint[] = {TOV00300_DRIVER_ENTRY_POINTS(TOVTEST_CALL)};
#undef TOVTEST_CALL

void ExpectAllUnbound() {
  for (std::string_view name : DriverEntryPointNames())
    EXPECT_FALSE(IsDriverEntryPointBound(name)) << name;
}

TEST_F(BindingTest, EntryPointsFollowTheDriverBindingOrder) {
  const std::vector<std::string_view> expected = {"eBuscarPortaVelocidade_ECF_Daruma",
                                                  "rRetornarInformacao_ECF_Daruma",
                                                  "rLerAliquotas_ECF_Daruma",
                                                  "rLerMeiosPagto_ECF_Daruma",
                                                  "rLerCNF_ECF_Daruma",
                                                  "rDataHoraImpressora_ECF_Daruma",
                                                  "rVerificarImpressoraLigada_ECF_Daruma",
                                                  "iRGFechar_ECF_Daruma",
                                                  "confCadastrarPadrao_ECF_Daruma",
                                                  "iCFAbrir_ECF_Daruma",
                                                  "iCFVender_ECF_Daruma",
                                                  "iCFCancelarItem_ECF_Daruma",
                                                  "iCFCancelar_ECF_Daruma",
                                                  "iCFCancelarUltimoItem_ECF_Daruma",
                                                  "eAbrirGaveta_ECF_Daruma",
                                                  "iCFEfetuarPagamentoFormatado_ECF_Daruma",
                                                  "iCFEncerrarConfigMsg_ECF_Daruma",
                                                  "iReducaoZ_ECF_Daruma",
                                                  "iCNFAbrirPadrao_ECF_Daruma",
                                                  "iCNFEncerrarPadrao_ECF_Daruma",
                                                  "iLeituraX_ECF_Daruma",
                                                  "rStatusGaveta_ECF_Daruma",
                                                  "iRGAbrirPadrao_ECF_Daruma",
                                                  "iSuprimento_ECF_Daruma",
                                                  "iSangria_ECF_Daruma",
                                                  "confHabilitarHorarioVerao_ECF_Daruma",
                                                  "confDesabilitarHorarioVerao_ECF_Daruma",
                                                  "eTEF_TravarTeclado_ECF_Daruma",
                                                  "rStatusUltimoCmdInt_ECF_Daruma",
                                                  "iCNFCancelar_ECF_Daruma",
                                                  "eDefinirProduto_Daruma",
                                                  "eInterpretarRetorno_ECF_Daruma",
                                                  "eInterpretarErro_ECF_Daruma",
                                                  "eInterpretarAviso_ECF_Daruma",
                                                  "eAbrirSerial_Daruma",
                                                  "eFecharSerial_Daruma",
                                                  "rConsultaStatusImpressoraInt_ECF_Daruma",
                                                  "iRGImprimirTexto_ECF_Daruma",
                                                  "iCFTotalizarCupom_ECF_Daruma",
                                                  "iCFAbrirPadrao_ECF_Daruma",
                                                  "iCCDAbrirPadrao_ECF_Daruma",
                                                  "iCCDAbrirSimplificado_ECF_Daruma",
                                                  "iCCDImprimirTexto_ECF_Daruma",
                                                  "iCCDFechar_ECF_Daruma",
                                                  "iCNFReceberSemDesc_ECF_Daruma",
                                                  "iCNFTotalizarComprovantePadrao_ECF_Daruma",
                                                  "iCNFEfetuarPagamentoFormatado_ECF_Daruma",
                                                  "iImprimirCodigoBarras_ECF_Daruma",
                                                  "rGerarEspelhoMFD_ECF_Daruma",
                                                  "rGerarRelatorio_ECF_Daruma",
                                                  "rEfetuarDownloadMFD_ECF_Daruma",
                                                  "rEfetuarDownloadMF_ECF_Daruma",
                                                  "regRetornaValorChave_DarumaFramework",
                                                  "eMemoriaFiscal_ECF_Daruma"};
  EXPECT_EQ(DriverEntryPointNames(), expected);
}

TEST_F(BindingTest, UnboundEntryPointsAnswerZeroAndWriteNothing) {
  UnbindDriverEntryPoints();
  for (const EntryPointCall& entry : kEveryEntryPoint) {
    ArgumentPool pool;
    EXPECT_EQ(entry.call(pool), 0) << entry.name;
    EXPECT_TRUE(pool.Untouched()) << entry.name;
  }
  EXPECT_EQ(regAlterarValor_Daruma("a", "b", "c"), 0);
  ExpectAllUnbound();
}

TEST_F(BindingTest, MissingLibraryFailsAndLeavesEveryEntryPointUnbound) {
  // The scripted driver is installed: every entry point starts out assigned.
  sandbox().SetEnv("TOV_DRIVER_LIBRARY", sandbox().root() + "/libNaoExiste.so");
  EXPECT_FALSE(StartImpFiscal_FrameWork());
  EXPECT_EQ(ImpFisDLLHandle, nullptr);
  ExpectAllUnbound();
  EXPECT_NE(LastBindingError().find("libNaoExiste.so"), std::string::npos);
}

TEST_F(BindingTest, LibraryLackingANameFailsAndLeavesEveryEntryPointUnbound) {
  sandbox().SetEnv("TOV_DRIVER_LIBRARY", TOV_BUILD_LIB_DIR "/libtovhost.so");
  EXPECT_FALSE(StartImpFiscal_FrameWork());
  EXPECT_NE(ImpFisDLLHandle, nullptr);  // a loaded library is kept
  ExpectAllUnbound();
  EXPECT_NE(LastBindingError().find("eBuscarPortaVelocidade_ECF_Daruma"), std::string::npos);
}

TEST_F(BindingTest, DriverBesideThePackageIsBoundOnceAndReused) {
  const std::string driver = TOV_BUILD_LIB_DIR "/libDarumaFrameWork.so";
  if (!platform::FileExists(driver)) GTEST_SKIP() << "virtual printer not built: " << driver;
  // No TOV_DRIVER_LIBRARY: the library is looked for beside the package.
  ASSERT_TRUE(StartImpFiscal_FrameWork()) << LastBindingError();
  for (std::string_view name : DriverEntryPointNames())
    EXPECT_TRUE(IsDriverEntryPointBound(name)) << name;
  const platform::LibraryHandle handle = ImpFisDLLHandle;

  sandbox().SetEnv("TOV_DRIVER_LIBRARY", sandbox().root() + "/libNaoExiste.so");
  UnbindDriverEntryPoints();
  EXPECT_TRUE(StartImpFiscal_FrameWork());
  EXPECT_EQ(ImpFisDLLHandle, handle);
  EXPECT_TRUE(IsDriverEntryPointBound("eMemoriaFiscal_ECF_Daruma"));
}

}  // namespace
