// Routing by node address, the stored and the applied record, and resets.

#include <gtest/gtest.h>

#include "protocol/record_fields.h"
#include "protocol/records/eeprom_image.h"
#include "protocol/records/server_status.h"
#include "tests/testbed/psemu_test_util.h"

namespace pscfg::psemu {
namespace {

using std::chrono::milliseconds;

const std::string kA = "node = 00:40:01:12:34:56\nalias = Office\n";
const std::string kB = "node = 00:40:01:00:00:b2\nalias = Lab\nreset_silence_ms = 500\n";
const std::string kC = "node = 00-40-01-00-00-C3\nalias = Store\n";

std::string AliasOf(const Datagram& search_reply) {
  if (search_reply.size() != kNodeAddressSize + kHeaderSize + kPServerInfoSize) return "?";
  return FixedFieldText(FieldBytes(info::kAlias, std::span(search_reply).subspan(10)));
}

std::span<const std::uint8_t> RecordOf(const Datagram& reply) {
  return std::span(reply).subspan(std::min<std::size_t>(reply.size(), 10));
}

class RoutingTest : public EmulatorFixture {
 protected:
  void SetUp() override { AddDevices({kA, kB, kC}); }
};

TEST_F(RoutingTest, RequestReachesOnlyTheDeviceItNames) {
  const auto replies = Send(RequestFor(kNodeB, Command::kReadRecord));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(Bytes(replies[0].begin(), replies[0].begin() + 6), NodeBytes(kNodeB));
  EXPECT_EQ(Alias(RecordOf(replies[0])), "Lab");
}

TEST_F(RoutingTest, UnknownNodeGetsNoAnswer) {
  const NodeAddress other = {0x00, 0x40, 0x01, 0x99, 0x99, 0x99};
  EXPECT_TRUE(Send(RequestFor(other, Command::kSearch)).empty());
}

TEST_F(RoutingTest, BroadcastSearchIsAnsweredByEveryDeviceInOrder) {
  const auto replies = Send(BroadcastSearch());
  ASSERT_EQ(replies.size(), 3u);
  const NodeAddress nodes[] = {kNodeA, kNodeB, kNodeC};
  const char* aliases[] = {"Office", "Lab", "Store"};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Bytes(replies[i].begin(), replies[i].begin() + 6), NodeBytes(nodes[i]));
    EXPECT_EQ(AliasOf(replies[i]), aliases[i]);
  }
}

TEST_F(RoutingTest, WriteIsReadBackAtOnceButAppliedOnlyAfterReset) {
  Record changed = emulator_->Find(kNodeB)->stored_record();
  std::string error;
  ASSERT_TRUE(SetAlias(changed, "Lab-2", &error));
  SetIpAddress(changed, {10, 1, 2, 3});
  ASSERT_EQ(Send(WriteRequest(kNodeB, changed)).size(), 1u);

  EXPECT_EQ(Alias(RecordOf(SendOne(RequestFor(kNodeB, Command::kReadRecord)))), "Lab-2");
  EXPECT_EQ(AliasOf(SendOne(RequestFor(kNodeB, Command::kSearch))), "Lab");
  const auto status = SendOne(RequestFor(kNodeB, Command::kServerStatus));
  EXPECT_EQ(IpAddressInUse(RecordOf(status)), (Ipv4Bytes{192, 168, 1, 100 + 0xB2 % 100}));

  ASSERT_EQ(Send(RequestFor(kNodeB, Command::kReset)).size(), 1u);
  Elapse(milliseconds(499));
  EXPECT_TRUE(Send(RequestFor(kNodeB, Command::kSearch)).empty()) << "silent while resetting";
  EXPECT_EQ(Send(BroadcastSearch()).size(), 2u) << "the others still answer";
  Elapse(milliseconds(1));
  EXPECT_EQ(AliasOf(SendOne(RequestFor(kNodeB, Command::kSearch))), "Lab-2");
  const auto applied = SendOne(RequestFor(kNodeB, Command::kServerStatus));
  EXPECT_EQ(IpAddressInUse(RecordOf(applied)), (Ipv4Bytes{10, 1, 2, 3}));
}

TEST_F(RoutingTest, ResetWithoutWriteKeepsTheRecord) {
  const Record before = emulator_->Find(kNodeA)->applied_record();
  ASSERT_EQ(Send(RequestFor(kNodeA, Command::kReset)).size(), 1u);
  Elapse(milliseconds(kDefaultResetSilenceMs));
  EXPECT_EQ(AliasOf(SendOne(RequestFor(kNodeA, Command::kSearch))), "Office");
  EXPECT_EQ(emulator_->Find(kNodeA)->applied_record(), before);
}

TEST_F(RoutingTest, WriteWithBadChecksumIsIgnored) {
  Record changed = emulator_->Find(kNodeA)->stored_record();
  std::string error;
  ASSERT_TRUE(SetAlias(changed, "Broken", &error));
  Bytes request = WriteRequest(kNodeA, changed);
  request.back() ^= 0x01;
  EXPECT_TRUE(Send(request).empty());
  EXPECT_EQ(Alias(RecordOf(SendOne(RequestFor(kNodeA, Command::kReadRecord)))), "Office");
}

TEST_F(RoutingTest, WriteStoresTheRecordAsSent) {
  // Even bytes that firmware owns: a client that changes them must be seen.
  Record changed = emulator_->Find(kNodeC)->stored_record();
  changed[eeprom::kCapabilities.offset] = 0x01;
  Send(WriteRequest(kNodeC, changed));
  changed[kChecksumOffset] = RecordChecksum(changed);
  EXPECT_EQ(emulator_->Find(kNodeC)->stored_record(), changed);
}

TEST_F(EmulatorFixture, ZeroSilenceAppliesAtTheNextRequest) {
  AddDevices({"node = 00:40:01:12:34:56\nreset_silence_ms = 0\n"});
  Record changed = emulator_->Find(kNodeA)->stored_record();
  std::string error;
  ASSERT_TRUE(SetAlias(changed, "Quick", &error));
  Send(WriteRequest(kNodeA, changed));
  Send(RequestFor(kNodeA, Command::kReset));
  EXPECT_EQ(AliasOf(SendOne(RequestFor(kNodeA, Command::kSearch))), "Quick");
}

TEST_F(EmulatorFixture, DuplicateNodeIsRefused) {
  AddDevices({kA});
  std::string error;
  EXPECT_FALSE(emulator_->AddDevice(ConfigFrom(kA, "again.dev"), &error));
  EXPECT_NE(error.find("again.dev"), std::string::npos) << error;
}

}  // namespace
}  // namespace pscfg::psemu
