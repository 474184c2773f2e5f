#include "protocol/records/model_string.h"

#include <cstdio>

#include "protocol/records/eeprom_image.h"

namespace pscfg {

std::string_view ModelLetter(std::uint8_t model_suffix_code) {
  switch (model_suffix_code & 0xF0) {
    case 0x10:
      return "A";
    case 0x20:
      return "B";
    case 0x40:
      return "C";
    default:
      return "";
  }
}

std::string ModelString(std::span<const std::uint8_t> record, std::uint8_t model_suffix_code) {
  const int parallel = ParallelPortCount(record);
  const int serial = SerialPortCount(record);
  const unsigned h = HardwareCode(record);
  const unsigned v = FirmwareVersion(record);
  const unsigned b = FirmwareBuild(record);
  const char letter = static_cast<char>(0x40 + (h & 0x0F));
  char text[48];
  if (serial != 0) {
    std::snprintf(text, sizeof text, "%dP%dS/%X%c-%u.%u.%u%u", parallel, serial, h >> 4, letter,
                  v >> 4, v & 0x0F, b >> 4, b & 0x0F);
  } else {
    std::snprintf(text, sizeof text, "%dP/%X%c-%u.%u.%u%u", parallel, h >> 4, letter, v >> 4,
                  v & 0x0F, b >> 4, b & 0x0F);
  }
  return std::string(text) + std::string(ModelLetter(model_suffix_code));
}

}  // namespace pscfg
