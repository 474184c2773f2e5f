#pragma once
// The registry file: REGEDIT4 text, as the registry editor exports it.
//
//   REGEDIT4                                   first line (a UTF-8 mark may precede it)
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Some Key]     a key; its missing parents exist too
//   "Name"="text"                              REG_SZ, stored as text + NUL; \\ and \" escaped
//   @="text"                                   the key's default value
//   "Count"=dword:0000000a                     REG_DWORD, 1 to 8 hex digits
//   "Bytes"=hex:01,02,ff                       REG_BINARY
//   "List"=hex(7):61,00,62,00,00               any other type N as hex(N), N in hex
//
// - Lines end with LF or CRLF. A hex list may go on over lines that end
//   with a backslash; the next line's leading blanks are dropped.
// - Blank lines and lines starting with ';' are skipped; so are sections of
//   other roots, deletion sections ("[-HKEY_...]") with their lines, and
//   deletion values ("Name"=-).
// - A malformed line is skipped; a section line that is malformed makes the
//   following values belong to no key until the next good section. Later
//   sections of the same key add to it; a later value of the same name
//   replaces the earlier one.
// - A text that does not start with the REGEDIT4 line holds no keys.
//
// Writing gives every key its own section, parents first, subkeys in
// registry order; a string value is written as "text" only when reading it
// back gives the very same bytes (one terminating NUL, no other NUL, no line
// break), a REG_DWORD as dword: only when it has exactly 4 bytes; every
// other value as hex(N): (hex: for REG_BINARY), so that any stored value
// reads back unchanged. Names holding a line break or NUL cannot be written
// and are left out (the registry interface refuses such names).

#include <string>
#include <string_view>

#include "platform/registry/key_tree.h"

namespace pscfg::registry {

inline constexpr std::string_view kRootKeyName = "HKEY_LOCAL_MACHINE";

KeyNode ParseRegedit4(std::string_view text);
std::string FormatRegedit4(const KeyNode& root);

// True when a key or value name can be stored in the file.
bool IsStorableName(std::string_view name);

}  // namespace pscfg::registry
