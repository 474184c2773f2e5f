// The registry as the programs get it by default: the REGEDIT4 file in the
// machine-state folder.

#include <gtest/gtest.h>

#include <cerrno>
#include <ostream>
#include <string>

#include "platform/registry/atomic_file.h"
#include "platform/registry/file_registry_backend.h"
#include "platform/registry/regedit4.h"
#include "platform/registry/registry.h"
#include "registry_test_env.h"

namespace pscfg::registry {
namespace {

using namespace std::string_literals;
using testing::FolderEntries;
using testing::ReadFile;
using testing::TempDir;
using testing::TestMachine;
using testing::WriteFile;

constexpr char kAppPathsKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Celvo.exe";

// Reads "Path" of the App Paths key as Celvo does: a 200-byte buffer.
LONG ReadCelvoPath(std::string* path) {
  HKey key = kNoKey;
  LONG result = RegOpenKeyEx(kHkeyLocalMachine, kAppPathsKey, kKeyRead, &key);
  if (result != kErrorSuccess) return result;
  char buffer[200] = {};
  DWORD size = sizeof buffer;
  result = RegQueryValueEx(key, "Path", nullptr, reinterpret_cast<std::uint8_t*>(buffer), &size);
  RegCloseKey(key);
  if (result == kErrorSuccess) *path = std::string(buffer, strnlen(buffer, size));
  return result;
}

TEST(RegistryFile, LivesInTheMachineStateFolder) {
  TestMachine machine;
  EXPECT_EQ(RegistryFilePath(), machine.root() / "registry.reg");
}

struct BadFileCase {
  const char* name;
  std::string content;  // "<dir>": the file is a folder; "<none>": there is no file
};

void PrintTo(const BadFileCase& row, std::ostream* os) { *os << row.name; }

const BadFileCase kBadFiles[] = {
    {"Missing", "<none>"},
    {"Folder", "<dir>"},
    {"Empty", ""},
    {"OnlyBlankLines", "\r\n\n  \n"},
    {"Garbage",
     "\x7f"
     "ELF\x02\x01\x01\x00\x00\x00\xff\xfe[HKEY_LOCAL_MACHINE\\SOFTWARE]"s},
    {"NulBytes", std::string(512, '\0')},
    {"TruncatedHeader", "REGED"},
    {"HeaderOnly", "REGEDIT4\n"},
    {"TextWithoutHeader",
     "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Celvo.exe]\n"
     "\"Path\"=\"C:\\\\X\"\n"},
    {"TruncatedInsideSection",
     "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Pa"},
    {"TruncatedInsideValue",
     "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
     "Paths\\Celvo.exe]\n\"Path\"=\"C:\\\\Prog"},
};

class BadRegistryFileTest : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadRegistryFileTest, LookUpIsNotFound) {
  TestMachine machine;
  const BadFileCase& row = GetParam();
  if (row.content == "<dir>") {
    std::filesystem::create_directory(machine.registry_file());
  } else if (row.content != "<none>") {
    machine.WriteRegistryFile(row.content);
  }
  std::string path;
  const LONG result = ReadCelvoPath(&path);
  EXPECT_EQ(result, kErrorFileNotFound);
}

INSTANTIATE_TEST_SUITE_P(Rows, BadRegistryFileTest, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RegistryFile, WritesReadBackInANewStore) {
  TestMachine machine;
  HKey key = kNoKey;
  ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, kAppPathsKey, kKeyAllAccess, &key), kErrorSuccess);
  const std::string dir = "C:\\Program Files\\Celvo";
  ASSERT_EQ(RegSetValueEx(key, "Path", kRegSz, reinterpret_cast<const std::uint8_t*>(dir.c_str()),
                          static_cast<DWORD>(dir.size() + 1)),
            kErrorSuccess);
  const std::uint8_t number[4] = {7, 0, 0, 0};
  ASSERT_EQ(RegSetValueEx(key, "Runs", kRegDword, number, 4), kErrorSuccess);
  RegCloseKey(key);

  const std::string text = ReadFile(machine.registry_file());
  EXPECT_EQ(text.rfind("REGEDIT4\n", 0), 0u);
  EXPECT_NE(text.find("\"Path\"=\"C:\\\\Program Files\\\\Celvo\"\n"), std::string::npos);
  EXPECT_NE(text.find("\"Runs\"=dword:00000007\n"), std::string::npos);

  FileRegistryBackend fresh(machine.registry_file());
  const KeyNode* stored = fresh.Root().Find(SplitKeyPath(kAppPathsKey));
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(*stored->FindValue("Path"), MakeStringValue(dir));
  EXPECT_EQ(*stored->FindValue("Runs"), MakeDwordValue(7));

  std::string path;
  ASSERT_EQ(ReadCelvoPath(&path), kErrorSuccess);
  EXPECT_EQ(path, dir);
  EXPECT_EQ(FolderEntries(machine.root()), std::vector<std::string>{"registry.reg"});
}

TEST(RegistryFile, ChangesByAnotherWriterAreSeen) {
  TestMachine machine;
  std::string path;
  EXPECT_EQ(ReadCelvoPath(&path), kErrorFileNotFound);
  machine.WriteRegistryFile(std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\") + kAppPathsKey +
                            "]\n\"Path\"=\"D:\\\\One\"\n");
  ASSERT_EQ(ReadCelvoPath(&path), kErrorSuccess);
  EXPECT_EQ(path, "D:\\One");
  machine.WriteRegistryFile(std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\") + kAppPathsKey +
                            "]\n\"Path\"=\"E:\\\\Two, longer\"\n");
  ASSERT_EQ(ReadCelvoPath(&path), kErrorSuccess);
  EXPECT_EQ(path, "E:\\Two, longer");
}

TEST(RegistryFile, WriteKeepsWhatAnotherWriterStored) {
  TestMachine machine;
  HKey key = kNoKey;
  ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "A", kKeyAllAccess, &key), kErrorSuccess);
  // Another process adds a key behind this one's back.
  FileRegistryBackend other(machine.registry_file());
  ASSERT_EQ(other.Update([](KeyNode& root) {
    root.Create(SplitKeyPath("B")).SetValue("V", MakeStringValue("other"));
    return kErrorSuccess;
  }),
            kErrorSuccess);
  const std::uint8_t data[] = {'m', 0};
  ASSERT_EQ(RegSetValueEx(key, "V", kRegSz, data, 2), kErrorSuccess);
  RegCloseKey(key);
  const KeyNode root = ParseRegedit4(ReadFile(machine.registry_file()));
  ASSERT_NE(root.FindSubkey("B"), nullptr);
  EXPECT_EQ(*root.FindSubkey("B")->FindValue("V"), MakeStringValue("other"));
  EXPECT_EQ(*root.FindSubkey("A")->FindValue("V"), MakeStringValue("m"));
}

TEST(RegistryFile, GarbageFileIsReplacedByTheFirstWrite) {
  TestMachine machine;
  machine.WriteRegistryFile("\x01\x02 not a registry");
  HKey key = kNoKey;
  ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "A", kKeyAllAccess, &key), kErrorSuccess);
  RegCloseKey(key);
  EXPECT_EQ(ReadFile(machine.registry_file()), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n");
}

TEST(RegistryFile, CreatesTheMachineStateFolder) {
  TestMachine machine;
  const std::filesystem::path nested = machine.root() / "deeper" / "state";
  ::setenv("PSCFG_ROOT", nested.c_str(), 1);
  HKey key = kNoKey;
  ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "A", kKeyAllAccess, &key), kErrorSuccess);
  RegCloseKey(key);
  EXPECT_TRUE(std::filesystem::is_regular_file(nested / "registry.reg"));
}

struct FailureCase {
  const char* name;
  bool fail_sync;
  bool fail_rename;
};

void PrintTo(const FailureCase& row, std::ostream* os) { *os << row.name; }

class FailedWriteTest : public ::testing::TestWithParam<FailureCase> {};

// A write that fails before its rename leaves the old file byte for byte,
// and no temporary file beside it.
TEST_P(FailedWriteTest, LeavesTheOldFile) {
  const FailureCase& row = GetParam();
  TestMachine machine;
  const std::string old_text =
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"V\"=\"old\"\n; hand-written comment\n";
  machine.WriteRegistryFile(old_text);

  AtomicWriteSeams seams;
  bool reached_rename = false;
  if (row.fail_sync) {
    seams.sync_file = [](int) {
      errno = EIO;
      return false;
    };
  }
  if (row.fail_rename) {
    seams.rename = [&](const std::filesystem::path& from, const std::filesystem::path&) {
      reached_rename = true;
      EXPECT_TRUE(std::filesystem::exists(from)) << "the temporary file is complete by now";
      errno = EXDEV;
      return false;
    };
  }
  auto backend = std::make_shared<FileRegistryBackend>(machine.registry_file(), seams);
  ScopedRegistryBackend scoped(backend);

  HKey key = kNoKey;
  ASSERT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "A", kKeyAllAccess, &key), kErrorSuccess);
  const std::uint8_t data[] = {'n', 'e', 'w', 0};
  EXPECT_EQ(RegSetValueEx(key, "V", kRegSz, data, 4), kErrorRegistryIoFailed);
  EXPECT_FALSE(backend->last_write_error().empty());
  EXPECT_EQ(reached_rename, row.fail_rename);

  EXPECT_EQ(ReadFile(machine.registry_file()), old_text);
  EXPECT_EQ(FolderEntries(machine.root()), std::vector<std::string>{"registry.reg"});
  std::uint8_t buffer[8];
  DWORD size = sizeof buffer;
  ASSERT_EQ(RegQueryValueEx(key, "V", nullptr, buffer, &size), kErrorSuccess);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer), "old");
  RegCloseKey(key);
}

INSTANTIATE_TEST_SUITE_P(Rows, FailedWriteTest,
                         ::testing::Values(FailureCase{"SyncFails", true, false},
                                           FailureCase{"RenameFails", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AtomicFile, ReplacesTheFileWhole) {
  TempDir dir;
  const std::filesystem::path file = dir.path() / "sub" / "f.txt";
  std::string error;
  ASSERT_TRUE(WriteFileAtomically(file, "first, and longer", &error)) << error;
  ASSERT_TRUE(WriteFileAtomically(file, "second", &error)) << error;
  EXPECT_EQ(ReadFile(file), "second");
  EXPECT_EQ(FolderEntries(dir.path() / "sub"), std::vector<std::string>{"f.txt"});
}

TEST(AtomicFile, RefusesAFileWithoutName) {
  std::string error;
  EXPECT_FALSE(WriteFileAtomically("", "x", &error));
  EXPECT_FALSE(error.empty());
}

TEST(RegistryFile, NoMachineStateFolderMeansEmptyAndUnwritable) {
  TestMachine machine;
  auto backend = std::make_shared<FileRegistryBackend>(std::filesystem::path());
  ScopedRegistryBackend scoped(backend);
  HKey key = kNoKey;
  EXPECT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "SOFTWARE\\X", kKeyRead, &key), kErrorFileNotFound);
  EXPECT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "SOFTWARE\\X", kKeyAllAccess, &key),
            kErrorRegistryIoFailed);
}

}  // namespace
}  // namespace pscfg::registry
