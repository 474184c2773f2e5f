#pragma once
// The wait cursor over work that blocks the user-interface thread.
//
// The programs begin it before the first device exchange of a button's work,
// restore it once after the exchanges (a message box in between may have
// replaced it) and end it.

namespace pscfg::ui {

class WaitCursorService {
 public:
  virtual ~WaitCursorService() = default;
  virtual void Begin() = 0;
  virtual void Restore() = 0;
  virtual void End() = 0;
};

}  // namespace pscfg::ui
