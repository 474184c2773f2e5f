#pragma once
// CAboutBox: dialog 100, opened from the window menu's "關於".
//
// 240 x 60 dialog units: the program icon at the left, three lines (the
// program caption, the Config.ini "Copyright" and "Version" values) and the
// OK button "確定" at the right. Its caption is "About " and the title.

#include <string>

#include "platform/ui/cdialog.h"
#include "shell/branding.h"
#include "shell/variant_traits.h"

namespace pscfg {

inline constexpr int kAboutBoxDialog = 100;

class CAboutBox : public ui::CDialog {
 public:
  CAboutBox(const VariantTraits& traits, Branding branding, ui::CWnd* parent = nullptr);

  bool OnInitDialog() override;

  const std::string& caption_line() const { return caption_line_; }
  const std::string& notice_line() const { return notice_line_; }
  const std::string& version_line() const { return version_line_; }

 protected:
  void DoDataExchange(ui::DataExchange& dx) override;

 private:
  const VariantTraits& traits_;
  Branding branding_;
  std::string caption_line_;
  std::string notice_line_;
  std::string version_line_;
};

}  // namespace pscfg
