#include "machine.h"

#include <cstdlib>

#include "civil_time.h"
#include "text.h"
#include "tov00300/format.h"
#include "tov00300/platform.h"

namespace Tov00300::sim {
namespace {

constexpr char kRegistryKey[] = "Software\\DarumaFramework";
constexpr char kFolderValue[] = "LocalArquivos";
constexpr char kLogName[] = "sim_log.txt";
constexpr char kLockName[] = "sim_porta.lock";
// A snapshot is also taken when the journal passes this size, so that
// loading never replays more than a bounded tail.
constexpr int64_t kSnapshotJournalBytes = 16 * 1024 * 1024;
// Warning -2 starts when this few reductions remain in the fiscal memory.
constexpr int64_t kMemoryWarningMargin = 30;

Durability InitialDurability() {
  const char* value = std::getenv("TOV_SIM_DURABILITY");
  std::string text = value == nullptr ? "" : UpperCase(value);
  if (text == "OFF") return Durability::kOff;
  if (text == "SYNC") return Durability::kSync;
  return Durability::kOn;
}

}  // namespace

Machine::Machine() : state_(FreshState()) {
  storage_.set_durability(InitialDurability());
}

std::string Machine::ResolveFolder() {
  std::string folder;
  try {
    if (auto value = platform::RegistryReadString(kRegistryKey, kFolderValue)) {
      folder = Trim(*value);
    }
  } catch (const std::exception&) {
    folder.clear();
  }
  if (folder.empty()) {
    folder = platform::JoinPath(platform::DriveRoot(), "Daruma");
    // Only a folder that exists is registered: one that cannot be made (a
    // drive root the user may not write) would stay in the registry and be
    // taken again at every start after the drive root is fixed.
    if (platform::CreateFolder(folder)) {
      // Callers append file names to this value directly: it ends with a separator.
      try {
        platform::RegistryWriteString(kRegistryKey, kFolderValue,
                                      platform::NativePath(folder) + "/");
      } catch (const std::exception&) {
        // The folder still works for this process; the next start tries again.
      }
    }
  }
  folder = platform::NativePath(folder);
  unmadeFolder_ = platform::CreateFolder(folder) ? "" : folder;
  if (folder.back() != '/') folder += '/';
  return folder;
}

bool Machine::Load(bool force) {
  std::string folder = ResolveFolder();
  if (loaded_ && !force && folder == folder_) return true;
  std::string error;
  Durability durability = storage_.durability();
  storage_.Close();
  folder_ = folder;
  loaded_ = true;
  int lock = TakeFolderLock(folder);
  if (lock == -1) {
    // Another process has the port and writes these files: nothing is read
    // until this process takes the port (which loads them again).
    state_ = FreshState();
    usable_ = true;
    return false;
  }
  usable_ = storage_.Open(folder, &state_, &error);
  DropFolderLock(lock);
  storage_.set_durability(durability);
  if (!usable_) {
    state_ = FreshState();
    Log("Memória danificada, impressora bloqueada até a intervenção técnica: " + error);
  }
  return true;
}

void Machine::MarkDamaged(const std::string& reason) {
  usable_ = false;
  Log("Memória danificada, impressora bloqueada até a intervenção técnica: " + reason);
}

void Machine::Log(const std::string& utf8) const {
  if (folder_.empty()) return;
  try {
    platform::AppendToFile(folder_ + kLogName, DateTimeText(CivilNow(0)) + " - " + utf8 + "\n");
  } catch (const std::exception&) {
    // The log is for the technician; a printer that cannot write it still
    // refuses what it must.
  }
}

int Machine::TakeFolderLock(const std::string& folder) const {
  if (portLock_ >= 0 && portLockFolder_ == folder) return kPortHeld;
  return platform::TryLockFile(folder + kLockName);
}

void Machine::DropFolderLock(int lock) {
  if (lock >= 0) platform::UnlockFile(lock);
}

bool Machine::AcquirePort() {
  std::string folder = ResolveFolder();
  if (portLock_ >= 0 && portLockFolder_ == folder && folder == folder_) return true;
  ReleasePort();
  int lock = platform::TryLockFile(folder + kLockName);
  if (lock < 0) return false;
  portLock_ = lock;
  portLockFolder_ = folder;
  // Another process may have used the printer since this one last did.
  Load(true);
  return true;
}

void Machine::ReleasePort() {
  platform::UnlockFile(portLock_);
  portLock_ = -1;
  portLockFolder_.clear();
}

int Machine::Reset() {
  std::string folder = ResolveFolder();
  // The files of a printer whose port another process has are not this
  // process's to replace.
  int lock = TakeFolderLock(folder);
  if (lock == -1) return -107;
  Durability durability = storage_.durability();
  storage_.Close();
  faults_ = Faults{};
  drawerOpen = false;
  keyboardLocked = false;
  lastError_ = 0;
  lastWarning_ = 0;
  folder_ = folder;
  loaded_ = true;
  std::string error;
  PrinterState ignored;
  // Opening may find damaged files; the reset replaces them anyway.
  storage_.Open(folder, &ignored, &error);
  if (!storage_.IsOpen()) {
    for (const char* name :
         {"sim_estado.bin", "sim_diario.bin", "sim_mfd.bin", "bobina.txt", "sim_confirmado.bin"}) {
      platform::DeleteFile(folder + name);
    }
    storage_.Open(folder, &ignored, &error);
  }
  storage_.set_durability(durability);
  state_ = FreshState();
  usable_ = storage_.IsOpen() && storage_.Reset(state_);
  DropFolderLock(lock);
  return usable_ ? 1 : -1;
}

int64_t Machine::Now() const {
  return CivilNow(faults_.clockOffset + (state_.daylightSaving ? 3600 : 0));
}

bool Machine::ZPending() const {
  return state_.movementDay >= 0 && DayOf(Now()) > state_.movementDay;
}

std::optional<Outcome> Machine::CheckUsable() const {
  if (!usable_) return Refuse(kErrDamaged);
  return std::nullopt;
}

std::optional<Outcome> Machine::CheckCanOpenDocument() const {
  if (auto refusal = CheckUsable()) return refusal;
  if (state_.open.kind != DocKind::kNone) return Refuse(kErrDocumentOpen);
  if (faults_.paperOut) return Refuse(kErrPaperOut);
  if (ZPending()) return Refuse(kErrZPending);
  if (static_cast<int64_t>(state_.reductions.size()) >= faults_.memoryCapacity) {
    return Refuse(kErrMemoryFull);
  }
  return std::nullopt;
}

Outcome Machine::Accept(Event event) {
  if (auto refusal = CheckUsable()) return *refusal;
  if (event.time == 0) event.time = Now();
  int64_t mfdBefore = state_.mfdLength;
  int64_t tapeBefore = state_.tapeLength;
  Apply(state_, event);
  bool written = true;
  if (FinishesDocument(event.type)) {
    MfdDocument doc = RenderDocument(state_, event);
    std::string tape = Cp1252ToUtf8(doc.text);
    tape += "\n";
    written = storage_.AppendDocument(doc, tape, &event.mfdEnd, &event.tapeEnd);
    if (written) {
      state_.mfdLength = event.mfdEnd;
      state_.tapeLength = event.tapeEnd;
    }
  }
  uint64_t sequence = state_.sequence + 1;
  written = written && storage_.Commit(sequence, event);
  if (!written) {
    // Undo: the files hold the state before this command.
    state_.mfdLength = mfdBefore;
    state_.tapeLength = tapeBefore;
    storage_.CutBack(state_);
    Load(true);
    return Refuse(kErrStorage);
  }
  state_.sequence = sequence;
  if (event.type == EventType::kZReduction || storage_.journalSize() > kSnapshotJournalBytes) {
    storage_.WriteSnapshot(state_);
  }
  return Ok();
}

void Machine::SetLastStatus(int error, std::string_view name) {
  lastError_ = error;
  if (!HoldsPort()) {
    // No printer answered: it has nothing to warn of.
    lastWarning_ = kWarnNone;
    return;
  }
  int64_t left = faults_.memoryCapacity - static_cast<int64_t>(state_.reductions.size());
  if (ZPending()) {
    lastWarning_ = kWarnZPending;
  } else if (left <= kMemoryWarningMargin) {
    lastWarning_ = kWarnMemoryNearlyFull;
  } else if (faults_.paperLow) {
    lastWarning_ = kWarnPaperLow;
  } else {
    lastWarning_ = kWarnNone;
  }
  if (faults_.statusPending && (faults_.statusTarget.empty() || faults_.statusTarget == name)) {
    if (faults_.statusSkip > 0) {
      --faults_.statusSkip;  // a call of the target before the aimed one
    } else {
      lastError_ = faults_.statusError;
      lastWarning_ = faults_.statusWarning;
      faults_.statusPending = false;
    }
  }
}

}  // namespace Tov00300::sim
