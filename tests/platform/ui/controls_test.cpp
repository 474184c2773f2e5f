#include "platform/ui/cwnd.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ui/cdialog.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/test_services.h"
#include "tests/platform/ui/ui_test_support.h"

namespace pscfg::ui {
namespace {

constexpr int kPicture = 1135;
constexpr int kTitle = 1120;
constexpr int kServers = 1001;
constexpr int kModel = 1036;
constexpr int kFileName = 1038;
constexpr int kPassword = 1017;
constexpr int kPorts = 1040;
constexpr int kTestPrint = 1004;
constexpr int kRefresh = 1013;
constexpr int kFrame = 1100;
constexpr int kPortList = 1000;
constexpr int kStatusList = 1052;
constexpr int kEditableCombo = 1002;

DialogTemplate ControlsTemplate() {
  DialogTemplate dialog;
  dialog.caption = "一般設定";
  dialog.rect = {0, 0, 240, 230};
  dialog.controls = {
      Bitmap(kPicture, 129, {7, 7, 25, 25}),
      StaticText(kTitle, "列印伺服器", {40, 12, 150, 10}),
      PushButton(kRefresh, "更新", {185, 40, 50, 14}),
      ComboBox(kServers, {60, 40, 120, 80}),
      Edit(kModel, {60, 58, 120, 12}, style::kDisabled, 30),
      Edit(kFileName, {60, 74, 120, 12}, style::kUppercase),
      Edit(kPassword, {60, 90, 60, 12}, style::kPassword, 8),
      GroupBox(kFrame, "列印伺服器連接埠", {10, 104, 220, 30}),
      RadioButton(kPorts, "LPT1", {20, 116, 40, 10}, style::kGroup),
      PushButton(kTestPrint, "列印測試", {185, 116, 50, 14}, style::kHidden | style::kGroup),
      ListBox(kPortList, {10, 136, 100, 40}, style::kSorted),
      ComboBox(kEditableCombo, {120, 136, 100, 60}, style::kEditable),
      ListView(kStatusList, {10, 178, 220, 45}, {{"列印埠", 50}}),
  };
  return dialog;
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dialog_.Create()); }

  TestServices services_;
  CDialog dialog_{ControlsTemplate()};
};

TEST_F(ControlsTest, TemplateStylesAndByIdStatesReadBack) {
  EXPECT_FALSE(dialog_.IsWindowEnabled(kModel));
  EXPECT_TRUE(dialog_.IsWindowEnabled(kRefresh));
  EXPECT_FALSE(dialog_.IsWindowVisible(kTestPrint));
  EXPECT_TRUE(dialog_.IsWindowVisible(kRefresh));

  dialog_.EnableWindow(kModel, true);
  dialog_.EnableWindow(kRefresh, false);
  dialog_.ShowWindow(kTestPrint, true);
  EXPECT_TRUE(dialog_.IsWindowEnabled(kModel));
  EXPECT_FALSE(dialog_.IsWindowEnabled(kRefresh));
  EXPECT_TRUE(dialog_.IsWindowVisible(kTestPrint));
  EXPECT_FALSE(dialog_.ClickDlgItem(kRefresh)) << "a disabled button cannot be clicked";

  // Disabling the window makes everything unusable but leaves the controls'
  // own states as they were.
  dialog_.EnableWindow(false);
  EXPECT_FALSE(dialog_.IsWindowEnabled());
  EXPECT_TRUE(dialog_.IsWindowEnabled(kModel));
  EXPECT_FALSE(dialog_.ClickDlgItem(kTestPrint));
}

TEST_F(ControlsTest, UnknownIdsReadAsNothing) {
  dialog_.SetDlgItemText(4711, "x");
  EXPECT_EQ(dialog_.GetDlgItem(4711), nullptr);
  EXPECT_EQ(dialog_.GetDlgItemText(4711), "");
  EXPECT_FALSE(dialog_.IsWindowEnabled(4711));
  EXPECT_FALSE(dialog_.ClickDlgItem(4711));
  EXPECT_EQ(dialog_.ComboGetCurSel(4711), -1);
  EXPECT_EQ(dialog_.ComboAddString(4711, "x"), -1);
  EXPECT_EQ(dialog_.ListBoxGetCount(4711), -1);
}

TEST_F(ControlsTest, FocusStartsOnTheFirstTabStopAndFollowsGotoDlgCtrl) {
  // Picture and label take no focus; the first control that does is "更新".
  EXPECT_EQ(dialog_.GetFocusId(), kRefresh);
  dialog_.SetDlgItemText(kFileName, "C:\\TOOLS");
  dialog_.GotoDlgCtrl(kFileName);
  EXPECT_EQ(dialog_.GetFocusId(), kFileName);
  EXPECT_EQ(dialog_.GetDlgItemAs<QLineEdit>(kFileName)->selectedText(), "C:\\TOOLS");
  dialog_.GotoDlgCtrl(kServers);
  EXPECT_EQ(dialog_.GetFocusId(), kServers);
}

TEST_F(ControlsTest, TextsByControlKind) {
  dialog_.SetDlgItemText(kTitle, "ABC");
  dialog_.SetDlgItemText(kRefresh, "重新整理");
  dialog_.SetDlgItemText(kFrame, "連接埠");
  dialog_.SetDlgItemText(kModel, "1P/2A-2.3.05A");
  EXPECT_EQ(dialog_.GetDlgItemText(kTitle), "ABC");
  EXPECT_EQ(dialog_.GetDlgItemText(kRefresh), "重新整理");
  EXPECT_EQ(dialog_.GetDlgItemText(kFrame), "連接埠");
  EXPECT_EQ(dialog_.GetDlgItemText(kModel), "1P/2A-2.3.05A");

  // A drop-down list shows its selected item and ignores set texts; an
  // editable combo box takes them.
  dialog_.ComboAddString(kServers, "PS-A");
  dialog_.SetDlgItemText(kServers, "other");
  EXPECT_EQ(dialog_.GetDlgItemText(kServers), "");
  dialog_.ComboSetCurSel(kServers, 0);
  EXPECT_EQ(dialog_.GetDlgItemText(kServers), "PS-A");
  dialog_.SetDlgItemText(kEditableCombo, "typed");
  EXPECT_EQ(dialog_.GetDlgItemText(kEditableCombo), "typed");

  dialog_.SetWindowText("About ABC");
  EXPECT_EQ(dialog_.GetWindowText(), "About ABC");
}

TEST_F(ControlsTest, EditStylesApplyToTyping) {
  ASSERT_TRUE(dialog_.UserTypeText(kFileName, "c:\\tools\\vqimg.bin"));
  EXPECT_EQ(dialog_.GetDlgItemText(kFileName), "C:\\TOOLS\\VQIMG.BIN");
  dialog_.SetDlgItemText(kFileName, "set by the program");
  EXPECT_EQ(dialog_.GetDlgItemText(kFileName), "set by the program");

  EXPECT_EQ(dialog_.GetDlgItemAs<QLineEdit>(kPassword)->echoMode(), QLineEdit::Password);
  EXPECT_EQ(dialog_.GetLimitText(kPassword), 8);
  EXPECT_FALSE(dialog_.UserTypeText(kPassword, "123456789"));
  EXPECT_FALSE(dialog_.UserTypeText(kModel, "x")) << "disabled";
}

TEST_F(ControlsTest, ClicksReachTheirHandlers) {
  std::vector<int> clicked;
  dialog_.OnCommand(kRefresh, [&] { clicked.push_back(kRefresh); });
  dialog_.OnCommand(kPorts, [&] { clicked.push_back(kPorts); });
  ASSERT_TRUE(dialog_.ClickDlgItem(kRefresh));
  ASSERT_TRUE(dialog_.ClickDlgItem(kPorts));
  ASSERT_TRUE(dialog_.ClickDlgItem(kPorts));  // an already checked radio button clicks too
  EXPECT_EQ(clicked, (std::vector<int>{kRefresh, kPorts, kPorts}));
  EXPECT_EQ(dialog_.IsDlgButtonChecked(kPorts), 1);
}

TEST_F(ControlsTest, ComboBoxBehavesAsThePlatformsOne) {
  int notifications = 0;
  dialog_.OnComboSelEndOk(kServers, [&] { ++notifications; });

  EXPECT_EQ(dialog_.ComboAddString(kServers, "PS-B"), 0);
  EXPECT_EQ(dialog_.ComboGetCurSel(kServers), -1) << "adding selects nothing";
  EXPECT_EQ(dialog_.ComboAddString(kServers, "PS-A"), 1) << "not sorted";
  EXPECT_EQ(dialog_.ComboInsertString(kServers, 0, "PS-C"), 0);
  EXPECT_EQ(dialog_.ComboInsertString(kServers, 9, "PS-X"), -1);
  EXPECT_EQ(dialog_.ComboGetCount(kServers), 3);
  EXPECT_EQ(dialog_.ComboGetLBText(kServers, 1), "PS-B");
  EXPECT_EQ(dialog_.ComboGetLBText(kServers, 3), "");

  EXPECT_EQ(dialog_.ComboSetCurSel(kServers, 1), 1);
  EXPECT_EQ(dialog_.ComboSetCurSel(kServers, 7), -1);
  EXPECT_EQ(dialog_.ComboGetCurSel(kServers), -1);
  EXPECT_EQ(notifications, 0) << "the program's own selections are not announced";

  // Replacing the selected line, as a changed alias does.
  dialog_.ComboSetCurSel(kServers, 1);
  EXPECT_EQ(dialog_.ComboDeleteString(kServers, 1), 2);
  EXPECT_EQ(dialog_.ComboGetCurSel(kServers), -1) << "the deleted item took the selection";
  dialog_.ComboInsertString(kServers, 1, "NEW");
  dialog_.ComboSetCurSel(kServers, 1);
  EXPECT_EQ(dialog_.GetDlgItemText(kServers), "NEW");

  ASSERT_TRUE(dialog_.UserSelectComboItem(kServers, 2));
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(dialog_.ComboGetCurSel(kServers), 2);
  EXPECT_FALSE(dialog_.UserSelectComboItem(kServers, 3));

  dialog_.ComboResetContent(kServers);
  EXPECT_EQ(dialog_.ComboGetCount(kServers), 0);
  EXPECT_EQ(dialog_.ComboGetCurSel(kServers), -1);
}

TEST_F(ControlsTest, SortedListBoxInsertsInOrderIgnoringCase) {
  int notifications = 0;
  dialog_.OnListBoxSelChange(kPortList, [&] { ++notifications; });
  EXPECT_EQ(dialog_.ListBoxAddString(kPortList, "LAB2-P1"), 0);
  EXPECT_EQ(dialog_.ListBoxAddString(kPortList, "lab1-P2"), 0);
  EXPECT_EQ(dialog_.ListBoxAddString(kPortList, "LAB1-P1"), 0);
  EXPECT_EQ(dialog_.ListBoxAddString(kPortList, "ZED-P1"), 3);
  std::vector<std::string> shown;
  for (int i = 0; i < dialog_.ListBoxGetCount(kPortList); ++i) {
    shown.push_back(dialog_.ListBoxGetText(kPortList, i));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"LAB1-P1", "lab1-P2", "LAB2-P1", "ZED-P1"}));

  EXPECT_EQ(dialog_.ListBoxGetCurSel(kPortList), -1);
  EXPECT_EQ(dialog_.ListBoxSetCurSel(kPortList, 2), 2);
  EXPECT_EQ(dialog_.ListBoxGetCurSel(kPortList), 2);
  EXPECT_EQ(dialog_.ListBoxDeleteString(kPortList, 2), 3);
  EXPECT_EQ(dialog_.ListBoxGetCurSel(kPortList), -1);
  dialog_.ListBoxResetContent(kPortList);
  EXPECT_EQ(dialog_.ListBoxGetCount(kPortList), 0);
  EXPECT_EQ(notifications, 0);
}

TEST_F(ControlsTest, ListViewRowsAndColumns) {
  std::vector<int> changes;
  dialog_.OnListViewItemChanged(kStatusList, [&](int item) { changes.push_back(item); });

  EXPECT_EQ(dialog_.ListViewInsertColumn(kStatusList, 1, "印表機狀態", 200), 1);
  EXPECT_EQ(dialog_.ListViewInsertColumn(kStatusList, 0, "#", 20, ColumnAlign::kRight), 0);
  ASSERT_EQ(dialog_.ListViewGetColumnCount(kStatusList), 3);
  EXPECT_EQ(dialog_.ListViewGetColumnText(kStatusList, 0), "#");
  EXPECT_EQ(dialog_.ListViewGetColumnText(kStatusList, 1), "列印埠");
  EXPECT_EQ(dialog_.ListViewGetColumnWidth(kStatusList, 1), 50);
  EXPECT_EQ(dialog_.ListViewGetColumnText(kStatusList, 2), "印表機狀態");
  EXPECT_EQ(dialog_.ListViewGetColumnWidth(kStatusList, 2), 200);

  EXPECT_EQ(dialog_.ListViewInsertItem(kStatusList, 0, "1"), 0);
  EXPECT_EQ(dialog_.ListViewInsertItem(kStatusList, 1, "2"), 1);
  EXPECT_EQ(dialog_.ListViewInsertItem(kStatusList, 1, "1a"), 1);
  EXPECT_TRUE(dialog_.ListViewSetItemText(kStatusList, 1, 1, " "));
  EXPECT_TRUE(dialog_.ListViewSetItemText(kStatusList, 1, 2, "Paper out"));
  EXPECT_FALSE(dialog_.ListViewSetItemText(kStatusList, 1, 3, "no such column"));
  EXPECT_FALSE(dialog_.ListViewSetItemText(kStatusList, 3, 0, "no such row"));
  EXPECT_EQ(dialog_.ListViewGetItemCount(kStatusList), 3);
  EXPECT_EQ(dialog_.ListViewGetItemText(kStatusList, 1, 0), "1a");
  EXPECT_EQ(dialog_.ListViewGetItemText(kStatusList, 1, 2), "Paper out");
  EXPECT_EQ(dialog_.ListViewGetItemText(kStatusList, 2, 0), "2");

  EXPECT_TRUE(dialog_.ListViewSelectItem(kStatusList, 2));
  EXPECT_EQ(dialog_.ListViewGetSelectedItem(kStatusList), 2);
  EXPECT_TRUE(dialog_.ListViewDeleteAllItems(kStatusList));
  EXPECT_EQ(dialog_.ListViewGetItemCount(kStatusList), 0);
  EXPECT_EQ(dialog_.ListViewGetSelectedItem(kStatusList), -1);
  EXPECT_EQ(changes, std::vector<int>{2}) << "inserting and deleting rows is not announced";
}

TEST_F(ControlsTest, BitmapFromFileReplacesThePictureOnlyWhenReadable) {
  testing::TempDir dir;
  const QPixmap built_in = dialog_.GetDlgItemAs<QLabel>(kPicture)->pixmap();
  const QSize built_in_size = dialog_.GetDlgItem(kPicture)->size();

  EXPECT_FALSE(dialog_.LoadBitmapFromFile(kPicture, (dir.path() / "logo.bmp").string()));
  std::ofstream((dir.path() / "garbage.bmp").string()) << "BM not really a bitmap";
  EXPECT_FALSE(dialog_.LoadBitmapFromFile(kPicture, (dir.path() / "garbage.bmp").string()));
  QImage png(10, 10, QImage::Format_RGB32);
  png.fill(Qt::blue);
  ASSERT_TRUE(png.save(QString::fromStdString((dir.path() / "png.bmp").string()), "PNG"));
  EXPECT_FALSE(dialog_.LoadBitmapFromFile(kPicture, (dir.path() / "png.bmp").string()))
      << "only Windows bitmaps";
  EXPECT_EQ(dialog_.GetDlgItemAs<QLabel>(kPicture)->pixmap().cacheKey(), built_in.cacheKey());
  EXPECT_EQ(dialog_.GetDlgItem(kPicture)->size(), built_in_size);

  QImage logo(33, 21, QImage::Format_RGB32);
  logo.fill(Qt::green);
  ASSERT_TRUE(logo.save(QString::fromStdString((dir.path() / "logo.bmp").string()), "BMP"));
  EXPECT_TRUE(dialog_.LoadBitmapFromFile(kPicture, (dir.path() / "logo.bmp").string()));
  EXPECT_EQ(dialog_.GetDlgItem(kPicture)->size(), QSize(33, 21));
}

TEST_F(ControlsTest, PostedExecuteKeyPressesTheFocusedButtonOnceTheLoopRuns) {
  int refreshes = 0;
  dialog_.OnCommand(kRefresh, [&] { ++refreshes; });
  dialog_.PostExecuteKey();
  EXPECT_EQ(refreshes, 0);
  testing::RunPendingEvents();
  EXPECT_EQ(refreshes, 1);

  // Focus on something else than a push button: nothing is pressed.
  dialog_.GotoDlgCtrl(kFileName);
  dialog_.PostExecuteKey();
  testing::RunPendingEvents();
  EXPECT_EQ(refreshes, 1);
}

TEST_F(ControlsTest, NothingQueuedRunsAfterTheWindowIsGone) {
  int refreshes = 0;
  dialog_.OnCommand(kRefresh, [&] { ++refreshes; });
  dialog_.PostExecuteKey();
  dialog_.DestroyWindow();
  testing::RunPendingEvents();
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(dialog_.GetWindow(), nullptr);
  EXPECT_EQ(dialog_.GetDlgItem(kRefresh), nullptr);
}

}  // namespace
}  // namespace pscfg::ui
