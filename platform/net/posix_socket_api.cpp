#include "platform/net/posix_socket_api.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace pscfg::net {

namespace {

sockaddr_in ToSockaddrIn(const Ipv4& address, std::uint16_t port) {
  sockaddr_in in{};
  in.sin_family = AF_INET;
  in.sin_port = htons(port);
  std::memcpy(&in.sin_addr.s_addr, address.data(), address.size());
  return in;
}

SocketAddress FromSockaddrIn(const sockaddr_in& in) {
  Ipv4 address;
  std::memcpy(address.data(), &in.sin_addr.s_addr, address.size());
  return SocketAddress::Inet(address, ntohs(in.sin_port));
}

}  // namespace

int WsaErrorFromErrno(int error) {
  switch (error) {
    case EINTR:
      return kWsaeIntr;
    case EBADF:
      return kWsaeNotSock;
    case EACCES:
    case EPERM:
      return kWsaeAcces;
    case EFAULT:
      return kWsaeFault;
    case EINVAL:
      return kWsaeInval;
    case EMFILE:
    case ENFILE:
      return kWsaeMfile;
#if EAGAIN != EWOULDBLOCK
    case EAGAIN:
#endif
    case EWOULDBLOCK:
      return kWsaeWouldBlock;
    case ENOTSOCK:
      return kWsaeNotSock;
    case EDESTADDRREQ:
      return kWsaeDestAddrReq;
    case EMSGSIZE:
      return kWsaeMsgSize;
    case EPROTOTYPE:
      return kWsaeProtoType;
    case ENOPROTOOPT:
      return kWsaeNoProtoOpt;
    case EPROTONOSUPPORT:
      return kWsaeProtoNoSupport;
    case ESOCKTNOSUPPORT:
      return kWsaeSocktNoSupport;
    case EOPNOTSUPP:
      return kWsaeOpNotSupp;
    case EAFNOSUPPORT:
      return kWsaeAfNoSupport;
    case EADDRINUSE:
      return kWsaeAddrInUse;
    case EADDRNOTAVAIL:
      return kWsaeAddrNotAvail;
    case ENETDOWN:
      return kWsaeNetDown;
    case ENETUNREACH:
      return kWsaeNetUnreach;
    case ECONNRESET:
      return kWsaeConnReset;
    case ENOBUFS:
    case ENOMEM:
      return kWsaeNoBufs;
    case ENOTCONN:
      return kWsaeNotConn;
    case ECONNREFUSED:
      return kWsaeConnRefused;
    case EHOSTUNREACH:
      return kWsaeHostUnreach;
    default:
      return kWsaeInval;
  }
}

BroadcastRedirect ReadBroadcastRedirect() {
  BroadcastRedirect redirect;
  const char* value = std::getenv("PSCFG_BROADCAST");
  if (value == nullptr) return redirect;
  redirect.set = true;
  in_addr parsed{};
  if (inet_pton(AF_INET, value, &parsed) == 1) {
    Ipv4 address;
    std::memcpy(address.data(), &parsed.s_addr, address.size());
    redirect.address = address;
  }
  return redirect;
}

int PosixSocketApi::Fail(int wsa_error) {
  last_error_ = wsa_error;
  return kSocketError;
}

int PosixSocketApi::FailFromErrno() { return Fail(WsaErrorFromErrno(errno)); }

Socket PosixSocketApi::socket(int address_family, int type, int protocol) {
  if (address_family != kAfInet) return Fail(kWsaeAfNoSupport);
  if (type != kSockDgram) return Fail(kWsaeSocktNoSupport);
  if (protocol != 0 && protocol != kIpprotoUdp) return Fail(kWsaeProtoNoSupport);
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
  if (fd < 0) return FailFromErrno();
  return fd;
}

int PosixSocketApi::ioctlsocket(Socket s, long command, unsigned long* argument) {
  if (command != kFionbio || argument == nullptr) return Fail(kWsaeInval);
  const int flags = ::fcntl(s, F_GETFL);
  if (flags < 0) return FailFromErrno();
  const int wanted = *argument != 0 ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
  if (::fcntl(s, F_SETFL, wanted) < 0) return FailFromErrno();
  return 0;
}

int PosixSocketApi::setsockopt(Socket s, int level, int option, int value) {
  if (level != kSolSocket) return Fail(kWsaeNoProtoOpt);
  int posix_option = 0;
  if (option == kSoBroadcast) {
    posix_option = SO_BROADCAST;
  } else if (option == kSoReuseAddr) {
    posix_option = SO_REUSEADDR;
  } else {
    return Fail(kWsaeNoProtoOpt);
  }
  if (::setsockopt(s, SOL_SOCKET, posix_option, &value, sizeof value) < 0) return FailFromErrno();
  return 0;
}

int PosixSocketApi::bind(Socket s, const SocketAddress& address) {
  if (address.family() != kAfInet) return Fail(kWsaeAfNoSupport);
  const sockaddr_in in = ToSockaddrIn(address.ipv4(), address.port());
  if (::bind(s, reinterpret_cast<const sockaddr*>(&in), sizeof in) < 0) return FailFromErrno();
  return 0;
}

int PosixSocketApi::select(Socket s, SelectSet set, const TimeVal& timeout) {
  if (s < 0) return Fail(kWsaeNotSock);
  if (timeout.seconds < 0 || timeout.microseconds < 0) return Fail(kWsaeInval);
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(timeout.seconds) +
                        std::chrono::microseconds(timeout.microseconds);
  pollfd entry{};
  entry.fd = s;
  entry.events = set == SelectSet::kRead ? POLLIN : POLLOUT;
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    const int wait_ms = left.count() > 0 ? static_cast<int>(left.count()) : 0;
    const int ready = ::poll(&entry, 1, wait_ms);
    if (ready < 0 && errno == EINTR) continue;  // a signal is not a failed wait
    if (ready < 0) return FailFromErrno();
    if (ready == 0) return 0;
    if ((entry.revents & POLLNVAL) != 0) return Fail(kWsaeNotSock);
    // An error condition counts as ready, as in select: the next call reports it.
    return 1;
  }
}

int PosixSocketApi::sendto(Socket s, std::span<const std::uint8_t> data, const SocketAddress& to) {
  if (to.family() != kAfInet) return Fail(kWsaeAfNoSupport);
  Ipv4 destination = to.ipv4();
  if (destination == kLimitedBroadcast) {
    const BroadcastRedirect redirect = ReadBroadcastRedirect();
    if (redirect.set) {
      if (!redirect.address) return Fail(kWsaeAddrNotAvail);
      destination = *redirect.address;
    }
  }
  const sockaddr_in in = ToSockaddrIn(destination, to.port());
  const ssize_t sent = ::sendto(s, data.data(), data.size(), MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&in), sizeof in);
  if (sent < 0) return FailFromErrno();
  return static_cast<int>(sent);
}

int PosixSocketApi::recvfrom(Socket s, std::span<std::uint8_t> buffer, SocketAddress* from) {
  sockaddr_in in{};
  iovec part{buffer.data(), buffer.size()};
  msghdr message{};
  message.msg_name = &in;
  message.msg_namelen = sizeof in;
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  const ssize_t received = ::recvmsg(s, &message, 0);
  if (received < 0) return FailFromErrno();
  if (from != nullptr) *from = FromSockaddrIn(in);
  // Winsock reports a datagram that does not fit as an error; the datagram
  // is gone all the same.
  if ((message.msg_flags & MSG_TRUNC) != 0) return Fail(kWsaeMsgSize);
  return static_cast<int>(received);
}

int PosixSocketApi::closesocket(Socket s) {
  if (::close(s) < 0) return FailFromErrno();
  return 0;
}

}  // namespace pscfg::net
