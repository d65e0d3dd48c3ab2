// GeraCatGenerica: the driver's MFD text file of each day of a range,
// collected in the "Daruma" folder of the host's drive under the shop's names.
#include <cmath>
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

// One driver call per day: a range of years is a mistyped date (a year
// "25" read as 1925 or 2099), not a request, and would hold the till for
// thousands of calls.
constexpr int kMaxDays = 366;

// The locale's short date, or DDMMYY (always a year of the 2000s) when
// either text is not one.
void ReadRange(const std::string& first, const std::string& last, DateTime& from, DateTime& to) {
  try {
    from = StrToDate(first);
    to = StrToDate(last);
  } catch (const ConversionError&) {
    auto ddmmyy = [](const std::string& t) {
      return StrToDate(Copy(t, 1, 2) + "/" + Copy(t, 3, 2) + "/20" + Copy(t, 5, 2));
    };
    from = ddmmyy(first);
    to = ddmmyy(last);
  }
}

}  // namespace

bool GeraCatGenerica(const VariantArray& valores, StringList& lista) {
  lista = StringList();
  try {
    TdtmDaruma300& dm = DataModule();
    dm.cdsParametros.SetData(valores.at(0).AsDataPacket());
    const std::string branch = dm.cdsParametros.FieldByName("CDFILIAL").AsString();
    const std::string till = dm.cdsParametros.FieldByName("CDCAIXA").AsString();
    const std::string scheme = dm.cdsParametros.FieldByName("IDESQUEMA").AsString();
    DateTime from, to;
    ReadRange(valores.at(1).AsString(), valores.at(2).AsString(), from, to);
    const long long first = std::llround(std::floor(from.value));
    const long long last = std::llround(std::floor(to.value));
    if (last - first >= kMaxDays) {
      driver::ReportProblem(scheme,
                            Utf8ToCp1252("Período de arquivos CAT maior que 366 dias: ") +
                                DateToStr(from) + " a " + DateToStr(to),
                            true);
      return false;
    }

    const std::string folder = DsDirDrive + "Daruma\\";
    bool collected = false;
    StringList failed;
    for (long long day = first; day <= last; ++day) {
      const DateTime date(static_cast<double>(day));
      const std::string digits = FormatDateTime("ddmmyyyy", date);
      const int code =
          driver::Log(rGerarRelatorio_ECF_Daruma("MFD", "DATAM", digits.c_str(), digits.c_str()),
                      "rGerarRelatorio_ECF_Daruma : MFD+[EAD]+ Chave Privada  - DATAM - " + digits,
                      {.codeInLine = true});
      if (code != 1) {
        // No file of this day: what the folder holds is an earlier call's.
        failed.Add(DateToStr(date));
        continue;
      }
      const std::string target = folder + "DR" + branch + till + digits + ".txt";
      if (legal::MoveIntoPlace(folder + "ATO_MFD_DATA.TXT", target)) {
        collected = true;
        lista.Add(platform::NativePath(target));
      }
    }
    if (failed.Count() > 0) {
      // A notice that carries a list as its detail text: flag "S".
      driver::ShowMessage(scheme, dm.msgPadrao2.Msg("Erro_NMovDia"), {.detail = failed.Text()});
    }
    return collected;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace Tov00300
