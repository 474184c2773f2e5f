#include "platform/sysinfo/machine_state.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "scoped_env.h"

namespace pscfg::sysinfo {
namespace {

struct RootCase {
  const char* name;
  std::optional<std::string> pscfg_root;
  std::optional<std::string> xdg_data_home;
  std::optional<std::string> home;
  std::string expected;
};

void PrintTo(const RootCase& row, std::ostream* os) { *os << row.name; }

const RootCase kRoots[] = {
    {"PscfgRootWins", "/state/here", "/xdg", "/home/u", "/state/here"},
    {"EmptyPscfgRootIgnored", "", "/xdg", "/home/u", "/xdg/pscfg"},
    {"XdgDataHome", std::nullopt, "/xdg", "/home/u", "/xdg/pscfg"},
    {"RelativeXdgIgnored", std::nullopt, "relative", "/home/u", "/home/u/.local/share/pscfg"},
    {"HomeLast", std::nullopt, std::nullopt, "/home/u", "/home/u/.local/share/pscfg"},
};

class MachineStateRootTest : public ::testing::TestWithParam<RootCase> {};

TEST_P(MachineStateRootTest, FollowsTheEnvironment) {
  const RootCase& row = GetParam();
  testing::ScopedEnv env;
  env.Set("PSCFG_ROOT", row.pscfg_root);
  env.Set("XDG_DATA_HOME", row.xdg_data_home);
  env.Set("HOME", row.home);
  EXPECT_EQ(MachineStateRoot(), std::filesystem::path(row.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, MachineStateRootTest, ::testing::ValuesIn(kRoots),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MachineStateRoot, WithoutHomeUsesTheAccount) {
  testing::ScopedEnv env;
  env.Set("PSCFG_ROOT", std::nullopt);
  env.Set("XDG_DATA_HOME", std::nullopt);
  env.Set("HOME", std::nullopt);
  const std::filesystem::path root = MachineStateRoot();
  if (!root.empty()) {
    EXPECT_TRUE(root.is_absolute());
    EXPECT_EQ(root.filename(), "pscfg");
  }
}

}  // namespace
}  // namespace pscfg::sysinfo
