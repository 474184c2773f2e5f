// The Printer status page: Dornel end to end against psemu (printer texts,
// extra rows, live changes), both programs over the scripted network for
// the dialog, the gate, the caption and the replies psemu does not give.

#include "pages/page02.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "pages/page00.h"
#include "platform/net/posix_socket_api.h"
#include "platform/ui/test_services.h"
#include "protocol/byte_io.h"
#include "protocol/server_manager.h"
#include "shell/branding.h"
#include "shell/celvo_dlg.h"
#include "tests/shell/sheet_fixture.h"
#include "tests/support/psemu_process.h"
#include "tests/support/recording_reporter.h"
#include "udp/udp_transport.h"

namespace pscfg {
namespace {

using namespace page02;
using testing::FakeServer;
using testing::MakeServer;
using ui::WaitCursorCall;

constexpr PageSlot kPages[] = {
    {PageKind::kGeneral, 0, &MakePage<Page00>},
    {PageKind::kPrinterStatus, 1, &MakePage<Page02>},
};
constexpr int kPrinterStatusTab = 1;

// The list as the user reads it: port column, state column.
using Row = std::pair<std::string, std::string>;
using Rows = std::vector<Row>;

Rows ListedRows(const Page02& page) {
  Rows rows;
  for (int i = 0; i < page.ListViewGetItemCount(kPortList); ++i) {
    rows.emplace_back(page.ListViewGetItemText(kPortList, i, 0),
                      page.ListViewGetItemText(kPortList, i, 1));
  }
  return rows;
}

using Keys = std::vector<std::pair<std::string, std::string>>;

std::string Device(const std::string& node, const Keys& keys) {
  std::string text = testing::DeviceFile(node);
  for (const auto& [key, value] : keys) text += key + " = " + value + "\n";
  return text;
}

// ---------------------------------------------------------------- psemu

class PrinterStatusOnPsemu : public ::testing::Test {
 protected:
  static constexpr const char* kNode = "00:40:01:00:20:01";

  // One device; the sheet searches, then the page becomes active.
  void Open(const Keys& keys) {
    testing::PsemuProcess::Options options;
    options.device_files_text = {Device(kNode, keys)};
    ASSERT_TRUE(psemu_.Start(options)) << psemu_.error();
    manager_.set_title("Print Server");
    manager_.set_program_directory((psemu_.work_dir() / "program").string());
    sheet_ = std::make_unique<CCelvoDlg>(ProgramCaption("Print Server"), TraitsOf(Variant::kDornel),
                                         kPages);
    sheet_->SetManager(&manager_);
    ASSERT_TRUE(sheet_->Create());
    testing::RunPendingEvents();
    ASSERT_EQ(manager_.server_count(), 1);
    ASSERT_TRUE(sheet_->SetActivePage(kPrinterStatusTab));
  }

  Page02& page() { return *static_cast<Page02*>(sheet_->FindPage(PageKind::kPrinterStatus)); }

  ui::TestServices services_;
  testing::PsemuProcess psemu_;
  net::PosixSocketApi api_;
  UdpTransport transport_{api_};
  testing::RecordingReporter reporter_;
  CPServerManager manager_{transport_, reporter_};
  std::unique_ptr<CCelvoDlg> sheet_;
};

struct PsemuRow {
  const char* name;
  Keys keys;
  Rows listed;
};
void PrintTo(const PsemuRow& row, std::ostream* out) { *out << row.name; }

class PrinterStatusRows : public PrinterStatusOnPsemu,
                          public ::testing::WithParamInterface<PsemuRow> {};

TEST_P(PrinterStatusRows, ListTheServersPortsAgainOnEachRefresh) {
  ASSERT_NO_FATAL_FAILURE(Open(GetParam().keys));
  EXPECT_EQ(ListedRows(page()), GetParam().listed);
  // The rows go before each refresh: twice gives the same list.
  ASSERT_TRUE(page().ClickDlgItem(kRefresh));
  ASSERT_TRUE(page().ClickDlgItem(kRefresh));
  EXPECT_EQ(ListedRows(page()), GetParam().listed);
  EXPECT_TRUE(services_.message_box.shown().empty());
  EXPECT_TRUE(reporter_.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PrinterStatusRows,
    ::testing::Values(PsemuRow{"three_parallel_ports",
                               {{"alias", "THREE"},
                                {"parallel_ports", "3"},
                                {"serial_ports", "0"},
                                {"state.LPT1", "running"},
                                {"state.LPT2", "offline"},
                                {"state.LPT3", "paper_out"}},
                               {{"LPT1", "Running"}, {"LPT2", "Off Line"}, {"LPT3", "Paper Out"}}},
                      // The names are the first n of the table, the states those of the
                      // first n status bytes (6 and 160).
                      PsemuRow{"one_parallel_one_serial",
                               {{"alias", "MIXED"},
                                {"parallel_ports", "1"},
                                {"serial_ports", "1"},
                                {"state.LPT2", "paper_out"},
                                {"state.COM1", "offline"}},
                               {{"LPT1", "Ready"}, {"LPT2", "Paper Out"}}},
                      // Texts of the printers, the extra rows of a port under it.
                      PsemuRow{"display_texts_and_entries",
                               {{"alias", "TEXTS"},
                                {"capabilities", "2"},
                                {"parallel_ports", "2"},
                                {"serial_ports", "1"},
                                {"display.LPT1", "\"TONER LOW\""},
                                {"entries.LPT1", "a;b;c;"},
                                {"state.LPT2", "offline"},
                                {"entries.LPT2", "JAM;"},
                                {"display.LPT3", "READY"}},
                               {{"LPT1", "\"TONER LOW\""},
                                {" ", "a"},
                                {" ", "b"},
                                {" ", "c"},
                                {"LPT2", "Off Line"},
                                {" ", "JAM"},
                                {"LPT3", "READY"}}},
                      // Only ";" ends an entry.
                      PsemuRow{"entry_without_separator",
                               {{"alias", "UNENDED"},
                                {"capabilities", "2"},
                                {"parallel_ports", "1"},
                                {"entries.LPT1", "A;B;C"}},
                               {{"LPT1", "Ready"}, {" ", "A"}, {" ", "B"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrinterStatusOnPsemu, RefreshShowsWhatChangedOnTheDevice) {
  const Keys before = {{"alias", "LIVE"},
                       {"capabilities", "2"},
                       {"parallel_ports", "2"},
                       {"display.LPT1", "READY"},
                       {"state.LPT2", "ready"}};
  ASSERT_NO_FATAL_FAILURE(Open(before));
  ASSERT_EQ(ListedRows(page()), (Rows{{"LPT1", "READY"}, {"LPT2", "Ready"}}));

  const Keys after = {{"alias", "LIVE"},
                      {"capabilities", "2"},
                      {"parallel_ports", "2"},
                      {"display.LPT1", "PAPER JAM"},
                      {"entries.LPT1", "TRAY 2 EMPTY;"},
                      {"state.LPT2", "offline"}};
  ASSERT_TRUE(psemu_.RewriteDeviceFile(0, Device(kNode, after)));
  ASSERT_TRUE(psemu_.Reload()) << psemu_.error();
  EXPECT_EQ(ListedRows(page()), (Rows{{"LPT1", "READY"}, {"LPT2", "Ready"}}))
      << "nothing changes before the page asks";

  services_.wait_cursor.Clear();
  ASSERT_TRUE(page().ClickDlgItem(kRefresh));
  EXPECT_EQ(ListedRows(page()),
            (Rows{{"LPT1", "PAPER JAM"}, {" ", "TRAY 2 EMPTY"}, {"LPT2", "Off Line"}}));
  EXPECT_EQ(services_.wait_cursor.calls(),
            (std::vector{WaitCursorCall::kBegin, WaitCursorCall::kRestore, WaitCursorCall::kEnd}));
  EXPECT_EQ(page().port_count(), 2);
}

// ------------------------------------------------------ scripted network

// Replies of the printer-status command that the scripted servers give:
// psemu always echoes the port and never sends an empty display.
struct PrinterReply {
  bool answer;
  std::string block1;  // the status text from offset 6
  std::string block2;  // the entries from offset 208
  int port_offset;     // added to the requested port in the echo
};
PrinterReply Texts(std::string block1, std::string block2 = {}, int port_offset = 0) {
  return {true, std::move(block1), std::move(block2), port_offset};
}
PrinterReply NoReply() { return {false, {}, {}, 0}; }

// A block of the record: its length (counted from the block, whose first
// two bytes carry nothing), then the text.
void PutBlock(std::span<std::uint8_t> record, const FieldDescriptor& length,
              const std::string& text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  ByteWriter(record.subspan(length.offset))
      .U16Le(text.empty() ? 0 : static_cast<std::uint16_t>(text.size() + 2))
      .Fill(0, 2)
      .Bytes(std::span(bytes, text.size()));
}

class PrinterStatusPage : public ::testing::TestWithParam<Variant> {
 protected:
  PrinterStatusPage() : run_(GetParam()) {}

  // Opens the sheet over `servers` and stays on the General page.
  void Open(std::vector<FakeServer> servers) {
    for (FakeServer& server : servers) run_.network().Add(std::move(server));
    run_.Open(kPages);
    page_ = static_cast<Page02*>(run_.sheet().FindPage(PageKind::kPrinterStatus));
  }

  // The selected server answers the printer-status command (its identity
  // block says so) with `replies`, one per port.
  void AnswerPrinterStatus(std::vector<PrinterReply> replies) {
    auto& bits = testing::Field(info::kCapabilities, run_.manager().selected().info)[0];
    bits |= info::kCapPrinterStatus;
    replies_ = std::move(replies);
    auto scripted = run_.api().on_send;
    run_.api().on_send = [this, scripted](const testing::SentDatagram& datagram) {
      const std::size_t prefix = FramePrefixSize(GetParam());
      if (datagram.data.size() < prefix + kHeaderSize + kPrinterStatusPortSize ||
          datagram.data[prefix + 1] != static_cast<std::uint8_t>(Command::kPrinterStatus)) {
        scripted(datagram);
        return;
      }
      const int port = datagram.data[prefix + kHeaderSize];
      asked_.push_back(port);
      if (port >= static_cast<int>(replies_.size()) || !replies_[port].answer) return;
      run_.api().QueueFor(
          datagram.socket,
          testing::Incoming::Datagram(ReplyFrame(port, replies_[port]), SenderOfSelected()));
    };
  }

  net::SocketAddress SenderOfSelected() {
    return run_.network().SenderOf(run_.network().server(0));
  }

  testing::Bytes ReplyFrame(int port, const PrinterReply& reply) {
    testing::Bytes frame;
    if (GetParam() == Variant::kDornel) {
      const NodeAddress& node = run_.network().server(0).node;
      frame.assign(node.begin(), node.end());
    }
    const auto code = static_cast<std::uint8_t>(Command::kPrinterStatus);
    frame.insert(frame.end(),
                 {kDirectionReply, code, 0xFF, static_cast<std::uint8_t>(0xFF - code)});
    std::array<std::uint8_t, kPrinterStatusSize> record{};
    ByteWriter(record).U16Le(static_cast<std::uint16_t>(port + reply.port_offset));
    PutBlock(record, printer_status::kBlock1Length, reply.block1);
    PutBlock(record, printer_status::kBlock2Length, reply.block2);
    frame.insert(frame.end(), record.begin(), record.end());
    return frame;
  }

  FakeServer Server(const std::string& alias, std::uint8_t ports_byte) {
    FakeServer server = MakeServer(alias, 1);
    testing::Field(eeprom::kParallelPorts, server.record)[0] = ports_byte;
    return server;
  }

  testing::ScriptedSheet run_;
  Page02* page_ = nullptr;
  std::vector<PrinterReply> replies_;
  std::vector<int> asked_;
};

TEST_P(PrinterStatusPage, DialogOfTheProgram) {
  Open({MakeServer("PS-A", 1)});
  const bool halvex = GetParam() == Variant::kHalvex;
  const ui::DialogTemplate& dialog = page_->dialog_template();
  EXPECT_EQ(dialog.id, kDialog);
  EXPECT_EQ(dialog.caption, "印表機狀態");
  EXPECT_EQ(dialog.rect.cx, 240);
  EXPECT_EQ(dialog.rect.cy, halvex ? 230 : 215);
  std::vector<int> ids;
  for (const auto& control : dialog.controls) {
    if (control.id != ui::kIdStatic) ids.push_back(control.id);
  }
  EXPECT_EQ(ids, (halvex ? std::vector{1135, 1120, kPortList, kRefresh}
                         : std::vector{1054, 1049, kPortList, kRefresh}));

  ASSERT_TRUE(run_.sheet().SetActivePage(kPrinterStatusTab));
  EXPECT_EQ(page_->GetDlgItemText(halvex ? 1120 : 1049), "Print Server");
  EXPECT_EQ(page_->GetDlgItemText(kRefresh), "更新");
  ASSERT_EQ(page_->ListViewGetColumnCount(kPortList), 2);
  EXPECT_EQ(page_->ListViewGetColumnText(kPortList, 0), "列印埠");
  EXPECT_EQ(page_->ListViewGetColumnWidth(kPortList, 0), kPortColumnWidth);
  EXPECT_EQ(page_->ListViewGetColumnText(kPortList, 1), "印表機狀態");
  EXPECT_EQ(page_->ListViewGetColumnWidth(kPortList, 1), kStateColumnWidth);
}

TEST_P(PrinterStatusPage, ActivationReadsTheStatusUnderTheWaitCursor) {
  FakeServer server = Server("PS-A", 0x02);
  testing::Field(status::kFrameType, server.status)[0] = 2;
  Open({server});
  FakeServer& device = run_.network().server(0);
  // The device's printers change after the selection.
  device.status[status::kPortStatusOffsets[0]] = 0x06;  // only the low two bits count
  device.status[status::kPortStatusOffsets[1]] = 0x03;
  device.requests.clear();
  run_.services().wait_cursor.Clear();

  ASSERT_TRUE(run_.sheet().SetActivePage(kPrinterStatusTab));
  EXPECT_EQ(ListedRows(*page_), (Rows{{"LPT1", "Paper Out"}, {"LPT2", "Running"}}));
  EXPECT_EQ(device.requests, (std::vector{Command::kServerStatus}))
      << "no printer status without capability bit 0x02";
  EXPECT_EQ(run_.services().wait_cursor.calls(),
            (std::vector{WaitCursorCall::kBegin, WaitCursorCall::kRestore, WaitCursorCall::kEnd}));
  EXPECT_TRUE(run_.services().message_box.shown().empty());
}

TEST_P(PrinterStatusPage, CaptionIsTheAliasWhileShownAndHalvexPutsTheProgramsBack) {
  Open({MakeServer("PS-CAPTION", 1)});
  ASSERT_TRUE(run_.sheet().SetActivePage(kPrinterStatusTab));
  EXPECT_EQ(run_.sheet().GetWindowText(), "PS-CAPTION");
  // Asked alone: the General page would set the program caption itself.
  ASSERT_TRUE(page_->OnKillActive());
  EXPECT_EQ(run_.sheet().GetWindowText(),
            GetParam() == Variant::kHalvex ? "Print Server 設定程式  3.0" : "PS-CAPTION");
}

TEST_P(PrinterStatusPage, IncompleteFirmwareDisablesThePageAndReadsNothing) {
  FakeServer server = MakeServer("PS-OLD", 1);
  server.firmware_complete = 0;
  Open({server});
  run_.services().message_box.Clear();
  run_.network().server(0).requests.clear();
  ASSERT_TRUE(run_.sheet().SetActivePage(kPrinterStatusTab));
  EXPECT_EQ(run_.services().message_box.texts(),
            (std::vector<std::string>{"請先更新列印伺服器軔體"}));
  EXPECT_FALSE(page_->IsWindowEnabled());
  EXPECT_EQ(page_->ListViewGetItemCount(kPortList), 0);
  EXPECT_TRUE(run_.network().server(0).requests.empty());
}

TEST_P(PrinterStatusPage, PrinterRepliesThatAreNotUsedFallBackToTheShortState) {
  FakeServer server = Server("PS-TEXT", 0x07);  // 3 parallel, 1 serial: four rows
  Open({server});
  FakeServer& device = run_.network().server(0);
  for (int k = 0; k < 4; ++k) device.status[status::kPortStatusOffsets[k]] = 1;  // "Off Line"
  AnswerPrinterStatus({
      NoReply(), Texts("DISPLAY=OTHER", "X;", 1),          // another port's reply
      Texts("CODE=10001\r\nDISPLAY=\r\n"),                 // an empty display
      Texts("DISPLAY=ONE\r\nDISPLAY=TWO\r\nONLINE=TRUE"),  // the second keyword
  });
  ASSERT_TRUE(run_.sheet().SetActivePage(kPrinterStatusTab));
  EXPECT_EQ(ListedRows(*page_),
            (Rows{{"LPT1", "Off Line"}, {"LPT2", "Off Line"}, {"LPT3", ""}, {"COM1", "TWO"}}));
  EXPECT_EQ(asked_, (std::vector{0, 1, 2, 3}));
}

TEST_P(PrinterStatusPage, TextWithoutTheKeywordShowsTheShortState) {
  Open({Server("PS-PLAIN", 0x01)});
  AnswerPrinterStatus({Texts("CODE=10001\r\nONLINE=TRUE", "ENTRY;")});
  ASSERT_TRUE(run_.sheet().SetActivePage(kPrinterStatusTab));
  EXPECT_EQ(ListedRows(*page_), (Rows{{"LPT1", "Ready"}, {" ", "ENTRY"}}));
}

INSTANTIATE_TEST_SUITE_P(Programs, PrinterStatusPage,
                         ::testing::Values(Variant::kHalvex, Variant::kDornel),
                         [](const auto& info) {
                           return std::string(info.param == Variant::kHalvex ? "Halvex" : "Dornel");
                         });

}  // namespace
}  // namespace pscfg
