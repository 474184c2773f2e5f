#pragma once
// CPropertyPage: one tab of a CPropertySheet, built from a template.
//
// The sheet creates a page's window the first time the page becomes active
// and then runs OnInitDialog; the page keeps its window until the sheet's
// window goes (so it keeps the values in its controls between visits).
// A page that has been shown gets OnReset when the sheet is cancelled or
// closed and OnOK when it is ended with OK.

#include "platform/ui/cwnd.h"
#include "platform/ui/dialog_template.h"

namespace pscfg::ui {

class CPropertySheet;

class CPropertyPage : public CWnd {
 public:
  explicit CPropertyPage(DialogTemplate dialog);
  ~CPropertyPage() override;

  // Base: UpdateData(false); true. (The sheet puts the focus on the first
  // control of the page it opens with.)
  virtual bool OnInitDialog();
  // Base: UpdateData(false), except the first time after OnInitDialog
  // (which has just done it); true.
  virtual bool OnSetActive();
  // Base: UpdateData(true): the page cannot be left while a value is
  // refused. Return false to stay.
  virtual bool OnKillActive();
  virtual void OnOK() {}
  virtual void OnReset() {}

  const DialogTemplate& dialog_template() const { return template_; }
  // The sheet that the page was added to, or null.
  CPropertySheet* GetParentSheet() const { return sheet_; }

 private:
  friend class CPropertySheet;

  void CreatePage(QWidget* container);
  void ForgetWindow();

  DialogTemplate template_;
  CPropertySheet* sheet_ = nullptr;
  bool first_set_active_ = true;
};

}  // namespace pscfg::ui
