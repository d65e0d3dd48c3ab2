#include "documents/account_text.h"

#include "documents/report_text.h"
#include "driver/command.h"
#include "driver/dialogs.h"
#include "tov00300/datamodule.h"
#include "tov00300/documents.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/state.h"

namespace Tov00300::documents {

std::string Line(std::string_view text) {
  std::string line(text);
  line += kLineFeed;
  return line;
}

std::string Rule(char c) {
  return Line(std::string(kReportColumns, c));
}

std::string Line48(std::string_view text) {
  return Line(text.substr(0, kReportColumns));
}

std::string Centred(std::string_view text) {
  return Line(hostlib::Centraliza(text, kReportColumns));
}

std::string Fixed2(double amount) {
  return FloatToStrF2(amount, 2);
}

std::string Catalogue(std::string_view key) {
  return DataModule().msgPadrao.Msg(key);
}

std::string Catalogue2(std::string_view key) {
  return DataModule().msgPadrao2.Msg(key);
}

std::string WithValue(const std::string& text, const std::string& value) {
  const int at = Pos("%s", text);
  if (at == 0) return text + value;
  return text.substr(0, at - 1) + value + text.substr(at + 1);
}

void ReportBadInput(const std::string& scheme, std::string_view utf8Text,
                    std::string_view culprit) {
  driver::ReportProblem(scheme, Utf8ToCp1252(utf8Text) + "\"" + std::string(culprit) + "\"",
                        boNUtilTaa);
}

bool PrintIntoReport(const std::string& scheme, std::string_view text) {
  for (std::string_view piece : TextPieces(text)) {
    if (!Usa_CompNFis(scheme, std::string(piece))) return false;
  }
  return true;
}

}  // namespace Tov00300::documents
