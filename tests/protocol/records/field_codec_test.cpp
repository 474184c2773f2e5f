#include "protocol/records/field_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "protocol/records/field_tables.h"
#include "protocol/wire.h"

#include "tests/protocol/records/row_name.h"

namespace pscfg {
namespace {

constexpr std::uint8_t kPattern = 0xA5;  // background that shows untouched bytes

std::vector<std::uint8_t> PatternRecord(std::size_t size) {
  return std::vector<std::uint8_t>(size, kPattern);
}

enum class Record { kEEProm, kStatus, kInfo };

const FieldDescriptor& Field(Record record, std::string_view key) {
  const auto fields = record == Record::kEEProm   ? EEPromFields()
                      : record == Record::kStatus ? StatusFields()
                                                  : InfoFields();
  const FieldDescriptor* f = FindField(fields, key);
  EXPECT_NE(f, nullptr) << key;
  static const FieldDescriptor kMissing{"missing", "missing", 0, 1, FieldEncoding::kByte};
  return f != nullptr ? *f : kMissing;
}

std::size_t RecordSize(Record record) {
  return record == Record::kEEProm   ? kEEPromImageSize
         : record == Record::kStatus ? kPServerStatusSize
                                     : kPServerInfoSize;
}

struct RoundTripRow {
  Record record;
  std::string key;
  std::string text;
  std::vector<std::uint8_t> bytes;  // expected bytes from the field's offset on
  std::string shown;                // FormatField afterwards
};

void PrintTo(const RoundTripRow& row, std::ostream* os) {
  *os << row.key << '_' << testing_names::Printable(row.text);
}

std::vector<std::uint8_t> Text(std::string_view text) { return {text.begin(), text.end()}; }
std::vector<std::uint8_t> Join(std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class RoundTripTest : public testing::TestWithParam<RoundTripRow> {};

TEST_P(RoundTripTest, ParseWritesTheBytesAndFormatShowsThem) {
  const auto& row = GetParam();
  const FieldDescriptor& f = Field(row.record, row.key);
  auto record = PatternRecord(RecordSize(row.record));
  const auto before = record;
  std::string error;
  ASSERT_TRUE(ParseField(f, row.text, record, &error)) << row.key << ": " << error;
  for (std::size_t i = 0; i < record.size(); ++i) {
    if (i >= f.offset && i < f.offset + row.bytes.size()) {
      EXPECT_EQ(record[i], row.bytes[i - f.offset]) << row.key << " byte " << i;
    } else {
      EXPECT_EQ(record[i], before[i]) << row.key << " touched byte " << i;
    }
  }
  EXPECT_EQ(FormatField(f, record), row.shown) << row.key;
}

const std::vector<std::uint8_t> kTreePadding(28, '_');

INSTANTIATE_TEST_SUITE_P(
    Encodings, RoundTripTest,
    testing::Values(
        RoundTripRow{
            Record::kEEProm, "ip_address", "192.168.1.5", {0xC0, 0xA8, 0x01, 0x05}, "192.168.1.5"},
        RoundTripRow{Record::kEEProm, "dhcp_dns", "0.0.0.0", {0, 0, 0, 0}, "0.0.0.0"},
        RoundTripRow{Record::kEEProm, "mail_server_lpt2", "10.1.2.3", {10, 1, 2, 3}, "10.1.2.3"},
        RoundTripRow{Record::kEEProm,
                     "ethernet_address",
                     "02:00:0a:11:22:33",
                     {0x02, 0x00, 0x0A, 0x11, 0x22, 0x33},
                     "02 00 0A 11 22 33"},
        RoundTripRow{Record::kEEProm,
                     "ethernet_address",
                     "02 00 00 11 22 FF",
                     {0x02, 0x00, 0x00, 0x11, 0x22, 0xFF},
                     "02 00 00 11 22 FF"},
        RoundTripRow{Record::kEEProm, "alias", "PS-ONE", Join(Text("PS-ONE"), {0}), "PS-ONE"},
        RoundTripRow{Record::kEEProm, "alias", "", {0}, ""},
        RoundTripRow{Record::kEEProm, "alias", "ABCDEFGHIJKLMNO",
                     Join(Text("ABCDEFGHIJKLMNO"), {0}), "ABCDEFGHIJKLMNO"},
        RoundTripRow{Record::kEEProm,
                     "smb_workgroup",
                     "\xA4\xA4\xA4\xE5",  // CP950 bytes as given
                     {0xA4, 0xA4, 0xA4, 0xE5, 0},
                     "\xA4\xA4\xA4\xE5"},
        RoundTripRow{Record::kEEProm, "mail_account_lpt1", "abc", Join(Text("abc"), {0}), "abc"},
        RoundTripRow{Record::kEEProm, "mail_account_lpt1", "abcdefgh", Text("abcdefgh"),
                     "abcdefgh"},
        RoundTripRow{Record::kEEProm, "mail_password_lpt3", "12345678", Text("12345678"),
                     "12345678"},
        RoundTripRow{Record::kEEProm, "appletalk_zone", "ZONE-SIXTEEN-16!",
                     Text("ZONE-SIXTEEN-16!"), "ZONE-SIXTEEN-16!"},
        RoundTripRow{Record::kEEProm, "appletalk_type_lpt2", "LaserWriter",
                     Join(Text("LaserWriter"), {0}), "LaserWriter"},
        RoundTripRow{Record::kEEProm, "nds_tree", "ACME", Join(Text("ACME"), kTreePadding), "ACME"},
        RoundTripRow{Record::kEEProm, "nds_tree", "", {0}, ""},
        RoundTripRow{Record::kEEProm, "nds_tree", "T2345678901234567890123456789012",
                     Text("T2345678901234567890123456789012"), "T2345678901234567890123456789012"},
        RoundTripRow{Record::kEEProm, "netware_polling_interval", "99", {99}, "99"},
        RoundTripRow{Record::kEEProm, "remote_printer_com1", "255", {255}, "255"},
        RoundTripRow{Record::kEEProm, "dhcp_pool_size", "65535", {0xFF, 0xFF}, "65535"},
        RoundTripRow{Record::kEEProm, "dhcp_pool_size", "258", {0x02, 0x01}, "258"},
        RoundTripRow{Record::kEEProm, "capabilities", "17", {17}, "17"},
        // Bits fields keep the other bits of their byte (pattern 0xA5).
        RoundTripRow{Record::kEEProm, "serial_ports", "3", {0xAD}, "3"},
        RoundTripRow{Record::kEEProm, "parallel_ports", "0", {0xA4}, "0"},
        RoundTripRow{Record::kEEProm, "tcpip_enabled", "1", {0xA5}, "1"},
        RoundTripRow{Record::kEEProm, "tcpip_enabled", "false", {0xA1}, "0"},
        RoundTripRow{Record::kEEProm, "netbeui_enabled", "true", {0xA5}, "1"},
        RoundTripRow{Record::kEEProm, "self_test_page", "0", {0x25}, "0"},
        RoundTripRow{Record::kEEProm, "mail_all_ports", "2", {0xA5}, "2"},
        RoundTripRow{Record::kEEProm, "mail_header_ports", "7", {0xA7}, "7"},
        RoundTripRow{
            Record::kStatus, "ipx_network", "00 00 12 34", {0x00, 0x00, 0x12, 0x34}, "00 00 12 34"},
        RoundTripRow{
            Record::kStatus, "ipx_network", "DEADbeef", {0xDE, 0xAD, 0xBE, 0xEF}, "DE AD BE EF"},
        RoundTripRow{Record::kStatus, "port_status_lpt2", "2", {0xA6}, "2"},
        RoundTripRow{Record::kStatus, "queue_attached_com1", "1", {0x01, 0x00}, "1"},
        RoundTripRow{Record::kStatus, "queue_name_lpt1", "Q1", Join(Text("Q1"), {0}), "Q1"},
        RoundTripRow{Record::kInfo, "device_name", "PS123456", Text("PS123456"), "PS123456"},
        RoundTripRow{Record::kInfo, "model_suffix", "16", {16}, "16"}));

TEST(FormatFieldTest, CharsFieldOfFullWidthStopsAtTheWidth) {
  auto record = PatternRecord(kEEPromImageSize);  // no 0 byte anywhere
  const auto& account = Field(Record::kEEProm, "mail_account_lpt1");
  EXPECT_EQ(FormatField(account, record), std::string(8, static_cast<char>(kPattern)));
}

TEST(FormatFieldTest, TreeNameOfUnderscoresOnlyIsEmpty) {
  std::vector<std::uint8_t> record(kEEPromImageSize, '_');
  EXPECT_EQ(FormatField(eeprom::kNdsTree, record), "");
}

TEST(FormatFieldTest, FieldOutsideAShortRecordIsEmpty) {
  std::vector<std::uint8_t> record(100, 1);
  EXPECT_EQ(FormatField(eeprom::kIpAddress, record), "");
}

struct RefusalRow {
  Record record;
  std::string key;
  std::string text;
};

void PrintTo(const RefusalRow& row, std::ostream* os) {
  *os << row.key << '_' << testing_names::Printable(row.text);
}

class RefusalTest : public testing::TestWithParam<RefusalRow> {};

TEST_P(RefusalTest, RefusesAndLeavesTheRecordAsItWas) {
  const auto& row = GetParam();
  auto record = PatternRecord(RecordSize(row.record));
  const auto before = record;
  std::string error;
  EXPECT_FALSE(ParseField(Field(row.record, row.key), row.text, record, &error)) << row.key;
  EXPECT_NE(error.find(row.key), std::string::npos) << error;
  EXPECT_EQ(record, before) << row.key << " changed on refusal";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusalTest,
    testing::Values(RefusalRow{Record::kEEProm, "alias", "ABCDEFGHIJKLMNOP"},  // 16 > 15
                    RefusalRow{Record::kEEProm, "alias", std::string("A\0B", 3)},
                    RefusalRow{Record::kEEProm, "snmp_location", std::string(16, 'x')},
                    RefusalRow{Record::kEEProm, "primary_file_server", std::string(48, 'x')},
                    RefusalRow{Record::kEEProm, "appletalk_zone", std::string(17, 'z')},
                    RefusalRow{Record::kEEProm, "appletalk_type_lpt1", std::string(33, 't')},
                    RefusalRow{Record::kEEProm, "mail_account_lpt2", "abcdefghi"},
                    RefusalRow{Record::kEEProm, "nds_tree", std::string(33, 'T')},
                    RefusalRow{Record::kEEProm, "ip_address", "256.1.1.1"},
                    RefusalRow{Record::kEEProm, "ip_address", "192.168.1"},
                    RefusalRow{Record::kEEProm, "gateway", "1.2.3.4."},
                    RefusalRow{Record::kEEProm, "subnet_mask", ""},
                    RefusalRow{Record::kEEProm, "mail_server_lpt1", "mail.example"},
                    RefusalRow{Record::kEEProm, "ethernet_address", "02 00 00 11 22"},
                    RefusalRow{Record::kEEProm, "ethernet_address", "02 00 00 11 22 33 44"},
                    RefusalRow{Record::kEEProm, "ethernet_address", "GG 00 00 11 22 33"},
                    RefusalRow{Record::kEEProm, "ethernet_address", "020 00 00 11 22 33"},
                    RefusalRow{Record::kEEProm, "tcpip_enabled", "2"},
                    RefusalRow{Record::kEEProm, "tcpip_enabled", "yes"},
                    RefusalRow{Record::kEEProm, "mail_header_ports", "8"},
                    RefusalRow{Record::kEEProm, "parallel_ports", "4"},
                    RefusalRow{Record::kEEProm, "netware_polling_interval", "256"},
                    RefusalRow{Record::kEEProm, "netware_polling_interval", "-1"},
                    RefusalRow{Record::kEEProm, "netware_polling_interval", ""},
                    RefusalRow{Record::kEEProm, "netware_polling_interval", "12a"},
                    RefusalRow{Record::kEEProm, "netware_polling_interval", " 1"},
                    RefusalRow{Record::kEEProm, "dhcp_pool_size", "65536"},
                    RefusalRow{Record::kEEProm, "dhcp_pool_size", "99999999999999"},
                    RefusalRow{Record::kStatus, "ipx_network", "00 00 12"},
                    RefusalRow{Record::kStatus, "ipx_network", "zz 00 12 34"},
                    RefusalRow{Record::kInfo, "device_name", "PS1234567"}));

TEST(ParseFieldTest, RefusesAFieldOutsideTheRecord) {
  std::vector<std::uint8_t> record(100, kPattern);
  const auto before = record;
  std::string error;
  EXPECT_FALSE(ParseField(eeprom::kIpAddress, "1.2.3.4", record, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(record, before);
}

// Every flag of the shared bytes 72 and 404, with every other bit set and
// with every other bit clear.
TEST(ParseFieldTest, SharedBytesKeepEveryOtherBit) {
  for (const FieldDescriptor* f :
       {&eeprom::kNetWareDisabled, &eeprom::kTcpIpEnabled, &eeprom::kRemotePrinterMode,
        &eeprom::kNetBeuiEnabled, &eeprom::kAppleTalkEnabled, &eeprom::kSelfTestPage,
        &eeprom::kSmbStopOnError}) {
    for (std::uint8_t others : {static_cast<std::uint8_t>(~f->mask), std::uint8_t{0}}) {
      std::vector<std::uint8_t> record(kEEPromImageSize, 0);
      record[f->offset] = others;
      std::string error;
      ASSERT_TRUE(ParseField(*f, "1", record, &error)) << error;
      EXPECT_EQ(record[f->offset], others | f->mask) << f->key;
      ASSERT_TRUE(ParseField(*f, "0", record, &error)) << error;
      EXPECT_EQ(record[f->offset], others) << f->key;
    }
  }
}

TEST(ValueKindTest, FlagsAreBoolsNumbersAreNumbersTheRestIsText) {
  EXPECT_EQ(ValueKind(eeprom::kTcpIpEnabled), FieldValueKind::kBool);
  EXPECT_EQ(ValueKind(eeprom::kSerialPorts), FieldValueKind::kNumber);
  EXPECT_EQ(ValueKind(eeprom::kCapabilities), FieldValueKind::kNumber);
  EXPECT_EQ(ValueKind(eeprom::kPollingInterval), FieldValueKind::kNumber);
  EXPECT_EQ(ValueKind(eeprom::kDhcpPoolSize), FieldValueKind::kNumber);
  EXPECT_EQ(ValueKind(eeprom::kIpAddress), FieldValueKind::kText);
  EXPECT_EQ(ValueKind(eeprom::kEthernetAddress), FieldValueKind::kText);
  EXPECT_EQ(ValueKind(eeprom::kNdsTree), FieldValueKind::kText);
  EXPECT_EQ(ValueKind(status::kIpxNetwork), FieldValueKind::kText);
  EXPECT_EQ(ValueKind(PortStatusField(0)), FieldValueKind::kNumber);
}

TEST(ValueKindTest, EveryFieldFormatsToItsKind) {
  auto record = PatternRecord(kEEPromImageSize);
  for (const auto& f : EEPromFields()) {
    const std::string text = FormatField(f, record);
    switch (ValueKind(f)) {
      case FieldValueKind::kBool:
        EXPECT_TRUE(text == "0" || text == "1") << f.key;
        break;
      case FieldValueKind::kNumber:
        EXPECT_EQ(text, std::to_string(FieldNumber(f, record))) << f.key;
        break;
      case FieldValueKind::kText:
        break;
    }
  }
}

}  // namespace
}  // namespace pscfg
