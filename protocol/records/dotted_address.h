#pragma once
// Dotted-quad address texts as the configuration programs parse them.
//
// ParseDottedAddress is the manager's parser of the IP settings page:
//   - an empty text is refused;
//   - the dots after the first character must number exactly 3;
//   - the text is split at dots the way strtok does (runs of dots are one
//     separator, empty pieces vanish) and each of the four pieces must exist;
//   - a piece's value is what atoi makes of it (leading blanks, a sign, the
//     leading digits; the rest is ignored); a value of 0 counts only when
//     the piece starts with '0';
//   - every value must be 0 to 255.
//
// ParseDottedAddressLoose is the parser of the DHCP server and mail pages:
// it parses a copy of at most 20 characters, takes the first four pieces of
// the same split (later pieces are ignored), keeps the low 8 bits of each
// atoi value and refuses fewer than four pieces or a piece whose byte is 0
// without a leading '0' (so "256" is refused, "-1" reads as 255).

#include <array>
#include <cstdint>
#include <string_view>

namespace pscfg {

bool ParseDottedAddress(std::string_view text, std::array<int, 4>* out);
bool ParseDottedAddressLoose(std::string_view text, std::array<int, 4>* out);

// The four numbers as one 32-bit value, the first number most significant.
// Each number contributes its low 8 bits.
std::uint32_t AddressValue(const std::array<int, 4>& numbers);

// Consistency of the IP settings page's IP address, gateway and mask, each
// built with AddressValue.
enum AddressCheck : int {
  kAddressesValid = 0,
  kMaskInvalid = 1,
  kGatewayInvalid = 2,
};
int CheckAddressConsistency(std::uint32_t ip, std::uint32_t gw, std::uint32_t mask);

// True when the set bits of `mask` form one block that reaches the most
// significant bit (0 passes).
bool IsContiguousMask(std::uint32_t mask);

}  // namespace pscfg
