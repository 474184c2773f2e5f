// The main sheet: its page table, tab captions, window menu, icon and about
// box.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "pages/sheet_pages.h"
#include "platform/ui/ids.h"
#include "shell/about_box.h"
#include "tests/shell/probe_page.h"
#include "tests/shell/sheet_fixture.h"

namespace pscfg {
namespace {

using testing::ProbePage;

// Rows in construction order, tabs in another order, one page without a tab.
constexpr PageSlot kMixedTable[] = {
    {PageKind::kGeneral, 0, &MakePage<ProbePage>},
    {PageKind::kIpSettings, 2, &MakePage<ProbePage>},
    {PageKind::kServerStatus, 1, &MakePage<ProbePage>},
    {PageKind::kSmb, kNotShown, &MakePage<ProbePage>},
    {PageKind::kServerSettings, 3, &MakePage<ProbePage>},
};

std::vector<std::string> MenuItems(QMenu* menu) {
  std::vector<std::string> items;
  for (QAction* action : menu->actions()) {
    items.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  }
  return items;
}

TEST(CCelvoDlgTest, MakesPagesInRowOrderAndTabsThemInTabOrder) {
  testing::ScriptedSheet run(Variant::kDornel, "ABC");
  run.Open(kMixedTable, false);
  CCelvoDlg& sheet = run.sheet();

  std::vector<PageKind> made;
  for (ConfigPage* page : sheet.pages()) made.push_back(*sheet.KindOf(page));
  EXPECT_EQ(made, (std::vector{PageKind::kGeneral, PageKind::kIpSettings, PageKind::kServerStatus,
                               PageKind::kSmb, PageKind::kServerSettings}));
  ASSERT_EQ(sheet.GetPageCount(), 4);
  EXPECT_EQ(sheet.GetPage(0), sheet.FindPage(PageKind::kGeneral));
  EXPECT_EQ(sheet.GetPage(1), sheet.FindPage(PageKind::kServerStatus));
  EXPECT_EQ(sheet.GetPage(2), sheet.FindPage(PageKind::kIpSettings));
  EXPECT_EQ(sheet.GetPage(3), sheet.FindPage(PageKind::kServerSettings));
  ASSERT_NE(sheet.FindPage(PageKind::kSmb), nullptr) << "made";
  EXPECT_EQ(sheet.GetPageIndex(sheet.FindPage(PageKind::kSmb)), -1) << "but never shown";
  EXPECT_EQ(sheet.FindPage(PageKind::kAppleTalk), nullptr);
  for (ConfigPage* page : sheet.pages()) {
    EXPECT_EQ(page->manager(), &run.manager());
    EXPECT_EQ(page->sheet(), &sheet);
  }
}

TEST(CCelvoDlgTest, StatusAndSettingsTabsCarryTheTitle) {
  testing::ScriptedSheet run(Variant::kDornel, "ABC");
  run.Open(kMixedTable, false);
  EXPECT_EQ(run.sheet().GetTabText(0), "探針");
  EXPECT_EQ(run.sheet().GetTabText(1), "ABC 狀態");
  EXPECT_EQ(run.sheet().GetTabText(2), "探針");
  EXPECT_EQ(run.sheet().GetTabText(3), "ABC 設定");
  EXPECT_EQ(run.sheet().GetWindowText(), "ABC 設定程式  3.0");
}

class SheetCountingAbouts : public CCelvoDlg {
 public:
  using CCelvoDlg::CCelvoDlg;
  void ShowAboutBox() override { ++abouts; }
  int abouts = 0;
};

TEST(CCelvoDlgTest, WindowMenuEndsWithAboutAndMinimize) {
  ui::TestServices services;
  SheetCountingAbouts sheet("ABC 設定程式  3.0", TraitsOf(Variant::kDornel), kMixedTable);
  ASSERT_TRUE(sheet.Create());
  QMenu* menu = sheet.GetSystemMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(MenuItems(menu), (std::vector<std::string>{"關閉", "-", "關於", "Minimize"}));
  EXPECT_FALSE(sheet.GetWindow()->windowIcon().isNull());
  EXPECT_TRUE(sheet.GetWindow()->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

  menu->actions()[2]->trigger();
  EXPECT_EQ(sheet.abouts, 1);
  sheet.OnSysCommand(0x0013);  // the low four bits do not matter
  EXPECT_EQ(sheet.abouts, 2);
  menu->actions()[3]->trigger();
  EXPECT_TRUE(sheet.IsMinimized());

  // A second showing does not add the items again.
  sheet.DestroyWindow();
  ASSERT_TRUE(sheet.Create());
  EXPECT_EQ(MenuItems(sheet.GetSystemMenu()),
            (std::vector<std::string>{"關閉", "-", "關於", "Minimize"}));
}

struct AboutRow {
  Variant variant;
  int caption_line;
  int notice_line;
  int version_line;
};

void PrintTo(const AboutRow& row, std::ostream* out) { *out << TraitsOf(row.variant).program_name; }

class AboutBox : public ::testing::TestWithParam<AboutRow> {};

TEST_P(AboutBox, ShowsCaptionNoticeAndVersion) {
  ui::TestServices services;
  const AboutRow& row = GetParam();
  CAboutBox box(TraitsOf(row.variant), {"ABC", "(C) ACME", "Version 9"});
  ASSERT_TRUE(box.Create());
  EXPECT_EQ(box.GetWindowText(), "About ABC");
  EXPECT_EQ(box.GetDlgItemText(row.caption_line), "ABC 設定程式  3.0");
  EXPECT_EQ(box.GetDlgItemText(row.notice_line), "(C) ACME");
  EXPECT_EQ(box.GetDlgItemText(row.version_line), "Version 9");
  EXPECT_EQ(box.GetDlgItemText(ui::kIdOk), "確定");
  EXPECT_EQ(box.dialog_template().id, kAboutBoxDialog);
  EXPECT_EQ(box.dialog_template().rect.cx, 240);
  EXPECT_EQ(box.dialog_template().rect.cy, 60);
  ASSERT_TRUE(box.ClickDlgItem(ui::kIdOk));
  EXPECT_TRUE(box.ended());
  EXPECT_EQ(box.result(), ui::kIdOk);
}

INSTANTIATE_TEST_SUITE_P(Variants, AboutBox,
                         ::testing::Values(AboutRow{Variant::kHalvex, 1120, 1139, 1138},
                                           AboutRow{Variant::kDornel, 1049, 1055, 1056}),
                         [](const auto& info) {
                           return std::string(TraitsOf(info.param.variant).program_name);
                         });

TEST(CCelvoDlgTest, AboutItemOpensTheAboutBoxModally) {
  testing::ScriptedSheet run(Variant::kDornel, "ABC");
  run.Open(kMixedTable, false);
  std::string seen;
  QTimer::singleShot(0, [&] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      seen = box->windowTitle().toStdString();
      box->close();
    }
  });
  run.sheet().GetSystemMenu()->actions()[2]->trigger();
  EXPECT_EQ(seen, "About ABC");
}

// The programs' own tables: the General page first, SMB never a tab, the two
// titled tabs wherever those pages are.
class ProgramTable : public ::testing::TestWithParam<Variant> {};

TEST_P(ProgramTable, FollowsTheSheetRules) {
  testing::ScriptedSheet run(GetParam(), "ABC");
  run.Open(SheetPages(GetParam()), false);
  CCelvoDlg& sheet = run.sheet();
  ASSERT_GE(sheet.GetPageCount(), 1);
  EXPECT_EQ(sheet.GetPage(0), sheet.FindPage(PageKind::kGeneral));
  EXPECT_LE(sheet.GetPageCount(), GetParam() == Variant::kHalvex ? 15 : 11);
  if (ConfigPage* smb = sheet.FindPage(PageKind::kSmb)) {
    EXPECT_EQ(sheet.GetPageIndex(smb), -1);
  }
  if (ConfigPage* status = sheet.FindPage(PageKind::kServerStatus)) {
    EXPECT_EQ(sheet.GetTabText(sheet.GetPageIndex(status)), "ABC 狀態");
  }
  if (ConfigPage* settings = sheet.FindPage(PageKind::kServerSettings)) {
    EXPECT_EQ(sheet.GetTabText(sheet.GetPageIndex(settings)), "ABC 設定");
  }
  for (ConfigPage* page : sheet.pages()) {
    const int height = GetParam() == Variant::kHalvex ? 230 : 215;
    EXPECT_EQ(page->dialog_template().rect.cx, 240);
    EXPECT_GE(page->dialog_template().rect.cy, height);
  }
}

INSTANTIATE_TEST_SUITE_P(Variants, ProgramTable,
                         ::testing::Values(Variant::kHalvex, Variant::kDornel),
                         [](const auto& info) {
                           return std::string(TraitsOf(info.param).program_name);
                         });

}  // namespace
}  // namespace pscfg
