#include "platform/ui/qt_wait_cursor_service.h"

#include <QApplication>

#include "platform/ui/busy_repaint.h"

namespace pscfg::ui {

void QtWaitCursorService::Begin() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  ++depth_;
  RepaintWhileBusy();
}

void QtWaitCursorService::Restore() {
  if (depth_ == 0) return;
  QApplication::changeOverrideCursor(Qt::WaitCursor);
  RepaintWhileBusy();
}

void QtWaitCursorService::End() {
  if (depth_ == 0) return;
  --depth_;
  QApplication::restoreOverrideCursor();
}

}  // namespace pscfg::ui
