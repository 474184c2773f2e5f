#include "platform/ui/recording_wait_cursor_service.h"

namespace pscfg::ui {

void RecordingWaitCursorService::Begin() {
  calls_.push_back(WaitCursorCall::kBegin);
  ++depth_;
}

void RecordingWaitCursorService::Restore() { calls_.push_back(WaitCursorCall::kRestore); }

void RecordingWaitCursorService::End() {
  calls_.push_back(WaitCursorCall::kEnd);
  --depth_;
}

void RecordingWaitCursorService::Clear() {
  calls_.clear();
  depth_ = 0;
}

}  // namespace pscfg::ui
