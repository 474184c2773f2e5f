#include "platform/ui/control_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "platform/ui/bitmap_resources.h"
#include "platform/ui/edit_input_filter.h"
#include "platform/ui/qt_text.h"

namespace pscfg::ui {
namespace {

constexpr QSize kIconSize(32, 32);

Qt::Alignment HorizontalAlignment(unsigned style) {
  if ((style & style::kAlignRight) != 0) return Qt::AlignRight;
  if ((style & style::kAlignCenter) != 0) return Qt::AlignHCenter;
  return Qt::AlignLeft;
}

QWidget* MakeStatic(QWidget* parent, const ControlTemplate& control) {
  auto* label = new QLabel(ToQString(control.text), parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(HorizontalAlignment(control.style) | Qt::AlignTop);
  if ((control.style & style::kBorder) != 0) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  return label;
}

QWidget* MakePicture(QWidget* parent, const ControlTemplate& control, const QRect& rect) {
  auto* label = new QLabel(parent);
  const bool icon = control.kind == ControlKind::kIcon;
  QPixmap picture = BitmapResource(control.resource, icon ? kIconSize : rect.size());
  if (icon) picture = picture.scaled(kIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  label->setPixmap(picture);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* MakeLine(QWidget* parent, const QRect& rect) {
  auto* line = new QFrame(parent);
  line->setFrameShape(rect.height() > rect.width() ? QFrame::VLine : QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

QWidget* MakeEdit(QWidget* parent, const ControlTemplate& control) {
  auto* edit = new QLineEdit(parent);
  edit->setValidator(
      new EditInputFilter(edit, control.limit, (control.style & style::kUppercase) != 0));
  if ((control.style & style::kPassword) != 0) edit->setEchoMode(QLineEdit::Password);
  edit->setReadOnly((control.style & style::kReadOnly) != 0);
  edit->setAlignment(HorizontalAlignment(control.style) | Qt::AlignVCenter);
  return edit;
}

QWidget* MakePushButton(QWidget* parent, const ControlTemplate& control) {
  auto* button = new QPushButton(ToQString(control.text), parent);
  // A focused push button is pressed by Enter, as in every dialog.
  button->setAutoDefault(true);
  button->setDefault((control.style & style::kDefaultButton) != 0);
  return button;
}

QWidget* MakeGroupBox(QWidget* parent, const ControlTemplate& control) {
  auto* frame = new QGroupBox(ToQString(control.text), parent);
  // Only a frame: the controls inside are its siblings and must get the clicks.
  frame->setAttribute(Qt::WA_TransparentForMouseEvents);
  frame->setFocusPolicy(Qt::NoFocus);
  return frame;
}

QWidget* MakeComboBox(QWidget* parent, const ControlTemplate& control) {
  auto* combo = new QComboBox(parent);
  combo->setEditable((control.style & style::kEditable) != 0);
  combo->setInsertPolicy(QComboBox::NoInsert);
  return combo;
}

QWidget* MakeListView(QWidget* parent, const ControlTemplate& control) {
  auto* list = new QTreeWidget(parent);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);
  list->setAllColumnsShowFocus(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->header()->setStretchLastSection(false);
  list->header()->setSectionsMovable(false);
  list->setColumnCount(static_cast<int>(control.columns.size()));
  QTreeWidgetItem* header = list->headerItem();
  for (int column = 0; column < static_cast<int>(control.columns.size()); ++column) {
    const ListColumn& heading = control.columns[column];
    header->setText(column, ToQString(heading.text));
    header->setTextAlignment(column, ColumnAlignment(heading.align));
    list->setColumnWidth(column, heading.width);
  }
  return list;
}

QWidget* MakeControl(QWidget* parent, const ControlTemplate& control, const QRect& rect) {
  switch (control.kind) {
    case ControlKind::kStatic:
      return MakeStatic(parent, control);
    case ControlKind::kBitmap:
    case ControlKind::kIcon:
      return MakePicture(parent, control, rect);
    case ControlKind::kEtchedLine:
      return MakeLine(parent, rect);
    case ControlKind::kEdit:
      return MakeEdit(parent, control);
    case ControlKind::kCheckBox:
      return new QCheckBox(ToQString(control.text), parent);
    case ControlKind::kRadioButton: {
      auto* radio = new QRadioButton(ToQString(control.text), parent);
      radio->setAutoExclusive(false);  // the radio group sees to it
      return radio;
    }
    case ControlKind::kGroupBox:
      return MakeGroupBox(parent, control);
    case ControlKind::kPushButton:
      return MakePushButton(parent, control);
    case ControlKind::kComboBox:
      return MakeComboBox(parent, control);
    case ControlKind::kListBox:
      return new QListWidget(parent);
    case ControlKind::kListView:
      return MakeListView(parent, control);
  }
  return new QWidget(parent);
}

QRect PlacedRect(const ControlTemplate& control, QWidget* widget, QRect rect) {
  switch (control.kind) {
    case ControlKind::kComboBox:
      rect.setHeight(widget->sizeHint().height());
      break;
    case ControlKind::kBitmap:
    case ControlKind::kIcon:
      rect.setSize(static_cast<QLabel*>(widget)->pixmap().size());
      break;
    default:
      break;
  }
  return rect;
}

}  // namespace

Qt::Alignment ColumnAlignment(ColumnAlign align) {
  switch (align) {
    case ColumnAlign::kRight:
      return Qt::AlignRight | Qt::AlignVCenter;
    case ColumnAlign::kCenter:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case ColumnAlign::kLeft:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

void BuildControls(QWidget* parent, const DialogTemplate& dialog, DialogBaseUnits units,
                   ControlSet* controls) {
  std::vector<QWidget*> frames;
  for (const ControlTemplate& control : dialog.controls) {
    const QRect rect = DialogUnitsToPixels(control.rect, units);
    QWidget* widget = MakeControl(parent, control, rect);
    widget->setGeometry(PlacedRect(control, widget, rect));
    if ((control.style & style::kDisabled) != 0) widget->setEnabled(false);
    // Also when `parent` is on the screen already (a page built on first show).
    widget->setVisible((control.style & style::kHidden) == 0);
    if (control.kind == ControlKind::kGroupBox) frames.push_back(widget);
    controls->Add({control.id, control.kind, control.style, widget, -1}, parent);
  }
  // Frames go below the controls they surround.
  for (QWidget* frame : frames) frame->lower();
}

}  // namespace pscfg::ui
