// The IP settings page of both programs: over the scripted network for its
// rules, and end to end against psemu together with the print-server
// status page.

#include "pages/page01.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "pages/page00.h"
#include "pages/page03.h"
#include "platform/net/posix_socket_api.h"
#include "platform/sysinfo/os_version.h"
#include "platform/ui/test_services.h"
#include "protocol/records/eeprom_image.h"
#include "tests/platform/registry/registry_test_env.h"
#include "tests/shell/sheet_fixture.h"
#include "tests/support/psemu_process.h"
#include "tests/support/recording_reporter.h"
#include "udp/udp_transport.h"

namespace pscfg {
namespace {

using namespace page01;
using registry::testing::Interface;
using registry::testing::TestMachine;
using sysinfo::kVerPlatformWin32Nt;
using sysinfo::kVerPlatformWin32Windows;
using testing::FakeServer;
using testing::MakeServer;
using ui::MessageButtons;
using ui::MessageIcon;
using ui::ShownMessage;

constexpr PageSlot kPages[] = {
    {PageKind::kGeneral, 0, &MakePage<Page00>},
    {PageKind::kIpSettings, 1, &MakePage<Page01>},
    {PageKind::kServerStatus, 2, &MakePage<Page03>},
};

constexpr std::string_view kBadIp = "指定的IP位址不合法";
constexpr std::string_view kBadGateway = "指定的通訊閘不合法";
constexpr std::string_view kBadMask = "指定的子網路遮罩不合法";
constexpr std::string_view kOtherNetwork =
    "您設置的IP位址與PC不在同一個網路上, 這樣可能會導致無法列印, 確定要繼續?";

std::string VariantName(Variant variant) {
  return variant == Variant::kHalvex ? "Halvex" : "Dornel";
}

// A server's TCP/IP settings as its record holds them.
struct IpRecord {
  std::uint8_t capabilities = eeprom::kCapTcpIp | eeprom::kCapMailPrint;
  bool tcpip_enabled = true;
  Ipv4Bytes ip{};
  Ipv4Bytes gateway{};
  Ipv4Bytes mask{};
};

FakeServer IpServer(const IpRecord& settings, const std::string& alias = "PS-IP") {
  FakeServer server = MakeServer(alias, 1);
  const std::span<std::uint8_t> record(server.record);
  FieldBytes(eeprom::kCapabilities, record)[0] = settings.capabilities;
  SetFlag(eeprom::kTcpIpEnabled, record, settings.tcpip_enabled);
  SetFlag(eeprom::kSelfTestPage, record, true);  // another bit of byte 72
  SetIpAddress(record, settings.ip);
  SetGateway(record, settings.gateway);
  SetSubnetMask(record, settings.mask);
  return server;
}

// The PC of most tests: one card at 192.168.1.254/24 besides loopback.
std::vector<sysinfo::HostInterface> OneCard(sysinfo::Ipv4 address = {192, 168, 1, 254}) {
  return {Interface("lo", {127, 0, 0, 1}, {255, 0, 0, 0}, true),
          Interface("eth0", address, {255, 255, 255, 0})};
}

class IpSettingsPage : public ::testing::TestWithParam<Variant> {
 protected:
  explicit IpSettingsPage(std::vector<sysinfo::HostInterface> pc = OneCard())
      : machine_(std::move(pc)), run_(GetParam()) {}

  // Opens the sheet with `server` found and selected, then the IP page.
  void Open(FakeServer server) {
    run_.network().Add(std::move(server));
    run_.Open(kPages);
    ASSERT_EQ(run_.manager().server_count(), 1);
    page_ = static_cast<Page01*>(run_.sheet().FindPage(PageKind::kIpSettings));
    run_.services().message_box.Clear();
    ASSERT_TRUE(run_.sheet().SetActivePage(page_));
  }

  FakeServer& server() { return run_.network().server(0); }
  std::vector<std::string> Messages() { return run_.services().message_box.texts(); }
  bool WriteSent() {
    const auto& requests = server().requests;
    return std::find(requests.begin(), requests.end(), Command::kWriteRecord) != requests.end();
  }
  std::vector<std::uint8_t> Record() {
    const auto record = run_.manager().eeprom_image();
    return {record.begin(), record.end()};
  }
  void Type(const std::string& ip, const std::string& gateway, const std::string& mask) {
    ASSERT_TRUE(page_->UserTypeText(kIpAddress, ip));
    ASSERT_TRUE(page_->UserTypeText(page_->gateway_id(), gateway));
    ASSERT_TRUE(page_->UserTypeText(page_->mask_id(), mask));
  }

  sysinfo::ScopedOsVersion windows2000_{kVerPlatformWin32Nt, 5, 0};
  TestMachine machine_;
  testing::ScriptedSheet run_;
  Page01* page_ = nullptr;
};

INSTANTIATE_TEST_SUITE_P(Programs, IpSettingsPage,
                         ::testing::Values(Variant::kHalvex, Variant::kDornel),
                         [](const auto& info) { return VariantName(info.param); });

TEST_P(IpSettingsPage, DialogOfTheProgram) {
  Open(IpServer({.ip = {192, 168, 1, 50}}));
  const bool halvex = GetParam() == Variant::kHalvex;
  const ui::DialogTemplate& dialog = page_->dialog_template();
  EXPECT_EQ(dialog.id, kDialog);
  EXPECT_EQ(dialog.caption, "IP 設定");
  EXPECT_EQ(dialog.rect.cx, 240);
  EXPECT_EQ(dialog.rect.cy, halvex ? 230 : 215);
  EXPECT_EQ(page_->gateway_id(), halvex ? 1113 : 1030);
  EXPECT_EQ(page_->mask_id(), halvex ? 1114 : 1031);
  const VariantTraits& traits = run_.traits();
  EXPECT_EQ(traits.header_picture_id, halvex ? 1135 : 1052);
  EXPECT_NE(page_->GetDlgItem(traits.header_picture_id), nullptr);
  EXPECT_EQ(page_->GetDlgItemText(traits.header_title_id), "Print Server");
  EXPECT_EQ(page_->GetDlgItemText(traits.name_label_id), " 名稱");
  EXPECT_EQ(page_->GetDlgItemText(kAutomatic), "自動");
  EXPECT_EQ(page_->GetDlgItemText(kFixed), "指定");
  EXPECT_EQ(page_->GetDlgItemText(kTcpIpSupport), "TCP/IP 支援");
  EXPECT_EQ(page_->GetDlgItemText(kWrite), "寫入");
  EXPECT_EQ(page_->GetDlgItemText(kReset), "重置");
  EXPECT_EQ(page_->GetRadioGroup(kAutomatic), (std::vector<int>{kAutomatic, kFixed}));
  EXPECT_EQ(page_->GetLimitText(kAlias), 48);
  EXPECT_EQ(page_->GetLimitText(kIpAddress), 20);
  EXPECT_FALSE(page_->IsWindowEnabled(kAlias));
  EXPECT_FALSE(page_->IsWindowEnabled(kTcpIpSupport)) << "never enabled";
  EXPECT_EQ(page_->GetDlgItemText(kAlias), "PS-IP");
}

// What activation shows for the record's TCP/IP bit, its gateway-and-mask
// capability and its address.
struct FillRow {
  const char* name;
  bool tcpip_enabled;
  bool may_route;  // byte 489 bit 0x10
  Ipv4Bytes ip;
  int mode;
  bool radios, ip_edit, gateway_and_mask;
};

void PrintTo(const FillRow& row, std::ostream* os) { *os << row.name; }

const FillRow kFillRows[] = {
    {"FixedWithGateway", true, true, {192, 168, 1, 50}, kModeFixed, true, true, true},
    {"FixedWithoutGateway", true, false, {192, 168, 1, 50}, kModeFixed, true, true, false},
    {"Automatic", true, true, {0, 0, 0, 0}, kModeAutomatic, true, false, false},
    // Fixed enables the IP edit whatever the TCP/IP bit did.
    {"TcpIpOffButFixed", false, true, {192, 168, 1, 50}, kModeFixed, false, true, true},
    {"TcpIpOffWithoutGateway", false, false, {10, 0, 0, 9}, kModeFixed, false, true, false},
    {"TcpIpOffAutomatic", false, true, {0, 0, 0, 0}, kModeAutomatic, false, false, false},
};

class IpSettingsFill : public ::testing::TestWithParam<std::tuple<Variant, FillRow>> {};

TEST_P(IpSettingsFill, FollowsTheRecord) {
  const auto& [variant, row] = GetParam();
  TestMachine machine(OneCard());
  testing::ScriptedSheet run(variant);
  const std::uint8_t caps = eeprom::kCapTcpIp | (row.may_route ? eeprom::kCapMailPrint : 0);
  run.network().Add(IpServer({.capabilities = caps,
                              .tcpip_enabled = row.tcpip_enabled,
                              .ip = row.ip,
                              .gateway = {192, 168, 1, 1},
                              .mask = {255, 255, 255, 0}}));
  run.Open(kPages);
  auto* page = static_cast<Page01*>(run.sheet().FindPage(PageKind::kIpSettings));
  ASSERT_TRUE(run.sheet().SetActivePage(page));

  EXPECT_EQ(page->address_mode(), row.mode);
  EXPECT_EQ(page->IsDlgButtonChecked(row.mode == kModeFixed ? kFixed : kAutomatic), 1);
  EXPECT_EQ(page->IsDlgButtonChecked(kTcpIpSupport), row.tcpip_enabled ? 1 : 0);
  EXPECT_EQ(page->IsWindowEnabled(kAutomatic), row.radios);
  EXPECT_EQ(page->IsWindowEnabled(kFixed), row.radios);
  EXPECT_EQ(page->IsWindowEnabled(kIpAddress), row.ip_edit);
  EXPECT_EQ(page->IsWindowEnabled(page->gateway_id()), row.gateway_and_mask);
  EXPECT_EQ(page->IsWindowEnabled(page->mask_id()), row.gateway_and_mask);
  EXPECT_EQ(page->GetDlgItemText(kIpAddress), FormatIpv4(row.ip));
  EXPECT_EQ(page->GetDlgItemText(page->gateway_id()), "192.168.1.1");
  EXPECT_EQ(page->GetDlgItemText(page->mask_id()), "255.255.255.0");
  EXPECT_TRUE(page->IsWindowEnabled());
  EXPECT_TRUE(run.services().message_box.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, IpSettingsFill,
                         ::testing::Combine(::testing::Values(Variant::kHalvex, Variant::kDornel),
                                            ::testing::ValuesIn(kFillRows)),
                         [](const auto& info) {
                           return VariantName(std::get<0>(info.param)) + "_" +
                                  std::get<1>(info.param).name;
                         });

TEST_P(IpSettingsPage, OnlyHalvexGatesOnFirmwareAndTcpIpSupport) {
  FakeServer old = IpServer({.ip = {192, 168, 1, 50}}, "OLD");
  old.firmware_complete = 0;
  Open(old);
  if (GetParam() == Variant::kHalvex) {
    EXPECT_EQ(Messages(), std::vector<std::string>{"請先更新列印伺服器軔體"});
    EXPECT_FALSE(page_->IsWindowEnabled());
    EXPECT_EQ(page_->GetDlgItemText(kIpAddress), "") << "not filled";
  } else {
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(page_->IsWindowEnabled());
    EXPECT_EQ(page_->GetDlgItemText(kIpAddress), "192.168.1.50");
  }
}

TEST(IpSettingsHalvex, AServerWithoutTcpIpIsRefusedOncePerActivation) {
  TestMachine machine(OneCard());
  testing::ScriptedSheet run(Variant::kHalvex);
  run.network().Add(IpServer({.capabilities = 0, .ip = {192, 168, 1, 50}}, "NOTCP"));
  run.Open(kPages);
  Page01* page = static_cast<Page01*>(run.sheet().FindPage(PageKind::kIpSettings));
  ASSERT_TRUE(run.sheet().SetActivePage(page));
  EXPECT_EQ(run.services().message_box.texts(),
            std::vector<std::string>{"NOTCP 不支援 TCP/IP 通訊協定"});
  EXPECT_FALSE(page->IsWindowEnabled());
  EXPECT_EQ(page->GetDlgItemText(kIpAddress), "");
  ASSERT_TRUE(run.sheet().SetActivePage(0));
  ASSERT_TRUE(run.sheet().SetActivePage(page));
  EXPECT_EQ(run.services().message_box.texts().size(), 2u);
}

TEST_P(IpSettingsPage, OnlyDornelSetsTheProgramCaption) {
  Open(IpServer({.ip = {192, 168, 1, 50}}));
  ASSERT_TRUE(run_.sheet().SetActivePage(0));
  run_.sheet().SetTitle("PS-IP");
  ASSERT_TRUE(run_.sheet().SetActivePage(page_));
  EXPECT_EQ(run_.sheet().GetWindowText(),
            GetParam() == Variant::kDornel ? "Print Server 設定程式  3.0" : "PS-IP");
}

// Texts the page refuses, the message and the edit that gets the focus.
enum class Field { kIp, kGateway, kMask };

struct RefusalRow {
  const char* name;
  std::string ip, gateway, mask;
  std::string_view message;
  Field focus;
};

const RefusalRow kRefusals[] = {
    // The dotted parser.
    {"EmptyIp", "", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"TwoDots", "192.168.1", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"FourDots", "192.168.1.5.", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"ThreeDotsThreeParts", "192..168.1", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"AboveTwoFiftyFive", "256.1.1.1", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"LetterPart", "192.168.1.x", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"NegativePart", "-1.2.3.4", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"SignedZero", "+0.2.3.4", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"Blanks", "   .   .   .   ", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"TwentyLetters", "abcdefghijklmnopqrst", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"TwentySymbols", "#$%&'()*+,-/:;<=>?@!", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"LeadingDotOnly", ".1.2.3", "0.0.0.0", "0.0.0.0", kBadIp, Field::kIp},
    {"EmptyGateway", "192.168.1.5", "", "255.255.255.0", kBadGateway, Field::kGateway},
    {"GatewayThreeParts", "192.168.1.5", "192.168.1", "255.255.255.0", kBadGateway,
     Field::kGateway},
    {"GatewayTooLong", "192.168.1.5", "192.168.1.1" + std::string(20, ' '), "255.255.255.0",
     kBadGateway, Field::kGateway},
    {"EmptyMask", "192.168.1.5", "192.168.1.1", "", kBadMask, Field::kMask},
    {"MaskSigns", "192.168.1.5", "192.168.1.1", "+-+-+-", kBadMask, Field::kMask},
    {"MaskTooLong", "192.168.1.5", "192.168.1.1", "0255.0255.0255.00000000", kBadMask,
     Field::kMask},
    // The consistency check.
    {"GatewayWithoutIp", "0.0.0.0", "192.168.1.1", "0.0.0.0", kBadGateway, Field::kGateway},
    {"GatewayWithoutMask", "192.168.1.5", "192.168.1.1", "0.0.0.0", kBadMask, Field::kMask},
    {"MaskWithAHole", "192.168.1.5", "0.0.0.0", "255.255.0.255", kBadMask, Field::kMask},
    {"GatewayInAnotherNetwork", "192.168.1.5", "192.168.2.1", "255.255.255.0", kBadGateway,
     Field::kGateway},
    {"GatewayOutsideTheNoAddressNetwork", "0.0.0.0", "10.0.0.1", "255.255.255.0", kBadGateway,
     Field::kGateway},
};

TEST_P(IpSettingsPage, EveryRefusalSaysWhyFocusesTheEditAndWritesNothing) {
  Open(
      IpServer({.ip = {192, 168, 1, 50}, .gateway = {192, 168, 1, 1}, .mask = {255, 255, 255, 0}}));
  for (const RefusalRow& row : kRefusals) {
    SCOPED_TRACE(row.name);
    run_.services().message_box.Clear();
    server().requests.clear();
    const std::vector<std::uint8_t> before = Record();
    Type(row.ip, row.gateway, row.mask);
    ASSERT_TRUE(page_->ClickDlgItem(kWrite));
    EXPECT_EQ(Messages(), std::vector<std::string>{std::string(row.message)});
    const int focus = row.focus == Field::kIp        ? kIpAddress
                      : row.focus == Field::kGateway ? page_->gateway_id()
                                                     : page_->mask_id();
    EXPECT_EQ(page_->GetFocusId(), focus);
    EXPECT_FALSE(WriteSent());
    EXPECT_EQ(Record(), before) << "the record buffer is left alone";
  }
}

TEST_P(IpSettingsPage, ADisabledGatewayIsCheckedAllTheSame) {
  // Without bit 0x10 the gateway edit is disabled, but its text counts.
  Open(IpServer({.capabilities = eeprom::kCapTcpIp,
                 .ip = {192, 168, 1, 5},
                 .gateway = {192, 168, 2, 1},
                 .mask = {255, 255, 255, 0}}));
  ASSERT_FALSE(page_->IsWindowEnabled(page_->gateway_id()));
  ASSERT_TRUE(page_->ClickDlgItem(kWrite));
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(kBadGateway)});
  EXPECT_FALSE(WriteSent());
}

// Texts the parser takes as the C library reads numbers.
struct AcceptedRow {
  const char* name;
  std::string ip;
  Ipv4Bytes written;
};

TEST_P(IpSettingsPage, TextsThatReadAsNumbersAreWritten) {
  const AcceptedRow rows[] = {
      {"Plain", "192.168.1.5", {192, 168, 1, 5}},
      {"DigitThenLetter", "1a.2.3.4", {1, 2, 3, 4}},
      {"PlusSign", "+1.2.3.4", {1, 2, 3, 4}},
      {"LeadingBlanks", " 1. 2. 3. 4", {1, 2, 3, 4}},
      {"LeadingZeros", "010.001.000.009", {10, 1, 0, 9}},
  };
  Open(IpServer({.ip = {192, 168, 1, 50}}));
  for (const AcceptedRow& row : rows) {
    SCOPED_TRACE(row.name);
    run_.services().message_box.Clear();
    Type(row.ip, "0.0.0.0", "0.0.0.0");
    // A PC network question, should there be one, is answered Yes by default.
    ASSERT_TRUE(page_->ClickDlgItem(kWrite));
    EXPECT_EQ(IpAddress(server().record), row.written);
    for (const std::string& text : Messages()) EXPECT_EQ(text, kOtherNetwork);
  }
}

TEST_P(IpSettingsPage, AutomaticModeWritesNoAddressesAndAsksNothing) {
  Open(IpServer({.ip = {10, 9, 8, 7}, .gateway = {10, 9, 8, 1}, .mask = {255, 0, 0, 0}}));
  ASSERT_TRUE(page_->ClickDlgItem(kAutomatic));
  EXPECT_FALSE(page_->IsWindowEnabled(kIpAddress));
  EXPECT_FALSE(page_->IsWindowEnabled(page_->gateway_id()));
  EXPECT_FALSE(page_->IsWindowEnabled(page_->mask_id()));
  EXPECT_EQ(page_->GetDlgItemText(kIpAddress), "10.9.8.7") << "the texts stay";

  run_.services().wait_cursor.Clear();
  ASSERT_TRUE(page_->ClickDlgItem(kWrite));
  EXPECT_TRUE(Messages().empty());
  ASSERT_TRUE(WriteSent());
  const auto record = std::span<const std::uint8_t>(server().record);
  EXPECT_EQ(IpAddress(record), Ipv4Bytes{});
  EXPECT_EQ(Gateway(record), Ipv4Bytes{});
  EXPECT_EQ(SubnetMask(record), Ipv4Bytes{});
  EXPECT_TRUE(Flag(eeprom::kTcpIpEnabled, record));
  EXPECT_TRUE(Flag(eeprom::kSelfTestPage, record)) << "the other bits of byte 72 stay";
  EXPECT_EQ(FieldByte(eeprom::kChecksum, record), RecordChecksum(record));
  EXPECT_EQ(run_.services().wait_cursor.calls(),
            (std::vector{ui::WaitCursorCall::kBegin, ui::WaitCursorCall::kRestore,
                         ui::WaitCursorCall::kEnd}));
}

TEST_P(IpSettingsPage, AnAddressOutsideThePcNetworkAsksFirst) {
  Open(IpServer({.ip = {192, 168, 1, 50}}));
  EXPECT_EQ(page_->pc_address(), "192.168.1.254");
  EXPECT_EQ(page_->pc_mask(), "255.255.255.0");
  Type("10.0.0.5", "0.0.0.0", "0.0.0.0");

  int depth_while_asked = -1;
  run_.services().message_box.SetOnShow(
      [&](const ShownMessage&) { depth_while_asked = run_.services().wait_cursor.depth(); });
  run_.services().message_box.QueueAnswer(ui::kIdNo);
  ASSERT_TRUE(page_->ClickDlgItem(kWrite));
  ASSERT_EQ(run_.services().message_box.shown().size(), 1u);
  EXPECT_EQ(run_.services().message_box.shown()[0],
            (ShownMessage{std::string(kOtherNetwork), "Warning", MessageButtons::kYesNo,
                          MessageIcon::kWarning}));
  EXPECT_EQ(depth_while_asked, 1) << "asked under the wait cursor";
  EXPECT_EQ(run_.services().wait_cursor.depth(), 0);
  EXPECT_FALSE(WriteSent()) << "No sends nothing";
  EXPECT_EQ(IpAddress(run_.manager().eeprom_image()), (Ipv4Bytes{10, 0, 0, 5}))
      << "but the record buffer holds the new values";
  EXPECT_EQ(IpAddress(server().record), (Ipv4Bytes{192, 168, 1, 50}));

  run_.services().message_box.Clear();
  run_.services().message_box.QueueAnswer(ui::kIdYes);
  ASSERT_TRUE(page_->ClickDlgItem(kWrite));
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(kOtherNetwork)});
  EXPECT_EQ(IpAddress(server().record), (Ipv4Bytes{10, 0, 0, 5}));
}

TEST_P(IpSettingsPage, AnAddressInThePcNetworkIsWrittenWithoutAQuestion) {
  Open(IpServer({.ip = {192, 168, 1, 50}}));
  Type("192.168.1.77", "192.168.1.1", "255.255.255.0");
  ASSERT_TRUE(page_->ClickDlgItem(kWrite));
  EXPECT_TRUE(Messages().empty());
  const auto record = std::span<const std::uint8_t>(server().record);
  EXPECT_EQ(IpAddress(record), (Ipv4Bytes{192, 168, 1, 77}));
  EXPECT_EQ(Gateway(record), (Ipv4Bytes{192, 168, 1, 1}));
  EXPECT_EQ(SubnetMask(record), (Ipv4Bytes{255, 255, 255, 0}));
}

TEST_P(IpSettingsPage, AFailedWriteSaysSoAndKeepsTheValues) {
  FakeServer deaf = IpServer({.ip = {192, 168, 1, 50}});
  deaf.ignores.insert(Command::kWriteRecord);
  Open(deaf);
  Type("192.168.1.60", "0.0.0.0", "0.0.0.0");
  ASSERT_TRUE(page_->ClickDlgItem(kWrite));
  EXPECT_EQ(Messages(), std::vector<std::string>{"無法寫入列印伺服器的EEPROM"});
  EXPECT_EQ(IpAddress(run_.manager().eeprom_image()), (Ipv4Bytes{192, 168, 1, 60}));
}

TEST_P(IpSettingsPage, ResetRestartsProbesAndReadsAgain) {
  Open(IpServer({.ip = {192, 168, 1, 50}}));
  server().requests.clear();
  ASSERT_TRUE(page_->ClickDlgItem(kReset));
  EXPECT_EQ(server().requests, (std::vector{Command::kReset, Command::kSearch, Command::kReadRecord,
                                            Command::kServerStatus}));
  EXPECT_TRUE(Messages().empty());
}

// The proposal for a server without an address: the PC's cards, the
// registry file (the 9x walk reads only the file) and what "指定" shows.
struct ProposalRow {
  const char* name;
  std::vector<sysinfo::HostInterface> pc;
  std::uint32_t platform;
  std::optional<std::string> registry;  // the file's text; none for no file
  std::string proposed;
  std::string pc_address, pc_mask;
};

void PrintTo(const ProposalRow& row, std::ostream* os) { *os << row.name; }

std::string NetTrans(const std::string& address, const std::string& mask) {
  return "REGEDIT4\n"
         "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000]\n"
         "\"IPAddress\"=\"" +
         address + "\"\n\"IPMask\"=\"" + mask + "\"\n";
}

const ProposalRow kProposals[] = {
    {"NtNextAddress", OneCard({192, 168, 1, 7}), kVerPlatformWin32Nt, std::nullopt, "192.168.1.8",
     "192.168.1.7", "255.255.255.0"},
    {"NtAfter254", OneCard({192, 168, 1, 254}), kVerPlatformWin32Nt, std::nullopt, "192.168.1.255",
     "192.168.1.254", "255.255.255.0"},
    {"NtAfter255", OneCard({192, 168, 1, 255}), kVerPlatformWin32Nt, std::nullopt, "192.168.1.254",
     "192.168.1.255", "255.255.255.0"},
    {"NtFirstKnownCardWins",
     {Interface("eth0", {10, 1, 2, 3}, {255, 255, 0, 0}),
      Interface("eth1", {192, 168, 5, 9}, {255, 255, 255, 0})},
     kVerPlatformWin32Nt,
     std::nullopt,
     "10.1.2.4",
     "10.1.2.3",
     "255.255.0.0"},
    {"NtLoopbackOnly",
     {Interface("lo", {127, 0, 0, 1}, {255, 0, 0, 0}, true)},
     kVerPlatformWin32Nt,
     std::nullopt,
     "0.0.0.0",
     "",
     ""},
    {"NtStoredMaskWins", OneCard({192, 168, 1, 7}), kVerPlatformWin32Nt,
     "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\eth0\\Parameters\\Tcpip]"
     "\n\"SubnetMask\"=\"255.255.0.0\"\n",
     "192.168.1.8", "192.168.1.7", "255.255.0.0"},
    {"Win9xRegistryFile", OneCard({192, 168, 7, 9}), kVerPlatformWin32Windows,
     NetTrans("192.168.7.9", "255.255.255.0"), "192.168.7.10", "192.168.7.9", "255.255.255.0"},
    {"Win9xFirstCardUnknown",
     {Interface("eth0", {10, 0, 0, 5}, {255, 0, 0, 0}),
      Interface("eth1", {192, 168, 7, 9}, {255, 255, 255, 0})},
     kVerPlatformWin32Windows,
     NetTrans("192.168.7.9", "255.255.255.0"),
     "192.168.7.10",
     "192.168.7.9",
     "255.255.255.0"},
    {"Win9xMaskMissing", OneCard({192, 168, 7, 9}), kVerPlatformWin32Windows,
     "REGEDIT4\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000]"
     "\n\"IPAddress\"=\"192.168.7.9\"\n",
     "192.168.7.10", "192.168.7.9", ""},
    {"Win9xNoFile", OneCard({192, 168, 7, 9}), kVerPlatformWin32Windows, std::nullopt, "0.0.0.0",
     "", ""},
    {"Win9xEmptyFile", OneCard({192, 168, 7, 9}), kVerPlatformWin32Windows, "", "0.0.0.0", "", ""},
    {"Win9xMalformedFile", OneCard({192, 168, 7, 9}), kVerPlatformWin32Windows,
     "\x01\x02[HKEY_LOCAL_MACHINE\\System\nIPAddress=\"192.168.7.9", "0.0.0.0", "", ""},
    {"Win9xOtherAddress", OneCard({192, 168, 7, 9}), kVerPlatformWin32Windows,
     NetTrans("192.168.7.19", "255.255.255.0"), "0.0.0.0", "", ""},
    {"Win32sLooksNowhere", OneCard({192, 168, 1, 7}), 0, std::nullopt, "0.0.0.0", "", ""},
};

class IpSettingsProposal : public ::testing::TestWithParam<std::tuple<Variant, ProposalRow>> {};

TEST_P(IpSettingsProposal, FixedProposesTheAddressNextToThePc) {
  const auto& [variant, row] = GetParam();
  TestMachine machine(row.pc);
  if (row.registry) machine.WriteRegistryFile(*row.registry);
  sysinfo::ScopedOsVersion version(row.platform, row.platform == kVerPlatformWin32Nt ? 5 : 4,
                                   row.platform == kVerPlatformWin32Nt ? 0 : 10);
  testing::ScriptedSheet run(variant);
  run.network().Add(IpServer({}));  // no address yet
  run.Open(kPages);
  auto* page = static_cast<Page01*>(run.sheet().FindPage(PageKind::kIpSettings));
  ASSERT_TRUE(run.sheet().SetActivePage(page));
  ASSERT_EQ(page->address_mode(), kModeAutomatic);
  EXPECT_EQ(page->pc_address(), "") << "looked up only when 指定 runs";

  ASSERT_TRUE(page->ClickDlgItem(kFixed));
  EXPECT_EQ(page->GetDlgItemText(kIpAddress), row.proposed);
  EXPECT_EQ(page->pc_address(), row.pc_address);
  EXPECT_EQ(page->pc_mask(), row.pc_mask);
  EXPECT_TRUE(page->IsWindowEnabled(kIpAddress));
  EXPECT_TRUE(run.services().message_box.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, IpSettingsProposal,
                         ::testing::Combine(::testing::Values(Variant::kHalvex, Variant::kDornel),
                                            ::testing::ValuesIn(kProposals)),
                         [](const auto& info) {
                           return VariantName(std::get<0>(info.param)) + "_" +
                                  std::get<1>(info.param).name;
                         });

TEST_P(IpSettingsPage, AServerWithAnAddressKeepsItAndNotesThePc) {
  Open(IpServer({.ip = {172, 16, 0, 9}}));
  EXPECT_EQ(page_->GetDlgItemText(kIpAddress), "172.16.0.9");
  EXPECT_EQ(page_->pc_address(), "192.168.1.254");
  EXPECT_EQ(page_->pc_mask(), "255.255.255.0");
}

TEST_P(IpSettingsPage, FixedAfterAutomaticProposesOnlyForAServerWithoutAddress) {
  Open(IpServer({.ip = {172, 16, 0, 9}}));
  ASSERT_TRUE(page_->ClickDlgItem(kAutomatic));
  ASSERT_TRUE(page_->ClickDlgItem(kFixed));
  EXPECT_EQ(page_->GetDlgItemText(kIpAddress), "172.16.0.9");
  EXPECT_TRUE(page_->IsWindowEnabled(page_->gateway_id()));
}

// End to end: change the address on the IP settings page, write, reset, and
// the print-server status page shows the new address in use.
TEST(IpSettingsOnPsemu, TheNewAddressIsInUseAfterTheReset) {
  TestMachine machine(OneCard({192, 168, 10, 5}));
  sysinfo::ScopedOsVersion windows2000(kVerPlatformWin32Nt, 5, 0);
  ui::TestServices services;
  testing::PsemuProcess psemu;
  testing::PsemuProcess::Options options;
  options.device_files_text = {testing::DeviceFile(
      "00:40:01:00:08:01",
      {{"alias", "E2E"}, {"ip_address", "192.168.10.21"}, {"record.gateway", "192.168.10.1"}})};
  ASSERT_TRUE(psemu.Start(options)) << psemu.error();
  net::PosixSocketApi api;
  UdpTransport transport(api);
  testing::RecordingReporter reporter;
  CPServerManager manager(transport, reporter);
  manager.set_title("Print Server");
  manager.set_program_directory((psemu.work_dir() / "program").string());
  CCelvoDlg sheet("Print Server 設定程式  3.0", TraitsOf(Variant::kDornel), kPages);
  sheet.SetManager(&manager);
  ASSERT_TRUE(sheet.Create());
  testing::RunPendingEvents();
  ASSERT_EQ(manager.server_count(), 1);

  auto* ip_page = static_cast<Page01*>(sheet.FindPage(PageKind::kIpSettings));
  auto* status_page = static_cast<Page03*>(sheet.FindPage(PageKind::kServerStatus));
  ASSERT_TRUE(sheet.SetActivePage(status_page));
  EXPECT_EQ(status_page->GetDlgItemText(status_page->ip_in_use_id()), "192.168.10.21");

  ASSERT_TRUE(sheet.SetActivePage(ip_page));
  EXPECT_EQ(ip_page->GetDlgItemText(kIpAddress), "192.168.10.21");
  EXPECT_EQ(ip_page->GetDlgItemText(ip_page->gateway_id()), "192.168.10.1");
  ASSERT_TRUE(ip_page->UserTypeText(kIpAddress, "192.168.10.99"));
  ASSERT_TRUE(ip_page->ClickDlgItem(kWrite));
  EXPECT_TRUE(services.message_box.shown().empty()) << "in the PC's network, and written";

  ASSERT_TRUE(sheet.SetActivePage(status_page));
  EXPECT_EQ(status_page->GetDlgItemText(status_page->ip_in_use_id()), "192.168.10.21")
      << "a write applies only after the reset";

  ASSERT_TRUE(sheet.SetActivePage(ip_page));
  ASSERT_TRUE(ip_page->ClickDlgItem(kReset));
  EXPECT_TRUE(services.message_box.shown().empty());
  ASSERT_TRUE(sheet.SetActivePage(status_page));
  EXPECT_EQ(status_page->GetDlgItemText(status_page->ip_in_use_id()), "192.168.10.99");
  EXPECT_TRUE(reporter.messages.empty());
}

}  // namespace
}  // namespace pscfg
