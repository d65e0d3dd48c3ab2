// The printer's files in the driver folder:
//   sim_estado.bin   snapshot of the whole state, replaced atomically at each
//                    Z reduction, at reset and when the journal grows large;
//   sim_diario.bin   append-only journal of accepted commands since the
//                    snapshot, one checksummed record each;
//   sim_mfd.bin      detail memory: one checksummed record per document;
//   bobina.txt       the paper tape, UTF-8: every document of the detail
//                    memory as printed, in order;
//   sim_confirmado.bin
//                    the commit record: the sequence number of the last
//                    journal record the printer has vouched for, rewritten
//                    in place after each one (see Storage::Commit).
// A command's journal record is written before the command returns, so a
// process killed at any moment reloads the state of the last completed
// command; a torn record at the end of any file is detected and cut off.
#ifndef TOV00300_SIM_STORAGE_H_
#define TOV00300_SIM_STORAGE_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "event.h"
#include "state.h"

namespace Tov00300::sim {

// How far a command's record goes before the command returns.
//  kOff:  written to the operating system only (survives a killed process);
//  kOn:   as kOff, and flushed to the device for every record that opens,
//         finishes or cancels a document, a reduction or a configuration
//         change (survives a power loss; only the last items of a receipt
//         still open can be lost to one);
//  kSync: every record flushed to the device.
enum class Durability { kOff, kOn, kSync };

// One document of the detail memory.
struct MfdDocument {
  int64_t coo = 0;
  DocKind kind = DocKind::kNone;
  int64_t time = 0;  // civil seconds
  std::string text;  // as printed, Windows-1252, lines separated by line feeds
};

class AppendFile {
 public:
  AppendFile() = default;
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;
  ~AppendFile() { Close(); }
  bool Open(const std::string& path);
  void Close();
  bool Append(std::string_view bytes);
  bool Sync();
  bool Truncate(int64_t size);
  int64_t size() const { return size_; }

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  int64_t size_ = 0;
};

// The commit record file: one framed record rewritten in place.
class CommitFile {
 public:
  CommitFile() = default;
  CommitFile(const CommitFile&) = delete;
  CommitFile& operator=(const CommitFile&) = delete;
  ~CommitFile() { Close(); }
  bool Open(const std::string& path);
  void Close();
  bool Write(uint64_t sequence);
  // Empties the file: no record vouched for.
  bool Clear();

 private:
  std::FILE* file_ = nullptr;
};

class Storage {
 public:
  // Loads the state from `folder` (which ends with a separator): snapshot,
  // then the journal records after it; cuts a record torn at the end of a
  // file. A folder without files gives a fresh printer. False with the file
  // and offset in `error` for any other damage (a damaged snapshot, a bad
  // record with its whole length, missing journal records, a detail memory
  // or tape that disagrees with the committed records): the fiscal memory is
  // then not guessed at.
  bool Open(const std::string& folder, PrinterState* state, std::string* error);
  void Close();
  bool IsOpen() const { return !folder_.empty(); }
  const std::string& folder() const { return folder_; }

  // Appends a finished document to the detail memory and its print to the
  // tape; gives the files' new lengths for the event that records them.
  bool AppendDocument(const MfdDocument& doc, const std::string& tapeUtf8, int64_t* mfdEnd,
                      int64_t* tapeEnd);
  // Appends the event's journal record. A record that the durability level
  // flushes to the device (every one that opens, finishes or cancels a
  // document, a reading or a configuration change; every one at `sync`) is
  // then named in the commit record, so a journal later found to end before
  // it was cut, not torn by a kill.
  bool Commit(uint64_t sequence, const Event& event);
  // Replaces the snapshot by `state` and empties the journal.
  bool WriteSnapshot(const PrinterState& state);
  // Removes every file of the printer and writes `fresh` as the snapshot.
  bool Reset(const PrinterState& fresh);
  // Cuts the detail memory and the tape back to the committed lengths (after
  // a failed commit).
  void CutBack(const PrinterState& state);

  int64_t journalSize() const { return journal_.size(); }
  void set_durability(Durability d) { durability_ = d; }
  Durability durability() const { return durability_; }

  // Reads every document of the detail memory up to `length` bytes (the
  // committed length). False, naming the file and offset in `error`, when
  // they do not read back whole: a report must not leave documents out.
  bool ReadDocuments(int64_t length, std::vector<MfdDocument>* docs, std::string* error) const;
  std::string PathOf(const char* name) const { return folder_ + name; }

 private:
  bool OpenFiles();
  static bool CheckDetailMemory(const std::string& folder, const PrinterState& loaded,
                                bool hadSnapshot, std::string* error);
  std::string folder_;
  AppendFile journal_, mfd_, tape_;
  CommitFile commit_;
  Durability durability_ = Durability::kOn;
};

std::string EncodeMfdDocument(const MfdDocument& doc);
// Reads a detail-memory record's payload; false when it does not decode whole.
bool DecodeMfdDocument(std::string_view payload, MfdDocument* doc);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_STORAGE_H_
