#pragma once
// The wait cursor over one button's device work.
//
// Begun on construction, before the first exchange; Done() restores it once
// (a message box in between may have replaced it) and ends it. The
// destructor calls Done() when the work returns early.

#include "platform/ui/services.h"

namespace pscfg {

class WaitCursor {
 public:
  WaitCursor() { ui::GetServices().wait_cursor->Begin(); }
  ~WaitCursor() { Done(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

  void Done() {
    if (done_) return;
    done_ = true;
    ui::GetServices().wait_cursor->Restore();
    ui::GetServices().wait_cursor->End();
  }

 private:
  bool done_ = false;
};

}  // namespace pscfg
