// The linked-voucher primitives: open, print, close, and the dispatcher the
// host drives them through.
#include <string>

#include "documents/open_document.h"
#include "documents/own_document.h"
#include "documents/report_text.h"
#include "driver/command.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/state.h"
#include "tov00300/vouchers.h"

namespace Tov00300 {

namespace {

// The open-document register's answer while a linked voucher is open.
const char* const kVoucherOpen = "3";
constexpr session::OwnDocument kVoucher = session::OwnDocument::kVoucher;

}  // namespace

bool FechaCCD_FrameWork(const std::string& scheme) {
  try {
    bool answered = false;
    documents::OpenDocumentState(scheme, true, false, answered);
    if (!answered) return false;
    // Closing only what is open keeps the call safe after a partial print.
    if (stRetorno != kVoucherOpen) {
      documents::NoteNotOpen(kVoucher, stRetorno);
      return true;
    }
    // Any voucher open is closed, this session's or one left by an earlier
    // one: closing adds nothing to it.
    return documents::CloseOwn(kVoucher, iCCDFechar_ECF_Daruma(), "iCCDFechar_ECF_Daruma",
                               {scheme, true});
  } catch (...) {
    return false;
  }
}

bool AbreCCD_FrameWork(const std::string& scheme) {
  try {
    // A voucher left open by an earlier call would make the opening refused.
    if (!FechaCCD_FrameWork(scheme)) return false;
    return documents::OpenOwn(kVoucher, iCCDAbrirPadrao_ECF_Daruma, "iCCDAbrirPadrao_ECF_Daruma",
                              {scheme, true});
  } catch (...) {
    return false;
  }
}

bool AbreCCD_simplificado_FrameWork(const std::string& scheme, const std::string& method,
                                    const std::string& installments, const std::string& document,
                                    const std::string& value) {
  try {
    double amount = 0;
    if (!TryStrToFloat(value, amount)) return false;
    const std::string formatted = FormatFloat("0.00", amount);
    return documents::OpenOwn(kVoucher,
                              [&] {
                                return iCCDAbrirSimplificado_ECF_Daruma(
                                    method.c_str(), installments.c_str(), document.c_str(),
                                    formatted.c_str());
                              },
                              "iCCDAbrirSimplificado_ECF_Daruma", {scheme, true});
  } catch (...) {
    return false;
  }
}

bool ImprimeCCD_FrameWork(const std::string& scheme, const std::string& text) {
  try {
    const std::string piece = text.substr(0, documents::kMaxTextPiece);
    // A zero byte would end the text for the driver and drop the rest unseen.
    if (!documents::CheckPrintable(scheme, piece)) return false;
    // Only into the voucher this session opened.
    if (!documents::RequireOwn(kVoucher, scheme, true)) return false;
    return driver::Command(iCCDImprimirTexto_ECF_Daruma(piece.c_str()),
                           "iCCDImprimirTexto_ECF_Daruma", {scheme, true});
  } catch (...) {
    return false;
  }
}

bool Abre_Comp_NFiscalVinc(const std::string& scheme, const std::string& documentKind,
                           const std::string& action, const std::string& text) {
  if (documentKind != "CCD") return false;
  if (action == "AbreCCD") return AbreCCD_FrameWork(scheme);
  if (action == "ImprimeCCD") return ImprimeCCD_FrameWork(scheme, text);
  if (action == "FechaCCD") return FechaCCD_FrameWork(scheme);
  if (action == "UsaRG") return UsaRG_FrameWork(scheme);
  return false;
}

}  // namespace Tov00300
