// Byte-level encoding of the fiscal memory's records: little-endian integers,
// length-prefixed texts, and the CRC-32 that guards every stored record.
#ifndef TOV00300_SIM_CODEC_H_
#define TOV00300_SIM_CODEC_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace Tov00300::sim {

uint32_t Crc32(std::string_view bytes);

class ByteWriter {
 public:
  void U8(uint8_t v) { out_ += static_cast<char>(v); }
  void U32(uint32_t v);
  void I64(int64_t v);
  void Text(std::string_view v);
  std::string& bytes() { return out_; }
  void Clear() { out_.clear(); }

 private:
  std::string out_;
};

// Reads what ByteWriter wrote. A read past the end sets failed() and yields
// zeros, so a decoder checks once at the end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : in_(bytes) {}
  uint8_t U8();
  uint32_t U32();
  int64_t I64();
  std::string Text();
  bool failed() const { return failed_; }
  bool AtEnd() const { return pos_ == in_.size(); }
  // Reads a count of elements of at least `minBytes` bytes each; a count the
  // remaining bytes cannot hold marks the reader failed and gives 0.
  uint32_t Count(size_t minBytes);

 private:
  bool Need(size_t n);
  std::string_view in_;
  size_t pos_ = 0;
  bool failed_ = false;
};

// A stored record: length (4 bytes), CRC-32 of the payload (4 bytes), payload.
std::string FrameRecord(std::string_view payload);
// Reads the record at `offset`; false when the bytes there are not a whole,
// intact record (a torn or corrupt tail). On success `next` is the offset
// after it.
bool ReadFramedRecord(std::string_view file, size_t offset, std::string_view* payload,
                      size_t* next);

// What lies at `offset`: nothing (the end), a whole intact record, a record
// cut short (the file ends before its length says: what a process killed
// while appending leaves), or a damaged one (its whole length is there but
// the checksum or the length field is wrong).
enum class RecordRead { kEnd, kWhole, kTorn, kDamaged };
RecordRead InspectFramedRecord(std::string_view file, size_t offset, std::string_view* payload,
                               size_t* next);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_CODEC_H_
