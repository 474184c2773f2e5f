#include "platform/ui/cproperty_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "platform/ui/dialog_units.h"
#include "platform/ui/hooked_dialog.h"
#include "platform/ui/ids.h"
#include "platform/ui/qt_text.h"

namespace pscfg::ui {

CPropertySheet::CPropertySheet(std::string caption, CWnd* parent, int select_page)
    : caption_(std::move(caption)), parent_(parent), start_page_(select_page) {}

CPropertySheet::~CPropertySheet() {
  DestroyWindow();
  for (Slot& slot : pages_) {
    if (slot.page != nullptr) slot.page->sheet_ = nullptr;
  }
}

void CPropertySheet::AddPage(CPropertyPage* page) {
  if (page == nullptr || GetPageIndex(page) >= 0) return;
  page->sheet_ = this;
  pages_.push_back({page, page->dialog_template().caption, nullptr, false});
  if (tabs_) {
    auto* container = new QWidget;
    if (tabs_->count() > 0) container->setFixedSize(tabs_->widget(0)->size());
    pages_.back().container = container;
    tabs_->addTab(container, ToQString(pages_.back().tab_text));
  }
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
  if (index < 0 || index >= GetPageCount()) return nullptr;
  return pages_[index].page;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const {
  for (int index = 0; index < GetPageCount(); ++index) {
    if (page != nullptr && pages_[index].page == page) return index;
  }
  return -1;
}

bool CPropertySheet::SetActivePage(int index) {
  if (index < 0 || index >= GetPageCount()) return false;
  if (!tabs_) {
    start_page_ = index;
    return true;
  }
  if (index == active_) return true;
  if (!LeaveActivePage()) return false;
  SelectTab(index);
  EnterPage(index, false);
  return true;
}

bool CPropertySheet::SetActivePage(CPropertyPage* page) {
  return SetActivePage(GetPageIndex(page));
}

void CPropertySheet::SetTitle(const std::string& title) {
  caption_ = title;
  SetWindowText(title);
}

bool CPropertySheet::SetTabText(int index, const std::string& text) {
  if (index < 0 || index >= GetPageCount()) return false;
  pages_[index].tab_text = text;
  if (tabs_) tabs_->setTabText(index, ToQString(text));
  return true;
}

std::string CPropertySheet::GetTabText(int index) const {
  if (index < 0 || index >= GetPageCount()) return {};
  return pages_[index].tab_text;
}

void CPropertySheet::EnableMinimizeBox() {
  minimize_box_ = true;
  if (QWidget* window = GetWindow()) window->setWindowFlag(Qt::WindowMinimizeButtonHint, true);
}

void CPropertySheet::Minimize() {
  if (QWidget* window = GetWindow()) window->showMinimized();
}

bool CPropertySheet::IsMinimized() const {
  QWidget* window = GetWindow();
  return window != nullptr && window->isMinimized();
}

void CPropertySheet::SetIcon(const QIcon& icon) {
  icon_ = icon;
  if (QWidget* window = GetWindow()) window->setWindowIcon(icon);
}

int CPropertySheet::DoModal() {
  if (!BuildWindow()) return -1;
  auto* window = static_cast<HookedDialog*>(GetWindow());
  if (!ended_) window->exec();
  const int result = result_;
  DestroyWindow();
  return result;
}

bool CPropertySheet::Create() {
  if (!BuildWindow()) return false;
  if (!ended_) GetWindow()->show();
  return true;
}

void CPropertySheet::DestroyWindow() {
  for (Slot& slot : pages_) {
    if (slot.page != nullptr) slot.page->ForgetWindow();
    slot.container = nullptr;
    slot.shown = false;
  }
  active_ = -1;
  CWnd::DestroyWindow();  // drops the tab connection before the tabs go
}

bool CPropertySheet::PressButton(SheetButton button) {
  const int id = button == SheetButton::kOk       ? kIdOk
                 : button == SheetButton::kCancel ? kIdCancel
                                                  : kIdApply;
  return ClickDlgItem(id);
}

void CPropertySheet::EndDialog(int result) {
  ended_ = true;
  result_ = result;
  if (auto* window = qobject_cast<QDialog*>(GetWindow())) window->done(result);
}

bool CPropertySheet::OnInitDialog() {
  if (GetPageCount() == 0) return true;
  const int start = start_page_ >= 0 && start_page_ < GetPageCount() ? start_page_ : 0;
  SelectTab(start);
  EnterPage(start, true);
  return true;
}

bool CPropertySheet::BuildWindow() {
  if (GetWindow() != nullptr) return false;
  ended_ = false;
  result_ = 0;
  auto* window = new HookedDialog(parent_ == nullptr ? nullptr : parent_->GetWindow());
  window->SetRejectHook([this] { OnCancel(); });
  window->setWindowTitle(ToQString(caption_));
  if (!icon_.isNull()) window->setWindowIcon(icon_);
  if (minimize_box_) window->setWindowFlag(Qt::WindowMinimizeButtonHint, true);
  AttachWindow(window, DialogTemplate{}, true);

  // Every page area is as large as the largest page.
  const DialogBaseUnits units = CurrentBaseUnits();
  QSize page_size;
  for (const Slot& slot : pages_) {
    if (slot.page == nullptr) continue;
    const DialogRect& rect = slot.page->dialog_template().rect;
    page_size = page_size.expandedTo(
        QSize(DialogUnitsToPixelsX(rect.cx, units), DialogUnitsToPixelsY(rect.cy, units)));
  }

  tabs_ = new QTabWidget(window);
  tabs_->setUsesScrollButtons(true);
  tabs_->setElideMode(Qt::ElideNone);
  for (Slot& slot : pages_) {
    auto* container = new QWidget;
    container->setFixedSize(page_size);
    slot.container = container;
    tabs_->addTab(container, ToQString(slot.tab_text));
  }

  auto* box = new QDialogButtonBox(window);
  QPushButton* ok = box->addButton(ToQString(kOkButtonText), QDialogButtonBox::AcceptRole);
  QPushButton* cancel = box->addButton(ToQString(kCancelButtonText), QDialogButtonBox::RejectRole);
  QPushButton* apply = box->addButton(ToQString(kApplyButtonText), QDialogButtonBox::ApplyRole);
  ok->setDefault(true);
  apply->setEnabled(false);
  buttons_ = {ok, cancel, apply};
  AddControl(kIdOk, ControlKind::kPushButton, ok);
  AddControl(kIdCancel, ControlKind::kPushButton, cancel);
  AddControl(kIdApply, ControlKind::kPushButton, apply);
  OnCommand(kIdOk, [this] { OnOk(); });
  OnCommand(kIdCancel, [this] { OnCancel(); });

  auto* layout = new QVBoxLayout(window);
  layout->addWidget(tabs_);
  layout->addWidget(box);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  system_menu_.Attach(window, tabs_->tabBar());
  QObject::connect(tabs_.data(), &QTabWidget::currentChanged, context(),
                   [this](int index) { OnTabChanged(index); });
  OnInitDialog();
  return true;
}

void CPropertySheet::OnTabChanged(int index) {
  if (selecting_ || index == active_ || index < 0) return;
  const int previous = active_;
  if (!LeaveActivePage()) {
    SelectTab(previous);
    return;
  }
  EnterPage(index, false);
}

bool CPropertySheet::LeaveActivePage() {
  CPropertyPage* page = GetPage(active_);
  return page == nullptr || page->OnKillActive();
}

void CPropertySheet::EnterPage(int index, bool focus_first_control) {
  active_ = index;
  Slot& slot = pages_[index];
  if (slot.page == nullptr) return;
  if (!slot.shown && slot.container) {
    slot.shown = true;
    slot.page->CreatePage(slot.container);
    ChainFocus(slot);
    if (slot.page->OnInitDialog() && focus_first_control) slot.page->FocusFirstTabStop();
  }
  slot.page->OnSetActive();
}

void CPropertySheet::SelectTab(int index) {
  if (!tabs_ || index < 0) return;
  selecting_ = true;
  tabs_->setCurrentIndex(index);
  selecting_ = false;
}

void CPropertySheet::OnOk() {
  if (!LeaveActivePage()) return;
  for (const Slot& slot : pages_) {
    if (slot.shown && slot.page != nullptr) slot.page->OnOK();
  }
  EndDialog(kIdOk);
}

void CPropertySheet::OnCancel() {
  for (const Slot& slot : pages_) {
    if (slot.shown && slot.page != nullptr) slot.page->OnReset();
  }
  EndDialog(kIdCancel);
}

void CPropertySheet::DetachPage(CPropertyPage* page) {
  for (Slot& slot : pages_) {
    if (slot.page == page) slot.page = nullptr;
  }
}

// Tab moves from the tab bar through the page's controls to the buttons.
void CPropertySheet::ChainFocus(const Slot& slot) {
  QWidget* previous = tabs_->tabBar();
  for (const Control& control : slot.page->controls().controls()) {
    if (control.widget && control.widget->focusPolicy() != Qt::NoFocus) {
      QWidget::setTabOrder(previous, control.widget);
      previous = control.widget;
    }
  }
  for (const QPointer<QWidget>& button : buttons_) {
    if (!button) continue;
    QWidget::setTabOrder(previous, button);
    previous = button;
  }
}

}  // namespace pscfg::ui
