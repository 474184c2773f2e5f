#pragma once
// CDialog: a modal dialog built from a template (the about box, the small
// programs' dialogs).
//
// DoModal creates the window, runs OnInitDialog, shows it and waits until
// EndDialog; it returns the value given to EndDialog and destroys the
// window. Clicking the button with id kIdOk runs OnOK (save the data, end
// with kIdOk), kIdCancel, Escape and the close box run OnCancel (end with
// kIdCancel), unless OnCommand registered a handler of its own for them.

#include "platform/ui/cwnd.h"
#include "platform/ui/dialog_template.h"

namespace pscfg::ui {

class CDialog : public CWnd {
 public:
  explicit CDialog(DialogTemplate dialog, CWnd* parent = nullptr);
  ~CDialog() override;

  int DoModal();
  // The window without the modal wait: created, initialised and shown. For
  // tests and for dialogs driven step by step; EndDialog then hides it and
  // DestroyWindow removes it.
  bool Create();
  using CWnd::DestroyWindow;

  // Ends the dialog with `result`, which DoModal returns.
  void EndDialog(int result);
  bool ended() const { return ended_; }
  int result() const { return result_; }

  const DialogTemplate& dialog_template() const { return template_; }

  // Base: moves the members into the controls (UpdateData(false)) and
  // returns true, which puts the focus on the first control that takes it.
  // Return false after setting the focus yourself.
  virtual bool OnInitDialog();
  // Base: UpdateData(true); when it succeeds, EndDialog(kIdOk).
  virtual void OnOK();
  // Base: EndDialog(kIdCancel).
  virtual void OnCancel();

 protected:
  void OnUnhandledCommand(int id) override;

 private:
  bool BuildWindow();

  DialogTemplate template_;
  CWnd* parent_;
  bool ended_ = false;
  int result_ = 0;
};

}  // namespace pscfg::ui
