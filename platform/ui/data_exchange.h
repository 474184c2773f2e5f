#pragma once
// One run of dialog data exchange: the direction, the control last bound
// and whether a value has been refused.
//
// The DDX_ and DDV_ functions (ddx.h) take it. Once a value is refused the
// exchange has failed and every later DDX_/DDV_ call of the same run does
// nothing, so the members after the bad one keep their values.

#include "platform/ui/cwnd.h"

namespace pscfg::ui {

class DataExchange {
 public:
  DataExchange(CWnd& window, bool save_and_validate)
      : window_(window), save_and_validate_(save_and_validate) {}
  DataExchange(const DataExchange&) = delete;
  DataExchange& operator=(const DataExchange&) = delete;

  // True: controls to members, with validation. False: members to controls.
  bool saving() const { return save_and_validate_; }
  bool failed() const { return failed_; }
  CWnd& window() const { return window_; }

  // Remembers `id` as the control the next DDV_ call checks and the one
  // that gets the focus when the exchange fails.
  void PrepareCtrl(int id) { last_control_ = id; }
  int last_control() const { return last_control_; }

  // Refuses the exchange: puts the focus on the last control (selecting an
  // edit's text). The caller has shown the reason.
  void Fail();

 private:
  CWnd& window_;
  bool save_and_validate_;
  bool failed_ = false;
  int last_control_ = 0;
};

}  // namespace pscfg::ui
