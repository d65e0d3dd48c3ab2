// The debug log: one file per month in the host folder, one entry per call.
#include <string>
#include <string_view>

#include "tov00300/datetime.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/platform.h"

namespace Tov00300 {
namespace {

// An entry's date and time and the month's file, with what they were made
// from. They are formatted again only when the clock, the host's format
// settings or the host folder differ from the last entry's: the entries of
// one receipt mostly share the millisecond.
struct Stamp {
  double when = -1;
  std::string hostFolder;
  FormatSettings settings;
  bool namesRead = true;  // the formats may read the day or month names
  std::string prefix;     // "dd/mm/yyyy hh:nn:ss - "
  std::string file;
};

// True when a date-time format may read the day or month names: a run of
// three or more "d" or "m", or a "c" or "t" that stands for another format.
// It errs towards true (a letter in a quoted literal counts too).
bool MayReadNames(std::string_view format) {
  const std::string lower = LowerCase(format);
  return lower.find("ddd") != std::string::npos || lower.find("mmm") != std::string::npos ||
         lower.find_first_of("ct") != std::string::npos;
}

// The settings the stamp was made with still hold. The 38 day and month
// names are compared only when the formats may read them: comparing them at
// every entry would cost a tenth of the entry.
bool SameSettings(const Stamp& stamp, const FormatSettings& now) {
  const FormatSettings& then = stamp.settings;
  if (stamp.namesRead) return now == then;
  return now.dateSeparator == then.dateSeparator && now.timeSeparator == then.timeSeparator &&
         now.shortDateFormat == then.shortDateFormat && now.longTimeFormat == then.longTimeFormat &&
         now.timeAMString == then.timeAMString && now.timePMString == then.timePMString;
}

const Stamp& StampOf(DateTime now) {
  thread_local Stamp stamp;
  std::string folder = platform::HostFolder();
  const FormatSettings& settings = GlobalFormatSettings();
  if (now.value != stamp.when || folder != stamp.hostFolder || !SameSettings(stamp, settings)) {
    stamp.file = platform::JoinPath(folder, "impdebug" + FormatDateTime("MMYY", now) + ".txt");
    stamp.prefix = DateToStr(now);
    stamp.prefix += ' ';
    stamp.prefix += TimeToStr(now);
    stamp.prefix += " - ";
    stamp.when = now.value;
    stamp.hostFolder = std::move(folder);
    stamp.settings = settings;
    stamp.namesRead =
        MayReadNames(settings.shortDateFormat) || MayReadNames(settings.longTimeFormat);
  }
  return stamp;
}

}  // namespace

void ImpFisDebug(const std::string& texto) {
  const Stamp& stamp = StampOf(DateTime::Now());
  // One buffer for every entry of the thread: it grows to the longest entry
  // and is not allocated again.
  thread_local std::string line;
  line = stamp.prefix;
  line += texto;
  line += "\r\n";
  // Throws std::runtime_error naming the file; the caller gets it as is.
  platform::AppendToLog(stamp.file, line);
}

}  // namespace Tov00300
