// The host support library the package imports from (libtovhost): parameter
// reading, text formatting, the operator dialog, the message catalogue
// component, the text scrambler and the two record writers. The operator
// dialog and the record writers belong to the host: it installs handlers.
#ifndef TOV00300_HOSTLIB_H_
#define TOV00300_HOSTLIB_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tov00300/dataset.h"
#include "tov00300/datetime.h"
#include "tov00300/export.h"
#include "tov00300/stringlist.h"
#include "tov00300/variant.h"

TOV00300_API_BEGIN
namespace Tov00300::hostlib {

// ---- parameters ---------------------------------------------------------------
// The value stored under the key (case-insensitive) in a parameter bag. An
// absent key gives an Empty variant, which reads as "", 0 or false, as an
// absent field does in the host's own library. Throws ConversionError when
// the bag is not an array of (key, value) pairs.
Variant RecebeParams(const Variant& bag, std::string_view key);

// ---- text ---------------------------------------------------------------------
// Widths count bytes (the texts are Windows-1252); a negative width counts as 0.
// Blanks are the space and the control characters.

// The text repeated count times ("" for a count of 0 or less).
std::string Replicate(std::string_view text, int count);
// Exactly width characters: the text cut at width, or padded with spaces on
// the right (TamFixo) or on the left (TamFixoR). Both cut on the right.
std::string TamFixo(std::string_view text, int width);
std::string TamFixoR(std::string_view text, int width);
// The text without its outer blanks, centred in exactly width characters; the
// odd space goes to the right; a longer text is cut to width.
std::string Centraliza(std::string_view text, uint8_t width);
// The text aligned right in width characters; a longer text is kept whole
// (it holds amounts, which must not lose digits).
std::string PadL(std::string_view text, uint16_t width);
// A numeric text without its outer blanks, with leading zeros up to width
// characters (a minus sign stays in front: "-5" gives "-00005" for 6). A
// longer text is kept whole rather than lose digits. The two names are the
// same function.
std::string Ajusta(std::string_view text, int width);
std::string AjustaZero(std::string_view text, int width);
// The text without trailing blanks.
std::string RTrim(std::string_view text);
// True when the text holds nothing but blanks (or nothing at all).
bool EmptyString(std::string_view text);
// Decimal-correct, as the runtime's money helpers (Trunc2(1.15) is 1.15).
double RoundDec(double value, int decimals);
double Trunc2(double value);
Variant iif(bool condition, const Variant& whenTrue, const Variant& whenFalse);
// A pause between printer commands; one unit is 10 milliseconds.
void Delay(uint8_t count);

// ---- scrambler ----------------------------------------------------------------
// Reversible and printable (the result is stored in text fields); the key is
// the package's fixed constant. Cripto XORs the bytes with a key-seeded stream
// chained on the previous scrambled byte, then writes them in a 64-character
// printable alphabet (4 characters per 3 bytes). This hides values from a
// casual reader; it is not encryption. Uncripto of a text Cripto did not make
// gives some text back (characters outside the alphabet are skipped), never
// an error.
std::string Cripto(std::string_view text, int key);
std::string Uncripto(std::string_view text, int key);

// B minus A as "hh:nn" (more digits of hours when 100 hours or more), with a
// leading "-" when A is later than B. Seconds are dropped (15 min 59 s gives
// "00:15"), so a difference under a day reads back as a time of day.
std::string SubtDataHoraQir(DateTime a, DateTime b);

// ---- operator dialog ----------------------------------------------------------
struct MessageRequest {
  std::string text;      // the message (Windows-1252)
  std::string detail;    // detail text (list of failed dates in one caller)
  std::string flag;      // "N" or "S"
  std::string question;  // "S": the operator must answer yes or no
  int type = 0;          // 0 notice, 1 confirmation, 3 retry/error
  std::string reserved;  // always empty
  std::string context;   // the caller's colour-scheme text, or "001"/"002"
  int number = 0;        // always 0
  DataSet* dataSet = nullptr;
};
// Shows the message and returns the yes/no answer. Without a handler the text
// goes to standard error (as UTF-8) and the answer is no. Exceptions from an
// installed handler reach the caller. An empty handler restores the default.
using DialogHandler = std::function<bool(const MessageRequest&)>;
void SetDialogHandler(DialogHandler handler);
bool Mensagem(std::string_view text, std::string_view detail, std::string_view flag,
              std::string_view question, int type, std::string_view reserved,
              std::string_view context, int number, DataSet* dataSet);

// ---- message catalogue component ----------------------------------------------
// Lines "key|text"; Msg looks a key up without regard to letter case and gives
// the text of its first line, or "" when the key is absent (so a missing text
// shows as nothing rather than stopping the operation). Lookups use an index
// rebuilt when the lines change: taking Lines() for writing, adding a line or
// a change of the line count all mark it stale.
class TMessages {
 public:
  explicit TMessages(std::string name = "") : name_(std::move(name)) {}
  StringList& Lines() {
    indexedCount_ = -1;
    return lines_;
  }
  const StringList& Lines() const { return lines_; }
  void Add(std::string_view key, std::string_view text);
  std::string Msg(std::string_view key) const;
  const std::string& Name() const { return name_; }

 private:
  void Reindex() const;
  std::string name_;
  StringList lines_;
  mutable int indexedCount_ = -1;
  mutable std::vector<std::pair<std::string, int>> index_;  // upper-case key -> line
};

// ---- record writers -----------------------------------------------------------
// Texts are Windows-1252, as the package keeps them. Default: append a row to
// documentos.db (SQLite) in the host folder, table "GravaCER" or
// "DocNaoFiscaisECF" (created when missing), one column per argument plus the
// time of recording; texts are stored as UTF-8, date-times as
// "yyyy-mm-dd hh:nn:ss". The default gives the new row's id. A row that
// could not be written (the file or the table cannot be written, or a text
// holds a zero byte, which every reader of the text would cut it at) gets a
// line on standard error; then GravaCER gives "" and setDocNaoFiscaisECF
// throws std::runtime_error with the same reason. Exceptions from an
// installed handler reach the caller.
using GravaCERHandler =
    std::function<std::string(const std::string&, const std::string&, DateTime)>;
using DocNaoFiscalHandler =
    std::function<Variant(const std::string&, const std::string&, const std::string&,
                          const std::string&, const std::string&, const std::string&,
                          const std::string&, DateTime, DateTime, const std::string&)>;
void SetGravaCERHandler(GravaCERHandler handler);
void SetDocNaoFiscalHandler(DocNaoFiscalHandler handler);

// A row of the default store, as written: its id, then every column by name
// (UTF-8 texts, "yyyy-mm-dd hh:nn:ss" date-times), in the table's order.
struct StoredRecord {
  int64_t id = 0;
  std::vector<std::pair<std::string, std::string>> columns;
};
// The rows the default writers stored in documentos.db of the host folder,
// oldest first: `table` is "GravaCER" or "DocNaoFiscaisECF". No rows when
// the file or the table does not exist yet. Throws std::invalid_argument for
// another table name and std::runtime_error when the file cannot be read.
std::vector<StoredRecord> ListRecords(const std::string& table);
std::string GravaCER(const std::string& a, const std::string& b, DateTime when);
Variant setDocNaoFiscaisECF(const std::string& t1, const std::string& t2, const std::string& t3,
                            const std::string& t4, const std::string& t5, const std::string& t6,
                            const std::string& t7, DateTime d1, DateTime d2, const std::string& t8);

}  // namespace Tov00300::hostlib
TOV00300_API_END

#endif  // TOV00300_HOSTLIB_H_
