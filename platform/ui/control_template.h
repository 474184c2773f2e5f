#pragma once
// One control of a dialog template: what it is, where it sits, what it says.

#include <string>
#include <vector>

#include "platform/ui/dialog_rect.h"
#include "platform/ui/ids.h"

namespace pscfg::ui {

enum class ControlKind {
  kStatic,       // a text label
  kBitmap,       // a picture, sized by the picture (it grows or shrinks to it)
  kIcon,         // a picture drawn at the system icon size, 32 x 32 pixels
  kEtchedLine,   // a sunken one-pixel line (horizontal unless taller than wide)
  kEdit,         // a single-line edit
  kCheckBox,     // an automatic check box
  kRadioButton,  // an automatic radio button; see ControlSet for groups
  kGroupBox,     // a frame with a caption around other controls
  kPushButton,
  kComboBox,  // a drop-down list, or a drop-down with an edit (style::kEditable)
  kListBox,
  kListView,  // a list in report style: rows of columns under a header
};

// Style bits of a control.
namespace style {
inline constexpr unsigned kNone = 0;
inline constexpr unsigned kDisabled = 1u << 0;
inline constexpr unsigned kHidden = 1u << 1;
// Starts a group: a radio button with it opens a new radio group, any other
// control with it closes the open one.
inline constexpr unsigned kGroup = 1u << 2;
inline constexpr unsigned kUppercase = 1u << 3;    // edit: typed letters become capitals
inline constexpr unsigned kPassword = 1u << 4;     // edit: shows bullets
inline constexpr unsigned kReadOnly = 1u << 5;     // edit: can be read and selected, not typed in
inline constexpr unsigned kSorted = 1u << 6;       // list box, combo box: added strings are sorted
inline constexpr unsigned kAlignRight = 1u << 7;   // static, edit
inline constexpr unsigned kAlignCenter = 1u << 8;  // static, edit
inline constexpr unsigned kDefaultButton = 1u << 9;  // push button pressed by Enter
inline constexpr unsigned kEditable = 1u << 10;      // combo box with an edit of its own
inline constexpr unsigned kBorder = 1u << 11;        // static: a sunken frame around it
}  // namespace style

enum class ColumnAlign { kLeft, kRight, kCenter };

// A column of a list view; the width is in pixels, as the programs give it.
struct ListColumn {
  std::string text;
  int width = 0;
  ColumnAlign align = ColumnAlign::kLeft;
};

struct ControlTemplate {
  int id = kIdStatic;
  ControlKind kind = ControlKind::kStatic;
  std::string text;  // caption; empty for edits, lists and pictures
  DialogRect rect;
  unsigned style = style::kNone;
  int limit = 0;     // edit: most characters (ANSI count, see ansi_length.h); 0 = none
  int resource = 0;  // bitmap, icon: picture resource (see bitmap_resources.h)
  std::vector<ListColumn> columns;  // list view
};

// Shorthands for templates written as data.
ControlTemplate StaticText(int id, std::string text, DialogRect rect, unsigned style = 0);
ControlTemplate Bitmap(int id, int resource, DialogRect rect, unsigned style = 0);
ControlTemplate Icon(int id, int resource, DialogRect rect, unsigned style = 0);
ControlTemplate EtchedLine(int id, DialogRect rect, unsigned style = 0);
ControlTemplate Edit(int id, DialogRect rect, unsigned style = 0, int limit = 0);
ControlTemplate CheckBox(int id, std::string text, DialogRect rect, unsigned style = 0);
ControlTemplate RadioButton(int id, std::string text, DialogRect rect, unsigned style = 0);
ControlTemplate GroupBox(int id, std::string text, DialogRect rect, unsigned style = 0);
ControlTemplate PushButton(int id, std::string text, DialogRect rect, unsigned style = 0);
ControlTemplate ComboBox(int id, DialogRect rect, unsigned style = 0);
ControlTemplate ListBox(int id, DialogRect rect, unsigned style = 0);
ControlTemplate ListView(int id, DialogRect rect, std::vector<ListColumn> columns = {},
                         unsigned style = 0);

}  // namespace pscfg::ui
