// Letter case of Windows-1252 bytes, shared by the text helpers and the
// data set's case-insensitive comparisons.
#ifndef TOV00300_RUNTIME_TEXT_CASE_H_
#define TOV00300_RUNTIME_TEXT_CASE_H_

#include <cstddef>
#include <string_view>

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

// SameText's comparison, inline for the runtime's own lookups: every
// operation reads a dozen keys from a parameter bag, and a data set's row is
// filled field name by field name. Texts of different lengths differ at once,
// and most callers spell a name as it was written.
inline bool SameTextInline(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerByte(static_cast<unsigned char>(a[i])) !=
        LowerByte(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace Tov00300

#endif  // TOV00300_RUNTIME_TEXT_CASE_H_
