#pragma once
// Factory defaults of the configuration record, set in the buffer as the
// Factory defaults page does (the write and reset come afterwards):
//
//   16..23   the 8-byte device name of the PServerInfo; 24 := 0
//   32..63   0 (SNMP contact and location)
//   76, 124, 172   first byte 0 (file server, NDS tree, NDS context)
//   75       2 (polling interval)
//   72       clear 0x80 and 0x02, set 0x04 and 0x20, other bits kept
//   380..395 0 (SMB workgroup)
//   404      0;  405  1
//   406..465 0 (mail blocks)
//   470..488 0 (DHCP server pool and mode)
//   490..501 0 (mask, gateway, IP address)
// Every other byte keeps its value; the checksum is not touched.

#include <cstdint>
#include <span>

namespace pscfg {

// `device_name` gives the 8 name bytes; a shorter span is completed with 0.
void ApplyFactoryDefaults(std::span<std::uint8_t> record,
                          std::span<const std::uint8_t> device_name);

}  // namespace pscfg
