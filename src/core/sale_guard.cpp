#include "core/sale_guard.h"

#include "tov00300/format.h"

namespace Tov00300::core {

namespace {

bool foreignReceiptOpen = false;

}  // namespace

OwnReceipt& ThisReceipt() {
  static OwnReceipt receipt;
  return receipt;
}

void SetForeignReceiptOpen(bool open) {
  foreignReceiptOpen = open;
}

bool ForeignReceiptOpen() {
  return foreignReceiptOpen;
}

std::string ForeignReceiptText() {
  return Utf8ToCp1252(
      "Há um cupom fiscal de uma venda anterior aberto na impressora: cancele-o antes de vender.");
}

std::string OneLine(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return out;
}

}  // namespace Tov00300::core
