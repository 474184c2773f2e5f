// The manager over real UDP sockets against psemu on a loopback address.

#include <gtest/gtest.h>

#include "platform/net/posix_socket_api.h"
#include "protocol/reset_sequence.h"
#include "protocol/server_manager.h"
#include "tests/support/psemu_process.h"
#include "tests/support/recording_reporter.h"
#include "udp/udp_transport.h"

namespace pscfg {
namespace {

using testing::DeviceFile;

class ManagerOverPsemu : public ::testing::Test {
 protected:
  void Start(std::vector<std::string> devices) {
    testing::PsemuProcess::Options options;
    options.device_files_text = std::move(devices);
    ASSERT_TRUE(psemu_.Start(options)) << psemu_.error();
    manager_.set_title("Print Server");
    manager_.set_program_directory((psemu_.state_dir().parent_path() / "no-config").string());
  }

  int Find(const std::string& alias) {
    for (int i = 0; i < manager_.server_count(); ++i) {
      if (manager_.server(i).Alias() == alias) return i;
    }
    return -1;
  }

  testing::PsemuProcess psemu_;
  net::PosixSocketApi api_;
  UdpTransport transport_{api_};
  testing::RecordingReporter reporter_;
  CPServerManager manager_{transport_, reporter_};
};

TEST_F(ManagerOverPsemu, DiscoveryCopesWithFaultyDevices) {
  Start({
      DeviceFile("00:40:01:00:00:01", {{"alias", "GOOD"}, {"ip_address", "127.0.0.61"}}),
      DeviceFile("00:40:01:00:00:02", {{"alias", "SPLIT"}, {"fault.split_reply", "1"}}),
      DeviceFile("00:40:01:00:00:03", {{"alias", "WRONG"}, {"fault.wrong_command", "1"}}),
      DeviceFile("00:40:01:00:00:04", {{"alias", "BIG"}, {"fault.oversize", "3"}}),
      DeviceFile("00:40:01:00:00:05", {{"alias", "GOOD"}}),  // a second GOOD: first reply wins
  });
  ASSERT_TRUE(manager_.XGetPort());
  ASSERT_NE(Find("GOOD"), -1);
  EXPECT_EQ(manager_.server(Find("GOOD")).ip_address, (net::Ipv4{127, 0, 0, 61}));
  EXPECT_NE(Find("SPLIT"), -1) << "a reply in two datagrams is one reply";
  // WRONG answers discovery (no header test there) but its record read fails
  // the header test, so it leaves the table like a server without TCP/IP.
  EXPECT_EQ(Find("WRONG"), -1);
  EXPECT_EQ(Find("BIG"), -1) << "an oversize datagram is a receive error";
  EXPECT_NE(std::find(reporter_.texts().begin(), reporter_.texts().end(),
                      " 10040: XGetAllPServername-recvfrom() Fail"),
            reporter_.texts().end());
  EXPECT_EQ(manager_.server_count(), 2);
  for (const auto& m : reporter_.messages) EXPECT_EQ(m.caption, "Print Server");
}

TEST_F(ManagerOverPsemu, WriteIsAppliedOnlyAfterTheReset) {
  Start({DeviceFile("00:40:01:00:00:0A", {{"alias", "BEFORE"}, {"reset_silence_ms", "300"}})});
  ASSERT_TRUE(manager_.XGetPort());
  ASSERT_EQ(manager_.server_count(), 1);
  manager_.selected_index = 0;
  PServerEntry& entry = manager_.selected();
  ASSERT_EQ(manager_.XReadPServerEEProm(entry, manager_.eeprom_frame()), 1);

  auto alias = FieldBytes(eeprom::kAlias, manager_.eeprom_image());
  std::fill(alias.begin(), alias.end(), 0);
  const std::string renamed = "AFTER";
  std::copy(renamed.begin(), renamed.end(), alias.begin());
  ASSERT_EQ(manager_.XWritePServerEEProm(entry, manager_.eeprom_frame()), 1);

  std::array<std::uint8_t, kMaxSearchFrameSize> probe{};
  ASSERT_EQ(manager_.XSearchPS(entry, probe), 1);
  EXPECT_EQ(FixedFieldText(std::span(probe).subspan(10 + 8, 48)), "BEFORE");

  const ResetOutcome outcome = ResetAndReread(manager_, entry);
  EXPECT_TRUE(outcome.answered);
  EXPECT_TRUE(outcome.record_read);
  EXPECT_TRUE(outcome.status_read);
  ASSERT_EQ(manager_.XSearchPS(entry, probe), 1);
  EXPECT_EQ(FixedFieldText(std::span(probe).subspan(10 + 8, 48)), "AFTER");
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(ManagerOverPsemu, StatusAndPrinterStatusArriveWhole) {
  Start({DeviceFile("00:40:01:00:00:0B", {{"alias", "STATUS"},
                                          {"capabilities", "2"},
                                          {"ip_address", "127.0.0.99"},
                                          {"fault.split_reply", "1"},
                                          {"display.LPT2", "OFFLINE"}})});
  ASSERT_TRUE(manager_.XGetPort());
  ASSERT_EQ(manager_.server_count(), 1);
  const PServerEntry& entry = manager_.server(0);
  ASSERT_EQ(manager_.XGetPServerStatus(entry, manager_.status_frame()), 1);
  EXPECT_EQ(FieldBytes(status::kIpInUse, manager_.server_status())[3], 99);
  ASSERT_EQ(manager_.XGetPrinterStatus(entry, manager_.printer_status_frame(), 1), 1);
  EXPECT_EQ(FieldBytes(printer_status::kPort, manager_.printer_status())[0], 1);
  EXPECT_EQ(manager_.XTestPrint(entry, 4), 1);
}

}  // namespace
}  // namespace pscfg
