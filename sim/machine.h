// The virtual printer: its fiscal state and files, the printer clock, the
// fault-injection settings, and the pipeline every accepted command goes
// through (apply, print, journal). One instance per process (see entry_points).
#ifndef TOV00300_SIM_MACHINE_H_
#define TOV00300_SIM_MACHINE_H_

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "event.h"
#include "messages.h"
#include "state.h"
#include "storage.h"

namespace Tov00300::sim {

// What a command answers: the entry point's return code and the error code
// that the last-command status will report.
struct Outcome {
  int code = 1;
  int error = kErrNone;
};
inline Outcome Ok() {
  return {1, kErrNone};
}
inline Outcome Refuse(int error, int code = -1) {
  return {code, error};
}

// Settings that belong to the desk, not to the fiscal memory: they are not
// persisted and `reset` restores them.
struct Faults {
  struct Failure {
    int code = 0;
    int remaining = 1;  // -1: always
    int skip = 0;       // calls answered normally before the failures start
  };
  bool powerOff = false;
  bool portBusy = false;
  bool paperLow = false;
  bool paperOut = false;
  int64_t clockOffset = 0;  // seconds
  int64_t lineBaud = 0;     // 0: no line delay
  std::map<std::string, Failure> failures;
  // Commands that take effect but whose reply is lost on the line: the call
  // answers -28 (timeout), as the driver does when no reply comes.
  std::map<std::string, Failure> lostReplies;
  bool statusPending = false;
  int statusError = 0;
  int statusWarning = 0;
  // The entry point whose next call the pending status waits for; empty: the
  // next command, whichever it is.
  std::string statusTarget;
  int statusSkip = 0;             // calls of the target that keep their own status first
  int64_t memoryCapacity = 1825;  // Z reductions the fiscal memory holds
  // "kill N [acted]": entry-point calls left until the process is killed
  // (0: none), and whether the last of them acts before the kill.
  int killCountdown = 0;
  bool killAfterActing = false;
};

class Machine {
 public:
  Machine();

  // Finds the driver folder (registry value LocalArquivos, else "Daruma"
  // under the drive root, created and registered) and loads the state when
  // the folder differs from the loaded one, or always with `force`. The
  // files are read only under the folder's lock (the port this process
  // holds, or the lock taken for the moment when no process has the port):
  // while another process has the port, loading would cut a record it is
  // writing, so the state stays a fresh printer's until the port is taken
  // (and the answer is false).
  bool Load(bool force);
  void EnsureLoaded() {
    if (!loaded_) Load(false);
  }
  // A fresh printer in the current folder: empty fiscal memory, defaults,
  // desk settings back to normal. 1 when done, -1 when the files could not
  // be written, -107 (and nothing changed) while another process has the
  // port.
  int Reset();

  // The printer clock: the computer's wall clock plus the offset, plus an
  // hour while daylight saving is on.
  int64_t Now() const;
  bool ZPending() const;
  // Refusal of a new document for the printer's condition, or nullopt.
  std::optional<Outcome> CheckCanOpenDocument() const;
  std::optional<Outcome> CheckUsable() const;

  // Accepts a validated event: applies it, prints and stores its document
  // when it finishes one, journals it. On a write failure everything is
  // reloaded from the files as it was before and the command is refused.
  Outcome Accept(Event event);

  // The fiscal memory cannot be trusted: every command is refused with error
  // 28 until `reset`; the reason (file and offset) goes to the printer's log.
  void MarkDamaged(const std::string& reason);
  // Writes a line to the printer's own log (sim_log.txt in its folder).
  void Log(const std::string& utf8) const;

  // One printer, one user: the port opening takes an OS lock on the driver
  // folder (looked up again) for as long as this process keeps the port
  // open, and reloads the state another process may have changed meanwhile.
  // False while another process holds it (the port is busy).
  bool AcquirePort();
  void ReleasePort();
  // The printer answers only the process that holds its port: a process that
  // never opened it, closed it, or found it busy gets no answer.
  bool HoldsPort() const { return portLock_ >= 0 && portLockFolder_ == folder_; }

  // Status of the last command (error and warning codes); `name` is the
  // entry point that ran it.
  void SetLastStatus(int error, std::string_view name);
  int lastError() const { return lastError_; }
  int lastWarning() const { return lastWarning_; }

  PrinterState& state() { return state_; }
  const PrinterState& state() const { return state_; }
  Storage& storage() { return storage_; }
  const Storage& storage() const { return storage_; }
  Faults& faults() { return faults_; }
  const std::string& folder() const { return folder_; }
  // The driver folder that could not be made at the last lookup ("" when it exists).
  const std::string& unmadeFolder() const { return unmadeFolder_; }

  // Reply bytes of the current call, for the modelled line delay.
  size_t replyBytes = 0;
  bool drawerOpen = false;
  bool keyboardLocked = false;
  std::string port = "COM1";
  std::string speed = "115200";

 private:
  std::string ResolveFolder();
  // The folder's lock for a moment: kPortHeld when this process holds the
  // port there, a lock to give back with DropFolderLock, or -1 while another
  // process has the port.
  static constexpr int kPortHeld = -2;
  int TakeFolderLock(const std::string& folder) const;
  static void DropFolderLock(int lock);
  PrinterState state_;
  Storage storage_;
  Faults faults_;
  std::string folder_;
  std::string unmadeFolder_;
  bool loaded_ = false;
  bool usable_ = false;
  int portLock_ = -1;
  std::string portLockFolder_;
  int lastError_ = 0;
  int lastWarning_ = 0;
};

// Lays out a finished document as printed (render_*.cpp).
MfdDocument RenderDocument(const PrinterState& state, const Event& event);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_MACHINE_H_
