#pragma once
// Reading of Windows initialisation files ("Config.ini"), with the behaviour
// that the programs expect from GetPrivateProfileString and
// GetPrivateProfileInt.
//
// File format as read here:
//   [Section Name]        a section; text after the first ']' is ignored
//   Key = value           a key of the section above it
//   ; text                a comment (also after leading blanks)
// - Section and key names compare case-insensitively (ASCII letters only);
//   blanks around names and values are trimmed.
// - A value wrapped in one pair of matching double or single quotes loses
//   them; what is inside is kept as it is.
// - The first matching section, and within it the first matching key, wins.
// - A line without '=' is no key; a line starting with '[' without ']' is
//   ignored; lines before the first section belong to none and are never found.
// - Lines end with LF, CRLF or a lone CR. A UTF-8 byte-order mark is skipped.
// - The file is taken as UTF-8 when it is valid UTF-8, otherwise as CP950.
// - A NUL byte ends a value, as it ends the string the programs receive.
// Nothing is ever written.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace pscfg::profile {

// True when the file exists, is no directory and can be opened for reading.
bool CanOpenForReading(const std::filesystem::path& file);

// The value of `key` in `section` of `file`, or `default_value` when the
// file, the section or the key is missing. The result is cut so that it fits
// a buffer of `buffer_size` bytes with its terminator: at most buffer_size-1
// bytes counted in CP950 (ASCII one byte, every other character two), never
// splitting a character. A buffer size of 0 gives "". Result in UTF-8.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view default_value, std::size_t buffer_size,
                                    const std::filesystem::path& file);

// The value of `key` read as an integer: leading blanks, an optional sign,
// then decimal digits or "0x"/"0X" and hexadecimal digits, up to the first
// other character. `default_value` when the file, section or key is missing
// or the value is empty; 0 when the value starts with no number. Numbers
// beyond 32 bits wrap modulo 2^32.
int GetPrivateProfileInt(std::string_view section, std::string_view key, int default_value,
                         const std::filesystem::path& file);

// The integer rule of GetPrivateProfileInt applied to a text.
int ParseProfileInt(std::string_view text);

}  // namespace pscfg::profile
