#include "platform/ui/qt_message_box_service.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "platform/ui/ids.h"
#include "platform/ui/qt_text.h"

namespace pscfg::ui {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kError:
      return QMessageBox::Critical;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

// A message box is answered with the mouse: over a wait cursor it shows the
// arrow, and the wait cursor comes back when it closes.
class ArrowCursorWhileShown {
 public:
  ArrowCursorWhileShown() : pushed_(QApplication::overrideCursor() != nullptr) {
    if (pushed_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~ArrowCursorWhileShown() {
    if (pushed_) QApplication::restoreOverrideCursor();
  }
  ArrowCursorWhileShown(const ArrowCursorWhileShown&) = delete;
  ArrowCursorWhileShown& operator=(const ArrowCursorWhileShown&) = delete;

 private:
  bool pushed_;
};

}  // namespace

int QtMessageBoxService::Show(QWidget* parent, const std::string& text, const std::string& caption,
                              MessageButtons buttons, MessageIcon icon) {
  QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text), QMessageBox::NoButton,
                  parent);
  box.setTextFormat(Qt::PlainText);
  QPushButton* yes = nullptr;
  if (buttons == MessageButtons::kYesNo) {
    yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
  } else {
    QPushButton* ok = box.addButton(QStringLiteral("確定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
  }
  ArrowCursorWhileShown arrow;
  box.exec();
  if (buttons == MessageButtons::kOk) return kIdOk;
  return box.clickedButton() == yes ? kIdYes : kIdNo;
}

}  // namespace pscfg::ui
