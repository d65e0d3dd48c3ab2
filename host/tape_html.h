// The printer's documents as a page a person looks at: one paper-like strip
// of 48 monospaced columns per document, captioned with its COO, kind and
// time.
#ifndef ECFHOST_TAPE_HTML_H_
#define ECFHOST_TAPE_HTML_H_

#include <cstdint>
#include <string>
#include <vector>

namespace ecfhost {

struct TapeDocument {
  int64_t coo;
  int kind;          // the printer's document kind (see KindName)
  int64_t time;      // the printer's wall clock: seconds since 1970-01-01 00:00, no zone
  std::string text;  // UTF-8, lines separated by line feeds
};

std::string KindName(int kind);
std::string TapeHtml(const std::vector<TapeDocument>& docs);

}  // namespace ecfhost

#endif  // ECFHOST_TAPE_HTML_H_
