// Reading a value from a parameter bag.
#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {

Variant RecebeParams(const Variant& bag, std::string_view key) {
  const Variant* value = FindInBag(bag, std::string(key));
  return value != nullptr ? *value : Variant();
}

}  // namespace Tov00300::hostlib
