#pragma once
// CWnd: a dialog window and its controls, addressed by control id.
//
// The base of CDialog, CPropertyPage, CPropertySheet and CModelessPanel. It
// holds the window once it exists (dialogs and pages create theirs late) and
// offers what the programs do to controls by id: texts, enabling, showing,
// focus, check and radio states, combo boxes, list boxes and list views,
// notifications, data exchange, message boxes and the wait cursor.
//
// Before the window exists, or for an id it has no control with, setters do
// nothing and getters return an empty text, 0, false or -1 as the platform's
// messages would (CB_ERR, LB_ERR). Control states read back here are the
// control's own: a control of a disabled page still reads as enabled.

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/control_set.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/message_box_service.h"

namespace pscfg::ui {

class DataExchange;

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  // The window, or null while it does not exist.
  QWidget* GetWindow() const { return window_.data(); }
  QWidget* GetDlgItem(int id) const;
  template <class Widget>
  Widget* GetDlgItemAs(int id) const {
    return qobject_cast<Widget*>(GetDlgItem(id));
  }

  // The window itself.
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  void EnableWindow(bool enable);  // disabling it makes all its controls unusable
  bool IsWindowEnabled() const;

  // Texts: the caption of labels, buttons and group boxes, the text of edits,
  // the edit text of an editable combo box, the selected item of a drop-down
  // list (setting that one does nothing, as on the platform).
  void SetDlgItemText(int id, const std::string& text);
  std::string GetDlgItemText(int id) const;

  void EnableWindow(int id, bool enable);
  bool IsWindowEnabled(int id) const;
  void ShowWindow(int id, bool show);
  bool IsWindowVisible(int id) const;  // not hidden itself (the window may be)

  // Focus: GotoDlgCtrl moves it to the control and selects an edit's text.
  // GetFocusId is the id of the control that has, or will get when the
  // window is activated, the keyboard focus; 0 when that is none of ours.
  void GotoDlgCtrl(int id);
  int GetFocusId() const;

  // Edit length limit (ANSI count, see ansi_length.h); 0 means none.
  void LimitText(int id, int limit);
  int GetLimitText(int id) const;

  // Check boxes and radio buttons: 0 unchecked, 1 checked.
  void CheckDlgButton(int id, int check);
  int IsDlgButtonChecked(int id) const;
  // Checks `check` and unchecks the other radio buttons with ids first..last.
  void CheckRadioButton(int first, int last, int check);
  // The checked radio button among ids first..last, or 0.
  int GetCheckedRadioButton(int first, int last) const;
  // Ids of the radio buttons in the group of `id` (see control_set.h), in
  // template order; empty when `id` is no radio button.
  std::vector<int> GetRadioGroup(int id) const;

  // Bitmap statics: the picture of a file, which must be a Windows bitmap.
  // False, and the picture stays, when it is missing or unreadable. The
  // control takes the picture's size.
  bool LoadBitmapFromFile(int id, const std::string& path);
  void SetBitmap(int id, const QPixmap& picture);

  // Combo boxes (cwnd_lists.cpp). Indexes from 0; -1 for failure or none.
  // Adding to a sorted combo box inserts in order and returns where.
  int ComboAddString(int id, const std::string& text);
  int ComboInsertString(int id, int index, const std::string& text);  // -1: at the end
  int ComboDeleteString(int id, int index);                           // the count left
  void ComboResetContent(int id);
  int ComboSetCurSel(int id, int index);  // -1 clears the selection and returns -1
  int ComboGetCurSel(int id) const;
  int ComboGetCount(int id) const;
  std::string ComboGetLBText(int id, int index) const;
  // Selects the first item from `start` + 1 on (wrapping) that begins with
  // `prefix`, ignoring case; the selection stays when none does.
  int ComboSelectString(int id, int start, const std::string& prefix);

  // List boxes, the same way.
  int ListBoxAddString(int id, const std::string& text);
  int ListBoxInsertString(int id, int index, const std::string& text);
  int ListBoxDeleteString(int id, int index);
  void ListBoxResetContent(int id);
  int ListBoxSetCurSel(int id, int index);
  int ListBoxGetCurSel(int id) const;
  int ListBoxGetCount(int id) const;
  std::string ListBoxGetText(int id, int index) const;

  // List views in report style. Column widths in pixels.
  int ListViewInsertColumn(int id, int column, const std::string& text, int width,
                           ColumnAlign align = ColumnAlign::kLeft);
  int ListViewGetColumnCount(int id) const;
  std::string ListViewGetColumnText(int id, int column) const;
  int ListViewGetColumnWidth(int id, int column) const;
  // Inserts a row whose first column is `text`; returns its index.
  int ListViewInsertItem(int id, int index, const std::string& text);
  bool ListViewSetItemText(int id, int item, int subitem, const std::string& text);
  std::string ListViewGetItemText(int id, int item, int subitem) const;
  int ListViewGetItemCount(int id) const;
  bool ListViewDeleteAllItems(int id);
  int ListViewGetSelectedItem(int id) const;
  bool ListViewSelectItem(int id, int item);

  // Notifications. Handlers can be set before the window exists.
  // A click of a push button, check box or radio button by the user.
  void OnCommand(int id, std::function<void()> handler);
  // The user chose an item of a combo box (not sent for ComboSetCurSel).
  void OnComboSelEndOk(int id, std::function<void()> handler);
  // The selection of a list box changed.
  void OnListBoxSelChange(int id, std::function<void()> handler);
  // The current row of a list view changed; the handler gets the row or -1.
  void OnListViewItemChanged(int id, std::function<void(int item)> handler);

  // What the user does, for tests and scripted runs. Each does nothing and
  // returns false when the control is missing or cannot be used (disabled,
  // also through its window, or hidden).
  bool ClickDlgItem(int id);
  bool UserSelectComboItem(int id, int index);
  // Replaces an edit's text as the user would: deletes it, then types each
  // character; the limit refuses what does not fit and the upper-case style
  // converts. True when every character was taken.
  bool UserTypeText(int id, const std::string& text);

  // Posts the key that presses the focused push button: when the event loop
  // next runs, the control that has the focus then is clicked if it is an
  // enabled push button. Like the Enter key (or VK_EXECUTE) sent to oneself.
  void PostExecuteKey();

  // Dialog data exchange: runs DoDataExchange in one direction. Saving
  // validates; false when a value was refused (the platform has said why
  // and put the focus on the control). False too without a window.
  bool UpdateData(bool save_and_validate = true);
  virtual void DoDataExchange(DataExchange& dx);

  // A message box over this window. An empty caption gives the application's
  // name (AfxGetAppName).
  int MessageBox(const std::string& text, const std::string& caption = {},
                 MessageButtons buttons = MessageButtons::kOk,
                 MessageIcon icon = MessageIcon::kNone);

  // The wait cursor (GetServices().wait_cursor).
  void BeginWaitCursor();
  void RestoreWaitCursor();
  void EndWaitCursor();

 protected:
  // Takes `window` as this object's window, builds the controls of `dialog`
  // in it (in DialogFont(), measured by CurrentBaseUnits()) and wires their
  // notifications. With `owns_window` the window is deleted with this object
  // or by DestroyWindow.
  void AttachWindow(QWidget* window, const DialogTemplate& dialog, bool owns_window);
  // Adds a control that was made by hand (the sheet's own buttons).
  void AddControl(int id, ControlKind kind, QWidget* widget);
  // Forgets the window and its controls and drops every connection to
  // them; deletes the window when owned.
  void DestroyWindow();

  // Puts the focus on the first control in template order that takes it
  // (enabled, shown, accepting the keyboard focus by Tab).
  void FocusFirstTabStop();

  // A click nobody registered a handler for (CDialog ends on OK and Cancel).
  virtual void OnUnhandledCommand(int id);

  // The context of every connection and queued call of this object: they
  // end with it.
  QObject* context() const { return context_.get(); }
  const ControlSet& controls() const { return controls_; }

 private:
  enum class Notification { kClicked, kSelEndOk, kListBoxSelChange, kItemChanged };

  // Changes that the program makes to a list box or list view send no
  // notification; this marks them.
  class ProgramChange {
   public:
    explicit ProgramChange(CWnd* wnd) : wnd_(wnd) { ++wnd_->program_changes_; }
    ~ProgramChange() { --wnd_->program_changes_; }
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;

   private:
    CWnd* wnd_;
  };

  void Wire(const Control& control);
  void Notify(int id, Notification notification, int item = -1);
  void ClickFocusedButton();

  QPointer<QWidget> window_;
  bool owns_window_ = false;
  ControlSet controls_;
  std::unique_ptr<QObject> context_;
  std::map<std::pair<int, Notification>, std::function<void(int)>> handlers_;
  int program_changes_ = 0;
};

}  // namespace pscfg::ui
