// Golden request bytes in, exact reply bytes out, for every command.

#include <gtest/gtest.h>

#include <ostream>

#include "tests/testbed/psemu_test_util.h"

namespace pscfg::psemu {
namespace {

const std::string kDevice =
    "node = 00:40:01:12:34:56\n"
    "ip_address = 192.168.1.20\n"
    "capabilities = 0x02\n"
    "display.LPT1 = \"READY\"\n"
    "entries.LPT1 = Toner low;Tray 2 empty;\n";

const Bytes kNode = {0x00, 0x40, 0x01, 0x12, 0x34, 0x56};

// The record a minimal device file gives node 00:40:01:12:34:56 with that IP.
Bytes DefaultRecordBytes() {
  return Frame(kEEPromImageSize, {{2, kNode},
                                  {8, {0x01}},
                                  {16, Text("PS123456")},
                                  {72, {0x24}},
                                  {75, {0x02}},
                                  {380, Text("WORKGROUP")},
                                  {405, {0x01}},
                                  {489, {0xB5}},
                                  {490, {0xFF, 0xFF, 0xFF, 0x00}},
                                  {498, {0xC0, 0xA8, 0x01, 0x14}},
                                  {504, {0x12, 0x31, 0x61}},
                                  {511, {0x38}}});
}

Bytes Reply(std::initializer_list<std::uint8_t> header, const Bytes& payload = {}) {
  return Concat(Concat(kNode, Bytes(header)), payload);
}

struct GoldenRow {
  const char* name;
  Bytes request;
  Bytes reply;
};
// Test names show the row's name, not its bytes.
void PrintTo(const GoldenRow& row, std::ostream* out) { *out << row.name; }

std::vector<GoldenRow> GoldenRows() {
  const Bytes block1 =
      Text("@PJL INFO STATUS\r\nCODE=10001\r\nDISPLAY=\"READY\"\r\nONLINE=TRUE\r\n");
  return {
      {"Reset", Concat(kNode, {0x00, 0x01, 0xFF, 0xFE}), Reply({0x01, 0x01, 0xFF, 0xFE})},
      {"Read", Concat(kNode, {0x00, 0x02, 0xFF, 0xFD}),
       Reply({0x01, 0x02, 0xFF, 0xFD}, DefaultRecordBytes())},
      {"Write", Concat(Concat(kNode, {0x00, 0x03, 0xFF, 0xFC}), DefaultRecordBytes()),
       Reply({0x01, 0x03, 0xFF, 0xFC})},
      {"Search", Concat(kNode, {0x00, 0x04, 0xFF, 0xFB}),
       Reply({0x01, 0x04, 0xFF, 0xFB},
             Frame(kPServerInfoSize,
                   {{0, Text("PS123456")}, {8, Text("PS123456")}, {64, {0x01, 0x02}}}))},
      {"BroadcastSearch", BroadcastSearch(),
       Reply({0x01, 0x04, 0xFF, 0xFB},
             Frame(kPServerInfoSize,
                   {{0, Text("PS123456")}, {8, Text("PS123456")}, {64, {0x01, 0x02}}}))},
      {"ServerStatus", Concat(kNode, {0x00, 0x05, 0xFF, 0xFA}),
       Reply({0x01, 0x05, 0xFF, 0xFA},
             Frame(kPServerStatusSize,
                   {{0, {0x02}}, {58, {0xC0, 0xA8, 0x01, 0x14}}, {358, {0x02}}, {457, {0x03}}}))},
      {"TestPrintCom2", Concat(kNode, {0x00, 0x06, 0xFF, 0xF9, 0x04, 0x00, 0x00, 0x00}),
       Reply({0x01, 0x06, 0xFF, 0xF9})},
      {"EnterUpgradeMode", Concat(kNode, {0x00, 0x07, 0xFF, 0xF8}),
       Reply({0x01, 0x07, 0xFF, 0xF8, 0x00, 0x00})},
      {"PrinterStatusLpt1", Concat(kNode, {0x00, 0x0A, 0xFF, 0xF5, 0x00, 0x00}),
       Reply({0x01, 0x0A, 0xFF, 0xF5},
             Frame(kPrinterStatusSize, {{0, {0x00, 0x00, 0x3E, 0x00}},
                                        {6, block1},
                                        {204, {0x19, 0x00}},
                                        {208, Text("Toner low;Tray 2 empty;")}}))},
      {"PrinterStatusLpt2WithoutTexts", Concat(kNode, {0x00, 0x0A, 0xFF, 0xF5, 0x01, 0x00}),
       Reply({0x01, 0x0A, 0xFF, 0xF5}, Frame(kPrinterStatusSize, {{0, {0x01, 0x00}}}))},
  };
}

class GoldenTest : public EmulatorFixture, public ::testing::WithParamInterface<GoldenRow> {};

TEST_P(GoldenTest, RequestGetsExactlyThisReply) {
  AddDevices({kDevice});
  const auto replies = Send(GetParam().request);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies.front(), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(EveryCommand, GoldenTest, ::testing::ValuesIn(GoldenRows()),
                         [](const auto& info) { return std::string(info.param.name); });

// Lengths other than the command's own, a direction byte other than 0, an
// unknown code or wrong header check bytes: a device stays silent.
struct SilentRow {
  const char* name;
  Bytes request;
};
// Test names show the row's name, not its bytes.
void PrintTo(const SilentRow& row, std::ostream* out) { *out << row.name; }

class SilentTest : public EmulatorFixture, public ::testing::WithParamInterface<SilentRow> {};

TEST_P(SilentTest, DeviceDoesNotAnswer) {
  AddDevices({kDevice});
  EXPECT_TRUE(Send(GetParam().request).empty());
  // ...and is still fine afterwards.
  EXPECT_EQ(Send(RequestFor(kNodeA, Command::kSearch)).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    BadRequests, SilentTest,
    ::testing::Values(
        SilentRow{"Empty", {}}, SilentRow{"OnlyPrefix", kNode},
        SilentRow{"ReadTooLong", Concat(kNode, {0x00, 0x02, 0xFF, 0xFD, 0x00})},
        SilentRow{"ReadAsReply", Concat(kNode, {0x01, 0x02, 0xFF, 0xFD})},
        SilentRow{"UnknownCode8", Concat(kNode, {0x00, 0x08, 0xFF, 0xF7})},
        SilentRow{"CodeZero", Concat(kNode, {0x00, 0x00, 0xFF, 0xFF})},
        SilentRow{"WrongComplement", Concat(kNode, {0x00, 0x02, 0xFF, 0xFC})},
        SilentRow{"WrongFfByte", Concat(kNode, {0x00, 0x02, 0xFE, 0xFD})},
        SilentRow{"WriteShort", Concat(Concat(kNode, {0x00, 0x03, 0xFF, 0xFC}), Bytes(511, 0))},
        SilentRow{"TestPrintShort", Concat(kNode, {0x00, 0x06, 0xFF, 0xF9, 0x00, 0x00, 0x00})},
        SilentRow{"TestPrintPortFive", Concat(kNode, {0x00, 0x06, 0xFF, 0xF9, 0x05, 0, 0, 0})},
        SilentRow{"TestPrintNegativePort",
                  Concat(kNode, {0x00, 0x06, 0xFF, 0xF9, 0xFF, 0xFF, 0xFF, 0xFF})},
        SilentRow{"PrinterStatusPortFive", Concat(kNode, {0x00, 0x0A, 0xFF, 0xF5, 0x05, 0x00})},
        SilentRow{"PrinterStatusShort", Concat(kNode, {0x00, 0x0A, 0xFF, 0xF5, 0x00})},
        SilentRow{"BroadcastRead", Concat(kBroadcastPrefix, {0x00, 0x02, 0xFF, 0xFD})},
        SilentRow{"BroadcastReset", Concat(kBroadcastPrefix, {0x00, 0x01, 0xFF, 0xFE})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EmulatorFixture, PrinterStatusNeedsTheCapability) {
  AddDevices({"node = 00:40:01:12:34:56\ncapabilities = 0x00\ndisplay.LPT1 = READY\n"});
  EXPECT_TRUE(Send(RequestFor(kNodeA, Command::kPrinterStatus, {0x00, 0x00})).empty());
}

TEST_F(EmulatorFixture, TestPrintsAreCountedPerPort) {
  AddDevices({kDevice});
  for (const std::uint8_t port : {0, 0, 3}) {
    Send(RequestFor(kNodeA, Command::kTestPrint, {port, 0x00, 0x00, 0x00}));
  }
  const auto* device = emulator_->Find(kNodeA);
  EXPECT_EQ(device->test_pages(0), 2);
  EXPECT_EQ(device->test_pages(3), 1);
  EXPECT_EQ(device->test_pages(1), 0);
}

}  // namespace
}  // namespace pscfg::psemu
