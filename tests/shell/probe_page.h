#pragma once
// A page that uses the common page behaviour the way the real pages do and
// lets the test call each step and see what the page was asked to do.

#include <string>

#include "platform/ui/ddx.h"
#include "shell/config_page.h"
#include "shell/page_template.h"

namespace pscfg::testing {

class ProbePage : public ConfigPage {
 public:
  static constexpr int kDialog = 900;
  static constexpr int kNote = 950;  // an edit of at most kNoteLimit characters
  static constexpr int kNoteLimit = 8;

  explicit ProbePage(const VariantTraits& traits)
      : ConfigPage(traits, Template(traits), {.header = true, .name_label = true}) {}

  // What OnSetActive does.
  bool gated = true;
  bool alias_caption = false;
  int fills = 0;  // activations that got past the gate
  std::string note;

  bool OnSetActive() override {
    if (gated && !FirmwareGate()) return true;
    ++fills;
    if (alias_caption) SetAliasCaption();
    return ConfigPage::OnSetActive();
  }

  using ConfigPage::ChangeAlias;
  using ConfigPage::ResetServer;
  using ConfigPage::SelectedAlias;
  using ConfigPage::SetAliasCaption;
  using ConfigPage::SetProgramCaption;
  using ConfigPage::WriteRecord;
  bool RefuseNote(const std::string& text) { return Refuse(text, kNote); }

 protected:
  void DoDataExchange(ui::DataExchange& dx) override {
    ConfigPage::DoDataExchange(dx);
    ui::DDX_Text(dx, kNote, note);
    ui::DDV_MaxChars(dx, note, kNoteLimit);
  }

 private:
  static ui::DialogTemplate Template(const VariantTraits& traits) {
    ui::DialogTemplate dialog = PageTemplate(traits, kDialog, "探針");
    dialog.controls.push_back(NameLabel(traits, {7, kHeaderBottom + 8, 60, 10}));
    dialog.controls.push_back(ui::Edit(kNote, {72, kHeaderBottom + 6, 100, 12}));
    return dialog;
  }
};

}  // namespace pscfg::testing
