#pragma once
// Winsock-shaped datagram sockets.
//
// The device protocol was defined against Windows Sockets 1.1; this is the
// part of that interface the programs use, with Winsock's constant values
// and error numbers, so that messages such as " 10035: ...() Fail" print
// what users of the original programs know. PosixSocketApi runs it for real;
// tests substitute a scripted fake.

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/net/socket_address.h"

namespace pscfg::net {

using Socket = int;
inline constexpr Socket kInvalidSocket = -1;
inline constexpr int kSocketError = -1;

// Address families, types and protocols (Winsock values).
inline constexpr int kAfInet = 2;
inline constexpr int kAfIpx = 6;
inline constexpr int kSockDgram = 2;
inline constexpr int kIpprotoUdp = 17;
inline constexpr int kNsprotoIpx = 1000;

// ioctlsocket command and socket options (Winsock values).
inline constexpr long kFionbio = 0x8004667EL;
inline constexpr int kSolSocket = 0xFFFF;
inline constexpr int kSoReuseAddr = 0x0004;
inline constexpr int kSoBroadcast = 0x0020;

// Winsock error numbers returned by WSAGetLastError.
enum WsaError : int {
  kWsaeIntr = 10004,
  kWsaeBadf = 10009,
  kWsaeAcces = 10013,
  kWsaeFault = 10014,
  kWsaeInval = 10022,
  kWsaeMfile = 10024,
  kWsaeWouldBlock = 10035,
  kWsaeNotSock = 10038,
  kWsaeDestAddrReq = 10039,
  kWsaeMsgSize = 10040,
  kWsaeProtoType = 10041,
  kWsaeNoProtoOpt = 10042,
  kWsaeProtoNoSupport = 10043,
  kWsaeSocktNoSupport = 10044,
  kWsaeOpNotSupp = 10045,
  kWsaeAfNoSupport = 10047,
  kWsaeAddrInUse = 10048,
  kWsaeAddrNotAvail = 10049,
  kWsaeNetDown = 10050,
  kWsaeNetUnreach = 10051,
  kWsaeConnReset = 10054,
  kWsaeNoBufs = 10055,
  kWsaeNotConn = 10057,
  kWsaeHostUnreach = 10065,
  kWsaeConnRefused = 10061,
};

// A select time-out: seconds and microseconds, as struct timeval.
struct TimeVal {
  long seconds = 0;
  long microseconds = 0;
};

enum class SelectSet { kRead, kWrite };

class SocketApi {
 public:
  virtual ~SocketApi() = default;

  virtual Socket socket(int address_family, int type, int protocol) = 0;
  // Only FIONBIO is supported: *argument != 0 switches to non-blocking.
  virtual int ioctlsocket(Socket s, long command, unsigned long* argument) = 0;
  virtual int setsockopt(Socket s, int level, int option, int value) = 0;
  virtual int bind(Socket s, const SocketAddress& address) = 0;
  // select with the one socket in the read or the write set: 1 when it is
  // ready, 0 on time-out, kSocketError on failure.
  virtual int select(Socket s, SelectSet set, const TimeVal& timeout) = 0;
  virtual int sendto(Socket s, std::span<const std::uint8_t> data, const SocketAddress& to) = 0;
  // Receives one datagram. A datagram longer than `buffer` is consumed, its
  // first bytes are stored, and the call fails with kWsaeMsgSize.
  virtual int recvfrom(Socket s, std::span<std::uint8_t> buffer, SocketAddress* from) = 0;
  virtual int recv(Socket s, std::span<std::uint8_t> buffer) {
    return recvfrom(s, buffer, nullptr);
  }
  virtual int closesocket(Socket s) = 0;
  virtual int WSAGetLastError() const = 0;
};

}  // namespace pscfg::net
