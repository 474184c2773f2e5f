#include "protocol/records/printer_status.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "protocol/wire.h"

#include "tests/protocol/records/row_name.h"

namespace pscfg {
namespace {

// A printer status record with `text` from offset 6 (block 1) or 208
// (block 2) and the length field counting it from 4 or 206.
std::vector<std::uint8_t> WithBlock(std::size_t length_offset, std::size_t text_offset,
                                    const std::string& text) {
  std::vector<std::uint8_t> record(kPrinterStatusSize, 0);
  std::copy(text.begin(), text.end(), record.begin() + static_cast<std::ptrdiff_t>(text_offset));
  const std::size_t length = text.size() + 2;
  record[length_offset] = static_cast<std::uint8_t>(length & 0xFF);
  record[length_offset + 1] = static_cast<std::uint8_t>(length >> 8);
  return record;
}
std::vector<std::uint8_t> WithDisplay(const std::string& text) { return WithBlock(2, 6, text); }
std::vector<std::uint8_t> WithEntries(const std::string& text) { return WithBlock(204, 208, text); }

struct DisplayRow {
  std::string block;
  std::string display;
};

void PrintTo(const DisplayRow& row, std::ostream* os) {
  *os << testing_names::Printable(row.block);
}

class DisplayTextTest : public testing::TestWithParam<DisplayRow> {};

TEST_P(DisplayTextTest, TakesTheTextAfterTheKeyword) {
  const auto record = WithDisplay(GetParam().block);
  const auto before = record;
  EXPECT_EQ(DisplayText(record), GetParam().display);
  EXPECT_EQ(record, before);
}

INSTANTIATE_TEST_SUITE_P(Table, DisplayTextTest,
                         testing::Values(DisplayRow{"STATUS=1 DISPLAY=READY", "READY"},
                                         DisplayRow{"STATUS=1 NO KEYWORD", ""}, DisplayRow{"", ""},
                                         DisplayRow{"DISPLAY=ONE DISPLAY=TWO", "TWO"},
                                         DisplayRow{"DISPLAY=A DISPLAY=B DISPLAY=C", "B DISPLAY=C"},
                                         DisplayRow{"DISPLAY=WARMING UP\rSTATUS=2", "WARMING UP"},
                                         DisplayRow{"DISPLAY=TONER\x7FLOW", "TONER"},
                                         DisplayRow{"DISPLAY=TONER\xA4LOW", "TONER"},
                                         DisplayRow{"DISPLAY=", ""}));

TEST(DisplayTextTest, BytesBeyondTheLengthDoNotCount) {
  auto record = WithDisplay("DISPLAY=ABC");
  const std::string rest = "DEF";
  std::copy(rest.begin(), rest.end(), record.begin() + 6 + 11);
  EXPECT_EQ(DisplayText(record), "ABC");
  record[2] = 0;  // length 0: no text at all
  EXPECT_EQ(DisplayText(record), "");
}

// A device fault: a length that puts the end past block 1. Reading stops at
// the end of the block; the block-2 length behind it is not text.
TEST(DisplayTextTest, LengthPastTheBlockStopsAtTheBlockEnd) {
  std::vector<std::uint8_t> record(kPrinterStatusSize, 'Z');
  const std::string text = "DISPLAY=";
  std::copy(text.begin(), text.end(), record.begin() + 6);
  record[2] = 0xFF;
  record[3] = 0xFF;
  const std::string display = DisplayText(record);
  EXPECT_EQ(display, std::string(204 - 6 - text.size(), 'Z'));

  std::vector<std::uint8_t> short_record(record.begin(), record.begin() + 100);
  EXPECT_EQ(DisplayText(short_record), std::string(100 - 6 - text.size(), 'Z'));
}

struct EntriesRow {
  std::string block;
  std::vector<std::string> entries;
};

void PrintTo(const EntriesRow& row, std::ostream* os) {
  *os << testing_names::Printable(row.block);
}

class Block2EntriesTest : public testing::TestWithParam<EntriesRow> {};

TEST_P(Block2EntriesTest, SplitsAtSemicolonsAndAt79) {
  const auto record = WithEntries(GetParam().block);
  const auto before = record;
  EXPECT_EQ(Block2Entries(record), GetParam().entries);
  EXPECT_EQ(record, before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Block2EntriesTest,
    testing::Values(EntriesRow{"A;B;C", {"A", "B"}}, EntriesRow{"ONE;", {"ONE"}},
                    EntriesRow{"", {}}, EntriesRow{"NO SEPARATOR", {}},
                    EntriesRow{std::string(100, 'x') + ";",
                               {std::string(79, 'x'), std::string(21, 'x')}},
                    EntriesRow{std::string(78, 'y') + ";Z;", {std::string(78, 'y'), "Z"}},
                    EntriesRow{"PAPER JAM;TONER LOW;", {"PAPER JAM", "TONER LOW"}}));

TEST(Block2EntriesTest, LengthPastTheBlockStopsAtTheBlockEnd) {
  std::vector<std::uint8_t> record(kPrinterStatusSize, 'x');
  record[204] = 0xFF;
  record[205] = 0xFF;
  record[kPrinterStatusSize - 1] = ';';
  // 197 letters from 208 to 404 and the ';' at 405, the last byte of the block.
  const std::vector<std::string> expected = {std::string(79, 'x'), std::string(79, 'x'),
                                             std::string(39, 'x')};
  EXPECT_EQ(Block2Entries(record), expected);

  std::vector<std::uint8_t> short_record(record.begin(), record.begin() + 250);
  short_record.back() = ';';
  EXPECT_EQ(Block2Entries(short_record), (std::vector<std::string>{std::string(41, 'x')}));
}

TEST(PrinterStatusPortTest, EchoedPortIsLittleEndian) {
  std::vector<std::uint8_t> record(kPrinterStatusSize, 0);
  record[0] = 4;
  EXPECT_EQ(PrinterStatusPort(record), 4);
  record[1] = 1;
  EXPECT_EQ(PrinterStatusPort(record), 0x104);
}

}  // namespace
}  // namespace pscfg
