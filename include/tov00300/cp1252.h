// Windows-1252, the package's text encoding: which bytes it defines. The
// conversions to and from UTF-8 are declared in format.h.
#ifndef TOV00300_CP1252_H_
#define TOV00300_CP1252_H_

#include "tov00300/export.h"

TOV00300_API_BEGIN
namespace Tov00300 {

// False for the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D). They convert to and from the C1 controls of the same value,
// so no byte is lost, but they are no characters: a printer prints nothing
// for them.
bool IsCp1252Defined(char byte);

}  // namespace Tov00300
TOV00300_API_END

#endif  // TOV00300_CP1252_H_
