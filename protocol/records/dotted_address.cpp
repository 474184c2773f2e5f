#include "protocol/records/dotted_address.h"

#include <climits>
#include <string>
#include <vector>

namespace pscfg {
namespace {

// atoi of the C library on a piece: leading blanks, optional sign, leading
// digits. Values beyond int saturate (they are out of range either way).
long long AtoiValue(std::string_view piece) {
  std::size_t i = 0;
  auto is_blank = [](char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
  };
  while (i < piece.size() && is_blank(piece[i])) ++i;
  bool negative = false;
  if (i < piece.size() && (piece[i] == '+' || piece[i] == '-')) {
    negative = piece[i] == '-';
    ++i;
  }
  long long value = 0;
  for (; i < piece.size() && piece[i] >= '0' && piece[i] <= '9'; ++i) {
    value = value * 10 + (piece[i] - '0');
    if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;  // saturate
  }
  return negative ? -value : value;
}

// The pieces of strtok(text, "."): runs of dots separate, empty pieces vanish.
// A 0 byte ends the text as it ends a C string.
std::vector<std::string_view> DotPieces(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t dot = text.find('.', start);
    const std::size_t end = dot == std::string_view::npos ? text.size() : dot;
    if (end > start) pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

}  // namespace

bool ParseDottedAddress(std::string_view text, std::array<int, 4>* out) {
  text = text.substr(0, text.find('\0'));
  if (text.empty()) return false;
  int dots = 0;
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '.') ++dots;
  }
  if (dots != 3) return false;
  const auto pieces = DotPieces(text);
  if (pieces.size() < 4) return false;
  std::array<int, 4> numbers{};
  for (std::size_t i = 0; i < 4; ++i) {
    const long long value = AtoiValue(pieces[i]);
    if (value == 0 && pieces[i][0] != '0') return false;
    if (value < 0 || value > 255) return false;
    numbers[i] = static_cast<int>(value);
  }
  if (out != nullptr) *out = numbers;
  return true;
}

bool ParseDottedAddressLoose(std::string_view text, std::array<int, 4>* out) {
  constexpr std::size_t kCopyLength = 20;  // the page parses a copy of this many characters
  const auto pieces = DotPieces(text.substr(0, kCopyLength));
  if (pieces.size() < 4) return false;
  std::array<int, 4> numbers{};
  for (std::size_t i = 0; i < 4; ++i) {
    const int byte = static_cast<int>(static_cast<unsigned long long>(AtoiValue(pieces[i])) & 0xFF);
    if (byte == 0 && pieces[i][0] != '0') return false;
    numbers[i] = byte;
  }
  if (out != nullptr) *out = numbers;
  return true;
}

std::uint32_t AddressValue(const std::array<int, 4>& numbers) {
  std::uint32_t value = 0;
  for (int n : numbers) value = (value << 8) | (static_cast<std::uint32_t>(n) & 0xFF);
  return value;
}

bool IsContiguousMask(std::uint32_t mask) {
  // Inverted, a good mask is a block of low ones: adding 1 leaves one bit.
  const std::uint32_t host = ~mask;
  return (host & (host + 1)) == 0;
}

int CheckAddressConsistency(std::uint32_t ip, std::uint32_t gw, std::uint32_t mask) {
  if (mask == 0) {
    if (ip == 0 && gw == 0) return kAddressesValid;
    if (ip == 0) return kGatewayInvalid;  // a gateway without an address
    if (gw != 0) return kMaskInvalid;     // a gateway without a mask
  }
  if (!IsContiguousMask(mask)) return kMaskInvalid;
  if (ip != 0 && gw == 0) return kAddressesValid;
  if ((mask & ip) != (mask & gw)) return kGatewayInvalid;
  return kAddressesValid;
}

}  // namespace pscfg
