#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include "support/debug_log_reader.h"
#include "support/fixture.h"
#include "tov00300/datetime.h"
#include "tov00300/platform.h"
#include "tov00300/session.h"

namespace {

using Tov00300::DateTime;
using Tov00300::ImpFisDebug;
using tovtest::PackageTest;

using DebugLogTest = PackageTest;

TEST_F(DebugLogTest, EntryIsDateTimeDashTextCrLf) {
  tovtest::SetClock(DateTime::FromParts(2026, 7, 9, 8, 5, 3));
  ImpFisDebug("iCFAbrir_ECF_Daruma");
  ImpFisDebug("segunda");
  const auto content = Tov00300::platform::ReadFile(sandbox().hostFolder() + "/impdebug0726.txt");
  ASSERT_TRUE(content.has_value());
  EXPECT_EQ(*content,
            "09/07/2026 08:05:03 - iCFAbrir_ECF_Daruma\r\n"
            "09/07/2026 08:05:03 - segunda\r\n");
}

TEST_F(DebugLogTest, EntriesOfTwoMonthsGoToTwoFiles) {
  tovtest::SetClock(DateTime::FromParts(2026, 7, 31, 23, 59, 59));
  ImpFisDebug("julho");
  tovtest::SetClock(DateTime::FromParts(2026, 8, 1, 0, 0, 1));
  ImpFisDebug("agosto");

  const auto july = tovtest::ReadDebugLogFile(sandbox().hostFolder() + "/impdebug0726.txt");
  const auto august = tovtest::ReadDebugLogFile(sandbox().hostFolder() + "/impdebug0826.txt");
  ASSERT_EQ(july.size(), 1u);
  ASSERT_EQ(august.size(), 1u);
  EXPECT_EQ(july[0].text, "julho");
  EXPECT_EQ(july[0].date, "31/07/2026");
  EXPECT_EQ(august[0].text, "agosto");
  EXPECT_EQ(august[0].time, "00:00:01");
}

TEST_F(DebugLogTest, TextWithCrLfIsOneEntryOverSeveralLines) {
  tovtest::SetClock(DateTime::FromParts(2026, 7, 9, 10, 0, 0));
  ImpFisDebug("rLerAliquotas_ECF_Daruma\r\nRetorno da Impressora : T1800");
  ImpFisDebug("depois");
  const auto entries = tovtest::ReadDebugLog();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].text, "rLerAliquotas_ECF_Daruma\r\nRetorno da Impressora : T1800");
  EXPECT_EQ(entries[1].text, "depois");
}

TEST_F(DebugLogTest, EmptyTextStillMakesAnEntry) {
  tovtest::SetClock(DateTime::FromParts(2026, 1, 2, 3, 4, 5));
  ImpFisDebug("");
  const auto content = Tov00300::platform::ReadFile(sandbox().hostFolder() + "/impdebug0126.txt");
  ASSERT_TRUE(content.has_value());
  EXPECT_EQ(*content, "02/01/2026 03:04:05 - \r\n");
}

// The log stays open between entries; a file moved away or deleted while the
// package runs is made again under its name, a millisecond on at the latest.
TEST_F(DebugLogTest, FileMovedOrDeletedIsMadeAgain) {
  tovtest::SetClock(DateTime::FromParts(2026, 7, 9, 10, 0, 0));
  const std::string log = sandbox().hostFolder() + "/impdebug0726.txt";
  const auto entry = [](const std::string& text) {
    return "09/07/2026 10:00:00 - " + text + "\r\n";
  };
  ImpFisDebug("antes");
  std::filesystem::rename(log, log + ".old");
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  ImpFisDebug("depois de movido");
  EXPECT_EQ(Tov00300::platform::ReadFile(log), entry("depois de movido"));
  std::filesystem::remove(log);
  std::this_thread::sleep_for(std::chrono::milliseconds(2));
  ImpFisDebug("depois de apagado");
  EXPECT_EQ(Tov00300::platform::ReadFile(log), entry("depois de apagado"));
  EXPECT_EQ(Tov00300::platform::ReadFile(log + ".old"), entry("antes"));
}

TEST_F(DebugLogTest, WriteErrorReachesTheCallerNamingTheFile) {
  tovtest::SetClock(DateTime::FromParts(2026, 7, 9, 10, 0, 0));
  sandbox().SetEnv("TOV_HOST_DIR", sandbox().root() + "/no-such-folder");
  try {
    ImpFisDebug("x");
    FAIL() << "expected an exception";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find("no-such-folder/impdebug0726.txt"), std::string::npos)
        << error.what();
  }
}

}  // namespace
