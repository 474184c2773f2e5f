// The print-server status page of both programs over the scripted network:
// its dialog, the texts it decodes from the records and its gate.

#include "pages/page03.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "pages/page00.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/reset_sequence.h"
#include "tests/shell/sheet_fixture.h"

namespace pscfg {
namespace {

using namespace page03;
using testing::FakeServer;
using testing::MakeServer;

constexpr PageSlot kPages[] = {
    {PageKind::kGeneral, 0, &MakePage<Page00>},
    {PageKind::kServerStatus, 1, &MakePage<Page03>},
};

std::string VariantName(Variant variant) {
  return variant == Variant::kHalvex ? "Halvex" : "Dornel";
}

class StatusPage : public ::testing::TestWithParam<Variant> {
 protected:
  StatusPage() : run_(GetParam()) {}

  void Open(FakeServer server) {
    run_.network().Add(std::move(server));
    run_.Open(kPages);
    ASSERT_EQ(run_.manager().server_count(), 1);
    page_ = static_cast<Page03*>(run_.sheet().FindPage(PageKind::kServerStatus));
    run_.services().message_box.Clear();
    run_.network().server(0).requests.clear();
    ASSERT_TRUE(run_.sheet().SetActivePage(page_));
  }

  testing::ScriptedSheet run_;
  Page03* page_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Programs, StatusPage,
                         ::testing::Values(Variant::kHalvex, Variant::kDornel),
                         [](const auto& info) { return VariantName(info.param); });

// A server with TCP/IP, its Ethernet address in the record and an address in use.
FakeServer StatusServer(const std::string& alias = "PS-STATUS") {
  FakeServer server = MakeServer(alias, 1);
  const std::uint8_t mac[] = {0x00, 0x40, 0x01, 0xAB, 0xCD, 0xEF};
  std::copy(std::begin(mac), std::end(mac),
            testing::Field(eeprom::kEthernetAddress, server.record).begin());
  SetFlag(eeprom::kTcpIpEnabled, server.record, true);
  const std::uint8_t in_use[] = {192, 168, 1, 123};
  std::copy(std::begin(in_use), std::end(in_use),
            testing::Field(status::kIpInUse, server.status).begin());
  return server;
}

TEST_P(StatusPage, DialogOfTheProgram) {
  Open(StatusServer());
  const bool halvex = GetParam() == Variant::kHalvex;
  const ui::DialogTemplate& dialog = page_->dialog_template();
  EXPECT_EQ(dialog.id, kDialog);
  EXPECT_EQ(dialog.caption, "Plintrex Status");
  EXPECT_EQ(dialog.rect.cx, 240);
  EXPECT_EQ(dialog.rect.cy, halvex ? 230 : 215);
  EXPECT_EQ(page_->ip_in_use_id(), halvex ? 1033 : 1000);
  EXPECT_EQ(page_->netbeui_id(), halvex ? 1035 : 1002);
  EXPECT_EQ(page_->self_test_page_id(), halvex ? 1034 : 1001);
  const VariantTraits& traits = run_.traits();
  EXPECT_EQ(traits.header_picture_id, halvex ? 1135 : 1052);
  EXPECT_EQ(traits.header_title_id, halvex ? 1120 : 1049);
  EXPECT_NE(page_->GetDlgItem(traits.header_picture_id), nullptr);
  EXPECT_EQ(page_->GetDlgItemText(traits.header_title_id), "Print Server");
  EXPECT_EQ(run_.sheet().GetTabText(1), "Print Server 狀態");

  // Labels in template order, each before its value field.
  std::vector<std::string> labels;
  for (const ui::ControlTemplate& control : dialog.controls) {
    if (control.kind == ui::ControlKind::kStatic && control.id == ui::kIdStatic) {
      labels.push_back(control.text);
    }
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"裝置名稱", "別名", "乙太網路位址", "數據框類型",
                                              "使用中 IP", halvex ? "NetBEUI " : "NetBEUI",
                                              "通訊協定支援", "網路速度", "自我測試頁"}));
  const std::pair<int, int> limits[] = {
      {kDeviceName, 9},
      {kAlias, 48},
      {kEthernetAddress, 20},
      {kFrameType, 20},
      {kProtocols, 35},
      {kSpeed, 20},
      {page_->ip_in_use_id(), 0},
      {page_->netbeui_id(), 0},
      {page_->self_test_page_id(), 0},
  };
  for (const auto& [id, limit] : limits) {
    EXPECT_EQ(page_->GetLimitText(id), limit) << id;
    EXPECT_FALSE(page_->IsWindowEnabled(id)) << id;
  }
}

TEST_P(StatusPage, ShowsTheIdentityFromTheTableAndTheRecords) {
  Open(StatusServer());
  EXPECT_EQ(page_->GetDlgItemText(kDeviceName), "PSDEVICE") << "all 8 characters";
  EXPECT_EQ(page_->GetDlgItemText(kAlias), "PS-STATUS");
  EXPECT_EQ(page_->GetDlgItemText(kEthernetAddress), "00 40 01 AB CD EF");
  EXPECT_EQ(page_->GetDlgItemText(page_->ip_in_use_id()), "192.168.1.123");
  EXPECT_TRUE(run_.network().server(0).requests.empty()) << "the page asks the device nothing";
  EXPECT_TRUE(run_.services().message_box.shown().empty());
  EXPECT_TRUE(page_->IsWindowEnabled());
}

TEST_P(StatusPage, OnlyDornelSetsTheProgramCaption) {
  Open(StatusServer());
  ASSERT_TRUE(run_.sheet().SetActivePage(0));
  run_.sheet().SetTitle("PS-STATUS");
  ASSERT_TRUE(run_.sheet().SetActivePage(page_));
  EXPECT_EQ(run_.sheet().GetWindowText(),
            GetParam() == Variant::kDornel ? "Print Server 設定程式  3.0" : "PS-STATUS");
}

TEST_P(StatusPage, OnlyHalvexGatesOnTheFirmware) {
  FakeServer old = StatusServer("OLD");
  old.firmware_complete = 0;
  Open(old);
  if (GetParam() == Variant::kHalvex) {
    EXPECT_EQ(run_.services().message_box.texts(),
              std::vector<std::string>{"請先更新列印伺服器軔體"});
    EXPECT_FALSE(page_->IsWindowEnabled());
    EXPECT_EQ(page_->GetDlgItemText(kAlias), "") << "not filled";
    ASSERT_TRUE(run_.sheet().SetActivePage(0));
    ASSERT_TRUE(run_.sheet().SetActivePage(page_));
    EXPECT_EQ(run_.services().message_box.texts().size(), 2u) << "once per activation";
  } else {
    EXPECT_TRUE(run_.services().message_box.shown().empty());
    EXPECT_TRUE(page_->IsWindowEnabled());
    EXPECT_EQ(page_->GetDlgItemText(kAlias), "OLD");
  }
}

// The decoded texts for the record's capabilities and flags and the status
// bytes; each row checks every decoded field.
struct DecodeRow {
  const char* name;
  std::uint8_t capabilities;
  bool tcpip_enabled;
  bool self_test_page;
  std::uint8_t model_suffix;
  std::uint8_t parallel_ports;
  bool speed_marker;  // a text at configuration offset 348
  std::uint8_t frame_type;
  std::uint8_t netbeui_state;  // status byte 358
  std::uint8_t speed_code;     // status byte 457
  std::string frame_text, protocols, netbeui, speed, self_test;
};

void PrintTo(const DecodeRow& row, std::ostream* os) { *os << row.name; }

constexpr std::uint8_t kTcp = eeprom::kCapTcpIp;
constexpr std::uint8_t kNetBeui = eeprom::kCapNetBeui;
constexpr std::uint8_t kNoNds = eeprom::kCapNetWareWithoutNds;

const DecodeRow kDecodeRows[] = {
    {"Frame1WithTcpIp", kTcp, true, false, 0, 1, false, 1, 0, 1, "802.3 & Ethernet_II",
     "IPX/SPX/NDS & TCP/IP", "N/A", "10M", "Disable"},
    {"Frame2WithTcpIp", kTcp, true, true, 0, 1, false, 2, 0, 2, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP", "N/A", "100M", "Enable"},
    {"Frame7WithTcpIp", kTcp, true, false, 0, 1, false, 7, 0, 3, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP", "N/A", "10/100M", "Disable"},
    {"Frame7TcpIpDisabled", kTcp, false, false, 0, 1, false, 7, 0, 3, "Unknown",
     "IPX/SPX/NDS & TCP/IP", "N/A", "10/100M", "Disable"},
    {"Frame0TcpIpDisabled", kTcp, false, false, 0, 1, false, 0, 0, 3, "802.2",
     "IPX/SPX/NDS & TCP/IP", "N/A", "10/100M", "Disable"},
    // Longer than the edit's 20 characters, shown whole.
    {"SnapWithTcpIp", kTcp, true, false, 0, 1, false, 3, 0, 3, "Ethernet SNAP & Ethernet_II",
     "IPX/SPX/NDS & TCP/IP", "N/A", "10/100M", "Disable"},
    {"SnmpBitWithTcpIp", kTcp | kNoNds, true, false, 0x11, 1, false, 2, 0, 3, "Ethernet_II",
     "IPX/SPX & TCP/IP & SNMP", "N/A", "10/100M", "Disable"},
    // 37 characters in an edit of 35.
    {"EveryProtocol", kTcp | kNetBeui, true, false, 0x01, 1, false, 2, 2, 3, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP & SNMP & NetBEUI", "Active", "10/100M", "Disable"},
    {"NetBeuiInactive", kTcp | kNetBeui, true, false, 0, 1, false, 2, 0, 3, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP & NetBEUI", "Inactive", "10/100M", "Disable"},
    {"NetBeuiNameConflict", kTcp | kNetBeui, true, false, 0, 1, false, 2, 1, 3, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP & NetBEUI", "Name conflict", "10/100M", "Disable"},
    {"NetBeuiStateFive", kTcp | kNetBeui, true, false, 0, 1, false, 2, 5, 3, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP & NetBEUI", "", "10/100M", "Disable"},
    {"SpeedZeroOneParallel", kTcp, true, false, 0, 1, false, 2, 0, 0, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP", "N/A", "10M", "Disable"},
    {"SpeedZeroTwoParallel", kTcp, true, false, 0, 2, false, 2, 0, 0, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP", "N/A", "10/100 M", "Disable"},
    {"SpeedZeroThreeParallel", kTcp, true, false, 0, 3, false, 2, 0, 0, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP", "N/A", "10/100 M", "Disable"},
    {"SpeedNineWithMarker", kTcp, true, false, 0, 1, true, 2, 0, 9, "Ethernet_II",
     "IPX/SPX/NDS & TCP/IP", "N/A", "10/100 M", "Disable"},
};

// Dornel lists only servers with TCP/IP, so these are Halvex's alone.
const DecodeRow kWithoutTcpIpRows[] = {
    {"SnmpBitWithoutTcpIp", 0, false, false, 0x01, 1, false, 0, 0, 1, "802.2", "IPX/SPX/NDS", "N/A",
     "10M", "Disable"},
    {"NoNdsWithoutTcpIp", kNoNds, true, true, 0x01, 1, false, 1, 0, 1, "802.3", "IPX/SPX", "N/A",
     "10M", "Enable"},
    {"NetBeuiOnly", kNetBeui, false, false, 0, 1, false, 3, 2, 2, "Ethernet SNAP",
     "IPX/SPX/NDS & NetBEUI", "Active", "100M", "Disable"},
};

class StatusDecoding : public ::testing::TestWithParam<std::tuple<Variant, DecodeRow>> {};

TEST_P(StatusDecoding, ShowsTheTextsOfTheRecords) {
  const auto& [variant, row] = GetParam();
  testing::ScriptedSheet run(variant);
  FakeServer server = StatusServer();
  const std::span<std::uint8_t> record(server.record);
  FieldBytes(eeprom::kCapabilities, record)[0] = row.capabilities;
  SetFlag(eeprom::kTcpIpEnabled, record, row.tcpip_enabled);
  SetFlag(eeprom::kSelfTestPage, record, row.self_test_page);
  FieldBytes(eeprom::kParallelPorts, record)[0] = row.parallel_ports;
  if (row.speed_marker) FieldBytes(eeprom::kSpeedMarker, record)[0] = 'F';
  server.model_suffix = row.model_suffix;
  testing::Field(status::kFrameType, server.status)[0] = row.frame_type;
  testing::Field(status::kNetBeuiState, server.status)[0] = row.netbeui_state;
  testing::Field(status::kSpeedCode, server.status)[0] = row.speed_code;
  run.network().Add(server);
  run.Open(kPages);
  auto* page = static_cast<Page03*>(run.sheet().FindPage(PageKind::kServerStatus));
  ASSERT_TRUE(run.sheet().SetActivePage(page));

  EXPECT_EQ(page->GetDlgItemText(kFrameType), row.frame_text);
  EXPECT_EQ(page->GetDlgItemText(kProtocols), row.protocols);
  EXPECT_EQ(page->GetDlgItemText(page->netbeui_id()), row.netbeui);
  EXPECT_EQ(page->GetDlgItemText(kSpeed), row.speed);
  EXPECT_EQ(page->GetDlgItemText(page->self_test_page_id()), row.self_test);
  // Texts longer than their edit's limit do not keep the user on the page.
  EXPECT_TRUE(run.sheet().SetActivePage(0));
  EXPECT_TRUE(run.services().message_box.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, StatusDecoding,
                         ::testing::Combine(::testing::Values(Variant::kHalvex, Variant::kDornel),
                                            ::testing::ValuesIn(kDecodeRows)),
                         [](const auto& info) {
                           return VariantName(std::get<0>(info.param)) + "_" +
                                  std::get<1>(info.param).name;
                         });

INSTANTIATE_TEST_SUITE_P(WithoutTcpIp, StatusDecoding,
                         ::testing::Combine(::testing::Values(Variant::kHalvex),
                                            ::testing::ValuesIn(kWithoutTcpIpRows)),
                         [](const auto& info) {
                           return VariantName(std::get<0>(info.param)) + "_" +
                                  std::get<1>(info.param).name;
                         });

TEST_P(StatusPage, AResetShowsTheReReadStatusOnTheNextVisit) {
  Open(StatusServer());
  ASSERT_EQ(page_->GetDlgItemText(page_->ip_in_use_id()), "192.168.1.123");
  testing::Field(status::kIpInUse, run_.network().server(0).status)[3] = 200;
  EXPECT_EQ(page_->GetDlgItemText(page_->ip_in_use_id()), "192.168.1.123");
  ResetAndReread(run_.manager(), run_.manager().selected());
  ASSERT_TRUE(run_.sheet().SetActivePage(0));
  ASSERT_TRUE(run_.sheet().SetActivePage(page_));
  EXPECT_EQ(page_->GetDlgItemText(page_->ip_in_use_id()), "192.168.1.200");
}

}  // namespace
}  // namespace pscfg
