// The paper: how each document is laid out, 48 columns, Windows-1252.
#ifndef TOV00300_SIM_RENDER_H_
#define TOV00300_SIM_RENDER_H_

#include <string>
#include <vector>

#include "state.h"

namespace Tov00300::sim {

// Collects the lines of one document.
class Paper {
 public:
  void Line(const std::string& text = "") { lines_.push_back(text.substr(0, kPaperColumns)); }
  // Source literals are UTF-8; the paper holds Windows-1252.
  void Literal(const char* utf8);
  void Centered(const std::string& text);
  void Centered(const char* utf8);
  void Pair(const std::string& left, const std::string& right);
  void Rule(char c = '-') { lines_.push_back(std::string(kPaperColumns, c)); }
  void Wrapped(const std::string& text);
  std::string Text() const;

 private:
  std::vector<std::string> lines_;
};

std::string Cp(const char* utf8);

// The text's lines (split at line feeds) broken to `width` columns at the
// last blank that fits; a word longer than `width` is cut.
std::vector<std::string> WordWrapLines(const std::string& text, size_t width);

// Company header, the document's date and time and counters.
void PrintHeader(Paper& paper, const PrinterState& state, int64_t time, int64_t coo,
                 const std::string& counters);
// The fiscal footer: printer identity and the time of printing.
void PrintFooter(Paper& paper, const PrinterState& state, int64_t time);

std::string RenderReceipt(const PrinterState& state, const Document& receipt);
std::string RenderNonFiscal(const PrinterState& state, const Document& doc);
std::string RenderSimple(const PrinterState& state, const Document& doc);
std::string RenderXReading(const PrinterState& state, const Document& doc);
std::string RenderZReduction(const PrinterState& state, const ZRecord& z);

// The body of a reading (X, or one Z record): counters and totals.
void PrintTotals(Paper& paper, const std::vector<TaxRate>& rates,
                 const std::vector<std::string>& methods,
                 const std::vector<std::string>& totalizers, const DayTotals& day,
                 int64_t grandTotal, int64_t dayStartGrandTotal);

// Tax-bucket label as printed on items and readings: "T01", "S04", "F1", ...
std::string BucketLabel(const PrinterState& state, int bucket);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_RENDER_H_
