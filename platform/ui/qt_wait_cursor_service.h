#pragma once
// The wait cursor as the application's override cursor. Beginning and
// restoring it also draw what is pending (RepaintWhileBusy), so the cursor
// and the windows are on the screen before the thread blocks. Begin and End
// nest; an End without a Begin is ignored.

#include "platform/ui/wait_cursor_service.h"

namespace pscfg::ui {

class QtWaitCursorService : public WaitCursorService {
 public:
  void Begin() override;
  void Restore() override;
  void End() override;

 private:
  int depth_ = 0;
};

}  // namespace pscfg::ui
