// A fixture that runs a test with the Brazilian settings (',' decimal, '.'
// thousands, dd/mm/yyyy) and restores the process's settings afterwards.
#ifndef TOV00300_TESTS_RUNTIME_PT_BR_SETTINGS_H_
#define TOV00300_TESTS_RUNTIME_PT_BR_SETTINGS_H_

#include <gtest/gtest.h>

#include "tov00300/format.h"

namespace Tov00300 {

class PtBrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = GlobalFormatSettings();
    GlobalFormatSettings() = FormatSettings::FromLocaleName("pt_BR.UTF-8");
  }
  void TearDown() override { GlobalFormatSettings() = saved_; }

 private:
  FormatSettings saved_;
};

}  // namespace Tov00300

#endif  // TOV00300_TESTS_RUNTIME_PT_BR_SETTINGS_H_
