#include "pages/page08.h"

#include <QString>
#include <string_view>

#include "pages/page07.h"
#include "platform/text/codepage.h"
#include "platform/ui/ddx.h"
#include "protocol/records/eeprom_image.h"
#include "shell/celvo_dlg.h"
#include "shell/page_template.h"

namespace pscfg {

namespace page08 {
const Ids& IdsOf(Variant variant) { return variant == Variant::kHalvex ? kHalvexIds : kDornelIds; }
}  // namespace page08

namespace {

using page08::Ids;

// What the page says.
namespace says {
constexpr std::string_view kHalvexCaption = "列印伺服器設定";
constexpr std::string_view kDornelCaption = "Plintrex Cfg";
constexpr std::string_view kHalvexAliasLabel = "別名 :";
constexpr std::string_view kDornelAliasLabel = "別名";
constexpr std::string_view kSelfTestPage = "自我測試頁";
constexpr std::string_view kTcpIp = "TCP/IP 支援";
constexpr std::string_view kNetWare = "NetWare 支援";
constexpr std::string_view kNetBeui = "NetBEUI 支援";
constexpr std::string_view kAppleTalk = "AppleTalk 支援";
constexpr std::string_view kFactoryDefaults = "出廠預設值";
constexpr std::string_view kWriteButton = "寫入";
constexpr std::string_view kResetButton = "重置";
// Dornel's words when the factory defaults have replaced the alias.
constexpr std::string_view kDefaultsAliasChanged = "別名已經改變, 你必須 '重置' 使它生效";
}  // namespace says

bool IsHalvex(const VariantTraits& traits) { return traits.variant == Variant::kHalvex; }

ui::DialogTemplate Page08Template(const VariantTraits& traits) {
  using namespace ui;
  const Ids& ids = page08::IdsOf(traits.variant);
  const bool halvex = IsHalvex(traits);
  DialogTemplate dialog = PageTemplate(
      traits, ids.dialog, std::string(halvex ? says::kHalvexCaption : says::kDornelCaption));
  const int top = kHeaderBottom + 10;
  dialog.controls.push_back(
      StaticText(kIdStatic, std::string(halvex ? says::kHalvexAliasLabel : says::kDornelAliasLabel),
                 {20, top + 2, 50, 10}, style::kAlignRight));
  dialog.controls.push_back(Edit(ids.alias, {76, top, 100, 12},
                                 halvex ? style::kNone : style::kUppercase, page08::kAliasLimit));

  struct Box {
    int id;
    std::string_view text;
  };
  const Box boxes[] = {
      {ids.self_test_page, says::kSelfTestPage},
      {ids.tcpip, says::kTcpIp},
      {ids.netware, says::kNetWare},
      {ids.netbeui, says::kNetBeui},
      {ids.appletalk, says::kAppleTalk},
  };
  int y = top + 24;
  for (const Box& box : boxes) {
    if (box.id == 0) continue;
    dialog.controls.push_back(CheckBox(box.id, std::string(box.text), {76, y, 120, 10}));
    y += 16;
  }
  if (ids.factory_defaults != 0) {
    dialog.controls.push_back(
        CheckBox(ids.factory_defaults, std::string(says::kFactoryDefaults), {76, y + 8, 120, 10}));
  }

  const int buttons = traits.page_height - 22;
  dialog.controls.push_back(
      PushButton(ids.write, std::string(says::kWriteButton), {118, buttons, 55, 14}));
  dialog.controls.push_back(
      PushButton(ids.reset, std::string(says::kResetButton), {178, buttons, 55, 14}));
  return dialog;
}

// UTF-8 to the record's code page; a character that it cannot hold becomes
// "?", as the platform's edit control gives it to an ANSI program.
std::string ToDeviceText(const std::string& utf8) {
  std::string device;
  if (text::Utf8ToCp950(utf8, &device)) return device;
  device.clear();
  const QString characters = QString::fromStdString(utf8);
  for (qsizetype i = 0; i < characters.size();) {
    const qsizetype width = characters[i].isHighSurrogate() && i + 1 < characters.size() ? 2 : 1;
    std::string one;
    device += text::Utf8ToCp950(characters.mid(i, width).toStdString(), &one) ? one : "?";
    i += width;
  }
  return device;
}

}  // namespace

Page08::Page08(const VariantTraits& traits)
    : ConfigPage(traits, Page08Template(traits)), ids_(page08::IdsOf(traits.variant)) {
  OnCommand(ids_.write, [this] { Write(); });
  OnCommand(ids_.reset, [this] { ResetServer(); });
  if (!IsHalvex(traits)) {
    OnCommand(ids_.factory_defaults, [this] { FactoryDefaultsClicked(); });
    OnCommand(ids_.self_test_page, [this] { UpdateData(true); });
  }
}

void Page08::DoDataExchange(ui::DataExchange& dx) {
  ConfigPage::DoDataExchange(dx);
  ui::DDX_Text(dx, ids_.alias, alias_);
  ui::DDV_MaxChars(dx, alias_, page08::kAliasLimit);
  ui::DDX_Check(dx, ids_.self_test_page, self_test_page_);
  if (ids_.tcpip != 0) ui::DDX_Check(dx, ids_.tcpip, tcpip_);
  if (ids_.netware != 0) ui::DDX_Check(dx, ids_.netware, netware_);
  ui::DDX_Check(dx, ids_.netbeui, netbeui_);
  ui::DDX_Check(dx, ids_.appletalk, appletalk_);
  if (ids_.factory_defaults != 0) ui::DDX_Check(dx, ids_.factory_defaults, factory_defaults_);
}

bool Page08::OnSetActive() { return IsHalvex(traits()) ? FillHalvex() : FillDornel(); }

bool Page08::OnKillActive() {
  if (IsHalvex(traits())) SetProgramCaption();
  return ConfigPage::OnKillActive();
}

int Page08::ProtocolBox(int id, std::uint8_t capability, const FieldDescriptor& flag) {
  const auto record = manager()->eeprom_image();
  const bool offered = HasCapability(record, capability);
  EnableWindow(id, offered);
  return offered && Flag(flag, record) ? 1 : 0;
}

bool Page08::FillHalvex() {
  if (!FirmwareGate()) return true;
  const auto record = manager()->eeprom_image();
  alias_ = text::Cp950ToUtf8(Alias(record));
  self_test_page_ = Flag(eeprom::kSelfTestPage, record) ? 1 : 0;
  tcpip_ = ProtocolBox(ids_.tcpip, eeprom::kCapTcpIp, eeprom::kTcpIpEnabled);
  EnableWindow(ids_.netware, true);
  netware_ = Flag(eeprom::kNetWareDisabled, record) ? 0 : 1;
  netbeui_ = ProtocolBox(ids_.netbeui, eeprom::kCapNetBeui, eeprom::kNetBeuiEnabled);
  appletalk_ = ProtocolBox(ids_.appletalk, eeprom::kCapAppleTalk, eeprom::kAppleTalkEnabled);
  UpdateData(false);
  SetProgramCaption();
  return ConfigPage::OnSetActive();
}

bool Page08::FillDornel() {
  const PServerEntry* entry = SelectedEntry();
  if (entry == nullptr) {
    EnableWindow(false);
    return ConfigPage::OnSetActive();
  }
  EnableWindow(true);
  std::string alias = entry->Alias();
  if (alias.empty()) alias = FixedFieldText(FieldBytes(info::kDeviceName, entry->info));
  alias_ = text::Cp950ToUtf8(alias);
  const auto record = manager()->eeprom_image();
  self_test_page_ = Flag(eeprom::kSelfTestPage, record) ? 1 : 0;
  EnableWindow(ids_.alias, true);
  EnableWindow(ids_.self_test_page, true);
  netbeui_ = ProtocolBox(ids_.netbeui, eeprom::kCapNetBeui, eeprom::kNetBeuiEnabled);
  appletalk_ = ProtocolBox(ids_.appletalk, eeprom::kCapAppleTalk, eeprom::kAppleTalkEnabled);
  factory_defaults_ = 0;
  SetProgramCaption();
  UpdateData(false);
  return ConfigPage::OnSetActive();
}

void Page08::FactoryDefaultsClicked() {
  if (!UpdateData(true)) return;
  // Clearing the box enables all four, whatever the firmware offers.
  const bool editable = factory_defaults_ == 0;
  for (int id : {ids_.alias, ids_.self_test_page, ids_.netbeui, ids_.appletalk}) {
    EnableWindow(id, editable);
  }
}

void Page08::Write() {
  WriteRecord(nullptr, [this](std::span<std::uint8_t> record) {
    if (IsHalvex(traits())) {
      EncodeHalvex(record);
    } else {
      EncodeDornel(record);
    }
  });
}

void Page08::EncodeHalvex(std::span<std::uint8_t> record) {
  ChangeAlias(DeviceAlias());
  SetFlag(eeprom::kSelfTestPage, record, (self_test_page_ & 1) != 0);
  SetFlag(eeprom::kAppleTalkEnabled, record, (appletalk_ & 1) != 0);
  SetFlag(eeprom::kNetBeuiEnabled, record, (netbeui_ & 1) != 0);
  SetFlag(eeprom::kTcpIpEnabled, record, (tcpip_ & 1) != 0);
  SetFlag(eeprom::kNetWareDisabled, record, (netware_ & 1) == 0);
}

void Page08::EncodeDornel(std::span<std::uint8_t> record) {
  if (factory_defaults_ != 0) {
    CPServerManager& m = *manager();
    const std::string alias = PutFactoryDefaults(m, m.selected());
    if (sheet() != nullptr) sheet()->ReplaceServerLine(m.selected_index, text::Cp950ToUtf8(alias));
    ShowMessage(says::kDefaultsAliasChanged);
    return;
  }
  ChangeAlias(DeviceAlias());
  // TCP/IP and NetWare are not this page's in Dornel: their bits stay.
  SetFlag(eeprom::kSelfTestPage, record, (self_test_page_ & 1) != 0);
  SetFlag(eeprom::kNetBeuiEnabled, record, (netbeui_ & 1) != 0);
  SetFlag(eeprom::kAppleTalkEnabled, record, (appletalk_ & 1) != 0);
}

std::string Page08::DeviceAlias() const { return ToDeviceText(alias_); }

}  // namespace pscfg
