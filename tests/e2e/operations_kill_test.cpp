// A till killed part-way through each operation beyond the sale: at every
// driver call the operation makes (as a clean run of it shows), as the call
// arrives and once it has acted. The next till start (a new process) must
// find the printer sound: its journal, detail memory and tape agree (the
// printer refuses every command with error 28 when they do not), nothing is
// left open, the grand total checks, a sale goes through, and every Z
// reduction the printer made is in the document register once.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "operations_table.h"

namespace e2e {
namespace {

class OperationsKillTest : public OperationTest {
 protected:
  // A till start, the operation's setup, the kill armed (none for ""), the
  // operation.
  Json Script(const std::string& kill) const {
    std::vector<Json> calls = TillStart();
    calls.insert(calls.end(), op_.setup.begin(), op_.setup.end());
    if (!kill.empty()) calls.push_back(Sim(kill));
    calls.push_back(op_.call);
    return {{"locale", "pt_BR"}, {"answers", std::vector<std::string>(12, "S")}, {"calls", calls}};
  }

  // What the next till start finds wrong; "" when the printer is sound.
  std::string Restart() {
    std::vector<Json> calls = TillStart();
    calls.push_back(RegisterCall(24, 4));
    calls.push_back({{"op", "records"}});
    const HostRun run = Run({{"locale", "pt_BR"}, {"calls", calls}});
    std::string fault = TillStartFault(run, 0);
    if (!fault.empty() || run.records.size() != calls.size()) return fault + run.err;
    long long zRecords = 0;
    for (const Json& row : run.records.back()["args"][1].value("rows", Json::array()))
      zRecords += row["tipo_documento"] == "RZ";
    const long long crz = std::stoll(run.records[calls.size() - 2]["args"][1].get<std::string>());
    // Z reductions made straight through the driver (the legal files'
    // setup) are not the package's to record.
    const bool rawZ = std::any_of(op_.setup.begin(), op_.setup.end(), [](const Json& c) {
      return c.value("name", "") == "iReducaoZ_ECF_Daruma";
    });
    if (!rawZ && crz != zRecords)
      return std::to_string(crz) + " Z reductions, " + std::to_string(zRecords) + " recorded";
    return "";
  }
};

TEST_P(OperationsKillTest, KilledAtEveryDriverCall) {
  const HostRun clean = Run(Script(""));
  ASSERT_FALSE(AnsweredFalse(op_, clean.At(clean.records.size() - 1))) << clean.out << clean.err;
  const size_t calls = clean.records.back()["driver"].size();
  int kills = 0, unsound = 0;
  for (size_t point = 0; point < 2 * calls; point += Stride("TOV_KILL_STRIDE", 5)) {
    const std::string kill =
        "kill " + std::to_string(point / 2 + 1) + (point % 2 == 1 ? " acted" : "");
    const std::string what = GetParam() + " x " + kill + " (" +
                             clean.records.back()["driver"][point / 2]["call"].get<std::string>() +
                             ")";
    const HostRun killed = Run(Script(kill));
    EXPECT_EQ(killed.exitStatus, 128 + 9) << what << " was not killed: " << killed.err;
    ++kills;
    const std::string fault = Restart();
    if (!fault.empty()) {
      ++unsound;
      ADD_FAILURE() << "after " << what << " the next till start found: " << fault;
    }
  }
  std::cout << GetParam() << ": " << calls << " driver calls, " << kills << " kills, " << unsound
            << " unsound restarts\n";
}

std::vector<std::string> OperationNames() {
  std::vector<std::string> names;
  for (const Operation& op : Operations("")) names.push_back(op.name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Operations, OperationsKillTest, ::testing::ValuesIn(OperationNames()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace e2e
