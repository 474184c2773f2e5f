#include "platform/registry/regedit4.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace pscfg::registry {
namespace {

using namespace std::string_literals;

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

struct ParseCase {
  const char* name;
  std::string text;  // after the REGEDIT4 line unless it starts with '!'
  std::string key;
  std::string value_name;
  std::optional<RegValue> expected;
};

void PrintTo(const ParseCase& row, std::ostream* os) { *os << row.name; }

const ParseCase kParseCases[] = {
    {"String", "[HKEY_LOCAL_MACHINE\\A]\n\"Name\"=\"text\"\n", "A", "Name",
     MakeStringValue("text")},
    {"EmptyString", "[HKEY_LOCAL_MACHINE\\A]\n\"Name\"=\"\"\n", "A", "Name", MakeStringValue("")},
    {"StringEscapes", "[HKEY_LOCAL_MACHINE\\A]\n\"Path\"=\"C:\\\\Prog \\\"x\\\"\"\n", "A", "Path",
     MakeStringValue("C:\\Prog \"x\"")},
    {"NameEscapes", "[HKEY_LOCAL_MACHINE\\A]\n\"a\\\\b\\\"c\"=\"1\"\n", "A", "a\\b\"c",
     MakeStringValue("1")},
    {"DefaultValue", "[HKEY_LOCAL_MACHINE\\A]\n@=\"d\"\n", "A", "", MakeStringValue("d")},
    {"Dword", "[HKEY_LOCAL_MACHINE\\A]\n\"N\"=dword:0000000a\n", "A", "N", MakeDwordValue(10)},
    {"DwordFewDigits", "[HKEY_LOCAL_MACHINE\\A]\n\"N\"=dword:1F\n", "A", "N", MakeDwordValue(31)},
    {"DwordHighBit", "[HKEY_LOCAL_MACHINE\\A]\n\"N\"=dword:fffffffe\n", "A", "N",
     MakeDwordValue(0xFFFFFFFE)},
    {"Binary", "[HKEY_LOCAL_MACHINE\\A]\n\"B\"=hex:00,01,ff\n", "A", "B",
     MakeBinaryValue({0x00, 0x01, 0xFF})},
    {"EmptyBinary", "[HKEY_LOCAL_MACHINE\\A]\n\"B\"=hex:\n", "A", "B", MakeBinaryValue({})},
    {"MultiString", "[HKEY_LOCAL_MACHINE\\A]\n\"M\"=hex(7):61,00,62,63,00,00\n", "A", "M",
     MakeMultiStringValue({"a", "bc"})},
    {"ExpandString", "[HKEY_LOCAL_MACHINE\\A]\n\"E\"=hex(2):25,58,25,00\n", "A", "E",
     MakeStringValue("%X%", kRegExpandSz)},
    {"OtherTypeNumberInHex", "[HKEY_LOCAL_MACHINE\\A]\n\"T\"=hex(1a):01\n", "A", "T",
     RegValue{0x1A, {0x01}}},
    {"HexGoesOnOverLines", "[HKEY_LOCAL_MACHINE\\A]\n\"B\"=hex:01,02,\\\n  03,\\\n  04\n", "A", "B",
     MakeBinaryValue({1, 2, 3, 4})},
    {"CrLfLines", "[HKEY_LOCAL_MACHINE\\A]\r\n\"Name\"=\"x\"\r\n", "A", "Name",
     MakeStringValue("x")},
    {"BlanksAroundLines", "  [HKEY_LOCAL_MACHINE\\A]  \n\t\"Name\" = \"x\" \n", "A", "Name",
     MakeStringValue("x")},
    {"KeyAndValueNamesIgnoreCase", "[hkey_local_machine\\SoftWare\\A]\n\"NAME\"=\"x\"\n",
     "software\\a", "name", MakeStringValue("x")},
    {"LaterValueReplaces", "[HKEY_LOCAL_MACHINE\\A]\n\"N\"=\"1\"\n\"n\"=\"2\"\n", "A", "N",
     MakeStringValue("2")},
    {"LaterSectionAdds",
     "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"1\"\n[HKEY_LOCAL_MACHINE\\B]\n"
     "[HKEY_LOCAL_MACHINE\\a]\n\"Y\"=\"2\"\n",
     "A", "X", MakeStringValue("1")},
    {"CommentsSkipped", "; about\n[HKEY_LOCAL_MACHINE\\A]\n; \"N\"=\"no\"\n\"N\"=\"yes\"\n", "A",
     "N", MakeStringValue("yes")},
    {"ValueOnRoot", "[HKEY_LOCAL_MACHINE]\n\"R\"=\"1\"\n", "", "R", MakeStringValue("1")},
    {"BracketInKeyName", "[HKEY_LOCAL_MACHINE\\A]B]\n\"N\"=\"1\"\n", "A]B", "N",
     MakeStringValue("1")},
    {"GoodLineAfterMalformedOne", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"open\n\"N\"=\"1\"\n", "A", "N",
     MakeStringValue("1")},

    // Malformed or ignored lines: the value is not there.
    {"UnterminatedString", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"open\n", "A", "X", std::nullopt},
    {"UnknownEscape", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"a\\nb\"\n", "A", "X", std::nullopt},
    {"JunkAfterString", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"a\" b\n", "A", "X", std::nullopt},
    {"NoEquals", "[HKEY_LOCAL_MACHINE\\A]\n\"X\" \"a\"\n", "A", "X", std::nullopt},
    {"UnquotedName", "[HKEY_LOCAL_MACHINE\\A]\nX=\"a\"\n", "A", "X", std::nullopt},
    {"DwordTooLong", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=dword:123456789\n", "A", "X", std::nullopt},
    {"DwordNotHex", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=dword:12g4\n", "A", "X", std::nullopt},
    {"DwordEmpty", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=dword:\n", "A", "X", std::nullopt},
    {"HexByteNotHex", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=hex:0g\n", "A", "X", std::nullopt},
    {"HexByteTooLong", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=hex:123\n", "A", "X", std::nullopt},
    {"HexEmptyPiece", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=hex:01,,02\n", "A", "X", std::nullopt},
    {"HexTypeUnclosed", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=hex(7:00\n", "A", "X", std::nullopt},
    {"UnknownData", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=qword:1\n", "A", "X", std::nullopt},
    {"DeletionValue", "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=-\n", "A", "X", std::nullopt},
    {"ValueBeforeAnySection", "\"X\"=\"a\"\n[HKEY_LOCAL_MACHINE]\n", "", "X", std::nullopt},
    {"OtherRoot", "[HKEY_CURRENT_USER\\A]\n\"X\"=\"a\"\n", "A", "X", std::nullopt},
    {"DeletionSection", "[-HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"a\"\n", "A", "X", std::nullopt},
    {"MalformedSectionOwnsNothing",
     "[HKEY_LOCAL_MACHINE\\A]\n[HKEY_LOCAL_MACHINE\\B\n\"X\"=\"a\"\n", "A", "X", std::nullopt},
    {"ContinuationOfSkippedLineIsNoValue",
     "[-HKEY_LOCAL_MACHINE\\A]\n\"B\"=hex:01,\\\n\"X\"=\"a\"\n[HKEY_LOCAL_MACHINE\\A]\n", "A", "X",
     std::nullopt},
    {"NoHeader", "!\n[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"a\"\n", "A", "X", std::nullopt},
    {"OtherHeader", "!Windows Registry Editor Version 5.00\n[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"a\"\n",
     "A", "X", std::nullopt},
};

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, FindsValueAsExpected) {
  const ParseCase& row = GetParam();
  const std::string text = row.text.front() == '!' ? row.text.substr(1) : "REGEDIT4\n\n" + row.text;
  const KeyNode root = ParseRegedit4(text);
  const KeyNode* key = root.Find(SplitKeyPath(row.key));
  const RegValue* value = key == nullptr ? nullptr : key->FindValue(row.value_name);
  if (!row.expected) {
    EXPECT_EQ(value, nullptr);
    return;
  }
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(*value, *row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ParseTest, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Regedit4Parse, SectionCreatesItsParents) {
  const KeyNode root = ParseRegedit4("REGEDIT4\n[HKEY_LOCAL_MACHINE\\A\\B\\C]\n");
  ASSERT_NE(root.Find(SplitKeyPath("A\\B\\C")), nullptr);
  EXPECT_EQ(root.subkeys().size(), 1u);
  EXPECT_EQ(root.Find(SplitKeyPath("A"))->subkeys().size(), 1u);
}

TEST(Regedit4Parse, Utf8MarkBeforeHeaderIsSkipped) {
  const KeyNode root = ParseRegedit4("\xEF\xBB\xBFREGEDIT4\r\n[HKEY_LOCAL_MACHINE\\A]\r\n");
  EXPECT_NE(root.FindSubkey("A"), nullptr);
}

TEST(Regedit4Parse, TextsThatHoldNoKeys) {
  const std::string texts[] = {
      "",
      "\n\n",
      "REGE",
      "regedit",
      "\x00\x01\x02\xFF\xFE garbage \x00 REGEDIT4"s,
      "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"a\"\n",
      "REGEDIT4",
      "REGEDIT4\n\n",
  };
  for (const std::string& text : texts) {
    EXPECT_EQ(ParseRegedit4(text), KeyNode()) << text;
  }
}

const char kSampleFile[] =
    "REGEDIT4\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Quivane LPR "
    "Port\\Ports\\LAB1]\n"
    "\"Node Address\"=hex:00,00,00,00,00,00\n"
    "\"Description\"=\"Lab \\\"one\\\"\"\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Quivane LPR "
    "Port\\Ports\\LAB1\\1]\n"
    "\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Celvo.exe]\n"
    "\"Path\"=\"C:\\\\Program Files\\\\Celvo\"\n"
    "\"Count\"=dword:00000002\n"
    "\"List\"=hex(7):31,2e,32,2e,33,2e,34,00,35,2e,36,2e,37,2e,38,00,00\n";

// A file cut anywhere keeps what came before the cut and never reads past
// the text.
TEST(Regedit4Parse, EveryPrefixOfAFileParses) {
  const std::string text = kSampleFile;
  for (std::size_t length = 0; length <= text.size(); ++length) {
    const KeyNode root = ParseRegedit4(std::string_view(text).substr(0, length));
    if (length < text.find('\n')) {
      EXPECT_EQ(root, KeyNode());
    }
  }
  const KeyNode whole = ParseRegedit4(text);
  const KeyNode* celvo = whole.Find(
      SplitKeyPath("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Celvo.exe"));
  ASSERT_NE(celvo, nullptr);
  EXPECT_EQ(*celvo->FindValue("Path"), MakeStringValue("C:\\Program Files\\Celvo"));
  EXPECT_EQ(*celvo->FindValue("List"), MakeMultiStringValue({"1.2.3.4", "5.6.7.8"}));
}

TEST(Regedit4Parse, FileCutInsideAValueLosesOnlyThatValue) {
  const std::string text = kSampleFile;
  const std::size_t cut = text.find("\"Count\"") + 12;  // inside dword:000
  const KeyNode root = ParseRegedit4(text.substr(0, cut));
  const KeyNode* celvo =
      root.Find(SplitKeyPath("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Celvo.exe"));
  ASSERT_NE(celvo, nullptr);
  EXPECT_NE(celvo->FindValue("Path"), nullptr);
  EXPECT_EQ(celvo->FindValue("Count"), nullptr);
}

TEST(Regedit4Format, GoldenText) {
  KeyNode root;
  KeyNode& key = root.Create(SplitKeyPath("SOFTWARE\\Test"));
  key.SetValue("", MakeStringValue("default"));
  key.SetValue("Path", MakeStringValue("C:\\Dir \"q\""));
  key.SetValue("Count", MakeDwordValue(10));
  key.SetValue("Node Address", MakeBinaryValue({0, 0, 0, 0, 0, 0}));
  key.SetValue("IPAddress", MakeMultiStringValue({"1.2", "3"}));
  key.SetValue("Expand", MakeStringValue("%A%", kRegExpandSz));
  root.Create(SplitKeyPath("SOFTWARE\\Test\\Empty"));

  EXPECT_EQ(FormatRegedit4(root),
            "REGEDIT4\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n"
            "@=\"default\"\n"
            "\"Path\"=\"C:\\\\Dir \\\"q\\\"\"\n"
            "\"Count\"=dword:0000000a\n"
            "\"Node Address\"=hex:00,00,00,00,00,00\n"
            "\"IPAddress\"=hex(7):31,2e,32,00,33,00,00\n"
            "\"Expand\"=hex(2):25,41,25,00\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Empty]\n");
}

TEST(Regedit4Format, LongHexListsWrapAsTheRegistryEditorDoes) {
  KeyNode root;
  root.Create(SplitKeyPath("K"))
      .SetValue("Bytes", MakeBinaryValue(std::vector<std::uint8_t>(60, 0xAB)));
  std::string ab;
  for (int i = 0; i < 25; ++i) ab += "ab,";
  // 22 bytes after "Bytes"=hex: (79 columns with the backslash; one more
  // would make 82), then 25 per line behind two blanks (78 columns), the
  // rest on the last line.
  EXPECT_EQ(FormatRegedit4(root),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\K]\n\"Bytes\"=hex:" + ab.substr(0, 22 * 3) +
                "\\\n  " + ab + "\\\n  " + ab.substr(0, 12 * 3) + "ab\n");
}

// Whatever is stored reads back as the same bytes and types.
TEST(Regedit4Format, RoundTripKeepsEveryValue) {
  KeyNode root;
  root.Create(SplitKeyPath("Empty\\Nested\\Key"));
  KeyNode& key = root.Create(SplitKeyPath("SYSTEM\\Odd Names\\x\"y\\]z"));
  key.SetValue("", MakeStringValue(""));
  key.SetValue("quote\"back\\slash", MakeStringValue("q\"b\\"));
  key.SetValue("NoTerminator", RegValue{kRegSz, Bytes("abc")});
  key.SetValue("InnerNul", RegValue{kRegSz, Bytes("a\0b\0"s)});
  key.SetValue("LineBreak", MakeStringValue("two\nlines"));
  key.SetValue("EmptySz", RegValue{kRegSz, {}});
  key.SetValue("ShortDword", RegValue{kRegDword, {1, 2, 3}});
  key.SetValue("Dword", MakeDwordValue(0x80000001));
  key.SetValue("Long", MakeBinaryValue(std::vector<std::uint8_t>(300, 0x5A)));
  key.SetValue("Multi", MakeMultiStringValue({"192.168.1.20", "10.0.0.1"}));
  key.SetValue("None", RegValue{kRegNone, {}});
  key.SetValue("HighType", RegValue{0xFFFF0011, {9}});
  key.SetValue("Chinese", MakeStringValue("\xA6\x43\xA6\x4C"));
  root.SetValue("OnRoot", MakeDwordValue(1));

  const std::string text = FormatRegedit4(root);
  EXPECT_EQ(ParseRegedit4(text), root);
  EXPECT_EQ(FormatRegedit4(ParseRegedit4(text)), text);
}

TEST(Regedit4Format, NamesThatCannotBeStoredAreLeftOut) {
  KeyNode root;
  root.Create(SplitKeyPath("K")).SetValue("bad\nname", MakeStringValue("x"));
  root.Create(SplitKeyPath("K")).SetValue("good", MakeStringValue("y"));
  const KeyNode back = ParseRegedit4(FormatRegedit4(root));
  const KeyNode* key = back.FindSubkey("K");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->values().size(), 1u);
  EXPECT_NE(key->FindValue("good"), nullptr);
}

}  // namespace
}  // namespace pscfg::registry
