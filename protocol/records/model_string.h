#pragma once
// The model text of the General page.
//
//   with serial ports:    "%dP%dS/%X%c-%d.%d.%d%d"
//   without serial ports: "%dP/%X%c-%d.%d.%d%d"
// filled with the parallel and serial port counts of byte 8, the hardware
// code h (h >> 4, then the letter 0x40 + (h & 0x0F)), the version v
// (v >> 4, v & 0x0F) and the build b (b >> 4, b & 0x0F). The model letter of
// the server table's model suffix code follows: high nibble 0x10 "A",
// 0x20 "B", 0x40 "C", nothing otherwise. Example: 1 parallel port, h 0x21,
// v 0x23, b 0x05, suffix 0x10: "1P/2A-2.3.05A".

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace pscfg {

// "A", "B", "C" or "" for the model suffix code of a PServerInfo.
std::string_view ModelLetter(std::uint8_t model_suffix_code);

std::string ModelString(std::span<const std::uint8_t> record, std::uint8_t model_suffix_code);

}  // namespace pscfg
