// psemu's command line and its --log lines.

#include <gtest/gtest.h>

#include <ostream>

#include "testbed/psemu/command_line.h"
#include "testbed/psemu/frame_log.h"
#include "tests/testbed/psemu_test_util.h"

namespace pscfg::psemu {
namespace {

TEST(CommandLineTest, TakesEveryOption) {
  CommandLine line;
  std::string error;
  ASSERT_TRUE(ParseCommandLine(
      {"--bind", "127.0.0.9", "--port", "14000", "--state", "st", "--log", "a.dev", "devices"},
      &line, &error))
      << error;
  EXPECT_EQ(line.bind, (std::array<std::uint8_t, 4>{127, 0, 0, 9}));
  EXPECT_EQ(line.port, 14000);
  EXPECT_EQ(line.state_dir, "st");
  EXPECT_TRUE(line.log);
  EXPECT_EQ(line.device_arguments, (std::vector<std::string>{"a.dev", "devices"}));
}

TEST(CommandLineTest, DefaultPortIsTheDevicePort) {
  CommandLine line;
  std::string error;
  ASSERT_TRUE(ParseCommandLine({"--bind", "127.1.2.3", "a.dev"}, &line, &error)) << error;
  EXPECT_EQ(line.port, kUdpDevicePort);
  EXPECT_TRUE(line.state_dir.empty());
}

struct BadLineRow {
  const char* name;
  std::vector<std::string> arguments;
  std::string message;
};
// Test names show the row's name, not its bytes.
void PrintTo(const BadLineRow& row, std::ostream* out) { *out << row.name; }

class BadCommandLineTest : public ::testing::TestWithParam<BadLineRow> {};

TEST_P(BadCommandLineTest, IsRefused) {
  CommandLine line;
  std::string error;
  EXPECT_FALSE(ParseCommandLine(GetParam().arguments, &line, &error));
  EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, BadCommandLineTest,
    ::testing::Values(
        BadLineRow{"PrivateAddress", {"--bind", "192.168.1.5"}, "only loopback addresses"},
        BadLineRow{"AnyAddress", {"--bind", "0.0.0.0"}, "only loopback addresses"},
        BadLineRow{"BroadcastAddress", {"--bind", "255.255.255.255"}, "only loopback addresses"},
        BadLineRow{"NotAnAddress", {"--bind", "localhost"}, "not an IPv4 address"},
        BadLineRow{"NoBind", {"a.dev"}, "--bind 127.0.0.N is required"},
        BadLineRow{"BindWithoutValue", {"--bind"}, "needs a value"},
        BadLineRow{"BadPort", {"--bind", "127.0.0.2", "--port", "70000"}, "not a port number"},
        BadLineRow{"UnknownOption", {"--bind", "127.0.0.2", "--fast"}, "unknown option --fast"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrameLogTest, DescribesRequestsAndGarbage) {
  EXPECT_EQ(DescribeDatagram("127.0.0.1:40000", BroadcastSearch()),
            "127.0.0.1:40000 len=10 ff ff ff ff ff ff 00 04 ff fb search -> broadcast");
  EXPECT_EQ(DescribeDatagram("127.0.0.1:1", RequestFor(kNodeA, Command::kPrinterStatus, {1, 0})),
            "127.0.0.1:1 len=12 00 40 01 12 34 56 00 0a ff f5 01 00 printer-status -> "
            "00:40:01:12:34:56");
  EXPECT_EQ(DescribeDatagram("x", Bytes(20, 0x11)),
            "x len=20 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 11 ... not a request");
}

}  // namespace
}  // namespace pscfg::psemu
