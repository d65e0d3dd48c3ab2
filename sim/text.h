// Text helpers of the virtual printer: padding and line wrapping for the
// 48-column paper. Trimming and Windows-1252 (conversion to UTF-8, letter
// case) are the runtime's (tov00300/format.h), as the package's are.
#ifndef TOV00300_SIM_TEXT_H_
#define TOV00300_SIM_TEXT_H_

#include <string>
#include <string_view>
#include <vector>

#include "tov00300/format.h"

namespace Tov00300::sim {

std::string PadRight(std::string_view text, size_t width);
std::string PadLeft(std::string_view text, size_t width);
std::string Center(std::string_view text, size_t width);
// Left text and right text on one line of `width` columns; the left text is
// cut when both do not fit.
std::string Columns(std::string_view left, std::string_view right, size_t width);

// Splits at line feeds (a carriage return before one is dropped) and wraps
// every line at `width` columns. An empty text gives no lines.
std::vector<std::string> WrapLines(std::string_view text, size_t width);

// A field printed on one line of its own: control characters (line feeds,
// carriage returns, tabs, ...) become blanks, so the field cannot start a
// line that looks like another part of the document.
std::string OneLine(std::string_view text);

// Keeps only the digits.
std::string DigitsOnly(std::string_view text);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_TEXT_H_
