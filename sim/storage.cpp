#include "storage.h"

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
  if (auto snapshot = platform::ReadFile(folder + kSnapshotName)) {
    std::string_view bytes(*snapshot);
    std::string_view payload;
    size_t next = 0;
    if (bytes.substr(0, kSnapshotMagic.size()) != kSnapshotMagic ||
        !ReadFramedRecord(bytes, kSnapshotMagic.size(), &payload, &next) ||
        !DecodeState(payload, &loaded)) {
      *error = "damaged snapshot " + folder + kSnapshotName;
      return false;
    }
  }
  std::string journalPath = folder + kJournalName;
  if (auto journal = platform::ReadFile(journalPath)) {
    std::string_view bytes(*journal);
    size_t offset = 0;
    std::string_view payload;
    size_t next = 0;
    while (ReadFramedRecord(bytes, offset, &payload, &next)) {
      uint64_t sequence = 0;
      Event event;
      if (!DecodeEvent(payload, &sequence, &event)) break;
      // Records up to the snapshot's sequence are already in it (a crash
      // between the snapshot and emptying the journal leaves them).
      if (sequence > loaded.sequence) {
        Apply(loaded, event);
        loaded.sequence = sequence;
      }
      offset = next;
    }
    // A torn or corrupt tail is dropped, so new records follow good ones.
    CutFile(journalPath, static_cast<int64_t>(offset));
  }
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

std::vector<MfdDocument> Storage::ReadDocuments(int64_t length) const {
  std::vector<MfdDocument> docs;
  auto file = platform::ReadFile(folder_ + kMfdName);
  if (!file) return docs;
  std::string_view bytes(*file);
  if (static_cast<int64_t>(bytes.size()) > length) bytes = bytes.substr(0, length);
  size_t offset = 0;
  std::string_view payload;
  size_t next = 0;
  while (ReadFramedRecord(bytes, offset, &payload, &next)) {
    ByteReader r(payload);
    MfdDocument doc;
    doc.coo = r.I64();
    doc.kind = static_cast<DocKind>(r.U8());
    doc.time = r.I64();
    doc.text = r.Text();
    if (r.failed()) break;
    docs.push_back(std::move(doc));
    offset = next;
  }
  return docs;
}

}  // namespace Tov00300::sim
