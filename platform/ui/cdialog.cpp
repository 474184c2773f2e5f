#include "platform/ui/cdialog.h"

#include <utility>

#include "platform/ui/dialog_units.h"
#include "platform/ui/hooked_dialog.h"
#include "platform/ui/ids.h"
#include "platform/ui/qt_text.h"

namespace pscfg::ui {

CDialog::CDialog(DialogTemplate dialog, CWnd* parent)
    : template_(std::move(dialog)), parent_(parent) {}

CDialog::~CDialog() { DestroyWindow(); }

int CDialog::DoModal() {
  if (!BuildWindow()) return -1;
  auto* window = static_cast<HookedDialog*>(GetWindow());
  if (!ended_) window->exec();
  const int result = result_;
  DestroyWindow();
  return result;
}

bool CDialog::Create() {
  if (!BuildWindow()) return false;
  if (!ended_) GetWindow()->show();
  return true;
}

void CDialog::EndDialog(int result) {
  ended_ = true;
  result_ = result;
  if (auto* window = qobject_cast<QDialog*>(GetWindow())) window->done(result);
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(kIdOk);
}

void CDialog::OnCancel() { EndDialog(kIdCancel); }

void CDialog::OnUnhandledCommand(int id) {
  if (id == kIdOk) {
    OnOK();
  } else if (id == kIdCancel) {
    OnCancel();
  }
}

bool CDialog::BuildWindow() {
  if (GetWindow() != nullptr) return false;
  ended_ = false;
  result_ = 0;
  QWidget* parent_window = parent_ == nullptr ? nullptr : parent_->GetWindow();
  auto* window = new HookedDialog(parent_window);
  window->SetRejectHook([this] { OnCancel(); });
  window->setWindowTitle(ToQString(template_.caption));
  AttachWindow(window, template_, true);
  const DialogBaseUnits units = CurrentBaseUnits();
  window->setFixedSize(DialogUnitsToPixelsX(template_.rect.cx, units),
                       DialogUnitsToPixelsY(template_.rect.cy, units));
  if (OnInitDialog()) FocusFirstTabStop();
  return true;
}

}  // namespace pscfg::ui
