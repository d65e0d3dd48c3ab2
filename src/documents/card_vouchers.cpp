// Printing the card-payment vouchers after a card sale: as one linked voucher
// or as a management report, with the operator's retry and the fall-back
// from the first to the second.
#include <cstdint>
#include <functional>
#include <string>

#include "documents/voucher_text.h"
#include "driver/dialogs.h"
#include "driver/shared_reads.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"
#include "tov00300/vouchers.h"

namespace Tov00300 {

namespace {

// Pauses before a second copy, so the operator can tear off the first.
constexpr uint8_t kLinkedPause = 2;
constexpr uint8_t kReportPause = 4;
// The opening mode that skips reading the receipt number.
constexpr int kOpenWithoutNumber = 2;

// What differs between the two ways of printing the vouchers.
struct Route {
  bool askAlways;    // the retry question is put even without an operator
  bool printFirst;   // first copies are printed
  bool printSecond;  // second copies are printed
  uint8_t pause;     // Delay before each second copy
  std::function<bool()> open;
  std::function<bool(const std::string&)> print;  // one piece of text
  std::function<bool()> close;
  // After a yes with the document open and closed again: the linked route
  // hands everything to the management report (its answer is the call's);
  // the report route opens a new report and prints again.
  bool fallsBackToReport;
};

struct Vouchers {
  const std::string& scheme;
  const StringList& first;
  const StringList& second;
  int openMode;
};

bool Ask(const Route& route, const std::string& scheme) {
  if (!route.askAlways && !boNUtilTaa) return false;
  return driver::AskRetry(scheme);
}

// The passes over the vouchers. Returns the call's result; `fallBack` is set
// when the operator's yes sends the vouchers to the management report.
bool RunPasses(const Route& route, const Vouchers& v, bool& fallBack) {
  fallBack = false;

  // The printer must be usable before anything is opened.
  while (!Estado_Imp(v.scheme, false, false)) {
    if (!Ask(route, v.scheme)) return false;
  }
  if (v.first.Count() == 0) return false;

  bool result = false;
  bool failed = false;
  bool open = v.openMode == kOpenWithoutNumber;
  bool settled = true;

  if (!open) stRetorno = driver::ReceiptNumber(v.scheme);
  while (!(open = route.open())) {
    if (!Ask(route, v.scheme)) {
      // Nothing is open: there is nothing to close at the end.
      return false;
    }
  }

  const auto printText = [&](const std::string& text) {
    if (!documents::PrintVoucherText(text, route.print)) {
      failed = true;
      open = true;
    }
  };

  do {
    const int count = v.first.Count();
    for (int j = 0; j < count; ++j) {
      settled = true;
      // After a refusal the rest of the pass is skipped: a voucher whose text
      // was refused must not be followed by others as if it had printed.
      if (!failed && route.printFirst) printText(v.first[j]);
      if (!failed && route.printSecond && j < v.second.Count()) {
        hostlib::Delay(route.pause);
        printText(v.second[j]);
      }
      if (j + 1 < count) continue;
      if (failed) break;
      if (route.close()) {
        open = false;
        result = true;
      } else {
        failed = true;
        open = false;
      }
    }

    if (!failed) break;
    if (!Ask(route, v.scheme)) {
      // The document is left as the printer holds it; the next opening
      // closes a voucher left open.
      failed = false;
      settled = true;
      open = false;
      result = false;
      break;
    }
    if (open) {
      if (!route.close()) {
        failed = true;
        continue;
      }
      open = false;
      if (route.fallsBackToReport) {
        fallBack = true;
        return false;
      }
    }
    if (route.open()) {
      open = true;
      settled = false;
      failed = false;
    } else {
      settled = true;
      failed = true;
    }
  } while (failed || !settled);

  if (open) route.close();
  return result;
}

Route LinkedRoute(const std::string& scheme, const std::string& terminalKind) {
  Route route;
  route.askAlways = false;
  route.printFirst = true;
  // Self-service and unattended terminals hand the customer no second copy.
  route.printSecond = terminalKind != "APC" && terminalKind != "TAA";
  route.pause = kLinkedPause;
  route.open = [&scheme] { return AbreCCD_FrameWork(scheme); };
  route.print = [&scheme](const std::string& piece) { return ImprimeCCD_FrameWork(scheme, piece); };
  route.close = [&scheme] { return FechaCCD_FrameWork(scheme); };
  route.fallsBackToReport = true;
  return route;
}

Route ReportRoute(const std::string& scheme, const std::string& textA, const std::string& textB,
                  const std::string& routeFlag) {
  Route route;
  route.askAlways = true;
  // With the flag "S" the host printed the first copies already.
  route.printFirst = routeFlag == "N";
  route.printSecond = true;
  route.pause = kReportPause;
  route.open = [&scheme, &textA, &textB] {
    return Relatorio_Gerencial_Imp(scheme, textA, textB, "", "");
  };
  route.print = [&scheme](const std::string& piece) { return Usa_CompNFis(scheme, piece); };
  route.close = [&scheme] { return FechRelatGerenc(scheme, true, false); };
  route.fallsBackToReport = false;
  return route;
}

}  // namespace

bool ImprimeTefRG_FrameWork(const std::string& textA, const std::string& textB,
                            const std::string& /*unused3*/, const std::string& scheme,
                            const StringList& firstCopies, const StringList& secondCopies,
                            const StringList& /*unused7*/, const StringList& /*unused8*/,
                            const std::string& /*unused9*/, const std::string& /*linkedText*/,
                            const std::string& /*unused11*/, double /*value*/, double /*unused13*/,
                            int openMode, const std::string& routeFlag) {
  const Route route = ReportRoute(scheme, textA, textB, routeFlag);
  bool fallBack = false;
  return RunPasses(route, {scheme, firstCopies, secondCopies, openMode}, fallBack);
}

bool ImprimeTef_FrameWork(const std::string& textA, const std::string& textB,
                          const std::string& unused3, const std::string& scheme,
                          const StringList& firstCopies, const StringList& secondCopies,
                          const StringList& unused7, const StringList& unused8,
                          const std::string& unused9, const std::string& linkedText,
                          const std::string& unused11, double value, double unused13, int openMode,
                          const std::string& routeFlag, const std::string& terminalKind) {
  const auto asReport = [&] {
    return ImprimeTefRG_FrameWork(textA, textB, unused3, scheme, firstCopies, secondCopies, unused7,
                                  unused8, unused9, linkedText, unused11, value, unused13, openMode,
                                  routeFlag);
  };
  // A linked voucher needs a card payment to link to: without a value or a
  // linked text, or when the host asks for it, the vouchers go to a report.
  if (value == 0 || routeFlag == "S" || linkedText.empty()) return asReport();

  const Route route = LinkedRoute(scheme, terminalKind);
  bool fallBack = false;
  const bool result = RunPasses(route, {scheme, firstCopies, secondCopies, openMode}, fallBack);
  return fallBack ? asReport() : result;
}

bool ImprimeTef(const std::string& textA, const std::string& textB, const std::string& unused3,
                const std::string& scheme, const StringList& firstCopies,
                const StringList& secondCopies, const StringList& unused7,
                const StringList& unused8, const std::string& unused9,
                const std::string& linkedText, const std::string& unused11, double value,
                double unused13, int openMode, const std::string& routeFlag,
                const std::string& /*unused16*/) {
  return ImprimeTef_FrameWork(textA, textB, unused3, scheme, firstCopies, secondCopies, unused7,
                              unused8, unused9, linkedText, unused11, value, unused13, openMode,
                              routeFlag, "");
}

}  // namespace Tov00300
