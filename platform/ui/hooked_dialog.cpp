#include "platform/ui/hooked_dialog.h"

namespace pscfg::ui {

HookedDialog::HookedDialog(QWidget* parent) : QDialog(parent) {}

void HookedDialog::reject() {
  if (reject_hook_) {
    reject_hook_();
  } else {
    QDialog::reject();
  }
}

}  // namespace pscfg::ui
