#include "platform/ui/cdialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTimer>
#include <string>
#include <vector>

#include "platform/ui/cmodeless_panel.h"
#include "platform/ui/ddx.h"
#include "platform/ui/dialog_units.h"
#include "platform/ui/test_services.h"
#include "tests/platform/ui/ui_test_support.h"

namespace pscfg::ui {
namespace {

constexpr int kName = 1002;
constexpr int kCaptionLine = 1120;

// The add-port dialog shape: an edit of at most 15 characters, OK, Cancel.
class NameDialog : public CDialog {
 public:
  NameDialog() : CDialog(Template()) {}

  std::string name;
  std::vector<std::string> calls;

  bool OnInitDialog() override {
    calls.push_back("init");
    SetWindowText("About ABC");
    SetDlgItemText(kCaptionLine, "ABC 設定程式  3.0");
    return CDialog::OnInitDialog();
  }
  void OnCancel() override {
    calls.push_back("cancel");
    CDialog::OnCancel();
  }
  void DoDataExchange(DataExchange& dx) override {
    DDX_Text(dx, kName, name);
    DDV_MaxChars(dx, name, 15);
  }

 private:
  static DialogTemplate Template() {
    DialogTemplate dialog;
    dialog.caption = "建立遠端連接埠";
    dialog.rect = {0, 0, 200, 80};
    dialog.controls = {
        StaticText(kCaptionLine, "", {7, 7, 120, 8}),
        Edit(kName, {70, 20, 80, 12}),
        PushButton(kIdOk, "確定", {143, 60, 50, 14}, style::kDefaultButton),
        PushButton(kIdCancel, "取消", {88, 60, 50, 14}),
    };
    return dialog;
  }
};

class DialogTest : public ::testing::Test {
 protected:
  TestServices services_;
  NameDialog dialog_;
};

TEST_F(DialogTest, OkSavesTheDataAndEndsWithOk) {
  dialog_.name = "LAB1";
  QTimer::singleShot(0, [this] {
    EXPECT_EQ(dialog_.GetWindowText(), "About ABC");
    EXPECT_EQ(dialog_.GetDlgItemText(kCaptionLine), "ABC 設定程式  3.0");
    EXPECT_EQ(dialog_.GetDlgItemText(kName), "LAB1");
    EXPECT_EQ(dialog_.GetFocusId(), kName);
    dialog_.UserTypeText(kName, "LAB2");
    dialog_.ClickDlgItem(kIdOk);
  });
  EXPECT_EQ(dialog_.DoModal(), kIdOk);
  EXPECT_EQ(dialog_.name, "LAB2");
  EXPECT_EQ(dialog_.GetWindow(), nullptr);
  EXPECT_EQ(dialog_.calls, std::vector<std::string>{"init"});
}

TEST_F(DialogTest, OkWithARefusedValueStaysOpen) {
  QTimer::singleShot(0, [this] {
    dialog_.SetDlgItemText(kName, "a name of twenty chars");
    dialog_.ClickDlgItem(kIdOk);
    EXPECT_FALSE(dialog_.ended());
    EXPECT_EQ(dialog_.GetFocusId(), kName);
    dialog_.ClickDlgItem(kIdCancel);
  });
  EXPECT_EQ(dialog_.DoModal(), kIdCancel);
  EXPECT_EQ(services_.message_box.texts(),
            std::vector<std::string>{"Enter no more than 15 characters."});
  EXPECT_EQ(dialog_.name, "a name of twenty chars") << "the member takes the text before the check";
}

TEST_F(DialogTest, CloseBoxAndEscapeRunOnCancel) {
  ASSERT_TRUE(dialog_.Create());
  dialog_.GetWindow()->close();
  EXPECT_EQ(dialog_.result(), kIdCancel);
  EXPECT_EQ(dialog_.calls, (std::vector<std::string>{"init", "cancel"}));
}

TEST_F(DialogTest, AHandlerOfItsOwnReplacesOkAndCancel) {
  int oks = 0;
  dialog_.OnCommand(kIdOk, [&] { ++oks; });
  ASSERT_TRUE(dialog_.Create());
  ASSERT_TRUE(dialog_.ClickDlgItem(kIdOk));
  EXPECT_EQ(oks, 1);
  EXPECT_FALSE(dialog_.ended());
}

TEST_F(DialogTest, PanelIsDrawnOverItsParentAtTheTemplatePositionUntilDestroyed) {
  ASSERT_TRUE(dialog_.Create());
  DialogTemplate progress;
  progress.id = 101;
  progress.rect = {35, 10, 120, 40};
  progress.controls = {StaticText(kIdStatic, "軔體更新進行中....", {10, 8, 100, 8}),
                       StaticText(kIdStatic, "請耐心等候...", {10, 22, 100, 8})};
  CModelessPanel panel(progress);
  ASSERT_TRUE(panel.Create(dialog_));

  QWidget* window = panel.GetWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->parentWidget(), dialog_.GetWindow());
  EXPECT_EQ(window->geometry(), DialogUnitsToPixels(progress.rect, CurrentBaseUnits()));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(dialog_.GetWindow()->children().back(), window) << "in front of the controls";
  std::vector<std::string> texts;
  for (QLabel* label : window->findChildren<QLabel*>())
    texts.push_back(label->text().toStdString());
  EXPECT_EQ(texts, (std::vector<std::string>{"軔體更新進行中....", "請耐心等候..."}));
  EXPECT_FALSE(panel.Create(dialog_)) << "one window at a time";

  panel.DestroyWindow();
  EXPECT_EQ(panel.GetWindow(), nullptr);
  EXPECT_EQ(
      dialog_.GetWindow()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly).size(), 1)
      << "only the dialog's own label is left";
}

}  // namespace
}  // namespace pscfg::ui
