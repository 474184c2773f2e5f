#include "platform/registry/pc_subnet_lookup.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "platform/sysinfo/name_services.h"
#include "platform/sysinfo/os_version.h"
#include "registry_test_env.h"

namespace pscfg::registry {
namespace {

using sysinfo::kVerPlatformWin32Nt;
using sysinfo::kVerPlatformWin32s;
using sysinfo::kVerPlatformWin32Windows;
using testing::Interface;
using testing::TestMachine;

// A PC with two cards besides loopback.
std::vector<sysinfo::HostInterface> TwoCards() {
  return {Interface("lo", {127, 0, 0, 1}, {255, 0, 0, 0}, true),
          Interface("eth0", {192, 168, 1, 20}, {255, 255, 255, 0}),
          Interface("eth1", {10, 1, 2, 3}, {255, 255, 0, 0})};
}

sysinfo::OsVersionInfo Version(std::uint32_t platform, std::uint32_t major,
                               std::uint32_t minor = 0) {
  sysinfo::OsVersionInfo version;
  version.platform_id = platform;
  version.major_version = major;
  version.minor_version = minor;
  return version;
}

constexpr char kNetTrans[] =
    "REGEDIT4\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000]\n"
    "\"IPAddress\"=\"0.0.0.0\"\n"
    "\"IPMask\"=\"0.0.0.0\"\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0001]\n"
    "\"IPAddress\"=\"192.168.7.9\"\n"
    "\"IPMask\"=\"255.255.255.0\"\n"
    "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0002]\n"
    "\"IPAddress\"=\"172.16.0.5\"\n";

struct LookupCase {
  const char* name;
  sysinfo::OsVersionInfo version;
  std::string registry;  // the registry file's text
  std::string address;
  bool found;
  std::string mask;  // the mask text afterwards; it starts as "keep"
};

void PrintTo(const LookupCase& row, std::ostream* os) { *os << row.name; }

const LookupCase kLookups[] = {
    {"Nt5SecondCard", Version(kVerPlatformWin32Nt, 5), "", "10.1.2.3", true, "255.255.0.0"},
    {"Nt5FirstCard", Version(kVerPlatformWin32Nt, 5), "", "192.168.1.20", true, "255.255.255.0"},
    {"Nt51StillMajor5", Version(kVerPlatformWin32Nt, 5, 1), "", "10.1.2.3", true, "255.255.0.0"},
    {"Nt4SecondCard", Version(kVerPlatformWin32Nt, 4), "", "10.1.2.3", true, "255.255.0.0"},
    {"Nt6HasNoCardList", Version(kVerPlatformWin32Nt, 6), "", "10.1.2.3", false, "keep"},
    {"Nt3HasNoCardList", Version(kVerPlatformWin32Nt, 3), "", "10.1.2.3", false, "keep"},
    {"LoopbackIsNoCard", Version(kVerPlatformWin32Nt, 5), "", "127.0.0.1", false, "keep"},
    {"UnknownAddress", Version(kVerPlatformWin32Nt, 5), "", "10.1.2.4", false, "keep"},
    {"PrefixIsNoMatch", Version(kVerPlatformWin32Nt, 5), "", "10.1.2", false, "keep"},
    {"LongerIsNoMatch", Version(kVerPlatformWin32Nt, 5), "", "10.1.2.30", false, "keep"},
    {"Win32sLooksNowhere", Version(kVerPlatformWin32s, 5), "", "10.1.2.3", false, "keep"},
    {"OtherPlatformLooksNowhere", Version(7, 5), "", "10.1.2.3", false, "keep"},
    {"StoredMaskWins", Version(kVerPlatformWin32Nt, 5),
     "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\eth1\\Parameters\\Tcpip]"
     "\n"
     "\"SubnetMask\"=\"255.0.0.0\"\n",
     "10.1.2.3", true, "255.0.0.0"},
    {"StoredCardWithoutMaskIsFound", Version(kVerPlatformWin32Nt, 5),
     "REGEDIT4\n"
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard\\7]\n"
     "\"ServiceName\"=\"ppp0\"\n"
     "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\ppp0\\Parameters\\Tcpip]\n"
     "\"IPAddress\"=\"172.20.0.1\"\n",
     "172.20.0.1", true, "keep"},
    {"CardWithoutServiceNameSkipped", Version(kVerPlatformWin32Nt, 5),
     "REGEDIT4\n"
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard\\0]\n"
     "\"Title\"=\"no service\"\n",
     "10.1.2.3", true, "255.255.0.0"},
    // Values beyond the 150-byte buffer cannot be read.
    {"ServiceNameTooLong", Version(kVerPlatformWin32Nt, 5),
     "REGEDIT4\n"
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard\\7]\n"
     "\"ServiceName\"=\"" +
         std::string(150, 's') +
         "\"\n"
         "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\" +
         std::string(150, 's') +
         "\\Parameters\\Tcpip]\n"
         "\"IPAddress\"=\"172.20.0.1\"\n",
     "172.20.0.1", false, "keep"},
    {"ServiceNameJustFits", Version(kVerPlatformWin32Nt, 5),
     "REGEDIT4\n"
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard\\7]\n"
     "\"ServiceName\"=\"" +
         std::string(149, 's') +
         "\"\n"
         "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\" +
         std::string(149, 's') +
         "\\Parameters\\Tcpip]\n"
         "\"IPAddress\"=\"172.20.0.1\"\n"
         "\"SubnetMask\"=\"255.255.0.0\"\n",
     "172.20.0.1", true, "255.255.0.0"},
    {"GarbageFileLeavesLiveCards", Version(kVerPlatformWin32Nt, 5), "\x01\x02garbage", "10.1.2.3",
     true, "255.255.0.0"},
    {"Win9xTransport", Version(kVerPlatformWin32Windows, 4, 10), kNetTrans, "192.168.7.9", true,
     "255.255.255.0"},
    {"Win9xTransportWithoutMask", Version(kVerPlatformWin32Windows, 4, 10), kNetTrans, "172.16.0.5",
     true, "keep"},
    {"Win9xIgnoresLiveCards", Version(kVerPlatformWin32Windows, 4, 10), kNetTrans, "10.1.2.3",
     false, "keep"},
    {"Win9xWithoutNetTrans", Version(kVerPlatformWin32Windows, 4, 0), "", "192.168.7.9", false,
     "keep"},
    {"NtIgnoresNetTrans", Version(kVerPlatformWin32Nt, 5), kNetTrans, "192.168.7.9", false, "keep"},
};

class SubnetLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(SubnetLookupTest, WalksAsThePageDoes) {
  const LookupCase& row = GetParam();
  TestMachine machine(TwoCards());
  if (!row.registry.empty()) machine.WriteRegistryFile(row.registry);
  std::string mask = "keep";
  EXPECT_EQ(LookUpSubnetMask(row.version, row.address, &mask), row.found);
  EXPECT_EQ(mask, row.mask);
}

INSTANTIATE_TEST_SUITE_P(Rows, SubnetLookupTest, ::testing::ValuesIn(kLookups),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SubnetLookup, UsesTheReportedVersion) {
  TestMachine machine(TwoCards());
  machine.WriteRegistryFile(kNetTrans);
  std::string mask;
  EXPECT_TRUE(LookUpSubnetMask("10.1.2.3", &mask));  // NT 5 by default
  EXPECT_EQ(mask, "255.255.0.0");
  sysinfo::ScopedOsVersion windows98(kVerPlatformWin32Windows, 4, 10);
  EXPECT_FALSE(LookUpSubnetMask("10.1.2.3", &mask));
  EXPECT_TRUE(LookUpSubnetMask("192.168.7.9", &mask));
  EXPECT_EQ(mask, "255.255.255.0");
}

TEST(SubnetLookup, MultiStringLongerThanTheBufferIsNotRead) {
  std::vector<sysinfo::HostInterface> interfaces;
  for (int i = 1; i <= 14; ++i) {
    interfaces.push_back(
        Interface("eth0", {10, 0, 0, static_cast<std::uint8_t>(100 + i)}, {255, 255, 255, 0}));
  }
  TestMachine machine(interfaces);  // 14 addresses of 11 bytes and a NUL: 155 bytes
  std::string mask = "keep";
  EXPECT_FALSE(LookUpSubnetMask(Version(kVerPlatformWin32Nt, 5), "10.0.0.101", &mask));
  EXPECT_EQ(mask, "keep");
}

// What the IP settings page does for a print server without an address:
// the PC's addresses from its own host name, the first one with a mask in
// the registry wins.
TEST(SubnetLookup, HostAddressesFindTheCardOfThePc) {
  TestMachine machine({Interface("lo", {127, 0, 0, 1}, {255, 0, 0, 0}, true),
                       Interface("docker0", {172, 17, 0, 1}, {255, 255, 0, 0}),
                       Interface("eth0", {192, 168, 1, 254}, {255, 255, 255, 0})});
  machine.WriteRegistryFile(
      "REGEDIT4\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\docker0\\Parameters\\Tcpip]\n"
      "\"IPAddress\"=\"0.0.0.0\"\n");
  char name[50];
  ASSERT_EQ(sysinfo::gethostname(name, sizeof name), 0);
  const sysinfo::HostEnt* host = sysinfo::gethostbyname(name);
  ASSERT_NE(host, nullptr);
  std::string pc_address;
  std::string pc_mask;
  for (const sysinfo::InAddr& address : host->h_addr_list) {
    const std::string text = sysinfo::inet_ntoa(address);
    if (text == "0.0.0.0") continue;
    if (LookUpSubnetMask(text, &pc_mask)) {
      pc_address = text;
      break;
    }
  }
  EXPECT_EQ(pc_address, "192.168.1.254");
  EXPECT_EQ(pc_mask, "255.255.255.0");
}

}  // namespace
}  // namespace pscfg::registry
