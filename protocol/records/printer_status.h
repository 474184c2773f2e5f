#pragma once
// Decoding of a printer's status record (PrinterStatus, 406 bytes).
//
//   offset  width  field
//   0       2      port index echoed (u16le)
//   2       2      L1: valid bytes of block 1, counted from 4
//   4       200    block 1: 2 bytes, then from 6 the status text with "DISPLAY="
//   204     2      L2: valid bytes of block 2, counted from 206
//   206     200    block 2: 2 bytes, then from 208 entries each ended by ';'
//
// The programs put a 0 at 4 + L1 (206 + L2) and read up to it. Here the
// same end is a bound on a read-only view, so the caller's buffer is never
// changed. A length that would put that end past its 200-byte block is a
// device fault: the view stops at the end of the block, never outside it.
// A length below 2 leaves no text.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pscfg {

// The port index echoed at offset 0.
std::uint16_t PrinterStatusPort(std::span<const std::uint8_t> printer_status);

// True when block 1 carries the keyword "DISPLAY=", even with no text
// after it: the printer then shows an empty display.
bool HasDisplayText(std::span<const std::uint8_t> printer_status);

// The display text: the text after "DISPLAY=" (after the second one when the
// keyword comes twice), ending at the first byte below 0x20 or above 0x7E.
// Empty when there is no keyword.
std::string DisplayText(std::span<const std::uint8_t> printer_status);

// The entries of block 2: each ';' ends an entry, an entry ends when it
// reaches 79 bytes and the next byte starts a new one, and the bytes after
// the last ';' form no entry. An entry shows up to its first 0 byte.
std::vector<std::string> Block2Entries(std::span<const std::uint8_t> printer_status);

}  // namespace pscfg
