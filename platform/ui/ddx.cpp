#include "platform/ui/ddx.h"

#include <QComboBox>
#include <climits>
#include <cstdlib>
#include <string_view>

#include "platform/ui/ansi_length.h"
#include "platform/ui/cwin_app.h"
#include "platform/ui/platform_messages.h"

namespace pscfg::ui {
namespace {

enum class NumberParse { kOk, kNotANumber, kNegative };

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(std::string_view text, std::size_t position) {
  while (position < text.size() && IsBlank(text[position])) ++position;
  return position;
}

// Parses [blanks][sign]digits[blanks] into *value, saturating at the ends
// of [minimum, maximum].
NumberParse ParseNumber(const std::string& text, bool is_signed, long long minimum,
                        long long maximum, long long* value) {
  std::size_t position = SkipBlanks(text, 0);
  if (!is_signed && position < text.size() && text[position] == '-') {
    return NumberParse::kNegative;
  }
  const bool starts_with_zero = position < text.size() && text[position] == '0';
  const char* begin = text.c_str() + position;
  char* end = nullptr;
  long long number = std::strtoll(begin, &end, 10);
  if (number == 0 && !starts_with_zero) return NumberParse::kNotANumber;
  position = SkipBlanks(text, static_cast<std::size_t>(end - text.c_str()));
  if (position != text.size()) return NumberParse::kNotANumber;
  if (number < minimum) number = minimum;
  if (number > maximum) number = maximum;
  *value = number;
  return NumberParse::kOk;
}

void Refuse(DataExchange& dx, const std::string& message) {
  dx.window().MessageBox(message, AfxGetAppName(), MessageButtons::kOk, MessageIcon::kWarning);
  dx.Fail();
}

// Common start of every exchange: nothing after a failure.
bool Begin(DataExchange& dx, int id) {
  if (dx.failed()) return false;
  dx.PrepareCtrl(id);
  return true;
}

}  // namespace

void DDX_Text(DataExchange& dx, int id, std::string& value) {
  if (!Begin(dx, id)) return;
  if (dx.saving()) {
    value = dx.window().GetDlgItemText(id);
  } else {
    dx.window().SetDlgItemText(id, value);
  }
}

void DDX_Text(DataExchange& dx, int id, int& value) {
  if (!Begin(dx, id)) return;
  if (!dx.saving()) {
    dx.window().SetDlgItemText(id, std::to_string(value));
    return;
  }
  long long number = 0;
  if (ParseNumber(dx.window().GetDlgItemText(id), true, INT_MIN, INT_MAX, &number) !=
      NumberParse::kOk) {
    Refuse(dx, kEnterIntegerMessage);
    return;
  }
  value = static_cast<int>(number);
}

void DDX_Text(DataExchange& dx, int id, unsigned& value) {
  if (!Begin(dx, id)) return;
  if (!dx.saving()) {
    dx.window().SetDlgItemText(id, std::to_string(value));
    return;
  }
  long long number = 0;
  switch (ParseNumber(dx.window().GetDlgItemText(id), false, 0, UINT_MAX, &number)) {
    case NumberParse::kOk:
      value = static_cast<unsigned>(number);
      return;
    case NumberParse::kNegative:
      Refuse(dx, kEnterPositiveIntegerMessage);
      return;
    case NumberParse::kNotANumber:
      Refuse(dx, kEnterIntegerMessage);
      return;
  }
}

void DDX_Check(DataExchange& dx, int id, int& value) {
  if (!Begin(dx, id)) return;
  if (dx.saving()) {
    value = dx.window().IsDlgButtonChecked(id);
  } else {
    dx.window().CheckDlgButton(id, value);
  }
}

void DDX_Radio(DataExchange& dx, int id, int& value) {
  if (!Begin(dx, id)) return;
  const std::vector<int> group = dx.window().GetRadioGroup(id);
  if (dx.saving()) {
    value = -1;
    for (std::size_t index = 0; index < group.size(); ++index) {
      if (dx.window().IsDlgButtonChecked(group[index]) == 1) {
        value = static_cast<int>(index);
        break;
      }
    }
    return;
  }
  for (std::size_t index = 0; index < group.size(); ++index) {
    if (static_cast<int>(index) != value) dx.window().CheckDlgButton(group[index], 0);
  }
  if (value >= 0 && value < static_cast<int>(group.size())) {
    dx.window().CheckDlgButton(group[value], 1);
  }
}

void DDX_CBIndex(DataExchange& dx, int id, int& index) {
  if (!Begin(dx, id)) return;
  if (dx.saving()) {
    index = dx.window().ComboGetCurSel(id);
  } else {
    dx.window().ComboSetCurSel(id, index);
  }
}

void DDX_CBString(DataExchange& dx, int id, std::string& value) {
  if (!Begin(dx, id)) return;
  if (dx.saving()) {
    value = dx.window().GetDlgItemText(id);
    return;
  }
  auto* combo = dx.window().GetDlgItemAs<QComboBox>(id);
  if (combo != nullptr && combo->isEditable()) {
    dx.window().SetDlgItemText(id, value);
  } else {
    dx.window().ComboSelectString(id, -1, value);
  }
}

void DDX_LBIndex(DataExchange& dx, int id, int& index) {
  if (!Begin(dx, id)) return;
  if (dx.saving()) {
    index = dx.window().ListBoxGetCurSel(id);
  } else {
    dx.window().ListBoxSetCurSel(id, index);
  }
}

void DDV_MaxChars(DataExchange& dx, const std::string& value, int max_chars) {
  if (dx.failed()) return;
  if (!dx.saving()) {
    dx.window().LimitText(dx.last_control(), max_chars);
    return;
  }
  if (AnsiTextLength(value) > max_chars) Refuse(dx, MaxCharsMessage(max_chars));
}

}  // namespace pscfg::ui
