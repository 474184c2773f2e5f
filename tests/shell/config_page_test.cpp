// The behaviour every page shares, on a probe page behind the General page,
// over the scripted network.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <fstream>

#include "pages/page00.h"
#include "platform/ui/bitmap_resources.h"
#include "protocol/messages.h"
#include "protocol/records/eeprom_image.h"
#include "resources/pictures.h"
#include "tests/shell/probe_page.h"
#include "tests/shell/sheet_fixture.h"

namespace pscfg {
namespace {

using testing::FakeServer;
using testing::MakeServer;
using testing::ProbePage;
using ui::WaitCursorCall;

constexpr PageSlot kProbeSheet[] = {
    {PageKind::kGeneral, 0, &MakePage<Page00>},
    {PageKind::kIpSettings, 1, &MakePage<ProbePage>},
};

class ConfigPageTest : public ::testing::Test {
 protected:
  explicit ConfigPageTest(Variant variant = Variant::kDornel) : run_(variant) {}

  // Opens the sheet over `servers` and goes to the probe page.
  void OpenOnProbe(std::vector<FakeServer> servers) {
    for (FakeServer& server : servers) run_.network().Add(std::move(server));
    run_.Open(kProbeSheet);
    probe_ = static_cast<ProbePage*>(run_.sheet().FindPage(PageKind::kIpSettings));
    run_.services().message_box.Clear();
    ASSERT_TRUE(run_.sheet().SetActivePage(probe_));
    run_.services().wait_cursor.Clear();
  }

  std::vector<std::string> Messages() const {
    return const_cast<testing::ScriptedSheet&>(run_).services().message_box.texts();
  }
  FakeServer& Device() { return run_.network().server(0); }
  // What the device was asked since the probe page opened.
  std::vector<Command> RequestsFrom(std::size_t start) {
    return {Device().requests.begin() + static_cast<long>(start), Device().requests.end()};
  }

  testing::ScriptedSheet run_;
  ProbePage* probe_ = nullptr;
};

TEST_F(ConfigPageTest, HeaderShowsTheTitleAndTheNameLabel) {
  OpenOnProbe({MakeServer("PS-A", 1)});
  const VariantTraits& traits = run_.traits();
  EXPECT_EQ(probe_->GetDlgItemText(traits.header_title_id), "Print Server");
  EXPECT_EQ(probe_->GetDlgItemText(traits.name_label_id), " 名稱");
}

// logo.bmp in the program directory as the rows have it, and what the
// header picture shows then.
struct LogoRow {
  const char* name;
  enum class File { kNone, kBitmap, kGarbage, kDirectory } file;
  bool shows_logo;
};

void PrintTo(const LogoRow& row, std::ostream* out) { *out << row.name; }

class HeaderPicture : public ConfigPageTest, public ::testing::WithParamInterface<LogoRow> {};

TEST_P(HeaderPicture, ComesFromLogoBmpOrIsTheProgramsOwn) {
  const auto logo_path = run_.program_directory() / "logo.bmp";
  QImage logo(20, 14, QImage::Format_RGB32);
  logo.fill(QColor(200, 30, 40));
  switch (GetParam().file) {
    case LogoRow::File::kNone:
      break;
    case LogoRow::File::kBitmap:
      ASSERT_TRUE(logo.save(QString::fromStdString(logo_path.string()), "BMP"));
      break;
    case LogoRow::File::kGarbage:
      std::ofstream(logo_path) << "BM this is no bitmap";
      break;
    case LogoRow::File::kDirectory:
      std::filesystem::create_directory(logo_path);
      break;
  }
  OpenOnProbe({MakeServer("PS-A", 1)});
  for (ui::CPropertyPage* page : {run_.sheet().GetPage(0), run_.sheet().GetPage(1)}) {
    const auto* picture = page->GetDlgItemAs<QLabel>(run_.traits().header_picture_id);
    ASSERT_NE(picture, nullptr);
    const QImage shown = picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = GetParam().shows_logo
                                ? logo
                                : resources::HeaderPicture().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, expected) << GetParam().name;
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, HeaderPicture,
                         ::testing::Values(LogoRow{"missing", LogoRow::File::kNone, false},
                                           LogoRow{"bitmap", LogoRow::File::kBitmap, true},
                                           LogoRow{"unreadable", LogoRow::File::kGarbage, false},
                                           LogoRow{"a_directory", LogoRow::File::kDirectory,
                                                   false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigPageTest, FirmwareGateSaysSoOncePerActivationAndDisablesThePage) {
  FakeServer incomplete = MakeServer("OLD-FW", 1);
  incomplete.firmware_complete = 0;
  OpenOnProbe({incomplete});
  // (The General page's own message came before; OpenOnProbe cleared it.)
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(messages::kUpdateFirmwareFirst)});
  EXPECT_FALSE(probe_->IsWindowEnabled());
  EXPECT_EQ(probe_->fills, 0);

  run_.services().message_box.Clear();
  ASSERT_TRUE(run_.sheet().SetActivePage(0));
  EXPECT_TRUE(Messages().empty()) << "the General page has no gate";
  ASSERT_TRUE(run_.sheet().SetActivePage(probe_));
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(messages::kUpdateFirmwareFirst)});
  EXPECT_EQ(probe_->fills, 0);
}

TEST_F(ConfigPageTest, CompleteFirmwarePassesTheGate) {
  OpenOnProbe({MakeServer("PS-A", 1)});
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(probe_->IsWindowEnabled());
  EXPECT_EQ(probe_->fills, 1);
}

TEST_F(ConfigPageTest, AliasCaptionStaysUntilAPageSetsAnother) {
  OpenOnProbe({MakeServer("\xB7\x7C\xAD\x70", 1)});  // 會計 in CP950
  EXPECT_EQ(run_.sheet().GetWindowText(), "Print Server 設定程式  3.0");
  probe_->SetAliasCaption();
  EXPECT_EQ(run_.sheet().GetWindowText(), "會計");
  ASSERT_TRUE(run_.sheet().SetActivePage(0));
  EXPECT_EQ(run_.sheet().GetWindowText(), "Print Server 設定程式  3.0")
      << "the General page sets the program caption";
}

TEST_F(ConfigPageTest, WriteSendsTheEncodedRecordUnderTheWaitCursor) {
  OpenOnProbe({MakeServer("PS-A", 1)});
  const std::size_t start = Device().requests.size();
  const bool written = probe_->WriteRecord([] { return true; },
                                           [](std::span<std::uint8_t> record) {
                                             SetIpAddress(record, {10, 1, 2, 3});
                                           });
  EXPECT_TRUE(written);
  EXPECT_EQ(RequestsFrom(start), std::vector<Command>{Command::kWriteRecord});
  EXPECT_EQ(IpAddress(Device().record), (Ipv4Bytes{10, 1, 2, 3}));
  EXPECT_EQ(Device().record[kChecksumOffset], RecordChecksum(Device().record));
  EXPECT_TRUE(Messages().empty()) << "success is silent";
  EXPECT_EQ(run_.services().wait_cursor.calls(),
            (std::vector{WaitCursorCall::kBegin, WaitCursorCall::kRestore, WaitCursorCall::kEnd}));
}

TEST_F(ConfigPageTest, AFailedWriteSaysSoAndKeepsTheEdits) {
  OpenOnProbe({MakeServer("PS-A", 1)});
  Device().ignores.insert(Command::kWriteRecord);
  EXPECT_FALSE(probe_->WriteRecord(nullptr, [](std::span<std::uint8_t> record) {
    SetIpAddress(record, {10, 9, 9, 9});
  }));
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(messages::kCannotWriteEEProm)});
  EXPECT_EQ(IpAddress(run_.manager().eeprom_image()), (Ipv4Bytes{10, 9, 9, 9}));
  EXPECT_EQ(run_.services().wait_cursor.depth(), 0);
}

TEST_F(ConfigPageTest, ARefusedValueStopsTheWriteBeforeTheDevice) {
  OpenOnProbe({MakeServer("PS-A", 1)});
  const std::size_t start = Device().requests.size();
  bool encoded = false;
  EXPECT_FALSE(probe_->WriteRecord([this] { return probe_->RefuseNote("不對"); },
                                   [&](std::span<std::uint8_t>) { encoded = true; }));
  EXPECT_FALSE(encoded);
  EXPECT_EQ(Messages(), std::vector<std::string>{"不對"});
  EXPECT_EQ(probe_->GetFocusId(), ProbePage::kNote);

  run_.services().message_box.Clear();
  ASSERT_TRUE(probe_->UserTypeText(ProbePage::kNote, "12345678"));
  probe_->SetDlgItemText(ProbePage::kNote, "123456789");  // past the limit
  EXPECT_FALSE(probe_->WriteRecord([] { return true; }, nullptr));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Enter no more than 8 characters."});
  EXPECT_EQ(RequestsFrom(start), std::vector<Command>{}) << "nothing was sent";
  EXPECT_TRUE(run_.services().wait_cursor.calls().empty());
}

TEST_F(ConfigPageTest, ANewAliasGoesIntoEntryRecordAndTheGeneralPagesList) {
  OpenOnProbe({MakeServer("FIRST", 1), MakeServer("SECOND", 2)});
  auto* general = static_cast<Page00*>(run_.sheet().FindPage(PageKind::kGeneral));
  ASSERT_TRUE(run_.sheet().SetActivePage(0));
  ASSERT_TRUE(general->UserSelectComboItem(page00::kServerList, 1));
  ASSERT_TRUE(run_.sheet().SetActivePage(probe_));
  run_.services().message_box.Clear();

  EXPECT_FALSE(probe_->ChangeAlias("SECOND")) << "the same alias changes nothing";
  EXPECT_TRUE(Messages().empty());

  EXPECT_TRUE(probe_->ChangeAlias("RENAMED"));
  EXPECT_EQ(Messages(), std::vector<std::string>{std::string(messages::kAliasChanged)});
  EXPECT_EQ(run_.manager().server(1).Alias(), "RENAMED");
  EXPECT_EQ(Alias(run_.manager().eeprom_image()), "RENAMED");
  EXPECT_EQ(general->ComboGetCount(page00::kServerList), 2);
  EXPECT_EQ(general->ComboGetLBText(page00::kServerList, 0), "FIRST");
  EXPECT_EQ(general->ComboGetLBText(page00::kServerList, 1), "RENAMED");
  EXPECT_EQ(general->ComboGetCurSel(page00::kServerList), 1);
}

// What the device leaves unanswered after the reset, and what the user
// hears.
struct ResetRow {
  const char* name;
  std::set<Command> ignores;
  int no_answer_messages;
  bool reads_again;
};

void PrintTo(const ResetRow& row, std::ostream* out) { *out << row.name; }

class ResetButton : public ConfigPageTest, public ::testing::WithParamInterface<ResetRow> {};

TEST_P(ResetButton, ProbesThenReadsAgainAndSaysWhoDidNotAnswer) {
  OpenOnProbe({MakeServer("PS-A", 1)});
  const std::size_t start = Device().requests.size();
  Device().ignores = GetParam().ignores;
  probe_->ResetServer();

  const std::vector<std::string> expected(GetParam().no_answer_messages, "PS-A 沒有回應");
  EXPECT_EQ(Messages(), expected);
  const std::vector<Command> asked = RequestsFrom(start);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.front(), Command::kReset);
  const bool read = std::count(asked.begin(), asked.end(), Command::kReadRecord) > 0;
  const bool status = std::count(asked.begin(), asked.end(), Command::kServerStatus) > 0;
  EXPECT_EQ(read, GetParam().reads_again);
  EXPECT_EQ(status, GetParam().reads_again) << "the status is read after a failed record read too";
  EXPECT_EQ(run_.services().wait_cursor.calls(),
            (std::vector{WaitCursorCall::kBegin, WaitCursorCall::kRestore, WaitCursorCall::kEnd}));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResetButton,
    ::testing::Values(
        ResetRow{"comes_back", {}, 0, true},
        ResetRow{"never_answers_a_probe", {Command::kSearch}, 1, false},
        ResetRow{"record_read_fails", {Command::kReadRecord}, 1, true},
        ResetRow{"both_reads_fail", {Command::kReadRecord, Command::kServerStatus}, 2, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigPageTest, TwentyUnansweredProbesAfterTheReset) {
  OpenOnProbe({MakeServer("PS-A", 1)});
  const std::size_t start = Device().requests.size();
  Device().ignores = {Command::kSearch, Command::kReset};
  probe_->ResetServer();
  const std::vector<Command> asked = RequestsFrom(start);
  // Each probe is one search request (its send goes out whole at once).
  EXPECT_EQ(std::count(asked.begin(), asked.end(), Command::kSearch), 20);
  EXPECT_EQ(Messages(), std::vector<std::string>{"PS-A 沒有回應"});
}

}  // namespace
}  // namespace pscfg
