#include "platform/sysinfo/name_services.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace pscfg::sysinfo {
namespace {

HostInterface Card(std::string name, Ipv4 address, bool loopback = false) {
  return {std::move(name), address, {255, 255, 255, 0}, loopback};
}

std::vector<std::string> AddressTexts(const HostEnt& host) {
  std::vector<std::string> texts;
  for (const InAddr& address : host.h_addr_list) texts.push_back(inet_ntoa(address));
  return texts;
}

struct InetAddrCase {
  const char* text;
  std::optional<Ipv4> expected;  // nullopt: kInaddrNone
};

void PrintTo(const InetAddrCase& row, std::ostream* os) { *os << '"' << row.text << '"'; }

const InetAddrCase kInetAddrCases[] = {
    {"192.168.1.5", Ipv4{192, 168, 1, 5}},
    {"0.0.0.0", Ipv4{0, 0, 0, 0}},
    {"", Ipv4{0, 0, 0, 0}},  // the Windows 2000 line's answer
    {"10.1.2.3 and more", Ipv4{10, 1, 2, 3}},
    {"10.1.2.3\t", Ipv4{10, 1, 2, 3}},
    {"1.2.3", Ipv4{1, 2, 0, 3}},
    {"1.2.65535", Ipv4{1, 2, 255, 255}},
    {"1.2", Ipv4{1, 0, 0, 2}},
    {"16909060", Ipv4{1, 2, 3, 4}},
    {"0x7f.1", Ipv4{127, 0, 0, 1}},
    {"0XFF.0xff.0.1", Ipv4{255, 255, 0, 1}},
    {"010.0.0.1", Ipv4{8, 0, 0, 1}},
    {"00.0.0.0", Ipv4{0, 0, 0, 0}},
    {"255.255.255.255", std::nullopt},  // the same number as kInaddrNone
    {"256.1.1.1", std::nullopt},
    {"1.2.3.256", std::nullopt},
    {"1.2.65536", std::nullopt},
    {"4294967296", std::nullopt},
    {"08.0.0.1", std::nullopt},
    {"1.2.3.4.5", std::nullopt},
    {"1.2.3.4x", std::nullopt},
    {"1a.2.3.4", std::nullopt},
    {" 1.2.3.4", std::nullopt},
    {"1..2.3", std::nullopt},
    {"1.2.3.", std::nullopt},
    {".1.2.3", std::nullopt},
    {"a.b.c.d", std::nullopt},
    {"-1.2.3.4", std::nullopt},
    {" ", std::nullopt},
};

class InetAddrTest : public ::testing::TestWithParam<InetAddrCase> {};

TEST_P(InetAddrTest, ReadsAsWinsockDoes) {
  const InetAddrCase& row = GetParam();
  const std::uint32_t address = inet_addr(row.text);
  if (!row.expected) {
    EXPECT_EQ(address, kInaddrNone);
    return;
  }
  EXPECT_EQ(ToIpv4(InAddr{address}), *row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, InetAddrTest, ::testing::ValuesIn(kInetAddrCases));

TEST(InetAddr, NetworkByteOrderInMemory) {
  const std::uint32_t address = inet_addr("192.168.1.5");
  std::uint8_t bytes[4];
  std::memcpy(bytes, &address, 4);
  EXPECT_EQ(bytes[0], 192);
  EXPECT_EQ(bytes[3], 5);
  // The page's network test: the same network under a mask.
  const std::uint32_t mask = inet_addr("255.255.255.0");
  EXPECT_EQ(address & mask, inet_addr("192.168.1.200") & mask);
  EXPECT_NE(address & mask, inet_addr("192.168.2.5") & mask);
}

TEST(InetNtoa, DottedDecimal) {
  EXPECT_EQ(inet_ntoa(ToInAddr({192, 168, 1, 5})), "192.168.1.5");
  EXPECT_EQ(inet_ntoa(ToInAddr({0, 0, 0, 0})), "0.0.0.0");
  EXPECT_EQ(inet_ntoa(ToInAddr({255, 255, 255, 255})), "255.255.255.255");
  EXPECT_EQ(inet_ntoa(InAddr{inet_addr("10.0.0.1")}), "10.0.0.1");
}

TEST(GetHostName, TruncationFailsWithWsaeFault) {
  const FixedHostSource host("PC-LAB", {});
  ScopedHostSource scoped(host);
  char buffer[50];
  std::memset(buffer, 'X', sizeof buffer);
  ASSERT_EQ(gethostname(buffer, 50), 0);
  EXPECT_STREQ(buffer, "PC-LAB");
  ASSERT_EQ(gethostname(buffer, 7), 0) << "name and terminator fit exactly";

  std::memset(buffer, 'X', sizeof buffer);
  EXPECT_EQ(gethostname(buffer, 6), kSocketError);
  EXPECT_EQ(WSAGetLastError(), 10014);
  EXPECT_EQ(buffer[0], 'X') << "nothing written";
  EXPECT_EQ(gethostname(buffer, 0), kSocketError);
  EXPECT_EQ(gethostname(nullptr, 50), kSocketError);
  EXPECT_EQ(WSAGetLastError(), 10014);
}

TEST(GetHostName, NameLongerThanThePagesBuffer) {
  const FixedHostSource host(std::string(50, 'n'), {});
  ScopedHostSource scoped(host);
  char buffer[50];
  EXPECT_EQ(gethostname(buffer, sizeof buffer), kSocketError);
  EXPECT_EQ(WSAGetLastError(), 10014);
}

TEST(GetHostByName, OwnNameListsTheInterfacesNotLoopback) {
  const FixedHostSource host(
      "PC-LAB",
      {Card("lo", {127, 0, 0, 1}, true), Card("eth0", {192, 168, 1, 20}),
       Card("wlan0", {10, 1, 2, 3}), Card("eth0", {192, 168, 1, 21}), Card("br0", {10, 1, 2, 3})},
      {{"pc-lab", {{127, 0, 1, 1}}}});  // what a hosts file may say
  ScopedHostSource scoped(host);
  for (const char* name : {"PC-LAB", "pc-lab", ""}) {
    const HostEnt* entry = gethostbyname(name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_EQ(entry->h_name, "PC-LAB");
    EXPECT_EQ(entry->h_addrtype, 2);
    EXPECT_EQ(entry->h_length, 4);
    EXPECT_EQ(AddressTexts(*entry),
              (std::vector<std::string>{"192.168.1.20", "10.1.2.3", "192.168.1.21"}))
        << name;
  }
}

TEST(GetHostByName, LoopbackOnlyWhenNothingElse) {
  const FixedHostSource loopback_only("box", {Card("lo", {127, 0, 0, 1}, true)});
  {
    ScopedHostSource scoped(loopback_only);
    const HostEnt* entry = gethostbyname("box");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(AddressTexts(*entry), std::vector<std::string>{"127.0.0.1"});
  }
  const FixedHostSource no_interfaces("box", {});
  ScopedHostSource scoped(no_interfaces);
  const HostEnt* entry = gethostbyname("box");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(AddressTexts(*entry), std::vector<std::string>{"127.0.0.1"});
}

TEST(GetHostByName, OtherNamesGoToTheResolver) {
  const FixedHostSource host("PC-LAB", {Card("eth0", {192, 168, 1, 20})},
                             {{"printhost", {{10, 9, 8, 7}, {10, 9, 8, 6}, {10, 9, 8, 7}}}});
  ScopedHostSource scoped(host);
  const HostEnt* entry = gethostbyname("PrintHost");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->h_name, "PrintHost");
  EXPECT_EQ(AddressTexts(*entry), (std::vector<std::string>{"10.9.8.7", "10.9.8.6"}));

  EXPECT_EQ(gethostbyname("nowhere"), nullptr);
  EXPECT_EQ(WSAGetLastError(), kWsaHostNotFound);
}

TEST(GetHostByName, AddressTextIsItsOwnEntry) {
  const FixedHostSource host("PC-LAB", {Card("eth0", {192, 168, 1, 20})});
  ScopedHostSource scoped(host);
  const HostEnt* entry = gethostbyname("10.20.30.40");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->h_name, "10.20.30.40");
  EXPECT_EQ(AddressTexts(*entry), std::vector<std::string>{"10.20.30.40"});
}

TEST(GetHostByName, EntryLivesUntilTheNextCall) {
  const FixedHostSource host("PC-LAB", {Card("eth0", {192, 168, 1, 20})});
  ScopedHostSource scoped(host);
  const HostEnt* first = gethostbyname("PC-LAB");
  const HostEnt* second = gethostbyname("10.0.0.1");
  EXPECT_EQ(first, second) << "one entry per thread, as in Winsock";
  EXPECT_EQ(AddressTexts(*second), std::vector<std::string>{"10.0.0.1"});
}

}  // namespace
}  // namespace pscfg::sysinfo
