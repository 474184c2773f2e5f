#include "platform/ui/ddx.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

#include "platform/ui/cwin_app.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/test_services.h"
#include "tests/platform/ui/ui_test_support.h"

namespace pscfg::ui {
namespace {

using testing::ExchangeDialog;

constexpr int kName = 1003;
constexpr int kOther = 1004;
constexpr int kNumber = 1005;
constexpr int kCheck = 1012;
constexpr int kLpt1 = 1040;
constexpr int kLpt2 = 1041;
constexpr int kLpt3 = 1007;
constexpr int kAuto = 1005 + 100;
constexpr int kFixed = 1006 + 100;
constexpr int kPorts = 1036;

DialogTemplate ExchangeTemplate() {
  DialogTemplate dialog;
  dialog.caption = "exchange";
  dialog.rect = {0, 0, 240, 215};
  dialog.controls = {
      Edit(kName, {60, 10, 120, 12}),
      Edit(kOther, {60, 26, 120, 12}),
      Edit(kNumber, {60, 42, 60, 12}),
      CheckBox(kCheck, "TCP/IP 支援", {10, 58, 80, 10}, style::kGroup),
      RadioButton(kLpt1, "LPT1", {10, 72, 40, 10}, style::kGroup),
      StaticText(kIdStatic, "label inside the group", {60, 72, 80, 8}),
      RadioButton(kLpt2, "LPT2", {10, 84, 40, 10}),
      RadioButton(kLpt3, "LPT3", {10, 96, 40, 10}),
      RadioButton(kAuto, "自動", {120, 84, 40, 10}, style::kGroup),
      RadioButton(kFixed, "指定", {120, 96, 40, 10}),
      ComboBox(kPorts, {10, 110, 60, 60}),
      PushButton(kIdOk, "確定", {185, 195, 50, 14}, style::kGroup),
  };
  return dialog;
}

class DdxTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dialog_.Create()); }

  ShownMessage Warning(const std::string& text) const {
    return {text, AfxGetAppName(), MessageButtons::kOk, MessageIcon::kWarning};
  }

  TestServices services_;
  ExchangeDialog dialog_{ExchangeTemplate()};
};

TEST_F(DdxTest, TextMovesBothWays) {
  std::string name = "PS-0001";
  dialog_.exchange = [&](DataExchange& dx) { DDX_Text(dx, kName, name); };
  ASSERT_TRUE(dialog_.UpdateData(false));
  EXPECT_EQ(dialog_.GetDlgItemText(kName), "PS-0001");
  ASSERT_TRUE(dialog_.UserTypeText(kName, "印表機一"));
  ASSERT_TRUE(dialog_.UpdateData(true));
  EXPECT_EQ(name, "印表機一");
  EXPECT_TRUE(services_.message_box.shown().empty());
}

struct MaxCharsRow {
  const char* text;
  int limit;
  bool accepted;
};

std::ostream& operator<<(std::ostream& out, const MaxCharsRow& row) {
  return out << '"' << row.text << "\" limit " << row.limit;
}

class DdvMaxChars : public DdxTest, public ::testing::WithParamInterface<MaxCharsRow> {};

TEST_P(DdvMaxChars, RefusesLongerTextsWithThePlatformMessageAndFocusesTheEdit) {
  const MaxCharsRow& row = GetParam();
  std::string name;
  std::string other = "unchanged";
  dialog_.exchange = [&](DataExchange& dx) {
    DDX_Text(dx, kName, name);
    DDV_MaxChars(dx, name, row.limit);
    DDX_Text(dx, kOther, other);
  };
  dialog_.SetDlgItemText(kName, row.text);  // set by the program: not cut
  dialog_.SetDlgItemText(kOther, "typed");
  dialog_.GotoDlgCtrl(kOther);

  EXPECT_EQ(dialog_.UpdateData(true), row.accepted);
  EXPECT_EQ(name, row.text);
  if (row.accepted) {
    EXPECT_TRUE(services_.message_box.shown().empty());
    EXPECT_EQ(other, "typed");
  } else {
    EXPECT_EQ(services_.message_box.shown(),
              std::vector<ShownMessage>{
                  Warning("Enter no more than " + std::to_string(row.limit) + " characters.")});
    EXPECT_EQ(dialog_.GetFocusId(), kName);
    EXPECT_EQ(other, "unchanged") << "the exchange stops at the refused value";
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, DdvMaxChars,
                         ::testing::Values(MaxCharsRow{"12345", 5, true},
                                           MaxCharsRow{"123456", 5, false},
                                           MaxCharsRow{"", 0, true}, MaxCharsRow{"x", 0, false},
                                           // Chinese characters count two.
                                           MaxCharsRow{"列印", 4, true},
                                           MaxCharsRow{"列印伺", 5, false},
                                           MaxCharsRow{"A列", 3, true}));

TEST_F(DdxTest, LoadingSetsTheTypingLimitButKeepsLongerProgramText) {
  std::string name = "12345678";
  dialog_.exchange = [&](DataExchange& dx) {
    DDX_Text(dx, kName, name);
    DDV_MaxChars(dx, name, 5);
  };
  ASSERT_TRUE(dialog_.UpdateData(false));
  EXPECT_EQ(dialog_.GetLimitText(kName), 5);
  EXPECT_EQ(dialog_.GetDlgItemText(kName), "12345678");

  // Typing stops at the limit; Chinese characters count two.
  EXPECT_FALSE(dialog_.UserTypeText(kName, "123456"));
  EXPECT_EQ(dialog_.GetDlgItemText(kName), "12345");
  EXPECT_TRUE(dialog_.UserTypeText(kName, "列印"));
  EXPECT_FALSE(dialog_.UserTypeText(kName, "列印伺"));
  EXPECT_EQ(dialog_.GetDlgItemText(kName), "列印");
  EXPECT_FALSE(dialog_.UserTypeText(kName, "AB列印"));
  EXPECT_EQ(dialog_.GetDlgItemText(kName), "AB列");
}

struct NumberRow {
  const char* text;
  bool is_signed;
  bool accepted;
  long long value;
  const char* message;
};

std::ostream& operator<<(std::ostream& out, const NumberRow& row) {
  out << '"';
  for (const char* c = row.text; *c != '\0'; ++c)
    out << (*c == '\t' ? std::string("\\t") : std::string(1, *c));
  return out << "\" " << (row.is_signed ? "int" : "unsigned");
}

class DdxNumber : public DdxTest, public ::testing::WithParamInterface<NumberRow> {};

TEST_P(DdxNumber, ParsesOrRefusesWithThePlatformMessage) {
  const NumberRow& row = GetParam();
  int signed_value = 77;
  unsigned unsigned_value = 77;
  dialog_.exchange = [&](DataExchange& dx) {
    if (row.is_signed) {
      DDX_Text(dx, kNumber, signed_value);
    } else {
      DDX_Text(dx, kNumber, unsigned_value);
    }
  };
  dialog_.SetDlgItemText(kNumber, row.text);
  EXPECT_EQ(dialog_.UpdateData(true), row.accepted);
  if (row.accepted) {
    EXPECT_TRUE(services_.message_box.shown().empty());
    if (row.is_signed) {
      EXPECT_EQ(signed_value, row.value);
    } else {
      EXPECT_EQ(unsigned_value, static_cast<unsigned long long>(row.value));
    }
  } else {
    EXPECT_EQ(services_.message_box.shown(), std::vector<ShownMessage>{Warning(row.message)});
    EXPECT_EQ(dialog_.GetFocusId(), kNumber);
    EXPECT_EQ(row.is_signed ? static_cast<long long>(signed_value) : unsigned_value, 77);
  }
}

constexpr const char* kInteger = "Please enter an integer.";
constexpr const char* kPositive = "Please enter a positive integer.";

INSTANTIATE_TEST_SUITE_P(
    Rows, DdxNumber,
    ::testing::Values(
        NumberRow{"42", true, true, 42, ""}, NumberRow{" \t42 \t", true, true, 42, ""},
        NumberRow{"-17", true, true, -17, ""}, NumberRow{"+5", true, true, 5, ""},
        NumberRow{"0", true, true, 0, ""}, NumberRow{"007", true, true, 7, ""},
        NumberRow{"99999999999", true, true, INT_MAX, ""},
        NumberRow{"-99999999999", true, true, INT_MIN, ""}, NumberRow{"", true, false, 0, kInteger},
        NumberRow{"abc", true, false, 0, kInteger}, NumberRow{"12a", true, false, 0, kInteger},
        NumberRow{"1 2", true, false, 0, kInteger}, NumberRow{"+0", true, false, 0, kInteger},
        NumberRow{"-0", true, false, 0, kInteger},
        NumberRow{"4294967295", false, true, 4294967295LL, ""},
        NumberRow{"4294967296", false, true, 4294967295LL, ""},
        NumberRow{" 8 ", false, true, 8, ""}, NumberRow{"-1", false, false, 0, kPositive},
        NumberRow{" -0", false, false, 0, kPositive}, NumberRow{"x", false, false, 0, kInteger}));

TEST_F(DdxTest, NumbersAreWrittenInDecimal) {
  int signed_value = -3;
  unsigned unsigned_value = 4000000000U;
  dialog_.exchange = [&](DataExchange& dx) {
    DDX_Text(dx, kNumber, signed_value);
    DDX_Text(dx, kOther, unsigned_value);
  };
  ASSERT_TRUE(dialog_.UpdateData(false));
  EXPECT_EQ(dialog_.GetDlgItemText(kNumber), "-3");
  EXPECT_EQ(dialog_.GetDlgItemText(kOther), "4000000000");
}

TEST_F(DdxTest, RadioGroupsGiveTheIndexOfTheCheckedButtonOrMinusOne) {
  int port = -1;
  int mode = -1;
  dialog_.exchange = [&](DataExchange& dx) {
    DDX_Radio(dx, kLpt1, port);
    DDX_Radio(dx, kAuto, mode);
  };
  EXPECT_EQ(dialog_.GetRadioGroup(kLpt1), (std::vector<int>{kLpt1, kLpt2, kLpt3}));
  EXPECT_EQ(dialog_.GetRadioGroup(kFixed), (std::vector<int>{kAuto, kFixed}));

  for (int value : {2, 0, 1, -1}) {
    port = value;
    ASSERT_TRUE(dialog_.UpdateData(false));
    for (int index = 0; index < 3; ++index) {
      EXPECT_EQ(dialog_.IsDlgButtonChecked(dialog_.GetRadioGroup(kLpt1)[index]),
                index == value ? 1 : 0)
          << "value " << value << " button " << index;
    }
    port = 99;
    ASSERT_TRUE(dialog_.UpdateData(true));
    EXPECT_EQ(port, value);
  }

  // A click checks one button and unchecks the others of its group only.
  ASSERT_TRUE(dialog_.ClickDlgItem(kFixed));
  ASSERT_TRUE(dialog_.ClickDlgItem(kLpt3));
  ASSERT_TRUE(dialog_.ClickDlgItem(kLpt2));
  ASSERT_TRUE(dialog_.UpdateData(true));
  EXPECT_EQ(port, 1);
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(dialog_.IsDlgButtonChecked(kLpt3), 0);
}

TEST_F(DdxTest, CheckBoxesGiveTheirState) {
  int tcpip = 1;
  dialog_.exchange = [&](DataExchange& dx) { DDX_Check(dx, kCheck, tcpip); };
  ASSERT_TRUE(dialog_.UpdateData(false));
  EXPECT_EQ(dialog_.IsDlgButtonChecked(kCheck), 1);
  ASSERT_TRUE(dialog_.ClickDlgItem(kCheck));
  ASSERT_TRUE(dialog_.UpdateData(true));
  EXPECT_EQ(tcpip, 0);
}

TEST_F(DdxTest, ComboBoxesGiveTheSelectedIndexOrText) {
  for (const char* item : {"LPT1", "LPT2", "Beta"}) dialog_.ComboAddString(kPorts, item);
  int index = 1;
  dialog_.exchange = [&](DataExchange& dx) { DDX_CBIndex(dx, kPorts, index); };
  ASSERT_TRUE(dialog_.UpdateData(false));
  EXPECT_EQ(dialog_.ComboGetCurSel(kPorts), 1);

  std::string text = "be";
  dialog_.exchange = [&](DataExchange& dx) { DDX_CBString(dx, kPorts, text); };
  ASSERT_TRUE(dialog_.UpdateData(false));
  EXPECT_EQ(dialog_.ComboGetCurSel(kPorts), 2) << "the first item that begins with it";
  ASSERT_TRUE(dialog_.UpdateData(true));
  EXPECT_EQ(text, "Beta");

  index = -1;
  dialog_.exchange = [&](DataExchange& dx) { DDX_CBIndex(dx, kPorts, index); };
  ASSERT_TRUE(dialog_.UpdateData(false));
  ASSERT_TRUE(dialog_.UpdateData(true));
  EXPECT_EQ(index, -1);
}

TEST(DdxWithoutWindowTest, UpdateDataFailsWithoutAWindow) {
  ExchangeDialog dialog(ExchangeTemplate());
  bool ran = false;
  dialog.exchange = [&](DataExchange&) { ran = true; };
  EXPECT_FALSE(dialog.UpdateData(false));
  EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace pscfg::ui
