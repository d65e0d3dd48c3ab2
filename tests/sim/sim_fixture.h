// Loads the virtual printer as a host does (dlopen of the built library) and
// gives every test its own registry, drive root and host folder.
#ifndef TOV00300_TESTS_SIM_SIM_FIXTURE_H_
#define TOV00300_TESTS_SIM_SIM_FIXTURE_H_

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tov00300/driver_api.h"

namespace Tov00300::simtest {

// The library's exported functions, bound by name.
struct Driver {
#define TOV_SIMTEST_POINTER(name, params) int(*name) params = nullptr;
  TOV00300_DRIVER_ENTRY_POINTS(TOV_SIMTEST_POINTER)
#undef TOV_SIMTEST_POINTER
  int (*simControl_Daruma)(const char*) = nullptr;
};

// The process-wide binding (the library is loaded once, like the package does).
Driver& Sim();
void* SimHandle();

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Points the registry, drive root and host folder at fresh folders and
  // resets the printer there.
  void UseFreshFolders();
  std::string DriverFolder() const { return root_ + "/drive/Daruma/"; }
  std::string ReadDriverFile(const std::string& name) const;

  int Control(const std::string& command) { return Sim().simControl_Daruma(command.c_str()); }
  // Register reply of exactly `width` characters; fails the test when the
  // driver writes past width + terminator.
  std::string Info(int index, size_t width, int* code = nullptr);
  std::string RateList();
  std::string PaymentList();
  std::string TotalizerList();
  // Last-command status.
  std::pair<int, int> Status();
  std::string ErrorText(int code);

  // A receipt through the entry points; every call must answer 1.
  void SellReceipt(const std::vector<std::string>& prices, const std::string& method = "Dinheiro");

  std::string root_;
};

// Calls a driver reply function with a guarded buffer of `width` blanks.
std::string Guarded(size_t width, const std::function<int(char*)>& call, int* code);

}  // namespace Tov00300::simtest

#endif  // TOV00300_TESTS_SIM_SIM_FIXTURE_H_
