#pragma once
// The wait cursor for tests: records the calls in order.

#include <vector>

#include "platform/ui/wait_cursor_service.h"

namespace pscfg::ui {

enum class WaitCursorCall { kBegin, kRestore, kEnd };

class RecordingWaitCursorService : public WaitCursorService {
 public:
  void Begin() override;
  void Restore() override;
  void End() override;

  const std::vector<WaitCursorCall>& calls() const { return calls_; }
  // Begins minus ends: above 0 while the wait cursor shows.
  int depth() const { return depth_; }
  void Clear();

 private:
  std::vector<WaitCursorCall> calls_;
  int depth_ = 0;
};

}  // namespace pscfg::ui
