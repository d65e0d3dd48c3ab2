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

class File {
 public:
  virtual ~File() = default;
  // Opens an existing regular file (never creates one); nullptr when it
  // cannot be opened for that use.
  static std::unique_ptr<File> Open(const char* path, bool forWriting);

  // The current size, or -1 when it cannot be read.
  virtual int64_t Size() = 0;
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
