#include "protocol/records/dotted_address.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/protocol/records/row_name.h"

namespace pscfg {
namespace {

struct ParseRow {
  std::string text;
  bool valid;
  std::array<int, 4> numbers;
};

void PrintTo(const ParseRow& row, std::ostream* os) { *os << testing_names::Printable(row.text); }

class StrictParserTest : public testing::TestWithParam<ParseRow> {};

TEST_P(StrictParserTest, ParsesLikeTheManager) {
  const ParseRow& row = GetParam();
  std::array<int, 4> numbers = {-1, -1, -1, -1};
  EXPECT_EQ(ParseDottedAddress(row.text, &numbers), row.valid) << row.text;
  if (row.valid) {
    EXPECT_EQ(numbers, row.numbers) << row.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrictParserTest,
    testing::Values(ParseRow{"192.168.1.5", true, {192, 168, 1, 5}},
                    ParseRow{"0.0.0.0", true, {0, 0, 0, 0}},
                    ParseRow{"1a.2.3.4", true, {1, 2, 3, 4}},
                    ParseRow{"255.255.255.255", true, {255, 255, 255, 255}},
                    ParseRow{" 7.8.9.10", true, {7, 8, 9, 10}},
                    ParseRow{"00.1.2.3", true, {0, 1, 2, 3}}, ParseRow{"", false, {}},
                    ParseRow{"192.168.1", false, {}},          // two dots
                    ParseRow{"192.168.1.5.", false, {}},       // four dots
                    ParseRow{"192..168.1", false, {}},         // three dots, three parts
                    ParseRow{"256.1.1.1", false, {}},          // above 255
                    ParseRow{"1.2.3.a", false, {}},            // 0 without a leading '0'
                    ParseRow{"-1.2.3.4", false, {}},           // below 0
                    ParseRow{"-0.2.3.4", false, {}},           // 0 starting with '-'
                    ParseRow{".1.2.3.4", true, {1, 2, 3, 4}},  // first dot is not counted
                    ParseRow{"..1.2.3", false, {}},            // three counted dots, three parts
                    ParseRow{"99999999999.1.1.1", false, {}}));

class LooseParserTest : public testing::TestWithParam<ParseRow> {};

TEST_P(LooseParserTest, KeepsTheLowByte) {
  const ParseRow& row = GetParam();
  std::array<int, 4> numbers = {-1, -1, -1, -1};
  EXPECT_EQ(ParseDottedAddressLoose(row.text, &numbers), row.valid) << row.text;
  if (row.valid) {
    EXPECT_EQ(numbers, row.numbers) << row.text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, LooseParserTest,
    testing::Values(ParseRow{"192.168.1.100", true, {192, 168, 1, 100}},
                    ParseRow{"256.1.1.1", false, {}},  // low byte 0, no leading '0'
                    ParseRow{"257.1.1.1", true, {1, 1, 1, 1}},
                    ParseRow{"0.00.1.2", true, {0, 0, 1, 2}}, ParseRow{"1.2.3", false, {}},
                    ParseRow{"1.2.3.4.5", true, {1, 2, 3, 4}},
                    ParseRow{"1..2...3.4", true, {1, 2, 3, 4}},
                    ParseRow{"-1.2.3.4", true, {255, 2, 3, 4}}, ParseRow{"x.2.3.4", false, {}},
                    // Only the first 20 characters are parsed.
                    ParseRow{"1.2.3." + std::string(13, ' ') + "56", true, {1, 2, 3, 5}},
                    ParseRow{"1.2.3." + std::string(14, ' ') + "5", false, {}}));

TEST(AddressValueTest, FirstNumberIsMostSignificant) {
  EXPECT_EQ(AddressValue({192, 168, 1, 5}), 0xC0A80105u);
  EXPECT_EQ(AddressValue({0, 0, 0, 0}), 0u);
}

struct ConsistencyRow {
  std::array<int, 4> ip, gw, mask;
  int result;
};

void PrintTo(const ConsistencyRow& row, std::ostream* os) {
  for (const auto* address : {&row.ip, &row.gw, &row.mask}) {
    *os << (*address)[0] << '.' << (*address)[1] << '.' << (*address)[2] << '.' << (*address)[3]
        << (address == &row.mask ? "" : "_");
  }
}

class ConsistencyTest : public testing::TestWithParam<ConsistencyRow> {};

TEST_P(ConsistencyTest, MatchesTheIpPage) {
  const auto& row = GetParam();
  EXPECT_EQ(
      CheckAddressConsistency(AddressValue(row.ip), AddressValue(row.gw), AddressValue(row.mask)),
      row.result);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ConsistencyTest,
    testing::Values(
        ConsistencyRow{{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, kAddressesValid},
        ConsistencyRow{{192, 168, 1, 5}, {0, 0, 0, 0}, {0, 0, 0, 0}, kAddressesValid},
        ConsistencyRow{{0, 0, 0, 0}, {192, 168, 1, 1}, {0, 0, 0, 0}, kGatewayInvalid},
        ConsistencyRow{{192, 168, 1, 5}, {192, 168, 1, 1}, {0, 0, 0, 0}, kMaskInvalid},
        ConsistencyRow{{192, 168, 1, 5}, {192, 168, 1, 1}, {255, 255, 0, 255}, kMaskInvalid},
        ConsistencyRow{{192, 168, 1, 5}, {192, 168, 1, 1}, {255, 255, 255, 0}, kAddressesValid},
        ConsistencyRow{{192, 168, 1, 5}, {192, 168, 2, 1}, {255, 255, 255, 0}, kGatewayInvalid},
        ConsistencyRow{{0, 0, 0, 0}, {10, 0, 0, 1}, {255, 255, 255, 0}, kGatewayInvalid},
        ConsistencyRow{{192, 168, 1, 5}, {0, 0, 0, 0}, {255, 255, 255, 0}, kAddressesValid},
        ConsistencyRow{{0, 0, 0, 0}, {0, 0, 0, 0}, {255, 255, 255, 0}, kAddressesValid},
        ConsistencyRow{{10, 1, 2, 3}, {10, 9, 9, 9}, {255, 0, 0, 0}, kAddressesValid}));

TEST(MaskTest, SetBitsMustReachTheTop) {
  EXPECT_TRUE(IsContiguousMask(0));
  EXPECT_TRUE(IsContiguousMask(0xFFFFFFFFu));
  EXPECT_TRUE(IsContiguousMask(0xFFFFFF00u));
  EXPECT_TRUE(IsContiguousMask(0x80000000u));
  EXPECT_FALSE(IsContiguousMask(0xFFFF00FFu));
  EXPECT_FALSE(IsContiguousMask(0x7FFFFFFFu));
  EXPECT_FALSE(IsContiguousMask(0x00000001u));
}

}  // namespace
}  // namespace pscfg
