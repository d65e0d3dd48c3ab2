// simControl_Daruma: the desk's controls for tests and scripts (power, port,
// clock, refused commands, status codes, paper, line speed, reset, reload,
// durability). The vocabulary is documented in sim/README.md.
#ifndef TOV00300_SIM_CONTROL_H_
#define TOV00300_SIM_CONTROL_H_

#include <optional>
#include <string>

#include "machine.h"

namespace Tov00300::sim {

// Runs one control command; 1 when understood and done, -2 otherwise.
int RunControl(Machine& m, const std::string& command);

// Reads a clock offset: "0", "+16m", "-15m", "+1h5m", "+1d", "-30s".
std::optional<int64_t> ParseClockOffset(const std::string& text);

// True for the names of the 54 driver entry points.
bool IsEntryPointName(const std::string& name);

}  // namespace Tov00300::sim

#endif  // TOV00300_SIM_CONTROL_H_
