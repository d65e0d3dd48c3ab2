// A bar code printed in a management report of its own.
#include <string>

#include "documents/report_text.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "tov00300/documents.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300 {

namespace {

struct Symbology {
  const char* name;    // the host's type name, compared exactly
  const char* number;  // the driver's type number
  int digits;          // digits without the check digit; 0: the code goes as it is
};

constexpr Symbology kSymbologies[] = {
    {"EAN-13", "1", 12},         {"EAN-8", "2", 7},
    {"STANDARD 2 of 5", "3", 0}, {"INTERLEAVED 2 of 5", "4", 0},
    {"CODE128", "5", 0},         {"CODE39", "6", 0},
    {"CODE93", "7", 0},          {"UPC-A", "8", 11},
    {"CODABAR", "9", 0},         {"MSI", "10", 0},
    {"CODE11", "11", 0},
};

// The fixed print settings: bar width, bar height, the code printed below.
constexpr const char* kBarWidth = "4";
constexpr const char* kBarHeight = "150";
constexpr const char* kPrintDigits = "1";

const Symbology* FindSymbology(const std::string& tipo) {
  for (const Symbology& s : kSymbologies) {
    if (tipo == s.name) return &s;
  }
  return nullptr;
}

// Leading zeros up to the symbology's length; a code that carries its check
// digit (one digit more) loses it, the printer computes its own. A longer
// code is kept whole for the printer to refuse rather than print another
// article's number.
std::string FixedLength(const std::string& codigo, int digits) {
  std::string code = hostlib::Ajusta(codigo, digits);
  if (static_cast<int>(code.size()) == digits + 1) code.pop_back();
  return code;
}

}  // namespace

bool CodigoBarra(const std::string& stEsquema, const std::string& textoA, const std::string& textoB,
                 int /*ignorado*/, const std::string& codigo, const std::string& tipo) {
  // An unknown type is refused before the opening: the printer would refuse
  // an empty type number and an empty report would be printed for nothing.
  const Symbology* symbology = FindSymbology(tipo);
  if (symbology == nullptr) {
    driver::ReportProblem(
        stEsquema, Utf8ToCp1252("Tipo de código de barras desconhecido: \"") + tipo + "\"", true);
    return false;
  }
  if (!documents::CheckPrintable(stEsquema, codigo)) return false;
  const std::string code = symbology->digits > 0 ? FixedLength(codigo, symbology->digits) : codigo;

  // The bar code goes only into a report this call opened, never into a
  // document another left open; the refused opening was reported.
  if (!Relatorio_Gerencial_Imp(stEsquema, textoA, textoB, "", "")) return false;
  // The answer is neither kept in inRetorno nor analysed (the report's
  // closing is what the operator hears about), but a refused code must not
  // pass for a printed one.
  const int printed = driver::Silent(iImprimirCodigoBarras_ECF_Daruma(
      symbology->number, kBarWidth, kBarHeight, kPrintDigits, code.c_str()));
  const bool closed = FechRelatGerenc(stEsquema, true, false);
  if (printed != 1) {
    driver::ReportProblem(stEsquema,
                          Utf8ToCp1252("A impressora recusou o código de barras \"") + code +
                              "\" (retorno " + IntToStr(printed) + ").",
                          true);
    return false;
  }
  return closed;
}

}  // namespace Tov00300
