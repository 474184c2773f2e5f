#pragma once
// The --log line for one received datagram.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pscfg::psemu {

// "<sender> len=<n> <hex of the first bytes> <command> -> <target>", e.g.
// "127.0.0.1:40000 len=10 ff ff ff ff ff ff 00 04 ff fb search -> broadcast".
// A datagram that is no request reads "not a request" instead of command and
// target.
std::string DescribeDatagram(std::string_view sender, std::span<const std::uint8_t> datagram);

}  // namespace pscfg::psemu
