#include "shell/about_box.h"

#include <utility>

#include "platform/ui/ddx.h"
#include "platform/ui/ids.h"
#include "shell/program_pictures.h"

namespace pscfg {
namespace {

constexpr std::string_view kAboutCaption = "關於";
constexpr std::string_view kAboutCaptionPrefix = "About ";
constexpr std::string_view kOkText = "確定";

ui::DialogTemplate AboutTemplate(const VariantTraits& traits) {
  ui::DialogTemplate dialog;
  dialog.id = kAboutBoxDialog;
  dialog.caption = std::string(kAboutCaption);
  dialog.rect = {0, 0, 240, 60};
  dialog.controls = {
      ui::Icon(ui::kIdStatic, kProgramIconResource, {9, 10, 21, 20}),
      ui::StaticText(traits.about.caption_line, "", {40, 10, 140, 10}),
      ui::StaticText(traits.about.notice_line, "", {40, 24, 140, 10}),
      ui::StaticText(traits.about.version_line, "", {40, 38, 140, 10}),
      ui::PushButton(ui::kIdOk, std::string(kOkText), {186, 8, 46, 14},
                     ui::style::kDefaultButton | ui::style::kGroup),
  };
  return dialog;
}

}  // namespace

CAboutBox::CAboutBox(const VariantTraits& traits, Branding branding, ui::CWnd* parent)
    : ui::CDialog((RegisterProgramPictures(), AboutTemplate(traits)), parent),
      traits_(traits),
      branding_(std::move(branding)) {}

bool CAboutBox::OnInitDialog() {
  ui::CDialog::OnInitDialog();
  SetWindowText(std::string(kAboutCaptionPrefix) + branding_.title);
  caption_line_ = ProgramCaption(branding_.title);
  notice_line_ = branding_.copyright;
  version_line_ = branding_.version;
  UpdateData(false);
  return true;
}

void CAboutBox::DoDataExchange(ui::DataExchange& dx) {
  ui::DDX_Text(dx, traits_.about.caption_line, caption_line_);
  ui::DDX_Text(dx, traits_.about.notice_line, notice_line_);
  ui::DDX_Text(dx, traits_.about.version_line, version_line_);
}

}  // namespace pscfg
