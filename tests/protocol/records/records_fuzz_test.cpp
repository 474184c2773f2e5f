// Random records and texts through every decoder: nothing may crash or read
// outside its span (run under the sanitizer build to see reads).

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "protocol/records/dotted_address.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/field_codec.h"
#include "protocol/records/field_tables.h"
#include "protocol/records/model_string.h"
#include "protocol/records/printer_status.h"
#include "protocol/records/server_status.h"
#include "protocol/wire.h"

namespace pscfg {
namespace {

constexpr int kRounds = 3000;

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t size) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(random));
  return bytes;
}

// Record sizes: mostly exact, sometimes short or long.
std::size_t RandomSize(std::mt19937& random, std::size_t exact) {
  std::uniform_int_distribution<int> pick(0, 3);
  std::uniform_int_distribution<std::size_t> any(0, exact + 16);
  return pick(random) == 0 ? any(random) : exact;
}

TEST(RecordsFuzzTest, DecodersSurviveRandomRecords) {
  std::mt19937 random(20240611);
  for (int round = 0; round < kRounds; ++round) {
    const auto eeprom = RandomBytes(random, RandomSize(random, kEEPromImageSize));
    const auto status = RandomBytes(random, RandomSize(random, kPServerStatusSize));
    const auto info = RandomBytes(random, RandomSize(random, kPServerInfoSize));
    auto printer = RandomBytes(random, RandomSize(random, kPrinterStatusSize));
    if (round % 2 == 0 && printer.size() >= 206) {  // lengths mostly in range
      printer[2] = static_cast<std::uint8_t>(printer[2] % 202);
      printer[3] = 0;
      printer[204] = static_cast<std::uint8_t>(printer[204] % 202);
      printer[205] = 0;
    }
    std::size_t sink = 0;
    for (const auto& f : EEPromFields()) sink += FormatField(f, eeprom).size();
    for (const auto& f : StatusFields()) sink += FormatField(f, status).size();
    for (const auto& f : InfoFields()) sink += FormatField(f, info).size();
    sink += ModelString(eeprom, eeprom.empty() ? 0 : eeprom[0]).size();
    sink += FrameTypeText(status, eeprom).size() + NetBeuiStateText(status, eeprom).size();
    sink += SpeedText(status, eeprom).size() + SupportedProtocolsText(eeprom, 0xFF).size();
    sink += SelfTestPageText(eeprom).size() + ImageCode(eeprom).size();
    sink += NdsTreeName(eeprom).size() + AppleTalkZone(eeprom).size();
    for (int port = -1; port <= 5; ++port) {
      sink += PortStateTextOfPort(status, port).size();
      sink += QueueBlock(status, port).queue_name.size();
      sink += MailAccount(eeprom, port).size() + MailPassword(eeprom, port).size();
      sink += AppleTalkPrinterType(eeprom, port).size() + RemotePrinterNumber(eeprom, port);
    }
    sink += DhcpServerFields(status).state;
    sink += DisplayText(printer).size();
    for (const auto& entry : Block2Entries(printer)) {
      EXPECT_LE(entry.size(), 79u);
      sink += entry.size();
    }
    EXPECT_GT(sink, 0u);
  }
}

TEST(RecordsFuzzTest, ParsersSurviveRandomTexts) {
  std::mt19937 random(7);
  const std::string alphabet = "0123456789.. -+aZ_;:\x01\xA4";
  std::uniform_int_distribution<std::size_t> length(0, 40);
  std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
  auto record = RandomBytes(random, kEEPromImageSize);
  for (int round = 0; round < kRounds; ++round) {
    std::string text(length(random), ' ');
    for (auto& c : text) c = alphabet[letter(random)];
    std::array<int, 4> numbers{};
    if (ParseDottedAddress(text, &numbers)) {
      for (int n : numbers) EXPECT_TRUE(n >= 0 && n <= 255) << text;
    }
    if (ParseDottedAddressLoose(text, &numbers)) {
      for (int n : numbers) EXPECT_TRUE(n >= 0 && n <= 255) << text;
    }
    const auto& f = EEPromFields()[round % EEPromFields().size()];
    const auto before = record;
    std::string error;
    if (!ParseField(f, text, record, &error)) {
      EXPECT_EQ(record, before) << f.key << " changed on refusal of \"" << text << "\"";
    }
  }
}

}  // namespace
}  // namespace pscfg
