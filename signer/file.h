// The signer's view of the file it signs: opened once, read in pieces at any
// offset, and appended to so that a failure leaves it as it was. One
// implementation per operating system (file_posix.cpp).
#ifndef SIGNER_FILE_H_
#define SIGNER_FILE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace signer {

// What tells one state of a file from another: which file it is (device
// and inode), its size and when its content and its entry last changed.
struct Stamp {
  uint64_t device = 0, inode = 0;
  int64_t size = 0, modified = 0, changed = 0;  // times in nanoseconds
  bool operator==(const Stamp&) const = default;
};

class File {
 public:
  virtual ~File() = default;
  // Opens an existing regular file (never creates one); nullptr when it
  // cannot be opened for that use.
  static std::unique_ptr<File> Open(const char* path, bool forWriting);

  // The open file's stamp; false when it cannot be read.
  virtual bool StampOf(Stamp* stamp) = 0;
  // The stamp of the file `path` names now, which need not be the one open.
  static bool StampAt(const char* path, Stamp* stamp);
  // Reads up to `length` bytes at `offset`; the count read (0 at the end),
  // -1 on a read error.
  virtual int64_t ReadAt(int64_t offset, char* buffer, size_t length) = 0;
  // Appends the bytes at offset `size` (the size the caller saw) and flushes
  // them to the device. On any failure the file is cut back to `size`, so it
  // holds either all of the bytes or none, and false is answered.
  virtual bool AppendAll(int64_t size, std::string_view bytes) = 0;
};

}  // namespace signer

#endif  // SIGNER_FILE_H_
