// The operating-system seam: dynamic libraries, the registry store, the host
// folder, and file and folder operations. Everything the package and the
// virtual printer need from the OS goes through here; nothing else includes
// OS headers. Paths may use the backslash separator of the system's own
// Windows-style names: every function here maps it to the platform's.
//
// Private to the project's own libraries and programs: it is never installed,
// and each library that links the seam keeps its own hidden copy. What they
// must agree on (folders, the registry file) lives in the process
// environment and in files, never in the seam's memory.
#ifndef TOV00300_PLATFORM_H_
#define TOV00300_PLATFORM_H_

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace Tov00300::platform {

// ---- paths ------------------------------------------------------------------

// The one place where Windows-style backslashes become the platform separator.
std::string NativePath(std::string_view path);

// Folder of the host executable, with no trailing separator:
// $TOV_HOST_DIR when set, else the folder of the running executable.
std::string HostFolder();

// The drive root the host runs from, with a trailing separator:
// $TOV_DRIVE_ROOT when set, else "/".
std::string DriveRoot();

// The short (8.3) form of a path; on Linux the path itself.
std::string ShortPath(std::string_view path);

// Joins a folder and a name with exactly one separator between them.
std::string JoinPath(std::string_view folder, std::string_view name);

// ---- files and folders ------------------------------------------------------

bool FileExists(std::string_view path);
bool FolderExists(std::string_view path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateFolder(std::string_view path);
// Appends bytes to the file, creating it; throws std::runtime_error naming the
// path when it cannot be opened or written.
void AppendToFile(std::string_view path, std::string_view bytes);
// Appends one entry to a log file, as AppendToFile does, in one write, but
// keeps the file open for the next entry. A log moved, deleted or replaced
// meanwhile is created again under its name, at the latest for the first
// entry a millisecond after the change. Throws like AppendToFile; a failed
// write closes the file.
void AppendToLog(std::string_view path, std::string_view bytes);
// Closes the file AppendToLog keeps open (the next entry opens it again).
void CloseLog();
// Reads a whole file; nullopt when it cannot be opened.
std::optional<std::string> ReadFile(std::string_view path);
// Copies, replacing the target only once the copy is complete and flushed
// (a failure leaves the target as it was). True on success.
bool CopyFileReplace(std::string_view from, std::string_view to);
// Renames; fails (false) when the source is missing or the target exists.
bool RenameFile(std::string_view from, std::string_view to);
// Renames over the target when it exists, in one step: the target name holds
// either file, never neither. False when the source is missing.
bool RenameFileReplacing(std::string_view from, std::string_view to);
bool DeleteFile(std::string_view path);
// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target, so a crash leaves either the old or the new
// content, never a mix. Throws std::runtime_error naming the path on failure.
void AtomicReplaceFile(std::string_view path, std::string_view bytes);
// Flushes an open descriptor's data to the device (fsync); used by journals.
bool SyncFile(int fd);
// The file the path names, found as Windows finds it: the path itself when
// it exists, else a file of the same folder whose name differs only in the
// letter case of ASCII letters ("ATO_MFD_DATA.TXT" finds
// "ATO_MFD_DATA.txt"; the exact spelling is preferred, then the first in
// name order). When nothing matches, the path itself, so that opening it
// fails as before.
std::string ResolveFileCase(std::string_view path);

// Takes an exclusive lock on the file at `path` (created when missing) for as
// long as the returned descriptor stays open, without waiting: -1 when
// another process holds it or the file cannot be opened. One process, one
// holder: the lock belongs to the open file, not to a thread.
int TryLockFile(std::string_view path);
// Releases a lock taken with TryLockFile.
void UnlockFile(int fd);

// ---- registry store ---------------------------------------------------------
// The local-machine registry root, kept as an INI file: $TOV_REGISTRY when
// set, else registry.ini in the host folder. Sections are key paths
// ("[Software\DARUMA\ECF]"), entries are "name=value". The file is read and
// written on every call, so two libraries in one process agree.

// The file that holds it.
std::string RegistryFile();
// Opens (creating when `create`) the key; false when absent and not created.
bool RegistryOpenKey(std::string_view key, bool create);
// The value, or nullopt when the key or the value is absent.
std::optional<std::string> RegistryReadString(std::string_view key, std::string_view name);
// Writes the value, creating the key. Throws std::runtime_error on a file error.
void RegistryWriteString(std::string_view key, std::string_view name, std::string_view value);

// ---- process settings -------------------------------------------------------
// The settings that have an environment variable (TOV_HOST_DIR, ...) are read
// from the process environment on every use, by every library of the process
// (each keeps its own copy of this seam). A host that sets one by a call
// changes the variable, so all of them agree.

// The variable's value, "" when unset.
std::string ProcessVariable(std::string_view name);
// Sets the variable; an empty value removes it.
void SetProcessVariable(std::string_view name, std::string_view value);

// ---- dynamic libraries ------------------------------------------------------

using LibraryHandle = void*;
// Loads the library; nullptr when it cannot be loaded.
LibraryHandle LoadLibrary(std::string_view path);
// The address of the exported symbol, or nullptr.
void* FindSymbol(LibraryHandle library, std::string_view name);
// The text of the last load or lookup failure, for messages and logs.
std::string LastLibraryError();
// Path of the shared object that contains `address`, as it was loaded; "" when
// no loaded object contains it.
std::string PathOfLoadedObject(const void* address);
// Folder of the shared object that contains `address` (for $ORIGIN lookups).
std::string FolderOfLoadedObject(const void* address);

// A library loaded at run time (the driver library, the signer): the file
// the process variable `variable` names when it is set (a setting of the C
// interface sets it too), else `fileName` in `folder`, the package's own
// folder, as the DLLs sit beside the host's packages.
std::string LibraryPath(std::string_view variable, std::string_view folder,
                        std::string_view fileName);
// Loads the library at `path` unless `library` already holds one (a loaded
// library stays loaded: the handle is left in `library`), then looks up
// `names` in order into `addresses` (as many). True when every name is
// found; otherwise every address is null and `error` says what failed,
// naming the file or the missing symbol: "cannot load library PATH: REASON"
// or "PATH lacks NAME".
bool BindLibrary(std::string_view path, LibraryHandle& library, std::span<const char* const> names,
                 std::span<void*> addresses, std::string& error);

}  // namespace Tov00300::platform

#endif  // TOV00300_PLATFORM_H_
