// Combo boxes, list boxes and list views of CWnd.
//
// They behave as the platform's controls do where Qt's differ: adding the
// first item selects nothing, deleting the selected item leaves no
// selection, a sorted control inserts each new string in order.

#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QTreeWidget>
#include <algorithm>

#include "platform/ui/control_factory.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/qt_text.h"

namespace pscfg::ui {
namespace {

bool IsSorted(const ControlSet& controls, int id) {
  const Control* control = controls.Find(id);
  return control != nullptr && (control->style & style::kSorted) != 0;
}

// Where `text` goes among `count` items read by `item_text`: after the ones
// that sort before it or equal it, ignoring case.
template <class ItemText>
int SortedPosition(int count, const QString& text, ItemText item_text) {
  int position = 0;
  while (position < count &&
         QString::compare(item_text(position), text, Qt::CaseInsensitive) <= 0) {
    ++position;
  }
  return position;
}

}  // namespace

int CWnd::ComboAddString(int id, const std::string& text) {
  auto* combo = GetDlgItemAs<QComboBox>(id);
  if (combo == nullptr) return -1;
  const QString value = ToQString(text);
  const int index =
      IsSorted(controls(), id)
          ? SortedPosition(combo->count(), value, [combo](int i) { return combo->itemText(i); })
          : combo->count();
  return ComboInsertString(id, index, text);
}

int CWnd::ComboInsertString(int id, int index, const std::string& text) {
  auto* combo = GetDlgItemAs<QComboBox>(id);
  if (combo == nullptr || index > combo->count()) return -1;
  if (index < 0) index = combo->count();
  const bool had_selection = combo->currentIndex() >= 0;
  combo->insertItem(index, ToQString(text));
  if (!had_selection) combo->setCurrentIndex(-1);
  return index;
}

int CWnd::ComboDeleteString(int id, int index) {
  auto* combo = GetDlgItemAs<QComboBox>(id);
  if (combo == nullptr || index < 0 || index >= combo->count()) return -1;
  const bool selected = combo->currentIndex() == index;
  combo->removeItem(index);
  if (selected) combo->setCurrentIndex(-1);
  return combo->count();
}

void CWnd::ComboResetContent(int id) {
  if (auto* combo = GetDlgItemAs<QComboBox>(id)) combo->clear();
}

int CWnd::ComboSetCurSel(int id, int index) {
  auto* combo = GetDlgItemAs<QComboBox>(id);
  if (combo == nullptr) return -1;
  if (index < 0 || index >= combo->count()) {
    combo->setCurrentIndex(-1);
    return -1;
  }
  combo->setCurrentIndex(index);
  return index;
}

int CWnd::ComboGetCurSel(int id) const {
  auto* combo = GetDlgItemAs<QComboBox>(id);
  return combo == nullptr ? -1 : combo->currentIndex();
}

int CWnd::ComboGetCount(int id) const {
  auto* combo = GetDlgItemAs<QComboBox>(id);
  return combo == nullptr ? -1 : combo->count();
}

std::string CWnd::ComboGetLBText(int id, int index) const {
  auto* combo = GetDlgItemAs<QComboBox>(id);
  if (combo == nullptr || index < 0 || index >= combo->count()) return {};
  return ToUtf8(combo->itemText(index));
}

int CWnd::ComboSelectString(int id, int start, const std::string& prefix) {
  auto* combo = GetDlgItemAs<QComboBox>(id);
  if (combo == nullptr) return -1;
  const QString wanted = ToQString(prefix);
  const int count = combo->count();
  for (int step = 1; step <= count; ++step) {
    const int index = ((start < 0 ? -1 : start) + step) % count;
    if (combo->itemText(index).startsWith(wanted, Qt::CaseInsensitive)) {
      combo->setCurrentIndex(index);
      return index;
    }
  }
  return -1;
}

int CWnd::ListBoxAddString(int id, const std::string& text) {
  auto* list = GetDlgItemAs<QListWidget>(id);
  if (list == nullptr) return -1;
  const QString value = ToQString(text);
  const int index =
      IsSorted(controls(), id)
          ? SortedPosition(list->count(), value, [list](int i) { return list->item(i)->text(); })
          : list->count();
  return ListBoxInsertString(id, index, text);
}

int CWnd::ListBoxInsertString(int id, int index, const std::string& text) {
  auto* list = GetDlgItemAs<QListWidget>(id);
  if (list == nullptr || index > list->count()) return -1;
  if (index < 0) index = list->count();
  ProgramChange change(this);
  list->insertItem(index, ToQString(text));
  return index;
}

int CWnd::ListBoxDeleteString(int id, int index) {
  auto* list = GetDlgItemAs<QListWidget>(id);
  if (list == nullptr || index < 0 || index >= list->count()) return -1;
  ProgramChange change(this);
  const bool selected = ListBoxGetCurSel(id) == index;
  delete list->takeItem(index);
  if (selected) {
    list->clearSelection();
    list->setCurrentRow(-1);
  }
  return list->count();
}

void CWnd::ListBoxResetContent(int id) {
  ProgramChange change(this);
  if (auto* list = GetDlgItemAs<QListWidget>(id)) list->clear();
}

int CWnd::ListBoxSetCurSel(int id, int index) {
  auto* list = GetDlgItemAs<QListWidget>(id);
  if (list == nullptr) return -1;
  ProgramChange change(this);
  if (index < 0 || index >= list->count()) {
    list->clearSelection();
    list->setCurrentRow(-1);
    return -1;
  }
  list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  return index;
}

int CWnd::ListBoxGetCurSel(int id) const {
  auto* list = GetDlgItemAs<QListWidget>(id);
  if (list == nullptr || list->currentItem() == nullptr || !list->currentItem()->isSelected()) {
    return -1;
  }
  return list->currentRow();
}

int CWnd::ListBoxGetCount(int id) const {
  auto* list = GetDlgItemAs<QListWidget>(id);
  return list == nullptr ? -1 : list->count();
}

std::string CWnd::ListBoxGetText(int id, int index) const {
  auto* list = GetDlgItemAs<QListWidget>(id);
  if (list == nullptr || index < 0 || index >= list->count()) return {};
  return ToUtf8(list->item(index)->text());
}

int CWnd::ListViewInsertColumn(int id, int column, const std::string& text, int width,
                               ColumnAlign align) {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  if (view == nullptr || column < 0) return -1;
  ProgramChange change(this);
  const int count = view->columnCount();
  if (column > count) column = count;
  view->setColumnCount(count + 1);
  QTreeWidgetItem* header = view->headerItem();
  // Move the columns from `column` on one place to the right.
  for (int c = count; c > column; --c) {
    header->setText(c, header->text(c - 1));
    header->setTextAlignment(c, Qt::Alignment::fromInt(header->textAlignment(c - 1)));
    view->setColumnWidth(c, view->columnWidth(c - 1));
    for (int row = 0; row < view->topLevelItemCount(); ++row) {
      QTreeWidgetItem* item = view->topLevelItem(row);
      item->setText(c, item->text(c - 1));
      item->setTextAlignment(c, Qt::Alignment::fromInt(item->textAlignment(c - 1)));
    }
  }
  header->setText(column, ToQString(text));
  header->setTextAlignment(column, ColumnAlignment(align));
  view->setColumnWidth(column, width);
  for (int row = 0; row < view->topLevelItemCount(); ++row) {
    view->topLevelItem(row)->setText(column, QString());
    view->topLevelItem(row)->setTextAlignment(column, ColumnAlignment(align));
  }
  return column;
}

int CWnd::ListViewGetColumnCount(int id) const {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  return view == nullptr ? 0 : view->columnCount();
}

std::string CWnd::ListViewGetColumnText(int id, int column) const {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  if (view == nullptr || column < 0 || column >= view->columnCount()) return {};
  return ToUtf8(view->headerItem()->text(column));
}

int CWnd::ListViewGetColumnWidth(int id, int column) const {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  if (view == nullptr || column < 0 || column >= view->columnCount()) return 0;
  return view->columnWidth(column);
}

int CWnd::ListViewInsertItem(int id, int index, const std::string& text) {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  if (view == nullptr) return -1;
  ProgramChange change(this);
  const int count = view->topLevelItemCount();
  if (index < 0 || index > count) index = count;
  auto* item = new QTreeWidgetItem;
  item->setText(0, ToQString(text));
  for (int column = 0; column < view->columnCount(); ++column) {
    item->setTextAlignment(column,
                           Qt::Alignment::fromInt(view->headerItem()->textAlignment(column)));
  }
  view->insertTopLevelItem(index, item);
  return index;
}

bool CWnd::ListViewSetItemText(int id, int item, int subitem, const std::string& text) {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  if (view == nullptr || item < 0 || item >= view->topLevelItemCount() || subitem < 0 ||
      subitem >= std::max(1, view->columnCount())) {
    return false;
  }
  view->topLevelItem(item)->setText(subitem, ToQString(text));
  return true;
}

std::string CWnd::ListViewGetItemText(int id, int item, int subitem) const {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  if (view == nullptr || item < 0 || item >= view->topLevelItemCount() || subitem < 0) return {};
  return ToUtf8(view->topLevelItem(item)->text(subitem));
}

int CWnd::ListViewGetItemCount(int id) const {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  return view == nullptr ? 0 : view->topLevelItemCount();
}

bool CWnd::ListViewDeleteAllItems(int id) {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  if (view == nullptr) return false;
  ProgramChange change(this);
  view->clear();
  return true;
}

int CWnd::ListViewGetSelectedItem(int id) const {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  if (view == nullptr || view->currentItem() == nullptr || !view->currentItem()->isSelected()) {
    return -1;
  }
  return view->indexOfTopLevelItem(view->currentItem());
}

bool CWnd::ListViewSelectItem(int id, int item) {
  auto* view = GetDlgItemAs<QTreeWidget>(id);
  if (view == nullptr || item < 0 || item >= view->topLevelItemCount()) return false;
  view->setCurrentItem(view->topLevelItem(item));
  return true;
}

}  // namespace pscfg::ui
