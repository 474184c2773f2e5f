// The General page of Dornel against print servers emulated by psemu.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "pages/page00.h"
#include "pages/sheet_pages.h"
#include "platform/net/posix_socket_api.h"
#include "platform/ui/test_services.h"
#include "protocol/server_manager.h"
#include "shell/celvo_dlg.h"
#include "tests/shell/sheet_fixture.h"
#include "tests/support/psemu_process.h"
#include "tests/support/recording_reporter.h"
#include "udp/udp_transport.h"

namespace pscfg {
namespace {

using namespace page00;
using testing::DeviceFile;

class GeneralPageOnPsemu : public ::testing::Test {
 protected:
  // Starts psemu with `devices` and opens Dornel's sheet; the first search
  // is queued, not run.
  void Open(std::vector<std::string> devices) {
    testing::PsemuProcess::Options options;
    options.device_files_text = std::move(devices);
    ASSERT_TRUE(psemu_.Start(options)) << psemu_.error();
    manager_.set_title("Print Server");
    // No Config.ini there: devices of type code 0 are admitted.
    manager_.set_program_directory((psemu_.work_dir() / "program").string());
    sheet_ = std::make_unique<CCelvoDlg>("Print Server 設定程式  3.0", TraitsOf(Variant::kDornel),
                                         SheetPages(Variant::kDornel));
    sheet_->SetManager(&manager_);
    sheet_->OnSearchDone([this] { ++searches_; });
    ASSERT_TRUE(sheet_->Create());
  }
  void OpenAndSearch(std::vector<std::string> devices) {
    ASSERT_NO_FATAL_FAILURE(Open(std::move(devices)));
    testing::RunPendingEvents();
  }

  Page00& general() { return *static_cast<Page00*>(sheet_->FindPage(PageKind::kGeneral)); }
  bool TestPagePrinted(const std::string& node_file, const std::string& port) {
    return std::filesystem::exists(psemu_.state_dir() / (node_file + "-" + port + ".prn"));
  }

  ui::TestServices services_;
  testing::PsemuProcess psemu_;
  net::PosixSocketApi api_;
  UdpTransport transport_{api_};
  testing::RecordingReporter reporter_;
  CPServerManager manager_{transport_, reporter_};
  std::unique_ptr<CCelvoDlg> sheet_;
  int searches_ = 0;
};

TEST_F(GeneralPageOnPsemu, TheFirstSearchRunsOnceRightAfterTheSheetIsShown) {
  ASSERT_NO_FATAL_FAILURE(Open({DeviceFile("00:40:01:00:01:01", {{"alias", "ALPHA"}}),
                                DeviceFile("00:40:01:00:01:02", {{"alias", "BETA"}})}));
  EXPECT_EQ(searches_, 0) << "the sheet is shown before the search";
  EXPECT_EQ(general().GetFocusId(), kRefresh);
  EXPECT_TRUE(general().not_yet_searched());

  testing::RunPendingEvents();
  testing::RunPendingEvents();
  EXPECT_EQ(searches_, 1);
  ASSERT_EQ(general().ComboGetCount(kServerList), 2);
  std::vector<std::string> listed = {general().ComboGetLBText(kServerList, 0),
                                     general().ComboGetLBText(kServerList, 1)};
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, (std::vector<std::string>{"ALPHA", "BETA"}));
  EXPECT_EQ(general().ComboGetCurSel(kServerList), 0);
  EXPECT_EQ(manager_.selected_index, 0);
  EXPECT_EQ(general().GetFocusId(), kServerList);
  EXPECT_FALSE(general().not_yet_searched());
  EXPECT_TRUE(services_.message_box.shown().empty());
  EXPECT_TRUE(reporter_.messages.empty());
}

TEST_F(GeneralPageOnPsemu, AnEmptyTableKeepsTheSheetOnThePage) {
  // Without TCP/IP a server leaves Dornel's table.
  ASSERT_NO_FATAL_FAILURE(OpenAndSearch(
      {DeviceFile("00:40:01:00:02:01", {{"alias", "NOTCP"}, {"record.capabilities", "0"}})}));
  EXPECT_EQ(searches_, 1);
  EXPECT_EQ(manager_.server_count(), 0);
  EXPECT_EQ(general().ComboGetCount(kServerList), 0);
  for (int id : {kTestPrint, kLpt1, kLpt2, kLpt3, kCom1, kCom2}) {
    EXPECT_FALSE(general().IsWindowEnabled(id)) << id;
  }
  EXPECT_FALSE(general().OnKillActive());
  if (sheet_->GetPageCount() > 1) {
    EXPECT_FALSE(sheet_->SetActivePage(1));
  }
  EXPECT_EQ(sheet_->GetActiveIndex(), 0);
  EXPECT_TRUE(sheet_->PressButton(ui::SheetButton::kOk));
  EXPECT_FALSE(sheet_->ended()) << "OK asks the page first";
}

// Byte 8 of the record, the port buttons it leaves usable and the model.
struct PortRow {
  const char* name;
  const char* parallel;
  const char* serial;
  std::vector<int> enabled;
  const char* model;
};

void PrintTo(const PortRow& row, std::ostream* out) { *out << row.name; }

class PortsAndModel : public GeneralPageOnPsemu, public ::testing::WithParamInterface<PortRow> {};

TEST_P(PortsAndModel, FollowByteEightOfTheRecord) {
  const PortRow& row = GetParam();
  ASSERT_NO_FATAL_FAILURE(
      OpenAndSearch({DeviceFile("00:40:01:00:03:01", {{"alias", "PORTS"},
                                                      {"parallel_ports", row.parallel},
                                                      {"serial_ports", row.serial},
                                                      {"model_suffix", "0x10"},
                                                      {"record.hardware_code", "33"},
                                                      {"record.firmware_version", "35"},
                                                      {"record.firmware_build", "5"}})}));
  ASSERT_EQ(manager_.server_count(), 1);
  std::vector<int> enabled;
  for (int id : kPortButtons) {
    if (general().IsWindowEnabled(id)) enabled.push_back(id);
  }
  EXPECT_EQ(enabled, row.enabled);
  EXPECT_TRUE(general().IsWindowEnabled(kTestPrint));
  EXPECT_EQ(general().GetDlgItemText(kModel), row.model);
  EXPECT_EQ(general().port_index(), 0);
  EXPECT_EQ(general().IsDlgButtonChecked(kLpt1), 1);

  ASSERT_TRUE(general().ClickDlgItem(kTestPrint));
  EXPECT_TRUE(TestPagePrinted("00-40-01-00-03-01", "LPT1")) << "port 0, usable or not";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PortsAndModel,
    ::testing::Values(
        PortRow{"byte8_0x00", "0", "0", {}, "0P/2A-2.3.05A"},
        PortRow{"byte8_0x01", "1", "0", {kLpt1}, "1P/2A-2.3.05A"},
        PortRow{"byte8_0x0F", "3", "3", {kLpt1, kLpt2, kLpt3, kCom1, kCom2}, "3P3S/2A-2.3.05A"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GeneralPageOnPsemu, IncompleteFirmwareSaysSoAndHeadsForTheFirmwarePage) {
  ASSERT_NO_FATAL_FAILURE(OpenAndSearch(
      {DeviceFile("00:40:01:00:04:01", {{"alias", "OLD"}, {"firmware_complete", "0"}})}));
  EXPECT_EQ(services_.message_box.texts(), std::vector<std::string>{"OLD 更新軔體不完全"});
  EXPECT_EQ(manager_.selected_index, 0);
  if (ConfigPage* firmware = sheet_->FindPage(PageKind::kFirmwareUpgrade)) {
    EXPECT_EQ(sheet_->GetActivePage(), firmware);
  } else {
    EXPECT_EQ(sheet_->GetActiveIndex(), 0) << "no firmware page in this build yet";
  }
}

TEST_F(GeneralPageOnPsemu, TestPrintOnCom2SendsPortFour) {
  ASSERT_NO_FATAL_FAILURE(OpenAndSearch(
      {DeviceFile("00:40:01:00:05:01",
                  {{"alias", "SERIAL"}, {"parallel_ports", "1"}, {"serial_ports", "2"}})}));
  ASSERT_TRUE(general().ClickDlgItem(kCom2));
  ASSERT_TRUE(general().ClickDlgItem(kTestPrint));
  EXPECT_EQ(general().port_index(), 4);
  EXPECT_TRUE(TestPagePrinted("00-40-01-00-05-01", "COM2"));
  EXPECT_FALSE(TestPagePrinted("00-40-01-00-05-01", "LPT1"));
}

}  // namespace
}  // namespace pscfg
