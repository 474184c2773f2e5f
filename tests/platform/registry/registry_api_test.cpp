#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry/regedit4.h"
#include "registry_test_env.h"

namespace pscfg::registry {
namespace {

using testing::Interface;
using testing::TestMachine;

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

// The registry of one test: keys from REGEDIT4 text held in memory, on a
// host with the given interfaces.
class RegistryTest : public ::testing::Test {
 protected:
  void UseRegistry(std::string_view keys, std::vector<sysinfo::HostInterface> interfaces = {}) {
    machine_.reset();
    machine_.emplace(std::move(interfaces));
    backend_ = std::make_shared<MemoryRegistryBackend>(
        ParseRegedit4(std::string("REGEDIT4\n") + std::string(keys)));
    scoped_.reset();
    scoped_.emplace(backend_);
  }

  void SetUp() override { UseRegistry(""); }

  HKey Open(std::string_view path, DWORD access = kKeyRead) {
    HKey key = kNoKey;
    EXPECT_EQ(RegOpenKeyEx(kHkeyLocalMachine, path, access, &key), kErrorSuccess) << path;
    opened_.push_back(key);
    return key;
  }

  void TearDown() override {
    for (HKey key : opened_) RegCloseKey(key);
  }

  std::optional<TestMachine> machine_;
  std::shared_ptr<MemoryRegistryBackend> backend_;
  std::optional<ScopedRegistryBackend> scoped_;
  std::vector<HKey> opened_;
};

constexpr char kValueKeys[] =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n"
    "\"Text\"=\"abc\"\n"
    "\"List\"=hex(7):31,2e,32,2e,33,2e,34,00,35,2e,36,2e,37,2e,38,00,00\n"
    "\"Number\"=dword:0000000a\n"
    "\"Empty\"=hex:\n"
    "@=\"default\"\n";

struct SizeCase {
  const char* name;
  const char* value;
  std::optional<DWORD> buffer;  // nullopt: data pointer null
  LONG result;
  DWORD size_after;
  DWORD type;
  std::string data;  // what the buffer holds on success
};

void PrintTo(const SizeCase& row, std::ostream* os) { *os << row.name; }

const SizeCase kSizeCases[] = {
    {"TextSizeOnly", "Text", std::nullopt, kErrorSuccess, 4, kRegSz, ""},
    {"TextTooSmall", "Text", 3, kErrorMoreData, 4, kRegSz, ""},
    {"TextExactFitHasTerminator", "Text", 4, kErrorSuccess, 4, kRegSz, std::string("abc\0", 4)},
    {"TextLargeBuffer", "Text", 50, kErrorSuccess, 4, kRegSz, std::string("abc\0", 4)},
    {"MultiStringSizeOnly", "List", std::nullopt, kErrorSuccess, 17, kRegMultiSz, ""},
    {"MultiStringMissingSecondTerminator", "List", 16, kErrorMoreData, 17, kRegMultiSz, ""},
    {"MultiStringExactFit", "List", 17, kErrorSuccess, 17, kRegMultiSz,
     std::string("1.2.3.4\0005.6.7.8\0\0", 17)},
    {"DwordExactFit", "Number", 4, kErrorSuccess, 4, kRegDword, std::string("\x0a\0\0\0", 4)},
    {"DwordNoRoom", "Number", 0, kErrorMoreData, 4, kRegDword, ""},
    {"EmptyValueNoRoomNeeded", "Empty", 0, kErrorSuccess, 0, kRegBinary, ""},
    {"DefaultValueByEmptyName", "", 8, kErrorSuccess, 8, kRegSz, std::string("default\0", 8)},
    {"NameIgnoresCase", "tEXT", 4, kErrorSuccess, 4, kRegSz, std::string("abc\0", 4)},
};

class QueryValueSizeTest : public RegistryTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(QueryValueSizeTest, FollowsTheSizeRules) {
  const SizeCase& row = GetParam();
  UseRegistry(kValueKeys);
  const HKey key = Open("SOFTWARE\\Test");
  std::vector<std::uint8_t> buffer(row.buffer.value_or(0) + 1, 0xEE);  // +1: a guard byte
  DWORD type = 0xDEAD;
  DWORD size = row.buffer.value_or(0);
  const LONG result =
      RegQueryValueEx(key, row.value, &type, row.buffer ? buffer.data() : nullptr, &size);
  EXPECT_EQ(result, row.result);
  EXPECT_EQ(size, row.size_after);
  EXPECT_EQ(type, row.type);
  EXPECT_EQ(buffer.back(), 0xEE) << "written past the buffer";
  if (result == kErrorSuccess && row.buffer) {
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + size), row.data);
  }
  if (result == kErrorMoreData) {
    EXPECT_EQ(std::count(buffer.begin(), buffer.end(), 0xEE),
              static_cast<std::ptrdiff_t>(buffer.size()))
        << "a too small buffer is left alone";
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, QueryValueSizeTest, ::testing::ValuesIn(kSizeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryTest, QueryValueArgumentsAsWindowsTakesThem) {
  UseRegistry(kValueKeys);
  const HKey key = Open("SOFTWARE\\Test");
  std::uint8_t buffer[8];
  EXPECT_EQ(RegQueryValueEx(key, "Text", nullptr, buffer, nullptr), kErrorInvalidParameter);
  EXPECT_EQ(RegQueryValueEx(key, "Text", nullptr, nullptr, nullptr), kErrorSuccess);
  DWORD size = sizeof buffer;
  EXPECT_EQ(RegQueryValueEx(key, "Text", nullptr, buffer, &size), kErrorSuccess);
  EXPECT_EQ(RegQueryValueEx(key, "Missing", nullptr, buffer, &size), kErrorFileNotFound);
  EXPECT_EQ(RegQueryValueEx(kHkeyLocalMachine, "Text", nullptr, buffer, &size), kErrorFileNotFound);
}

TEST_F(RegistryTest, MissingKeysFailWithFileNotFound) {
  UseRegistry(kValueKeys);
  for (const char* path : {"SOFTWARE\\Missing", "SOFTWARE\\Test\\Deeper", "NOWHERE\\Test",
                           "SOFTWARE\\Tes", "SOFTWARE\\Test2"}) {
    HKey key = static_cast<HKey>(1234);
    EXPECT_EQ(RegOpenKeyEx(kHkeyLocalMachine, path, kKeyRead, &key), kErrorFileNotFound) << path;
    EXPECT_EQ(key, kNoKey);
  }
}

TEST_F(RegistryTest, PathsIgnoreCaseAndEmptyPieces) {
  UseRegistry(kValueKeys);
  for (const char* path : {"software\\test", "SOFTWARE\\\\Test\\", "SoFtWaRe\\TEST"}) {
    HKey key = kNoKey;
    EXPECT_EQ(RegOpenKeyEx(kHkeyLocalMachine, path, kKeyRead, &key), kErrorSuccess) << path;
    RegCloseKey(key);
  }
  HKey key = kNoKey;
  EXPECT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "\\SOFTWARE", kKeyRead, &key), kErrorBadPathname);
  const HKey software = Open("SOFTWARE");
  EXPECT_EQ(RegOpenKeyEx(software, "TEST", kKeyRead, &key), kErrorSuccess);
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyEx(software, "", kKeyRead, &key), kErrorSuccess);
  EXPECT_NE(key, software);
  RegCloseKey(key);
}

TEST_F(RegistryTest, SubkeysEnumerateInRegistryOrderThenNoMoreItems) {
  UseRegistry(
      "[HKEY_LOCAL_MACHINE\\L\\b]\n[HKEY_LOCAL_MACHINE\\L\\_z]\n[HKEY_LOCAL_MACHINE\\L\\A]\n"
      "[HKEY_LOCAL_MACHINE\\L\\c]\n[HKEY_LOCAL_MACHINE\\L\\2]\n[HKEY_LOCAL_MACHINE\\L\\10]\n"
      "[HKEY_LOCAL_MACHINE\\L\\LongestName]\n");
  const HKey list = Open("L");
  DWORD count = 0;
  DWORD longest = 0;
  ASSERT_EQ(RegQueryInfoKey(list, &count, &longest), kErrorSuccess);
  EXPECT_EQ(count, 7u);
  EXPECT_EQ(longest, 11u);

  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    std::string name;
    const LONG result = RegEnumKeyEx(list, index, &name);
    if (result == kErrorNoMoreItems) break;
    ASSERT_EQ(result, kErrorSuccess);
    names.push_back(name);
  }
  // Upper-cased order: "_" (0x5F) comes after the letters.
  EXPECT_EQ(names, (std::vector<std::string>{"10", "2", "A", "b", "c", "LongestName", "_z"}));
}

TEST_F(RegistryTest, EnumerationIntoABufferNeedsRoomForTheTerminator) {
  UseRegistry("[HKEY_LOCAL_MACHINE\\L\\Card]\n");
  const HKey list = Open("L");
  char name[8];
  std::fill(std::begin(name), std::end(name), 'X');
  DWORD size = 4;  // "Card" without room for its terminator
  EXPECT_EQ(RegEnumKeyEx(list, 0, name, &size), kErrorMoreData);
  EXPECT_EQ(name[0], 'X');
  size = 5;
  ASSERT_EQ(RegEnumKeyEx(list, 0, name, &size), kErrorSuccess);
  EXPECT_EQ(size, 4u);
  EXPECT_STREQ(name, "Card");
  EXPECT_EQ(name[5], 'X');
  size = sizeof name;
  EXPECT_EQ(RegEnumKeyEx(list, 1, name, &size), kErrorNoMoreItems);
}

TEST_F(RegistryTest, QueryInfoCountsValues) {
  UseRegistry(kValueKeys);
  const HKey key = Open("SOFTWARE\\Test");
  DWORD subkeys = 9, longest = 9, values = 0, longest_name = 0, longest_data = 0;
  ASSERT_EQ(RegQueryInfoKey(key, &subkeys, &longest, &values, &longest_name, &longest_data),
            kErrorSuccess);
  EXPECT_EQ(subkeys, 0u);
  EXPECT_EQ(longest, 0u);
  EXPECT_EQ(values, 5u);
  EXPECT_EQ(longest_name, 6u);   // "Number"
  EXPECT_EQ(longest_data, 17u);  // "List"
  EXPECT_EQ(RegQueryInfoKey(key, nullptr, nullptr), kErrorSuccess);
}

TEST_F(RegistryTest, HandlesMustBeOpen) {
  UseRegistry(kValueKeys);
  HKey key = kNoKey;
  ASSERT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "SOFTWARE\\Test", kKeyRead, &key), kErrorSuccess);
  ASSERT_EQ(RegCloseKey(key), kErrorSuccess);
  std::string name;
  DWORD size = 0;
  HKey sub = kNoKey;
  for (const HKey bad : {key, kNoKey, static_cast<HKey>(0x80000001)}) {
    EXPECT_EQ(RegCloseKey(bad), kErrorInvalidHandle);
    EXPECT_EQ(RegQueryValueEx(bad, "Text", nullptr, nullptr, &size), kErrorInvalidHandle);
    EXPECT_EQ(RegEnumKeyEx(bad, 0, &name), kErrorInvalidHandle);
    EXPECT_EQ(RegQueryInfoKey(bad, nullptr, nullptr), kErrorInvalidHandle);
    EXPECT_EQ(RegOpenKeyEx(bad, "", kKeyRead, &sub), kErrorInvalidHandle);
  }
  EXPECT_EQ(RegCloseKey(kHkeyLocalMachine), kErrorSuccess);
}

TEST_F(RegistryTest, RightsOfAHandleAreChecked) {
  UseRegistry(kValueKeys);
  const std::uint8_t data[] = {'x', 0};
  DWORD size = 0;
  std::string name;
  const HKey read = Open("SOFTWARE\\Test", kKeyRead);
  EXPECT_EQ(RegSetValueEx(read, "New", kRegSz, data, 2), kErrorAccessDenied);
  EXPECT_EQ(RegDeleteValue(read, "Text"), kErrorAccessDenied);
  HKey created = kNoKey;
  EXPECT_EQ(RegCreateKeyEx(read, "Sub", kKeyRead, &created), kErrorAccessDenied);

  const HKey write_only = Open("SOFTWARE\\Test", kKeySetValue);
  EXPECT_EQ(RegQueryValueEx(write_only, "Text", nullptr, nullptr, &size), kErrorAccessDenied);
  EXPECT_EQ(RegEnumKeyEx(write_only, 0, &name), kErrorAccessDenied);
  EXPECT_EQ(RegSetValueEx(write_only, "New", kRegSz, data, 2), kErrorSuccess);
}

TEST_F(RegistryTest, CreateSetReadDelete) {
  HKey key = kNoKey;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "SYSTEM\\Print\\Monitors\\LAB1", kKeyAllAccess, &key,
                           &disposition),
            kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  const std::uint8_t node[6] = {};
  ASSERT_EQ(RegSetValueEx(key, "Node Address", kRegBinary, node, 6), kErrorSuccess);
  HKey again = kNoKey;
  ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "system\\print\\monitors\\lab1", kKeyRead, &again,
                           &disposition),
            kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);

  std::uint8_t read[6] = {1, 1, 1, 1, 1, 1};
  DWORD type = 0;
  DWORD size = sizeof read;
  ASSERT_EQ(RegQueryValueEx(again, "NODE ADDRESS", &type, read, &size), kErrorSuccess);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(std::vector<std::uint8_t>(read, read + 6), std::vector<std::uint8_t>(6, 0));

  // Replacing keeps the spelling the value was created with.
  const std::uint8_t text[] = {'a', 'b'};
  ASSERT_EQ(RegSetValueEx(key, "node address", kRegSz, text, 2), kErrorSuccess);
  const KeyNode* stored = backend_->Root().Find(SplitKeyPath("SYSTEM\\Print\\Monitors\\LAB1"));
  ASSERT_NE(stored, nullptr);
  ASSERT_EQ(stored->values().size(), 1u);
  EXPECT_EQ(stored->values()[0].name, "Node Address");
  EXPECT_EQ(stored->values()[0].value, (RegValue{kRegSz, Bytes("ab")}));

  ASSERT_EQ(RegDeleteValue(key, "Node Address"), kErrorSuccess);
  EXPECT_EQ(RegDeleteValue(key, "Node Address"), kErrorFileNotFound);
  EXPECT_EQ(RegQueryValueEx(again, "Node Address", nullptr, nullptr, &size), kErrorFileNotFound);

  HKey port = kNoKey;
  ASSERT_EQ(RegCreateKeyEx(key, "1", kKeyAllAccess, &port), kErrorSuccess);
  RegCloseKey(port);
  EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, "SYSTEM\\Print\\Monitors\\LAB1"), kErrorAccessDenied)
      << "a key with subkeys stays";
  EXPECT_EQ(RegDeleteKey(key, "1"), kErrorSuccess);
  EXPECT_EQ(RegDeleteKey(key, "1"), kErrorFileNotFound);
  EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, "SYSTEM\\Print\\Monitors\\lab1"), kErrorSuccess);

  // Handles to the deleted key stay open but find nothing.
  EXPECT_EQ(RegQueryValueEx(again, "Node Address", nullptr, nullptr, &size), kErrorKeyDeleted);
  EXPECT_EQ(RegSetValueEx(key, "X", kRegSz, text, 2), kErrorKeyDeleted);
  EXPECT_EQ(RegCloseKey(again), kErrorSuccess);
  EXPECT_EQ(RegCloseKey(key), kErrorSuccess);
  HKey gone = kNoKey;
  EXPECT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "SYSTEM\\Print\\Monitors\\LAB1", kKeyRead, &gone),
            kErrorFileNotFound);
  EXPECT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "SYSTEM\\Print\\Monitors", kKeyRead, &gone),
            kErrorSuccess);
  RegCloseKey(gone);
}

TEST_F(RegistryTest, WritesRefuseWhatTheFileCannotHold) {
  HKey key = kNoKey;
  EXPECT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "A\nB", kKeyAllAccess, &key), kErrorInvalidParameter);
  ASSERT_EQ(RegCreateKeyEx(kHkeyLocalMachine, "A", kKeyAllAccess, &key), kErrorSuccess);
  const std::uint8_t data[] = {'x'};
  EXPECT_EQ(RegSetValueEx(key, "two\nlines", kRegSz, data, 1), kErrorInvalidParameter);
  EXPECT_EQ(RegSetValueEx(key, "null data", kRegSz, nullptr, 1), kErrorInvalidParameter);
  EXPECT_EQ(RegSetValueEx(key, "empty", kRegSz, nullptr, 0), kErrorSuccess);
  EXPECT_EQ(RegDeleteKey(kHkeyLocalMachine, ""), kErrorAccessDenied);
  RegCloseKey(key);
}

constexpr std::array<std::uint8_t, 4> kLan = {192, 168, 1, 20};

TEST_F(RegistryTest, LiveCardsMergeWithStoredKeys) {
  UseRegistry(
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard\\9]\n"
      "\"ServiceName\"=\"stored\"\n"
      "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\eth0\\Parameters\\Tcpip]\n"
      "\"SubnetMask\"=hex(7):32,35,35,2e,30,2e,30,2e,30,00,00\n"
      "\"EnableDHCP\"=dword:00000000\n",
      {Interface("lo", {127, 0, 0, 1}, {255, 0, 0, 0}, true),
       Interface("eth0", kLan, {255, 255, 255, 0}),
       Interface("eth1", {10, 1, 2, 3}, {255, 255, 0, 0})});

  const HKey cards = Open("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCard");
  std::vector<std::string> names;
  std::string name;
  for (DWORD i = 0; RegEnumKeyEx(cards, i, &name) == kErrorSuccess; ++i) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"1", "2", "9"}));

  // The stored mask wins; the live address and the stored extra value show.
  const HKey tcpip =
      Open("SYSTEM\\CurrentControlSet\\Services\\eth0\\Parameters\\Tcpip", kKeyAllAccess);
  std::uint8_t buffer[64];
  DWORD size = sizeof buffer;
  ASSERT_EQ(RegQueryValueEx(tcpip, "SubnetMask", nullptr, buffer, &size), kErrorSuccess);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer), "255.0.0.0");
  size = sizeof buffer;
  ASSERT_EQ(RegQueryValueEx(tcpip, "IPAddress", nullptr, buffer, &size), kErrorSuccess);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer), "192.168.1.20");
  DWORD values = 0;
  ASSERT_EQ(RegQueryInfoKey(tcpip, nullptr, nullptr, &values), kErrorSuccess);
  EXPECT_EQ(values, 3u);

  // The live view itself is read-only; a stored value may hide a live one.
  EXPECT_EQ(RegDeleteValue(tcpip, "IPAddress"), kErrorAccessDenied);
  EXPECT_EQ(RegDeleteKey(cards, "1"), kErrorAccessDenied);
  const std::uint8_t address[] = {'1', '.', '2', '.', '3', '.', '4', 0, 0};
  ASSERT_EQ(RegSetValueEx(tcpip, "IPAddress", kRegMultiSz, address, sizeof address), kErrorSuccess);
  size = sizeof buffer;
  ASSERT_EQ(RegQueryValueEx(tcpip, "IPAddress", nullptr, buffer, &size), kErrorSuccess);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer), "1.2.3.4");
  EXPECT_EQ(RegDeleteValue(tcpip, "EnableDHCP"), kErrorSuccess);
  EXPECT_EQ(RegDeleteKey(cards, "9"), kErrorSuccess);
}

// A store whose every write fails.
class UnwritableBackend : public MemoryRegistryBackend {
 public:
  using MemoryRegistryBackend::MemoryRegistryBackend;
  LONG Update(const std::function<LONG(KeyNode& root)>&) override { return kErrorRegistryIoFailed; }
};

TEST_F(RegistryTest, FailedStoreChangesNothing) {
  auto backend = std::make_shared<UnwritableBackend>(
      ParseRegedit4("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"V\"=\"1\"\n"));
  ScopedRegistryBackend scoped(backend);
  HKey key = kNoKey;
  ASSERT_EQ(RegOpenKeyEx(kHkeyLocalMachine, "A", kKeyAllAccess, &key), kErrorSuccess);
  const std::uint8_t data[] = {'2', 0};
  EXPECT_EQ(RegSetValueEx(key, "V", kRegSz, data, 2), kErrorRegistryIoFailed);
  HKey created = kNoKey;
  EXPECT_EQ(RegCreateKeyEx(key, "B", kKeyAllAccess, &created), kErrorRegistryIoFailed);
  EXPECT_EQ(created, kNoKey);
  std::uint8_t buffer[4];
  DWORD size = sizeof buffer;
  ASSERT_EQ(RegQueryValueEx(key, "V", nullptr, buffer, &size), kErrorSuccess);
  EXPECT_EQ(buffer[0], '1');
  RegCloseKey(key);
}

}  // namespace
}  // namespace pscfg::registry
