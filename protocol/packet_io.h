#pragma once
// XSendPacket and XReceivePacket: one send attempt and one receive attempt.

#include <cstdint>
#include <span>

#include "platform/net/socket_api.h"
#include "protocol/reporter.h"

namespace pscfg {

inline constexpr net::TimeVal kSendWait{1, 0};
inline constexpr net::TimeVal kReceiveWait{0, 200000};

// Waits up to 1 s for writability, then sends one datagram. True when there
// was no transport error (*sent may be 0 after a time-out or would-block).
// On a transport error the failure is reported, the socket is closed when
// `close_on_failure`, and false is returned.
bool XSendPacket(net::SocketApi& api, const FailureReporter& report, net::Socket s,
                 std::span<const std::uint8_t> data, const net::SocketAddress& to,
                 bool close_on_failure, int* sent);

// Waits up to 200 ms for readability, then receives one datagram of at most
// `buffer.size()` bytes. True when there was no transport error (*received
// may be 0 after a time-out). On a transport error (a datagram longer than
// the buffer among them) the failure is reported, the socket closed and
// false returned. `from`, when given, receives the sender's address.
bool XReceivePacket(net::SocketApi& api, const FailureReporter& report, net::Socket s,
                    std::span<std::uint8_t> buffer, int* received,
                    net::SocketAddress* from = nullptr);

}  // namespace pscfg
