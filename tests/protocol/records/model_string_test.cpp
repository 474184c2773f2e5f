#include "protocol/records/model_string.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "protocol/record_fields.h"
#include "protocol/wire.h"

#include "tests/protocol/records/row_name.h"

namespace pscfg {
namespace {

struct ModelRow {
  std::uint8_t ports;     // byte 8
  std::uint8_t hardware;  // byte 506
  std::uint8_t version;   // byte 505
  std::uint8_t build;     // byte 504
  std::uint8_t suffix;    // model suffix code
  std::string model;
};

void PrintTo(const ModelRow& row, std::ostream* os) { *os << testing_names::Printable(row.model); }

class ModelStringTest : public testing::TestWithParam<ModelRow> {};

TEST_P(ModelStringTest, FollowsTheGeneralPage) {
  const auto& row = GetParam();
  std::array<std::uint8_t, kEEPromImageSize> image{};
  image[eeprom::kParallelPorts.offset] = row.ports;
  image[eeprom::kHardwareCode.offset] = row.hardware;
  image[eeprom::kFirmwareVersion.offset] = row.version;
  image[eeprom::kFirmwareBuild.offset] = row.build;
  EXPECT_EQ(ModelString(image, row.suffix), row.model);
}

INSTANTIATE_TEST_SUITE_P(Table, ModelStringTest,
                         testing::Values(ModelRow{0x01, 0x21, 0x23, 0x05, 0x10, "1P/2A-2.3.05A"},
                                         ModelRow{0x00, 0x21, 0x23, 0x05, 0x00, "0P/2A-2.3.05"},
                                         ModelRow{0x0F, 0x21, 0x23, 0x05, 0x20, "3P3S/2A-2.3.05B"},
                                         ModelRow{0x05, 0xF2, 0x10, 0x99, 0x41, "1P1S/FB-1.0.99C"},
                                         ModelRow{0x02, 0x60, 0x31, 0x12, 0x30, "2P/6@-3.1.12"},
                                         ModelRow{0x03, 0xAF, 0xFF, 0xFF, 0x80, "3P/AO-15.15.1515"},
                                         ModelRow{0x01, 0x21, 0x23, 0x05, 0x01, "1P/2A-2.3.05"}));

TEST(ModelLetterTest, HighNibbleChoosesTheLetter) {
  EXPECT_EQ(ModelLetter(0x10), "A");
  EXPECT_EQ(ModelLetter(0x1F), "A");
  EXPECT_EQ(ModelLetter(0x20), "B");
  EXPECT_EQ(ModelLetter(0x40), "C");
  EXPECT_EQ(ModelLetter(0x30), "");
  EXPECT_EQ(ModelLetter(0x00), "");
  EXPECT_EQ(ModelLetter(0xF0), "");
}

}  // namespace
}  // namespace pscfg
