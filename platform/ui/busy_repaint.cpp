#include "platform/ui/busy_repaint.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace pscfg::ui {

void RepaintWhileBusy() {
  if (QCoreApplication::instance() == nullptr) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace pscfg::ui
