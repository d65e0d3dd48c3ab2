// Driver return codes that carry an operator message, and the catalogue
// lookup of their texts.
#ifndef TOV00300_SRC_DRIVER_RETURN_CODES_H_
#define TOV00300_SRC_DRIVER_RETURN_CODES_H_

#include <span>
#include <string>

namespace Tov00300::driver {

enum class Catalogue { msgPadrao, msgPadrao2 };

struct CatalogueEntry {
  const char* key;
  Catalogue catalogue;
};

// A return code and the catalogue entry of its message.
struct CodeMessage {
  int code;
  CatalogueEntry entry;
};

// The tables themselves: the codes with a message, of the driver library and
// of the older interface.
std::span<const CodeMessage> FrameWorkCodeMessages();
std::span<const CodeMessage> LegacyCodeMessages();

// The message of a return code of the driver library; nullptr when the code
// has none (1, -12 and every code not in the table).
const CatalogueEntry* FrameWorkCodeMessage(int code);
// The same for the older driver interface, whose table differs.
const CatalogueEntry* LegacyCodeMessage(int code);

// The entry's text from the data module's catalogue (created when absent).
std::string CatalogueText(const CatalogueEntry& entry);

}  // namespace Tov00300::driver

#endif  // TOV00300_SRC_DRIVER_RETURN_CODES_H_
