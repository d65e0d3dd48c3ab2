// Every exported text of the package (declared in tov00300/state.h), in one
// list: the unload step clears them all, the C interface makes a getter and a
// setter of each, and the tests walk the same list. The list lives among the
// public headers, which a C host reads too.
#ifndef TOV00300_SRC_CORE_EXPORTED_TEXTS_H_
#define TOV00300_SRC_CORE_EXPORTED_TEXTS_H_

// TOV00300_EXPORTED_TEXTS(X): X(name) for each exported std::string variable.
#include "tov00300/exported_globals.h"

#endif  // TOV00300_SRC_CORE_EXPORTED_TEXTS_H_
