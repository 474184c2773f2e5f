// Every fault a device file can switch on.

#include <gtest/gtest.h>

#include <ostream>

#include "tests/testbed/psemu_test_util.h"

namespace pscfg::psemu {
namespace {

const std::string kNodeLine = "node = 00:40:01:12:34:56\n";

// Which of six read requests in a row get an answer.
struct PatternRow {
  const char* name;
  const char* fault;
  std::vector<bool> answered;
};
// Test names show the row's name, not its bytes.
void PrintTo(const PatternRow& row, std::ostream* out) { *out << row.name; }

class FaultPatternTest : public EmulatorFixture,
                         public ::testing::WithParamInterface<PatternRow> {};

TEST_P(FaultPatternTest, AnswersThisPattern) {
  AddDevices({kNodeLine + GetParam().fault + "\n"});
  std::vector<bool> answered;
  for (std::size_t i = 0; i < GetParam().answered.size(); ++i) {
    answered.push_back(!Send(RequestFor(kNodeA, Command::kReadRecord)).empty());
  }
  EXPECT_EQ(answered, GetParam().answered);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultPatternTest,
    ::testing::Values(
        PatternRow{"None", "", {true, true, true, true, true, true}},
        PatternRow{"Silent", "fault.silent = 1", {false, false, false, false, false, false}},
        PatternRow{
            "AnswerAfterTwo", "fault.answer_after = 2", {false, false, true, true, true, true}},
        PatternRow{
            "DropEveryThird", "fault.drop_every = 3", {true, true, false, true, true, false}},
        PatternRow{"AnswerAfterOneDropEveryTwo",
                   "fault.answer_after = 1\nfault.drop_every = 2",
                   {false, false, true, false, true, false}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EmulatorFixture, SilentDeviceIgnoresBroadcastSearchToo) {
  AddDevices({kNodeLine + "fault.silent = 1\n", "node = 00:40:01:00:00:b2\n"});
  const auto replies = Send(BroadcastSearch());
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(Bytes(replies[0].begin(), replies[0].begin() + 6), NodeBytes(kNodeB));
}

TEST_F(EmulatorFixture, IgnoredWriteIsNotStored) {
  AddDevices({kNodeLine + "fault.answer_after = 1\n"});
  Record changed = emulator_->Find(kNodeA)->stored_record();
  changed[20] = 'X';
  const Record before = emulator_->Find(kNodeA)->stored_record();
  EXPECT_TRUE(Send(WriteRequest(kNodeA, changed)).empty());
  EXPECT_EQ(emulator_->Find(kNodeA)->stored_record(), before);
}

// The shaping faults change a normal reply in a way the test can undo.
class ShapeTest : public EmulatorFixture {
 protected:
  // The reply of the same device without faults.
  Datagram Normal(Command command) {
    Emulator plain;
    std::string error;
    EXPECT_TRUE(plain.AddDevice(ConfigFrom(kNodeLine), &error)) << error;
    auto replies = plain.Handle(RequestFor(kNodeA, command), now_);
    return replies.empty() ? Datagram{} : replies.front();
  }
};

TEST_F(ShapeTest, WrongCommandRepliesWithAnotherCode) {
  AddDevices({kNodeLine + "fault.wrong_command = 1\n"});
  for (const Command command : {Command::kReadRecord, Command::kSearch, Command::kReset}) {
    SCOPED_TRACE(static_cast<int>(command));
    const Datagram reply = SendOne(RequestFor(kNodeA, command));
    const Datagram expected = Normal(command);
    ASSERT_EQ(reply.size(), expected.size());
    EXPECT_EQ(reply[6], kDirectionReply);
    EXPECT_NE(reply[7], static_cast<std::uint8_t>(command));
    EXPECT_EQ(Bytes(reply.begin() + 10, reply.end()), Bytes(expected.begin() + 10, expected.end()));
  }
}

TEST_F(ShapeTest, WrongCommandOfTheLastCodeIsStillAnother) {
  AddDevices({kNodeLine + "capabilities = 0x02\nfault.wrong_command = 1\n"});
  const Datagram reply = SendOne(RequestFor(kNodeA, Command::kPrinterStatus, {0x00, 0x00}));
  ASSERT_EQ(reply.size(), 416u);
  EXPECT_NE(reply[7], static_cast<std::uint8_t>(Command::kPrinterStatus));
}

TEST_F(ShapeTest, SplitReplyComesAsTwoHalves) {
  AddDevices({kNodeLine + "fault.split_reply = 1\n"});
  for (const Command command : {Command::kReadRecord, Command::kSearch, Command::kReset}) {
    SCOPED_TRACE(static_cast<int>(command));
    const auto replies = Send(RequestFor(kNodeA, command));
    const Datagram expected = Normal(command);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].size(), expected.size() / 2);
    EXPECT_EQ(Concat(replies[0], replies[1]), expected);
  }
}

TEST_F(ShapeTest, OversizeAppendsGarbageToTheSameDatagram) {
  AddDevices({kNodeLine + "fault.oversize = 7\n"});
  const Datagram reply = SendOne(RequestFor(kNodeA, Command::kSearch));
  const Datagram expected = Normal(Command::kSearch);
  ASSERT_EQ(reply.size(), expected.size() + 7);
  EXPECT_EQ(Bytes(reply.begin(), reply.begin() + static_cast<std::ptrdiff_t>(expected.size())),
            expected);
}

TEST_F(ShapeTest, OversizeAndSplitTogetherSplitTheOversizedReply) {
  AddDevices({kNodeLine + "fault.oversize = 4\nfault.split_reply = 1\n"});
  const auto replies = Send(RequestFor(kNodeA, Command::kSearch));
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].size() + replies[1].size(), Normal(Command::kSearch).size() + 4);
}

}  // namespace
}  // namespace pscfg::psemu
