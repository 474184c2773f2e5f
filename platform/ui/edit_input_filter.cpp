#include "platform/ui/edit_input_filter.h"

#include <algorithm>

#include "platform/ui/ansi_length.h"

namespace pscfg::ui {
namespace {

int CodePointLength(const QString& text, qsizetype index) {
  return text[index].isHighSurrogate() && index + 1 < text.size() ? 2 : 1;
}

// The leading characters of `text` whose ANSI length fits in `room`.
QString LeadingFit(const QString& text, int room) {
  qsizetype end = 0;
  while (end < text.size()) {
    const int length = CodePointLength(text, end);
    const int cost = AnsiTextLength(text.mid(end, length));
    if (cost > room) break;
    room -= cost;
    end += length;
  }
  return text.left(end);
}

}  // namespace

EditInputFilter::EditInputFilter(QLineEdit* edit, int limit, bool uppercase)
    : QValidator(edit), limit_(limit), uppercase_(uppercase), previous_(edit->text()) {
  QObject::connect(edit, &QLineEdit::textChanged, this,
                   [this](const QString& text) { previous_ = text; });
}

QValidator::State EditInputFilter::validate(QString& input, int& position) const {
  if (uppercase_) {
    input = input.toUpper();
    position = std::min(position, static_cast<int>(input.size()));
  }
  if (limit_ <= 0 || AnsiTextLength(input) <= limit_) return Acceptable;

  // Over the limit: find what this change inserted between the kept start
  // and end of the previous text, and keep of it what fits.
  const qsizetype common = std::min(previous_.size(), input.size());
  qsizetype prefix = 0;
  while (prefix < common && previous_[prefix] == input[prefix]) ++prefix;
  if (prefix > 0 && input[prefix - 1].isHighSurrogate()) --prefix;
  qsizetype suffix = 0;
  while (suffix < common - prefix &&
         previous_[previous_.size() - 1 - suffix] == input[input.size() - 1 - suffix]) {
    ++suffix;
  }
  if (suffix > 0 && input[input.size() - suffix].isLowSurrogate()) --suffix;

  const QString head = input.left(prefix);
  const QString tail = input.right(suffix);
  const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
  const QString fit = LeadingFit(inserted, limit_ - AnsiTextLength(head + tail));
  const QString result = head + fit + tail;
  if (result == previous_) return Invalid;
  input = result;
  position = static_cast<int>(prefix + fit.size());
  return Acceptable;
}

}  // namespace pscfg::ui
