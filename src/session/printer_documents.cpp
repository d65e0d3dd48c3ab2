#include "session/printer_documents.h"

#include "tov00300/format.h"

namespace Tov00300::session {

namespace {

bool foreignReceiptOpen = false;
OwnDocument ownDocument = OwnDocument::kNone;

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

std::string ReceiptRefusal() {
  if (foreignReceiptOpen) return ForeignReceiptText();
  if (ThisReceipt().opened) return "";
  return Utf8ToCp1252(
      "Não há cupom fiscal aberto por esta sessão: abra o cupom antes de vender. Nada foi "
      "enviado à impressora.");
}

void SetOwnDocument(OwnDocument kind) {
  ownDocument = kind;
}

OwnDocument CurrentOwnDocument() {
  return ownDocument;
}

const char* OpenStateOf(OwnDocument kind) {
  switch (kind) {
    case OwnDocument::kNonFiscal:
      return "2";
    case OwnDocument::kVoucher:
      return "3";
    case OwnDocument::kReport:
      return "4";
    case OwnDocument::kNone:
      break;
  }
  return "0";
}

std::string NoOwnDocumentText(OwnDocument kind) {
  const char* document = kind == OwnDocument::kVoucher     ? "comprovante vinculado"
                         : kind == OwnDocument::kNonFiscal ? "comprovante não fiscal"
                                                           : "relatório gerencial";
  return Utf8ToCp1252(std::string("Não há ") + document +
                      " aberto por esta sessão: o texto não foi enviado à impressora.");
}

std::optional<long long>& UncertainReduction() {
  static std::optional<long long> crzBefore;
  return crzBefore;
}

void ForgetPrinterDocuments() {
  ThisReceipt() = {};
  foreignReceiptOpen = false;
  ownDocument = OwnDocument::kNone;
  UncertainReduction().reset();
}

}  // namespace Tov00300::session
