#include "pages/page01.h"

#include "platform/registry/pc_subnet_lookup.h"
#include "platform/sysinfo/name_services.h"
#include "platform/ui/ansi_length.h"
#include "platform/ui/ddx.h"
#include "protocol/records/dotted_address.h"
#include "protocol/records/eeprom_image.h"
#include "shell/page_template.h"
#include "shell/wait_cursor.h"

namespace pscfg {
namespace {

using namespace page01;

// What the page says.
namespace says {
constexpr std::string_view kCaption = "IP 設定";
constexpr std::string_view kTcpIpFrame = "TCP/IP 設定";
constexpr std::string_view kAutomaticButton = "自動";
constexpr std::string_view kFixedButton = "指定";
constexpr std::string_view kIpAddressLabel = "IP 位址:";
constexpr std::string_view kGatewayLabel = "通訊閘:";
constexpr std::string_view kMaskLabel = "子網路遮罩:";
constexpr std::string_view kTcpIpSupport = "TCP/IP 支援";
constexpr std::string_view kWriteButton = "寫入";
constexpr std::string_view kResetButton = "重置";
constexpr std::string_view kBadIpAddress = "指定的IP位址不合法";
constexpr std::string_view kBadGateway = "指定的通訊閘不合法";
constexpr std::string_view kBadMask = "指定的子網路遮罩不合法";
constexpr std::string_view kOtherNetwork =
    "您設置的IP位址與PC不在同一個網路上, 這樣可能會導致無法列印, 確定要繼續?";
constexpr std::string_view kOtherNetworkCaption = "Warning";
std::string NoTcpIp(const std::string& alias) { return alias + " 不支援 TCP/IP 通訊協定"; }
}  // namespace says

// The text of a server without a fixed address, and of a host address to pass over.
constexpr std::string_view kNoAddress = "0.0.0.0";

int GatewayId(Variant variant) {
  return variant == Variant::kHalvex ? kHalvexGateway : kDornelGateway;
}
int MaskId(Variant variant) { return variant == Variant::kHalvex ? kHalvexMask : kDornelMask; }

ui::DialogTemplate Page01Template(const VariantTraits& traits) {
  using namespace ui;
  DialogTemplate dialog = PageTemplate(traits, kDialog, std::string(says::kCaption));
  const int top = kHeaderBottom;
  const auto label = [](std::string_view text, int y) {
    return StaticText(kIdStatic, std::string(text), {20, y, 62, 10}, style::kAlignRight);
  };
  dialog.controls.insert(
      dialog.controls.end(),
      {
          NameLabel(traits, {7, top + 8, 60, 10}),
          Edit(kAlias, {72, top + 6, 120, 12}, style::kDisabled, kAliasLimit),
          GroupBox(kIdStatic, std::string(says::kTcpIpFrame), {7, top + 28, 226, 112}),
          RadioButton(kAutomatic, std::string(says::kAutomaticButton), {42, top + 42, 50, 10},
                      style::kGroup),
          RadioButton(kFixed, std::string(says::kFixedButton), {112, top + 42, 50, 10}),
          label(says::kIpAddressLabel, top + 62),
          Edit(kIpAddress, {88, top + 60, 100, 12}, style::kGroup, kIpAddressLimit),
          label(says::kGatewayLabel, top + 80),
          Edit(GatewayId(traits.variant), {88, top + 78, 100, 12}),
          label(says::kMaskLabel, top + 98),
          Edit(MaskId(traits.variant), {88, top + 96, 100, 12}),
          CheckBox(kTcpIpSupport, std::string(says::kTcpIpSupport), {42, top + 118, 100, 10},
                   style::kDisabled),
          PushButton(kWrite, std::string(says::kWriteButton), {123, top + 148, 50, 14},
                     style::kGroup),
          PushButton(kReset, std::string(says::kResetButton), {183, top + 148, 50, 14}),
      });
  return dialog;
}

// The address after `address` in its network: the last number plus one,
// or 254 for 255.
std::string NextAddress(sysinfo::InAddr address) {
  Ipv4Bytes bytes = sysinfo::ToIpv4(address);
  bytes[3] = bytes[3] == 255 ? 254 : static_cast<std::uint8_t>(bytes[3] + 1);
  return FormatIpv4(bytes);
}

// The dotted parser of the page, also for gateway and mask texts that no
// edit limit keeps short.
bool ParseAddressText(const std::string& text, std::array<int, 4>* numbers) {
  return ui::AnsiTextLength(text) <= kLongestAddressText && ParseDottedAddress(text, numbers);
}

}  // namespace

Page01::Page01(const VariantTraits& traits)
    : ConfigPage(traits, Page01Template(traits), {.header = true, .name_label = true}) {
  OnCommand(kAutomatic, [this] { Automatic(); });
  OnCommand(kFixed, [this] { Fixed(); });
  OnCommand(kWrite, [this] { Write(); });
  OnCommand(kReset, [this] { ResetServer(); });
}

int Page01::gateway_id() const { return GatewayId(traits().variant); }
int Page01::mask_id() const { return MaskId(traits().variant); }

void Page01::DoDataExchange(ui::DataExchange& dx) {
  ConfigPage::DoDataExchange(dx);
  ui::DDX_Text(dx, kAlias, alias_);
  ui::DDV_MaxChars(dx, alias_, kAliasLimit);
  ui::DDX_Text(dx, kIpAddress, ip_);
  ui::DDV_MaxChars(dx, ip_, kIpAddressLimit);
  ui::DDX_Text(dx, gateway_id(), gateway_);
  ui::DDX_Text(dx, mask_id(), mask_);
  ui::DDX_Check(dx, kTcpIpSupport, tcpip_);
  ui::DDX_Radio(dx, kAutomatic, address_mode_);
}

bool Page01::OnSetActive() {
  const bool halvex = traits().variant == Variant::kHalvex;
  if (halvex && !FirmwareGate()) return true;
  const PServerEntry* entry = SelectedEntry();
  if (entry == nullptr) return ConfigPage::OnSetActive();
  const auto record = manager()->eeprom_image();
  if (halvex && !HasCapability(record, eeprom::kCapTcpIp)) {
    ShowMessage(says::NoTcpIp(SelectedAlias()));
    EnableWindow(false);
    return true;
  }
  alias_ = SelectedAlias();
  const bool may_route = HasCapability(record, eeprom::kCapMailPrint);
  if (Flag(eeprom::kTcpIpEnabled, record)) {
    tcpip_ = 1;
    EnableWindow(kAutomatic, true);
    EnableWindow(kFixed, true);
    EnableAddressEdits(true, may_route);
  } else {
    tcpip_ = 0;
    EnableWindow(kAutomatic, false);
    EnableWindow(kFixed, false);
    EnableAddressEdits(false, false);
  }
  const Ipv4Bytes ip = IpAddress(record);
  ip_ = FormatIpv4(ip);
  gateway_ = FormatIpv4(Gateway(record));
  mask_ = FormatIpv4(SubnetMask(record));
  if (ip != Ipv4Bytes{}) {
    address_mode_ = kModeFixed;
    Fixed();
  } else {
    address_mode_ = kModeAutomatic;
    EnableAddressEdits(false, false);
  }
  if (!halvex) SetProgramCaption();
  UpdateData(false);
  return ConfigPage::OnSetActive();
}

void Page01::EnableAddressEdits(bool ip, bool gateway_and_mask) {
  EnableWindow(kIpAddress, ip);
  EnableWindow(gateway_id(), gateway_and_mask);
  EnableWindow(mask_id(), gateway_and_mask);
}

void Page01::Automatic() { EnableAddressEdits(false, false); }

void Page01::Fixed() {
  EnableAddressEdits(true, HasCapability(manager()->eeprom_image(), eeprom::kCapMailPrint));
  os_version_.os_version_info_size = sizeof os_version_;
  sysinfo::GetVersionEx(&os_version_);
  char host_name[kHostNameBuffer] = {};
  const sysinfo::HostEnt* host = nullptr;
  if (sysinfo::gethostname(host_name, kHostNameBuffer) == 0) {
    host = sysinfo::gethostbyname(host_name);
  }
  // A server without an address gets the proposal.
  if (host != nullptr) WalkPcAddresses(host->h_addr_list, ip_ == kNoAddress);
  SetDlgItemText(kIpAddress, ip_);
}

void Page01::WalkPcAddresses(const std::vector<sysinfo::InAddr>& addresses, bool propose) {
  for (const sysinfo::InAddr address : addresses) {
    const std::string text = sysinfo::inet_ntoa(address);
    if (propose) ip_ = text;
    if (text == kNoAddress) continue;
    if (registry::LookUpSubnetMask(os_version_, text, &pc_mask_)) {
      pc_address_ = text;
      if (propose) ip_ = NextAddress(address);
      return;
    }
    if (propose) ip_ = std::string(kNoAddress);
  }
}

void Page01::Write() {
  const PServerEntry* entry = SelectedEntry();
  if (entry == nullptr || !UpdateData(true)) return;
  const bool fixed = address_mode_ == kModeFixed;
  // Automatic mode writes 0.0.0.0 for all three, whatever the texts say.
  std::array<int, 4> ip{};
  std::array<int, 4> gateway{};
  std::array<int, 4> mask{};
  if (fixed && !ParseFixedAddresses(&ip, &gateway, &mask)) return;

  const auto record = manager()->eeprom_image();
  SetFlag(eeprom::kTcpIpEnabled, record, tcpip_ != 0);
  SetIpAddress(record, Ipv4FromNumbers(ip));
  SetGateway(record, Ipv4FromNumbers(gateway));
  SetSubnetMask(record, Ipv4FromNumbers(mask));

  WaitCursor wait;
  if (fixed && !InPcNetwork() &&
      MessageBox(std::string(says::kOtherNetwork), std::string(says::kOtherNetworkCaption),
                 ui::MessageButtons::kYesNo, ui::MessageIcon::kWarning) == ui::kIdNo) {
    return;  // the record keeps the new values; nothing is sent
  }
  if (manager()->XWritePServerEEProm(*entry, manager()->eeprom_frame()) == 0) {
    ShowMessage(messages::kCannotWriteEEProm);
  }
}

bool Page01::ParseFixedAddresses(std::array<int, 4>* ip, std::array<int, 4>* gateway,
                                 std::array<int, 4>* mask) {
  // The gateway and mask count even when their edits are disabled.
  if (!ParseAddressText(ip_, ip)) return Refuse(says::kBadIpAddress, kIpAddress);
  if (!ParseAddressText(gateway_, gateway)) return Refuse(says::kBadGateway, gateway_id());
  if (!ParseAddressText(mask_, mask)) return Refuse(says::kBadMask, mask_id());
  switch (CheckAddressConsistency(AddressValue(*ip), AddressValue(*gateway), AddressValue(*mask))) {
    case kMaskInvalid:
      return Refuse(says::kBadMask, mask_id());
    case kGatewayInvalid:
      return Refuse(says::kBadGateway, gateway_id());
    default:
      return true;
  }
}

bool Page01::InPcNetwork() const {
  // As the platform reads the texts; empty PC texts read as they do there.
  const std::uint32_t ip = sysinfo::inet_addr(ip_);
  const std::uint32_t pc = sysinfo::inet_addr(pc_address_);
  const std::uint32_t mask = sysinfo::inet_addr(pc_mask_);
  return (ip & mask) == (pc & mask);
}

}  // namespace pscfg
