#include <gtest/gtest.h>

#include <cstdio>

#include "tov00300/hostlib.h"

namespace Tov00300::hostlib {
namespace {

DateTime At(int day, int hour, int minute, int second = 0) {
  return DateTime::FromParts(2024, 3, day, hour, minute, second);
}

TEST(SubtDataHoraQir, DifferenceAsHoursAndMinutesWithSign) {
  struct Case {
    DateTime a, b;
    const char* expected;
  } cases[] = {
      {At(10, 14, 0), At(10, 14, 15), "00:15"},
      {At(10, 14, 0), At(10, 14, 16), "00:16"},
      {At(10, 14, 16), At(10, 14, 0), "-00:16"},
      {At(10, 14, 0), At(10, 15, 5), "01:05"},
      {At(10, 15, 5), At(10, 14, 0), "-01:05"},
      {At(10, 14, 0), At(10, 14, 15, 59), "00:15"},  // seconds dropped, not rounded
      {At(10, 14, 0), At(10, 14, 0), "00:00"},
      {At(10, 23, 50), At(11, 0, 10), "00:20"},  // across midnight
      {At(10, 12, 0), At(12, 12, 30), "48:30"},
      {At(1, 0, 0), At(6, 4, 0), "124:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(SubtDataHoraQir(c.a, c.b), c.expected);
}

TEST(SubtDataHoraQir, ExactMinutesSurviveTheDayFraction) {
  // Minute differences computed from day fractions must not lose a minute.
  for (int minute = 0; minute < 24 * 60; minute += 7) {
    DateTime a = At(10, 9, 13, 0);
    DateTime b(a.value + minute / 1440.0);
    char expected[8];
    std::snprintf(expected, sizeof expected, "%02d:%02d", minute / 60, minute % 60);
    EXPECT_EQ(SubtDataHoraQir(a, b), expected);
  }
}

}  // namespace
}  // namespace Tov00300::hostlib
