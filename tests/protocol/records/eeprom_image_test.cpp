#include "protocol/records/eeprom_image.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "protocol/wire.h"

namespace pscfg {
namespace {

using Image = std::array<std::uint8_t, kEEPromImageSize>;

Image Filled(std::uint8_t value) {
  Image image;
  image.fill(value);
  return image;
}

TEST(EEPromImageTest, PortCountsComeFromByte8) {
  Image image{};
  for (auto [byte8, parallel, serial] : {std::array{0x00, 0, 0}, std::array{0x01, 1, 0},
                                         std::array{0x0F, 3, 3}, std::array{0xF6, 2, 1}}) {
    image[eeprom::kParallelPorts.offset] = static_cast<std::uint8_t>(byte8);
    EXPECT_EQ(ParallelPortCount(image), parallel) << byte8;
    EXPECT_EQ(SerialPortCount(image), serial) << byte8;
  }
}

TEST(EEPromImageTest, AliasOfFifteenCharactersEndsWithAZeroAt31) {
  Image image = Filled(0xEE);
  std::string error;
  ASSERT_TRUE(SetAlias(image, "ABCDEFGHIJKLMNO", &error)) << error;
  for (std::size_t i = 16; i <= 30; ++i) EXPECT_EQ(image[i], 'A' + (i - 16)) << i;
  EXPECT_EQ(image[31], 0);
  EXPECT_EQ(image[15], 0xEE);
  EXPECT_EQ(image[32], 0xEE);
  EXPECT_EQ(Alias(image), "ABCDEFGHIJKLMNO");
  EXPECT_FALSE(SetAlias(image, "ABCDEFGHIJKLMNOP", &error));
  EXPECT_EQ(Alias(image), "ABCDEFGHIJKLMNO");
}

TEST(EEPromImageTest, AddressesSitInTheirOwnBytes) {
  Image image{};
  SetSubnetMask(image, {255, 255, 255, 0});
  SetGateway(image, {192, 168, 1, 1});
  SetIpAddress(image, {192, 168, 1, 5});
  const std::array<std::uint8_t, 12> expected = {255, 255, 255, 0, 192, 168, 1, 1, 192, 168, 1, 5};
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), image.begin() + 490));
  EXPECT_EQ(IpAddress(image), (Ipv4Bytes{192, 168, 1, 5}));
  EXPECT_EQ(Gateway(image), (Ipv4Bytes{192, 168, 1, 1}));
  EXPECT_EQ(SubnetMask(image), (Ipv4Bytes{255, 255, 255, 0}));
}

TEST(EEPromImageTest, FlagsChangeOnlyTheirBit) {
  Image image{};
  image[72] = static_cast<std::uint8_t>(~eeprom::kTcpIpEnabled.mask);
  SetFlag(eeprom::kTcpIpEnabled, image, true);
  EXPECT_EQ(image[72], 0xFF);
  EXPECT_TRUE(Flag(eeprom::kTcpIpEnabled, image));
  SetFlag(eeprom::kTcpIpEnabled, image, false);
  EXPECT_EQ(image[72], 0xFB);
  EXPECT_FALSE(Flag(eeprom::kTcpIpEnabled, image));
}

TEST(EEPromImageTest, CapabilitiesAreReadAsTheyAre) {
  Image image{};
  image[489] = eeprom::kCapTcpIp | eeprom::kCapDhcpServer;
  EXPECT_EQ(Capabilities(image), 0x09);
  EXPECT_TRUE(HasCapability(image, eeprom::kCapDhcpServer));
  EXPECT_FALSE(HasCapability(image, eeprom::kCapSmb));
}

TEST(EEPromImageTest, FirmwareCodeIsBuildLowVersionHigh) {
  Image image{};
  image[504] = 0x05;  // build
  image[505] = 0x23;  // version 2.3
  image[506] = 0x21;
  EXPECT_EQ(FirmwareBuild(image), 0x05);
  EXPECT_EQ(FirmwareVersion(image), 0x23);
  EXPECT_EQ(HardwareCode(image), 0x21);
  EXPECT_EQ(FirmwareCode(image), 0x2305);
  EXPECT_EQ(FirmwareCodeText(image), "2305");
  EXPECT_EQ(ImageCode(image), "05");
  image[504] = 0xAB;
  image[505] = 0x0C;
  EXPECT_EQ(FirmwareCodeText(image), "0CAB");
  EXPECT_EQ(ImageCode(image), "AB");
}

TEST(EEPromImageTest, TreeNameIsPaddedOnWriteAndCutOnRead) {
  Image image = Filled(0x33);
  std::string error;
  ASSERT_TRUE(SetNdsTreeName(image, "ACME", &error)) << error;
  EXPECT_EQ(std::string(image.begin() + 124, image.begin() + 156), "ACME" + std::string(28, '_'));
  EXPECT_EQ(image[156], 0x33);  // no terminator after the 32 bytes
  EXPECT_EQ(NdsTreeName(image), "ACME");

  ASSERT_TRUE(SetNdsTreeName(image, "", &error)) << error;
  EXPECT_EQ(image[124], 0);
  EXPECT_EQ(image[125], 'C');  // only the first byte changes
  EXPECT_EQ(NdsTreeName(image), "");
}

TEST(EEPromImageTest, MailBlocksFollowTheEightByteRule) {
  Image image = Filled(0x77);
  std::string error;
  SetMailServer(image, 1, {10, 1, 2, 3});
  ASSERT_TRUE(SetMailAccount(image, 1, "abc", &error)) << error;
  ASSERT_TRUE(SetMailPassword(image, 1, "12345678", &error)) << error;
  const std::size_t block = 406 + 20;
  EXPECT_EQ(image[block], 10);
  EXPECT_EQ(image[block + 3], 3);
  EXPECT_EQ(std::string(image.begin() + block + 4, image.begin() + block + 8),
            std::string("abc\0", 4));
  for (std::size_t i = block + 8; i < block + 12; ++i) EXPECT_EQ(image[i], 0x77) << i;
  EXPECT_EQ(std::string(image.begin() + block + 12, image.begin() + block + 20), "12345678");
  EXPECT_EQ(image[block + 20], 0x77);
  EXPECT_EQ(MailServer(image, 1), (Ipv4Bytes{10, 1, 2, 3}));
  EXPECT_EQ(MailAccount(image, 1), "abc");
  EXPECT_EQ(MailPassword(image, 1), "12345678");
  EXPECT_FALSE(SetMailAccount(image, 1, "123456789", &error));
  EXPECT_FALSE(SetMailAccount(image, 3, "a", &error));
}

TEST(EEPromImageTest, MailPortBitsKeepTheRestOfByte404) {
  Image image{};
  image[404] = 0x80;  // SMB stop-on-error
  SetMailHeaderOnPort(image, 2, true);
  SetMailAllOnPort(image, 1, true);
  EXPECT_EQ(image[404], 0x80 | 0x04 | 0x20);
  EXPECT_TRUE(MailHeaderOnPort(image, 2));
  EXPECT_FALSE(MailHeaderOnPort(image, 1));
  EXPECT_TRUE(MailAllOnPort(image, 1));
  SetMailHeaderOnPort(image, 3, true);  // no such port: nothing changes
  EXPECT_EQ(image[404], 0x80 | 0x04 | 0x20);
  SetMailAllOnPort(image, 1, false);
  EXPECT_EQ(image[404], 0x80 | 0x04);
  SetMailPollingTime(image, 10);
  EXPECT_EQ(MailPollingTime(image), 10);
  EXPECT_EQ(image[405], 10);
}

TEST(EEPromImageTest, AppleTalkFieldsOfFullWidthHaveNoTerminator) {
  Image image = Filled(0x11);
  std::string error;
  const std::string zone(16, 'Z');
  const std::string type(32, 'T');
  ASSERT_TRUE(SetAppleTalkZone(image, zone, &error)) << error;
  ASSERT_TRUE(SetAppleTalkPrinterType(image, 0, type, &error)) << error;
  ASSERT_TRUE(SetAppleTalkPrinterType(image, 2, "LaserWriter", &error)) << error;
  EXPECT_EQ(AppleTalkZone(image), zone);
  EXPECT_EQ(AppleTalkPrinterType(image, 0), type);
  EXPECT_EQ(image[204 + 32], 0x11);  // next field untouched
  EXPECT_EQ(AppleTalkPrinterType(image, 2), "LaserWriter");
  EXPECT_EQ(image[268 + 11], 0);
  EXPECT_FALSE(SetAppleTalkZone(image, zone + "Z", &error));
  EXPECT_FALSE(SetAppleTalkPrinterType(image, 3, "x", &error));
}

TEST(EEPromImageTest, DhcpModeReadsAnyOtherValueAsOffAndWritesOffAsTwo) {
  Image image{};
  for (auto [byte, mode] : {std::pair{0, DhcpMode::kAutomatic}, std::pair{1, DhcpMode::kOn},
                            std::pair{2, DhcpMode::kOff}, std::pair{5, DhcpMode::kOff},
                            std::pair{255, DhcpMode::kOff}}) {
    image[488] = static_cast<std::uint8_t>(byte);
    EXPECT_EQ(DhcpServerMode(image), mode) << byte;
  }
  SetDhcpServerMode(image, DhcpMode::kOff);
  EXPECT_EQ(image[488], 2);
  SetDhcpServerMode(image, DhcpMode::kOn);
  EXPECT_EQ(image[488], 1);
}

TEST(EEPromImageTest, RemotePrinterNumbersOfFourPorts) {
  Image image = Filled(0x42);
  for (int port = 0; port < 4; ++port) {
    SetRemotePrinterNumber(image, port, static_cast<std::uint8_t>(port * 10));
  }
  SetRemotePrinterNumber(image, 4, 99);  // COM2 has no field
  EXPECT_EQ(image[507], 0);
  EXPECT_EQ(image[510], 30);
  EXPECT_EQ(image[511], 0x42);
  EXPECT_EQ(RemotePrinterNumber(image, 2), 20);
  EXPECT_EQ(RemotePrinterNumber(image, 4), 0);
}

TEST(EEPromImageTest, ChecksumIsTheXorOfTheFirst511Bytes) {
  Image image{};
  image[0] = 0x01;
  image[100] = 0x10;
  image[510] = 0x80;
  image[511] = 0xFF;  // stale value does not count
  FinalizeChecksum(image);
  EXPECT_EQ(image[511], 0x91);
}

TEST(EEPromImageTest, ShortSpansReadAsZeroAndAreNotWritten) {
  std::array<std::uint8_t, 100> shortspan{};
  shortspan.fill(0x5A);
  const auto before = shortspan;
  EXPECT_EQ(IpAddress(shortspan), (Ipv4Bytes{0, 0, 0, 0}));
  EXPECT_EQ(FirmwareCode(shortspan), 0);
  SetIpAddress(shortspan, {1, 2, 3, 4});
  SetDhcpServerMode(shortspan, DhcpMode::kOn);
  FinalizeChecksum(shortspan);
  EXPECT_EQ(shortspan, before);
}

}  // namespace
}  // namespace pscfg
