// Device files: what they set, and how bad ones are refused.

#include <gtest/gtest.h>

#include <ostream>

#include <fstream>
#include <set>

#include "protocol/record_fields.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/field_codec.h"
#include "testbed/psemu/device_records.h"
#include "tests/testbed/psemu_test_util.h"

namespace pscfg::psemu {
namespace {

TEST(DeviceFileTest, EveryKindOfKeyLandsWhereItBelongs) {
  const DeviceConfig config = ConfigFrom(
      "# a print server\n"
      "\n"
      "node = 00:40:01:12:34:56\n"
      "device_name = PSX1\n"
      "alias = 辦公室\n"
      "vendor = 5\n"
      "type = 0x03\n"
      "model_suffix = 0x11\n"
      "firmware_complete = 0\n"
      "capabilities = 2\n"
      "parallel_ports = 3\n"
      "serial_ports = 1\n"
      "ip_address = 10.0.0.7\n"
      "state.LPT2 = paper_out\n"
      "state.COM1 = running\n"
      "display.LPT1 =   \"Ready  now\"  \n"
      "entries.LPT1 = a;b;\n"
      "record.smb_workgroup = HOME\n"
      "record.dhcp_mode = 1\n"
      "status.frame_type = 1\n"
      "status.port_status_lpt3 = 1\n"
      "reset_silence_ms = 20\n"
      "fault.silent = 1\n"
      "fault.answer_after = 4\n"
      "fault.wrong_command = 1\n"
      "fault.split_reply = 1\n"
      "fault.oversize = 9\n"
      "fault.drop_every = 6\n");
  EXPECT_EQ(config.node, kNodeA);
  EXPECT_EQ(FormatField(info::kDeviceName, config.info), "PSX1");
  EXPECT_EQ(Alias(config.record), "\xBF\xEC\xA4\xBD\xAB\xC7");  // CP950
  EXPECT_EQ(FieldNumber(info::kVendor, config.info), 5u);
  EXPECT_EQ(FieldNumber(info::kType, config.info), 3u);
  EXPECT_EQ(FieldNumber(info::kModelSuffix, config.info), 0x11u);
  EXPECT_EQ(FieldNumber(info::kFirmwareComplete, config.info), 0u);
  EXPECT_EQ(FieldNumber(info::kCapabilities, config.info), 2u);
  EXPECT_EQ(ParallelPortCount(config.record), 3);
  EXPECT_EQ(SerialPortCount(config.record), 1);
  EXPECT_EQ(IpAddress(config.record), (Ipv4Bytes{10, 0, 0, 7}));
  EXPECT_EQ(Text(eeprom::kSmbWorkgroup, config.record), "HOME");
  EXPECT_EQ(DhcpServerMode(config.record), DhcpMode::kOn);
  EXPECT_EQ(config.record[kChecksumOffset], RecordChecksum(config.record));
  EXPECT_EQ(config.ports[1].state, PrinterState::kPaperOut);
  EXPECT_EQ(config.ports[3].state, PrinterState::kRunning);
  EXPECT_EQ(config.ports[0].display, "\"Ready  now\"");
  EXPECT_EQ(config.ports[0].entries, "a;b;");
  EXPECT_EQ(config.reset_silence_ms, 20u);
  EXPECT_TRUE(config.faults.silent);
  EXPECT_EQ(config.faults.answer_after, 4u);
  EXPECT_TRUE(config.faults.wrong_command);
  EXPECT_TRUE(config.faults.split_reply);
  EXPECT_EQ(config.faults.oversize, 9u);
  EXPECT_EQ(config.faults.drop_every, 6u);

  // Forced status fields win over what the device computes.
  const StatusRecord status =
      ServerStatus(config.node, config.record, config.ports, config.status_overlay);
  EXPECT_EQ(status[status::kFrameType.offset], 1);
  EXPECT_EQ(status[status::kPortStatusOffsets[2]], 1);
  EXPECT_EQ(status[status::kPortStatusOffsets[1]], 2);
}

TEST(DeviceFileTest, MinimalFileGivesACompleteDevice) {
  const DeviceConfig config = ConfigFrom("node = 00:40:01:12:34:56\n");
  EXPECT_EQ(config.record, DefaultRecord(kNodeA));
  EXPECT_EQ(Alias(config.record), "PS123456");
  EXPECT_TRUE(HasCapability(config.record, eeprom::kCapTcpIp));
  EXPECT_EQ(config.reset_silence_ms, kDefaultResetSilenceMs);
  EXPECT_EQ(config.faults.oversize, 0u);
}

TEST(DeviceFileTest, ExplicitChecksumIsKept) {
  const DeviceConfig config = ConfigFrom("node = 00:40:01:12:34:56\nrecord.checksum = 7\n");
  EXPECT_EQ(config.record[kChecksumOffset], 7);
}

struct BadFileRow {
  const char* name;
  std::string text;
  std::string message;  // the whole error starts with this
};
// Test names show the row's name, not its bytes.
void PrintTo(const BadFileRow& row, std::ostream* out) { *out << row.name; }

class BadDeviceFileTest : public ::testing::TestWithParam<BadFileRow> {};

TEST_P(BadDeviceFileTest, IsRefusedWithFileAndLine) {
  DeviceConfig config;
  std::string error;
  EXPECT_FALSE(ParseDeviceFile(GetParam().text, "lab/x.dev", &config, &error));
  EXPECT_EQ(error.substr(0, GetParam().message.size()), GetParam().message) << error;
}

const std::string kNode = "node = 00:40:01:12:34:56\n";

INSTANTIATE_TEST_SUITE_P(
    Refused, BadDeviceFileTest,
    ::testing::Values(
        BadFileRow{"UnknownKey", kNode + "colour = red\n", "lab/x.dev:2: unknown key \"colour\""},
        BadFileRow{"NoEquals", kNode + "# fine\nalias Office\n", "lab/x.dev:3: expected"},
        BadFileRow{"NoKey", kNode + " = 3\n", "lab/x.dev:2: missing key"},
        BadFileRow{"NoNode", "alias = A\n", "lab/x.dev:1: missing \"node"},
        BadFileRow{"BadNode", "node = 00:40:01:12:34\n", "lab/x.dev:1: node:"},
        BadFileRow{"BroadcastNode", "node = ff:ff:ff:ff:ff:ff\n",
                   "lab/x.dev:1: node: the broadcast"},
        BadFileRow{"Twice", kNode + "alias = A\nalias = B\n",
                   "lab/x.dev:3: \"alias\" is already set on line 2"},
        BadFileRow{"UnknownPort", kNode + "state.LPT4 = ready\n", "lab/x.dev:2: unknown port"},
        BadFileRow{"UnknownState", kNode + "state.LPT1 = jammed\n",
                   "lab/x.dev:2: unknown printer state"},
        BadFileRow{"UnknownRecordField", kNode + "record.colour = 1\n",
                   "lab/x.dev:2: the configuration record has no field \"colour\""},
        BadFileRow{"BadRecordValue", kNode + "record.ip_address = 300.1.1.1\n",
                   "lab/x.dev:2: ip_address:"},
        BadFileRow{"UnknownStatusField", kNode + "status.ip_address = 1.2.3.4\n",
                   "lab/x.dev:2: the status record has no field"},
        BadFileRow{"BadStatusValue", kNode + "status.frame_type = ethernet\n",
                   "lab/x.dev:2: frame_type:"},
        BadFileRow{"FlagNotBoolean", kNode + "fault.silent = 2\n",
                   "lab/x.dev:2: expected a number"},
        BadFileRow{"UnknownFault", kNode + "fault.flaky = 1\n", "lab/x.dev:2: unknown fault"},
        BadFileRow{"OversizeTooBig", kNode + "fault.oversize = 70000\n",
                   "lab/x.dev:2: expected a number"},
        BadFileRow{"NegativeSilence", kNode + "reset_silence_ms = -1\n",
                   "lab/x.dev:2: expected a number"},
        BadFileRow{"FourParallelPorts", kNode + "parallel_ports = 4\n",
                   "lab/x.dev:2: expected a number from 0 to 3"},
        BadFileRow{"LongDeviceName", kNode + "device_name = PS1234567\n",
                   "lab/x.dev:2: device_name must have 1 to 8"},
        BadFileRow{"LongAlias", kNode + "alias = 0123456789abcdef\n", "lab/x.dev:2: "},
        BadFileRow{"NoCp950", kNode + "alias = \xF0\x9F\x98\x80\n", "lab/x.dev:2: text is not"},
        BadFileRow{"LongDisplay", kNode + "display.LPT1 = " + std::string(150, 'x') + "\n",
                   "lab/x.dev:2: display text does not fit"},
        BadFileRow{"LongEntries", kNode + "\nentries.COM2 = " + std::string(198, 'x') + "\n",
                   "lab/x.dev:3: entries do not fit"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeviceFileTest, MissingFileIsReported) {
  DeviceConfig config;
  std::string error;
  EXPECT_FALSE(LoadDeviceFile("no/such/file.dev", &config, &error));
  EXPECT_NE(error.find("no/such/file.dev"), std::string::npos) << error;
}

TEST(DeviceFileTest, DirectoryStandsForItsDevFilesInNameOrder) {
  const auto dir = std::filesystem::path(::testing::TempDir()) / "psemu-expand";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  for (const char* name : {"b.dev", "a.dev", "notes.txt"}) std::ofstream(dir / name) << "x";
  std::vector<std::filesystem::path> files;
  std::string error;
  ASSERT_TRUE(ExpandDeviceFiles({"first.dev", dir.string()}, &files, &error)) << error;
  EXPECT_EQ(files, (std::vector<std::filesystem::path>{"first.dev", dir / "a.dev", dir / "b.dev"}));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace pscfg::psemu

namespace pscfg::psemu {
namespace {

// The demo's devices: every one loads, is admitted by a Config.ini without
// DeviceType keys (type and vendor 0), is listed (TCP/IP supported), and
// together they show different port counts and the printer-status texts.
TEST(SampleDevicesTest, LoadAndCoverTheDemo) {
  std::vector<std::filesystem::path> files;
  std::string error;
  ASSERT_TRUE(ExpandDeviceFiles({PSEMU_SAMPLES_DIR}, &files, &error)) << error;
  ASSERT_EQ(files.size(), 4u);
  Emulator emulator;
  std::set<std::string> aliases;
  std::set<int> port_layouts;
  bool printer_texts = false;
  for (const auto& file : files) {
    DeviceConfig config;
    ASSERT_TRUE(LoadDeviceFile(file, &config, &error)) << error;
    EXPECT_EQ(FieldNumber(info::kType, config.info), 0u) << file;
    EXPECT_EQ(FieldNumber(info::kVendor, config.info), 0u) << file;
    EXPECT_EQ(FieldNumber(info::kFirmwareComplete, config.info), 1u) << file;
    EXPECT_TRUE(HasCapability(config.record, eeprom::kCapTcpIp)) << file;
    EXPECT_EQ(config.record[kChecksumOffset], RecordChecksum(config.record)) << file;
    aliases.insert(Alias(config.record));
    port_layouts.insert(ParallelPortCount(config.record) * 4 + SerialPortCount(config.record));
    printer_texts |= (FieldNumber(info::kCapabilities, config.info) & info::kCapPrinterStatus) &&
                     !config.ports[0].display.empty();
    ASSERT_TRUE(emulator.AddDevice(std::move(config), &error)) << error;
  }
  EXPECT_EQ(aliases.size(), 4u);
  EXPECT_GE(port_layouts.size(), 3u);
  EXPECT_TRUE(printer_texts);
}

}  // namespace
}  // namespace pscfg::psemu
