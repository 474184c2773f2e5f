#include "platform/text/codepage.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace pscfg::text {
namespace {

using namespace std::string_literals;

const std::string kFffd = std::string(kReplacementUtf8);

struct Utf8Case {
  const char* name;
  std::string bytes;
  bool valid;
};

// Rows show by name in test listings.
void PrintTo(const Utf8Case& row, std::ostream* os) { *os << row.name; }

const Utf8Case kUtf8Cases[] = {
    {"Empty", "", true},
    {"Ascii", "Print Server", true},
    {"NulIsAscii", "a\0b"s, true},
    {"Chinese", "列印伺服器", true},
    {"TwoByte", "\xC3\xA9", true},
    {"FourByteEmoji", "\xF0\x9F\x98\x80", true},
    {"LargestCodePoint", "\xF4\x8F\xBF\xBF", true},
    {"LoneContinuation", "\x80", false},
    {"OverlongSlash", "\xC0\xAF", false},
    {"OverlongThreeByte", "\xE0\x80\xAF", false},
    {"OverlongFourByte", "\xF0\x80\x80\xAF", false},
    {"Surrogate", "\xED\xA0\x80", false},
    {"BeyondUnicode", "\xF4\x90\x80\x80", false},
    {"CutOffAtEnd", "\xE5\x88", false},
    {"BadContinuation", "\xE5\x41\x97", false},
    {"ByteFF", "\xFF", false},
    {"Cp950Bytes", "\xA6\x43\xA6\x4C", false},
};

class Utf8CaseTest : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8CaseTest, Validates) { EXPECT_EQ(IsValidUtf8(GetParam().bytes), GetParam().valid); }

INSTANTIATE_TEST_SUITE_P(Text, Utf8CaseTest, ::testing::ValuesIn(kUtf8Cases),
                         [](const auto& info) { return std::string(info.param.name); });

struct RoundTripCase {
  const char* name;
  std::string utf8;
  std::string cp950;
};

void PrintTo(const RoundTripCase& row, std::ostream* os) { *os << row.name; }

std::string AllAscii() {
  std::string s;
  for (int c = 0; c < 0x80; ++c) s += static_cast<char>(c);
  return s;
}

const RoundTripCase kRoundTripCases[] = {
    {"PrintServer", "列印伺服器", "\xA6\x43\xA6\x4C\xA6\xF8\xAA\x41\xBE\xB9"},
    {"SetupProgram", "設定程式", "\xB3\x5D\xA9\x77\xB5\x7B\xA6\xA1"},
    {"MixedWithAscii", "PS-列印 3.0", "PS-\xA6\x43\xA6\x4C 3.0"},
    {"Euro", "€", "\xA3\xE1"},
    {"AllAscii", AllAscii(), AllAscii()},
    {"Empty", "", ""},
};

class RoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, EncodesAndDecodes) {
  const RoundTripCase& row = GetParam();
  std::string cp950;
  ASSERT_TRUE(Utf8ToCp950(row.utf8, &cp950));
  EXPECT_EQ(cp950, row.cp950);
  EXPECT_EQ(Cp950ToUtf8(row.cp950), row.utf8);
}

INSTANTIATE_TEST_SUITE_P(Text, RoundTripTest, ::testing::ValuesIn(kRoundTripCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct DecodeCase {
  const char* name;
  std::string cp950;
  std::string utf8;
};

void PrintTo(const DecodeCase& row, std::ostream* os) { *os << row.name; }

const DecodeCase kDecodeCases[] = {
    {"ByteFF", "\xFF", kFffd},
    {"ByteFFBetweenLetters",
     "A\xFF"
     "B",
     "A" + kFffd + "B"},
    {"LeadByteCutOffAtEnd", "A\xA4", "A" + kFffd},
    {"LeadByteBeforeNonTrail", "\xA1\x30", kFffd + "0"},
    // A well-formed but unassigned code is one character: its trail byte '@'
    // must not appear on its own.
    {"UnassignedDoubleByte", "\x81\x40", kFffd},
    {"UnassignedFEFE",
     "\xFE\xFE"
     "x",
     kFffd + "x"},
    {"BadBytesBetweenCharacters", "\xA6\x43\xFF\xA6\x4C", "列" + kFffd + "印"},
    {"ManyBadBytesThenGoodText", std::string(5000, '\xFF') + "\xA6\x43",
     [] {
       std::string s;
       for (int i = 0; i < 5000; ++i) s += kFffd;
       return s + "列";
     }()},
};

class DecodeCaseTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeCaseTest, ReplacesWhatIsNoCp950) {
  const std::string utf8 = Cp950ToUtf8(GetParam().cp950);
  EXPECT_EQ(utf8, GetParam().utf8);
  EXPECT_TRUE(IsValidUtf8(utf8));
}

INSTANTIATE_TEST_SUITE_P(Text, DecodeCaseTest, ::testing::ValuesIn(kDecodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Cp950ToUtf8, EveryByteSequenceGivesValidUtf8) {
  // Every lead byte with every second byte, and each byte alone at the end.
  for (int lead = 0; lead < 256; ++lead) {
    std::string pairs;
    for (int trail = 0; trail < 256; ++trail) {
      pairs += static_cast<char>(lead);
      pairs += static_cast<char>(trail);
    }
    pairs += static_cast<char>(lead);
    EXPECT_TRUE(IsValidUtf8(Cp950ToUtf8(pairs))) << "lead byte " << lead;
  }
}

struct RefusedCase {
  const char* name;
  std::string utf8;
};

void PrintTo(const RefusedCase& row, std::ostream* os) { *os << row.name; }

const RefusedCase kRefusedCases[] = {
    {"Emoji", "列印\xF0\x9F\x98\x80"},
    {"HangulSyllable", "한"},
    {"InvalidUtf8", "abc\xC3"},
    {"Cp950BytesAreNoUtf8", "\xA6\x43"},
};

class RefusedCaseTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedCaseTest, RefusedAndOutputLeftEmpty) {
  std::string out = "stale";
  EXPECT_FALSE(Utf8ToCp950(GetParam().utf8, &out));
  EXPECT_EQ(out, "");
}

INSTANTIATE_TEST_SUITE_P(Text, RefusedCaseTest, ::testing::ValuesIn(kRefusedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8ToCp950, WorksAgainAfterARefusal) {
  std::string out;
  EXPECT_FALSE(Utf8ToCp950("\xF0\x9F\x98\x80", &out));
  ASSERT_TRUE(Utf8ToCp950("列印", &out));
  EXPECT_EQ(out, "\xA6\x43\xA6\x4C");
}

TEST(Utf8ToCp950, LongTextSpanningManyChunks) {
  std::string utf8;
  std::string cp950;
  for (int i = 0; i < 3000; ++i) {
    utf8 += "列印伺服器";
    cp950 += "\xA6\x43\xA6\x4C\xA6\xF8\xAA\x41\xBE\xB9";
  }
  std::string out;
  ASSERT_TRUE(Utf8ToCp950(utf8, &out));
  EXPECT_EQ(out, cp950);
  EXPECT_EQ(Cp950ToUtf8(cp950), utf8);
}

struct FileTextCase {
  const char* name;
  std::string bytes;
  std::string utf8;
};

void PrintTo(const FileTextCase& row, std::ostream* os) { *os << row.name; }

const FileTextCase kFileTextCases[] = {
    {"Utf8KeptAsIs", "Title=列印伺服器", "Title=列印伺服器"},
    {"Cp950Converted", "Title=\xA6\x43\xA6\x4C\xA6\xF8\xAA\x41\xBE\xB9", "Title=列印伺服器"},
    // Bytes valid in both encodings are taken as UTF-8.
    {"AmbiguousTakenAsUtf8", "\xC3\xA9", "\xC3\xA9"},
    {"AsciiUnchanged", "[General Information]\r\n", "[General Information]\r\n"},
};

class FileTextCaseTest : public ::testing::TestWithParam<FileTextCase> {};

TEST_P(FileTextCaseTest, Converts) { EXPECT_EQ(FileTextToUtf8(GetParam().bytes), GetParam().utf8); }

INSTANTIATE_TEST_SUITE_P(Text, FileTextCaseTest, ::testing::ValuesIn(kFileTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pscfg::text
