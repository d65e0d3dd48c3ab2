// The signed file on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "file.h"

namespace signer {
namespace {

Stamp FromStat(const struct stat& info) {
  Stamp stamp;
  stamp.device = static_cast<uint64_t>(info.st_dev);
  stamp.inode = static_cast<uint64_t>(info.st_ino);
  stamp.size = info.st_size;
  stamp.modified = info.st_mtim.tv_sec * int64_t{1'000'000'000} + info.st_mtim.tv_nsec;
  stamp.changed = info.st_ctim.tv_sec * int64_t{1'000'000'000} + info.st_ctim.tv_nsec;
  return stamp;
}

class PosixFile : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { ::close(fd_); }

  bool StampOf(Stamp* stamp) override {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) return false;
    *stamp = FromStat(info);
    return true;
  }

  int64_t ReadAt(int64_t offset, char* buffer, size_t length) override {
    for (;;) {
      ssize_t n = ::pread(fd_, buffer, length, offset);
      if (n >= 0) return n;
      if (errno != EINTR) return -1;
    }
  }

  bool AppendAll(int64_t size, std::string_view bytes) override {
    int64_t offset = size;
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
      ssize_t n = ::pwrite(fd_, data, left, offset);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return CutBack(size);
      data += n;
      offset += n;
      left -= static_cast<size_t>(n);
    }
    // A record that is not on the device is not handed out as written.
    if (::fsync(fd_) != 0) return CutBack(size);
    return true;
  }

 private:
  bool CutBack(int64_t size) {
    if (::ftruncate(fd_, size) == 0) ::fsync(fd_);
    return false;
  }

  int fd_;
};

}  // namespace

bool File::StampAt(const char* path, Stamp* stamp) {
  struct stat info {};
  if (::stat(path, &info) != 0) return false;
  *stamp = FromStat(info);
  return true;
}

std::unique_ptr<File> File::Open(const char* path, bool forWriting) {
  // O_NONBLOCK: a FIFO or device given as the path must not hang the till.
  int fd = ::open(path, (forWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  // The whole file is read once, front to back.
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  return std::make_unique<PosixFile>(fd);
}

}  // namespace signer
