// The status a device reports agrees with the configuration it runs, as the
// status pages decode it.

#include <gtest/gtest.h>

#include <ostream>

#include "protocol/record_fields.h"
#include "protocol/records/address_text.h"
#include "protocol/records/printer_status.h"
#include "protocol/records/server_status.h"
#include "testbed/psemu/device_records.h"
#include "tests/testbed/psemu_test_util.h"

namespace pscfg::psemu {
namespace {

const std::string kNode = "node = 00:40:01:12:34:56\n";

StatusRecord StatusOf(const DeviceConfig& config) {
  return ServerStatus(config.node, config.record, config.ports, config.status_overlay);
}

struct StatusRow {
  const char* name;
  std::string settings;
  std::string ip_in_use;
  std::string netbeui;
  std::string speed;
  std::uint8_t dhcp_state;
  std::string dhcp_first;
};
// Test names show the row's name, not its bytes.
void PrintTo(const StatusRow& row, std::ostream* out) { *out << row.name; }

class ServerStatusTest : public ::testing::TestWithParam<StatusRow> {};

TEST_P(ServerStatusTest, ShowsWhatTheConfigurationSays) {
  const DeviceConfig config = ConfigFrom(kNode + GetParam().settings);
  const StatusRecord status = StatusOf(config);
  EXPECT_EQ(FormatIpv4(IpAddressInUse(status)), GetParam().ip_in_use);
  EXPECT_EQ(NetBeuiStateText(status, config.record), GetParam().netbeui);
  EXPECT_EQ(SpeedText(status, config.record), GetParam().speed);
  const DhcpServerStatus dhcp = DhcpServerFields(status);
  EXPECT_EQ(dhcp.state, GetParam().dhcp_state);
  EXPECT_EQ(FormatIpv4(dhcp.first_address), GetParam().dhcp_first);
  EXPECT_EQ(FrameTypeText(status, config.record), "Ethernet_II");
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, ServerStatusTest,
    ::testing::Values(
        StatusRow{"Defaults", "", "192.168.1.186", "Active", "10/100M", 0, "0.0.0.0"},
        StatusRow{"FixedAddress", "ip_address = 10.0.0.5\n", "10.0.0.5", "Active", "10/100M", 0,
                  "0.0.0.0"},
        StatusRow{"TcpIpDisabled", "ip_address = 10.0.0.5\nrecord.tcpip_enabled = 0\n", "0.0.0.0",
                  "Active", "10/100M", 0, "0.0.0.0"},
        StatusRow{"NetBeuiDisabled", "record.netbeui_enabled = 0\n", "192.168.1.186", "Inactive",
                  "10/100M", 0, "0.0.0.0"},
        StatusRow{"NetBeuiNotOffered", "record.capabilities = 1\n", "192.168.1.186", "N/A",
                  "10/100M", 0, "0.0.0.0"},
        StatusRow{"NameConflictForced", "status.netbeui_state = 1\n", "192.168.1.186",
                  "Name conflict", "10/100M", 0, "0.0.0.0"},
        StatusRow{"SpeedForced", "status.speed_code = 2\n", "192.168.1.186", "Active", "100M", 0,
                  "0.0.0.0"},
        StatusRow{"DhcpServerOn",
                  "ip_address = 10.0.0.5\nrecord.capabilities = 189\nrecord.dhcp_mode = 1\n"
                  "record.dhcp_pool_start = 10.0.0.50\n",
                  "10.0.0.5", "Active", "10/100M", 1, "10.0.0.50"},
        StatusRow{"DhcpServerAutomaticWithFixedAddress",
                  "ip_address = 10.0.0.5\nrecord.capabilities = 189\nrecord.dhcp_mode = 0\n",
                  "10.0.0.5", "Active", "10/100M", 1, "10.0.0.100"},
        StatusRow{"DhcpServerAutomaticWhenAddressWasAssigned",
                  "record.capabilities = 189\nrecord.dhcp_mode = 0\n", "192.168.1.186", "Active",
                  "10/100M", 0, "0.0.0.0"},
        StatusRow{"DhcpServerOff",
                  "ip_address = 10.0.0.5\nrecord.capabilities = 189\nrecord.dhcp_mode = 2\n",
                  "10.0.0.5", "Active", "10/100M", 0, "0.0.0.0"},
        StatusRow{"DhcpServerNotOffered", "ip_address = 10.0.0.5\nrecord.dhcp_mode = 1\n",
                  "10.0.0.5", "Active", "10/100M", 0, "0.0.0.0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ServerStatusTest, DhcpServerHandsOutTheConfiguredNetwork) {
  const DeviceConfig config = ConfigFrom(kNode +
                                         "ip_address = 10.0.0.5\nrecord.capabilities = 189\n"
                                         "record.dhcp_mode = 1\nrecord.gateway = 10.0.0.1\n"
                                         "record.dhcp_dns = 10.0.0.2\n");
  const DhcpServerStatus dhcp = DhcpServerFields(StatusOf(config));
  EXPECT_EQ(FormatIpv4(dhcp.gateway), "10.0.0.1");
  EXPECT_EQ(FormatIpv4(dhcp.subnet_mask), "255.255.255.0");
  EXPECT_EQ(FormatIpv4(dhcp.dns), "10.0.0.2");
  EXPECT_EQ(FormatIpv4(dhcp.next_address), "10.0.0.100");
}

TEST(ServerStatusTest, PortStatesComeFromThePrinters) {
  const DeviceConfig config = ConfigFrom(kNode +
                                         "record.capabilities = 1\n"  // byte 358 is COM1's
                                         "state.LPT1 = offline\nstate.LPT2 = paper_out\n"
                                         "state.LPT3 = running\nstate.COM1 = paper_out\n");
  const StatusRecord status = StatusOf(config);
  EXPECT_EQ(PortStateTextOfPort(status, 0), "Off Line");
  EXPECT_EQ(PortStateTextOfPort(status, 1), "Paper Out");
  EXPECT_EQ(PortStateTextOfPort(status, 2), "Running");
  EXPECT_EQ(PortStateTextOfPort(status, 3), "Paper Out");
}

struct NetWareRow {
  const char* name;
  std::string settings;
  std::uint8_t bindery;
  std::uint8_t named;
  std::string connection;
};
// Test names show the row's name, not its bytes.
void PrintTo(const NetWareRow& row, std::ostream* out) { *out << row.name; }

class NetWareStatusTest : public ::testing::TestWithParam<NetWareRow> {};

TEST_P(NetWareStatusTest, ConnectionFollowsTheNetWareSettings) {
  const StatusRecord status = StatusOf(ConfigFrom(kNode + GetParam().settings));
  EXPECT_EQ(status[status::kBinderyConnected.offset], GetParam().bindery);
  EXPECT_EQ(status[status::kNamedConnected.offset], GetParam().named);
  EXPECT_EQ(FixedFieldText(FieldBytes(status::kConnectionName, std::span(status))),
            GetParam().connection);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, NetWareStatusTest,
    ::testing::Values(NetWareRow{"NothingSet", "", 0, 0, ""},
                      NetWareRow{"FileServer", "record.primary_file_server = FS1\n", 1, 1, "FS1"},
                      NetWareRow{"Tree", "record.nds_tree = CORP\n", 0, 1, "CORP"},
                      NetWareRow{"Disabled",
                                 "record.primary_file_server = FS1\nrecord.netware_disabled = 1\n",
                                 0, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrinterStatusTest, TextsReadBackAsThePrinterStatusPageShowsThem) {
  const DeviceConfig config = ConfigFrom(kNode +
                                         "state.LPT2 = offline\n"
                                         "display.LPT2 = \"OFFLINE\"\n"
                                         "entries.LPT2 = Toner low;Tray 2 empty;\n");
  const PrinterStatusRecord record = PrinterStatus(1, config.ports[1]);
  EXPECT_EQ(PrinterStatusPort(record), 1);
  EXPECT_EQ(DisplayText(record), "\"OFFLINE\"");
  EXPECT_EQ(Block2Entries(record), (std::vector<std::string>{"Toner low", "Tray 2 empty"}));
}

TEST(PrinterStatusTest, PortWithoutTextsHasEmptyBlocks) {
  const PrinterStatusRecord record = PrinterStatus(3, PrinterPort{});
  EXPECT_EQ(record[printer_status::kBlock1Length.offset], 0);
  EXPECT_EQ(record[printer_status::kBlock2Length.offset], 0);
  EXPECT_EQ(DisplayText(record), "");
}

TEST(SearchInfoTest, AliasComesFromTheRecord) {
  DeviceConfig config = ConfigFrom(kNode + "alias = Front desk\n");
  const InfoBlock info = SearchInfo(config.info, config.record);
  EXPECT_EQ(FixedFieldText(FieldBytes(info::kAlias, std::span(info))), "Front desk");
  EXPECT_EQ(FixedFieldText(FieldBytes(info::kDeviceName, std::span(info))), "PS123456");
}

}  // namespace
}  // namespace pscfg::psemu
