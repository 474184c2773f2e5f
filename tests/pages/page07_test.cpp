// Halvex's Factory defaults page over the scripted network: what it shows,
// the record it writes compared byte by byte with the one before, the
// server list, the caption and the failure paths.

#include "pages/page07.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "pages/page00.h"
#include "protocol/records/eeprom_image.h"
#include "tests/shell/sheet_fixture.h"

namespace pscfg {
namespace {

using namespace page07;
using testing::FakeServer;
using testing::MakeServer;
using Record = std::array<std::uint8_t, kEEPromImageSize>;

constexpr PageSlot kPages[] = {
    {PageKind::kGeneral, 0, &MakePage<Page00>},
    {PageKind::kFactoryDefaults, 1, &MakePage<Page07>},
};
constexpr int kDefaultsTab = 1;
constexpr std::string_view kDeviceNameOfScriptedServers = "PSDEVICE";
constexpr std::string_view kAliasChanged = "列印伺服器別名已經改變, 必須[重置]使它生效";
constexpr std::string_view kProgramCaption = "Print Server 設定程式  3.0";

// A server with `capabilities` whose record has no zero byte outside the
// alias's terminator, so every byte the page clears shows.
FakeServer Server(const std::string& alias, std::uint8_t capabilities) {
  FakeServer server = MakeServer(alias, 1);
  for (std::size_t i = 0; i < server.record.size(); ++i) {
    server.record[i] = static_cast<std::uint8_t>(0xA0 + i % 50);
  }
  testing::Field(eeprom::kParallelPorts, server.record)[0] = 0x01;
  auto alias_bytes = testing::Field(eeprom::kAlias, server.record);
  std::fill(alias_bytes.begin(), alias_bytes.end(), 0);
  std::copy(alias.begin(), alias.end(), alias_bytes.begin());
  testing::Field(eeprom::kCapabilities, server.record)[0] = capabilities;
  return server;
}

class FactoryDefaultsPage : public ::testing::Test {
 protected:
  void Open(std::vector<FakeServer> servers) {
    for (FakeServer& server : servers) run_.network().Add(std::move(server));
    run_.Open(kPages);
    page_ = static_cast<Page07*>(run_.sheet().FindPage(PageKind::kFactoryDefaults));
    run_.services().message_box.Clear();
  }
  bool Activate() { return run_.sheet().SetActivePage(kDefaultsTab); }
  FakeServer& device() { return run_.network().server(0); }
  std::vector<std::string> messages() { return run_.services().message_box.texts(); }
  std::string Listed() {
    return run_.sheet().FindPage(PageKind::kGeneral)->ComboGetLBText(page00::kServerList, 0);
  }

  testing::ScriptedSheet run_{Variant::kHalvex};
  Page07* page_ = nullptr;
};

TEST_F(FactoryDefaultsPage, DialogOfThePage) {
  Open({Server("PS-A", 0x01)});
  const ui::DialogTemplate& dialog = page_->dialog_template();
  EXPECT_EQ(dialog.id, kDialog);
  EXPECT_EQ(dialog.caption, "出廠預設值");
  EXPECT_EQ(dialog.rect.cx, 240);
  EXPECT_EQ(dialog.rect.cy, 230);
  std::vector<std::pair<int, std::string>> controls;
  for (const auto& control : dialog.controls) {
    if (control.kind != ui::ControlKind::kEtchedLine)
      controls.emplace_back(control.id, control.text);
  }
  using Controls = std::vector<std::pair<int, std::string>>;
  const Controls expected = {{1135, ""},
                             {1120, "列印伺服器"},
                             {ui::kIdStatic, "裝置名稱"},
                             {kDeviceName, ""},
                             {ui::kIdStatic, "自我測試頁"},
                             {kSelfTestPage, ""},
                             {ui::kIdStatic, "NetWare 支援"},
                             {kNetWare, ""},
                             {ui::kIdStatic, "TCP/IP 支援"},
                             {kTcpIp, ""},
                             {ui::kIdStatic, "DHCP 伺服器"},
                             {kDhcpServer, ""},
                             {ui::kIdStatic, "NetBEUI 支援"},
                             {kNetBeui, ""},
                             {kSetDefaults, "設成預設值"},
                             {kReset, "重置"}};
  EXPECT_EQ(controls, expected);
  ASSERT_TRUE(Activate());
  for (int id : {kDeviceName, kSelfTestPage, kNetWare, kTcpIp, kDhcpServer, kNetBeui}) {
    EXPECT_FALSE(page_->IsWindowEnabled(id)) << id;
  }
}

// What the page shows for a capability byte: TCP/IP, DHCP server, NetBEUI.
struct ShowRow {
  const char* name;
  std::uint8_t capabilities;
  const char* tcpip;
  const char* dhcp_server;
  const char* netbeui;
};
void PrintTo(const ShowRow& row, std::ostream* out) { *out << row.name; }

class FactoryValues : public FactoryDefaultsPage, public ::testing::WithParamInterface<ShowRow> {};

TEST_P(FactoryValues, FollowTheCapabilities) {
  const ShowRow& row = GetParam();
  Open({Server("PS-SHOW", row.capabilities)});
  ASSERT_TRUE(Activate());
  EXPECT_EQ(page_->GetDlgItemText(kDeviceName), kDeviceNameOfScriptedServers);
  EXPECT_EQ(page_->GetDlgItemText(kSelfTestPage), "Disable");
  EXPECT_EQ(page_->GetDlgItemText(kNetWare), "Enable");
  EXPECT_EQ(page_->GetDlgItemText(kTcpIp), row.tcpip);
  EXPECT_EQ(page_->GetDlgItemText(kDhcpServer), row.dhcp_server);
  EXPECT_EQ(page_->GetDlgItemText(kNetBeui), row.netbeui);
  EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, FactoryValues,
                         ::testing::Values(ShowRow{"nothing", 0x00, "N/A", "N/A", "N/A"},
                                           ShowRow{"dhcp_without_tcpip", 0x08, "N/A", "N/A", "N/A"},
                                           ShowRow{"tcpip", 0x01, "Enable", "N/A", "N/A"},
                                           ShowRow{"tcpip_dhcp", 0x09, "Enable", "Auto", "N/A"},
                                           ShowRow{"netbeui", 0x20, "N/A", "N/A", "Enable"},
                                           ShowRow{"all", 0xFF, "Enable", "Auto", "Enable"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FactoryDefaultsPage, SetDefaultsChangesExactlyTheNamedBytesAndWrites) {
  Open({Server("OLD-ALIAS-LONG", 0x29)});  // 14 characters: bytes 25 to 29 stay behind
  const Record before = device().record;
  ASSERT_TRUE(Activate());
  EXPECT_EQ(run_.sheet().GetWindowText(), "OLD-ALIAS-LONG");
  std::string listed_at_message;
  run_.services().message_box.SetOnShow(
      [&](const ui::ShownMessage&) { listed_at_message = Listed(); });
  run_.services().wait_cursor.Clear();
  device().requests.clear();

  ASSERT_TRUE(page_->ClickDlgItem(kSetDefaults));
  EXPECT_EQ(messages(), (std::vector<std::string>{std::string(kAliasChanged)}));
  EXPECT_EQ(listed_at_message, kDeviceNameOfScriptedServers);
  EXPECT_EQ(device().requests, (std::vector{Command::kWriteRecord}));
  EXPECT_EQ(run_.services().wait_cursor.calls(),
            (std::vector{ui::WaitCursorCall::kBegin, ui::WaitCursorCall::kRestore,
                         ui::WaitCursorCall::kEnd}));

  // Each byte the defaults name, with its value; all others as before.
  Record expected = before;
  const auto zero = [&expected](std::size_t first, std::size_t last) {
    std::fill(expected.begin() + static_cast<std::ptrdiff_t>(first),
              expected.begin() + static_cast<std::ptrdiff_t>(last) + 1, 0);
  };
  std::copy(kDeviceNameOfScriptedServers.begin(), kDeviceNameOfScriptedServers.end(),
            expected.begin() + 16);
  expected[24] = 0;
  zero(32, 63);
  expected[72] = static_cast<std::uint8_t>((before[72] & ~0x82) | 0x24);
  expected[75] = 2;
  expected[76] = 0;
  expected[124] = 0;
  expected[172] = 0;
  zero(380, 395);
  expected[404] = 0;
  expected[405] = 1;
  zero(406, 465);
  zero(470, 488);
  zero(490, 501);
  std::uint8_t checksum = 0;
  for (std::size_t i = 0; i + 1 < expected.size(); ++i) checksum ^= expected[i];
  expected[511] = checksum;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(device().record[i], expected[i]) << "byte " << i;
  }
  EXPECT_EQ(std::string(before.begin() + 25, before.begin() + 30), "-LONG") << "the test's premise";
  EXPECT_EQ(Alias(device().record), kDeviceNameOfScriptedServers);

  EXPECT_EQ(run_.manager().selected().Alias(), kDeviceNameOfScriptedServers);
  EXPECT_EQ(Listed(), kDeviceNameOfScriptedServers);
  EXPECT_EQ(run_.sheet().GetWindowText(), kDeviceNameOfScriptedServers)
      << "the caption follows the new alias after the write";
}

TEST_F(FactoryDefaultsPage, AFailedWriteKeepsTheDefaultsButNotTheCaption) {
  Open({Server("PS-DEAF", 0x01)});
  device().ignores.insert(Command::kWriteRecord);
  ASSERT_TRUE(Activate());
  run_.services().wait_cursor.Clear();
  ASSERT_TRUE(page_->ClickDlgItem(kSetDefaults));
  EXPECT_EQ(messages(),
            (std::vector<std::string>{std::string(kAliasChanged), "無法寫入列印伺服器的EEPROM"}));
  EXPECT_EQ(run_.services().wait_cursor.depth(), 0);
  EXPECT_EQ(Listed(), kDeviceNameOfScriptedServers);
  EXPECT_EQ(run_.manager().selected().Alias(), kDeviceNameOfScriptedServers);
  EXPECT_EQ(Alias(run_.manager().eeprom_image()), kDeviceNameOfScriptedServers);
  EXPECT_EQ(IpAddress(run_.manager().eeprom_image()), (Ipv4Bytes{0, 0, 0, 0}));
  EXPECT_EQ(run_.sheet().GetWindowText(), "PS-DEAF");
}

TEST_F(FactoryDefaultsPage, ResetAppliesTheRecordAndNothingElse) {
  Open({Server("PS-RESET", 0x01)});
  ASSERT_TRUE(Activate());
  device().requests.clear();
  ASSERT_TRUE(page_->ClickDlgItem(kReset));
  EXPECT_EQ(device().requests, (std::vector{Command::kReset, Command::kSearch, Command::kReadRecord,
                                            Command::kServerStatus}));
  EXPECT_TRUE(messages().empty());
}

TEST_F(FactoryDefaultsPage, CaptionIsTheAliasUntilThePageIsLeft) {
  Open({Server("PS-CAP", 0x01)});
  ASSERT_TRUE(Activate());
  EXPECT_EQ(run_.sheet().GetWindowText(), "PS-CAP");
  ASSERT_TRUE(page_->OnKillActive());
  EXPECT_EQ(run_.sheet().GetWindowText(), kProgramCaption);
}

TEST_F(FactoryDefaultsPage, IncompleteFirmwareKeepsThePageDisabledAndEmpty) {
  FakeServer server = Server("PS-OLD", 0x01);
  server.firmware_complete = 0;
  Open({server});
  ASSERT_TRUE(Activate());
  EXPECT_EQ(messages(), (std::vector<std::string>{"請先更新列印伺服器軔體"}));
  EXPECT_FALSE(page_->IsWindowEnabled());
  EXPECT_EQ(page_->GetDlgItemText(kDeviceName), "");
}

}  // namespace
}  // namespace pscfg
