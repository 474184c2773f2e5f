// The print-server settings page of both programs: its rules over the
// scripted network, and Dornel's alias change and factory defaults end to
// end against psemu, comparing the record psemu keeps byte by byte.

#include "pages/page08.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "pages/page00.h"
#include "platform/net/posix_socket_api.h"
#include "platform/ui/test_services.h"
#include "protocol/byte_io.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/server_manager.h"
#include "shell/branding.h"
#include "shell/celvo_dlg.h"
#include "tests/shell/sheet_fixture.h"
#include "tests/support/psemu_process.h"
#include "tests/support/recording_reporter.h"
#include "udp/udp_transport.h"

namespace pscfg {
namespace {

using page08::IdsOf;
using testing::FakeServer;
using testing::MakeServer;
using Record = std::array<std::uint8_t, kEEPromImageSize>;

constexpr PageSlot kPages[] = {
    {PageKind::kGeneral, 0, &MakePage<Page00>},
    {PageKind::kServerSettings, 1, &MakePage<Page08>},
};
constexpr int kSettingsTab = 1;
constexpr std::string_view kAliasChanged = "列印伺服器別名已經改變, 必須[重置]使它生效";
constexpr std::string_view kDefaultsAliasChanged = "別名已經改變, 你必須 '重置' 使它生效";
constexpr std::string_view kCannotWrite = "無法寫入列印伺服器的EEPROM";
constexpr std::string_view kProgramCaption = "Print Server 設定程式  3.0";

std::string VariantName(Variant variant) {
  return variant == Variant::kHalvex ? "Halvex" : "Dornel";
}

// Byte 72 of a record: the protocol switches.
template <std::size_t N>
std::uint8_t& Switches(std::array<std::uint8_t, N>& record) {
  return testing::Field(eeprom::kSelfTestPage, record)[0];
}

// The offsets where two records differ.
std::vector<std::size_t> Differences(std::span<const std::uint8_t> a,
                                     std::span<const std::uint8_t> b) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] != b[i]) offsets.push_back(i);
  }
  return offsets;
}

// A server of one parallel port with capability byte `capabilities` and
// switches `switches`; every other byte of its record is set too, so a
// write that touches more than it should shows.
FakeServer Server(const std::string& alias, std::uint8_t capabilities, std::uint8_t switches) {
  FakeServer server = MakeServer(alias, 1);
  for (std::size_t i = 0; i < server.record.size(); ++i) {
    server.record[i] = static_cast<std::uint8_t>(0x30 + i % 40);
  }
  testing::Field(eeprom::kParallelPorts, server.record)[0] = 0x01;
  auto alias_bytes = testing::Field(eeprom::kAlias, server.record);
  std::fill(alias_bytes.begin(), alias_bytes.end(), 0);
  std::copy(alias.begin(), alias.end(), alias_bytes.begin());
  testing::Field(eeprom::kCapabilities, server.record)[0] = capabilities;
  Switches(server.record) = switches;
  return server;
}

// One program's sheet over the scripted network with the General page and
// this page.
class SettingsSheet {
 public:
  explicit SettingsSheet(Variant variant) : run_(variant), ids_(IdsOf(variant)) {}

  void Open(std::vector<FakeServer> servers) {
    for (FakeServer& server : servers) run_.network().Add(std::move(server));
    run_.Open(kPages);
    page_ = static_cast<Page08*>(run_.sheet().FindPage(PageKind::kServerSettings));
    run_.services().message_box.Clear();
  }
  bool Activate() { return run_.sheet().SetActivePage(kSettingsTab); }
  FakeServer& device() { return run_.network().server(0); }
  std::vector<std::string> messages() { return run_.services().message_box.texts(); }
  // The boxes of the variant with their states: checked, enabled.
  std::vector<std::pair<int, int>> Boxes(std::initializer_list<int> ids) const {
    std::vector<std::pair<int, int>> states;
    for (int id : ids)
      states.emplace_back(page_->IsDlgButtonChecked(id), page_->IsWindowEnabled(id));
    return states;
  }

 protected:
  testing::ScriptedSheet run_;
  const page08::Ids& ids_;
  Page08* page_ = nullptr;
};

// ------------------------------------------------------- both programs

class SettingsPage : public ::testing::TestWithParam<Variant>, protected SettingsSheet {
 protected:
  SettingsPage() : SettingsSheet(GetParam()) {}
};

TEST_P(SettingsPage, DialogOfTheProgram) {
  Open({Server("PS-A", 0x23, 0x00)});
  const bool halvex = GetParam() == Variant::kHalvex;
  const ui::DialogTemplate& dialog = page_->dialog_template();
  EXPECT_EQ(dialog.id, halvex ? 133 : 109);
  EXPECT_EQ(dialog.caption, halvex ? "列印伺服器設定" : "Plintrex Cfg");
  EXPECT_EQ(dialog.rect.cx, 240);
  EXPECT_EQ(dialog.rect.cy, halvex ? 230 : 215);
  std::vector<std::pair<int, std::string>> controls;
  for (const auto& control : dialog.controls) {
    if (control.kind != ui::ControlKind::kEtchedLine)
      controls.emplace_back(control.id, control.text);
  }
  using Controls = std::vector<std::pair<int, std::string>>;
  const Controls expected = halvex ? Controls{{1135, ""},
                                              {1120, "列印伺服器"},
                                              {ui::kIdStatic, "別名 :"},
                                              {1129, ""},
                                              {1023, "自我測試頁"},
                                              {1021, "TCP/IP 支援"},
                                              {1130, "NetWare 支援"},
                                              {1131, "NetBEUI 支援"},
                                              {1158, "AppleTalk 支援"},
                                              {1022, "寫入"},
                                              {1063, "重置"}}
                                   : Controls{{1052, ""},
                                              {1049, "列印伺服器"},
                                              {ui::kIdStatic, "別名"},
                                              {1004, ""},
                                              {1005, "自我測試頁"},
                                              {1051, "NetBEUI 支援"},
                                              {1053, "AppleTalk 支援"},
                                              {1009, "出廠預設值"},
                                              {1006, "寫入"},
                                              {1007, "重置"}};
  EXPECT_EQ(controls, expected);

  ASSERT_TRUE(Activate());
  EXPECT_EQ(page_->GetDlgItemText(run_.traits().header_title_id), "Print Server");
  EXPECT_EQ(page_->GetLimitText(ids_.alias), 15);
  ASSERT_TRUE(page_->UserTypeText(ids_.alias, "ps-b"));
  EXPECT_EQ(page_->GetDlgItemText(ids_.alias), halvex ? "ps-b" : "PS-B");
  EXPECT_EQ(run_.sheet().GetTabText(kSettingsTab), "Print Server 設定");
}

TEST_P(SettingsPage, WriteWithTheSameAliasSaysNothingAndChangesOnlyTheChecksum) {
  Open({Server("PS-SAME", 0x23, 0x26)});
  const Record before = device().record;
  ASSERT_TRUE(Activate());
  EXPECT_EQ(page_->GetDlgItemText(ids_.alias), "PS-SAME");
  run_.services().wait_cursor.Clear();
  ASSERT_TRUE(page_->ClickDlgItem(ids_.write));
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(device().requests.back(), Command::kWriteRecord);
  EXPECT_EQ(Differences(before, device().record), (std::vector<std::size_t>{511}));
  EXPECT_EQ(run_.services().wait_cursor.calls(),
            (std::vector{ui::WaitCursorCall::kBegin, ui::WaitCursorCall::kRestore,
                         ui::WaitCursorCall::kEnd}));
}

TEST_P(SettingsPage, AnotherCaseIsANewAliasForTheTableTheListAndTheRecord) {
  Open({Server("Ps-Case", 0x23, 0x00)});
  ASSERT_TRUE(Activate());
  page_->SetDlgItemText(ids_.alias, "PS-CASE");
  std::vector<Command> requests_at_message;
  run_.services().message_box.SetOnShow(
      [&](const ui::ShownMessage&) { requests_at_message = device().requests; });
  device().requests.clear();
  ASSERT_TRUE(page_->ClickDlgItem(ids_.write));

  EXPECT_EQ(messages(), (std::vector<std::string>{std::string(kAliasChanged)}));
  EXPECT_TRUE(requests_at_message.empty()) << "the message comes before the write";
  EXPECT_EQ(run_.manager().selected().Alias(), "PS-CASE");
  auto* general = run_.sheet().FindPage(PageKind::kGeneral);
  EXPECT_EQ(general->ComboGetCount(page00::kServerList), 1);
  EXPECT_EQ(general->ComboGetLBText(page00::kServerList, 0), "PS-CASE");
  EXPECT_EQ(general->ComboGetCurSel(page00::kServerList), 0);
  EXPECT_EQ(Text(eeprom::kAlias, device().record), "PS-CASE");
}

TEST_P(SettingsPage, TheAliasGoesToTheRecordInItsCodePage) {
  Open({Server("PS-CP", 0x23, 0x00)});
  ASSERT_TRUE(Activate());
  // A character that CP950 cannot hold arrives as "?", as from an ANSI edit.
  page_->SetDlgItemText(ids_.alias, "會計\xF0\x9F\x98\x80");
  ASSERT_TRUE(page_->ClickDlgItem(ids_.write));
  EXPECT_EQ(Text(eeprom::kAlias, device().record), "\xB7\x7C\xAD\x70?");
  auto* general = run_.sheet().FindPage(PageKind::kGeneral);
  EXPECT_EQ(general->ComboGetLBText(page00::kServerList, 0), "會計?");
}

TEST_P(SettingsPage, ATooLongAliasIsRefusedBeforeAnythingChanges) {
  Open({Server("PS-LONG", 0x23, 0x00)});
  ASSERT_TRUE(Activate());
  page_->SetDlgItemText(ids_.alias, "ABCDEFGHIJKLMNOP");  // 16: only typing is limited
  device().requests.clear();
  ASSERT_TRUE(page_->ClickDlgItem(ids_.write));
  EXPECT_EQ(messages(), (std::vector<std::string>{"Enter no more than 15 characters."}));
  EXPECT_EQ(page_->GetFocusId(), ids_.alias);
  EXPECT_TRUE(device().requests.empty());
  EXPECT_EQ(run_.manager().selected().Alias(), "PS-LONG");
}

TEST_P(SettingsPage, AFailedWriteSaysSoAndKeepsTheEditsInTheManager) {
  Open({Server("PS-DEAF", 0x23, 0x00)});
  device().ignores.insert(Command::kWriteRecord);
  ASSERT_TRUE(Activate());
  page_->CheckDlgButton(ids_.self_test_page, 1);
  ASSERT_TRUE(page_->ClickDlgItem(ids_.write));
  EXPECT_EQ(messages(), (std::vector<std::string>{std::string(kCannotWrite)}));
  EXPECT_TRUE(Flag(eeprom::kSelfTestPage, run_.manager().eeprom_image()));
  EXPECT_FALSE(Flag(eeprom::kSelfTestPage, device().record));
}

TEST_P(SettingsPage, ResetRestartsTheServerAndReadsItAgain) {
  Open({Server("PS-RESET", 0x23, 0x00)});
  ASSERT_TRUE(Activate());
  device().requests.clear();
  ASSERT_TRUE(page_->ClickDlgItem(ids_.reset));
  EXPECT_EQ(device().requests, (std::vector{Command::kReset, Command::kSearch, Command::kReadRecord,
                                            Command::kServerStatus}));
  EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Programs, SettingsPage,
                         ::testing::Values(Variant::kHalvex, Variant::kDornel),
                         [](const auto& info) { return VariantName(info.param); });

// -------------------------------------------------------------- Halvex

class HalvexSettings : public ::testing::Test, protected SettingsSheet {
 protected:
  HalvexSettings() : SettingsSheet(Variant::kHalvex) {}
};

// What the boxes show for a capability byte and switches, and what a write
// without changes sends back as byte 72.
struct SwitchRow {
  const char* name;
  std::uint8_t capabilities;
  std::uint8_t switches;
  // Self-test, TCP/IP, NetWare, NetBEUI, AppleTalk: checked, enabled.
  std::vector<std::pair<int, int>> boxes;
  std::uint8_t written;
};
void PrintTo(const SwitchRow& row, std::ostream* out) { *out << row.name; }

class HalvexSwitches : public ::testing::TestWithParam<SwitchRow>, protected SettingsSheet {
 protected:
  HalvexSwitches() : SettingsSheet(Variant::kHalvex) {}
};

TEST_P(HalvexSwitches, FollowTheCapabilitiesAndWriteOfferedBitsOnly) {
  const SwitchRow& row = GetParam();
  Open({Server("PS-BITS", row.capabilities, row.switches)});
  ASSERT_TRUE(Activate());
  EXPECT_EQ(Boxes({1023, 1021, 1130, 1131, 1158}), row.boxes);
  ASSERT_TRUE(page_->ClickDlgItem(ids_.write));
  EXPECT_EQ(Switches(device().record), row.written);
  EXPECT_EQ(testing::Field(eeprom::kCapabilities, device().record)[0], row.capabilities)
      << "byte 489 goes back unchanged";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HalvexSwitches,
    ::testing::Values(
        SwitchRow{"all_offered_all_on", 0x23, 0xE4, {{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}}, 0xE4},
        SwitchRow{
            "all_offered_all_off", 0x23, 0x02, {{0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}}, 0x02},
        // Bits of protocols the firmware lacks go out as 0; 0x01, 0x08 and
        // 0x10 stay as read.
        SwitchRow{"none_offered", 0x00, 0xFF, {{1, 1}, {0, 0}, {0, 1}, {0, 0}, {0, 0}}, 0x9B},
        SwitchRow{"netbeui_missing", 0x01, 0x24, {{0, 1}, {1, 1}, {1, 1}, {0, 0}, {0, 0}}, 0x04},
        SwitchRow{"appletalk_only", 0x02, 0x40, {{0, 1}, {0, 0}, {1, 1}, {0, 0}, {1, 1}}, 0x40}),
    [](const auto& info) { return std::string(info.param.name); });

// The NetWare box is on when bit 0x02 is clear.
struct NetWareRow {
  const char* name;
  std::uint8_t switches;
  int checked;
  std::uint8_t written;  // after one click of the box
};
void PrintTo(const NetWareRow& row, std::ostream* out) { *out << row.name; }

class HalvexNetWare : public ::testing::TestWithParam<NetWareRow>, protected SettingsSheet {
 protected:
  HalvexNetWare() : SettingsSheet(Variant::kHalvex) {}
};

TEST_P(HalvexNetWare, BoxIsTheInverseOfItsBit) {
  Open({Server("PS-NW", 0x01, GetParam().switches)});
  ASSERT_TRUE(Activate());
  EXPECT_EQ(page_->IsDlgButtonChecked(1130), GetParam().checked);
  ASSERT_TRUE(page_->ClickDlgItem(1130));
  ASSERT_TRUE(page_->ClickDlgItem(ids_.write));
  EXPECT_EQ(Switches(device().record), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Rows, HalvexNetWare,
                         ::testing::Values(NetWareRow{"clearing_sets_the_bit", 0x04, 1, 0x06},
                                           NetWareRow{"setting_clears_the_bit", 0x06, 0, 0x04}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HalvexSettings, ChangingOnlyTheTcpIpBoxChangesOnlyItsBitAndTheChecksum) {
  Open({Server("PS-TCP", 0x21, 0xA4)});
  const Record before = device().record;
  ASSERT_TRUE(Activate());
  ASSERT_EQ(page_->IsDlgButtonChecked(1021), 1);
  ASSERT_TRUE(page_->ClickDlgItem(1021));
  ASSERT_TRUE(page_->ClickDlgItem(ids_.write));
  EXPECT_EQ(Differences(before, device().record), (std::vector<std::size_t>{72, 511}));
  EXPECT_EQ(Switches(device().record), 0xA0);
}

TEST_F(HalvexSettings, IncompleteFirmwareKeepsThePageDisabled) {
  FakeServer server = Server("PS-OLD", 0x23, 0x00);
  server.firmware_complete = 0;
  Open({server});
  ASSERT_TRUE(Activate());
  EXPECT_EQ(messages(), (std::vector<std::string>{"請先更新列印伺服器軔體"}));
  EXPECT_FALSE(page_->IsWindowEnabled());
  EXPECT_EQ(page_->GetDlgItemText(ids_.alias), "");
}

TEST_F(HalvexSettings, TheProgramCaptionOnArrivalAndOnLeaving) {
  Open({Server("PS-CAP", 0x23, 0x00)});
  run_.sheet().SetTitle("PS-CAP");
  ASSERT_TRUE(Activate());
  EXPECT_EQ(run_.sheet().GetWindowText(), kProgramCaption);
  run_.sheet().SetTitle("PS-CAP");
  ASSERT_TRUE(page_->OnKillActive());
  EXPECT_EQ(run_.sheet().GetWindowText(), kProgramCaption);
}

// -------------------------------------------------------------- Dornel

class DornelSettings : public ::testing::Test, protected SettingsSheet {
 protected:
  DornelSettings() : SettingsSheet(Variant::kDornel) {}
  std::vector<std::pair<int, int>> EditableControls() const {
    std::vector<std::pair<int, int>> states;
    for (int id : {1004, 1005, 1051, 1053}) states.emplace_back(id, page_->IsWindowEnabled(id));
    return states;
  }
};

TEST_F(DornelSettings, AnEmptyAliasShowsTheDeviceName) {
  Open({Server("", 0x01, 0x00)});
  ASSERT_TRUE(Activate());
  EXPECT_EQ(page_->GetDlgItemText(1004), "PSDEVICE");
}

TEST_F(DornelSettings, TheFactoryDefaultsBoxLocksTheOtherControlsAndFreesThemAll) {
  Open({Server("PS-BOX", 0x21, 0x00)});  // NetBEUI, no AppleTalk
  ASSERT_TRUE(Activate());
  using States = std::vector<std::pair<int, int>>;
  EXPECT_EQ(EditableControls(), (States{{1004, 1}, {1005, 1}, {1051, 1}, {1053, 0}}));
  ASSERT_TRUE(page_->ClickDlgItem(1009));
  EXPECT_EQ(EditableControls(), (States{{1004, 0}, {1005, 0}, {1051, 0}, {1053, 0}}));
  ASSERT_TRUE(page_->ClickDlgItem(1009));
  EXPECT_EQ(EditableControls(), (States{{1004, 1}, {1005, 1}, {1051, 1}, {1053, 1}}))
      << "clearing it enables AppleTalk too, whatever the firmware offers";
}

TEST_F(DornelSettings, WriteLeavesTcpIpAndNetWareAsTheyWere) {
  Open({Server("PS-KEEP", 0x23, 0x06)});  // TCP/IP on, NetWare off
  const Record before = device().record;
  ASSERT_TRUE(Activate());
  ASSERT_TRUE(page_->ClickDlgItem(1051));  // NetBEUI on
  ASSERT_TRUE(page_->ClickDlgItem(1005));  // self-test page on
  ASSERT_TRUE(page_->ClickDlgItem(1006));
  EXPECT_EQ(Differences(before, device().record), (std::vector<std::size_t>{72, 511}));
  EXPECT_EQ(Switches(device().record), 0xA6);
}

TEST_F(DornelSettings, NoFirmwareGateAndNoPageWithoutASelection) {
  FakeServer server = Server("PS-OLD", 0x21, 0x00);
  server.firmware_complete = 0;
  Open({server});
  ASSERT_TRUE(Activate());
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(page_->IsWindowEnabled());
  EXPECT_EQ(page_->GetDlgItemText(1004), "PS-OLD");

  run_.manager().selected_index = -1;
  page_->OnSetActive();
  EXPECT_FALSE(page_->IsWindowEnabled());
}

TEST_F(DornelSettings, TheProgramCaptionOnArrivalOnly) {
  Open({Server("PS-CAP", 0x21, 0x00)});
  ASSERT_TRUE(Activate());
  EXPECT_EQ(run_.sheet().GetWindowText(), kProgramCaption);
  run_.sheet().SetTitle("PS-CAP");
  ASSERT_TRUE(page_->OnKillActive());
  EXPECT_EQ(run_.sheet().GetWindowText(), "PS-CAP");
}

TEST_F(DornelSettings, FactoryDefaultsRenameTheServerAndTheBoxStaysUntilTheNextVisit) {
  Open({Server("PS-OLDNAME", 0x21, 0x00)});
  ASSERT_TRUE(Activate());
  ASSERT_TRUE(page_->ClickDlgItem(1009));
  ASSERT_TRUE(page_->ClickDlgItem(1006));
  EXPECT_EQ(messages(), (std::vector<std::string>{std::string(kDefaultsAliasChanged)}));
  auto* general = run_.sheet().FindPage(PageKind::kGeneral);
  EXPECT_EQ(general->ComboGetLBText(page00::kServerList, 0), "PSDEVICE");
  EXPECT_EQ(run_.manager().selected().Alias(), "PSDEVICE");
  EXPECT_EQ(Text(eeprom::kAlias, device().record), "PSDEVICE");
  EXPECT_EQ(page_->IsDlgButtonChecked(1009), 1);

  ASSERT_TRUE(run_.sheet().SetActivePage(0));
  ASSERT_TRUE(Activate());
  EXPECT_EQ(page_->IsDlgButtonChecked(1009), 0);
  EXPECT_EQ(page_->GetDlgItemText(1004), "PSDEVICE");
}

// --------------------------------------------------------------- psemu

// What the factory defaults make of `before`: every byte they name, with
// its new value. The checksum is not among them.
std::map<std::size_t, std::uint8_t> FactoryBytes(std::span<const std::uint8_t> before,
                                                 std::string_view device_name) {
  std::map<std::size_t, std::uint8_t> bytes;
  const auto zero = [&bytes](std::size_t first, std::size_t last) {
    for (std::size_t i = first; i <= last; ++i) bytes[i] = 0;
  };
  for (std::size_t i = 0; i < 8; ++i) {
    bytes[16 + i] = i < device_name.size() ? static_cast<std::uint8_t>(device_name[i]) : 0;
  }
  bytes[24] = 0;
  zero(32, 63);
  bytes[72] = static_cast<std::uint8_t>((before[72] & ~0x82) | 0x24);
  bytes[75] = 2;
  bytes[76] = 0;
  bytes[124] = 0;
  bytes[172] = 0;
  zero(380, 395);
  bytes[404] = 0;
  bytes[405] = 1;
  zero(406, 465);
  zero(470, 488);
  zero(490, 501);
  return bytes;
}

class DornelSettingsOnPsemu : public ::testing::Test {
 protected:
  static constexpr const char* kNode = "00:40:01:00:30:01";

  void Open(std::initializer_list<std::pair<std::string_view, std::string_view>> keys) {
    testing::PsemuProcess::Options options;
    options.device_files_text = {testing::DeviceFile(kNode, keys)};
    ASSERT_TRUE(psemu_.Start(options)) << psemu_.error();
    manager_.set_title("Print Server");
    manager_.set_program_directory((psemu_.work_dir() / "program").string());
    sheet_ = std::make_unique<CCelvoDlg>(ProgramCaption("Print Server"), TraitsOf(Variant::kDornel),
                                         kPages);
    sheet_->SetManager(&manager_);
    ASSERT_TRUE(sheet_->Create());
    testing::RunPendingEvents();
    ASSERT_EQ(manager_.server_count(), 1);
    std::copy_n(manager_.eeprom_image().begin(), kEEPromImageSize, before_.begin());
    ASSERT_TRUE(sheet_->SetActivePage(kSettingsTab));
  }

  Page08& page() { return *static_cast<Page08*>(sheet_->FindPage(PageKind::kServerSettings)); }
  ConfigPage& general() { return *sheet_->FindPage(PageKind::kGeneral); }

  // The record that psemu keeps now (written, not yet applied).
  Record Stored() {
    std::array<std::uint8_t, kMaxEEPromFrameSize> frame{};
    Record record{};
    EXPECT_EQ(manager_.XReadPServerEEProm(manager_.selected(), frame), 1);
    std::copy_n(frame.begin() + static_cast<std::ptrdiff_t>(RecordOffset(Variant::kDornel)),
                kEEPromImageSize, record.begin());
    return record;
  }
  // The alias the server answers a search with (the applied record's).
  std::string SearchedAlias() {
    std::array<std::uint8_t, kMaxSearchFrameSize> probe{};
    EXPECT_EQ(manager_.XSearchPS(manager_.selected(), probe), 1);
    return FixedFieldText(FieldBytes(info::kAlias, std::span<const std::uint8_t>(probe).subspan(
                                                       RecordOffset(Variant::kDornel))));
  }

  ui::TestServices services_;
  testing::PsemuProcess psemu_;
  net::PosixSocketApi api_;
  UdpTransport transport_{api_};
  testing::RecordingReporter reporter_;
  CPServerManager manager_{transport_, reporter_};
  std::unique_ptr<CCelvoDlg> sheet_;
  Record before_{};
};

TEST_F(DornelSettingsOnPsemu, FactoryDefaultsChangeExactlyTheirBytes) {
  ASSERT_NO_FATAL_FAILURE(Open({{"alias", "FRONT-DESK-2F01"},  // 15 characters
                                {"device_name", "PSFAC001"},
                                {"reset_silence_ms", "300"},
                                {"ip_address", "192.168.7.20"},
                                {"record.subnet_mask", "255.255.0.0"},
                                {"record.gateway", "192.168.7.1"},
                                {"record.capabilities", "255"},
                                {"record.self_test_page", "1"},
                                {"record.netware_disabled", "1"},
                                {"record.tcpip_enabled", "0"},
                                {"record.netware_remote_printer_mode", "1"},
                                {"record.appletalk_enabled", "1"},
                                {"record.snmp_contact", "Ann"},
                                {"record.snmp_location", "Room 4"},
                                {"record.netware_polling_interval", "30"},
                                {"record.primary_file_server", "FS1"},
                                {"record.nds_tree", "TREE"},
                                {"record.nds_context", "O=ACME"},
                                {"record.appletalk_zone", "Zone A"},
                                {"record.remote_print_server", "PSRV"},
                                {"record.smb_workgroup", "OFFICE"},
                                {"record.mail_header_ports", "5"},
                                {"record.smb_stop_on_error", "1"},
                                {"record.mail_polling_time", "9"},
                                {"record.mail_server_lpt1", "10.0.0.9"},
                                {"record.mail_account_lpt2", "mailbox"},
                                {"record.dhcp_pool_start", "192.168.7.100"},
                                {"record.dhcp_pool_size", "20"},
                                {"record.dhcp_dns", "192.168.7.2"},
                                {"record.dhcp_mode", "1"},
                                {"record.remote_printer_lpt1", "7"}}));
  ASSERT_TRUE(page().ClickDlgItem(1009));
  ASSERT_TRUE(page().ClickDlgItem(1006));
  EXPECT_EQ(services_.message_box.texts(),
            (std::vector<std::string>{std::string(kDefaultsAliasChanged)}));
  EXPECT_EQ(general().ComboGetLBText(page00::kServerList, 0), "PSFAC001");

  const Record after = Stored();
  const auto named = FactoryBytes(before_, "PSFAC001");
  for (std::size_t i = 0; i < kEEPromImageSize - 1; ++i) {
    const auto it = named.find(i);
    EXPECT_EQ(after[i], it == named.end() ? before_[i] : it->second) << "byte " << i;
  }
  std::uint8_t checksum = 0;
  for (std::size_t i = 0; i < kEEPromImageSize - 1; ++i) checksum ^= after[i];
  EXPECT_EQ(after[kEEPromImageSize - 1], checksum);
  EXPECT_EQ(Alias(after), "PSFAC001");
  EXPECT_EQ(after[25], before_[25]) << "the old alias's tail stays behind the terminator";

  EXPECT_EQ(SearchedAlias(), "FRONT-DESK-2F01") << "applied only after the reset";
  services_.message_box.Clear();
  ASSERT_TRUE(page().ClickDlgItem(1007));
  EXPECT_TRUE(services_.message_box.shown().empty());
  EXPECT_EQ(SearchedAlias(), "PSFAC001");
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(DornelSettingsOnPsemu, ANewAliasIsWrittenAndAppliedByTheReset) {
  ASSERT_NO_FATAL_FAILURE(Open({{"alias", "BEFORE"}, {"reset_silence_ms", "300"}}));
  ASSERT_TRUE(page().UserTypeText(1004, "after-1"));
  ASSERT_TRUE(page().ClickDlgItem(1006));
  EXPECT_EQ(services_.message_box.texts(), (std::vector<std::string>{std::string(kAliasChanged)}));
  EXPECT_EQ(general().ComboGetLBText(page00::kServerList, 0), "AFTER-1");
  EXPECT_EQ(Alias(Stored()), "AFTER-1");
  for (std::size_t offset : Differences(before_, Stored())) {
    EXPECT_TRUE((offset >= 16 && offset < 32) || offset == 511) << "byte " << offset;
  }
  ASSERT_TRUE(page().ClickDlgItem(1007));
  EXPECT_EQ(SearchedAlias(), "AFTER-1");
}

}  // namespace
}  // namespace pscfg
