#include "platform/ui/cproperty_page.h"

#include <utility>

#include "platform/ui/cproperty_sheet.h"

namespace pscfg::ui {

CPropertyPage::CPropertyPage(DialogTemplate dialog) : template_(std::move(dialog)) {}

CPropertyPage::~CPropertyPage() {
  if (sheet_ != nullptr) sheet_->DetachPage(this);
}

bool CPropertyPage::OnInitDialog() {
  UpdateData(false);
  return true;
}

bool CPropertyPage::OnSetActive() {
  if (first_set_active_) {
    first_set_active_ = false;
  } else {
    UpdateData(false);
  }
  return true;
}

bool CPropertyPage::OnKillActive() { return UpdateData(true); }

void CPropertyPage::CreatePage(QWidget* container) {
  first_set_active_ = true;
  AttachWindow(container, template_, false);
}

void CPropertyPage::ForgetWindow() {
  DestroyWindow();
  first_set_active_ = true;
}

}  // namespace pscfg::ui
