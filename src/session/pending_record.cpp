#include "session/pending_record.h"
#include "driver/dialogs.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>
#include <sstream>

#include "driver/command.h"
#include "driver/registers.h"
#include "session/printer_documents.h"
#include "tov00300/datetime.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"
#include "tov00300/state.h"

namespace Tov00300::session {

namespace {

using driver::Register;

struct Pending {
  std::string kind;            // "LX" or "RZ"
  long long coo = 0, crz = 0;  // the counters before the command
  // Printed, its record missing: the reading's own COO and GNF ("-" for
  // none) and the fiscal date its record takes (days of DateTime).
  bool issued = false;
  long long issuedCoo = 0;
  std::string issuedGnf = "-";
  long long fiscalDay = 0;
  std::string key, scheme;
};

// The key and the colour scheme take a line each: their line breaks and
// '%' are written as %XX.
std::string Escape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n' || c == '\r' || c == '%') {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

void Write(const Pending& p) {
  std::ostringstream text;
  text << p.kind << ' ' << p.coo << ' ' << p.crz;
  if (p.issued) {
    text << " I " << p.issuedCoo << ' ' << p.issuedGnf << ' ' << p.fiscalDay;
  } else {
    text << " P";
  }
  text << '\n' << Escape(p.key) << '\n' << Escape(p.scheme) << '\n';
  try {
    platform::AtomicReplaceFile(PendingRecordPath(), text.str());
  } catch (const std::exception& e) {
    // Without the note a reading lost to a kill stays unrecorded, as it
    // would without this bookkeeping; the reading itself goes on.
    ImpFisDebug(Utf8ToCp1252("Nota do registro de documento não gravada: ") + e.what());
  }
}

std::optional<Pending> Read() {
  const auto text = platform::ReadFile(PendingRecordPath());
  if (!text) return std::nullopt;
  std::istringstream in(*text);
  Pending p;
  std::string state, key, scheme;
  if (!(in >> p.kind >> p.coo >> p.crz >> state) || (p.kind != "LX" && p.kind != "RZ")) {
    return std::nullopt;
  }
  p.issued = state == "I";
  if (p.issued && !(in >> p.issuedCoo >> p.issuedGnf >> p.fiscalDay)) return std::nullopt;
  in.ignore(1 << 20, '\n');
  if (!std::getline(in, key) || !std::getline(in, scheme)) return std::nullopt;
  try {
    p.key = Unescape(key);
    p.scheme = Unescape(scheme);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return p;
}

void Drop() {
  if (platform::FileExists(PendingRecordPath())) platform::DeleteFile(PendingRecordPath());
}

std::string Six(long long number) {
  char text[24];
  std::snprintf(text, sizeof text, "%06lld", number);
  return text;
}

std::string Described(const Pending& p) {
  return p.kind + " - chave " + p.key;
}

// The record GravaDocumentosNaoFiscais makes right after the reading, with
// the reading's own counters. False, with the operator told, when the
// register cannot take it.
bool Record(const Pending& p, long long coo, const std::string& gnf, DateTime fiscalDate,
            const std::string& scheme) {
  try {
    hostlib::setDocNaoFiscaisECF(p.key, Six(coo), p.kind == "RZ" && gnf != "-" ? gnf : "", "", "",
                                 p.kind, "", DateTime::Now(), fiscalDate, "");
  } catch (const std::exception& e) {
    driver::ReportProblem(scheme, e.what(), true);
    return false;
  }
  ImpFisDebug(Utf8ToCp1252("Documento sem registro conciliado: ") + Described(p) + " - COO " +
              Six(coo));
  // A Z whose outcome the session could not read is settled: the next call
  // must not record it again.
  if (p.kind == "RZ") session::UncertainReduction().reset();
  return true;
}

// The Z a pending note left, from the printer's record of its last Z: true
// when that record is the one after the note's CRZ.
bool RecordLastReduction(const Pending& p, const std::string& scheme, bool* recorded) {
  const auto z = driver::ReadRegisterText(Register::kLastReduction);
  if (!z || z->size() < 946) return false;
  const auto crz = driver::DigitsValue(z->substr(922, 4));
  const auto coo = driver::DigitsValue(z->substr(934, 6));
  const auto day = driver::DigitsValue(z->substr(0, 2));
  const auto month = driver::DigitsValue(z->substr(2, 2));
  const auto year = driver::DigitsValue(z->substr(4, 4));
  if (!crz || !coo || !day || !month || !year || *crz != p.crz + 1) return false;
  DateTime date;
  try {
    date = DateTime::FromParts(static_cast<int>(*year), static_cast<int>(*month),
                               static_cast<int>(*day));
  } catch (const std::exception&) {
    return false;
  }
  *recorded = Record(p, *coo, z->substr(940, 6), date, scheme);
  return true;
}

}  // namespace

std::string PendingRecordPath() {
  return DsDirCad + "pending_record.txt";
}

void NoteReading(const std::string& kind, const std::string& key, const std::string& scheme) {
  // A reading noted earlier and still unrecorded goes first: overwritten,
  // its note would be lost. One that still cannot be recorded keeps it.
  ReconcilePendingRecord(scheme);
  if (platform::FileExists(PendingRecordPath())) return;
  const auto coo = driver::ReadRegisterCount(Register::kOperationCounter);
  const auto crz = driver::ReadRegisterCount(Register::kReductionCounter);
  if (!coo || !crz) return;
  Pending p;
  p.kind = kind;
  p.coo = *coo;
  p.crz = *crz;
  p.key = key;
  p.scheme = scheme;
  Write(p);
}

void SettleReading(bool printed, bool recorded) {
  auto p = Read();
  if (!p) return;
  if (recorded) {
    Drop();
    return;
  }
  if (printed) {
    // Read now, before anything else is printed: the reading's own counters
    // and fiscal date, for the record the next opening writes.
    const auto coo = driver::ReadRegisterCount(Register::kOperationCounter);
    if (!coo) return;  // left pending: the next opening decides from the counters
    const auto gnf = driver::ReadRegisterText(Register::kNonFiscalCounter);
    p->issued = true;
    p->issuedCoo = *coo;
    p->issuedGnf = gnf && !gnf->empty() ? *gnf : "-";
    p->fiscalDay = static_cast<long long>(std::floor(DataMoviFiscal(p->scheme).value));
    Write(*p);
    return;
  }
  // Not taken as done: the note goes when the counter shows the printer did
  // not issue it; a counter that moved (a reply lost) leaves it pending.
  const bool reduction = p->kind == "RZ";
  const auto counter = driver::ReadRegisterCount(reduction ? Register::kReductionCounter
                                                           : Register::kOperationCounter);
  if (counter && *counter == (reduction ? p->crz : p->coo)) Drop();
}

void ReconcilePendingRecord(const std::string& scheme) {
  if (!platform::FileExists(PendingRecordPath())) return;
  const auto p = Read();
  if (!p) {
    ImpFisDebug(Utf8ToCp1252("Nota do registro de documento ilegível, descartada: ") +
                PendingRecordPath());
    Drop();
    return;
  }
  if (p->issued) {
    if (Record(*p, p->issuedCoo, p->issuedGnf, DateTime(static_cast<double>(p->fiscalDay)),
               scheme)) {
      Drop();
    }
    return;
  }
  const auto coo = driver::ReadRegisterCount(Register::kOperationCounter);
  const auto crz = driver::ReadRegisterCount(Register::kReductionCounter);
  if (!coo || !crz) return;  // the printer did not say: the next opening asks again
  const bool reduction = p->kind == "RZ";
  if (reduction ? *crz == p->crz : *coo == p->coo) {
    ImpFisDebug(Utf8ToCp1252("Documento pendente não emitido pela impressora: ") + Described(*p));
    Drop();
    return;
  }
  // Killed between the reading and its record: the reading is the document
  // right after the noted counters, and nothing came after it.
  bool recorded = false;
  bool known = false;
  if (reduction) {
    known = *crz == p->crz + 1 && RecordLastReduction(*p, scheme, &recorded);
  } else if (*coo == p->coo + 1 && *crz == p->crz) {
    known = true;
    recorded = Record(*p, *coo, "-", DateTime(std::floor(DataMoviFiscal(scheme).value)), scheme);
  }
  if (!known) {
    ImpFisDebug(Utf8ToCp1252("Documento pendente não conciliado: ") + Described(*p) +
                Utf8ToCp1252(" - a impressora está em COO ") + Six(*coo) + ", CRZ " +
                std::to_string(*crz));
    Drop();
    return;
  }
  if (recorded) Drop();
}

}  // namespace Tov00300::session
