#include "protocol/records/printer_status.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "protocol/byte_io.h"
#include "protocol/record_fields.h"
#include "protocol/records/field_codec.h"

namespace pscfg {
namespace {

constexpr std::string_view kDisplayKeyword = "DISPLAY=";
constexpr std::size_t kMaxEntryLength = 79;

// Bytes from `text_offset` up to where the programs put their terminator,
// block_offset + length. A length reaching past the block (a device fault)
// stops at the block's end; the view never leaves the record.
std::string_view ValidText(std::span<const std::uint8_t> record,
                           const FieldDescriptor& length_field, std::size_t block_offset,
                           std::size_t text_offset) {
  const std::size_t length =
      std::min<std::size_t>(FieldNumber(length_field, record), printer_status::kBlockSize);
  const std::size_t end = std::min(block_offset + length, record.size());
  if (end <= text_offset) return {};
  return {reinterpret_cast<const char*>(record.data()) + text_offset, end - text_offset};
}

// The bytes after "DISPLAY=" (after the second one when it comes twice);
// nullopt when block 1 has no keyword.
std::optional<std::string_view> AfterDisplayKeyword(std::span<const std::uint8_t> printer_status) {
  std::string_view text =
      ValidText(printer_status, printer_status::kBlock1Length, printer_status::kBlock1Offset,
                printer_status::kBlock1TextOffset);
  text = text.substr(0, text.find('\0'));  // the keyword search stops at a 0 byte
  auto found = text.find(kDisplayKeyword);
  if (found == std::string_view::npos) return std::nullopt;
  text.remove_prefix(found + kDisplayKeyword.size());
  found = text.find(kDisplayKeyword);
  if (found != std::string_view::npos) text.remove_prefix(found + kDisplayKeyword.size());
  return text;
}

}  // namespace

std::uint16_t PrinterStatusPort(std::span<const std::uint8_t> printer_status) {
  return static_cast<std::uint16_t>(FieldNumber(printer_status::kPort, printer_status));
}

bool HasDisplayText(std::span<const std::uint8_t> printer_status) {
  return AfterDisplayKeyword(printer_status).has_value();
}

std::string DisplayText(std::span<const std::uint8_t> printer_status) {
  const auto after = AfterDisplayKeyword(printer_status);
  if (!after) return {};
  const std::string_view text = *after;
  const auto end = std::find_if(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte > 0x7E;
  });
  return std::string(text.begin(), end);
}

std::vector<std::string> Block2Entries(std::span<const std::uint8_t> printer_status) {
  const std::string_view bytes =
      ValidText(printer_status, printer_status::kBlock2Length, printer_status::kBlock2Offset,
                printer_status::kBlock2EntriesOffset);
  std::vector<std::string> entries;
  const auto last_separator = bytes.rfind(';');
  if (last_separator == std::string_view::npos) return entries;
  std::string entry;
  auto finish = [&entries, &entry] {
    entries.push_back(entry.substr(0, entry.find('\0')));
    entry.clear();
  };
  for (char c : bytes.substr(0, last_separator + 1)) {
    if (c == ';') {
      finish();
      continue;
    }
    entry += c;
    if (entry.size() == kMaxEntryLength) finish();
  }
  return entries;
}

}  // namespace pscfg
