#include "render.h"

#include "civil_time.h"
#include "machine.h"
#include "numbers.h"
#include "text.h"
#include "tov00300/format.h"

namespace Tov00300::sim {

std::string Cp(const char* utf8) {
  return Utf8ToCp1252(utf8);
}

void Paper::Literal(const char* utf8) {
  Line(Cp(utf8));
}
void Paper::Centered(const std::string& text) {
  Line(Center(text, kPaperColumns));
}
void Paper::Centered(const char* utf8) {
  Centered(Cp(utf8));
}
void Paper::Pair(const std::string& left, const std::string& right) {
  Line(Columns(left, right, kPaperColumns));
}
void Paper::Wrapped(const std::string& text) {
  for (const std::string& line : WordWrapLines(text, kPaperColumns)) Line(line);
}

// A person reads the tape: a line breaks at its last blank within the width,
// and only a word longer than a whole line is cut.
std::vector<std::string> WordWrapLines(const std::string& text, size_t width) {
  std::vector<std::string> lines;
  for (std::string rest : WrapLines(text, std::string::npos)) {
    if (rest.empty()) lines.emplace_back();
    while (!rest.empty()) {
      if (rest.size() <= width) {
        lines.push_back(rest);
        break;
      }
      size_t cut = rest.rfind(' ', width);
      size_t next = cut;
      if (cut == std::string::npos || cut == 0) {
        cut = next = width;
      } else {
        while (cut > 0 && rest[cut - 1] == ' ') --cut;
      }
      lines.push_back(rest.substr(0, cut));
      while (next < rest.size() && rest[next] == ' ') ++next;
      rest.erase(0, next);
    }
  }
  return lines;
}

std::string Paper::Text() const {
  std::string out;
  for (const std::string& line : lines_) {
    out += line;
    out += '\n';
  }
  return out;
}

void PrintHeader(Paper& paper, const PrinterState& state, int64_t time, int64_t coo,
                 const std::string& counters) {
  const Identity& id = state.identity;
  for (const std::string& line : id.header) paper.Centered(line);
  paper.Line("CNPJ:" + id.cnpj);
  paper.Line("IE:" + id.ie + (id.im.empty() ? "" : " IM:" + id.im));
  paper.Rule();
  paper.Pair(DateTimeText(time) + (counters.empty() ? "" : " " + counters),
             "COO:" + Digits(coo, 6));
}

void PrintFooter(Paper& paper, const PrinterState& state, int64_t time) {
  const Identity& id = state.identity;
  paper.Rule();
  paper.Pair(id.maker + " " + id.model, "ECF:" + Digits(id.ecfNumber, 3) + " LJ:0001");
  paper.Pair("VERSAO:" + id.version, DateTimeText(time));
  paper.Pair("FAB:" + id.serial, "BR");
}

std::string BucketLabel(const PrinterState& state, int bucket) {
  switch (bucket) {
    case kBucketSubstitutionIcms:
      return "F1";
    case kBucketSubstitutionIss:
      return "FS1";
    case kBucketExemptIcms:
      return "I1";
    case kBucketExemptIss:
      return "IS1";
    case kBucketNoIncidenceIcms:
      return "N1";
    case kBucketNoIncidenceIss:
      return "NS1";
    default:
      break;
  }
  char kind = bucket < static_cast<int>(state.rates.size()) ? state.rates[bucket].kind : 'T';
  return std::string(1, kind) + Digits(bucket + 1, 2);
}

MfdDocument RenderDocument(const PrinterState& state, const Event& event) {
  MfdDocument doc;
  doc.time = event.time;
  const Document* source = &state.lastDoc;
  switch (event.type) {
    case EventType::kCloseReceipt:
    case EventType::kCancelReceipt:
      // A receipt cancelled while open ends on its own paper; cancelling the
      // last one closed prints a new document (the last COO).
      if (state.lastReceipt.coo == state.counters.coo) {
        source = &state.lastReceipt;
        doc.text = RenderReceipt(state, state.lastReceipt);
      } else {
        doc.text = RenderSimple(state, state.lastDoc);
      }
      break;
    case EventType::kCloseNonFiscal:
    case EventType::kCancelNonFiscal:
      if (state.lastNonFiscal.coo == state.counters.coo) {
        source = &state.lastNonFiscal;
        doc.text = RenderNonFiscal(state, state.lastNonFiscal);
      } else {
        doc.text = RenderSimple(state, state.lastDoc);
      }
      break;
    case EventType::kXReading:
      doc.text = RenderXReading(state, state.lastDoc);
      break;
    case EventType::kZReduction:
      doc.text = RenderZReduction(state, state.reductions.back());
      break;
    default:
      doc.text = RenderSimple(state, state.lastDoc);
      break;
  }
  doc.coo = source->coo;
  doc.kind = source->kind;
  return doc;
}

}  // namespace Tov00300::sim
