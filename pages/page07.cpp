#include "pages/page07.h"

#include <string_view>

#include "platform/text/codepage.h"
#include "platform/ui/ddx.h"
#include "protocol/byte_io.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/factory_defaults.h"
#include "shell/page_template.h"
#include "shell/wait_cursor.h"

namespace pscfg {
namespace {

using namespace page07;

// What the page says.
namespace says {
constexpr std::string_view kCaption = "出廠預設值";
constexpr std::string_view kDeviceNameLabel = "裝置名稱";
constexpr std::string_view kSelfTestPageLabel = "自我測試頁";
constexpr std::string_view kNetWareLabel = "NetWare 支援";
constexpr std::string_view kTcpIpLabel = "TCP/IP 支援";
constexpr std::string_view kDhcpServerLabel = "DHCP 伺服器";
constexpr std::string_view kNetBeuiLabel = "NetBEUI 支援";
constexpr std::string_view kSetDefaultsButton = "設成預設值";
constexpr std::string_view kResetButton = "重置";
constexpr std::string_view kEnable = "Enable";
constexpr std::string_view kDisable = "Disable";
constexpr std::string_view kAuto = "Auto";
constexpr std::string_view kNotAvailable = "N/A";
}  // namespace says

ui::DialogTemplate Page07Template(const VariantTraits& traits) {
  using namespace ui;
  DialogTemplate dialog = PageTemplate(traits, kDialog, std::string(says::kCaption));
  struct Row {
    std::string_view label;
    int id;
  };
  static constexpr Row kRows[] = {
      {says::kDeviceNameLabel, kDeviceName}, {says::kSelfTestPageLabel, kSelfTestPage},
      {says::kNetWareLabel, kNetWare},       {says::kTcpIpLabel, kTcpIp},
      {says::kDhcpServerLabel, kDhcpServer}, {says::kNetBeuiLabel, kNetBeui},
  };
  int y = kHeaderBottom + 12;
  for (const Row& row : kRows) {
    dialog.controls.push_back(
        StaticText(kIdStatic, std::string(row.label), {20, y + 2, 80, 10}, style::kAlignRight));
    dialog.controls.push_back(Edit(row.id, {108, y, 100, 12}, style::kDisabled));
    y += 22;
  }
  const int buttons = traits.page_height - 22;
  dialog.controls.push_back(
      PushButton(kSetDefaults, std::string(says::kSetDefaultsButton), {108, buttons, 60, 14}));
  dialog.controls.push_back(
      PushButton(kReset, std::string(says::kResetButton), {173, buttons, 60, 14}));
  return dialog;
}

// The device name as the record and the table keep it: its 8 bytes up to
// the first 0.
std::string DeviceName(const PServerEntry& entry) {
  return FixedFieldText(FieldBytes(info::kDeviceName, entry.info));
}

}  // namespace

std::string PutFactoryDefaults(CPServerManager& manager, PServerEntry& entry) {
  const std::span<const std::uint8_t> identity = entry.info;
  ApplyFactoryDefaults(manager.eeprom_image(), FieldBytes(info::kDeviceName, identity));
  const std::string alias = DeviceName(entry);
  std::string error;
  SetText(info::kAlias, entry.info, alias, &error);  // 8 bytes always fit
  return alias;
}

Page07::Page07(const VariantTraits& traits) : ConfigPage(traits, Page07Template(traits)) {
  OnCommand(kSetDefaults, [this] { SetDefaults(); });
  OnCommand(kReset, [this] { ResetServer(); });
}

void Page07::DoDataExchange(ui::DataExchange& dx) {
  ConfigPage::DoDataExchange(dx);
  ui::DDX_Text(dx, kDeviceName, device_name_);
  ui::DDX_Text(dx, kSelfTestPage, self_test_page_);
  ui::DDX_Text(dx, kNetWare, netware_);
  ui::DDX_Text(dx, kTcpIp, tcpip_);
  ui::DDX_Text(dx, kDhcpServer, dhcp_server_);
  ui::DDX_Text(dx, kNetBeui, netbeui_);
}

bool Page07::OnSetActive() {
  if (!FirmwareGate()) return true;
  const auto record = manager()->eeprom_image();
  device_name_ = text::Cp950ToUtf8(DeviceName(*SelectedEntry()));
  self_test_page_ = says::kDisable;
  netware_ = says::kEnable;
  const bool tcpip = HasCapability(record, eeprom::kCapTcpIp);
  tcpip_ = tcpip ? says::kEnable : says::kNotAvailable;
  dhcp_server_ =
      tcpip && HasCapability(record, eeprom::kCapDhcpServer) ? says::kAuto : says::kNotAvailable;
  netbeui_ = HasCapability(record, eeprom::kCapNetBeui) ? says::kEnable : says::kNotAvailable;
  UpdateData(false);
  SetAliasCaption();
  return ConfigPage::OnSetActive();
}

bool Page07::OnKillActive() {
  SetProgramCaption();
  return ConfigPage::OnKillActive();
}

void Page07::SetDefaults() {
  PServerEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  CPServerManager& m = *manager();
  // No question first: the defaults go into the record and the table at
  // once, and stay there when the write fails.
  ShowNewAlias(PutFactoryDefaults(m, *entry));
  WaitCursor wait;
  if (m.XWritePServerEEProm(*entry, m.eeprom_frame()) == 0) {
    ShowMessage(messages::kCannotWriteEEProm);
    return;
  }
  wait.Done();
  SetAliasCaption();
}

}  // namespace pscfg
