#include "storage.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "codec.h"
#include "text.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace Tov00300::sim {
namespace {

constexpr char kSnapshotName[] = "sim_estado.bin";
constexpr char kJournalName[] = "sim_diario.bin";
constexpr char kMfdName[] = "sim_mfd.bin";
constexpr char kTapeName[] = "bobina.txt";
constexpr char kCommitName[] = "sim_confirmado.bin";
constexpr std::string_view kSnapshotMagic = "TOVSIM-ESTADO-1\n";

int64_t FileSize(const std::string& path) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  return ec ? -1 : static_cast<int64_t>(size);
}

// Names the damaged file and the offset of the damage for the printer's log;
// always false, for the caller to return.
bool Damaged(std::string* error, const char* file, int64_t offset, const char* what) {
  *error = std::string(file) + ", posição " + std::to_string(offset) + ": " + what;
  return false;
}

void CutFile(const std::string& path, int64_t length) {
  std::error_code ec;
  if (FileSize(path) > length) std::filesystem::resize_file(path, length, ec);
}

}  // namespace

bool AppendFile::Open(const std::string& path) {
  Close();
  file_ = std::fopen(path.c_str(), "ab");
  if (file_ == nullptr) return false;
  path_ = path;
  size_ = FileSize(path);
  if (size_ < 0) size_ = 0;
  return true;
}

void AppendFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool AppendFile::Append(std::string_view bytes) {
  if (file_ == nullptr) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() ||
      std::fflush(file_) != 0) {
    return false;
  }
  size_ += static_cast<int64_t>(bytes.size());
  return true;
}

bool AppendFile::Sync() {
  return file_ != nullptr && platform::SyncFile(fileno(file_));
}

bool AppendFile::Truncate(int64_t size) {
  if (file_ == nullptr) return false;
  std::fflush(file_);
  std::error_code ec;
  std::filesystem::resize_file(path_, size, ec);
  if (ec) return false;
  size_ = size;
  return true;
}

bool CommitFile::Open(const std::string& path) {
  Close();
  file_ = std::fopen(path.c_str(), "r+b");
  if (file_ == nullptr) file_ = std::fopen(path.c_str(), "w+b");
  return file_ != nullptr;
}

void CommitFile::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

bool CommitFile::Write(uint64_t sequence) {
  if (file_ == nullptr) return false;
  ByteWriter w;
  w.I64(static_cast<int64_t>(sequence));
  const std::string record = FrameRecord(w.bytes());
  // Sixteen bytes rewritten in place: one write, never torn by a kill.
  return std::fseek(file_, 0, SEEK_SET) == 0 &&
         std::fwrite(record.data(), 1, record.size(), file_) == record.size() &&
         std::fflush(file_) == 0;
}

bool CommitFile::Clear() {
  if (file_ == nullptr) return false;
  std::fflush(file_);
  return ::ftruncate(fileno(file_), 0) == 0;
}

std::string EncodeMfdDocument(const MfdDocument& doc) {
  ByteWriter w;
  w.I64(doc.coo);
  w.U8(static_cast<uint8_t>(doc.kind));
  w.I64(doc.time);
  w.Text(doc.text);
  return FrameRecord(w.bytes());
}

bool DecodeMfdDocument(std::string_view payload, MfdDocument* doc) {
  ByteReader r(payload);
  doc->coo = r.I64();
  doc->kind = static_cast<DocKind>(r.U8());
  doc->time = r.I64();
  doc->text = r.Text();
  return !r.failed();
}

bool Storage::Open(const std::string& folder, PrinterState* state, std::string* error) {
  Close();
  PrinterState loaded = FreshState();
  auto damaged = [error](const char* file, size_t offset, const char* what) {
    return Damaged(error, file, static_cast<int64_t>(offset), what);
  };
  auto snapshot = platform::ReadFile(folder + kSnapshotName);
  if (snapshot) {
    std::string_view bytes(*snapshot);
    std::string_view payload;
    size_t next = 0;
    if (bytes.substr(0, kSnapshotMagic.size()) != kSnapshotMagic ||
        !ReadFramedRecord(bytes, kSnapshotMagic.size(), &payload, &next) ||
        !DecodeState(payload, &loaded)) {
      return damaged(kSnapshotName, 0, "instantâneo ilegível");
    }
  }
  std::string journalPath = folder + kJournalName;
  auto journal = platform::ReadFile(journalPath);
  size_t journalEnd = 0;
  if (journal) {
    std::string_view bytes(*journal);
    std::string_view payload;
    size_t next = 0;
    for (;;) {
      RecordRead read = InspectFramedRecord(bytes, journalEnd, &payload, &next);
      if (read == RecordRead::kEnd || read == RecordRead::kTorn) break;
      if (read == RecordRead::kDamaged) {
        return damaged(kJournalName, journalEnd, "registro danificado no diário");
      }
      uint64_t sequence = 0;
      Event event;
      if (!DecodeEvent(payload, &sequence, &event)) {
        return damaged(kJournalName, journalEnd, "registro ilegível no diário");
      }
      // Records up to the snapshot's sequence are already in it (a crash
      // between the snapshot and emptying the journal leaves them); any
      // other jump means records are missing.
      if (sequence > loaded.sequence) {
        if (sequence != loaded.sequence + 1) {
          return damaged(kJournalName, journalEnd, "registros faltando no diário");
        }
        Apply(loaded, event);
        loaded.sequence = sequence;
      }
      journalEnd = next;
    }
  }
  if (!CheckDetailMemory(folder, loaded, snapshot.has_value(), error)) return false;
  // A kill leaves the journal torn at its end, never short of a record the
  // commit record names: a journal (and snapshot) ending before that record
  // were cut at a record boundary, and the documents after the cut would be
  // lost without a trace.
  if (auto commit = platform::ReadFile(folder + kCommitName); commit && !commit->empty()) {
    std::string_view payload;
    size_t next = 0;
    if (!ReadFramedRecord(*commit, 0, &payload, &next) || next != commit->size() ||
        payload.size() != 8) {
      return damaged(kCommitName, 0, "registro de confirmação ilegível");
    }
    const auto vouched = static_cast<uint64_t>(ByteReader(payload).I64());
    if (vouched > loaded.sequence) {
      return damaged(kJournalName, journalEnd, "diário termina antes do último comando confirmado");
    }
  }
  // A record torn by a process killed while writing it is dropped, so new
  // records follow good ones; the document it would have committed goes too.
  CutFile(journalPath, static_cast<int64_t>(journalEnd));
  CutFile(folder + kMfdName, loaded.mfdLength);
  CutFile(folder + kTapeName, loaded.tapeLength);
  folder_ = folder;
  if (!OpenFiles()) {
    *error = "cannot open the files in " + folder;
    Close();
    return false;
  }
  *state = std::move(loaded);
  return true;
}

bool Storage::CheckDetailMemory(const std::string& folder, const PrinterState& loaded,
                                bool hadSnapshot, std::string* error) {
  auto damaged = [error](const char* file, int64_t offset, const char* what) {
    return Damaged(error, file, offset, what);
  };
  std::string mfd = platform::ReadFile(folder + kMfdName).value_or(std::string());
  const std::string tape = platform::ReadFile(folder + kTapeName).value_or(std::string());
  const auto tapeSize = static_cast<int64_t>(tape.size());
  if (!hadSnapshot && loaded.sequence == 0 && (!mfd.empty() || tapeSize > 0)) {
    return damaged(kJournalName, 0, "diário e instantâneo ausentes com documentos impressos");
  }
  // Every committed document must read back whole, ending exactly where the
  // last committed command says the detail memory ends.
  std::string_view bytes(mfd);
  if (static_cast<int64_t>(bytes.size()) < loaded.mfdLength) {
    return damaged(kMfdName, static_cast<int64_t>(bytes.size()),
                   "memória de fita-detalhe menor que a registrada");
  }
  size_t offset = 0;
  std::string_view payload;
  size_t next = 0;
  while (static_cast<int64_t>(offset) < loaded.mfdLength) {
    if (InspectFramedRecord(bytes.substr(0, loaded.mfdLength), offset, &payload, &next) !=
        RecordRead::kWhole) {
      return damaged(kMfdName, static_cast<int64_t>(offset), "documento danificado");
    }
    offset = next;
  }
  // After the committed end there can be at most the one document whose
  // command was killed before its journal record: more means the journal
  // lost records that the printed documents prove.
  if (InspectFramedRecord(bytes, offset, &payload, &next) == RecordRead::kWhole &&
      InspectFramedRecord(bytes, next, &payload, &next) != RecordRead::kEnd) {
    return damaged(kMfdName, static_cast<int64_t>(offset), "documentos fora do diário");
  }
  if (tapeSize < loaded.tapeLength) {
    return damaged(kTapeName, tapeSize, "bobina menor que a registrada");
  }
  // The tape is the committed documents as printed, byte for byte: a changed
  // byte of the tape is damage like a changed byte of any other file.
  int64_t printed = 0;
  for (offset = 0; static_cast<int64_t>(offset) < loaded.mfdLength; offset = next) {
    InspectFramedRecord(bytes, offset, &payload, &next);
    MfdDocument doc;
    if (!DecodeMfdDocument(payload, &doc)) {
      return damaged(kMfdName, static_cast<int64_t>(offset), "documento danificado");
    }
    const std::string paper = Cp1252ToUtf8(doc.text) + "\n";
    const std::string_view onTape = std::string_view(tape).substr(
        static_cast<size_t>(std::min<int64_t>(printed, loaded.tapeLength)),
        static_cast<size_t>(std::max<int64_t>(loaded.tapeLength - printed, 0)));
    if (onTape.substr(0, paper.size()) != paper) {
      const auto differs = std::mismatch(paper.begin(), paper.end(), onTape.begin(), onTape.end());
      return damaged(kTapeName, printed + (differs.first - paper.begin()),
                     "bobina diferente da memória de fita-detalhe");
    }
    printed += static_cast<int64_t>(paper.size());
  }
  if (printed != loaded.tapeLength) {
    return damaged(kTapeName, printed, "bobina diferente da memória de fita-detalhe");
  }
  return true;
}

bool Storage::OpenFiles() {
  return journal_.Open(folder_ + kJournalName) && mfd_.Open(folder_ + kMfdName) &&
         tape_.Open(folder_ + kTapeName) && commit_.Open(folder_ + kCommitName);
}

void Storage::Close() {
  journal_.Close();
  mfd_.Close();
  tape_.Close();
  commit_.Close();
  folder_.clear();
}

bool Storage::AppendDocument(const MfdDocument& doc, const std::string& tapeUtf8, int64_t* mfdEnd,
                             int64_t* tapeEnd) {
  if (!mfd_.Append(EncodeMfdDocument(doc))) return false;
  if (durability_ != Durability::kOff && !mfd_.Sync()) return false;
  if (!tape_.Append(tapeUtf8)) return false;
  if (durability_ == Durability::kSync) tape_.Sync();
  *mfdEnd = mfd_.size();
  *tapeEnd = tape_.size();
  return true;
}

bool Storage::Commit(uint64_t sequence, const Event& event) {
  if (!journal_.Append(FrameRecord(EncodeEvent(sequence, event)))) return false;
  bool flush = durability_ == Durability::kSync ||
               (durability_ == Durability::kOn && !IsInDocumentStep(event.type));
  if (flush && !journal_.Sync()) return false;
  // Named only after the record is written (and flushed, where the level
  // flushes it): the commit record never claims more than the journal
  // holds. Items of a receipt still open are left out at `off` and `on`, as
  // a power loss may take them. A commit record that could not be written
  // only lags behind, which makes the check on load weaker, never wrong.
  if (durability_ == Durability::kSync || !IsInDocumentStep(event.type)) commit_.Write(sequence);
  return true;
}

bool Storage::WriteSnapshot(const PrinterState& state) {
  std::string bytes(kSnapshotMagic);
  bytes += FrameRecord(EncodeState(state));
  try {
    platform::AtomicReplaceFile(folder_ + kSnapshotName, bytes);
  } catch (const std::exception&) {
    return false;
  }
  // The journal's records are all in the snapshot now; emptying it is safe
  // even if interrupted (records at or below the snapshot's sequence are
  // skipped on load).
  if (journal_.Truncate(0) && durability_ != Durability::kOff) journal_.Sync();
  return true;
}

bool Storage::Reset(const PrinterState& fresh) {
  // First, so that it never names records the files no longer hold.
  commit_.Clear();
  journal_.Truncate(0);
  mfd_.Truncate(0);
  tape_.Truncate(0);
  return WriteSnapshot(fresh);
}

void Storage::CutBack(const PrinterState& state) {
  if (mfd_.size() > state.mfdLength) mfd_.Truncate(state.mfdLength);
  if (tape_.size() > state.tapeLength) tape_.Truncate(state.tapeLength);
}

bool Storage::ReadDocuments(int64_t length, std::vector<MfdDocument>* docs,
                            std::string* error) const {
  auto file = platform::ReadFile(folder_ + kMfdName);
  std::string_view bytes = file ? std::string_view(*file) : std::string_view();
  if (static_cast<int64_t>(bytes.size()) > length) bytes = bytes.substr(0, length);
  size_t offset = 0;
  std::string_view payload;
  size_t next = 0;
  while (static_cast<int64_t>(offset) < length) {
    bool whole = InspectFramedRecord(bytes, offset, &payload, &next) == RecordRead::kWhole;
    MfdDocument doc;
    if (!whole || !DecodeMfdDocument(payload, &doc)) {
      return Damaged(error, kMfdName, static_cast<int64_t>(offset), "documento danificado");
    }
    docs->push_back(std::move(doc));
    offset = next;
  }
  return true;
}

}  // namespace Tov00300::sim
