#include "testbed/psemu/frame_log.h"

#include <algorithm>
#include <cstdio>

#include "testbed/psemu/frames.h"

namespace pscfg::psemu {
namespace {

constexpr std::size_t kLoggedBytes = 16;

std::string NodeText(const NodeAddress& node) {
  char text[18];
  std::snprintf(text, sizeof text, "%02x:%02x:%02x:%02x:%02x:%02x", node[0], node[1], node[2],
                node[3], node[4], node[5]);
  return text;
}

}  // namespace

std::string DescribeDatagram(std::string_view sender, std::span<const std::uint8_t> datagram) {
  std::string line(sender);
  line += " len=" + std::to_string(datagram.size());
  const std::size_t shown = std::min(datagram.size(), kLoggedBytes);
  for (std::size_t i = 0; i < shown; ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, " %02x", datagram[i]);
    line += hex;
  }
  if (shown < datagram.size()) line += " ...";
  const auto request = ParseRequest(datagram);
  if (!request) return line + " not a request";
  line += " ";
  line += CommandName(request->command);
  line += " -> ";
  line += request->broadcast() ? "broadcast" : NodeText(request->target);
  return line;
}

}  // namespace pscfg::psemu
