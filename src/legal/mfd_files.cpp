// The MFD files: the MFD text file and the binary MFD download, the MFD
// mirror and the binary fiscal-memory download, each made by the driver in
// its own folder and then put where the host looks for it.
#include <exception>
#include <string>

#include "driver/command.h"
#include "driver/dialogs.h"
#include "legal/legal_files.h"
#include "tov00300/datamodule.h"
#include "tov00300/driver.h"
#include "tov00300/format.h"
#include "tov00300/frame.h"
#include "tov00300/hostlib.h"
#include "tov00300/legal.h"
#include "tov00300/platform.h"
#include "tov00300/state.h"

namespace Tov00300 {
namespace {

// DD/MM/YYYY as DDMMYYYY: characters 1-2, 4-5 and 7-10.
std::string DayMonthYear(const std::string& date) {
  return Copy(date, 1, 2) + Copy(date, 4, 2) + Copy(date, 7, 4);
}

// DD/MM/YYYY as DDMMYY: the first separator, then "/YY" of the year go.
std::string DayMonthShortYear(std::string date) {
  if (date.size() > 2) date.erase(2, 1);
  if (date.size() > 4) date.erase(4, 3);
  return date;
}

// The host's fiscal-menu folder as the MFD download names it: the host
// executable's folder in short form. The same folder as legal::MenuFolder.
std::string ShortMenuFolder() {
  return platform::ShortPath(platform::HostFolder()) + "\\Dados\\MenuFiscal\\";
}

}  // namespace

bool Gera_ArquivoMFD(const VariantArray& valores, Variant& /*resultado*/) {
  try {
    const std::string kind = valores.at(0).AsString();
    std::string start = Trim(valores.at(1).AsString());
    std::string end = Trim(valores.at(2).AsString());
    const std::string prefix = valores.at(4).AsString();
    const DateTime now = DateTime::Now();
    const std::string textTarget = ShortMenuFolder() + prefix + "_" +
                                   FormatDateTime("yyyymmdd", now) + "_" +
                                   FormatDateTime("hhnnss", now) + ".txt";
    const std::string mfdTarget = ShortMenuFolder() + "MFDFISCAL.MFD";
    if (inTipoImpFis != 29 && inTipoImpFis != 24) return false;

    bool filesInPlace = true;
    bool told = false;  // the operator already knows the driver gave no folder
    std::string rangeKind;
    if (kind == "D") {
      rangeKind = "DATAM";
      start = DayMonthYear(start);
      end = DayMonthYear(end);
      const int report =
          driver::Log(rGerarRelatorio_ECF_Daruma("MFD", "DATAM", start.c_str(), end.c_str()),
                      driver::Describe("rGerarRelatorio_ECF_Daruma", {"MFD", "DATAM", start, end}));
      const std::string folder = legal::DriverFolderFromDriver();
      if (folder.empty()) {
        legal::ReportNoDriverFolder("");
        told = true;
      }
      // Only a report the driver has just written is copied and signed: after
      // a refusal the driver folder still holds an earlier range's file.
      if (folder.empty() || report != 1 ||
          !legal::CopyIntoPlaceSigned(folder + "ATO_MFD_DATA.txt", textTarget)) {
        filesInPlace = false;
      }
    } else {
      // A range of operation counters is downloaded by counter too; the text
      // file is made only for dates.
      rangeKind = "COO";
      start = hostlib::Ajusta(start, 6);
      end = hostlib::Ajusta(end, 6);
      driver::Log(rGerarRelatorio_ECF_Daruma("MFD", "COO", start.c_str(), end.c_str()),
                  driver::Describe("rGerarRelatorio_ECF_Daruma", {"MFD", "COO", start, end}));
    }

    // The downloads judge their codes themselves and show nothing.
    const int download =
        driver::Log(rEfetuarDownloadMFD_ECF_Daruma(rangeKind.c_str(), start.c_str(), end.c_str(),
                                                   "MFDFISCAL.MFD"),
                    driver::Describe("rEfetuarDownloadMFD_ECF_Daruma",
                                     {rangeKind, start, end, "MFDFISCAL.MFD"}));
    const std::string folder = legal::DriverFolderFromDriver();
    if (folder.empty()) {
      if (!told) legal::ReportNoDriverFolder("");
      return false;
    }
    // A refused download leaves the host's earlier copy in place.
    if (download != 1 || !legal::CopyIntoPlace(folder + "MFDFISCAL.MFD", mfdTarget)) return false;
    return filesInPlace;
  } catch (const std::exception&) {
    return false;
  }
}

bool geraEspelhoMfd(const VariantArray& valores, Variant& /*resultado*/) {
  try {
    std::string start = Trim(valores.at(6).AsString());
    std::string end = Trim(valores.at(7).AsString());
    (void)valores.at(8);  // the kind: required in the list, not used
    std::string kind;
    if (start.find('/') != std::string::npos) {
      kind = "1";
      start = DayMonthShortYear(start);
      end = DayMonthShortYear(end);
    } else {
      kind = "2";
      start = hostlib::Ajusta(start, 6);
      end = hostlib::Ajusta(end, 6);
    }
    // The analysis shows a refusal; the code alone decides whether to go on.
    const std::string scheme;
    const int code =
        driver::Store(rGerarEspelhoMFD_ECF_Daruma(kind.c_str(), start.c_str(), end.c_str()));
    driver::Command(code, driver::Describe("rGerarEspelhoMFD_ECF_Daruma", {kind, start, end}),
                    {scheme, true});
    if (code != 1) return false;
    const std::string target = legal::MenuFolder() + "Espelho_MFD_" +
                               FormatDateTime("ddmmyyyyhhnnss", DateTime::Now()) + ".txt";
    // An existing file of that name is an earlier mirror of this second,
    // already handed out with its signature: not replaced, not signed again.
    if (!legal::MoveIntoPlaceSigned(legal::DriverFolderFromRegistry() + "Espelho_MFD.txt", target))
      return false;
    driver::ShowMessage(scheme,
                        DataModule().msgPadrao2.Msg("EspelhoMFD") + platform::NativePath(target));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool GERA_MF(const std::string& /*ignorado*/, const std::string& destino) {
  // The code stays the operation's: inRetorno keeps the last command's.
  const int code = driver::Log(rEfetuarDownloadMF_ECF_Daruma("MFISCAL.MF"),
                               "rEfetuarDownloadMF_ECF_Daruma : MFISCAL.MF", {.stored = false});
  const std::string folder = legal::DriverFolderFromDriver();
  if (folder.empty()) {
    legal::ReportNoDriverFolder("");
    return false;
  }
  // A refused download leaves the host's earlier file in place; a copy that
  // failed leaves the file missing where the host will look for it.
  return code == 1 && legal::CopyIntoPlace(folder + "MFISCAL.MF", destino);
}

}  // namespace Tov00300
