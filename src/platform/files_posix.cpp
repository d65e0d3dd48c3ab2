// File and folder operations on POSIX systems. Every path goes through
// NativePath first, so callers may pass the system's backslash paths.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
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
  int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) Fail("cannot open", native, errno);
  bool written = WriteAll(fd, bytes);
  int error = errno;
  ::close(fd);
  if (!written) Fail("cannot write", native, error);
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
  // The copy goes to a temporary file beside the target and is renamed over
  // it once complete and flushed: a legal file handed to the host is never a
  // half-made copy, and a failed copy leaves the older file in place.
  const std::string source = NativePath(from);
  const std::string target = NativePath(to);
  int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (in < 0) return false;
  struct stat info {};
  if (::fstat(in, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(in);
    return false;
  }
  std::string temp = target + ".tmpXXXXXX";
  int out = ::mkostemp(temp.data(), O_CLOEXEC);
  if (out < 0) {
    ::close(in);
    return false;
  }
  ::fchmod(out, info.st_mode & 0666);
  bool copied = true;
  std::string piece(1 << 20, '\0');
  for (;;) {
    ssize_t n = ::read(in, piece.data(), piece.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) copied = false;
    if (n <= 0) break;
    if (!WriteAll(out, std::string_view(piece.data(), static_cast<size_t>(n)))) {
      copied = false;
      break;
    }
  }
  ::close(in);
  copied = copied && ::fsync(out) == 0;
  copied = ::close(out) == 0 && copied;
  if (!copied || ::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
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
  std::string target = NativePath(path);
  std::string folder = FolderOf(target);
  std::string temp = target + ".tmpXXXXXX";
  int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) Fail("cannot create a temporary file for", target, errno);

  // mkostemp creates the file 0600; give it the target's mode, or the mode a
  // new file would get under the umask.
  struct stat info {};
  mode_t mode;
  if (::stat(target.c_str(), &info) == 0) {
    mode = info.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);

  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) {
    int error = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    Fail("cannot write", target, error);
  }
  if (::close(fd) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    Fail("cannot write", target, error);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    int error = errno;
    ::unlink(temp.c_str());
    Fail("cannot replace", target, error);
  }
  // The rename is durable only once the folder entry is on disk.
  int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
}

}  // namespace Tov00300::platform
