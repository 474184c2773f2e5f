// The General page of both programs over the scripted network: Halvex's
// variant of the dialog, selection, the port buttons and the test print.

#include <gtest/gtest.h>

#include "pages/page00.h"
#include "pages/sheet_pages.h"
#include "protocol/records/eeprom_image.h"
#include "tests/shell/sheet_fixture.h"

namespace pscfg {
namespace {

using namespace page00;
using testing::FakeServer;
using testing::MakeServer;

constexpr PageSlot kGeneralOnly[] = {{PageKind::kGeneral, 0, &MakePage<Page00>}};

class GeneralPage : public ::testing::TestWithParam<Variant> {
 protected:
  GeneralPage() : run_(GetParam()) {}

  void Open(std::vector<FakeServer> servers) {
    for (FakeServer& server : servers) run_.network().Add(std::move(server));
    run_.Open(kGeneralOnly);
    general_ = static_cast<Page00*>(run_.sheet().FindPage(PageKind::kGeneral));
  }

  testing::ScriptedSheet run_;
  Page00* general_ = nullptr;
};

TEST_P(GeneralPage, DialogOfTheProgram) {
  Open({MakeServer("PS-A", 1)});
  const VariantTraits& traits = run_.traits();
  EXPECT_EQ(general_->dialog_template().id, kDialog);
  EXPECT_EQ(general_->dialog_template().caption, "一般設定");
  EXPECT_EQ(general_->dialog_template().rect.cx, 240);
  EXPECT_EQ(general_->dialog_template().rect.cy, GetParam() == Variant::kHalvex ? 230 : 215);
  EXPECT_NE(general_->GetDlgItem(traits.header_picture_id), nullptr);
  EXPECT_EQ(general_->GetDlgItemText(traits.header_title_id), "Print Server");
  EXPECT_EQ(general_->GetDlgItemText(traits.name_label_id), " 名稱");
  EXPECT_EQ(general_->GetDlgItemText(kRefresh), "更新");
  EXPECT_EQ(general_->GetDlgItemText(kTestPrint), "列印測試");
  EXPECT_EQ(general_->GetRadioGroup(kLpt1),
            (std::vector<int>(std::begin(kPortButtons), std::end(kPortButtons))));
}

TEST_P(GeneralPage, SelectingAServerReadsItsRecordAndStatus) {
  FakeServer second = MakeServer("SECOND", 2);
  testing::Field(eeprom::kParallelPorts, second.record)[0] = 0x06;  // 2 parallel, 1 serial
  Open({MakeServer("FIRST", 1), second});
  ASSERT_EQ(general_->ComboGetCount(kServerList), 2);
  EXPECT_EQ(general_->GetDlgItemText(kModel).substr(0, 3), "1P/");

  run_.network().server(1).requests.clear();
  ASSERT_TRUE(general_->UserSelectComboItem(kServerList, 1));
  EXPECT_EQ(run_.manager().selected_index, 1);
  EXPECT_EQ(run_.network().server(1).requests,
            (std::vector{Command::kReadRecord, Command::kServerStatus}));
  EXPECT_EQ(general_->GetDlgItemText(kModel).substr(0, 5), "2P1S/");
  EXPECT_EQ(run_.manager().parallel_port_count, 2);
  EXPECT_EQ(run_.manager().serial_port_count, 1);
  EXPECT_TRUE(general_->IsWindowEnabled(kLpt2));
  EXPECT_FALSE(general_->IsWindowEnabled(kLpt3));
  EXPECT_TRUE(general_->IsWindowEnabled(kCom1));
  EXPECT_FALSE(general_->IsWindowEnabled(kCom2));
}

TEST_P(GeneralPage, ClickingLpt2RecomputesFromTheRecordsItHas) {
  FakeServer server = MakeServer("PS-A", 1);
  testing::Field(eeprom::kParallelPorts, server.record)[0] = 0x02;
  Open({server});
  run_.network().server(0).requests.clear();
  ASSERT_TRUE(general_->ClickDlgItem(kLpt2));
  EXPECT_EQ(general_->port_index(), 1);
  EXPECT_EQ(general_->IsDlgButtonChecked(kLpt2), 1);
  EXPECT_TRUE(run_.network().server(0).requests.empty()) << "nothing is read again";
}

TEST_P(GeneralPage, TestPrintSendsTheChosenPortUnderTheWaitCursor) {
  FakeServer server = MakeServer("PS-A", 1);
  testing::Field(eeprom::kParallelPorts, server.record)[0] = 0x09;  // 1 parallel, 2 serial
  Open({server});
  run_.services().wait_cursor.Clear();
  ASSERT_TRUE(general_->ClickDlgItem(kCom2));
  ASSERT_TRUE(general_->ClickDlgItem(kTestPrint));
  EXPECT_EQ(run_.network().server(0).test_pages, std::vector<int>{4});
  EXPECT_EQ(run_.services().wait_cursor.calls(),
            (std::vector{ui::WaitCursorCall::kBegin, ui::WaitCursorCall::kRestore,
                         ui::WaitCursorCall::kEnd}));
  EXPECT_TRUE(run_.services().message_box.shown().empty());
}

TEST_P(GeneralPage, ARecordThatCannotBeReadIsSaid) {
  FakeServer server = MakeServer("PS-A", 1);
  Open({server, MakeServer("PS-B", 2)});
  run_.network().server(1).ignores = {Command::kReadRecord};
  ASSERT_TRUE(general_->UserSelectComboItem(kServerList, 1));
  EXPECT_EQ(run_.services().message_box.texts(),
            std::vector<std::string>{"無法讀取列印伺服器的EEPROM"});
  EXPECT_EQ(run_.manager().selected_index, 1) << "stored all the same";

  run_.services().message_box.Clear();
  run_.network().server(1).ignores = {Command::kServerStatus};
  ASSERT_TRUE(general_->UserSelectComboItem(kServerList, 1));
  EXPECT_EQ(run_.services().message_box.texts(),
            std::vector<std::string>{"無法讀取列印伺服器的狀態"});
}

TEST_P(GeneralPage, RefreshSearchesAgain) {
  Open({MakeServer("PS-A", 1)});
  EXPECT_EQ(run_.searches(), 1);
  run_.network().Add(MakeServer("PS-B", 2));
  ASSERT_TRUE(general_->ClickDlgItem(kRefresh));
  EXPECT_EQ(run_.searches(), 2);
  EXPECT_EQ(general_->ComboGetCount(kServerList), 2);
  EXPECT_EQ(general_->ComboGetCurSel(kServerList), 0);
}

INSTANTIATE_TEST_SUITE_P(Variants, GeneralPage,
                         ::testing::Values(Variant::kHalvex, Variant::kDornel),
                         [](const auto& info) {
                           return std::string(TraitsOf(info.param).program_name);
                         });

}  // namespace
}  // namespace pscfg
