#include "storage.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "codec.h"
#include "tov00300/platform.h"

namespace Tov00300::sim {
namespace {

constexpr char kSnapshotName[] = "sim_estado.bin";
constexpr char kJournalName[] = "sim_diario.bin";
constexpr char kMfdName[] = "sim_mfd.bin";
constexpr char kTapeName[] = "bobina.txt";
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

std::string EncodeMfdDocument(const MfdDocument& doc) {
  ByteWriter w;
  w.I64(doc.coo);
  w.U8(static_cast<uint8_t>(doc.kind));
  w.I64(doc.time);
  w.Text(doc.text);
  return FrameRecord(w.bytes());
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
  int64_t tapeSize = std::max<int64_t>(FileSize(folder + kTapeName), 0);
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
  return true;
}

bool Storage::OpenFiles() {
  return journal_.Open(folder_ + kJournalName) && mfd_.Open(folder_ + kMfdName) &&
         tape_.Open(folder_ + kTapeName);
}

void Storage::Close() {
  journal_.Close();
  mfd_.Close();
  tape_.Close();
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
  return !flush || journal_.Sync();
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
    ByteReader r(whole ? payload : std::string_view());
    MfdDocument doc;
    doc.coo = r.I64();
    doc.kind = static_cast<DocKind>(r.U8());
    doc.time = r.I64();
    doc.text = r.Text();
    if (!whole || r.failed()) {
      return Damaged(error, kMfdName, static_cast<int64_t>(offset), "documento danificado");
    }
    docs->push_back(std::move(doc));
    offset = next;
  }
  return true;
}

}  // namespace Tov00300::sim
