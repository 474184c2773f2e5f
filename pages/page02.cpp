#include "pages/page02.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/codepage.h"
#include "protocol/records/field_codec.h"
#include "protocol/records/printer_status.h"
#include "protocol/records/server_status.h"
#include "shell/page_template.h"
#include "shell/wait_cursor.h"

namespace pscfg {
namespace {

using namespace page02;

// What the page says.
namespace says {
constexpr std::string_view kCaption = "印表機狀態";
constexpr std::string_view kRefreshButton = "更新";
constexpr std::string_view kPortColumn = "列印埠";
constexpr std::string_view kStateColumn = "印表機狀態";
constexpr std::string_view kPortNames[kPortCount] = {"LPT1", "LPT2", "LPT3", "COM1", "COM2"};
// The port column of a printer's further status lines.
constexpr std::string_view kEntryPort = " ";
}  // namespace says

// The program's traits, with Dornel's header picture moved off the list's id.
const VariantTraits& PageTraits(const VariantTraits& traits) {
  if (traits.variant != Variant::kDornel) return traits;
  static const VariantTraits dornel = [&traits] {
    VariantTraits moved = traits;
    moved.header_picture_id = kDornelHeaderPicture;
    return moved;
  }();
  return dornel;
}

ui::DialogTemplate Page02Template(const VariantTraits& traits) {
  using namespace ui;
  DialogTemplate dialog = PageTemplate(traits, kDialog, std::string(says::kCaption));
  const int bottom = traits.page_height;
  const int top = kHeaderBottom + 4;
  dialog.controls.insert(
      dialog.controls.end(),
      {
          ListView(kPortList, {7, top, 226, bottom - top - 26}, {}),
          PushButton(kRefresh, std::string(says::kRefreshButton), {183, bottom - 20, 50, 14}),
      });
  return dialog;
}

// The text of the printer's own state, when its reply gives one: the
// display text of block 1, which may be empty.
bool PrinterStateText(std::span<const std::uint8_t> printer_status, std::string* text) {
  if (FieldNumber(printer_status::kBlock1Length, printer_status) == 0) return false;
  if (!HasDisplayText(printer_status)) return false;
  *text = DisplayText(printer_status);
  return true;
}

}  // namespace

Page02::Page02(const VariantTraits& traits)
    : ConfigPage(PageTraits(traits), Page02Template(PageTraits(traits))) {
  OnCommand(kRefresh, [this] { RefreshButton(); });
}

bool Page02::OnInitDialog() {
  ConfigPage::OnInitDialog();
  ListViewInsertColumn(kPortList, 0, std::string(says::kPortColumn), kPortColumnWidth);
  ListViewInsertColumn(kPortList, 1, std::string(says::kStateColumn), kStateColumnWidth);
  UpdateData(false);
  return true;
}

bool Page02::OnSetActive() {
  if (!FirmwareGate()) return true;
  ListViewDeleteAllItems(kPortList);
  {
    WaitCursor wait;
    Refresh();
  }
  SetAliasCaption();
  return ConfigPage::OnSetActive();
}

bool Page02::OnKillActive() {
  if (traits().variant == Variant::kHalvex) SetProgramCaption();
  return ConfigPage::OnKillActive();
}

void Page02::RefreshButton() {
  WaitCursor wait;
  Refresh();
  UpdateData(true);
}

void Page02::Refresh() {
  ListViewDeleteAllItems(kPortList);
  PServerEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  CPServerManager& m = *manager();
  // A serial count of 3 would name a sixth port; the table has five.
  port_count_ = std::clamp(m.parallel_port_count + m.serial_port_count, 0, kPortCount);
  m.XGetPServerStatus(*entry, m.status_frame());  // a failure shows what the frame holds

  std::vector<std::string> states;
  for (int k = 0; k < port_count_; ++k) {
    states.emplace_back(PortStateTextOfPort(m.server_status(), k));
  }

  if ((entry->Capabilities() & info::kCapPrinterStatus) == 0) {
    for (int k = 0; k < port_count_; ++k) {
      const int row = ListViewInsertItem(kPortList, k, std::string(says::kPortNames[k]));
      ListViewSetItemText(kPortList, row, 1, states[static_cast<std::size_t>(k)]);
    }
    UpdateData(false);
    return;
  }

  int extra = 0;
  for (int k = 0; k < port_count_; ++k) {
    const std::string& state = states[static_cast<std::size_t>(k)];
    const int row = ListViewInsertItem(kPortList, k + extra, std::string(says::kPortNames[k]));
    const auto reply = m.printer_status();
    if (m.XGetPrinterStatus(*entry, m.printer_status_frame(), k) == 0 ||
        PrinterStatusPort(reply) != k) {
      ListViewSetItemText(kPortList, row, 1, state);
      continue;
    }
    std::string shown;
    ListViewSetItemText(kPortList, row, 1, PrinterStateText(reply, &shown) ? shown : state);
    for (const std::string& line : Block2Entries(reply)) {
      ++extra;
      const int entry_row = ListViewInsertItem(kPortList, k + extra, std::string(says::kEntryPort));
      ListViewSetItemText(kPortList, entry_row, 1, text::Cp950ToUtf8(line));
    }
  }
  UpdateData(false);
}

}  // namespace pscfg
