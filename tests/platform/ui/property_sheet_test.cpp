#include "platform/ui/cproperty_sheet.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ddx.h"
#include "platform/ui/test_services.h"
#include "tests/platform/ui/ui_test_support.h"

namespace pscfg::ui {
namespace {

using Log = std::vector<std::string>;

constexpr int kRefresh = 1013;
constexpr int kAlias = 1003;

DialogTemplate PageTemplate(const std::string& caption) {
  DialogTemplate dialog;
  dialog.caption = caption;
  dialog.rect = {0, 0, 240, 215};
  dialog.controls = {
      StaticText(1120, "列印伺服器", {40, 12, 150, 10}),
      PushButton(kRefresh, "更新", {185, 40, 50, 14}),
      Edit(kAlias, {60, 40, 120, 12}),
  };
  return dialog;
}

// A page that writes what the sheet does to it into a shared log.
class LoggingPage : public CPropertyPage {
 public:
  LoggingPage(const std::string& name, Log* log) : CPropertyPage(PageTemplate(name)), log_(log) {}

  bool allow_leave = true;
  int alias_limit = 0;  // with a limit the page exchanges the alias edit
  std::string alias;
  std::function<void()> on_init;

  bool OnInitDialog() override {
    Write("init");
    const bool result = CPropertyPage::OnInitDialog();
    if (on_init) on_init();
    return result;
  }
  bool OnSetActive() override {
    Write("set-active");
    return CPropertyPage::OnSetActive();
  }
  bool OnKillActive() override {
    Write("kill-active");
    return allow_leave && CPropertyPage::OnKillActive();
  }
  void OnOK() override { Write("ok"); }
  void OnReset() override { Write("reset"); }
  void DoDataExchange(DataExchange& dx) override {
    if (alias_limit == 0) return;
    DDX_Text(dx, kAlias, alias);
    DDV_MaxChars(dx, alias, alias_limit);
  }

 private:
  void Write(const std::string& what) { log_->push_back(dialog_template().caption + " " + what); }
  Log* log_;
};

class PropertySheetTest : public ::testing::Test {
 protected:
  PropertySheetTest() {
    for (LoggingPage* page : {&general_, &status_, &settings_}) sheet_.AddPage(page);
  }

  // What the sheet did since the last call.
  Log Taken() {
    Log taken;
    taken.swap(log_);
    return taken;
  }

  TestServices services_;
  Log log_;
  LoggingPage general_{"一般設定", &log_};
  LoggingPage status_{"Plintrex Status", &log_};
  LoggingPage settings_{"IP 設定", &log_};
  CPropertySheet sheet_{"Print Server 設定程式  3.0"};
};

TEST_F(PropertySheetTest, OpensOnTheStartPageAndCreatesOtherPagesOnlyWhenShown) {
  ASSERT_TRUE(sheet_.Create());
  EXPECT_EQ(Taken(), (Log{"一般設定 init", "一般設定 set-active"}));
  EXPECT_EQ(sheet_.GetActiveIndex(), 0);
  EXPECT_EQ(sheet_.GetActivePage(), &general_);
  EXPECT_NE(general_.GetWindow(), nullptr);
  EXPECT_EQ(status_.GetWindow(), nullptr);
  EXPECT_EQ(sheet_.GetWindowText(), "Print Server 設定程式  3.0");
  EXPECT_EQ(sheet_.GetTabText(1), "Plintrex Status");
  EXPECT_EQ(general_.GetFocusId(), kRefresh) << "the page's first tab stop";

  EXPECT_EQ(sheet_.GetDlgItemText(kIdOk), "確定");
  EXPECT_EQ(sheet_.GetDlgItemText(kIdCancel), "取消");
  EXPECT_EQ(sheet_.GetDlgItemText(kIdApply), "套用(&A)");
  EXPECT_FALSE(sheet_.IsWindowEnabled(kIdApply));
  EXPECT_FALSE(sheet_.PressButton(SheetButton::kApply));
}

TEST_F(PropertySheetTest, StartPageCanBeChosenBeforeTheWindowExists) {
  ASSERT_TRUE(sheet_.SetActivePage(2));
  ASSERT_TRUE(sheet_.Create());
  EXPECT_EQ(Taken(), (Log{"IP 設定 init", "IP 設定 set-active"}));
  EXPECT_EQ(sheet_.GetTabControl()->currentIndex(), 2);
}

TEST_F(PropertySheetTest, ChangingTabsLeavesOneAndActivatesTheOther) {
  ASSERT_TRUE(sheet_.Create());
  Taken();
  sheet_.GetTabControl()->setCurrentIndex(1);  // as a click on the tab does
  EXPECT_EQ(Taken(),
            (Log{"一般設定 kill-active", "Plintrex Status init", "Plintrex Status set-active"}));
  ASSERT_TRUE(sheet_.SetActivePage(&general_));
  EXPECT_EQ(Taken(), (Log{"Plintrex Status kill-active", "一般設定 set-active"}))
      << "a page is initialised once";
  EXPECT_EQ(sheet_.GetActiveIndex(), 0);
  EXPECT_EQ(sheet_.GetTabControl()->currentIndex(), 0);
}

TEST_F(PropertySheetTest, APageThatRefusesToBeLeftKeepsTheSheetOnIt) {
  ASSERT_TRUE(sheet_.Create());
  Taken();
  general_.allow_leave = false;

  sheet_.GetTabControl()->setCurrentIndex(2);
  EXPECT_EQ(Taken(), Log{"一般設定 kill-active"});
  EXPECT_EQ(sheet_.GetTabControl()->currentIndex(), 0);
  EXPECT_EQ(sheet_.GetActiveIndex(), 0);
  EXPECT_EQ(settings_.GetWindow(), nullptr) << "the other page heard nothing";

  EXPECT_FALSE(sheet_.SetActivePage(&settings_));
  EXPECT_EQ(Taken(), Log{"一般設定 kill-active"});
  EXPECT_EQ(sheet_.GetTabControl()->currentIndex(), 0);

  general_.allow_leave = true;
  EXPECT_TRUE(sheet_.SetActivePage(&settings_));
  EXPECT_EQ(sheet_.GetActiveIndex(), 2);
}

TEST_F(PropertySheetTest, ARefusedValueKeepsThePageAndSaysWhy) {
  general_.alias_limit = 5;
  ASSERT_TRUE(sheet_.Create());
  general_.SetDlgItemText(kAlias, "1234567");
  sheet_.GetTabControl()->setCurrentIndex(1);
  EXPECT_EQ(sheet_.GetActiveIndex(), 0);
  EXPECT_EQ(services_.message_box.texts(),
            std::vector<std::string>{"Enter no more than 5 characters."});
  EXPECT_EQ(general_.GetFocusId(), kAlias);
}

TEST_F(PropertySheetTest, OkAsksTheActivePageFirst) {
  ASSERT_TRUE(sheet_.Create());
  sheet_.SetActivePage(1);
  Taken();
  status_.allow_leave = false;
  ASSERT_TRUE(sheet_.PressButton(SheetButton::kOk));
  EXPECT_EQ(Taken(), Log{"Plintrex Status kill-active"});
  EXPECT_FALSE(sheet_.ended());

  status_.allow_leave = true;
  ASSERT_TRUE(sheet_.PressButton(SheetButton::kOk));
  EXPECT_EQ(Taken(), (Log{"Plintrex Status kill-active", "一般設定 ok", "Plintrex Status ok"}));
  EXPECT_TRUE(sheet_.ended());
  EXPECT_EQ(sheet_.result(), kIdOk);
}

TEST_F(PropertySheetTest, CancelResetsOnlyThePagesThatWereShown) {
  ASSERT_TRUE(sheet_.Create());
  sheet_.SetActivePage(2);
  Taken();
  ASSERT_TRUE(sheet_.PressButton(SheetButton::kCancel));
  EXPECT_EQ(Taken(), (Log{"一般設定 reset", "IP 設定 reset"}));
  EXPECT_TRUE(sheet_.ended());
  EXPECT_EQ(sheet_.result(), kIdCancel);
}

TEST_F(PropertySheetTest, TheCloseBoxResetsShownPagesToo) {
  general_.allow_leave = false;  // closing does not ask
  ASSERT_TRUE(sheet_.Create());
  Taken();
  sheet_.GetWindow()->close();
  EXPECT_EQ(Taken(), Log{"一般設定 reset"});
  EXPECT_EQ(sheet_.result(), kIdCancel);
}

TEST_F(PropertySheetTest, DoModalRunsUntilTheSheetEndsAndStartsAnewNextTime) {
  QTimer::singleShot(0, [this] {
    sheet_.SetActivePage(1);
    sheet_.PressButton(SheetButton::kCancel);
  });
  EXPECT_EQ(sheet_.DoModal(), kIdCancel);
  EXPECT_EQ(Taken(), (Log{"一般設定 init", "一般設定 set-active", "一般設定 kill-active",
                          "Plintrex Status init", "Plintrex Status set-active", "一般設定 reset",
                          "Plintrex Status reset"}));
  EXPECT_EQ(sheet_.GetWindow(), nullptr);
  EXPECT_EQ(general_.GetWindow(), nullptr);

  QTimer::singleShot(0, [this] { sheet_.PressButton(SheetButton::kOk); });
  EXPECT_EQ(sheet_.DoModal(), kIdOk);
  EXPECT_EQ(Taken(),
            (Log{"一般設定 init", "一般設定 set-active", "一般設定 kill-active", "一般設定 ok"}));
}

TEST_F(PropertySheetTest, StartPageCanPressItsFocusedButtonRightAfterTheSheetOpens) {
  int searches = 0;
  general_.OnCommand(kRefresh, [&] { ++searches; });
  general_.on_init = [this] { general_.PostExecuteKey(); };
  ASSERT_TRUE(sheet_.Create());
  EXPECT_EQ(searches, 0);
  testing::RunPendingEvents();
  EXPECT_EQ(searches, 1);
}

TEST_F(PropertySheetTest, TabTextsAndTitleChangeWithoutTouchingThePages) {
  ASSERT_TRUE(sheet_.Create());
  ASSERT_TRUE(sheet_.SetTabText(1, "ABC 狀態"));
  EXPECT_EQ(sheet_.GetTabControl()->tabText(1), "ABC 狀態");
  EXPECT_EQ(status_.dialog_template().caption, "Plintrex Status");
  EXPECT_FALSE(sheet_.SetTabText(3, "none"));
  sheet_.SetTitle("PS-A");
  EXPECT_EQ(sheet_.GetWindow()->windowTitle(), "PS-A");
}

TEST_F(PropertySheetTest, WindowMenuHoldsThePlatformItemAndTheAddedOnes) {
  int abouts = 0;
  ASSERT_TRUE(sheet_.Create());
  sheet_.AddSystemMenuSeparator();
  sheet_.AddSystemMenuItem("關於", [&] { ++abouts; });
  sheet_.EnableMinimizeBox();
  sheet_.AddSystemMenuItem("Minimize", [this] { sheet_.Minimize(); });

  QMenu* menu = sheet_.GetSystemMenu();
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> items;
  for (QAction* action : menu->actions()) {
    items.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  }
  EXPECT_EQ(items, (std::vector<std::string>{"關閉", "-", "關於", "Minimize"}));

  menu->actions()[2]->trigger();
  EXPECT_EQ(abouts, 1);
  menu->actions()[3]->trigger();
  EXPECT_TRUE(sheet_.IsMinimized());
  EXPECT_TRUE(sheet_.GetWindow()->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

  // The tab bar's context menu opens it.
  QTabBar* tab_bar = sheet_.GetTabControl()->tabBar();
  Q_EMIT tab_bar->customContextMenuRequested(QPoint(5, 5));
  EXPECT_TRUE(menu->isVisible());
  menu->hide();

  Taken();
  menu->actions()[0]->trigger();  // "關閉": as the close box
  EXPECT_EQ(Taken(), Log{"一般設定 reset"});
  EXPECT_EQ(sheet_.result(), kIdCancel);
}

TEST(PropertySheetLifetimeTest, APageDestroyedBeforeTheSheetIsForgotten) {
  TestServices services;
  Log log;
  CPropertySheet sheet("sheet");
  LoggingPage stays("stays", &log);
  sheet.AddPage(&stays);
  {
    LoggingPage goes("goes", &log);
    sheet.AddPage(&goes);
    ASSERT_TRUE(sheet.Create());
    sheet.SetActivePage(1);
  }
  EXPECT_EQ(sheet.GetPage(1), nullptr);
  log.clear();
  ASSERT_TRUE(sheet.PressButton(SheetButton::kCancel));
  EXPECT_EQ(log, Log{"stays reset"});
}

}  // namespace
}  // namespace pscfg::ui
