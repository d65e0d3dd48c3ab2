// FormatSettings: the process-wide number and date conventions.
//
// The settings are derived from the locale's name alone, never from the C
// library's locale data, so a pt_BR till formats amounts with ',' even on a
// machine where that locale is not installed; setlocale is never called.
#include <cstdlib>

#include "tov00300/format.h"

namespace Tov00300 {

FormatSettings FormatSettings::FromLocaleName(std::string_view name) {
  FormatSettings fs;
  if (name.substr(0, 5) != "pt_BR") return fs;
  fs.decimalSeparator = ',';
  fs.thousandSeparator = '.';
  fs.dateSeparator = '/';
  fs.timeSeparator = ':';
  fs.shortDateFormat = "dd/mm/yyyy";
  fs.longTimeFormat = "hh:nn:ss";
  fs.shortTimeFormat = "hh:nn";
  fs.currencyString = "R$";
  fs.currencyFormat = 2;
  fs.currencyDecimals = 2;
  fs.timeAMString = "";
  fs.timePMString = "";
  // Windows-1252 texts.
  fs.shortMonthNames = {"jan", "fev", "mar", "abr", "mai", "jun",
                        "jul", "ago", "set", "out", "nov", "dez"};
  fs.longMonthNames = {"janeiro", "fevereiro", "mar\xE7o", "abril",   "maio",     "junho",
                       "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};
  fs.shortDayNames = {"dom",
                      "seg",
                      "ter",
                      "qua",
                      "qui",
                      "sex",
                      "s\xE1"
                      "b"};
  fs.longDayNames = {"domingo",
                     "segunda-feira",
                     "ter\xE7"
                     "a-feira",
                     "quarta-feira",
                     "quinta-feira",
                     "sexta-feira",
                     "s\xE1"
                     "bado"};
  return fs;
}

FormatSettings FormatSettings::FromEnvironment() {
  for (const char* var : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(var);
    if (value && *value) return FromLocaleName(value);
  }
  return FromLocaleName("");
}

FormatSettings& GlobalFormatSettings() {
  static FormatSettings settings = FormatSettings::FromEnvironment();
  return settings;
}

namespace {
// Takes the settings when the library loads, not at the first format call,
// so a later change of the environment does not change them.
[[maybe_unused]] const FormatSettings& g_loaded = GlobalFormatSettings();
}  // namespace

}  // namespace Tov00300
