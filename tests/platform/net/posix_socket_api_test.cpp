// The POSIX sockets layer on loopback: Winsock error numbers, truncation as
// an error, and the broadcast redirect.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <random>

#include "platform/net/posix_socket_api.h"

namespace pscfg::net {
namespace {

// A loopback address of this test's own, and PSCFG_BROADCAST pointing at it.
class PosixSocketApiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device seed;
    last_octet_ = static_cast<std::uint8_t>(2 + seed() % 250);
    local_ = {127, 0, 0, last_octet_};
    const std::string text = "127.0.0." + std::to_string(last_octet_);
    ::setenv("PSCFG_BROADCAST", text.c_str(), 1);
  }

  // A bound receiving socket on the test's loopback address; returns its port.
  std::uint16_t BindReceiver(Socket* s) {
    *s = api.socket(kAfInet, kSockDgram, kIpprotoUdp);
    EXPECT_NE(*s, kInvalidSocket);
    EXPECT_EQ(api.bind(*s, SocketAddress::Inet(local_, 0)), 0);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    ::getsockname(*s, reinterpret_cast<sockaddr*>(&bound), &length);
    return ntohs(bound.sin_port);
  }

  PosixSocketApi api;
  Ipv4 local_{};
  std::uint8_t last_octet_ = 0;
};

TEST_F(PosixSocketApiTest, BroadcastGoesToTheRedirectAddress) {
  Socket receiver;
  const std::uint16_t port = BindReceiver(&receiver);
  const Socket sender = api.socket(kAfInet, kSockDgram, kIpprotoUdp);
  ASSERT_EQ(api.setsockopt(sender, kSolSocket, kSoBroadcast, 1), 0);
  const std::uint8_t data[] = {1, 2, 3};
  ASSERT_EQ(api.sendto(sender, data, SocketAddress::Inet(kLimitedBroadcast, port)), 3);
  ASSERT_EQ(api.select(receiver, SelectSet::kRead, {2, 0}), 1);
  std::uint8_t buffer[8];
  SocketAddress from;
  EXPECT_EQ(api.recvfrom(receiver, buffer, &from), 3);
  EXPECT_EQ(from.family(), kAfInet);
  api.closesocket(sender);
  api.closesocket(receiver);
}

TEST_F(PosixSocketApiTest, MalformedRedirectRefusesToBroadcast) {
  ::setenv("PSCFG_BROADCAST", "not-an-address", 1);
  const Socket sender = api.socket(kAfInet, kSockDgram, kIpprotoUdp);
  const std::uint8_t data[] = {1};
  EXPECT_EQ(api.sendto(sender, data, SocketAddress::Inet(kLimitedBroadcast, 13364)), kSocketError);
  EXPECT_EQ(api.WSAGetLastError(), kWsaeAddrNotAvail);
  api.closesocket(sender);
}

TEST_F(PosixSocketApiTest, DatagramLongerThanTheBufferIsMessageTooLong) {
  Socket receiver;
  const std::uint16_t port = BindReceiver(&receiver);
  const Socket sender = api.socket(kAfInet, kSockDgram, kIpprotoUdp);
  const std::uint8_t data[10] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
  const std::uint8_t next[2] = {42, 43};
  ASSERT_EQ(api.sendto(sender, data, SocketAddress::Inet(local_, port)), 10);
  ASSERT_EQ(api.sendto(sender, next, SocketAddress::Inet(local_, port)), 2);
  ASSERT_EQ(api.select(receiver, SelectSet::kRead, {2, 0}), 1);
  std::uint8_t buffer[4] = {};
  EXPECT_EQ(api.recv(receiver, buffer), kSocketError);
  EXPECT_EQ(api.WSAGetLastError(), kWsaeMsgSize);
  EXPECT_EQ(buffer[0], 9) << "the first bytes are stored";
  // The long datagram is consumed; the next one follows.
  ASSERT_EQ(api.select(receiver, SelectSet::kRead, {2, 0}), 1);
  EXPECT_EQ(api.recv(receiver, buffer), 2);
  EXPECT_EQ(buffer[0], 42);
  api.closesocket(sender);
  api.closesocket(receiver);
}

TEST_F(PosixSocketApiTest, NonBlockingReceiveWithNothingThereWouldBlock) {
  Socket receiver;
  BindReceiver(&receiver);
  unsigned long on = 1;
  ASSERT_EQ(api.ioctlsocket(receiver, kFionbio, &on), 0);
  EXPECT_EQ(api.select(receiver, SelectSet::kRead, {0, 20000}), 0);
  std::uint8_t buffer[4];
  EXPECT_EQ(api.recv(receiver, buffer), kSocketError);
  EXPECT_EQ(api.WSAGetLastError(), kWsaeWouldBlock);
  EXPECT_EQ(api.select(receiver, SelectSet::kWrite, {1, 0}), 1);
  api.closesocket(receiver);
}

TEST_F(PosixSocketApiTest, CallsFailWithWinsockNumbers) {
  EXPECT_EQ(api.socket(kAfIpx, kSockDgram, kNsprotoIpx), kInvalidSocket);
  EXPECT_EQ(api.WSAGetLastError(), kWsaeAfNoSupport);
  const Socket s = api.socket(kAfInet, kSockDgram, kIpprotoUdp);
  EXPECT_EQ(api.setsockopt(s, kSolSocket, 0x7777, 1), kSocketError);
  EXPECT_EQ(api.WSAGetLastError(), kWsaeNoProtoOpt);
  unsigned long on = 1;
  EXPECT_EQ(api.ioctlsocket(s, 0x1234, &on), kSocketError);
  EXPECT_EQ(api.WSAGetLastError(), kWsaeInval);
  api.closesocket(s);
  EXPECT_EQ(api.closesocket(s), kSocketError);
  EXPECT_EQ(api.WSAGetLastError(), kWsaeNotSock);
  EXPECT_EQ(api.select(-5, SelectSet::kRead, {0, 0}), kSocketError);
}

TEST_F(PosixSocketApiTest, BindingATakenAddressIsAddressInUse) {
  Socket first;
  const std::uint16_t port = BindReceiver(&first);
  const Socket second = api.socket(kAfInet, kSockDgram, kIpprotoUdp);
  EXPECT_EQ(api.bind(second, SocketAddress::Inet(local_, port)), kSocketError);
  EXPECT_EQ(api.WSAGetLastError(), kWsaeAddrInUse);
  api.closesocket(second);
  api.closesocket(first);
}

}  // namespace
}  // namespace pscfg::net
