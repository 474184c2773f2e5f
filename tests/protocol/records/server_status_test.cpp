#include "protocol/records/server_status.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "protocol/record_fields.h"
#include "protocol/wire.h"

#include "tests/protocol/records/row_name.h"

namespace pscfg {
namespace {

using Status = std::array<std::uint8_t, kPServerStatusSize>;
using Image = std::array<std::uint8_t, kEEPromImageSize>;

TEST(PortStateTextTest, OnlyTheLowTwoBitsCount) {
  EXPECT_EQ(PortStateText(0x00), "Ready");
  EXPECT_EQ(PortStateText(0x01), "Off Line");
  EXPECT_EQ(PortStateText(0x02), "Paper Out");
  EXPECT_EQ(PortStateText(0x03), "Running");
  EXPECT_EQ(PortStateText(0x06), "Paper Out");
  EXPECT_EQ(PortStateText(0xFD), "Off Line");
}

TEST(PortStatusTest, EachPortHasItsByte) {
  Status status{};
  const std::array<std::size_t, 5> offsets = {6, 160, 259, 358, 457};
  for (int port = 0; port < 5; ++port) {
    status[offsets[port]] = static_cast<std::uint8_t>(0x04 | port % 4);
  }
  for (int port = 0; port < 5; ++port) {
    EXPECT_EQ(PortStatusByte(status, port), 0x04 | port % 4) << port;
  }
  EXPECT_EQ(PortStateTextOfPort(status, 2), "Paper Out");
  EXPECT_EQ(PortStateTextOfPort(status, 4), "Ready");
  EXPECT_EQ(PortStatusByte(status, 5), 0);
  EXPECT_EQ(PortStatusByte(status, -1), 0);
}

Image WithTcpIp(bool supported, bool enabled) {
  Image image{};
  if (supported) image[eeprom::kCapabilities.offset] |= eeprom::kCapTcpIp;
  if (enabled) image[eeprom::kTcpIpEnabled.offset] |= eeprom::kTcpIpEnabled.mask;
  return image;
}

struct FrameRow {
  std::uint8_t type;
  bool supported, enabled;
  std::string text;
};

void PrintTo(const FrameRow& row, std::ostream* os) {
  *os << "type" << int{row.type} << (row.supported ? "_supported" : "")
      << (row.enabled ? "_enabled" : "");
}

class FrameTypeTest : public testing::TestWithParam<FrameRow> {};

TEST_P(FrameTypeTest, DependsOnTcpIp) {
  Status status{};
  status[0] = GetParam().type;
  EXPECT_EQ(FrameTypeText(status, WithTcpIp(GetParam().supported, GetParam().enabled)),
            GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrameTypeTest,
    testing::Values(FrameRow{0, false, false, "802.2"}, FrameRow{1, false, true, "802.3"},
                    FrameRow{2, false, false, "Ethernet_II"},
                    FrameRow{3, true, false, "Ethernet SNAP"},
                    FrameRow{1, true, true, "802.3 & Ethernet_II"},
                    FrameRow{0, true, true, "802.2 & Ethernet_II"},
                    FrameRow{3, true, true, "Ethernet SNAP & Ethernet_II"},
                    FrameRow{2, true, true, "Ethernet_II"}, FrameRow{7, true, true, "Ethernet_II"},
                    FrameRow{7, true, false, "Unknown"}, FrameRow{255, false, false, "Unknown"}));

TEST(NetBeuiStateTest, TextsWhenSupportedElseNotAvailable) {
  Status status{};
  Image image{};
  EXPECT_EQ(NetBeuiStateText(status, image), "N/A");
  image[eeprom::kCapabilities.offset] = eeprom::kCapNetBeui;
  for (auto [byte, text] :
       {std::pair<int, const char*>{0, "Inactive"}, {1, "Name conflict"}, {2, "Active"}, {5, ""}}) {
    status[358] = static_cast<std::uint8_t>(byte);
    EXPECT_EQ(NetBeuiStateText(status, image), text) << byte;
  }
}

TEST(SpeedTextTest, CodesThenTheFallback) {
  Status status{};
  Image image{};
  for (auto [code, text] : {std::pair<int, const char*>{1, "10M"}, {2, "100M"}, {3, "10/100M"}}) {
    status[457] = static_cast<std::uint8_t>(code);
    EXPECT_EQ(SpeedText(status, image), text);
  }
  status[457] = 0;
  image[eeprom::kParallelPorts.offset] = 0x01;
  EXPECT_EQ(SpeedText(status, image), "10M");
  image[eeprom::kParallelPorts.offset] = 0x03;
  EXPECT_EQ(SpeedText(status, image), "10/100 M");
  image[eeprom::kParallelPorts.offset] = 0x06;  // 2 parallel ports
  EXPECT_EQ(SpeedText(status, image), "10/100 M");
  image[eeprom::kParallelPorts.offset] = 0x01;
  image[eeprom::kSpeedMarker.offset] = 'x';
  status[457] = 9;
  EXPECT_EQ(SpeedText(status, image), "10/100 M");
}

TEST(SupportedProtocolsTest, BuildsFromTheCapabilities) {
  Image image{};
  EXPECT_EQ(SupportedProtocolsText(image, 0x01), "IPX/SPX/NDS");  // no SNMP without TCP/IP
  image[489] = eeprom::kCapNetWareWithoutNds;
  EXPECT_EQ(SupportedProtocolsText(image, 0x01), "IPX/SPX");
  image[489] = eeprom::kCapTcpIp | eeprom::kCapNetBeui;
  EXPECT_EQ(SupportedProtocolsText(image, 0x00), "IPX/SPX/NDS & TCP/IP & NetBEUI");
  EXPECT_EQ(SupportedProtocolsText(image, 0x11), "IPX/SPX/NDS & TCP/IP & SNMP & NetBEUI");
}

TEST(SelfTestPageTest, EnableOrDisable) {
  Image image{};
  EXPECT_EQ(SelfTestPageText(image), "Disable");
  image[72] = 0x80;
  EXPECT_EQ(SelfTestPageText(image), "Enable");
}

TEST(QueueBlockTest, ReadsFlagAndNames) {
  Status status{};
  const std::size_t block = 62 + 99 * 3;  // COM1
  status[block] = 1;
  std::memcpy(&status[block + 2], "QUEUE_C", 8);
  std::memcpy(&status[block + 50], "FS1", 4);
  const QueueAttachment com1 = QueueBlock(status, 3);
  EXPECT_TRUE(com1.attached);
  EXPECT_EQ(com1.queue_name, "QUEUE_C");
  EXPECT_EQ(com1.file_server, "FS1");
  status[62] = 2;  // only a flag of 1 means attached
  EXPECT_FALSE(QueueBlock(status, 0).attached);
  EXPECT_FALSE(QueueBlock(status, 4).attached);  // COM2 has no block
  EXPECT_EQ(QueueBlock(status, 4).queue_name, "");
}

TEST(DhcpServerFieldsTest, ReadsStateAndAddresses) {
  Status status{};
  status[458] = 1;
  const std::array<std::uint8_t, 4> first = {192, 168, 1, 100};
  std::copy(first.begin(), first.end(), status.begin() + 459);
  status[477] = 192;
  status[480] = 101;
  const DhcpServerStatus dhcp = DhcpServerFields(status);
  EXPECT_EQ(dhcp.state, 1);
  EXPECT_EQ(dhcp.first_address, (Ipv4Bytes{192, 168, 1, 100}));
  EXPECT_EQ(dhcp.next_address, (Ipv4Bytes{192, 0, 0, 101}));
  EXPECT_EQ(DhcpServerStateText(0), "Inactive");
  EXPECT_EQ(DhcpServerStateText(1), "Active");
  EXPECT_EQ(DhcpServerStateText(2), "");
}

TEST(IpInUseTest, ReadsBytes58To61) {
  Status status{};
  status[58] = 10;
  status[61] = 7;
  EXPECT_EQ(IpAddressInUse(status), (Ipv4Bytes{10, 0, 0, 7}));
}

}  // namespace
}  // namespace pscfg
