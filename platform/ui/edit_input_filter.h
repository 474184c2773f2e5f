#pragma once
// What an edit control does with typed text: it keeps the length limit and
// the upper-case style.
//
// As with the platform's edit control, only typing (and pasting) is checked:
// text that the program sets passes unchanged, even when it is longer than
// the limit, so that a later DDV_MaxChars can refuse it. Typing that would
// make an over-long text longer, or a text at the limit longer, is refused;
// deleting is always allowed.

#include <QLineEdit>
#include <QValidator>

namespace pscfg::ui {

class EditInputFilter : public QValidator {
 public:
  // Filters `edit` and is owned by it. A limit of 0 means none.
  EditInputFilter(QLineEdit* edit, int limit, bool uppercase);

  void SetLimit(int limit) { limit_ = limit; }
  int limit() const { return limit_; }

  State validate(QString& input, int& position) const override;

 private:
  int limit_;
  bool uppercase_;
  int current_length_ = 0;  // ANSI length of the edit's text before this change
};

}  // namespace pscfg::ui
