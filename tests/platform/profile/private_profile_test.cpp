#include "platform/profile/private_profile.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <string>

#include "platform/text/codepage.h"

namespace pscfg::profile {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

constexpr const char* kSection = "General Information";

// "列印伺服器" in CP950 and in UTF-8.
const std::string kPrintServerCp950 = "\xA6\x43\xA6\x4C\xA6\xF8\xAA\x41\xBE\xB9";
const std::string kPrintServerUtf8 = "列印伺服器";
// "設定" in CP950: the trail byte of "設" is ']'.
const std::string kSetupCp950 = "\xB3\x5D\xA9\x77";

// A directory of its own under the system's temporary directory, removed
// with everything in it at the end of the test.
class TempDir {
 public:
  TempDir() {
    std::random_device random;
    for (;;) {
      path_ = fs::temp_directory_path() / ("pscfg_profile_" + std::to_string(random()));
      std::error_code ec;
      if (fs::create_directory(path_, ec)) break;
    }
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  fs::path Write(const std::string& name, const std::string& bytes) const {
    const fs::path file = path_ / name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

struct StringCase {
  const char* name;
  std::string content;
  std::string key;
  std::string expected;  // with default "DEF" and buffer size 80
};

// Rows show by name in test listings.
void PrintTo(const StringCase& row, std::ostream* os) { *os << row.name; }

const StringCase kStringCases[] = {
    {"SectionNameIgnoresCase", "[general INFORMATION]\nTitle=A\n", "Title", "A"},
    {"KeyNameIgnoresCase", "[General Information]\ntItLe=A\n", "TITLE", "A"},
    {"BlanksAroundNamesAndValueTrimmed",
     "  [  General Information\t]  \n \t Title \t=  \t My Title \t \n", "Title", "My Title"},
    {"BlanksInsideSectionNameCount", "[GeneralInformation]\nTitle=A\n", "Title", "DEF"},
    {"MissingSection", "[Other]\nTitle=A\n", "Title", "DEF"},
    {"MissingKey", "[General Information]\nVersion=1\n", "Title", "DEF"},
    {"KeyOfOtherSectionNotSeen", "[Other]\nTitle=A\n[General Information]\nVersion=1\n", "Title",
     "DEF"},
    {"KeyBeforeFirstSectionNotSeen", "Title=A\n[General Information]\n", "Title", "DEF"},
    {"EmptyValueIsNoDefault", "[General Information]\nTitle=\n", "Title", ""},
    {"BlankValueIsEmpty", "[General Information]\nTitle=   \n", "Title", ""},
    {"DoubleQuotesRemoved", "[General Information]\nTitle=\"  Quoted  \"\n", "Title", "  Quoted  "},
    {"SingleQuotesRemoved", "[General Information]\nTitle='x'\n", "Title", "x"},
    {"EmptyQuotesGiveEmpty", "[General Information]\nTitle=\"\"\n", "Title", ""},
    {"OnlyOnePairRemoved", "[General Information]\nTitle=\"\"x\"\"\n", "Title", "\"x\""},
    {"MismatchedQuotesKept", "[General Information]\nTitle=\"x'\n", "Title", "\"x'"},
    {"LoneQuoteKept", "[General Information]\nTitle=\"\n", "Title", "\""},
    {"InnerQuotesKept", "[General Information]\nTitle=a\"b\"\n", "Title", "a\"b\""},
    {"CommentLineSkipped", "[General Information]\n;Title=Commented\nTitle=Real\n", "Title",
     "Real"},
    {"IndentedCommentSkipped", "[General Information]\n  ; Title=Commented\n", "Title", "DEF"},
    {"SemicolonInValueKept", "[General Information]\nTitle=a ; b\n", "Title", "a ; b"},
    {"FirstKeyWins", "[General Information]\nTitle=First\nTITLE=Second\n", "Title", "First"},
    {"FirstSectionWins", "[General Information]\nTitle=First\n[general information]\nTitle=2\n",
     "Title", "First"},
    {"SecondSectionOfSameNameNotSearched",
     "[General Information]\nVersion=1\n[General Information]\nTitle=A\n", "Title", "DEF"},
    {"LineWithoutEqualsIsNoKey", "[General Information]\nTitle\n", "Title", "DEF"},
    {"LineWithoutEqualsSkipped", "[General Information]\nTitle\nTitle=x\n", "Title", "x"},
    {"EmptyNameIsNoKey", "[General Information]\n=x\n", "", "DEF"},
    {"ValueMayHoldEquals", "[General Information]\nTitle=a=b\n", "Title", "a=b"},
    {"CrLfLineEnds", "[General Information]\r\nTitle=x\r\nVersion=y\r\n", "Title", "x"},
    {"LoneCrLineEnds", "[General Information]\rTitle=x\r", "Title", "x"},
    {"NoFinalLineEnd", "[General Information]\nTitle=x", "Title", "x"},
    {"Utf8BomSkipped", "\xEF\xBB\xBF[General Information]\nTitle=x\n", "Title", "x"},
    {"TextAfterSectionBracketIgnored", "[General Information] ; main\nTitle=x\n", "Title", "x"},
    {"UnclosedSectionLineIgnored", "[General Information]\n[Broken\nTitle=x\n", "Title", "x"},
    {"NulEndsValue", "[General Information]\nTitle=ab\0cd\n"s, "Title", "ab"},
    {"Utf8File", "[General Information]\nTitle=" + kPrintServerUtf8 + "\n", "Title",
     kPrintServerUtf8},
    {"Cp950File", "[General Information]\nTitle=" + kPrintServerCp950 + "\n", "Title",
     kPrintServerUtf8},
    {"EmptyFile", "", "Title", "DEF"},
    {"OnlyLineEnds", "\n\r\n\r\r\n", "Title", "DEF"},
    {"BinaryGarbage", "\xFF\xFE\x00\x01\x80\x9F\xC3[\x81=\xFE]\xA4\x00"s, "Title", "DEF"},
    {"GarbageBeforeSection", "\xFF\xFE\x00\x01garbage\n[General Information]\nTitle=x\n"s, "Title",
     "x"},
};

class StringCaseTest : public ::testing::TestWithParam<StringCase> {};

TEST_P(StringCaseTest, ReadsValue) {
  const StringCase& row = GetParam();
  TempDir dir;
  const fs::path file = dir.Write("Config.ini", row.content);
  EXPECT_EQ(GetPrivateProfileString(kSection, row.key, "DEF", 80, file), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Profile, StringCaseTest, ::testing::ValuesIn(kStringCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrivateProfileString, SectionNamedInCp950IsFoundDespiteBracketTrailByte) {
  TempDir dir;
  const fs::path file = dir.Write("Config.ini", "[" + kSetupCp950 + "]\nTitle=x\n");
  EXPECT_EQ(GetPrivateProfileString("設定", "Title", "DEF", 80, file), "x");
}

struct CutCase {
  const char* name;
  std::string value;  // as written into a UTF-8 file
  std::size_t buffer_size;
  std::string expected;
};

void PrintTo(const CutCase& row, std::ostream* os) { *os << row.name; }

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

const CutCase kCutCases[] = {
    {"HundredCharactersToSeventyNine", std::string(100, 'A'), 80, std::string(79, 'A')},
    {"SeventyNineFit", std::string(79, 'A'), 80, std::string(79, 'A')},
    {"Big5CharactersWhole", Repeat("列", 50), 80, Repeat("列", 39)},
    {"Big5CharacterNotSplit", "A" + Repeat("列", 50), 80, "A" + Repeat("列", 39)},
    {"Big5CharacterThatWouldOverrunDropped", "AA" + Repeat("列", 50), 80, "AA" + Repeat("列", 38)},
    {"ThreeCharacterField", "1234", 4, "123"},
    {"BufferOfOneGivesEmpty", "x", 1, ""},
    {"BufferOfZeroGivesEmpty", "x", 0, ""},
};

class CutCaseTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutCaseTest, CutsToBuffer) {
  const CutCase& row = GetParam();
  TempDir dir;
  const fs::path file = dir.Write("Config.ini", "[General Information]\nTitle=" + row.value + "\n");
  EXPECT_EQ(GetPrivateProfileString(kSection, "Title", "DEF", row.buffer_size, file), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Profile, CutCaseTest, ::testing::ValuesIn(kCutCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrivateProfileString, Big5TitleInCp950FileNeverSplit) {
  TempDir dir;
  // 79 bytes of CP950: one ASCII letter and 39 double-byte characters, then
  // more characters that do not fit.
  const fs::path file = dir.Write(
      "Config.ini", "[General Information]\nTitle=A" + Repeat(kPrintServerCp950, 10) + "\n");
  const std::string expected = "A" + Repeat(kPrintServerUtf8, 7) + "列印伺服";
  EXPECT_EQ(GetPrivateProfileString(kSection, "Title", "DEF", 80, file), expected);
  EXPECT_EQ(GetPrivateProfileString(kSection, "Title", "DEF", 79, file),
            "A" + Repeat(kPrintServerUtf8, 7) + "列印伺");
}

TEST(PrivateProfileString, DefaultIsCutToBuffer) {
  TempDir dir;
  EXPECT_EQ(GetPrivateProfileString(kSection, "Title", std::string(100, 'D'), 80,
                                    dir.path() / "missing.ini"),
            std::string(79, 'D'));
}

TEST(PrivateProfileString, MissingFileOrDirectoryGivesDefault) {
  TempDir dir;
  EXPECT_EQ(
      GetPrivateProfileString(kSection, "Title", "Print Server", 80, dir.path() / "Config.ini"),
      "Print Server");
  EXPECT_EQ(GetPrivateProfileString(kSection, "Title", "Print Server", 80, dir.path()),
            "Print Server");
}

TEST(PrivateProfileString, TenMegabyteLinesAreRead) {
  TempDir dir;
  const std::string huge(10 * 1024 * 1024, 'x');
  const fs::path file = dir.Write("Config.ini", "[General Information]\nJunk=" + huge +
                                                    "\nTitle=" + huge + "\nVersion=Found\n");
  EXPECT_EQ(GetPrivateProfileString(kSection, "Version", "DEF", 80, file), "Found");
  EXPECT_EQ(GetPrivateProfileString(kSection, "Title", "DEF", 80, file), std::string(79, 'x'));
}

TEST(PrivateProfileString, RandomBytesNeverBreakTheReader) {
  TempDir dir;
  std::mt19937 generator(1234);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 50; ++round) {
    std::string garbage(4096, '\0');
    for (char& c : garbage) c = static_cast<char>(byte(generator));
    const fs::path file = dir.Write("Config.ini", garbage + "\n[General Information]\nTitle=x\n");
    EXPECT_EQ(GetPrivateProfileString("No Such Section", "Title", "DEF", 80, file), "DEF");
    // Whatever the garbage opens or closes, the answer is valid UTF-8 that
    // fits 79 CP950 bytes (at most two UTF-8 bytes per CP950 byte).
    const std::string value = GetPrivateProfileString(kSection, "Title", "DEF", 80, file);
    EXPECT_TRUE(text::IsValidUtf8(value));
    EXPECT_LE(value.size(), 79u * 2);
  }
}

TEST(CanOpenForReading, TellsExistingFilesFromOthers) {
  TempDir dir;
  EXPECT_TRUE(CanOpenForReading(dir.Write("Config.ini", "")));
  EXPECT_FALSE(CanOpenForReading(dir.path() / "missing.ini"));
  EXPECT_FALSE(CanOpenForReading(dir.path()));
}

struct IntCase {
  const char* name;
  std::string value;  // the text after "VendorID="
  int expected;       // with default 42
};

void PrintTo(const IntCase& row, std::ostream* os) { *os << row.name; }

const IntCase kIntCases[] = {
    {"Decimal", "5", 5},
    {"Negative", "-3", -3},
    {"QuotedLeadingBlankAndSign", "\" -3\"", -3},
    {"PlusSign", "+7", 7},
    {"HexLower", "0x1F", 31},
    {"HexUpperPrefix", "0X1f", 31},
    {"NegativeHex", "-0x10", -16},
    {"NotANumberIsZero", "abc", 0},
    {"SignWithoutDigitsIsZero", "-", 0},
    {"BlankAfterSignIsZero", "- 3", 0},
    {"HexPrefixWithoutDigitsIsZero", "0x", 0},
    {"StopsAtFirstNonDigit", "12abc", 12},
    {"StopsAtDecimalPoint", "3.9", 3},
    {"AboveSignedByte", "200", 200},
    {"LeadingZeros", "0007", 7},
    {"HugeDecimalWrapsModulo2To32", "99999999999", 1215752191},
    {"AllOnesIsMinusOne", "4294967295", -1},
    {"IntMaxPlusOneIsIntMin", "2147483648", INT_MIN},
    {"HugeHexWraps", "0x1FFFFFFFF", -1},
    {"EmptyValueGivesDefault", "", 42},
};

class IntCaseTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntCaseTest, ReadsInteger) {
  const IntCase& row = GetParam();
  TempDir dir;
  const fs::path file = dir.Write("Config.ini", "[General Information]\nVendorID=" + row.value);
  EXPECT_EQ(GetPrivateProfileInt(kSection, "vendorid", 42, file), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Profile, IntCaseTest, ::testing::ValuesIn(kIntCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrivateProfileInt, MissingKeySectionOrFileGivesDefault) {
  TempDir dir;
  const fs::path file = dir.Write("Config.ini", "[General Information]\nTitle=5\n");
  EXPECT_EQ(GetPrivateProfileInt(kSection, "VendorID", 42, file), 42);
  EXPECT_EQ(GetPrivateProfileInt("Other", "Title", -1, file), -1);
  EXPECT_EQ(GetPrivateProfileInt(kSection, "Title", 42, dir.path() / "missing.ini"), 42);
}

TEST(PrivateProfileInt, TenMegabyteNumberWrapsWithoutFault) {
  TempDir dir;
  const fs::path file =
      dir.Write("Config.ini", "[General Information]\nVendorID=" + std::string(10'000'000, '9'));
  // 10^n - 1 with n >= 32 is 2^32 - 1 modulo 2^32, since 2^32 divides 10^n.
  EXPECT_EQ(GetPrivateProfileInt(kSection, "VendorID", 42, file), -1);
}

}  // namespace
}  // namespace pscfg::profile
