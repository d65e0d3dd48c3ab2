// AbrePorta_FrameWork: opening the printer port and the start-of-day checks.
#include <string>

#include "readings/registers.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

constexpr int kPortaOcupada = -107;

// Files the host leaves in its data folder (DsDirCad, which already ends with
// a separator) while a sale is unfinished; only their presence counts.
bool UnfinishedSale() {
  return platform::FileExists(DsDirCad + "cdsVenda.cds") ||
         platform::FileExists(DsDirCad + "cdsItensCancelados.cds");
}

}  // namespace

bool AbrePorta_FrameWork(const Variant& bag) {
  try {
    const std::string filial = hostlib::RecebeParams(bag, "CDFILIAL").AsString();
    const std::string caixa = hostlib::RecebeParams(bag, "CDCAIXA").AsString();
    const std::string serie = hostlib::RecebeParams(bag, "NRSERIEIMP").AsString();
    const std::string esquema = hostlib::RecebeParams(bag, "ESQUEMA").AsString();
    const std::string porta = hostlib::RecebeParams(bag, "CDPORTAIMPFIS").AsString();
    ImpFisDebug("Abrindo porta " + porta);

    // Every answer of the opening is shown to the operator.
    auto analisa = [&esquema](const char* comando) {
      stImpDebug = comando;
      return AnalisaRetorno_FrameWork(esquema, inRetorno, true, false, false);
    };

    inRetorno = eAbrirSerial_Daruma(porta.c_str(), "115200");
    if (inRetorno == kPortaOcupada) {
      // Busy: usually this process still holds the port from an earlier
      // session. Close it and open again; only a second failure is reported.
      inRetorno = eFecharSerial_Daruma();
      if (!analisa("eFecharSerial_Daruma")) return false;
      inRetorno = eAbrirSerial_Daruma(porta.c_str(), "115200");
    }
    if (!analisa("eAbrirSerial_Daruma")) return false;

    inRetorno = eBuscarPortaVelocidade_ECF_Daruma();
    if (!analisa("eBuscarPortaVelocidade_ECF_Daruma")) return false;
    inRetorno = rVerificarImpressoraLigada_ECF_Daruma();
    if (!analisa("rVerificarImpressoraLigada_ECF_Daruma")) return false;
    inRetorno = eDefinirProduto_Daruma("ECF");
    if (!analisa("eDefinirProduto_Daruma")) return false;

    DateTime data;
    std::string dataHoraImp;
    if (!VerificaData(esquema, data, dataHoraImp, "", true)) return false;

    bool lido = false;
    const std::string documento = Trim(ReadRegister(56, esquema, true, &lido));
    if (!lido) return false;
    if (documento == "2") {
      inRetorno = iCNFCancelar_ECF_Daruma();
      if (!analisa("iCNFCancelar_ECF_Daruma")) return false;
    } else if (documento == "4") {
      inRetorno = iRGFechar_ECF_Daruma();
      if (!analisa("iRGFechar_ECF_Daruma")) return false;
    }

    if (documento != "1" && !UnfinishedSale()) return true;

    // A fiscal receipt is open or the host left a sale unfinished: cancel the
    // receipt whatever its state and record the grand total it leaves.
    const Variant atualiza = MakeBag({{"CDFILIAL", filial},
                                      {"CDCAIXA", caixa},
                                      {"NRSERIEIMP", serie},
                                      {"ESQUEMACOR", esquema},
                                      {"IDVALIDA", "N"}});
    inRetorno = iCFCancelar_ECF_Daruma();
    Atu_TotGeral(atualiza);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace Tov00300
