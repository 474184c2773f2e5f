// The operating system's answers; only what holds on any Linux host is
// checked, so that this runs alike with or without network cards. No name
// is resolved here: that could send a query to a name server.

#include "platform/sysinfo/posix_host_source.h"

#include <gtest/gtest.h>

#include "platform/sysinfo/name_services.h"

namespace pscfg::sysinfo {
namespace {

TEST(PosixHostSource, HasAHostName) {
  const PosixHostSource host;
  EXPECT_FALSE(host.HostName().empty());
}

TEST(PosixHostSource, InterfacesAreNamedIpv4Addresses) {
  const PosixHostSource host;
  for (const HostInterface& card : host.Interfaces()) {
    EXPECT_FALSE(card.name.empty());
    if (card.loopback) {
      EXPECT_EQ(card.address[0], 127) << card.name;
    }
  }
}

TEST(PosixHostSource, IsTheDefaultSource) {
  char name[256];
  ASSERT_EQ(gethostname(name, sizeof name), 0);
  EXPECT_EQ(name, PosixHostSource().HostName());
  const HostEnt* entry = gethostbyname(name);
  ASSERT_NE(entry, nullptr);
  EXPECT_FALSE(entry->h_addr_list.empty());
}

}  // namespace
}  // namespace pscfg::sysinfo
