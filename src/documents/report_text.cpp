#include "documents/report_text.h"

#include <algorithm>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "tov00300/cp1252.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300::documents {

std::vector<std::string_view> TextPieces(std::string_view text, BlankRest blankRest) {
  std::vector<std::string_view> pieces;
  while (blankRest == BlankRest::Keep ? !text.empty() : !hostlib::EmptyString(text)) {
    const size_t size = std::min(text.size(), kMaxTextPiece);
    pieces.push_back(text.substr(0, size));
    text.remove_prefix(size);
  }
  return pieces;
}

std::vector<std::string_view> LineGroups(std::string_view text) {
  std::vector<std::string_view> groups;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end - start < kGroupThreshold && end < text.size()) {
      const size_t feed = text.find('\n', end);
      end = feed == std::string_view::npos ? text.size() : feed + 1;
    }
    groups.push_back(text.substr(start, end - start));
    start = end;
  }
  return groups;
}

std::optional<std::string> UnprintableText(std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == 0x00 || !IsCp1252Defined(text[i])) {
      return Utf8ToCp1252("Texto com caractere que a impressora não imprime (código ") +
             IntToStr(c) + Utf8ToCp1252(") na posição ") + IntToStr(static_cast<long long>(i + 1)) +
             ": nada foi impresso.";
    }
  }
  return std::nullopt;
}

bool CheckPrintable(const std::string& scheme, std::string_view text) {
  const std::optional<std::string> problem = UnprintableText(text);
  if (problem) driver::ReportProblem(scheme, *problem, boNUtilTaa);
  return !problem;
}

}  // namespace Tov00300::documents
