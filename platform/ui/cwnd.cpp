#include "platform/ui/cwnd.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "platform/ui/bitmap_resources.h"
#include "platform/ui/control_factory.h"
#include "platform/ui/cwin_app.h"
#include "platform/ui/data_exchange.h"
#include "platform/ui/dialog_units.h"
#include "platform/ui/edit_input_filter.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/services.h"

namespace pscfg::ui {
namespace {

EditInputFilter* FilterOf(QLineEdit* edit) {
  return edit == nullptr
             ? nullptr
             : dynamic_cast<EditInputFilter*>(const_cast<QValidator*>(edit->validator()));
}

// Usable by the user: enabled, also through its window, and not hidden.
bool Usable(const QWidget* widget) {
  return widget != nullptr && widget->isEnabled() && !widget->isHidden();
}

}  // namespace

CWnd::CWnd() : context_(std::make_unique<QObject>()) {}

CWnd::~CWnd() { DestroyWindow(); }

QWidget* CWnd::GetDlgItem(int id) const { return controls_.Widget(id); }

void CWnd::SetWindowText(const std::string& text) {
  if (window_) window_->setWindowTitle(ToQString(text));
}

std::string CWnd::GetWindowText() const {
  return window_ ? ToUtf8(window_->windowTitle()) : std::string();
}

void CWnd::EnableWindow(bool enable) {
  if (window_) window_->setEnabled(enable);
}

bool CWnd::IsWindowEnabled() const {
  return window_ && !window_->testAttribute(Qt::WA_ForceDisabled);
}

void CWnd::SetDlgItemText(int id, const std::string& text) {
  QWidget* widget = GetDlgItem(id);
  const QString value = ToQString(text);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(value);
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    // The program's text passes whole: the input filter is for typing.
    const QValidator* filter = edit->validator();
    edit->setValidator(nullptr);
    edit->setText(value);
    edit->setValidator(filter);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(value);
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    frame->setTitle(value);
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (combo->isEditable()) combo->setEditText(value);
  }
}

std::string CWnd::GetDlgItemText(int id) const {
  QWidget* widget = GetDlgItem(id);
  if (auto* label = qobject_cast<QLabel*>(widget)) return ToUtf8(label->text());
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return ToUtf8(edit->text());
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return ToUtf8(button->text());
  if (auto* frame = qobject_cast<QGroupBox*>(widget)) return ToUtf8(frame->title());
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (combo->isEditable() || combo->currentIndex() >= 0) return ToUtf8(combo->currentText());
  }
  return {};
}

void CWnd::EnableWindow(int id, bool enable) {
  if (QWidget* widget = GetDlgItem(id)) widget->setEnabled(enable);
}

bool CWnd::IsWindowEnabled(int id) const {
  QWidget* widget = GetDlgItem(id);
  return widget != nullptr && !widget->testAttribute(Qt::WA_ForceDisabled);
}

void CWnd::ShowWindow(int id, bool show) {
  if (QWidget* widget = GetDlgItem(id)) widget->setVisible(show);
}

bool CWnd::IsWindowVisible(int id) const {
  QWidget* widget = GetDlgItem(id);
  return widget != nullptr && !widget->isHidden();
}

void CWnd::GotoDlgCtrl(int id) {
  QWidget* widget = GetDlgItem(id);
  if (widget == nullptr) return;
  widget->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
}

int CWnd::GetFocusId() const {
  if (!window_) return 0;
  return controls_.IdOf(window_->window()->focusWidget());
}

void CWnd::LimitText(int id, int limit) {
  if (EditInputFilter* filter = FilterOf(GetDlgItemAs<QLineEdit>(id))) filter->SetLimit(limit);
}

int CWnd::GetLimitText(int id) const {
  const EditInputFilter* filter = FilterOf(GetDlgItemAs<QLineEdit>(id));
  return filter == nullptr ? 0 : filter->limit();
}

void CWnd::CheckDlgButton(int id, int check) {
  const Control* control = controls_.Find(id);
  if (control == nullptr) return;
  if (auto* box = qobject_cast<QCheckBox*>(control->widget.data())) {
    if (check == 2) box->setTristate(true);
    box->setCheckState(check == 2   ? Qt::PartiallyChecked
                       : check != 0 ? Qt::Checked
                                    : Qt::Unchecked);
  } else if (control->kind == ControlKind::kRadioButton) {
    controls_.SetRadioChecked(*control, check != 0);
  }
}

int CWnd::IsDlgButtonChecked(int id) const {
  QWidget* widget = GetDlgItem(id);
  if (auto* box = qobject_cast<QCheckBox*>(widget)) {
    switch (box->checkState()) {
      case Qt::Checked:
        return 1;
      case Qt::PartiallyChecked:
        return 2;
      case Qt::Unchecked:
        break;
    }
    return 0;
  }
  if (auto* radio = qobject_cast<QRadioButton*>(widget)) return radio->isChecked() ? 1 : 0;
  return 0;
}

void CWnd::CheckRadioButton(int first, int last, int check) {
  for (const Control& control : controls_.controls()) {
    if (control.kind == ControlKind::kRadioButton && control.id >= first && control.id <= last &&
        control.id != check) {
      controls_.SetRadioChecked(control, false);
    }
  }
  if (const Control* control = controls_.Find(check)) controls_.SetRadioChecked(*control, true);
}

int CWnd::GetCheckedRadioButton(int first, int last) const {
  for (const Control& control : controls_.controls()) {
    if (control.kind == ControlKind::kRadioButton && control.id >= first && control.id <= last &&
        IsDlgButtonChecked(control.id) == 1) {
      return control.id;
    }
  }
  return 0;
}

std::vector<int> CWnd::GetRadioGroup(int id) const {
  std::vector<int> ids;
  for (const Control* radio : controls_.RadioGroupOf(id)) ids.push_back(radio->id);
  return ids;
}

bool CWnd::LoadBitmapFromFile(int id, const std::string& path) {
  if (GetDlgItemAs<QLabel>(id) == nullptr) return false;
  QPixmap picture;
  if (!LoadBitmapFile(path, &picture)) return false;
  SetBitmap(id, picture);
  return true;
}

void CWnd::SetBitmap(int id, const QPixmap& picture) {
  auto* label = GetDlgItemAs<QLabel>(id);
  if (label == nullptr) return;
  label->setPixmap(picture);
  label->resize(picture.size());
}

void CWnd::OnCommand(int id, std::function<void()> handler) {
  handlers_[{id, Notification::kClicked}] = [handler = std::move(handler)](int) { handler(); };
}

void CWnd::OnComboSelEndOk(int id, std::function<void()> handler) {
  handlers_[{id, Notification::kSelEndOk}] = [handler = std::move(handler)](int) { handler(); };
}

void CWnd::OnListBoxSelChange(int id, std::function<void()> handler) {
  handlers_[{id, Notification::kListBoxSelChange}] = [handler = std::move(handler)](int) {
    handler();
  };
}

void CWnd::OnListViewItemChanged(int id, std::function<void(int item)> handler) {
  handlers_[{id, Notification::kItemChanged}] = std::move(handler);
}

bool CWnd::ClickDlgItem(int id) {
  auto* button = GetDlgItemAs<QAbstractButton>(id);
  if (!Usable(button)) return false;
  button->click();
  return true;
}

bool CWnd::UserSelectComboItem(int id, int index) {
  auto* combo = GetDlgItemAs<QComboBox>(id);
  if (!Usable(combo) || index < 0 || index >= combo->count()) return false;
  combo->setCurrentIndex(index);
  Q_EMIT combo->activated(index);
  return true;
}

bool CWnd::UserTypeText(int id, const std::string& text) {
  auto* edit = GetDlgItemAs<QLineEdit>(id);
  if (!Usable(edit) || edit->isReadOnly()) return false;
  edit->selectAll();
  edit->del();
  const QString typed = ToQString(text);
  for (qsizetype index = 0; index < typed.size(); ++index) {
    const qsizetype length = typed[index].isHighSurrogate() && index + 1 < typed.size() ? 2 : 1;
    edit->insert(typed.mid(index, length));
    index += length - 1;
  }
  const bool uppercase = (controls_.Find(id)->style & style::kUppercase) != 0;
  return edit->text() == (uppercase ? typed.toUpper() : typed);
}

void CWnd::PostExecuteKey() {
  QMetaObject::invokeMethod(
      context(), [this] { ClickFocusedButton(); }, Qt::QueuedConnection);
}

void CWnd::ClickFocusedButton() {
  auto* button = GetDlgItemAs<QPushButton>(GetFocusId());
  if (button != nullptr && button->isEnabled()) button->click();
}

bool CWnd::UpdateData(bool save_and_validate) {
  if (!window_) return false;
  DataExchange dx(*this, save_and_validate);
  DoDataExchange(dx);
  return !dx.failed();
}

void CWnd::DoDataExchange(DataExchange& /*dx*/) {}

int CWnd::MessageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                     MessageIcon icon) {
  QWidget* parent = window_ ? window_->window() : nullptr;
  return GetServices().message_box->Show(parent, text, caption.empty() ? AfxGetAppName() : caption,
                                         buttons, icon);
}

void CWnd::BeginWaitCursor() { GetServices().wait_cursor->Begin(); }

void CWnd::RestoreWaitCursor() { GetServices().wait_cursor->Restore(); }

void CWnd::EndWaitCursor() { GetServices().wait_cursor->End(); }

void CWnd::AttachWindow(QWidget* window, const DialogTemplate& dialog, bool owns_window) {
  DestroyWindow();
  window_ = window;
  owns_window_ = owns_window;
  window->setFont(DialogFont());
  BuildControls(window, dialog, CurrentBaseUnits(), &controls_);
  for (const Control& control : controls_.controls()) Wire(control);
}

void CWnd::AddControl(int id, ControlKind kind, QWidget* widget) {
  controls_.Add({id, kind, style::kNone, widget, -1}, widget);
  Wire(controls_.controls().back());
}

void CWnd::DestroyWindow() {
  context_ = std::make_unique<QObject>();
  controls_.Clear();
  QPointer<QWidget> window = window_;
  window_ = nullptr;
  if (owns_window_ && window) {
    window->hide();
    delete window.data();
  }
  owns_window_ = false;
}

void CWnd::FocusFirstTabStop() {
  for (const Control& control : controls_.controls()) {
    QWidget* widget = control.widget.data();
    if (widget != nullptr && widget->isEnabled() && !widget->isHidden() &&
        (widget->focusPolicy() & Qt::TabFocus) != 0) {
      widget->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void CWnd::OnUnhandledCommand(int /*id*/) {}

void CWnd::Wire(const Control& control) {
  const int id = control.id;
  QWidget* widget = control.widget.data();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    QObject::connect(button, &QAbstractButton::clicked, context(),
                     [this, id] { Notify(id, Notification::kClicked); });
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    QObject::connect(combo, &QComboBox::activated, context(),
                     [this, id] { Notify(id, Notification::kSelEndOk); });
  } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
    QObject::connect(list, &QListWidget::currentRowChanged, context(), [this, id] {
      if (program_changes_ == 0) Notify(id, Notification::kListBoxSelChange);
    });
  } else if (auto* view = qobject_cast<QTreeWidget*>(widget)) {
    QObject::connect(view, &QTreeWidget::currentItemChanged, context(),
                     [this, id, view](QTreeWidgetItem* current) {
                       if (program_changes_ != 0) return;
                       Notify(id, Notification::kItemChanged,
                              current == nullptr ? -1 : view->indexOfTopLevelItem(current));
                     });
  }
}

void CWnd::Notify(int id, Notification notification, int item) {
  const auto found = handlers_.find({id, notification});
  if (found == handlers_.end()) {
    if (notification == Notification::kClicked) OnUnhandledCommand(id);
    return;
  }
  const std::function<void(int)> handler = found->second;  // it may replace itself
  handler(item);
}

}  // namespace pscfg::ui
