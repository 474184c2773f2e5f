#include "platform/ui/cmodeless_panel.h"

#include <QFrame>
#include <utility>

#include "platform/ui/busy_repaint.h"
#include "platform/ui/dialog_units.h"

namespace pscfg::ui {

CModelessPanel::CModelessPanel(DialogTemplate dialog) : template_(std::move(dialog)) {}

CModelessPanel::~CModelessPanel() { DestroyWindow(); }

bool CModelessPanel::Create(CWnd& parent) {
  QWidget* parent_window = parent.GetWindow();
  if (parent_window == nullptr || GetWindow() != nullptr) return false;
  auto* panel = new QFrame(parent_window);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  panel->setAutoFillBackground(true);
  AttachWindow(panel, template_, true);
  panel->setGeometry(DialogUnitsToPixels(template_.rect, CurrentBaseUnits()));
  panel->raise();
  panel->show();
  panel->repaint();
  RepaintWhileBusy();
  return true;
}

}  // namespace pscfg::ui
