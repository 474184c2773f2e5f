#include "protocol/records/factory_defaults.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "protocol/wire.h"

namespace pscfg {
namespace {

// The record a pattern record becomes: byte i of the pattern is i * 7 + 3.
std::array<std::uint8_t, kEEPromImageSize> PatternRecord() {
  std::array<std::uint8_t, kEEPromImageSize> record{};
  for (std::size_t i = 0; i < record.size(); ++i) {
    record[i] = static_cast<std::uint8_t>(i * 7 + 3);
  }
  return record;
}

struct Change {
  std::size_t first, last;  // inclusive
  int value;
};

TEST(FactoryDefaultsTest, SetsTheListedBytesAndNothingElse) {
  auto record = PatternRecord();
  const auto before = record;
  const std::string name = "PS0A1B2C";
  ApplyFactoryDefaults(record, std::span(reinterpret_cast<const std::uint8_t*>(name.data()), 8));

  // Expected record, byte by byte.
  auto expected = before;
  for (std::size_t i = 0; i < 8; ++i) expected[16 + i] = static_cast<std::uint8_t>(name[i]);
  const Change changes[] = {{24, 24, 0},   {32, 63, 0},   {76, 76, 0},   {124, 124, 0},
                            {172, 172, 0}, {75, 75, 2},   {380, 395, 0}, {404, 404, 0},
                            {405, 405, 1}, {406, 465, 0}, {470, 488, 0}, {490, 501, 0}};
  for (const auto& c : changes) {
    for (std::size_t i = c.first; i <= c.last; ++i)
      expected[i] = static_cast<std::uint8_t>(c.value);
  }
  expected[72] = static_cast<std::uint8_t>((before[72] & ~0x82) | 0x24);

  for (std::size_t i = 0; i < record.size(); ++i) {
    EXPECT_EQ(record[i], expected[i]) << "byte " << i;
  }
}

TEST(FactoryDefaultsTest, ByteSeventyTwoKeepsItsUnlistedBits) {
  for (std::uint8_t start : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
    std::array<std::uint8_t, kEEPromImageSize> record{};
    record[72] = start;
    const std::array<std::uint8_t, 8> name = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
    ApplyFactoryDefaults(record, name);
    EXPECT_EQ(record[72], (start & 0x59) | 0x24) << int{start};
  }
}

TEST(FactoryDefaultsTest, ShortNameIsCompletedWithZeros) {
  auto record = PatternRecord();
  const std::array<std::uint8_t, 3> name = {'A', 'B', 'C'};
  ApplyFactoryDefaults(record, name);
  EXPECT_EQ(record[16], 'A');
  EXPECT_EQ(record[18], 'C');
  for (std::size_t i = 19; i <= 24; ++i) EXPECT_EQ(record[i], 0) << i;
  EXPECT_EQ(record[25], PatternRecord()[25]);
}

TEST(FactoryDefaultsTest, ShortSpanIsLeftAlone) {
  std::array<std::uint8_t, 10> record{};
  record.fill(9);
  const auto before = record;
  const std::array<std::uint8_t, 8> name{};
  ApplyFactoryDefaults(record, name);
  EXPECT_EQ(record, before);
}

}  // namespace
}  // namespace pscfg
