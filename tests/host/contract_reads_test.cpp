// The contracts and the package's own reads cannot drift apart: every
// operation a bag can reach (one that takes a variant) runs once with bags
// holding its contract's keys, while the package's bag reader is watched, and
// every key it looks up must be in the contract.
//
// The reader is watched by interposition: this program defines
// Tov00300::FindInBag, which every bag read of the package (RecebeParams and
// the rest) goes through, notes the key and hands the call on to the
// runtime's own. A key read through a helper, under a computed name or only
// after another key was found is seen as well as a literal one.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "contracts.h"
#include "dispatcher.h"
#include "support/fixture.h"
#include "tov00300/format.h"
#include "tov00300/variant.h"

namespace {

// Marks the bags this test hands out, so that the reads of bags the package
// builds for itself (the grand-total bag of the port opening) are not taken
// for reads of the host's.
constexpr const char* kProbeKey = "ECFHOST_CONTRACT_PROBE";

std::set<std::string>* watchedReads = nullptr;

bool IsProbe(const Tov00300::Variant& bag) {
  if (!bag.IsArray()) return false;
  for (const Tov00300::Variant& pair : bag.AsArray()) {
    if (!pair.IsArray() || pair.AsArray().size() != 2) continue;
    const std::string* key = pair.AsArray()[0].IfString();
    if (key && *key == kProbeKey) return true;
  }
  return false;
}

using FindInBagFunction = const Tov00300::Variant* (*)(const Tov00300::Variant&,
                                                       const std::string&);

}  // namespace

namespace Tov00300 {

const Variant* FindInBag(const Variant& bag, const std::string& key) {
  static const FindInBagFunction runtime = [] {
    Dl_info self{};
    dladdr(reinterpret_cast<void*>(static_cast<FindInBagFunction>(&FindInBag)), &self);
    return self.dli_sname ? reinterpret_cast<FindInBagFunction>(dlsym(RTLD_NEXT, self.dli_sname))
                          : nullptr;
  }();
  if (watchedReads && IsProbe(bag)) watchedReads->insert(UpperCase(key));
  return runtime ? runtime(bag, key) : nullptr;
}

}  // namespace Tov00300

namespace {

using ecfhost::Json;
using ecfhost::ValueKind;

Json SampleValue(ValueKind kind) {
  switch (kind) {
    case ValueKind::kInteger:
      return 1;
    case ValueKind::kNumber:
      return 1.5;
    case ValueKind::kNumberText:
      return "18";
    case ValueKind::kBoolean:
      return false;
    case ValueKind::kDateTime:
      return {{"datetime", "2026-01-05T10:00:00"}};
    default:
      return "1";
  }
}

// An argument of the parameter's kind; a variant gets a marked bag with
// every key the contract lists for it.
Json Argument(const std::string& kind, const ecfhost::ParameterRule* rule) {
  if (kind.starts_with("variant")) {
    Json bag = {{kProbeKey, "1"}};
    if (rule)
      for (const ecfhost::KeyRule& k : rule->keys) bag[k.key] = SampleValue(k.kind);
    return {{"bag", bag}};
  }
  if (kind.starts_with("text")) return "";
  if (kind.starts_with("integer") || kind.starts_with("number")) return 0;
  if (kind.starts_with("boolean")) return false;
  if (kind.starts_with("date-time")) return "2026-01-05";
  if (kind.starts_with("data set")) return {{"rows", Json::array()}};
  if (kind.starts_with("positional array")) return {{"size", 61}};
  if (kind.starts_with("string list")) return {{"strings", Json::array()}};
  return nullptr;
}

class ContractReadsTest : public tovtest::PackageTest {};

TEST_F(ContractReadsTest, EveryBagKeyAnOperationReadsIsInItsContract) {
  // No printer: each operation reads its bag before it talks to the driver,
  // and an unbound driver answers as a printer that is off.
  sandbox().SetEnv("TOV_DRIVER_LIBRARY", sandbox().root() + "/no-driver.so");
  int operationsWithBags = 0;
  for (const ecfhost::Operation& op : ecfhost::Operations()) {
    bool takesVariant = false;
    for (const std::string& kind : op.parameterKinds)
      takesVariant = takesVariant || kind.starts_with("variant");
    if (!takesVariant) continue;
    SCOPED_TRACE(op.name);
    const ecfhost::Contract* contract = ecfhost::FindContract(op.name);
    ASSERT_NE(contract, nullptr) << op.name << " takes a variant and has no contract";
    std::set<std::string> listed;
    bool othersAllowed = false;
    Json args = Json::array();
    for (size_t i = 0; i < op.parameterKinds.size(); ++i) {
      const ecfhost::ParameterRule* rule =
          i < contract->parameters.size() ? &contract->parameters[i] : nullptr;
      if (rule) {
        for (const ecfhost::KeyRule& k : rule->keys) listed.insert(k.key);
        othersAllowed = othersAllowed || rule->otherKeysAllowed;
      }
      args.push_back(Argument(op.parameterKinds[i], rule));
    }
    std::set<std::string> reads;
    watchedReads = &reads;
    try {
      op.Prepare(args)->Run();
    } catch (const std::exception&) {
      // A bag where a data packet belongs: the reads before it are what counts.
    }
    watchedReads = nullptr;
    if (!listed.empty()) {
      ++operationsWithBags;
      EXPECT_FALSE(reads.empty()) << "no bag read was seen";
    }
    if (othersAllowed) continue;
    for (const std::string& key : reads)
      EXPECT_TRUE(listed.count(key))
          << op.name << " reads bag key " << key << ", which its contract does not list";
  }
  EXPECT_GE(operationsWithBags, 8);
}

}  // namespace
