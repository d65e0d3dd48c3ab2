#include "documents/voucher_text.h"

#include "documents/report_text.h"

namespace Tov00300::documents {

namespace {

// Gatherings of lines per print: the acquirers' vouchers were laid out for
// printers that took four lines per command.
constexpr int kCyclesPerPrint = 4;

// Every piece is sent, blank ones too: a voucher's blank lines are part of
// the layout the acquirer prescribes.
bool PrintInPieces(std::string_view text, const PrintPiece& print) {
  for (std::string_view piece : TextPieces(text, BlankRest::Keep)) {
    if (!print(std::string(piece))) return false;
  }
  return true;
}

}  // namespace

bool PrintVoucherText(std::string_view text, const PrintPiece& print) {
  std::string whole(text);
  if (whole.empty() || whole.back() != '\n') whole += '\n';
  // `rest` is what is still to be gathered; a view, so a text of megabytes
  // is walked once instead of being shifted at every line.
  std::string_view rest = whole;
  std::string buffer;
  while (!rest.empty()) {
    for (int cycle = 0; cycle < kCyclesPerPrint; ++cycle) {
      const size_t lineEnd = rest.find('\n');
      if (lineEnd != std::string_view::npos) {
        buffer.append(rest.substr(0, lineEnd + 1));
        rest.remove_prefix(lineEnd + 1);
      }
      const size_t backslash = rest.find('\\');
      if (backslash != std::string_view::npos) {
        buffer.append(rest.substr(0, backslash));
        buffer += '\n';
        rest.remove_prefix(backslash + 1);
      }
    }
    if (!PrintInPieces(buffer, print)) return false;
    buffer.clear();
  }
  return true;
}

}  // namespace Tov00300::documents
