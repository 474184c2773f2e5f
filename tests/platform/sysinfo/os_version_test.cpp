#include "platform/sysinfo/os_version.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "scoped_env.h"

namespace pscfg::sysinfo {
namespace {

TEST(GetVersionEx, ReportsWindows2000ByDefault) {
  testing::ScopedEnv env;
  env.Set("PSCFG_WINVER", std::nullopt);
  OsVersionInfo info;
  ASSERT_TRUE(GetVersionEx(&info));
  EXPECT_EQ(info.os_version_info_size, 148u);
  EXPECT_EQ(info.platform_id, kVerPlatformWin32Nt);
  EXPECT_EQ(info.major_version, 5u);
  EXPECT_EQ(info.minor_version, 0u);
  EXPECT_EQ(info.build_number, 2195u);
  EXPECT_STREQ(info.csd_version, "");
}

TEST(GetVersionEx, RefusesARecordWithoutItsSize) {
  EXPECT_FALSE(GetVersionEx(nullptr));
  OsVersionInfo info;
  info.os_version_info_size = 156;
  info.major_version = 77;
  EXPECT_FALSE(GetVersionEx(&info));
  EXPECT_EQ(info.major_version, 77u);
  info.os_version_info_size = 0;
  EXPECT_FALSE(GetVersionEx(&info));
}

struct WinverCase {
  const char* text;
  std::optional<std::array<std::uint32_t, 3>> expected;  // platform, major, minor
};

void PrintTo(const WinverCase& row, std::ostream* os) { *os << '"' << row.text << '"'; }

const WinverCase kWinverCases[] = {
    {"1:4.10", std::array<std::uint32_t, 3>{1, 4, 10}},
    {"2:4.0", std::array<std::uint32_t, 3>{2, 4, 0}},
    {"2:5.1", std::array<std::uint32_t, 3>{2, 5, 1}},
    {"2:10.0", std::array<std::uint32_t, 3>{2, 10, 0}},
    {"", std::nullopt},
    {"2", std::nullopt},
    {"2:5", std::nullopt},
    {"2:5.", std::nullopt},
    {":5.0", std::nullopt},
    {"2:.0", std::nullopt},
    {"2:5.0x", std::nullopt},
    {" 2:5.0", std::nullopt},
    {"2:5.0 ", std::nullopt},
    {"2:-5.0", std::nullopt},
    {"+2:5.0", std::nullopt},
    {"2:5.0.1", std::nullopt},
    {"a:b.c", std::nullopt},
    {"2:99999999999.0", std::nullopt},
};

class ParseWinverTest : public ::testing::TestWithParam<WinverCase> {};

TEST_P(ParseWinverTest, ReadsPlatformMajorMinor) {
  const WinverCase& row = GetParam();
  const auto parsed = ParseWinver(row.text);
  ASSERT_EQ(parsed.has_value(), row.expected.has_value());
  if (!parsed) return;
  EXPECT_EQ(parsed->platform_id, (*row.expected)[0]);
  EXPECT_EQ(parsed->major_version, (*row.expected)[1]);
  EXPECT_EQ(parsed->minor_version, (*row.expected)[2]);
  EXPECT_EQ(parsed->os_version_info_size, 148u);
}

INSTANTIATE_TEST_SUITE_P(Rows, ParseWinverTest, ::testing::ValuesIn(kWinverCases));

TEST(GetVersionEx, EnvironmentSetsAnotherVersion) {
  testing::ScopedEnv env;
  env.Set("PSCFG_WINVER", "1:4.10");
  OsVersionInfo info;
  ASSERT_TRUE(GetVersionEx(&info));
  EXPECT_EQ(info.platform_id, kVerPlatformWin32Windows);
  EXPECT_EQ(info.major_version, 4u);
  EXPECT_EQ(info.minor_version, 10u);

  env.Set("PSCFG_WINVER", "Windows 98");
  ASSERT_TRUE(GetVersionEx(&info));
  EXPECT_EQ(info.platform_id, kVerPlatformWin32Nt) << "a bad value is ignored";
  EXPECT_EQ(info.major_version, 5u);
}

TEST(GetVersionEx, ScopedVersionWinsAndIsUndone) {
  testing::ScopedEnv env;
  env.Set("PSCFG_WINVER", "1:4.10");
  OsVersionInfo info;
  {
    ScopedOsVersion nt4(kVerPlatformWin32Nt, 4, 0);
    {
      ScopedOsVersion win32s(kVerPlatformWin32s, 3, 11);
      ASSERT_TRUE(GetVersionEx(&info));
      EXPECT_EQ(info.platform_id, kVerPlatformWin32s);
      EXPECT_EQ(info.minor_version, 11u);
    }
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(info.platform_id, kVerPlatformWin32Nt);
    EXPECT_EQ(info.major_version, 4u);
  }
  ASSERT_TRUE(GetVersionEx(&info));
  EXPECT_EQ(info.platform_id, kVerPlatformWin32Windows);
}

}  // namespace
}  // namespace pscfg::sysinfo
