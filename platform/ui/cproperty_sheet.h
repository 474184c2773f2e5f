#pragma once
// CPropertySheet: a modal dialog of tabbed pages with the platform's
// standard buttons "確定" (OK), "取消" (Cancel) and "套用(&A)" (Apply; always
// disabled, since no page marks itself modified).
//
// Page changes, by a tab click or SetActivePage, first ask the page being
// left (OnKillActive); when it refuses, the sheet stays on it and the other
// page hears nothing. Otherwise the new page is created if it never was
// (OnInitDialog) and gets OnSetActive; its return value is not used.
// OK asks the active page the same way, then gives OnOK to every page that
// has been shown and ends with kIdOk. Cancel, Escape and the close box give
// OnReset to every page that has been shown, in tab order, and end with
// kIdCancel. The sheet's buttons can be addressed by id (kIdOk, kIdCancel,
// kIdApply).
//
// The window (and with it every page's window) exists from DoModal or
// Create until the sheet ends or DestroyWindow; a later DoModal starts anew,
// with OnInitDialog again for each page shown.

#include <QIcon>
#include <QPointer>
#include <QTabWidget>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/cproperty_page.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/system_menu.h"

namespace pscfg::ui {

enum class SheetButton { kOk, kCancel, kApply };

inline constexpr const char* kOkButtonText = "確定";
inline constexpr const char* kCancelButtonText = "取消";
inline constexpr const char* kApplyButtonText = "套用(&A)";

class CPropertySheet : public CWnd {
 public:
  explicit CPropertySheet(std::string caption, CWnd* parent = nullptr, int select_page = 0);
  ~CPropertySheet() override;

  // Pages are not owned; add them before the window is created.
  void AddPage(CPropertyPage* page);
  int GetPageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* GetPage(int index) const;
  int GetPageIndex(const CPropertyPage* page) const;  // -1 when not added

  CPropertyPage* GetActivePage() const { return GetPage(active_); }
  int GetActiveIndex() const { return active_; }
  // Before the window exists this picks the page it opens with. False when
  // the index is bad or the active page refused to be left.
  bool SetActivePage(int index);
  bool SetActivePage(CPropertyPage* page);

  // The window caption.
  void SetTitle(const std::string& title);
  // The text of a tab (the page's caption stays as it is).
  bool SetTabText(int index, const std::string& text);
  std::string GetTabText(int index) const;

  // The window menu (system_menu.h).
  void AddSystemMenuSeparator() { system_menu_.AddSeparator(); }
  void AddSystemMenuItem(std::string text, std::function<void()> action) {
    system_menu_.AddItem(std::move(text), std::move(action));
  }
  QMenu* GetSystemMenu() const { return system_menu_.menu(); }

  void EnableMinimizeBox();
  void Minimize();
  bool IsMinimized() const;
  void SetIcon(const QIcon& icon);

  // Runs the sheet modally; returns kIdOk or kIdCancel (or what EndDialog
  // was given) after the window is gone.
  int DoModal();
  // The window without the modal wait (tests, step-by-step use): created,
  // initialised and shown. Ending it hides it; DestroyWindow removes it.
  bool Create();
  void DestroyWindow();

  // Presses one of the standard buttons as the user would; false when it is
  // disabled or the window does not exist.
  bool PressButton(SheetButton button);
  void EndDialog(int result);
  bool ended() const { return ended_; }
  int result() const { return result_; }

  QTabWidget* GetTabControl() const { return tabs_.data(); }

  // Base: opens the start page (creates it, runs its OnInitDialog and
  // OnSetActive, and focuses its first control). Derived sheets call it
  // first, then set tab texts, menus and icons.
  virtual bool OnInitDialog();

 private:
  friend class CPropertyPage;

  struct Slot {
    CPropertyPage* page = nullptr;  // null once the page object is gone
    std::string tab_text;
    QPointer<QWidget> container;
    bool shown = false;  // created since the window was
  };

  bool BuildWindow();
  void OnTabChanged(int index);
  bool LeaveActivePage();
  void EnterPage(int index, bool focus_first_control);
  void SelectTab(int index);
  void OnOk();
  void OnCancel();
  void DetachPage(CPropertyPage* page);
  void ChainFocus(const Slot& slot);

  std::string caption_;
  CWnd* parent_;
  int start_page_;
  std::vector<Slot> pages_;
  QPointer<QTabWidget> tabs_;
  std::vector<QPointer<QWidget>> buttons_;  // OK, Cancel, Apply
  SystemMenu system_menu_;
  QIcon icon_;
  bool minimize_box_ = false;
  int active_ = -1;
  bool selecting_ = false;
  bool ended_ = false;
  int result_ = 0;
};

}  // namespace pscfg::ui
