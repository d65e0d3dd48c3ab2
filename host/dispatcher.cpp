// The table of operations a till script can call, joined from the families'
// parts (operation_families.h) and sorted by name.
#include "dispatcher.h"

#include <algorithm>
#include <iterator>

#include "operation_families.h"

namespace ecfhost {

namespace {

std::vector<Operation> MakeTable() {
  std::vector<Operation> table;
  for (auto part : {SessionOperations, ReceiptOperations, DocumentOperations, LegalOperations,
                    ClosingOperations, AccountOperations}) {
    std::vector<Operation> ops = part();
    table.insert(table.end(), std::make_move_iterator(ops.begin()),
                 std::make_move_iterator(ops.end()));
  }
  std::sort(table.begin(), table.end(),
            [](const Operation& a, const Operation& b) { return a.name < b.name; });
  return table;
}

}  // namespace

void ThrowArgumentError(size_t index, const char* kind, const std::exception& e) {
  throw ArgumentError("args[" + std::to_string(index) + "] (" + kind + "): " + e.what());
}

void ThrowSurplusArguments(size_t parameters, size_t given) {
  throw ArgumentError("takes " + std::to_string(parameters) + " argument" +
                      (parameters == 1 ? "" : "s") + ", got " + std::to_string(given));
}

void detail::AppendShown(Json& list, Json&& shown) {
  list.push_back(std::move(shown));
}

const std::vector<Operation>& Operations() {
  static const std::vector<Operation> table = MakeTable();
  return table;
}

const Operation* FindOperation(std::string_view name) {
  const auto& table = Operations();
  auto found =
      std::lower_bound(table.begin(), table.end(), name,
                       [](const Operation& op, std::string_view n) { return op.name < n; });
  return found != table.end() && found->name == name ? &*found : nullptr;
}

}  // namespace ecfhost
