#include "codec.h"

#include <array>

namespace Tov00300::sim {
namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

// Records larger than this are taken as corruption of the length field.
constexpr uint32_t kMaxRecord = 64u * 1024u * 1024u;

uint32_t LoadU32(std::string_view bytes, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

}  // namespace

uint32_t Crc32(std::string_view bytes) {
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

void ByteWriter::U32(uint32_t v) {
  for (int i = 0; i < 4; ++i) out_ += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void ByteWriter::I64(int64_t v) {
  uint64_t u = static_cast<uint64_t>(v);
  for (int i = 0; i < 8; ++i) out_ += static_cast<char>((u >> (8 * i)) & 0xFF);
}

void ByteWriter::Text(std::string_view v) {
  U32(static_cast<uint32_t>(v.size()));
  out_.append(v);
}

bool ByteReader::Need(size_t n) {
  if (failed_ || in_.size() - pos_ < n) {
    failed_ = true;
    return false;
  }
  return true;
}

uint8_t ByteReader::U8() {
  return Need(1) ? static_cast<uint8_t>(in_[pos_++]) : 0;
}

uint32_t ByteReader::U32() {
  if (!Need(4)) return 0;
  uint32_t v = LoadU32(in_, pos_);
  pos_ += 4;
  return v;
}

int64_t ByteReader::I64() {
  if (!Need(8)) return 0;
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in_[pos_ + i]);
  pos_ += 8;
  return static_cast<int64_t>(v);
}

uint32_t ByteReader::Count(size_t minBytes) {
  uint32_t n = U32();
  if (failed_ || static_cast<uint64_t>(n) * minBytes > in_.size() - pos_) {
    failed_ = true;
    return 0;
  }
  return n;
}

std::string ByteReader::Text() {
  uint32_t n = U32();
  if (!Need(n)) return {};
  std::string v(in_.substr(pos_, n));
  pos_ += n;
  return v;
}

std::string FrameRecord(std::string_view payload) {
  ByteWriter w;
  w.U32(static_cast<uint32_t>(payload.size()));
  w.U32(Crc32(payload));
  w.bytes().append(payload);
  return std::move(w.bytes());
}

bool ReadFramedRecord(std::string_view file, size_t offset, std::string_view* payload,
                      size_t* next) {
  if (file.size() < offset || file.size() - offset < 8) return false;
  uint32_t length = LoadU32(file, offset);
  uint32_t crc = LoadU32(file, offset + 4);
  if (length > kMaxRecord || file.size() - offset - 8 < length) return false;
  std::string_view body = file.substr(offset + 8, length);
  if (Crc32(body) != crc) return false;
  *payload = body;
  *next = offset + 8 + length;
  return true;
}

RecordRead InspectFramedRecord(std::string_view file, size_t offset, std::string_view* payload,
                               size_t* next) {
  if (file.size() <= offset) return RecordRead::kEnd;
  if (file.size() - offset < 8) return RecordRead::kTorn;
  uint32_t length = LoadU32(file, offset);
  // A killed append leaves a prefix of the record, so a whole header with an
  // impossible length is damage, not a tear.
  if (length > kMaxRecord) return RecordRead::kDamaged;
  if (file.size() - offset - 8 < length) return RecordRead::kTorn;
  return ReadFramedRecord(file, offset, payload, next) ? RecordRead::kWhole : RecordRead::kDamaged;
}

}  // namespace Tov00300::sim
