// The device operations against a scripted network, in both variants.

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "ipx/ipx_transport.h"
#include "protocol/server_manager.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scripted_socket_api.h"
#include "udp/udp_transport.h"

namespace pscfg {
namespace {

using testing::Bytes;
using testing::Incoming;
using testing::RecordingReporter;
using testing::ScriptedSocketApi;
using testing::SendOutcome;

constexpr NodeAddress kNode = {0x00, 0x40, 0x01, 0x02, 0x03, 0x04};
const net::SocketAddress kIpxTarget =
    net::SocketAddress::Ipx({0, 0, 0, 1}, {0x00, 0x40, 0x01, 0x02, 0x03, 0x04}, 0x3434);

// A manager of one variant over a scripted network, with one target entry.
class Harness {
 public:
  explicit Harness(Variant variant)
      : variant_(variant),
        udp_(api),
        ipx_(api),
        manager(variant == Variant::kDornel ? static_cast<DeviceTransport&>(udp_)
                                            : static_cast<DeviceTransport&>(ipx_),
                reporter) {
    manager.set_title("Print Server");
    target.node_address = kNode;
    const auto raw = kIpxTarget.bytes();
    std::copy(raw.begin(), raw.end(), target.ipx_address.begin());
  }

  std::size_t prefix() const { return FramePrefixSize(variant_); }

  // A reply frame: prefix, header 01 code FF xx, then `payload` bytes.
  Bytes Reply(Command command, std::size_t payload, std::uint8_t fill = 0x5A) const {
    const std::size_t p = prefix();
    Bytes frame(p + kHeaderSize + payload, fill);
    if (variant_ == Variant::kDornel) std::copy(kNode.begin(), kNode.end(), frame.begin());
    const auto code = static_cast<std::uint8_t>(command);
    frame[p] = kDirectionReply;
    frame[p + 1] = code;
    frame[p + 2] = 0xFF;
    frame[p + 3] = static_cast<std::uint8_t>(~code);
    return frame;
  }

  ScriptedSocketApi api;
  RecordingReporter reporter;

 private:
  Variant variant_;
  UdpTransport udp_;
  IpxTransport ipx_;

 public:
  CPServerManager manager;
  PServerEntry target;
};

class BothVariants : public ::testing::TestWithParam<Variant> {
 protected:
  void TearDown() override {
    EXPECT_EQ(h.api.open_sockets(), 0) << "every socket is closed";
    EXPECT_EQ(h.api.double_closes(), 0) << "no socket is closed twice";
  }
  Harness h{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(Variants, BothVariants,
                         ::testing::Values(Variant::kHalvex, Variant::kDornel),
                         [](const auto& info) {
                           return info.param == Variant::kHalvex ? "Halvex" : "Dornel";
                         });

// --- Requests on the wire -------------------------------------------------

TEST_P(BothVariants, RequestsCarryPrefixHeaderAndPayload) {
  struct Row {
    std::function<void(Harness&)> call;
    Bytes body;  // header and payload after the prefix
  };
  const std::vector<Row> rows = {
      {[](Harness& x) { x.manager.XResetPServerEEProm(x.target); }, {0x00, 0x01, 0xFF, 0xFE}},
      {[](Harness& x) { x.manager.XReadPServerEEProm(x.target, x.manager.eeprom_frame()); },
       {0x00, 0x02, 0xFF, 0xFD}},
      {[](Harness& x) {
         std::array<std::uint8_t, kMaxSearchFrameSize> buffer{};
         x.manager.XSearchPS(x.target, buffer);
       },
       {0x00, 0x04, 0xFF, 0xFB}},
      {[](Harness& x) { x.manager.XGetPServerStatus(x.target, x.manager.status_frame()); },
       {0x00, 0x05, 0xFF, 0xFA}},
      {[](Harness& x) {
         x.manager.XGetPrinterStatus(x.target, x.manager.printer_status_frame(), 0x10003);
       },
       {0x00, 0x0A, 0xFF, 0xF5, 0x03, 0x00}},
  };
  for (const Row& row : rows) {
    Harness x(GetParam());
    row.call(x);
    ASSERT_FALSE(x.api.sent().empty());
    Bytes expected;
    if (GetParam() == Variant::kDornel) expected.assign(kNode.begin(), kNode.end());
    expected.insert(expected.end(), row.body.begin(), row.body.end());
    EXPECT_EQ(testing::Hex(x.api.sent()[0].data), testing::Hex(expected));
    const net::SocketAddress expected_to =
        GetParam() == Variant::kDornel ? UdpTransport::BroadcastTo(kUdpDevicePort) : kIpxTarget;
    EXPECT_EQ(x.api.sent()[0].to, expected_to);
  }
}

TEST_P(BothVariants, TestPrintOnCom2SendsPortFourAsInt32) {
  h.manager.XTestPrint(h.target, static_cast<int>(PortIndex::kCom2));
  ASSERT_FALSE(h.api.sent().empty());
  const Bytes& frame = h.api.sent()[0].data;
  const std::size_t p = h.prefix();
  ASSERT_EQ(frame.size(), GetParam() == Variant::kDornel ? 14u : 485u);
  EXPECT_EQ(testing::Hex(Bytes(frame.begin() + static_cast<long>(p),
                               frame.begin() + static_cast<long>(p) + 8)),
            "00 06 FF F9 04 00 00 00 ");
  EXPECT_TRUE(std::all_of(frame.begin() + static_cast<long>(p) + 8, frame.end(),
                          [](std::uint8_t b) { return b == 0; }));
}

TEST_P(BothVariants, WriteSetsChecksumAndKeepsRecord) {
  auto record = h.manager.eeprom_image();
  for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i * 7 + 3);
  h.api.QueueDatagram(h.Reply(Command::kWriteRecord, 0));
  ASSERT_EQ(h.manager.XWritePServerEEProm(h.target, h.manager.eeprom_frame()), 1);

  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < 511; ++i) sum ^= record[i];
  EXPECT_EQ(record[511], sum);
  ASSERT_EQ(h.api.sent().size(), 1u);
  const Bytes& frame = h.api.sent()[0].data;
  ASSERT_EQ(frame.size(), EEPromFrameSize(GetParam()));
  EXPECT_EQ(frame[h.prefix() + 1], 0x03);
  EXPECT_EQ(frame.back(), sum);
  for (std::size_t i = 0; i < 511; ++i) {
    ASSERT_EQ(record[i], static_cast<std::uint8_t>(i * 7 + 3)) << "byte " << i;
  }
  // The buffer's start holds the reply header.
  EXPECT_EQ(h.manager.eeprom_frame()[h.prefix()], kDirectionReply);
}

// --- Budgets ---------------------------------------------------------------

struct BudgetRow {
  const char* name;
  Command command;
  std::size_t payload;
  int halvex_receive_attempts;
  int dornel_receive_attempts;
};

int CallOperation(Harness& h, Command command) {
  std::array<std::uint8_t, kMaxSearchFrameSize> search{};
  switch (command) {
    case Command::kReset:
      return h.manager.XResetPServerEEProm(h.target);
    case Command::kReadRecord:
      return h.manager.XReadPServerEEProm(h.target, h.manager.eeprom_frame());
    case Command::kWriteRecord:
      return h.manager.XWritePServerEEProm(h.target, h.manager.eeprom_frame());
    case Command::kSearch:
      return h.manager.XSearchPS(h.target, search);
    case Command::kServerStatus:
      return h.manager.XGetPServerStatus(h.target, h.manager.status_frame());
    case Command::kTestPrint:
      return h.manager.XTestPrint(h.target, 0);
    case Command::kPrinterStatus:
      return h.manager.XGetPrinterStatus(h.target, h.manager.printer_status_frame(), 0);
    case Command::kEnterUpgradeMode:
      break;
  }
  return -1;
}

const BudgetRow kBudgets[] = {
    {"reset", Command::kReset, 0, 70, 20},
    {"read", Command::kReadRecord, kEEPromImageSize, 20, 20},
    {"write", Command::kWriteRecord, 0, 70, 20},
    {"search", Command::kSearch, kPServerInfoSize, 10, 20},
    {"status", Command::kServerStatus, kPServerStatusSize, 20, 20},
    {"test_print", Command::kTestPrint, 0, 20, 20},
    {"printer_status", Command::kPrinterStatus, kPrinterStatusSize, 20, 20},
};

TEST_P(BothVariants, SilentServerUsesTheWholeBudget) {
  for (const BudgetRow& row : kBudgets) {
    Harness x(GetParam());
    EXPECT_EQ(CallOperation(x, row.command), 0) << row.name;
    const bool halvex = GetParam() == Variant::kHalvex;
    const int waits = halvex ? row.halvex_receive_attempts : row.dornel_receive_attempts;
    EXPECT_EQ(x.api.receive_waits(), waits) << row.name;
    const bool combined =
        halvex && (row.command == Command::kReadRecord || row.command == Command::kServerStatus ||
                   row.command == Command::kSearch);
    // Combined attempts send the request again each time; phases send once.
    EXPECT_EQ(static_cast<int>(x.api.sent().size()), combined ? waits : 1) << row.name;
    EXPECT_TRUE(x.reporter.messages.empty()) << row.name << ": silence is no transport error";
    EXPECT_EQ(x.api.open_sockets(), 0) << row.name;
  }
}

TEST_P(BothVariants, GoodReplyInTheLastAttemptIsSuccess) {
  for (const BudgetRow& row : kBudgets) {
    Harness x(GetParam());
    const bool halvex = GetParam() == Variant::kHalvex;
    const int attempts = halvex ? row.halvex_receive_attempts : row.dornel_receive_attempts;
    x.api.QueueSilence(attempts - 1);
    x.api.QueueDatagram(x.Reply(row.command, row.payload));
    EXPECT_EQ(CallOperation(x, row.command), 1) << row.name;
    EXPECT_EQ(x.api.receive_waits(), attempts) << row.name;

    Harness late(GetParam());
    late.api.QueueSilence(attempts);
    late.api.QueueDatagram(late.Reply(row.command, row.payload));
    EXPECT_EQ(CallOperation(late, row.command), 0) << row.name << ": one attempt too late";
  }
}

TEST_P(BothVariants, ReplyWithAnotherCommandCodeFailsSilently) {
  h.api.QueueDatagram(h.Reply(Command::kServerStatus, kEEPromImageSize));
  EXPECT_EQ(h.manager.XReadPServerEEProm(h.target, h.manager.eeprom_frame()), 0);
  EXPECT_TRUE(h.reporter.messages.empty());
}

TEST_P(BothVariants, ReplyFromTheDeviceDirectionOnly) {
  Bytes echoed = h.Reply(Command::kReadRecord, kEEPromImageSize);
  echoed[h.prefix()] = kDirectionRequest;
  h.api.QueueDatagram(echoed);
  EXPECT_EQ(h.manager.XReadPServerEEProm(h.target, h.manager.eeprom_frame()), 0);
}

// --- Accepted lengths --------------------------------------------------------

TEST(HalvexLengths, StatusAcceptsOneDatagramOf66To485Bytes) {
  struct Row {
    std::size_t frame;
    int result;
  };
  for (const Row row : {Row{65, 0}, Row{66, 1}, Row{300, 1}, Row{484, 1}, Row{485, 1}}) {
    Harness h(Variant::kHalvex);
    h.api.QueueDatagram(h.Reply(Command::kServerStatus, row.frame - 4));
    h.api.QueueSilence(30);
    EXPECT_EQ(h.manager.XGetPServerStatus(h.target, h.manager.status_frame()), row.result)
        << row.frame;
  }
}

TEST(HalvexLengths, SearchAcceptsSixtyNineOrSeventy) {
  for (std::size_t frame : {68u, 69u, 70u}) {
    Harness h(Variant::kHalvex);
    h.api.QueueDatagram(h.Reply(Command::kSearch, frame - 4));
    std::array<std::uint8_t, kMaxSearchFrameSize> buffer{};
    EXPECT_EQ(h.manager.XSearchPS(h.target, buffer), frame == 68u ? 0 : 1) << frame;
  }
}

TEST(HalvexLengths, ShortStatusKeepsTheBytesOfThePreviousReply) {
  Harness h(Variant::kHalvex);
  h.api.QueueDatagram(h.Reply(Command::kServerStatus, kPServerStatusSize, 0x11));
  ASSERT_EQ(h.manager.XGetPServerStatus(h.target, h.manager.status_frame()), 1);
  h.api.QueueDatagram(h.Reply(Command::kServerStatus, 70, 0x22));
  ASSERT_EQ(h.manager.XGetPServerStatus(h.target, h.manager.status_frame()), 1);
  EXPECT_EQ(h.manager.server_status()[69], 0x22);
  EXPECT_EQ(h.manager.server_status()[70], 0x11);
}

TEST(HalvexLengths, WriteWantsOneDatagramOfFourBytes) {
  Harness h(Variant::kHalvex);
  h.api.QueueDatagram({0x01, 0x03});  // two halves are not appended
  h.api.QueueDatagram({0xFF, 0xFC});
  h.api.QueueDatagram(h.Reply(Command::kWriteRecord, 0));
  EXPECT_EQ(h.manager.XWritePServerEEProm(h.target, h.manager.eeprom_frame()), 1);
  EXPECT_EQ(h.api.receive_waits(), 3);
}

TEST(DornelLengths, PrinterStatusInTwoDatagramsIsAccepted) {
  Harness h(Variant::kDornel);
  const Bytes reply = h.Reply(Command::kPrinterStatus, kPrinterStatusSize);
  ASSERT_EQ(reply.size(), 416u);
  h.api.QueueDatagram(Bytes(reply.begin(), reply.begin() + 200));
  h.api.QueueDatagram(Bytes(reply.begin() + 200, reply.end()));
  EXPECT_EQ(h.manager.XGetPrinterStatus(h.target, h.manager.printer_status_frame(), 1), 1);
  EXPECT_EQ(h.api.receive_capacities(), (std::vector<std::size_t>{416, 216}));
}

TEST(DornelLengths, DatagramLongerThanTheMissingBytesIsAReceiveError) {
  Harness h(Variant::kDornel);
  const Bytes reply = h.Reply(Command::kPrinterStatus, kPrinterStatusSize);
  h.api.QueueDatagram(Bytes(reply.begin(), reply.begin() + 200));
  h.api.QueueDatagram(Bytes(reply.begin() + 100, reply.end()));  // 316 > 216 missing
  EXPECT_EQ(h.manager.XGetPrinterStatus(h.target, h.manager.printer_status_frame(), 1), 0);
  ASSERT_EQ(h.reporter.messages.size(), 1u);
  EXPECT_EQ(h.reporter.messages[0].text, " 10040: XReceivePacket-recv() Fail");
  EXPECT_EQ(h.reporter.messages[0].caption, "Print Server");
  EXPECT_EQ(h.api.open_sockets(), 0);
  EXPECT_EQ(h.api.double_closes(), 0);
}

TEST(DornelLengths, StatusStopsOnceMoreThan65BytesArrived) {
  struct Row {
    std::vector<std::size_t> datagrams;
    int result;
  };
  const Row rows[] = {{{65}, 0}, {{66}, 1}, {{491}, 1}, {{40, 26}, 1}, {{30, 30}, 0}};
  for (const Row& row : rows) {
    Harness h(Variant::kDornel);
    const Bytes reply = h.Reply(Command::kServerStatus, kPServerStatusSize);
    std::size_t at = 0;
    for (std::size_t n : row.datagrams) {
      h.api.QueueDatagram(
          Bytes(reply.begin() + static_cast<long>(at), reply.begin() + static_cast<long>(at + n)));
      at += n;
    }
    EXPECT_EQ(h.manager.XGetPServerStatus(h.target, h.manager.status_frame()), row.result)
        << row.datagrams.size() << " datagrams, first " << row.datagrams[0];
  }
}

TEST(DornelLengths, ReadNeedsExactly522Bytes) {
  Harness h(Variant::kDornel);
  h.api.QueueDatagram(h.Reply(Command::kReadRecord, kEEPromImageSize - 1));
  EXPECT_EQ(h.manager.XReadPServerEEProm(h.target, h.manager.eeprom_frame()), 0);
}

// --- Transport errors ------------------------------------------------------------

TEST_P(BothVariants, SetUpFailuresAreReportedWithTheirStepNames) {
  const bool dornel = GetParam() == Variant::kDornel;
  struct Row {
    Command command;
    ScriptedSocketApi::Call call;
    const char* halvex;
    const char* dornel;
  };
  using Call = ScriptedSocketApi::Call;
  const Row rows[] = {
      {Command::kReset, Call::kSocket, "XResetPServerEEProm-socket", "XResetPServerEEProm-socket"},
      {Command::kReadRecord, Call::kIoctl, "XReadPServerEEProm-ioctlsocket",
       "XReadPServerEEProm-ioctlsocket"},
      {Command::kWriteRecord, Call::kBind, "XWritePServerEEProm-bind", nullptr},
      {Command::kWriteRecord, Call::kSetsockopt, nullptr, "XWritePServerEEProm-setsockopt"},
      {Command::kSearch, Call::kSocket, "XSearchFS-socket", "XSearchFS-socket"},
      {Command::kSearch, Call::kSetsockopt, "XSearchFS-setsocketopt", "XSearchFS-setsocketopt"},
      {Command::kSearch, Call::kBind, "XSearchPS-bind", "XSearchPS-bind"},
      {Command::kServerStatus, Call::kSetsockopt, nullptr, "XGetPServerStatus-setsockopt"},
      {Command::kTestPrint, Call::kBind, "XTestPrinting-bind", nullptr},
      {Command::kTestPrint, Call::kSetsockopt, nullptr, "XTestPrint-setsockopt"},
      {Command::kPrinterStatus, Call::kBind, "XGetPrinterStatus-bind", nullptr},
      {Command::kPrinterStatus, Call::kSocket, "XGetPrinterStatus-socket",
       "XGetPrinterStatus-socket"},
  };
  for (const Row& row : rows) {
    const char* step = dornel ? row.dornel : row.halvex;
    if (step == nullptr) continue;
    Harness x(GetParam());
    x.api.FailNext(row.call, net::kWsaeAddrInUse);
    EXPECT_EQ(CallOperation(x, row.command), 0) << step;
    ASSERT_EQ(x.reporter.messages.size(), 1u) << step;
    EXPECT_EQ(x.reporter.messages[0].text, " 10048: " + std::string(step) + "() Fail");
    EXPECT_EQ(x.reporter.messages[0].caption, dornel ? "Print Server" : "");
    EXPECT_TRUE(x.api.sent().empty()) << step;
    EXPECT_EQ(x.api.open_sockets(), 0) << step;
  }
}

TEST_P(BothVariants, SocketsAreSetUpAsEachTransportWants) {
  std::array<std::uint8_t, kMaxSearchFrameSize> buffer{};
  h.manager.XSearchPS(h.target, buffer);
  h.manager.XReadPServerEEProm(h.target, h.manager.eeprom_frame());
  if (GetParam() == Variant::kDornel) {
    EXPECT_EQ(h.api.families(), (std::vector<int>{net::kAfInet, net::kAfInet}));
    // SO_BROADCAST on both; only the search binds (any address, port 0).
    EXPECT_EQ(h.api.options_set(),
              (std::vector<std::pair<int, int>>{{net::kSoBroadcast, 1}, {net::kSoBroadcast, 1}}));
    EXPECT_EQ(h.api.binds(), (std::vector{UdpTransport::AnyLocal()}));
  } else {
    EXPECT_EQ(h.api.families(), (std::vector<int>{net::kAfIpx, net::kAfIpx}));
    // SO_REUSEADDR only for the search; every socket binds.
    EXPECT_EQ(h.api.options_set(), (std::vector<std::pair<int, int>>{{net::kSoReuseAddr, 1}}));
    EXPECT_EQ(h.api.binds().size(), 2u);
  }
}

TEST_P(BothVariants, ReceiveSelectFailureClosesOnceAndReports) {
  h.api.Queue(Incoming::SelectError(net::kWsaeNetDown));
  EXPECT_EQ(h.manager.XTestPrint(h.target, 0), 0);
  EXPECT_EQ(h.reporter.texts(), (std::vector<std::string>{" 10050: XReceivePacket-select() Fail"}));
}

TEST(SendErrors, HalvexResetCountsASendErrorAsAFailedAttempt) {
  Harness h(Variant::kHalvex);
  h.api.QueueSend({SendOutcome::Kind::kSendError, net::kWsaeNoBufs});
  h.api.QueueDatagram(h.Reply(Command::kReset, 0));
  EXPECT_EQ(h.manager.XResetPServerEEProm(h.target), 1);
  EXPECT_EQ(h.reporter.texts(), (std::vector<std::string>{" 10055: XSendPacket-send() Fail"}));
  EXPECT_EQ(h.api.sent().size(), 1u);
  EXPECT_EQ(h.api.open_sockets(), 0);
}

TEST(SendErrors, HalvexTestPrintEndsAtASendError) {
  Harness h(Variant::kHalvex);
  h.api.QueueSend({SendOutcome::Kind::kSelectError, net::kWsaeNetDown});
  h.api.QueueDatagram(h.Reply(Command::kTestPrint, 0));
  EXPECT_EQ(h.manager.XTestPrint(h.target, 0), 0);
  EXPECT_EQ(h.reporter.texts(), (std::vector<std::string>{" 10050: XSendPacket-select() Fail"}));
  EXPECT_EQ(h.api.open_sockets(), 0);
  EXPECT_EQ(h.api.double_closes(), 0);
}

TEST(SendErrors, HalvexReadStillReceivesAfterASendError) {
  Harness h(Variant::kHalvex);
  h.api.QueueSend({SendOutcome::Kind::kSendError, net::kWsaeNoBufs});
  h.api.QueueDatagram(h.Reply(Command::kReadRecord, kEEPromImageSize));
  EXPECT_EQ(h.manager.XReadPServerEEProm(h.target, h.manager.eeprom_frame()), 1);
  EXPECT_EQ(h.api.sent().size(), 0u);
}

TEST(SendErrors, HalvexSearchDoesNotReceiveAfterASendError) {
  Harness h(Variant::kHalvex);
  h.api.QueueSend({SendOutcome::Kind::kSendError, net::kWsaeNoBufs});
  h.api.QueueDatagram(h.Reply(Command::kSearch, kPServerInfoSize));
  std::array<std::uint8_t, kMaxSearchFrameSize> buffer{};
  EXPECT_EQ(h.manager.XSearchPS(h.target, buffer), 1);
  EXPECT_EQ(h.api.receive_waits(), 1) << "the first attempt did not receive";
  EXPECT_EQ(h.api.sent().size(), 1u);
}

TEST(SendErrors, DornelSendErrorClosesTheSocketOnceAndEnds) {
  Harness h(Variant::kDornel);
  h.api.QueueSend({SendOutcome::Kind::kSendError, net::kWsaeAddrNotAvail});
  EXPECT_EQ(h.manager.XReadPServerEEProm(h.target, h.manager.eeprom_frame()), 0);
  EXPECT_EQ(h.reporter.texts(), (std::vector<std::string>{" 10049: XSendPacket-send() Fail"}));
  EXPECT_EQ(h.api.receive_waits(), 0);
  EXPECT_EQ(h.api.closed(), 1);
  EXPECT_EQ(h.api.double_closes(), 0);
}

TEST_P(BothVariants, WouldBlockAndTimeOutAreRetriedSends) {
  h.api.QueueSend({SendOutcome::Kind::kWouldBlock, 0});
  h.api.QueueSend({SendOutcome::Kind::kNotWritable, 0});
  h.api.QueueDatagram(h.Reply(Command::kTestPrint, 0));
  EXPECT_EQ(h.manager.XTestPrint(h.target, 2), 1);
  EXPECT_EQ(h.api.send_waits(), 3);
  EXPECT_TRUE(h.reporter.messages.empty());
}

TEST_P(BothVariants, SendsThatNeverGoOutFailAfterTwentyAttempts) {
  for (int i = 0; i < 20; ++i) h.api.QueueSend({SendOutcome::Kind::kNotWritable, 0});
  h.api.QueueDatagram(h.Reply(Command::kReset, 0));
  EXPECT_EQ(h.manager.XResetPServerEEProm(h.target), 0);
  EXPECT_EQ(h.api.send_waits(), 20);
  EXPECT_EQ(h.api.receive_waits(), 0);
}

// --- Enter upgrade mode ------------------------------------------------------------

TEST_P(BothVariants, EnterUpgradeModeKeepsTheCallersSocket) {
  for (std::size_t payload : {2u, 0u}) {
    Harness x(GetParam());
    const net::Socket s = x.api.socket(net::kAfInet, net::kSockDgram, 0);
    x.api.QueueDatagram(x.Reply(Command::kEnterUpgradeMode, payload));
    EXPECT_EQ(x.manager.XEnterUpgradeMode(s, x.target), 1) << payload;
    EXPECT_EQ(x.api.open_sockets(), 1);
    x.api.closesocket(s);
  }
}

}  // namespace
}  // namespace pscfg

namespace pscfg {
namespace {

// Whatever arrives, no operation reads or writes outside its buffers (run
// under the sanitizers) and every socket is closed exactly once.
TEST(UntrustedReplies, RandomDatagramsNeverBreakAnOperation) {
  std::mt19937 random(20261211);
  const Command commands[] = {Command::kReset,        Command::kReadRecord,   Command::kWriteRecord,
                              Command::kSearch,       Command::kServerStatus, Command::kTestPrint,
                              Command::kPrinterStatus};
  for (Variant variant : {Variant::kHalvex, Variant::kDornel}) {
    for (int round = 0; round < 300; ++round) {
      Harness h(variant);
      const int datagrams = static_cast<int>(random() % 6);
      for (int i = 0; i < datagrams; ++i) {
        Bytes data(random() % 620);
        for (auto& b : data) b = static_cast<std::uint8_t>(random());
        // Now and then a plausible header, so that length rules are reached too.
        if (data.size() > 8 && random() % 2 == 0) {
          data[h.prefix()] = kDirectionReply;
          data[h.prefix() + 1] = static_cast<std::uint8_t>(commands[random() % 7]);
        }
        h.api.QueueDatagram(data);
      }
      const Command command = commands[random() % 7];
      const int result = CallOperation(h, command);
      EXPECT_TRUE(result == 0 || result == 1);
      EXPECT_EQ(h.api.open_sockets(), 0);
      EXPECT_EQ(h.api.double_closes(), 0);
    }
  }
}

}  // namespace
}  // namespace pscfg
