#pragma once
// What an edit control does with typed text: it keeps the length limit and
// the upper-case style.
//
// As with the platform's edit control, only typing and pasting are checked:
// CWnd::SetDlgItemText takes the filter off while it sets a text, so a text
// from the program stays whole even when it is longer than the limit (and a
// later DDV_MaxChars can refuse it). Of what the user inserts, only as much
// as fits under the limit is taken; deleting is always allowed.

#include <QLineEdit>
#include <QString>
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
  QString previous_;  // the edit's text before the change being validated
};

}  // namespace pscfg::ui
