// Truncated, garbage and oversized datagrams: never a crash, never a reply
// that a client could mistake.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "tests/testbed/psemu_test_util.h"

namespace pscfg::psemu {
namespace {

constexpr int kDatagrams = 4000;
const std::set<std::size_t> kReplySizes = {10, 12, 76, 416, 491, 522};

class RandomDatagramTest : public EmulatorFixture {
 protected:
  void SetUp() override {
    AddDevices(
        {"node = 00:40:01:12:34:56\ncapabilities = 0x02\ndisplay.LPT1 = OK\n"
         "reset_silence_ms = 0\n",
         "node = 00:40:01:00:00:b2\n"});
  }

  // A datagram that is sometimes close to a real request: a known node or
  // the broadcast node, a valid header, a plausible length, random rest.
  Bytes RandomDatagram(std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> choice(0, 9);
    const std::size_t lengths[] = {0, 1, 5, 9, 10, 11, 12, 13, 14, 15, 76, 521, 522, 523, 1500};
    Bytes datagram(lengths[std::uniform_int_distribution<std::size_t>(0, 14)(random)]);
    for (auto& b : datagram) b = static_cast<std::uint8_t>(byte(random));
    if (datagram.size() >= 10 && choice(random) < 7) {
      const Bytes node = choice(random) < 5   ? NodeBytes(kNodeA)
                         : choice(random) < 5 ? kBroadcastPrefix
                                              : NodeBytes(kNodeB);
      std::copy(node.begin(), node.end(), datagram.begin());
      const std::uint8_t codes[] = {1, 2, 3, 4, 5, 6, 7, 8, 10, 0, 255};
      const auto header = RequestHeader(static_cast<Command>(codes[byte(random) % 11]));
      std::copy(header.begin(), header.end(), datagram.begin() + 6);
      if (choice(random) < 2) datagram[6 + byte(random) % 4] ^= 0x01;
    }
    return datagram;
  }
};

TEST_F(RandomDatagramTest, EveryReplyIsAWellFormedFrameOfADevice) {
  std::mt19937 random(20240611);
  int answered = 0;
  for (int i = 0; i < kDatagrams; ++i) {
    const Bytes datagram = RandomDatagram(random);
    for (const auto& reply : Send(datagram)) {
      ++answered;
      ASSERT_TRUE(kReplySizes.count(reply.size())) << "reply of " << reply.size() << " bytes";
      const Bytes node(reply.begin(), reply.begin() + 6);
      EXPECT_TRUE(node == NodeBytes(kNodeA) || node == NodeBytes(kNodeB));
      EXPECT_EQ(reply[6], kDirectionReply);
      EXPECT_EQ(reply[7], datagram[7]) << "a reply names the command it answers";
    }
    Elapse(std::chrono::milliseconds(1));
  }
  EXPECT_GT(answered, 0) << "the generator should hit real requests too";
}

}  // namespace
}  // namespace pscfg::psemu
