#include "protocol/records/field_tables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "protocol/wire.h"

#include "tests/protocol/records/row_name.h"

namespace pscfg {
namespace {

struct TableRow {
  const char* name;
  std::span<const FieldDescriptor> (*fields)();
  std::size_t record_size;
};

void PrintTo(const TableRow& row, std::ostream* os) { *os << row.name; }

class FieldTableTest : public testing::TestWithParam<TableRow> {};

TEST_P(FieldTableTest, KeysAreUniqueAndFieldsInOrderInsideTheRecord) {
  const auto fields = GetParam().fields();
  ASSERT_FALSE(fields.empty());
  std::set<std::string_view> keys;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_TRUE(keys.insert(fields[i].key).second) << "duplicate key " << fields[i].key;
    EXPECT_FALSE(fields[i].label.empty()) << fields[i].key;
    EXPECT_GT(fields[i].width, 0u) << fields[i].key;
    EXPECT_LE(fields[i].offset + fields[i].width, GetParam().record_size) << fields[i].key;
    if (i > 0) {
      EXPECT_LE(fields[i - 1].offset, fields[i].offset) << fields[i].key;
    }
  }
}

TEST_P(FieldTableTest, FindFieldFindsEveryKeyAndNothingElse) {
  const auto fields = GetParam().fields();
  for (const auto& f : fields) EXPECT_EQ(FindField(fields, f.key), &f);
  EXPECT_EQ(FindField(fields, "no_such_field"), nullptr);
  EXPECT_EQ(FindField(fields, ""), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Records, FieldTableTest,
                         testing::Values(TableRow{"eeprom", &EEPromFields, kEEPromImageSize},
                                         TableRow{"status", &StatusFields, kPServerStatusSize},
                                         TableRow{"info", &InfoFields, kPServerInfoSize}));

struct PlacedRow {
  std::span<const FieldDescriptor> (*fields)();
  const char* key;
  std::size_t offset;
  std::size_t width;
};

void PrintTo(const PlacedRow& row, std::ostream* os) { *os << row.key; }

class PlacedFieldTest : public testing::TestWithParam<PlacedRow> {};

TEST_P(PlacedFieldTest, BlockFieldsSitAtTheirBlock) {
  const auto* f = FindField(GetParam().fields(), GetParam().key);
  ASSERT_NE(f, nullptr) << GetParam().key;
  EXPECT_EQ(f->offset, GetParam().offset) << GetParam().key;
  EXPECT_EQ(f->width, GetParam().width) << GetParam().key;
}

INSTANTIATE_TEST_SUITE_P(Blocks, PlacedFieldTest,
                         testing::Values(PlacedRow{&EEPromFields, "mail_server_lpt1", 406, 4},
                                         PlacedRow{&EEPromFields, "mail_account_lpt1", 410, 8},
                                         PlacedRow{&EEPromFields, "mail_password_lpt1", 418, 8},
                                         PlacedRow{&EEPromFields, "mail_server_lpt2", 426, 4},
                                         PlacedRow{&EEPromFields, "mail_password_lpt3", 458, 8},
                                         PlacedRow{&EEPromFields, "ip_address", 498, 4},
                                         PlacedRow{&StatusFields, "queue_attached_lpt1", 62, 2},
                                         PlacedRow{&StatusFields, "queue_name_lpt2", 163, 48},
                                         PlacedRow{&StatusFields, "queue_file_server_com1", 409,
                                                   48},
                                         PlacedRow{&StatusFields, "port_status_lpt1", 6, 1},
                                         PlacedRow{&StatusFields, "port_status_lpt2", 160, 1},
                                         PlacedRow{&StatusFields, "port_status_lpt3", 259, 1},
                                         PlacedRow{&StatusFields, "port_status_com1", 358, 1},
                                         PlacedRow{&StatusFields, "port_status_com2", 457, 1},
                                         PlacedRow{&StatusFields, "speed_code", 457, 1},
                                         PlacedRow{&InfoFields, "model_suffix", 61, 1}));

TEST(FieldTableTest, EveryConfigurationDescriptorIsListed) {
  for (const FieldDescriptor* f :
       {&eeprom::kEthernetAddress, &eeprom::kAlias, &eeprom::kNetWareDisabled,
        &eeprom::kSelfTestPage, &eeprom::kNdsTree, &eeprom::kAppleTalkType3,
        &eeprom::kSmbStopOnError, &eeprom::kDhcpMode, &eeprom::kCapabilities,
        &eeprom::kRemotePrinterCom1, &eeprom::kChecksum}) {
    EXPECT_NE(FindField(EEPromFields(), f->key), nullptr) << f->key;
  }
}

TEST(FieldTableTest, PortsWithoutABlockGetAFieldOutsideEveryRecord) {
  std::array<std::uint8_t, kEEPromImageSize> record{};
  for (const FieldDescriptor* f :
       {&MailServerField(3), &MailAccountField(-1), &QueueNameField(4), &PortStatusField(5)}) {
    EXPECT_FALSE(FieldFits(*f, record));
  }
  EXPECT_TRUE(FieldFits(QueueNameField(3), record));
}

}  // namespace
}  // namespace pscfg
