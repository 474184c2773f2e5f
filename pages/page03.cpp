#include "pages/page03.h"

#include "platform/text/codepage.h"
#include "platform/ui/ddx.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/server_status.h"
#include "shell/page_template.h"

namespace pscfg {
namespace {

using namespace page03;

// What the page says.
namespace says {
constexpr std::string_view kCaption = "Plintrex Status";
constexpr std::string_view kDeviceNameLabel = "裝置名稱";
constexpr std::string_view kAliasLabel = "別名";
constexpr std::string_view kEthernetAddressLabel = "乙太網路位址";
constexpr std::string_view kFrameTypeLabel = "數據框類型";
constexpr std::string_view kIpInUseLabel = "使用中 IP";
constexpr std::string_view kHalvexNetBeuiLabel = "NetBEUI ";
constexpr std::string_view kDornelNetBeuiLabel = "NetBEUI";
constexpr std::string_view kProtocolsLabel = "通訊協定支援";
constexpr std::string_view kSpeedLabel = "網路速度";
constexpr std::string_view kSelfTestPageLabel = "自我測試頁";
}  // namespace says

struct VariantIds {
  int ip_in_use;
  int netbeui;
  int self_test_page;
  std::string_view netbeui_label;
};

constexpr VariantIds kHalvexIds{kHalvexIpInUse, kHalvexNetBeui, kHalvexSelfTestPage,
                                says::kHalvexNetBeuiLabel};
constexpr VariantIds kDornelIds{kDornelIpInUse, kDornelNetBeui, kDornelSelfTestPage,
                                says::kDornelNetBeuiLabel};

const VariantIds& IdsOf(Variant variant) {
  return variant == Variant::kHalvex ? kHalvexIds : kDornelIds;
}

ui::DialogTemplate Page03Template(const VariantTraits& traits) {
  using namespace ui;
  const VariantIds& ids = IdsOf(traits.variant);
  DialogTemplate dialog = PageTemplate(traits, kDialog, std::string(says::kCaption));
  struct Row {
    std::string_view label;
    int id;
    int limit;
  };
  const Row rows[] = {
      {says::kDeviceNameLabel, kDeviceName, kDeviceNameLimit},
      {says::kAliasLabel, kAlias, kAliasLimit},
      {says::kEthernetAddressLabel, kEthernetAddress, kEthernetAddressLimit},
      {says::kFrameTypeLabel, kFrameType, kFrameTypeLimit},
      {says::kIpInUseLabel, ids.ip_in_use, 0},
      {ids.netbeui_label, ids.netbeui, 0},
      {says::kProtocolsLabel, kProtocols, kProtocolsLimit},
      {says::kSpeedLabel, kSpeed, kSpeedLimit},
      {says::kSelfTestPageLabel, ids.self_test_page, 0},
  };
  int y = kHeaderBottom + 8;
  for (const Row& row : rows) {
    dialog.controls.push_back(StaticText(kIdStatic, std::string(row.label), {15, y + 2, 70, 10}));
    dialog.controls.push_back(Edit(row.id, {90, y, 138, 12}, style::kDisabled, row.limit));
    y += 17;
  }
  return dialog;
}

}  // namespace

Page03::Page03(const VariantTraits& traits) : ConfigPage(traits, Page03Template(traits)) {}

int Page03::ip_in_use_id() const { return IdsOf(traits().variant).ip_in_use; }
int Page03::netbeui_id() const { return IdsOf(traits().variant).netbeui; }
int Page03::self_test_page_id() const { return IdsOf(traits().variant).self_test_page; }

void Page03::DoDataExchange(ui::DataExchange& dx) {
  ConfigPage::DoDataExchange(dx);
  if (dx.saving()) return;
  const auto show = [&dx](int id, std::string& value, int limit) {
    ui::DDX_Text(dx, id, value);
    if (limit > 0) ui::DDV_MaxChars(dx, value, limit);
  };
  show(kDeviceName, device_name_, kDeviceNameLimit);
  show(kAlias, alias_, kAliasLimit);
  show(kEthernetAddress, ethernet_address_, kEthernetAddressLimit);
  show(kFrameType, frame_type_, kFrameTypeLimit);
  show(ip_in_use_id(), ip_in_use_, 0);
  show(netbeui_id(), netbeui_, 0);
  show(kProtocols, protocols_, kProtocolsLimit);
  show(kSpeed, speed_, kSpeedLimit);
  show(self_test_page_id(), self_test_page_, 0);
}

bool Page03::OnSetActive() {
  const bool halvex = traits().variant == Variant::kHalvex;
  if (halvex && !FirmwareGate()) return true;
  // Dornel does not look at the index: the General page has always selected
  // a server by then. Without one there is nothing to show in either.
  const PServerEntry* entry = SelectedEntry();
  if (entry == nullptr) return ConfigPage::OnSetActive();
  Fill(*entry);
  if (!halvex) SetProgramCaption();
  UpdateData(false);
  return ConfigPage::OnSetActive();
}

void Page03::Fill(const PServerEntry& entry) {
  CPServerManager& m = *manager();
  const auto record = m.eeprom_image();
  const auto status = m.server_status();
  device_name_ = text::Cp950ToUtf8(Text(info::kDeviceName, entry.info));
  alias_ = SelectedAlias();
  ethernet_address_ = FormatMac(FieldBytes(eeprom::kEthernetAddress, record));
  frame_type_ = FrameTypeText(status, record);
  ip_in_use_ = FormatIpv4(IpAddressInUse(status));
  netbeui_ = NetBeuiStateText(status, record);
  protocols_ = SupportedProtocolsText(record, entry.ModelSuffix());
  self_test_page_ = SelfTestPageText(record);
  speed_ = SpeedText(status, record);
}

}  // namespace pscfg
