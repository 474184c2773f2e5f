// The server table: adding, the Config.ini device check, dropping.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ipx/ipx_transport.h"
#include "protocol/server_manager.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scripted_socket_api.h"
#include "udp/udp_transport.h"

namespace pscfg {
namespace {

namespace fs = std::filesystem;

// A program directory of its own, with or without a Config.ini.
class ProgramDirectory {
 public:
  ProgramDirectory() {
    path_ = fs::temp_directory_path() /
            ("pscfg-manager-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    fs::create_directories(path_);
  }
  ~ProgramDirectory() { fs::remove_all(path_); }
  void WriteConfig(const std::string& text) const {
    std::ofstream(path_ / "Config.ini", std::ios::binary) << text;
  }
  std::string path() const { return path_.string(); }

 private:
  static inline int counter_ = 0;
  fs::path path_;
};

PServerInfo Info(const std::string& alias, std::uint8_t vendor = 0, std::uint8_t type = 0) {
  PServerInfo info{};
  std::copy_n("PSDEVICE", 8, info.begin());
  std::copy(alias.begin(), alias.end(), info.begin() + 8);
  info[56] = vendor;
  info[58] = type;
  info[64] = 1;
  return info;
}

class ManagerTest : public ::testing::Test {
 protected:
  ManagerTest() { manager.set_program_directory(dir.path()); }

  testing::ScriptedSocketApi api;
  testing::RecordingReporter reporter;
  UdpTransport transport{api};
  CPServerManager manager{transport, reporter};
  ProgramDirectory dir;
};

TEST_F(ManagerTest, ConfigIniDecidesWhichDevicesAreAccepted) {
  struct Row {
    const char* config;  // nullptr: no Config.ini
    int vendor;
    int type;
    bool accepted;
  };
  const Row rows[] = {
      {nullptr, 7, 0, true},
      {nullptr, 0, 1, false},
      {"[General Information]\nVendorID=5\nDeviceType1=0\n", 7, 0, false},
      {"[General Information]\nVendorID=5\nDeviceType1=0\n", 5, 3, true},
      {"[General Information]\nVendorID=5\nDeviceType1=0\n", 0, 3, true},
      {"[General Information]\nVendorID=200\nDeviceType1=0\n", 200, 0, true},
      {"[General Information]\nVendorID=456\nDeviceType1=0\n", 200, 9, true},  // low byte 200
      {"[General Information]\nDeviceType1=3\nDeviceType2=9\n", 0, 2, true},
      {"[General Information]\nDeviceType1=3\nDeviceType2=9\n", 0, 8, true},
      {"[General Information]\nDeviceType1=3\nDeviceType2=9\n", 0, 3, false},
      {"[General Information]\nDeviceType1=3\nDeviceType2=9\n", 0, 0, true},
      {"[General Information]\nDeviceType1=3\nDeviceType3=5\n", 0, 4, false},
      {"[General Information]\nVendorID=5\n", 5, 1, false},
      {"[General Information]\nVendorID=5\n", 5, 0, true},
      {"[general information]\ndevicetype1=abc\n", 0, 77, true},  // not a number admits all
      {"[General Information]\nDeviceType1=257\n", 0, 0, true},
      {"[General Information]\nDeviceType1=257\n", 0, 1, false},  // admits type code 0 only
      {"", 0, 1, false},
      {"\x01\x02\xFF\xFE garbage\n[General Information\nDeviceType1", 0, 5, false},
  };
  for (const Row& row : rows) {
    ProgramDirectory own;
    if (row.config != nullptr) own.WriteConfig(row.config);
    manager.set_program_directory(own.path());
    EXPECT_EQ(manager.IsAcceptedDevice(static_cast<std::uint8_t>(row.vendor),
                                       static_cast<std::uint8_t>(row.type)),
              row.accepted)
        << (row.config ? row.config : "(no Config.ini)") << " vendor " << row.vendor << " type "
        << row.type;
  }
}

TEST_F(ManagerTest, LowByteOfDeviceTypeZeroAdmitsEveryType) {
  // 256 has low byte 0, like the value 0 itself.
  dir.WriteConfig("[General Information]\nDeviceType1=256\n");
  EXPECT_TRUE(manager.IsAcceptedDevice(0, 200));
}

TEST_F(ManagerTest, FirstReplyUnderANameWins) {
  const auto first = net::SocketAddress::Inet({127, 0, 0, 9}, 13364);
  const auto second = net::SocketAddress::Inet({127, 0, 0, 10}, 13364);
  EXPECT_TRUE(manager.AddServer(Info("PS-A"), first, {1, 2, 3, 4, 5, 6}));
  EXPECT_FALSE(manager.AddServer(Info("PS-A"), second, {9, 9, 9, 9, 9, 9}));
  EXPECT_TRUE(manager.AddServer(Info("ps-a"), second, {9, 9, 9, 9, 9, 9}))
      << "aliases compare case-sensitively";
  ASSERT_EQ(manager.server_count(), 2);
  EXPECT_EQ(manager.server(0).node_address, (NodeAddress{1, 2, 3, 4, 5, 6}));
  const auto raw = first.bytes();
  EXPECT_TRUE(std::equal(raw.begin(), raw.end(), manager.server(0).udp_sender.begin()));
}

TEST_F(ManagerTest, RefusedDeviceIsNotAdded) {
  EXPECT_FALSE(manager.AddServer(Info("PS-B", 0, 4), {}, {}));
  EXPECT_EQ(manager.server_count(), 0);
}

TEST_F(ManagerTest, AliasWithoutTerminatorIsCutAtItsField) {
  PServerInfo info = Info("");
  std::fill(info.begin() + 8, info.end(), 'A');  // no 0 anywhere after byte 8
  info[56] = 0;
  info[58] = 0;
  EXPECT_TRUE(manager.AddServer(info, {}, {}));
  EXPECT_EQ(manager.server(0).Alias(), std::string(48, 'A'));
}

TEST_F(ManagerTest, TheTableHoldsAHundredEntries) {
  for (int i = 0; i < 101; ++i) {
    EXPECT_EQ(manager.AddServer(Info("PS" + std::to_string(i)), {}, {}), i < 100) << i;
  }
  EXPECT_EQ(manager.server_count(), 100);
}

TEST_F(ManagerTest, DropUnacceptedKeepsTheOrderOfTheKept) {
  for (const char* alias : {"A", "B", "C", "D"}) manager.AddServer(Info(alias), {}, {});
  manager.server(0).tcpip = 1;
  manager.server(2).tcpip = 1;
  manager.server(3).tcpip = 1;
  EXPECT_EQ(manager.DropUnaccepted(), 3);
  EXPECT_EQ(manager.server(0).Alias(), "A");
  EXPECT_EQ(manager.server(1).Alias(), "C");
  EXPECT_EQ(manager.server(2).Alias(), "D");
}

TEST(HalvexManager, KeepsTheIpxAddressAndDropsByTheAcceptedFlag) {
  testing::ScriptedSocketApi api;
  testing::RecordingReporter reporter;
  IpxTransport transport(api);
  CPServerManager manager(transport, reporter);
  const auto address = net::SocketAddress::Ipx({0, 0, 0, 7}, {1, 2, 3, 4, 5, 6}, 0x3434);
  ASSERT_TRUE(manager.AddServer(Info("X"), address, {}));
  ASSERT_TRUE(manager.AddServer(Info("Y"), address, {}));
  const auto raw = address.bytes();
  EXPECT_TRUE(std::equal(raw.begin(), raw.end(), manager.server(0).ipx_address.begin()));
  manager.server(1).accepted = 1;
  manager.server(0).tcpip = 1;  // not Halvex's keep-flag
  EXPECT_EQ(manager.DropUnaccepted(), 1);
  EXPECT_EQ(manager.server(0).Alias(), "Y");
  EXPECT_EQ(manager.eeprom_frame().size(), 516u);
  EXPECT_EQ(manager.status_frame().size(), 485u);
  EXPECT_EQ(manager.printer_status_frame().size(), 410u);
}

TEST_F(ManagerTest, DornelFramesCarryTheNodePrefix) {
  EXPECT_EQ(manager.eeprom_frame().size(), 522u);
  EXPECT_EQ(manager.status_frame().size(), 491u);
  EXPECT_EQ(manager.printer_status_frame().size(), 416u);
  EXPECT_EQ(manager.eeprom_image().data() - manager.eeprom_frame().data(), 10);
}

}  // namespace
}  // namespace pscfg
