#include "platform/registry/network_card_view.h"

#include <gtest/gtest.h>

#include "platform/registry/regedit4.h"
#include "registry_test_env.h"

namespace pscfg::registry {
namespace {

using testing::Interface;

TEST(NetworkCardView, OneCardPerInterfaceWithoutLoopback) {
  const KeyNode view = BuildNetworkCardView({
      Interface("lo", {127, 0, 0, 1}, {255, 0, 0, 0}, true),
      Interface("eth0", {192, 168, 1, 20}, {255, 255, 255, 0}),
      Interface("wlan0", {10, 1, 2, 3}, {255, 255, 0, 0}),
      Interface("eth0", {192, 168, 7, 1}, {255, 255, 255, 128}),
  });
  EXPECT_EQ(
      FormatRegedit4(view),
      "REGEDIT4\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard\\1]\n"
      "\"ServiceName\"=\"eth0\"\n"
      "\"Description\"=\"eth0\"\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard\\2]\n"
      "\"ServiceName\"=\"wlan0\"\n"
      "\"Description\"=\"wlan0\"\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\1]\n"
      "\"ServiceName\"=\"eth0\"\n"
      "\"Description\"=\"eth0\"\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\2]\n"
      "\"ServiceName\"=\"wlan0\"\n"
      "\"Description\"=\"wlan0\"\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\eth0]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\eth0\\Parameters]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\eth0\\Parameters\\Tcpip]\n"
      // "192.168.1.20", "192.168.7.1"
      "\"IPAddress\"=hex(7):31,39,32,2e,31,36,38,2e,31,2e,32,30,00,31,39,32,2e,31,36,38,\\\n"
      "  2e,37,2e,31,00,00\n"
      // "255.255.255.0", "255.255.255.128"
      "\"SubnetMask\"=hex(7):32,35,35,2e,32,35,35,2e,32,35,35,2e,30,00,32,35,35,2e,32,\\\n"
      "  35,35,2e,32,35,35,2e,31,32,38,00,00\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wlan0]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wlan0\\Parameters]\n"
      "\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\wlan0\\Parameters\\Tcpip]\n"
      "\"IPAddress\"=hex(7):31,30,2e,31,2e,32,2e,33,00,00\n"
      "\"SubnetMask\"=hex(7):32,35,35,2e,32,35,35,2e,30,2e,30,00,00\n");
}

TEST(NetworkCardView, LoopbackOnlyHostHasEmptyCardLists) {
  const KeyNode view =
      BuildNetworkCardView({Interface("lo", {127, 0, 0, 1}, {255, 0, 0, 0}, true)});
  for (const char* list : {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard",
                           "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards"}) {
    const KeyNode* key = view.Find(SplitKeyPath(list));
    ASSERT_NE(key, nullptr) << list;
    EXPECT_TRUE(key->subkeys().empty());
  }
  EXPECT_EQ(view.FindSubkey("SYSTEM"), nullptr);
}

TEST(NetworkCardView, NamesThatCannotBeKeysAreLeftOut) {
  const KeyNode view = BuildNetworkCardView({Interface("a\\b", {10, 0, 0, 1}, {255, 0, 0, 0}),
                                             Interface("", {10, 0, 0, 2}, {255, 0, 0, 0}),
                                             Interface("ok", {10, 0, 0, 3}, {255, 0, 0, 0})});
  const KeyNode* cards =
      view.Find(SplitKeyPath("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard"));
  ASSERT_NE(cards, nullptr);
  ASSERT_EQ(cards->subkeys().size(), 1u);
  EXPECT_EQ(*cards->subkeys()[0].FindValue("ServiceName"), MakeStringValue("ok"));
}

}  // namespace
}  // namespace pscfg::registry
