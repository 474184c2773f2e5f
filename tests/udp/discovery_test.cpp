// Discovery over UDP against a scripted network.

#include <gtest/gtest.h>

#include <map>

#include "protocol/server_manager.h"
#include "tests/support/recording_reporter.h"
#include "tests/support/scripted_socket_api.h"
#include "udp/udp_transport.h"

namespace pscfg {
namespace {

using testing::Bytes;

struct FakeServer {
  NodeAddress node;
  std::string alias;
  bool tcpip = true;
  std::array<std::uint8_t, 4> ip = {127, 0, 0, 50};
};

Bytes SearchReply(const FakeServer& server) {
  Bytes frame(server.node.begin(), server.node.end());
  frame.insert(frame.end(), {0x01, 0x04, 0xFF, 0xFB});
  Bytes info(kPServerInfoSize, 0);
  std::copy_n("PSDEVICE", 8, info.begin());
  std::copy(server.alias.begin(), server.alias.end(), info.begin() + 8);
  info[64] = 1;
  frame.insert(frame.end(), info.begin(), info.end());
  return frame;
}

Bytes RecordReply(const FakeServer& server) {
  Bytes frame(server.node.begin(), server.node.end());
  frame.insert(frame.end(), {0x01, 0x02, 0xFF, 0xFD});
  Bytes record(kEEPromImageSize, 0);
  record[489] = server.tcpip ? 0x01 : 0x00;
  std::copy(server.ip.begin(), server.ip.end(), record.begin() + 498);
  frame.insert(frame.end(), record.begin(), record.end());
  return frame;
}

class DiscoveryTest : public ::testing::Test {
 protected:
  DiscoveryTest() {
    manager.set_title("Print Server");
    manager.set_program_directory("/nonexistent-pscfg-dir");  // no Config.ini: type 0 only
  }

  // Every broadcast search is answered by the servers, one datagram each,
  // in the next receive waits; record reads are answered by their node.
  void AnswerLike(std::vector<FakeServer> servers) {
    servers_ = std::move(servers);
    api.on_send = [this](const testing::SentDatagram& d) {
      if (d.data.size() < 10) return;
      const NodeAddress node{d.data[0], d.data[1], d.data[2], d.data[3], d.data[4], d.data[5]};
      const std::uint8_t command = d.data[7];
      for (const FakeServer& server : servers_) {
        const auto sender = net::SocketAddress::Inet({127, 0, 0, 2}, 13364);
        if (command == 4 && node == kAllNodes) {
          api.QueueFor(d.socket, testing::Incoming::Datagram(SearchReply(server), sender));
        }
        if (command == 2 && node == server.node) {
          api.QueueFor(d.socket, testing::Incoming::Datagram(RecordReply(server), sender));
        }
      }
    };
  }

  testing::ScriptedSocketApi api;
  testing::RecordingReporter reporter;
  UdpTransport transport{api};
  CPServerManager manager{transport, reporter};
  std::vector<FakeServer> servers_;
};

TEST_F(DiscoveryTest, SendsTheTenByteRequestTwiceInEachOfThreePasses) {
  EXPECT_TRUE(manager.XGetPort());
  ASSERT_EQ(api.sent().size(), 6u);
  for (const auto& d : api.sent()) {
    EXPECT_EQ(testing::Hex(d.data), "FF FF FF FF FF FF 00 04 FF FB ");
    EXPECT_EQ(d.to, net::SocketAddress::Inet({255, 255, 255, 255}, 13364));
  }
  EXPECT_EQ(manager.server_count(), 0);
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_EQ(api.open_sockets(), 0);
  EXPECT_EQ(api.binds(), (std::vector{UdpTransport::AnyLocal()}));
}

TEST_F(DiscoveryTest, RepliesBecomeEntriesWithTheirNodeAndAddress) {
  AnswerLike({{{0, 0x40, 1, 1, 1, 1}, "FIRST", true, {127, 0, 0, 51}},
              {{0, 0x40, 2, 2, 2, 2}, "SECOND", true, {0, 0, 0, 0}}});
  ASSERT_TRUE(manager.XGetPort());
  ASSERT_EQ(manager.server_count(), 2);
  EXPECT_EQ(manager.server(0).Alias(), "FIRST");
  EXPECT_EQ(manager.server(0).node_address, (NodeAddress{0, 0x40, 1, 1, 1, 1}));
  EXPECT_EQ(manager.server(0).ip_address, (net::Ipv4{127, 0, 0, 51}));
  EXPECT_EQ(manager.server(0).tcpip, 1);
  EXPECT_EQ(manager.server(1).Alias(), "SECOND");
  const auto sender = net::SocketAddress::Inet({127, 0, 0, 2}, 13364);
  EXPECT_TRUE(std::equal(sender.bytes().begin(), sender.bytes().end(),
                         manager.server(1).udp_sender.begin()));
  EXPECT_EQ(api.open_sockets(), 0);
}

TEST_F(DiscoveryTest, ServerWithoutTcpIpSupportIsNotListed) {
  AnswerLike({{{0, 0x40, 1, 1, 1, 1}, "NOTCP", false}, {{0, 0x40, 2, 2, 2, 2}, "TCP", true}});
  ASSERT_TRUE(manager.XGetPort());
  ASSERT_EQ(manager.server_count(), 1);
  EXPECT_EQ(manager.server(0).Alias(), "TCP");
}

TEST_F(DiscoveryTest, TwoDatagramsOf40And36BytesMakeOneReply) {
  const Bytes reply = SearchReply({{0, 0x40, 3, 3, 3, 3}, "SPLIT"});
  api.QueueDatagram(Bytes(reply.begin(), reply.begin() + 40));
  api.QueueDatagram(Bytes(reply.begin() + 40, reply.end()));
  const net::Socket s = api.socket(net::kAfInet, net::kSockDgram, 17);
  ASSERT_TRUE(manager.XGetAllPServername(s));
  ASSERT_EQ(manager.server_count(), 1);
  EXPECT_EQ(manager.server(0).Alias(), "SPLIT");
  EXPECT_EQ(manager.server(0).node_address, (NodeAddress{0, 0x40, 3, 3, 3, 3}));
  EXPECT_TRUE(reporter.messages.empty());
  api.closesocket(s);
}

TEST_F(DiscoveryTest, DatagramLongerThanTheMissingBytesIsReportedAndCollectingGoesOn) {
  Bytes too_long = SearchReply({{0, 0x40, 4, 4, 4, 4}, "LONG"});
  too_long.push_back(0);
  api.QueueDatagram(too_long);
  api.QueueDatagram(SearchReply({{0, 0x40, 5, 5, 5, 5}, "AFTER"}));
  const net::Socket s = api.socket(net::kAfInet, net::kSockDgram, 17);
  ASSERT_TRUE(manager.XGetAllPServername(s));
  EXPECT_EQ(reporter.texts(),
            (std::vector<std::string>{" 10040: XGetAllPServername-recvfrom() Fail"}));
  EXPECT_EQ(reporter.messages[0].caption, "Print Server");
  ASSERT_EQ(manager.server_count(), 1);
  EXPECT_EQ(manager.server(0).Alias(), "AFTER");
  api.closesocket(s);
}

TEST_F(DiscoveryTest, TwentyIncompleteDatagramsEndThePass) {
  for (int i = 0; i < 20; ++i) api.QueueDatagram(Bytes(1, 0xEE));
  api.QueueDatagram(SearchReply({{0, 0x40, 6, 6, 6, 6}, "LATE"}));
  const net::Socket s = api.socket(net::kAfInet, net::kSockDgram, 17);
  ASSERT_TRUE(manager.XGetAllPServername(s));
  // Pass 0 gave up after 20 datagrams; pass 1 starts a new buffer and gets LATE whole.
  ASSERT_EQ(manager.server_count(), 1);
  EXPECT_EQ(manager.server(0).Alias(), "LATE");
  api.closesocket(s);
}

TEST_F(DiscoveryTest, AHundredServersAreStoredAndNoMore) {
  std::vector<FakeServer> many;
  for (int i = 0; i < 105; ++i) {
    many.push_back(
        {{0, 0x40, 0, 0, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i)},
         "PS" + std::to_string(i)});
  }
  AnswerLike(many);
  ASSERT_TRUE(manager.XGetPort());
  EXPECT_EQ(manager.server_count(), 100);
  EXPECT_EQ(manager.server(99).Alias(), "PS99");
  // Collecting stopped at the 100th: one pass's two requests were enough.
  EXPECT_EQ(std::count_if(api.sent().begin(), api.sent().end(),
                          [](const auto& d) { return d.data[7] == 4; }),
            2);
}

TEST_F(DiscoveryTest, SetUpFailuresEndDiscoveryWithAnEmptyTable) {
  using Call = testing::ScriptedSocketApi::Call;
  const std::pair<Call, const char*> rows[] = {
      {Call::kSocket, " 10047: XGetPort-socket() Fail"},
      {Call::kIoctl, " 10047: XGetPort-ioctlsocket() Fail"},
      {Call::kSetsockopt, " 10047: XGetPort-setsockopt() Fail"},
      {Call::kBind, " 10047: XGetPort-bind() Fail"},
  };
  for (const auto& [call, text] : rows) {
    testing::ScriptedSocketApi own;
    testing::RecordingReporter shown;
    UdpTransport udp(own);
    CPServerManager m(udp, shown);
    m.set_title("T");
    m.AddServer(SearchReply({{1, 1, 1, 1, 1, 1}, "OLD"}), {}, {});
    own.FailNext(call, net::kWsaeAfNoSupport);
    EXPECT_FALSE(m.XGetPort()) << text;
    EXPECT_EQ(m.server_count(), 0);
    EXPECT_EQ(shown.texts(), (std::vector<std::string>{text}));
    EXPECT_EQ(shown.messages[0].caption, "T");
    EXPECT_EQ(own.open_sockets(), 0);
  }
}

TEST_F(DiscoveryTest, SelectFailureEndsDiscoveryWithItsMessage) {
  api.QueueDatagram(SearchReply({{0, 0x40, 7, 7, 7, 7}, "BEFORE"}));
  api.Queue(testing::Incoming::SelectError(net::kWsaeNetDown));
  api.QueueDatagram(RecordReply({{0, 0x40, 7, 7, 7, 7}, "BEFORE"}));
  EXPECT_TRUE(manager.XGetPort());
  EXPECT_EQ(reporter.texts(),
            (std::vector<std::string>{" 10050: XGetAllPServername-select() Fail"}));
  EXPECT_EQ(manager.server_count(), 1) << "the entry found before is kept and read";
  EXPECT_EQ(api.open_sockets(), 0);
}

TEST_F(DiscoveryTest, SendFailureClosesTheSocketOnce) {
  api.QueueSend({testing::SendOutcome::Kind::kSendError, net::kWsaeAddrNotAvail});
  EXPECT_TRUE(manager.XGetPort());
  EXPECT_EQ(reporter.texts(), (std::vector<std::string>{" 10049: XSendPacket-send() Fail"}));
  EXPECT_EQ(api.open_sockets(), 0);
  EXPECT_EQ(api.double_closes(), 0);
}

}  // namespace
}  // namespace pscfg
