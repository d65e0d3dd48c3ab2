// AbrePorta_FrameWork: opening the printer port and the start-of-day checks.
#include <string>

#include "driver/closing_note.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/registers.h"
#include "session/pending_record.h"
#include "session/printer_documents.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/readings.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

constexpr int kPortBusy = -107;

// Files the host leaves in its data folder (DsDirCad, which already ends with
// a separator) while a sale is unfinished; only their presence counts.
bool UnfinishedSale() {
  return platform::FileExists(DsDirCad + "cdsVenda.cds") ||
         platform::FileExists(DsDirCad + "cdsItensCancelados.cds");
}

}  // namespace

bool AbrePorta_FrameWork(const Variant& bag) {
  try {
    const std::string branch = hostlib::RecebeParams(bag, "CDFILIAL").AsString();
    const std::string till = hostlib::RecebeParams(bag, "CDCAIXA").AsString();
    const std::string serial = hostlib::RecebeParams(bag, "NRSERIEIMP").AsString();
    const std::string scheme = hostlib::RecebeParams(bag, "ESQUEMA").AsString();
    const std::string port = hostlib::RecebeParams(bag, "CDPORTAIMPFIS").AsString();
    ImpFisDebug("Abrindo porta " + port);
    // A new session: whatever document an earlier one opened is not this
    // session's to go on with.
    session::ForgetPrinterDocuments();

    // Every answer of the opening is shown to the operator.
    const driver::Judging judging{scheme, true};

    int openCode = driver::Store(eAbrirSerial_Daruma(port.c_str(), "115200"));
    if (openCode == kPortBusy) {
      // Busy: usually this process still holds the port from an earlier
      // session. Close it and open again; only a second failure is reported.
      if (!driver::Command(eFecharSerial_Daruma(), "eFecharSerial_Daruma", judging)) {
        return false;
      }
      openCode = driver::Store(eAbrirSerial_Daruma(port.c_str(), "115200"));
    }
    if (!driver::Command(openCode, "eAbrirSerial_Daruma", judging)) return false;

    if (!driver::Command(eBuscarPortaVelocidade_ECF_Daruma(), "eBuscarPortaVelocidade_ECF_Daruma",
                         judging)) {
      return false;
    }
    if (!driver::Command(rVerificarImpressoraLigada_ECF_Daruma(),
                         "rVerificarImpressoraLigada_ECF_Daruma", judging)) {
      return false;
    }
    if (!driver::Command(eDefinirProduto_Daruma("ECF"), "eDefinirProduto_Daruma", judging)) {
      return false;
    }

    DateTime data;
    std::string printerDateTime;
    if (!VerificaData(scheme, data, printerDateTime, "", true)) return false;

    // An X or a Z the last session printed but could not record goes into
    // the register before anything else is printed.
    session::ReconcilePendingRecord(scheme);

    bool readOk = false;
    const std::string documentState =
        Trim(driver::ReadRegister(driver::Register::kDocumentState, judging, &readOk));
    if (!readOk) return false;
    if (documentState == "2" &&
        !driver::Command(iCNFCancelar_ECF_Daruma(), "iCNFCancelar_ECF_Daruma", judging)) {
      return false;
    }
    if (documentState == "4" &&
        !driver::Command(iRGFechar_ECF_Daruma(), "iRGFechar_ECF_Daruma", judging)) {
      return false;
    }
    // A card voucher left open refuses every new document: it is closed as
    // the report is (a voucher cannot be cancelled, only closed).
    if (documentState == "3" &&
        !driver::Command(iCCDFechar_ECF_Daruma(), "iCCDFechar_ECF_Daruma", judging)) {
      return false;
    }

    if (documentState != "1" && !UnfinishedSale()) return true;

    // A fiscal receipt is open or the host left a sale unfinished: cancel the
    // receipt whatever its state and record the grand total it leaves.
    const Variant recordBag = MakeBag({{"CDFILIAL", branch},
                                       {"CDCAIXA", till},
                                       {"NRSERIEIMP", serial},
                                       {"ESQUEMACOR", scheme},
                                       {"IDVALIDA", "N"}});
    if (documentState == "1") {
      // The open receipt is the previous customer's: a session that could
      // not cancel it must not start, or the next sale's items would go
      // onto it. A lost reply is no failure when the receipt is gone. Its
      // cancellation moves the grand total before the record below: noted,
      // a till stopped in between is not taken for tampering.
      driver::NoteReceiptEnd(true);
      if (!driver::Command(iCFCancelar_ECF_Daruma(), "iCFCancelar_ECF_Daruma", judging) &&
          Trim(driver::ReadRegister(driver::Register::kDocumentState).text) != "0") {
        session::SetForeignReceiptOpen(true);
        driver::ReportProblem(scheme,
                              Utf8ToCp1252("O cupom fiscal deixado aberto na impressora não "
                                           "pôde ser cancelado."),
                              true);
        return false;
      }
    } else {
      // With no receipt open the cancellation is of the host's unfinished
      // sale, if the printer still has one to cancel; its answer changes
      // nothing here.
      driver::Store(iCFCancelar_ECF_Daruma());
    }
    Atu_TotGeral(recordBag);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace Tov00300
