// The fiscal-memory reading as a signed file in the host's fiscal-menu folder,
// and the range texts every reading shares.
#include <exception>
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "legal/fiscal_memory.h"
#include "legal/legal_files.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/hostlib.h"
#include "tov00300/legal.h"
#include "tov00300/platform.h"

namespace Tov00300 {

namespace legal {

ReadingRange DateRange(const std::string& start, const std::string& end) {
  return {DateWithoutSeparators(start), DateWithoutSeparators(end)};
}

ReadingRange ReductionRange(const std::string& start, const std::string& end) {
  return {hostlib::Ajusta(start, 4), hostlib::Ajusta(end, 4)};
}

int ReadingFlag(const std::string& flag) {
  return flag == "s" ? 0 : 1;
}

std::string ReadingDescription(const ReadingRange& range, const char* output) {
  return driver::Describe("eMemoriaFiscal_ECF_Daruma", {range.start, range.end, output});
}

}  // namespace legal

bool EmiteLeituraMemoriaFiscalSerial(const VariantArray& valores, Variant& /*resultado*/) {
  try {
    const std::string scheme = valores.at(0).AsString();
    const int flag = legal::ReadingFlag(valores.at(3).AsString());
    const legal::ReadingRange range =
        valores.at(4).AsString() == "DATA"
            ? legal::DateRange(valores.at(1).AsString(), valores.at(2).AsString())
            : legal::ReductionRange(valores.at(1).AsString(), valores.at(2).AsString());
    if (!driver::Command(
            eMemoriaFiscal_ECF_Daruma(range.start.c_str(), range.end.c_str(), flag, "ARQ"),
            legal::ReadingDescription(range, "ARQ"), {scheme, true})) {
      return false;
    }
    const std::string target =
        legal::MenuFolder() + "LMFS_" + FormatDateTime("ddmmyyyyhhnnss", DateTime::Now()) + ".txt";
    // A file of the same name is an earlier reading of this second, already
    // handed out with its signature: it is neither replaced nor signed again.
    if (!legal::MoveIntoPlaceSigned(legal::DriverFolderFromRegistry() + "retorno.txt", target))
      return false;
    driver::ShowMessage(scheme, platform::NativePath(target) + " " +
                                    DataModule().msgPadrao2.Msg("Leitura_Memoria"));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace Tov00300
