// File and folder operations on POSIX systems. Every path goes through
// NativePath first, so callers may pass the system's backslash paths.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>

#include "tov00300/platform.h"

namespace Tov00300::platform {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error) {
  throw std::runtime_error(what + " " + path + ": " + std::strerror(error));
}

// Writes all bytes, retrying short writes and interruptions; errno is kept on
// failure.
bool WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// What stopped a replacement: the step (nullptr when none did) and errno.
struct ReplaceFailure {
  const char* what = nullptr;
  int error = 0;
};

// The one way a file's content is replaced: `fill` writes the new content
// into a temporary file of a unique name in the target's folder (so the
// rename stays within one file system and two writers never share it); the
// file gets `mode`, is flushed to the device and renamed over the target,
// and the folder is flushed so the rename itself survives a crash. A crash
// or a failure at any step leaves the old content under the target's name,
// never a mix, and no temporary file behind. `fill` answers false on a write
// failure, with errno set.
template <typename Fill>
ReplaceFailure ReplaceThroughTemporary(const std::string& target, mode_t mode, Fill fill) {
  std::string temp = target + ".tmpXXXXXX";
  int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return {"cannot create a temporary file for", errno};
  // mkostemp creates the file 0600.
  ::fchmod(fd, mode);
  ReplaceFailure failure;
  if (!fill(fd) || ::fsync(fd) != 0) failure = {"cannot write", errno};
  if (::close(fd) != 0 && failure.what == nullptr) failure = {"cannot write", errno};
  if (failure.what == nullptr && ::rename(temp.c_str(), target.c_str()) != 0) {
    failure = {"cannot replace", errno};
  }
  if (failure.what != nullptr) {
    ::unlink(temp.c_str());
    return failure;
  }
  int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return failure;
}

// Opens the file for appending, creating it; throws naming the path.
int OpenForAppending(const std::string& native) {
  const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) Fail("cannot open", native, errno);
  return fd;
}

// The log file AppendToLog keeps open: the name it was asked for, the
// descriptor and the file it opened, and when the name was last looked up.
struct OpenLog {
  std::mutex mutex;
  std::string path;
  int fd = -1;
  dev_t device = 0;
  ino_t inode = 0;
  std::chrono::steady_clock::time_point lookedUp;
};

// Never destroyed: an entry logged while the process exits still finds it.
OpenLog& TheLog() {
  static OpenLog* log = new OpenLog;
  return *log;
}

void Forget(OpenLog& log) {
  if (log.fd >= 0) ::close(log.fd);
  log.fd = -1;
  log.path.clear();
}

// True when the name still leads to the open file: it was not moved,
// deleted or replaced since it was opened.
bool StillNamed(const OpenLog& log) {
  struct stat info {};
  return ::stat(NativePath(log.path).c_str(), &info) == 0 && info.st_dev == log.device &&
         info.st_ino == log.inode;
}

void OpenByName(OpenLog& log, std::string_view path) {
  Forget(log);
  const std::string native = NativePath(path);
  const int fd = OpenForAppending(native);
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    Fail("cannot open", native, error);
  }
  log.fd = fd;
  log.path = path;
  log.device = info.st_dev;
  log.inode = info.st_ino;
}

}  // namespace

bool FileExists(std::string_view path) {
  struct stat info {};
  return ::stat(NativePath(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool FolderExists(std::string_view path) {
  struct stat info {};
  return ::stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool CreateFolder(std::string_view path) {
  std::string native = NativePath(path);
  if (native.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(native, error);
  return FolderExists(native);
}

void AppendToFile(std::string_view path, std::string_view bytes) {
  std::string native = NativePath(path);
  int fd = OpenForAppending(native);
  bool written = WriteAll(fd, bytes);
  int error = errno;
  ::close(fd);
  if (!written) Fail("cannot write", native, error);
}

void AppendToLog(std::string_view path, std::string_view bytes) {
  // Opening a file costs several times the write itself, and a receipt
  // makes dozens of entries, so the file stays open; each entry is still
  // one write on an O_APPEND descriptor, in the file before this returns.
  // The name is looked up again when it changes and at most a millisecond
  // after the last look: a log moved, deleted or replaced meanwhile gets a
  // new file under its name, and no entry goes astray once that
  // millisecond has passed.
  constexpr auto kLookAgainAfter = std::chrono::milliseconds(1);
  OpenLog& log = TheLog();
  const std::lock_guard lock(log.mutex);
  const auto now = std::chrono::steady_clock::now();
  if (log.fd < 0 || path != log.path) {
    OpenByName(log, path);
    log.lookedUp = now;
  } else if (now - log.lookedUp >= kLookAgainAfter) {
    if (!StillNamed(log)) OpenByName(log, path);
    log.lookedUp = now;
  }
  if (!WriteAll(log.fd, bytes)) {
    const int error = errno;
    Forget(log);
    Fail("cannot write", NativePath(path), error);
  }
}

void CloseLog() {
  OpenLog& log = TheLog();
  const std::lock_guard lock(log.mutex);
  Forget(log);
}

std::optional<std::string> ReadFile(std::string_view path) {
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in || FolderExists(path)) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(content).str();
}

bool CopyFileReplace(std::string_view from, std::string_view to) {
  // A legal file handed to the host is never a half-made copy, and a failed
  // copy leaves the older file in place.
  int in = ::open(NativePath(from).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) return false;
  struct stat info {};
  if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(in);
    return false;
  }
  std::string piece(1 << 20, '\0');
  const ReplaceFailure failure =
      ReplaceThroughTemporary(NativePath(to), info.st_mode & 0666, [&](int out) {
        for (;;) {
          ssize_t n = ::read(in, piece.data(), piece.size());
          if (n < 0 && errno == EINTR) continue;
          if (n <= 0) return n == 0;
          if (!WriteAll(out, std::string_view(piece.data(), static_cast<size_t>(n)))) return false;
        }
      });
  ::close(in);
  return failure.what == nullptr;
}

bool RenameFile(std::string_view from, std::string_view to) {
  std::string source = NativePath(from);
  std::string target = NativePath(to);
  // The system's rename fails when the target exists (callers rely on that to
  // detect a second export in the same second); POSIX rename would replace
  // it, so ask the kernel not to.
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without RENAME_NOREPLACE: a hard link refuses an existing
  // target too.
  if (::link(source.c_str(), target.c_str()) != 0) return false;
  ::unlink(source.c_str());
  return true;
}

bool RenameFileReplacing(std::string_view from, std::string_view to) {
  return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool DeleteFile(std::string_view path) {
  return ::unlink(NativePath(path).c_str()) == 0;
}

bool SyncFile(int fd) {
  return ::fsync(fd) == 0;
}

int TryLockFile(std::string_view path) {
  int fd = ::open(NativePath(path).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

void UnlockFile(int fd) {
  if (fd < 0) return;
  ::flock(fd, LOCK_UN);
  ::close(fd);
}

void AtomicReplaceFile(std::string_view path, std::string_view bytes) {
  const std::string target = NativePath(path);
  // The target's mode, or the mode a new file gets under the umask.
  struct stat info {};
  mode_t mode;
  if (::stat(target.c_str(), &info) == 0) {
    mode = info.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const ReplaceFailure failure =
      ReplaceThroughTemporary(target, mode, [&](int fd) { return WriteAll(fd, bytes); });
  if (failure.what != nullptr) Fail(failure.what, target, failure.error);
}

}  // namespace Tov00300::platform
