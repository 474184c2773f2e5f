#pragma once
// The records an emulated print server sends, derived from its state.
//
// Pure functions: the same inputs give the same bytes, so tests can compare
// whole replies.

#include <cstddef>
#include <span>
#include <string>

#include "protocol/records/address_text.h"
#include "testbed/psemu/device_config.h"

namespace pscfg::psemu {

// "PS" and the last three bytes of the node in hexadecimal: 8 characters.
std::string DefaultDeviceName(const NodeAddress& node);

// A complete record of a one-port TCP/IP print server with factory settings.
Record DefaultRecord(const NodeAddress& node);

// Identity block with the default name, firmware complete and no
// printer-status capability.
InfoBlock DefaultInfo(const NodeAddress& node);

// The identity block of a search reply: `info` with the alias of `applied`.
InfoBlock SearchInfo(const InfoBlock& info, std::span<const std::uint8_t> applied);

// The print-server status of a device running `applied`.
StatusRecord ServerStatus(const NodeAddress& node, std::span<const std::uint8_t> applied,
                          const PrinterPorts& ports, const StatusOverlay& overlay);

// Block 1 text after its two leading bytes ("" when the port has no display
// text), and the most text a block carries with its terminator inside it.
std::string Block1Text(const PrinterPort& port);
inline constexpr std::size_t kMaxBlockText = 197;

PrinterStatusRecord PrinterStatus(std::uint16_t port_index, const PrinterPort& port);

// The address a device without a fixed IP address pretends to have been given.
Ipv4Bytes AssignedAddress(const NodeAddress& node);

}  // namespace pscfg::psemu
