#include "platform/ui/edit_input_filter.h"

#include <algorithm>

#include "platform/ui/ansi_length.h"

namespace pscfg::ui {

EditInputFilter::EditInputFilter(QLineEdit* edit, int limit, bool uppercase)
    : QValidator(edit), limit_(limit), uppercase_(uppercase) {
  current_length_ = AnsiTextLength(edit->text());
  QObject::connect(edit, &QLineEdit::textChanged, this,
                   [this](const QString& text) { current_length_ = AnsiTextLength(text); });
}

QValidator::State EditInputFilter::validate(QString& input, int& position) const {
  if (uppercase_) {
    input = input.toUpper();
    position = std::min(position, static_cast<int>(input.size()));
  }
  if (limit_ > 0) {
    const int length = AnsiTextLength(input);
    if (length > limit_ && length >= current_length_) return Invalid;
  }
  return Acceptable;
}

}  // namespace pscfg::ui
