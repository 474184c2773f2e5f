// What a device keeps in its state directory.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "protocol/records/eeprom_image.h"
#include "testbed/psemu/state_dir.h"
#include "tests/testbed/psemu_test_util.h"

namespace pscfg::psemu {
namespace {

const std::string kDevice = "node = 00:40:01:12:34:56\nalias = Office\n";

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class StateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("psemu-state-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::unique_ptr<Emulator> Boot(std::string* error = nullptr) {
    auto emulator = std::make_unique<Emulator>(
        StateDir(dir_), [this](std::string_view text) { warnings_.emplace_back(text); });
    std::string ignored;
    const bool added = emulator->AddDevice(ConfigFrom(kDevice), error ? error : &ignored);
    return added ? std::move(emulator) : nullptr;
  }
  Record Renamed(const Emulator& emulator, std::string_view alias) {
    Record record = emulator.devices().front()->stored_record();
    std::string error;
    EXPECT_TRUE(SetAlias(record, alias, &error));
    record[kChecksumOffset] = RecordChecksum(record);
    return record;
  }
  std::filesystem::path RecordFile() const { return dir_ / "00-40-01-12-34-56.eeprom"; }

  std::filesystem::path dir_;
  std::vector<std::string> warnings_;
  TimePoint now_{};
};

TEST_F(StateTest, WriteIsSavedWholeAndNothingElseIsLeft) {
  auto emulator = Boot();
  const Record record = Renamed(*emulator, "Saved");
  ASSERT_EQ(emulator->Handle(WriteRequest(kNodeA, record), now_).size(), 1u);
  EXPECT_EQ(ReadAll(RecordFile()), std::string(record.begin(), record.end()));
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_)) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"00-40-01-12-34-56.eeprom"});
}

TEST_F(StateTest, RestartBootsWithTheSavedRecord) {
  Record record;
  {
    auto first = Boot();
    record = Renamed(*first, "Survivor");
    first->Handle(WriteRequest(kNodeA, record), now_);
  }
  auto second = Boot();
  ASSERT_NE(second, nullptr);
  const auto& device = *second->devices().front();
  EXPECT_EQ(device.stored_record(), record);
  EXPECT_EQ(device.applied_record(), record);
  const auto search = second->Handle(RequestFor(kNodeA, Command::kSearch), now_);
  ASSERT_EQ(search.size(), 1u);
  EXPECT_EQ(FixedFieldText(FieldBytes(info::kAlias, std::span(search[0]).subspan(10))), "Survivor");
}

TEST_F(StateTest, TemporaryFileOfAnInterruptedSaveIsIgnored) {
  Record record;
  {
    auto first = Boot();
    record = Renamed(*first, "Old");
    first->Handle(WriteRequest(kNodeA, record), now_);
  }
  // A save that died before its rename leaves only its temporary file.
  std::ofstream(RecordFile().string() + ".tmp.4242", std::ios::binary) << "half a rec";
  auto second = Boot();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->devices().front()->stored_record(), record);
}

TEST_F(StateTest, SavedRecordOfTheWrongSizeIsRefused) {
  std::ofstream(RecordFile(), std::ios::binary) << std::string(100, 'x');
  std::string error;
  EXPECT_EQ(Boot(&error), nullptr);
  EXPECT_NE(error.find("not a 512-byte record"), std::string::npos) << error;
}

TEST_F(StateTest, FailedSaveIsReportedAndTheWriteStillAnswered) {
  auto emulator = Boot();
  std::filesystem::remove_all(dir_);  // nowhere to save any more
  const Record record = Renamed(*emulator, "Lost");
  EXPECT_EQ(emulator->Handle(WriteRequest(kNodeA, record), now_).size(), 1u);
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_NE(warnings_[0].find("cannot create"), std::string::npos) << warnings_[0];
  EXPECT_EQ(emulator->devices().front()->stored_record(), record);
}

TEST_F(StateTest, TestPagesAreAppendedPerPort) {
  auto emulator = Boot();
  for (int i = 0; i < 2; ++i) {
    emulator->Handle(RequestFor(kNodeA, Command::kTestPrint, {0x04, 0x00, 0x00, 0x00}), now_);
  }
  const std::string pages = ReadAll(dir_ / "00-40-01-12-34-56-COM2.prn");
  EXPECT_NE(pages.find("Alias: Office\n"), std::string::npos) << pages;
  EXPECT_NE(pages.find("Port: COM2\nPage: 1\n"), std::string::npos) << pages;
  EXPECT_NE(pages.find("Port: COM2\nPage: 2\n"), std::string::npos) << pages;
  EXPECT_FALSE(std::filesystem::exists(dir_ / "00-40-01-12-34-56-LPT1.prn"));
}

}  // namespace
}  // namespace pscfg::psemu
