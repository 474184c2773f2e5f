#pragma once
// Conversions between the programs' ANSI code page and UTF-8.
//
// Texts inside device records and in files written for the Windows programs
// are CP950 (Big5) bytes; the user interface and the terminal work in UTF-8.
// These functions convert at that edge. ASCII passes through unchanged.

#include <string>
#include <string_view>

namespace pscfg::text {

// The character that stands for bytes that are no CP950 character.
inline constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

// True when `bytes` is well-formed UTF-8: no overlong forms, no surrogates,
// nothing beyond U+10FFFF, no sequence cut off at the end.
bool IsValidUtf8(std::string_view bytes);

// CP950 bytes (e.g. an alias from a device record) to UTF-8. Never fails:
// a double-byte code that CP950 does not assign becomes one U+FFFD, any other
// byte that starts no character becomes one U+FFFD of its own.
std::string Cp950ToUtf8(std::string_view cp950);

// UTF-8 to CP950. Returns false and leaves *out empty when `utf8` is not
// valid UTF-8 or holds a character that CP950 cannot encode.
bool Utf8ToCp950(std::string_view utf8, std::string* out);

// Text of a file we read: kept as it is when it is valid UTF-8, otherwise
// taken as CP950 and converted.
std::string FileTextToUtf8(std::string_view bytes);

}  // namespace pscfg::text
