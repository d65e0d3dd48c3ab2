#include "tape_html.h"

#include <ctime>

namespace ecfhost {

namespace {

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string TimeText(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm parts{};
  gmtime_r(&t, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%d/%m/%Y %H:%M:%S", &parts);
  return text;
}

// 48 columns of a monospaced face, on a strip as narrow as the paper roll.
constexpr const char* kStyle = R"(
body { background: #d9d6cf; margin: 0; padding: 24px; font-family: sans-serif; }
.doc { width: max-content; margin: 0 auto 28px auto; }
.caption { font-size: 13px; color: #333; margin-bottom: 4px; }
.paper { background: #fffef8; box-shadow: 0 2px 6px rgba(0,0,0,.35); padding: 12px 2ch;
         border-top: 3px dotted #bbb; border-bottom: 3px dotted #bbb; }
.paper pre { margin: 0; font: 13px/1.3 "DejaVu Sans Mono", "Courier New", monospace;
             width: 48ch; white-space: pre; overflow: hidden; color: #111; }
)";

}  // namespace

std::string KindName(int kind) {
  static const char* const kNames[] = {"documento",
                                       "cupom fiscal",
                                       "comprovante não fiscal",
                                       "relatório gerencial",
                                       "comprovante de crédito ou débito",
                                       "suprimento",
                                       "sangria",
                                       "leitura X",
                                       "redução Z",
                                       "leitura da memória fiscal",
                                       "cancelamento de cupom",
                                       "cancelamento de comprovante não fiscal"};
  return kind >= 0 && kind < static_cast<int>(std::size(kNames)) ? kNames[kind] : "documento";
}

std::string TapeHtml(const std::vector<TapeDocument>& docs) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"pt-BR\"><head><meta charset=\"utf-8\">"
      "<title>Fita detalhe</title><style>";
  out += kStyle;
  out += "</style></head><body>\n";
  for (const TapeDocument& doc : docs) {
    char coo[16];
    std::snprintf(coo, sizeof coo, "%06lld", static_cast<long long>(doc.coo));
    out += "<div class=\"doc\"><div class=\"caption\">COO " + std::string(coo) + " · " +
           Escape(KindName(doc.kind)) + " · " + TimeText(doc.time) +
           "</div><div class=\"paper\"><pre>" + Escape(doc.text) + "</pre></div></div>\n";
  }
  out += "</body></html>\n";
  return out;
}

}  // namespace ecfhost
