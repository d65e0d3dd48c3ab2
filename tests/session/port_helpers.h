// Helpers shared by the port-opening, clock and session tests.
#ifndef TOV00300_TESTS_SESSION_PORT_HELPERS_H_
#define TOV00300_TESTS_SESSION_PORT_HELPERS_H_

#include <string>
#include <vector>

#include "support/scripted_driver.h"
#include "tov00300/datetime.h"
#include "tov00300/format.h"
#include "tov00300/variant.h"

namespace porttest {

// The computer's clock in these tests: 15 March 2026, 10:30:00.
inline Tov00300::DateTime Now() {
  return Tov00300::DateTime::FromParts(2026, 3, 15, 10, 30, 0);
}

inline Tov00300::DateTime PlusMinutes(Tov00300::DateTime t, double minutes) {
  return Tov00300::DateTime(t.value + minutes / 1440.0);
}

// The printer's clock answer: DDMMYYYY and HHMMSS.
inline void QueueClock(tovtest::ScriptedDriver& driver, Tov00300::DateTime when) {
  driver.Queue(
      "rDataHoraImpressora_ECF_Daruma", 1,
      {Tov00300::FormatDateTime("ddmmyyyy", when), Tov00300::FormatDateTime("hhnnss", when)});
}

inline Tov00300::Variant PortBag(const std::string& port = "COM3") {
  return Tov00300::MakeBag({{"CDFILIAL", "001"},
                            {"CDCAIXA", "02"},
                            {"NRSERIEIMP", "DR0001"},
                            {"ESQUEMA", "AZUL"},
                            {"CDPORTAIMPFIS", port}});
}

// The driver calls made, without the status queries of the return analysis.
inline std::vector<std::string> Commands(const tovtest::ScriptedDriver& driver) {
  std::vector<std::string> names;
  for (const auto& c : driver.Calls()) {
    if (c.name != "rStatusUltimoCmdInt_ECF_Daruma" && c.name.rfind("eInterpretar", 0) != 0 &&
        c.name != "eTEF_TravarTeclado_ECF_Daruma") {
      names.push_back(c.name);
    }
  }
  return names;
}

}  // namespace porttest

#endif  // TOV00300_TESTS_SESSION_PORT_HELPERS_H_
