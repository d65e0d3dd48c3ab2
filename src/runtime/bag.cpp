// Parameter bags: a Variant array of (key text, value) pairs.
#include "text_case.h"
#include "tov00300/format.h"
#include "tov00300/variant.h"

namespace Tov00300 {

Variant MakeBag(std::initializer_list<std::pair<std::string, Variant>> pairs) {
  return MakeBag(std::vector<std::pair<std::string, Variant>>(pairs));
}

Variant MakeBag(const std::vector<std::pair<std::string, Variant>>& pairs) {
  VariantArray bag;
  bag.reserve(pairs.size());
  for (const auto& [key, value] : pairs) bag.emplace_back(VariantArray{Variant(key), value});
  return Variant(std::move(bag));
}

const Variant* FindInBag(const Variant& bag, const std::string& key) {
  if (!bag.IsArray()) {
    throw ConversionError(std::string("Parameter bag is not a variant array (it is ") +
                          bag.KindName() + ")");
  }
  // Every element is checked, not only those before the key, so a malformed
  // bag is reported whichever key the caller asks for.
  const Variant* found = nullptr;
  const VariantArray& items = bag.AsArray();
  for (size_t i = 0; i < items.size(); ++i) {
    const Variant& item = items[i];
    // Every operation reads a dozen keys from a bag of a dozen pairs: the
    // key's text is compared where it stands, not through a copy.
    const VariantArray* pair = item.IsArray() ? &item.AsArray() : nullptr;
    const std::string* name =
        pair != nullptr && pair->size() == 2 ? (*pair)[0].IfString() : nullptr;
    if (name == nullptr) {
      throw ConversionError("Parameter bag element " + std::to_string(i) +
                            " is not a (key, value) pair with a text key");
    }
    if (found == nullptr && SameTextInline(*name, key)) found = &(*pair)[1];
  }
  return found;
}

}  // namespace Tov00300
