#pragma once
// Short, stable descriptions of table rows, printed by GoogleTest into the
// names of parameterized tests: letters, digits, '.', '-' and '_' only
// (other bytes as xHH), so that the names stay readable, distinct and safe
// for CTest.

#include <cctype>
#include <string>
#include <string_view>

namespace pscfg::testing_names {

inline std::string Printable(std::string_view text, std::size_t limit = 40) {
  std::string out;
  for (char c : text.substr(0, limit)) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u > 0x7E) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      out += 'x';
      out += kHex[u >> 4];
      out += kHex[u & 0x0F];
    } else {
      out += std::isalnum(u) != 0 || c == '.' || c == '-' ? c : '_';
    }
  }
  return out.empty() ? "empty" : out;
}

}  // namespace pscfg::testing_names
