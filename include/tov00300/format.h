// Number and date formatting in the process's FormatSettings, text helpers
// with the original runtime's forgiving semantics, and Windows-1252 <-> UTF-8.
#ifndef TOV00300_FORMAT_H_
#define TOV00300_FORMAT_H_

#include <array>
#include <string>
#include <string_view>

#include "tov00300/datetime.h"
#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// The process-wide settings, taken once at load from the locale named by
// LC_ALL, LC_NUMERIC or LANG (first one set). A pt_BR name gives ',' decimal,
// '.' thousands, "dd/mm/yyyy", "hh:nn:ss" and "R$" even without locale data on
// the machine; "C"/"POSIX"/unset gives '.'. The host may change it; the
// package never does.
struct FormatSettings {
  char decimalSeparator = '.';
  char thousandSeparator = ',';
  char dateSeparator = '/';
  char timeSeparator = ':';
  std::string shortDateFormat = "mm/dd/yyyy";
  std::string longTimeFormat = "hh:nn:ss";
  std::string currencyString = "$";
  int currencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
  int currencyDecimals = 2;
  std::string shortTimeFormat = "hh:nn";
  std::string timeAMString = "AM";
  std::string timePMString = "PM";
  // Names for the "mmm", "mmmm", "ddd" and "dddd" tokens (Windows-1252);
  // days start with Sunday.
  std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
  std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};

  bool operator==(const FormatSettings&) const = default;

  // pt_BR (any suffix: "pt_BR.UTF-8", "pt_BR@euro") gives the Brazilian
  // settings; any other name, "C", "POSIX" or "" gives the defaults above.
  static FormatSettings FromLocaleName(std::string_view name);
  // The settings of the locale named by LC_ALL, LC_NUMERIC or LANG.
  static FormatSettings FromEnvironment();
};
FormatSettings& GlobalFormatSettings();

// ---- numbers ----------------------------------------------------------------
// Masks: '0' digit, '#' optional digit, '.' decimal point, ',' grouping (as in
// "#,##0.00"). The value is rounded half away from zero on its shortest
// decimal representation (0.125 with "0.00" gives 0,13; 1.005 gives 1,01).
std::string FormatFloat(std::string_view mask, double value);
std::string FormatFloat(std::string_view mask, double value, const FormatSettings& fs);
// Shortest general form, up to 15 significant digits ("1,5", "10", "0,1").
std::string FloatToStr(double value);
// Fixed with `decimals` places, precision 15 ("12,30"); a value with more than
// 15 integer digits comes out in the general form instead.
std::string FloatToStrF2(double value, int decimals = 2);
// Currency format with the currency string ("R$ 1.234,50").
std::string CurrToStrF(double value);
// Parses a number written in the process's settings: an optional sign,
// digits with at most one decimal separator of the settings, an optional
// exponent, blanks around it. No other character stands for the separator:
// under pt_BR "1.234" is not a number (and never 1,234). Throws
// ConversionError otherwise.
double StrToFloat(std::string_view text);
bool TryStrToFloat(std::string_view text, double& out);
bool TryStrToFloat(std::string_view text, double& out, const FormatSettings& fs);
// The same in the fixed form, '.' the decimal point whatever the settings:
// for texts whose form the package fixes itself (amounts rebuilt from a
// printer reply, numbers in a filter expression).
double FixedToFloat(std::string_view text);
bool TryFixedToFloat(std::string_view text, double& out);
int StrToInt(std::string_view text);  // throws ConversionError
bool TryStrToInt(std::string_view text, int& out);
std::string IntToStr(long long value);

// Money helpers: truncation and rounding on the decimal value, never on a
// binary artefact (Trunc2(1.15) is 1.15, Trunc2(10.999) is 10.99).
double Trunc2(double value);
double RoundDec(double value, int decimals);

// ---- dates ------------------------------------------------------------------
// Format tokens: d dd ddd dddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz,
// am/pm, "/" and ":" are the settings' separators, quoted text is literal;
// case-insensitive (so "MMYY", "YYYYMMDD", "HHNNSS" work). An "m" right after
// an "h" means minutes, as in the original.
std::string FormatDateTime(std::string_view format, DateTime value);
std::string FormatDateTime(std::string_view format, DateTime value, const FormatSettings& fs);
std::string DateToStr(DateTime value);  // short date format
std::string TimeToStr(DateTime value);  // long time format
std::string DateTimeToStr(
    DateTime value);  // short date, blank, long time (time omitted at 00:00:00)
// Parse in the settings' order (day/month/year for pt_BR); two-digit years
// are taken in the current century. Throw ConversionError.
DateTime StrToDate(std::string_view text);
DateTime StrToTime(std::string_view text);
DateTime StrToDateTime(std::string_view text);

// ---- text helpers (1-based, never throwing on short input) ------------------
std::string Copy(std::string_view s, int index, int count);   // past the end: what is there
int Pos(std::string_view needle, std::string_view haystack);  // 0 when absent
std::string Trim(std::string_view s);                         // removes chars <= ' ' at both ends
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string UpperCase(std::string_view s);  // ASCII and Windows-1252 letters
std::string LowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);  // case-insensitive
std::string StringOfChar(char c, int count);

// ---- Windows-1252 <-> UTF-8 ---------------------------------------------------
std::string Cp1252ToUtf8(std::string_view cp1252);
// Characters with no Windows-1252 form become '?'; invalid UTF-8 bytes too.
std::string Utf8ToCp1252(std::string_view utf8);
bool IsValidUtf8(std::string_view text);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_FORMAT_H_
