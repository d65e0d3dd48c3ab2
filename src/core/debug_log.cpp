// The debug log: one file per month in the host folder, one entry per call.
#include <string>

#include "tov00300/datetime.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/platform.h"

namespace Tov00300 {

void ImpFisDebug(const std::string& texto) {
  const DateTime agora = DateTime::Now();
  const std::string arquivo = platform::JoinPath(
      platform::HostFolder(), "impdebug" + FormatDateTime("MMYY", agora) + ".txt");
  std::string linha = DateToStr(agora);
  linha += ' ';
  linha += TimeToStr(agora);
  linha += " - ";
  linha += texto;
  linha += "\r\n";
  // Throws std::runtime_error naming the file; the caller gets it as is.
  platform::AppendToFile(arquivo, linha);
}

}  // namespace Tov00300
