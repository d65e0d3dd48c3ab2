#include "legal_files.h"

#include "civil_time.h"
#include "codec.h"
#include "numbers.h"
#include "render.h"
#include "text.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace Tov00300::sim {
namespace {

enum class RangeKind { kDays, kNumbers };

struct Range {
  RangeKind kind = RangeKind::kDays;
  int64_t from = 0, to = 0;
};

// Parses a range of days or of numbers; nullopt when malformed or reversed.
std::optional<Range> ParseRange(RangeKind kind, const std::string& start, const std::string& end) {
  Range r;
  r.kind = kind;
  auto read = [kind](const std::string& text) {
    return kind == RangeKind::kDays ? ParseDay(text) : ParseInteger(text);
  };
  auto from = read(start);
  auto to = read(end);
  if (!from || !to || *from > *to) return std::nullopt;
  r.from = *from;
  r.to = *to;
  return r;
}

// The return code for a range that selects nothing: before the first
// record, after the last, or a gap between them.
Outcome EmptyRange(const Range& r, int64_t first, int64_t last, bool any) {
  if (!any || r.from > last) return Refuse(kErrNoMovement, -105);
  if (r.to < first) return Refuse(kErrNoMovement, -104);
  return Refuse(kErrNoMovement);
}

Outcome WriteDriverFile(const Machine& m, const std::string& name, const std::string& bytes) {
  std::string path = name.find('/') != std::string::npos || name.find('\\') != std::string::npos
                         ? platform::NativePath(name)
                         : m.folder() + name;
  try {
    platform::AtomicReplaceFile(path, bytes);
  } catch (const std::exception&) {
    return Refuse(kErrFile, -52);
  }
  return Ok();
}

std::string FileHeader(const PrinterState& state, const char* title, const std::string& period) {
  Paper paper;
  paper.Centered(title);
  paper.Line(state.identity.maker + " " + state.identity.model);
  paper.Line("FAB:" + state.identity.serial + " ECF:" + Digits(state.identity.ecfNumber, 3));
  paper.Line("CNPJ:" + state.identity.cnpj);
  paper.Line(Cp("Período: ") + period);
  paper.Rule('=');
  return paper.Text();
}

std::string PeriodText(const Range& r) {
  if (r.kind == RangeKind::kNumbers) return Digits(r.from, 6) + " a " + Digits(r.to, 6);
  return DateText(r.from * kSecondsPerDay) + " a " + DateText(r.to * kSecondsPerDay);
}

// The reductions in the range, or the refusal when there are none.
std::optional<Outcome> SelectReductions(const PrinterState& state, const Range& r,
                                        std::vector<const ZRecord*>* out) {
  const std::vector<ZRecord>& all = state.reductions;
  for (const ZRecord& z : all) {
    int64_t key = r.kind == RangeKind::kDays ? z.movementDay : z.counters.crz;
    if (key >= r.from && key <= r.to) out->push_back(&z);
  }
  if (!out->empty()) return std::nullopt;
  if (all.empty()) return Refuse(kErrNoMovement, -105);
  bool days = r.kind == RangeKind::kDays;
  return EmptyRange(r, days ? all.front().movementDay : all.front().counters.crz,
                    days ? all.back().movementDay : all.back().counters.crz, true);
}

std::string ReductionsBody(const std::vector<const ZRecord*>& zs, bool complete) {
  Paper paper;
  int64_t grossSum = 0;
  for (const ZRecord* z : zs) {
    int64_t gross = z->grandTotal - z->dayStartGrandTotal;
    grossSum += gross;
    paper.Pair("CRZ:" + Digits(z->counters.crz, 4) + " COO:" + Digits(z->counters.coo, 6) +
                   " CRO:" + Digits(z->counters.cro, 3),
               DateText(z->movementDay * kSecondsPerDay));
    paper.Pair("  VENDA BRUTA R$", Money(gross));
    if (complete) {
      PrintTotals(paper, z->rates, z->paymentMethods, z->totalizers, z->totals, z->grandTotal,
                  z->dayStartGrandTotal);
      paper.Rule();
    }
  }
  paper.Rule('=');
  paper.Pair(Cp("Reduções no período:"), std::to_string(zs.size()));
  paper.Pair(Cp("Venda bruta no período R$"), Money(grossSum));
  return paper.Text();
}

// The detail-memory documents in the range, or the refusal when none.
std::optional<Outcome> SelectDocuments(Machine& m, const Range& r, std::vector<MfdDocument>* out) {
  std::vector<MfdDocument> all;
  std::string damage;
  if (!m.storage().ReadDocuments(m.state().mfdLength, &all, &damage)) {
    // A report with documents missing would pass for the whole record.
    m.MarkDamaged(damage);
    return Refuse(kErrDamaged);
  }
  for (MfdDocument& doc : all) {
    int64_t key = r.kind == RangeKind::kDays ? DayOf(doc.time) : doc.coo;
    if (key >= r.from && key <= r.to) out->push_back(doc);
  }
  if (!out->empty()) return std::nullopt;
  if (all.empty()) return Refuse(kErrNoMovement, -105);
  bool days = r.kind == RangeKind::kDays;
  return EmptyRange(r, days ? DayOf(all.front().time) : all.front().coo,
                    days ? DayOf(all.back().time) : all.back().coo, true);
}

std::string DocumentsText(const std::vector<MfdDocument>& docs) {
  std::string out;
  for (const MfdDocument& doc : docs) {
    out += doc.text;
    out += std::string(kPaperColumns, '=') + "\n";
  }
  return out;
}

std::optional<Range> RangeFor(const std::string& kind, const std::string& start,
                              const std::string& end) {
  std::string k = UpperCase(Trim(kind));
  if (k == "DATAM" || k == "DATA" || k == "1") return ParseRange(RangeKind::kDays, start, end);
  if (k == "COO" || k == "2") return ParseRange(RangeKind::kNumbers, start, end);
  return std::nullopt;
}

}  // namespace

Outcome FiscalMemoryReading(Machine& m, const std::string& start, const std::string& end, int flag,
                            const std::string& rawKind) {
  if (auto refusal = m.CheckUsable()) return *refusal;
  std::string kind = UpperCase(Trim(rawKind));
  if (kind != "IMP" && kind != "ARQ") return Refuse(kErrParameter, -2);
  // Reduction numbers have at most four digits; dates six or eight.
  RangeKind rangeKind = Trim(start).size() <= 4 ? RangeKind::kNumbers : RangeKind::kDays;
  auto range = ParseRange(rangeKind, start, end);
  if (!range) return Refuse(kErrParameter, -2);
  std::vector<const ZRecord*> zs;
  if (auto refusal = SelectReductions(m.state(), *range, &zs)) return *refusal;
  std::string body = ReductionsBody(zs, flag != 0);
  if (kind == "ARQ") {
    return WriteDriverFile(
        m, "retorno.txt",
        FileHeader(m.state(), "LEITURA DA MEMORIA FISCAL", PeriodText(*range)) + body);
  }
  if (m.state().open.kind != DocKind::kNone) return Refuse(kErrDocumentOpen);
  if (m.faults().paperOut) return Refuse(kErrPaperOut);
  Event e{EventType::kFiscalMemoryPrint};
  std::string lines = Cp("Período: ") + PeriodText(*range) + "\n" +
                      (flag != 0 ? "Leitura completa" : "Leitura simplificada") + "\n" + body;
  if (!lines.empty() && lines.back() == '\n') lines.pop_back();
  e.s = {lines};
  return m.Accept(std::move(e));
}

Outcome GenerateReport(Machine& m, const std::string& report, const std::string& kind,
                       const std::string& start, const std::string& end) {
  if (auto refusal = m.CheckUsable()) return *refusal;
  auto range = RangeFor(kind, start, end);
  std::string name = UpperCase(Trim(report));
  if (!range || (name != "MFD" && name != "MF")) return Refuse(kErrParameter, -2);
  if (name == "MF") {
    std::vector<const ZRecord*> zs;
    if (auto refusal = SelectReductions(m.state(), *range, &zs)) return *refusal;
    return WriteDriverFile(
        m, "ATO_MF_DATA.txt",
        FileHeader(m.state(), "MEMORIA FISCAL", PeriodText(*range)) + ReductionsBody(zs, true));
  }
  std::vector<MfdDocument> docs;
  if (auto refusal = SelectDocuments(m, *range, &docs)) return *refusal;
  std::string bytes =
      FileHeader(m.state(), "MEMORIA FITA DETALHE", PeriodText(*range)) + DocumentsText(docs);
  Outcome written = WriteDriverFile(m, "ATO_MFD_DATA.txt", bytes);
  // Some callers look for the upper-case extension in the same folder.
  if (written.code == 1) written = WriteDriverFile(m, "ATO_MFD_DATA.TXT", bytes);
  return written;
}

Outcome GenerateMirror(Machine& m, const std::string& kind, const std::string& start,
                       const std::string& end) {
  if (auto refusal = m.CheckUsable()) return *refusal;
  std::string k = Trim(kind);
  if (k != "1" && k != "2") return Refuse(kErrParameter, -2);
  auto range = RangeFor(k, start, end);
  if (!range) return Refuse(kErrParameter, -2);
  std::vector<MfdDocument> docs;
  if (auto refusal = SelectDocuments(m, *range, &docs)) return *refusal;
  return WriteDriverFile(
      m, "Espelho_MFD.txt",
      FileHeader(m.state(), "ESPELHO DA MFD", PeriodText(*range)) + DocumentsText(docs));
}

Outcome DownloadMfd(Machine& m, const std::string& kind, const std::string& start,
                    const std::string& end, const std::string& file) {
  if (auto refusal = m.CheckUsable()) return *refusal;
  auto range = RangeFor(kind, start, end);
  std::string name = Trim(file);
  if (!range || name.empty()) return Refuse(kErrParameter, -2);
  std::vector<MfdDocument> docs;
  if (auto refusal = SelectDocuments(m, *range, &docs)) return *refusal;
  std::string bytes = "TOVMFD01";
  for (const MfdDocument& doc : docs) bytes += EncodeMfdDocument(doc);
  return WriteDriverFile(m, name, bytes);
}

Outcome DownloadMf(Machine& m, const std::string& file) {
  if (auto refusal = m.CheckUsable()) return *refusal;
  std::string name = Trim(file);
  if (name.empty()) return Refuse(kErrParameter, -2);
  std::string bytes = "TOVMF001";
  bytes += FrameRecord(m.state().identity.serial);
  for (const ZRecord& z : m.state().reductions) bytes += FrameRecord(EncodeReduction(z));
  return WriteDriverFile(m, name, bytes);
}

}  // namespace Tov00300::sim
