#pragma once
// CModelessPanel: a captionless child dialog shown over its parent window
// while the program goes on (the in-progress panel of a firmware upgrade).
//
// Create places it at the template's position inside the parent's window,
// in front of the parent's controls, and draws it at once (RepaintWhileBusy),
// so it is on the screen before the thread blocks in device work.
// DestroyWindow removes it at once.

#include "platform/ui/cwnd.h"
#include "platform/ui/dialog_template.h"

namespace pscfg::ui {

class CModelessPanel : public CWnd {
 public:
  explicit CModelessPanel(DialogTemplate dialog);
  ~CModelessPanel() override;

  bool Create(CWnd& parent);
  using CWnd::DestroyWindow;

  const DialogTemplate& dialog_template() const { return template_; }

 private:
  DialogTemplate template_;
};

}  // namespace pscfg::ui
