// The package's exported globals for a C host: one getter and one setter per
// global, made from the lists in the C header (the same lists the unload
// step clears the texts from).
#include <string>

#include "exports_boundary.h"
#include "tov00300/state.h"
#include "tov00300/tov00300_c.h"

using namespace Tov00300::boundary;

extern "C" {

// Texts follow the host's encoding; a setter refuses a text the encoding
// cannot take and leaves the global as it was.
#define TOV_TEXT_GLOBAL(name)                           \
  int tov_get_##name(char* buf, int bufSize) {          \
    return DeliverLength(Tov00300::name, buf, bufSize); \
  }                                                     \
  bool tov_set_##name(const char* value) {              \
    return Contain("tov_set_" #name, false, [&] {       \
      Tov00300::name = In(value);                       \
      return true;                                      \
    });                                                 \
  }
TOV00300_EXPORTED_TEXTS(TOV_TEXT_GLOBAL)
#undef TOV_TEXT_GLOBAL

#define TOV_SCALAR_GLOBAL(type, name) \
  type tov_get_##name(void) {         \
    return Tov00300::name;            \
  }                                   \
  void tov_set_##name(type value) {   \
    Tov00300::name = value;           \
  }
TOV00300_EXPORTED_SCALARS(TOV_SCALAR_GLOBAL)
#undef TOV_SCALAR_GLOBAL

}  // extern "C"
