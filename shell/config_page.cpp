#include "shell/config_page.h"

#include <QFont>
#include <QWidget>
#include <utility>

#include "platform/text/codepage.h"
#include "platform/ui/ddx.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/reset_sequence.h"
#include "shell/branding.h"
#include "shell/celvo_dlg.h"
#include "shell/program_pictures.h"
#include "shell/wait_cursor.h"

namespace pscfg {

namespace {
constexpr std::string_view kLogoFileName = "logo.bmp";
}  // namespace

ConfigPage::ConfigPage(const VariantTraits& traits, ui::DialogTemplate dialog, PageParts parts)
    : ui::CPropertyPage(std::move(dialog)),
      traits_(traits),
      parts_(parts),
      header_title_(kHeaderTitleDialogText),
      name_label_(traits.name_label_text) {
  RegisterProgramPictures();
}

bool ConfigPage::OnInitDialog() {
  ui::CPropertyPage::OnInitDialog();
  if (parts_.header) EmphasizeTitle();
  if (manager_ != nullptr) header_title_ = manager_->title();
  if (parts_.name_label) name_label_ = std::string(kNameLabelText);
  UpdateData(false);
  return true;
}

void ConfigPage::DoDataExchange(ui::DataExchange& dx) {
  if (!parts_.header) return;
  ui::DDX_Text(dx, traits_.header_title_id, header_title_);
  if (parts_.name_label) ui::DDX_Text(dx, traits_.name_label_id, name_label_);
  if (manager_ != nullptr) {
    // A missing or unreadable file leaves the picture the page has.
    LoadBitmapFromFile(traits_.header_picture_id,
                       manager_->program_directory() + "/" + std::string(kLogoFileName));
  }
}

// The header title stands out from the controls below it.
void ConfigPage::EmphasizeTitle() {
  QWidget* title = GetDlgItem(traits_.header_title_id);
  if (title == nullptr) return;
  QFont font = title->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.2);
  title->setFont(font);
}

PServerEntry* ConfigPage::SelectedEntry() const {
  if (manager_ == nullptr) return nullptr;
  const int index = manager_->selected_index;
  if (index < 0 || index >= manager_->server_count()) return nullptr;
  return &manager_->server(index);
}

std::string ConfigPage::SelectedAlias() const {
  const PServerEntry* entry = SelectedEntry();
  return entry == nullptr ? std::string() : text::Cp950ToUtf8(entry->Alias());
}

void ConfigPage::ShowMessage(std::string_view text) { MessageBox(std::string(text)); }

bool ConfigPage::Refuse(std::string_view text, int control_id) {
  ShowMessage(text);
  GotoDlgCtrl(control_id);
  return false;
}

bool ConfigPage::FirmwareGate() {
  EnableWindow(true);
  const PServerEntry* entry = SelectedEntry();
  if (entry != nullptr && entry->FirmwareComplete() != 0) return true;
  // Without a selection there is nothing to show either; only the General
  // page can be active then, and it has no gate.
  if (entry != nullptr) ShowMessage(messages::kUpdateFirmwareFirst);
  EnableWindow(false);
  return false;
}

void ConfigPage::SetProgramCaption() {
  if (sheet_ != nullptr && manager_ != nullptr) sheet_->SetTitle(ProgramCaption(manager_->title()));
}

void ConfigPage::SetAliasCaption() {
  if (sheet_ != nullptr) sheet_->SetTitle(SelectedAlias());
}

bool ConfigPage::WriteRecord(const Validate& validate, const Encode& encode,
                             std::string_view failure_message) {
  PServerEntry* entry = SelectedEntry();
  if (entry == nullptr || !UpdateData(true)) return false;
  if (validate && !validate()) return false;
  if (encode) encode(manager_->eeprom_image());
  WaitCursor wait;
  const bool written = manager_->XWritePServerEEProm(*entry, manager_->eeprom_frame()) != 0;
  if (!written) ShowMessage(failure_message);
  return written;
}

bool ConfigPage::ChangeAlias(std::string_view alias) {
  PServerEntry* entry = SelectedEntry();
  if (entry == nullptr || entry->Alias() == alias) return false;
  std::string error;
  SetText(info::kAlias, entry->info, alias, &error);
  SetAlias(manager_->eeprom_image(), alias, &error);
  ShowNewAlias(alias);
  return true;
}

void ConfigPage::ShowNewAlias(std::string_view alias) {
  if (sheet_ != nullptr && manager_ != nullptr) {
    sheet_->ReplaceServerLine(manager_->selected_index, text::Cp950ToUtf8(alias));
  }
  ShowMessage(messages::kAliasChanged);
}

void ConfigPage::ResetServer() {
  const PServerEntry* entry = SelectedEntry();
  if (entry == nullptr) return;
  const std::string no_answer = messages::NoAnswer(SelectedAlias());
  WaitCursor wait;
  ResetAndReread(*manager_, *entry, [&] { ShowMessage(no_answer); });
}

}  // namespace pscfg
