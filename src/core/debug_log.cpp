// The debug log: one file per month in the host folder, one entry per call.
#include <string>

#include "tov00300/datetime.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/platform.h"

namespace Tov00300 {

void ImpFisDebug(const std::string& texto) {
  const DateTime now = DateTime::Now();
  const std::string file =
      platform::JoinPath(platform::HostFolder(), "impdebug" + FormatDateTime("MMYY", now) + ".txt");
  std::string line = DateToStr(now);
  line += ' ';
  line += TimeToStr(now);
  line += " - ";
  line += texto;
  line += "\r\n";
  // Throws std::runtime_error naming the file; the caller gets it as is.
  platform::AppendToFile(file, line);
}

}  // namespace Tov00300
