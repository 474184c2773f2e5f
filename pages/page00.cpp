#include "pages/page00.h"

#include "platform/text/codepage.h"
#include "platform/ui/ddx.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/model_string.h"
#include "shell/celvo_dlg.h"
#include "shell/page_template.h"
#include "shell/wait_cursor.h"

namespace pscfg {
namespace {

using namespace page00;

// What the page says.
namespace says {
constexpr std::string_view kCaption = "一般設定";
constexpr std::string_view kModelLabel = "型號";
constexpr std::string_view kPortsFrame = "列印伺服器連接埠";
constexpr std::string_view kTestPrintButton = "列印測試";
constexpr std::string_view kRefreshButton = "更新";
constexpr std::string_view kPortNames[] = {"LPT1", "LPT2", "LPT3", "COM1", "COM2"};
std::string FirmwareIncomplete(const std::string& alias) { return alias + " 更新軔體不完全"; }
}  // namespace says

ui::DialogTemplate Page00Template(const VariantTraits& traits) {
  using namespace ui;
  DialogTemplate dialog = PageTemplate(traits, kDialog, std::string(says::kCaption));
  const int top = kHeaderBottom;
  // "更新" is the first control that takes the focus: the sheet opens with
  // the focus on it, and the first search presses it.
  dialog.controls.insert(
      dialog.controls.end(),
      {
          PushButton(kRefresh, std::string(says::kRefreshButton), {181, top + 12, 52, 14}),
          NameLabel(traits, {7, top + 15, 60, 10}),
          ComboBox(kServerList, {72, top + 13, 103, 80}),
          StaticText(kIdStatic, std::string(says::kModelLabel), {7, top + 39, 60, 10},
                     style::kAlignRight),
          Edit(kModel, {72, top + 37, 103, 12}, style::kDisabled, kModelLimit),
          GroupBox(kIdStatic, std::string(says::kPortsFrame), {7, top + 66, 226, 96}),
          RadioButton(kLpt1, std::string(says::kPortNames[0]), {26, top + 86, 44, 10},
                      style::kGroup),
          RadioButton(kLpt2, std::string(says::kPortNames[1]), {26, top + 108, 44, 10}),
          RadioButton(kLpt3, std::string(says::kPortNames[2]), {26, top + 130, 44, 10}),
          RadioButton(kCom1, std::string(says::kPortNames[3]), {90, top + 86, 44, 10}),
          RadioButton(kCom2, std::string(says::kPortNames[4]), {90, top + 108, 44, 10}),
          PushButton(kTestPrint, std::string(says::kTestPrintButton), {163, top + 128, 60, 14},
                     style::kGroup),
      });
  return dialog;
}

}  // namespace

Page00::Page00(const VariantTraits& traits)
    : ConfigPage(traits, Page00Template(traits), {.header = true, .name_label = true}) {
  OnCommand(kRefresh, [this] { Search(); });
  OnComboSelEndOk(kServerList, [this] { Select(); });
  OnCommand(kLpt1, [this] { Show(1); });
  OnCommand(kLpt2, [this] { Show(2); });
  OnCommand(kTestPrint, [this] { TestPrint(); });
}

void Page00::DoDataExchange(ui::DataExchange& dx) {
  ConfigPage::DoDataExchange(dx);
  ui::DDX_Text(dx, kModel, model_);
  ui::DDV_MaxChars(dx, model_, kModelLimit);
  ui::DDX_Radio(dx, kLpt1, port_index_);
}

bool Page00::OnInitDialog() {
  ConfigPage::OnInitDialog();
  PostExecuteKey();
  return true;
}

bool Page00::OnSetActive() {
  SetProgramCaption();
  if (not_yet_searched_ == 0) Show(0);
  return ConfigPage::OnSetActive();
}

bool Page00::OnKillActive() {
  if (manager()->server_count() == 0) return false;
  return ConfigPage::OnKillActive();
}

void Page00::ReplaceLine(int index, const std::string& alias) {
  ComboDeleteString(kServerList, index);
  ComboInsertString(kServerList, index, alias);
  ComboSetCurSel(kServerList, index);
}

void Page00::Search() {
  CPServerManager& m = *manager();
  ComboResetContent(kServerList);
  // Halvex's search empties the table itself.
  if (traits().variant == Variant::kDornel) m.ClearServers();
  {
    WaitCursor wait;
    sheet()->Discover();
  }
  not_yet_searched_ = 0;
  if (m.server_count() == 0) {
    EnableWindow(kTestPrint, false);
    EnablePortControls(false);
  } else {
    EnableWindow(kTestPrint, true);
    EnablePortControls(true);
    for (int i = 0; i < m.server_count(); ++i) {
      ComboAddString(kServerList, text::Cp950ToUtf8(m.server(i).Alias()));
    }
    ComboSetCurSel(kServerList, 0);
    UpdateData(false);
    Select();
    GotoDlgCtrl(kServerList);
  }
  sheet()->NotifySearchDone();
}

void Page00::Select() {
  CPServerManager& m = *manager();
  m.selected_index = ComboGetCurSel(kServerList);
  if (m.selected_index < 0) return;
  PServerEntry& entry = m.selected();
  if (m.XReadPServerEEProm(entry, m.eeprom_frame()) == 0) {
    ShowMessage(messages::kCannotReadEEProm);
    return;
  }
  if (entry.FirmwareComplete() == 0) {
    ShowMessage(says::FirmwareIncomplete(SelectedAlias()));
    sheet()->SetActivePage(sheet()->FindPage(PageKind::kFirmwareUpgrade));
    return;
  }
  if (m.XGetPServerStatus(entry, m.status_frame()) == 0) {
    ShowMessage(messages::kCannotReadStatus);
    return;
  }
  Show(0);
}

void Page00::Show(int n) {
  CPServerManager& m = *manager();
  if (m.selected_index < 0) return;
  port_index_ = n == 0 ? 0 : n - 1;
  EnablePortControls(true);
  const auto record = m.eeprom_image();
  m.parallel_port_count = ParallelPortCount(record);
  for (int port = m.parallel_port_count; port < 3; ++port) EnableWindow(kPortButtons[port], false);
  m.serial_port_count = SerialPortCount(record);
  for (int port = m.serial_port_count; port < 2; ++port) {
    EnableWindow(kPortButtons[3 + port], false);
  }
  model_ = ModelString(record, m.selected().ModelSuffix());
  UpdateData(false);
}

void Page00::TestPrint() {
  UpdateData(true);
  WaitCursor wait;
  manager()->XTestPrint(manager()->selected(), port_index_);
}

void Page00::EnablePortControls(bool enable) {
  for (int id : kPortButtons) EnableWindow(id, enable);
}

}  // namespace pscfg
