// Start-up: sockets, program directory, branding, caption and the about box.

#include <gtest/gtest.h>

#include <fstream>

#include "pages/sheet_pages.h"
#include "shell/about_box.h"
#include "shell/config_app.h"
#include "tests/shell/sheet_fixture.h"

namespace pscfg {
namespace {

// Looks at the sheet instead of running it.
class InspectedApp : public CConfigApp {
 public:
  using CConfigApp::CConfigApp;

  int showings = 0;
  std::string caption;
  std::string program_directory;
  std::string manager_title;
  std::string about_caption, about_caption_line, about_notice, about_version;

 protected:
  void ShowSheet(CCelvoDlg& sheet) override {
    ++showings;
    ASSERT_TRUE(sheet.Create());
    caption = sheet.GetWindowText();
    program_directory = sheet.manager()->program_directory();
    manager_title = sheet.manager()->title();
    CAboutBox about(sheet.traits(), sheet.branding(), &sheet);
    ASSERT_TRUE(about.Create());
    const AboutBoxIds& ids = sheet.traits().about;
    about_caption = about.GetWindowText();
    about_caption_line = about.GetDlgItemText(ids.caption_line);
    about_notice = about.GetDlgItemText(ids.notice_line);
    about_version = about.GetDlgItemText(ids.version_line);
  }
};

class StartUp : public ::testing::Test {
 protected:
  InspectedApp& Start(Variant variant = Variant::kDornel) {
    transport_ = std::make_unique<UdpTransport>(api_);
    app_ = std::make_unique<InspectedApp>(ProgramSetup{
        .traits = &TraitsOf(variant),
        .pages = SheetPages(variant),
        .sockets = &api_,
        .transport = transport_.get(),
        .module_file = dir_.path() / "Dornel",
    });
    EXPECT_FALSE(app_->InitInstance()) << "the program ends after the sheet";
    return *app_;
  }
  void WriteConfig(const std::string& text) { std::ofstream(dir_.path() / "Config.ini") << text; }

  ui::TestServices services_;
  testing::TempDir dir_;
  testing::ScriptedSocketApi api_;
  std::unique_ptr<UdpTransport> transport_;
  std::unique_ptr<InspectedApp> app_;
};

TEST_F(StartUp, WithoutConfigIniTheDefaultsApply) {
  InspectedApp& app = Start();
  EXPECT_EQ(app.showings, 1);
  EXPECT_EQ(app.program_directory, dir_.path().string()) << "no trailing separator";
  EXPECT_EQ(app.caption, "Print Server 設定程式  3.0");
  EXPECT_EQ(app.manager_title, "Print Server");
  EXPECT_EQ(app.about_caption, "About Print Server");
  EXPECT_EQ(app.about_caption_line, "Print Server 設定程式  3.0");
  EXPECT_EQ(app.about_notice, std::string(kDefaultCopyright));
  EXPECT_EQ(app.about_version, "Version 4.0");
  EXPECT_TRUE(services_.message_box.shown().empty());
}

TEST_F(StartUp, BrandingComesFromConfigIniBesideTheProgram) {
  WriteConfig("[General Information]\nTitle=ABC\nCopyright=(C) ACME\nVersion=Version 9\n");
  InspectedApp& app = Start();
  EXPECT_EQ(app.caption, "ABC 設定程式  3.0");
  EXPECT_EQ(app.about_caption, "About ABC");
  EXPECT_EQ(app.about_notice, "(C) ACME");
  EXPECT_EQ(app.about_version, "Version 9");
}

TEST_F(StartUp, AHundredCharacterTitleIsCutTo79) {
  const std::string title(100, 'T');
  WriteConfig("[General Information]\nTitle=" + title + "\n");
  InspectedApp& app = Start();
  const std::string cut(79, 'T');
  EXPECT_EQ(app.manager_title, cut);
  EXPECT_EQ(app.caption, cut + " 設定程式  3.0");
  EXPECT_EQ(app.about_caption, "About " + cut);
}

struct SocketsRow {
  Variant variant;
  const char* message;
};

void PrintTo(const SocketsRow& row, std::ostream* out) {
  *out << TraitsOf(row.variant).program_name;
}

class SocketsUnusable : public StartUp, public ::testing::WithParamInterface<SocketsRow> {};

TEST_P(SocketsUnusable, SaysSoAndNeverShowsTheSheet) {
  api_.FailNext(testing::ScriptedSocketApi::Call::kSocket, net::kWsaeAfNoSupport);
  InspectedApp& app = Start(GetParam().variant);
  EXPECT_EQ(app.showings, 0);
  EXPECT_EQ(services_.message_box.texts(), std::vector<std::string>{GetParam().message});
}

INSTANTIATE_TEST_SUITE_P(
    Variants, SocketsUnusable,
    ::testing::Values(SocketsRow{Variant::kHalvex, "Windows sockets初始失敗"},
                      SocketsRow{Variant::kDornel, "Windows sockets 初始失敗."}),
    [](const auto& info) { return std::string(TraitsOf(info.param.variant).program_name); });

}  // namespace
}  // namespace pscfg
