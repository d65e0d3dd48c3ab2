// Number helpers, the value chooser and the pause between printer commands.
#include <chrono>
#include <thread>

#include "tov00300/format.h"
#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {

double RoundDec(double value, int decimals) {
  return Tov00300::RoundDec(value, decimals);
}

double Trunc2(double value) {
  return Tov00300::Trunc2(value);
}

Variant iif(bool condition, const Variant& whenTrue, const Variant& whenFalse) {
  return condition ? whenTrue : whenFalse;
}

void Delay(uint8_t count) {
  // The printer needs a real pause between some commands: the thread sleeps.
  std::this_thread::sleep_for(std::chrono::milliseconds(10 * count));
}

}  // namespace Tov00300::hostlib
