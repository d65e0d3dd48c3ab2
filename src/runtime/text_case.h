// Letter case of Windows-1252 bytes, shared by the text helpers and the
// data set's case-insensitive comparisons.
#ifndef TOV00300_RUNTIME_TEXT_CASE_H_
#define TOV00300_RUNTIME_TEXT_CASE_H_

namespace Tov00300 {

// Windows-1252 case pairs beyond ASCII: the Latin-1 letters (except the
// multiplication and division signs) and the three pairs in 0x80-0x9F.
inline unsigned char UpperByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
  switch (c) {
    case 0x9A:
      return 0x8A;  // s caron
    case 0x9C:
      return 0x8C;  // oe
    case 0x9E:
      return 0x8E;  // z caron
    case 0xFF:
      return 0x9F;  // y diaeresis
    default:
      return c;
  }
}

inline unsigned char LowerByte(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A:
      return 0x9A;
    case 0x8C:
      return 0x9C;
    case 0x8E:
      return 0x9E;
    case 0x9F:
      return 0xFF;
    default:
      return c;
  }
}

}  // namespace Tov00300

#endif  // TOV00300_RUNTIME_TEXT_CASE_H_
