#pragma once
// A QDialog that hands Escape and the close box to its owner.
//
// QDialog would end itself on reject; the framework's dialogs decide: a
// dialog runs its OnCancel, a property sheet resets its pages first.

#include <QDialog>
#include <functional>
#include <utility>

namespace pscfg::ui {

class HookedDialog : public QDialog {
 public:
  explicit HookedDialog(QWidget* parent = nullptr);

  void SetRejectHook(std::function<void()> hook) { reject_hook_ = std::move(hook); }

  void reject() override;

 private:
  std::function<void()> reject_hook_;
};

}  // namespace pscfg::ui
