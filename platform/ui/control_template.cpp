#include "platform/ui/control_template.h"

#include <utility>

namespace pscfg::ui {
namespace {

ControlTemplate Make(int id, ControlKind kind, std::string text, DialogRect rect, unsigned style) {
  ControlTemplate control;
  control.id = id;
  control.kind = kind;
  control.text = std::move(text);
  control.rect = rect;
  control.style = style;
  return control;
}

}  // namespace

ControlTemplate StaticText(int id, std::string text, DialogRect rect, unsigned style) {
  return Make(id, ControlKind::kStatic, std::move(text), rect, style);
}

ControlTemplate Bitmap(int id, int resource, DialogRect rect, unsigned style) {
  ControlTemplate control = Make(id, ControlKind::kBitmap, {}, rect, style);
  control.resource = resource;
  return control;
}

ControlTemplate Icon(int id, int resource, DialogRect rect, unsigned style) {
  ControlTemplate control = Make(id, ControlKind::kIcon, {}, rect, style);
  control.resource = resource;
  return control;
}

ControlTemplate EtchedLine(int id, DialogRect rect, unsigned style) {
  return Make(id, ControlKind::kEtchedLine, {}, rect, style);
}

ControlTemplate Edit(int id, DialogRect rect, unsigned style, int limit) {
  ControlTemplate control = Make(id, ControlKind::kEdit, {}, rect, style);
  control.limit = limit;
  return control;
}

ControlTemplate CheckBox(int id, std::string text, DialogRect rect, unsigned style) {
  return Make(id, ControlKind::kCheckBox, std::move(text), rect, style);
}

ControlTemplate RadioButton(int id, std::string text, DialogRect rect, unsigned style) {
  return Make(id, ControlKind::kRadioButton, std::move(text), rect, style);
}

ControlTemplate GroupBox(int id, std::string text, DialogRect rect, unsigned style) {
  return Make(id, ControlKind::kGroupBox, std::move(text), rect, style);
}

ControlTemplate PushButton(int id, std::string text, DialogRect rect, unsigned style) {
  return Make(id, ControlKind::kPushButton, std::move(text), rect, style);
}

ControlTemplate ComboBox(int id, DialogRect rect, unsigned style) {
  return Make(id, ControlKind::kComboBox, {}, rect, style);
}

ControlTemplate ListBox(int id, DialogRect rect, unsigned style) {
  return Make(id, ControlKind::kListBox, {}, rect, style);
}

ControlTemplate ListView(int id, DialogRect rect, std::vector<ListColumn> columns, unsigned style) {
  ControlTemplate control = Make(id, ControlKind::kListView, {}, rect, style);
  control.columns = std::move(columns);
  return control;
}

}  // namespace pscfg::ui
