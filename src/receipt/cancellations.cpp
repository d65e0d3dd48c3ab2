// Undoing a sale on the printer: one item, the last item, or a whole receipt.
#include <string>

#include "driver/closing_note.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "driver/registers.h"
#include "session/printer_documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/readings.h"
#include "tov00300/receipt.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

// On printer type 29 the receipt number handed back is the COO less the
// documents printed since the last fiscal receipt.
constexpr int kPrinterTypeSubtractingCount = 29;

// A missing position of the host's array reads as an empty value rather than
// past its end.
const Variant& Position(const VariantArray& values, size_t index) {
  static const Variant empty;
  return index < values.size() ? values[index] : empty;
}

}  // namespace

bool Cancela_ItGenerico(const std::string& stEsquema, const std::string& nrItem,
                        const std::string& /*ignorado1*/, const std::string& /*ignorado2*/,
                        const std::string& /*ignorado3*/, const std::string& /*ignorado4*/,
                        const std::string& /*ignorado5*/, const std::string& /*ignorado6*/,
                        const std::string& /*ignorado7*/, double /*ignorado8*/,
                        double /*ignorado9*/) {
  // The host numbers items with one more digit than the printer's four.
  const std::string number = Copy(nrItem, 2, 4);
  return driver::Command(iCFCancelarItem_ECF_Daruma(number.c_str()),
                         driver::Describe("iCFCancelarItem_ECF_Daruma", {number}),
                         {stEsquema, false});
}

bool Cancela_UltimoItem(const std::string& stEsquema) {
  return driver::Command(iCFCancelarUltimoItem_ECF_Daruma(), "iCFCancelarUltimoItem_ECF_Daruma",
                         {stEsquema, true});
}

bool Cancela_Cupom_Imp(const VariantArray& values, Variant& result) {
  const std::string scheme = Position(values, 0).AsString();
  Nr_Cupom("", scheme);
  const bool showMessages = Position(values, 1).AsBool();
  const bool reserved = Position(values, 2).AsBool();
  const std::string branchCode = Position(values, 4).AsString();
  const std::string tillCode = Position(values, 5).AsString();
  const std::string printerSerial = Position(values, 6).AsString();

  std::string count;
  if (inTipoImpFis == kPrinterTypeSubtractingCount) {
    // Not judged: a count that does not convert stops the operation below.
    const driver::Reply reply = driver::ReadRegister(driver::Register::kSinceLastReceipt);
    driver::Store(reply.code);
    count = reply.text;
  }

  // A COO that is not a number (a refused query) stops here, before the
  // cancellation is sent: the host must not get a made-up receipt number.
  // The conversion error reaches the host; the operator is told as well.
  std::string number;
  try {
    number = hostlib::Ajusta(IntToStr(StrToInt(stRetorno)), 6);
    if (inTipoImpFis == kPrinterTypeSubtractingCount) {
      number = hostlib::Ajusta(IntToStr(StrToInt(number) - StrToInt(count)), 6);
    }
  } catch (const ConversionError&) {
    driver::ReportProblem(scheme,
                          Utf8ToCp1252("O número do cupom não foi lido da impressora: o "
                                       "cancelamento não foi enviado."),
                          showMessages);
    throw;
  }

  if (!result.IsArray()) result = Variant(VariantArray(1));
  VariantArray& elements = result.AsArray();
  if (elements.empty()) elements.resize(1);
  elements[0] = number;

  // Cancelling the open receipt moves the grand total before the record
  // below brings the stored copy up to date: noted, a till stopped in
  // between is not taken for tampering.
  driver::NoteCancellation();
  const bool cancelled = driver::Command(iCFCancelar_ECF_Daruma(), "iCFCancelar_ECF_Daruma",
                                         {scheme, showMessages, reserved});
  if (cancelled) {
    // The receipt the sale operations knew, or one left by an earlier
    // session, is gone.
    session::ThisReceipt() = {};
    session::SetForeignReceiptOpen(false);
  }

  // The grand total moves with a cancellation whether or not the printer
  // reported success, so the stored copy is refreshed in every case.
  Atu_TotGeral(MakeBag({{"CDFILIAL", branchCode},
                        {"CDCAIXA", tillCode},
                        {"NRSERIEIMP", printerSerial},
                        {"ESQUEMACOR", scheme},
                        {"IDVALIDA", "N"}}));
  return cancelled;
}

}  // namespace Tov00300
