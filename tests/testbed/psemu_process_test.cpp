// psemu as a process: started through PsemuProcess, spoken to over loopback.

#include "tests/support/psemu_process.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>

#include "protocol/record_fields.h"
#include "tests/testbed/psemu_test_util.h"

namespace pscfg::psemu {
namespace {

using pscfg::testing::DeviceFile;
using pscfg::testing::PsemuProcess;
using pscfg::testing::RequestReply;

const std::string kOffice = DeviceFile("00:40:01:12:34:56", {{"alias", "Office"}});
const std::string kLab = DeviceFile("00:40:01:00:00:b2", {{"alias", "Lab"}});

Bytes NodeOf(const Bytes& reply) { return Bytes(reply.begin(), reply.begin() + 6); }

TEST(PsemuProcessTest, StartsOnItsOwnLoopbackAddressAndAnswers) {
  PsemuProcess psemu;
  ASSERT_TRUE(psemu.Start({.device_files_text = {kOffice, kLab}})) << psemu.error();
  EXPECT_EQ(psemu.address().rfind("127.0.0.", 0), 0u) << psemu.address();
  ASSERT_NE(std::getenv("PSCFG_BROADCAST"), nullptr);
  EXPECT_EQ(std::getenv("PSCFG_BROADCAST"), psemu.address());

  const auto replies = RequestReply(psemu.address(), BroadcastSearch(), 2);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].size(), 76u);
  EXPECT_EQ(NodeOf(replies[0]), NodeBytes(kNodeA));
  EXPECT_EQ(NodeOf(replies[1]), NodeBytes(kNodeB));
}

TEST(PsemuProcessTest, StopEndsItCleanlyAndRestoresTheBroadcastVariable) {
  ::unsetenv("PSCFG_BROADCAST");
  PsemuProcess psemu;
  ASSERT_TRUE(psemu.Start({.device_files_text = {kOffice}})) << psemu.error();
  psemu.Stop();
  EXPECT_EQ(psemu.exit_code(), 0) << psemu.stderr_text();
  EXPECT_EQ(std::getenv("PSCFG_BROADCAST"), nullptr);
}

TEST(PsemuProcessTest, BindOutsideLoopbackIsRefused) {
  PsemuProcess psemu;
  EXPECT_FALSE(
      psemu.Start({.device_files_text = {kOffice}, .extra_args = {"--bind", "192.0.2.1"}}));
  EXPECT_EQ(psemu.exit_code(), 2);
  EXPECT_NE(psemu.error().find("only loopback addresses"), std::string::npos) << psemu.error();
}

TEST(PsemuProcessTest, RefusesToRunWhenBroadcastsWouldLeaveTheMachine) {
  ::setenv("PSCFG_BROADCAST", "192.168.1.255", 1);
  PsemuProcess psemu;
  EXPECT_FALSE(psemu.Start({.device_files_text = {kOffice}}));
  EXPECT_NE(psemu.error().find("not a loopback address"), std::string::npos) << psemu.error();
  ::unsetenv("PSCFG_BROADCAST");
}

TEST(PsemuProcessTest, AddressInUseEndsWithCodeThree) {
  PsemuProcess first;
  ASSERT_TRUE(first.Start({.device_files_text = {kOffice}})) << first.error();
  PsemuProcess second;
  EXPECT_FALSE(
      second.Start({.device_files_text = {kLab}, .extra_args = {"--bind", first.address()}}));
  EXPECT_EQ(second.exit_code(), 3);
  EXPECT_NE(second.stderr_text().find("cannot bind"), std::string::npos) << second.stderr_text();
}

TEST(PsemuProcessTest, BadDeviceFileStopsItWithFileAndLine) {
  PsemuProcess psemu;
  EXPECT_FALSE(psemu.Start({.device_files_text = {kOffice + "colour = red\n"}}));
  EXPECT_EQ(psemu.exit_code(), 2);
  EXPECT_NE(psemu.error().find("device0.dev:3: unknown key"), std::string::npos) << psemu.error();
}

TEST(PsemuProcessTest, TwoProcessesServeTheirOwnDevices) {
  PsemuProcess office;
  PsemuProcess lab;
  ASSERT_TRUE(office.Start({.device_files_text = {kOffice}})) << office.error();
  ASSERT_TRUE(lab.Start({.device_files_text = {kLab}})) << lab.error();
  EXPECT_NE(office.address(), lab.address());
  const auto from_office = RequestReply(office.address(), BroadcastSearch(), 1);
  const auto from_lab = RequestReply(lab.address(), BroadcastSearch(), 1);
  ASSERT_EQ(from_office.size(), 1u);
  ASSERT_EQ(from_lab.size(), 1u);
  EXPECT_EQ(NodeOf(from_office[0]), NodeBytes(kNodeA));
  EXPECT_EQ(NodeOf(from_lab[0]), NodeBytes(kNodeB));
}

TEST(PsemuProcessTest, WrittenRecordSurvivesARestart) {
  PsemuProcess psemu;
  ASSERT_TRUE(psemu.Start({.device_files_text = {kOffice}})) << psemu.error();
  auto read = RequestReply(psemu.address(), RequestFor(kNodeA, Command::kReadRecord), 1);
  ASSERT_EQ(read.size(), 1u);
  Record record{};
  std::copy(read[0].begin() + 10, read[0].end(), record.begin());
  record[eeprom::kAlias.offset] = 'K';
  ASSERT_EQ(RequestReply(psemu.address(), WriteRequest(kNodeA, record), 1).size(), 1u);
  psemu.Stop();
  ASSERT_EQ(psemu.exit_code(), 0);

  ASSERT_TRUE(psemu.Start({.device_files_text = {kOffice}})) << psemu.error();
  const auto search = RequestReply(psemu.address(), RequestFor(kNodeA, Command::kSearch), 1);
  ASSERT_EQ(search.size(), 1u);
  EXPECT_EQ(FixedFieldText(FieldBytes(info::kAlias, std::span(search[0]).subspan(10))), "Kffice");
  EXPECT_EQ(std::filesystem::file_size(psemu.state_dir() / "00-40-01-12-34-56.eeprom"), 512u);
}

TEST(PsemuProcessTest, ReloadChangesPrinterStatesLive) {
  PsemuProcess psemu;
  ASSERT_TRUE(psemu.Start({.device_files_text = {kOffice}})) << psemu.error();
  const auto status = [&] {
    auto replies = RequestReply(psemu.address(), RequestFor(kNodeA, Command::kServerStatus), 1);
    return replies.size() == 1 ? replies[0][10 + status::kPortStatusOffsets[0]] : -1;
  };
  EXPECT_EQ(status(), 0);
  ASSERT_TRUE(psemu.RewriteDeviceFile(0, kOffice + "state.LPT1 = paper_out\n"));
  ASSERT_TRUE(psemu.Reload()) << psemu.error();
  EXPECT_EQ(status(), 2);
}

TEST(PsemuProcessTest, LogDescribesEveryDatagram) {
  PsemuProcess psemu;
  ASSERT_TRUE(psemu.Start({.device_files_text = {kOffice}, .extra_args = {"--log"}}))
      << psemu.error();
  RequestReply(psemu.address(), Bytes{0x01, 0x02, 0x03}, 0, std::chrono::milliseconds(100));
  ASSERT_EQ(RequestReply(psemu.address(), BroadcastSearch(), 1).size(), 1u);
  psemu.Stop();
  const std::string log = psemu.stderr_text();
  EXPECT_NE(log.find("len=3 01 02 03 not a request"), std::string::npos) << log;
  EXPECT_NE(log.find("len=10 ff ff ff ff ff ff 00 04 ff fb search -> broadcast"), std::string::npos)
      << log;
}

TEST(PsemuProcessTest, HundredDevicesAllAnswerOneBroadcast) {
  std::vector<std::string> files;
  for (int i = 0; i < 100; ++i) {
    char node[18];
    std::snprintf(node, sizeof node, "00:40:01:00:01:%02x", i);
    files.push_back(DeviceFile(node, {{"alias", "PS-" + std::to_string(i)}}));
  }
  PsemuProcess psemu;
  ASSERT_TRUE(psemu.Start({.device_files_text = files, .keep_state = false})) << psemu.error();
  const auto replies = RequestReply(psemu.address(), BroadcastSearch(), 100);
  std::set<Bytes> nodes;
  for (const auto& reply : replies) {
    EXPECT_EQ(reply.size(), 76u);
    nodes.insert(NodeOf(reply));
  }
  EXPECT_EQ(nodes.size(), 100u);
}

}  // namespace
}  // namespace pscfg::psemu
