#include "platform/ui/dialog_units.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QWidget>
#include <memory>
#include <ostream>

#include "platform/ui/bitmap_resources.h"
#include "platform/ui/cdialog.h"
#include "platform/ui/control_factory.h"
#include "platform/ui/control_set.h"
#include "platform/ui/dialog_template.h"

namespace pscfg::ui {
namespace {

// Base units of the programs' own platform font at 96 dpi, and a larger one.
constexpr DialogBaseUnits kSmall{6, 13};
constexpr DialogBaseUnits kLarge{7, 17};

struct ConversionRow {
  DialogBaseUnits units;
  DialogRect rect;
  QRect pixels;
};

std::ostream& operator<<(std::ostream& out, const ConversionRow& row) {
  return out << "units " << row.units.x << "x" << row.units.y << " rect (" << row.rect.x << ","
             << row.rect.y << "," << row.rect.cx << "," << row.rect.cy << ")";
}

class DialogUnitsConversion : public ::testing::TestWithParam<ConversionRow> {};

TEST_P(DialogUnitsConversion, ConvertsEachValueAndRoundsHalvesAwayFromZero) {
  const ConversionRow& row = GetParam();
  EXPECT_EQ(DialogUnitsToPixels(row.rect, row.units), row.pixels);
}

INSTANTIATE_TEST_SUITE_P(Rows, DialogUnitsConversion,
                         ::testing::Values(
                             // 240 x 230: the page size.
                             ConversionRow{kSmall, {0, 0, 240, 230}, QRect(0, 0, 360, 374)},
                             // 20 * 13 / 8 = 32.5 -> 33; 14 * 13 / 8 = 22.75 -> 23.
                             ConversionRow{kSmall, {10, 20, 50, 14}, QRect(15, 33, 75, 23)},
                             // 1 * 6 / 4 = 1.5 -> 2; 1 * 13 / 8 = 1.625 -> 2.
                             ConversionRow{kSmall, {1, 1, 1, 1}, QRect(2, 2, 2, 2)},
                             // -1 * 6 / 4 = -1.5 -> -2.
                             ConversionRow{kSmall, {-1, -4, 4, 8}, QRect(-2, -7, 6, 13)},
                             // 3 * 7 / 4 = 5.25 -> 5; 3 * 17 / 8 = 6.375 -> 6.
                             ConversionRow{kLarge, {1, 1, 3, 3}, QRect(2, 2, 5, 6)},
                             ConversionRow{kLarge, {35, 85, 162, 52}, QRect(61, 181, 284, 111)}));

TEST(DialogFontTest, IsMeasuredOnceAndGivesPositiveBaseUnits) {
  EXPECT_EQ(DialogFont().pointSize(), 9);
  const DialogBaseUnits units = CurrentBaseUnits();
  EXPECT_GT(units.x, 0);
  EXPECT_GT(units.y, 0);
  const DialogBaseUnits measured = BaseUnitsOf(DialogFont());
  EXPECT_EQ(measured.x, units.x);
  EXPECT_EQ(measured.y, units.y);
}

struct PlacementRow {
  ControlTemplate control;
  QRect expected;
};

std::ostream& operator<<(std::ostream& out, const PlacementRow& row) {
  return out << "kind " << static_cast<int>(row.control.kind) << " id " << row.control.id;
}

class ControlPlacement : public ::testing::TestWithParam<PlacementRow> {};

TEST_P(ControlPlacement, TakesTheTemplateRectangleInPixels) {
  QWidget parent;
  DialogTemplate dialog;
  dialog.controls.push_back(GetParam().control);
  ControlSet controls;
  BuildControls(&parent, dialog, kSmall, &controls);
  ASSERT_NE(controls.Widget(GetParam().control.id), nullptr);
  EXPECT_EQ(controls.Widget(GetParam().control.id)->geometry(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ControlPlacement,
    ::testing::Values(
        PlacementRow{StaticText(1, "型號", {8, 40, 40, 8}), QRect(12, 65, 60, 13)},
        PlacementRow{Edit(2, {60, 38, 120, 12}, style::kDisabled, 30), QRect(90, 62, 180, 20)},
        PlacementRow{CheckBox(3, "TCP/IP 支援", {16, 150, 80, 10}), QRect(24, 244, 120, 16)},
        PlacementRow{RadioButton(4, "LPT1", {20, 80, 40, 10}, style::kGroup),
                     QRect(30, 130, 60, 16)},
        PlacementRow{GroupBox(5, "列印伺服器連接埠", {10, 66, 220, 60}), QRect(15, 107, 330, 98)},
        PlacementRow{PushButton(6, "更新", {170, 190, 50, 14}), QRect(255, 309, 75, 23)},
        PlacementRow{ListBox(7, {7, 20, 150, 90}, style::kSorted), QRect(11, 33, 225, 146)},
        PlacementRow{ListView(8, {10, 40, 220, 150}, {{"列印埠", 50}}), QRect(15, 65, 330, 244)},
        PlacementRow{EtchedLine(9, {0, 36, 240, 1}), QRect(0, 59, 360, 2)}));

TEST(ControlPlacementTest, ComboBoxKeepsPositionAndWidthAndIsAsTallAsItsClosedField) {
  QWidget parent;
  DialogTemplate dialog;
  dialog.controls.push_back(ComboBox(1001, {60, 20, 120, 100}));
  ControlSet controls;
  BuildControls(&parent, dialog, kSmall, &controls);
  auto* combo = qobject_cast<QComboBox*>(controls.Widget(1001));
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->geometry().topLeft(), QPoint(90, 33));
  EXPECT_EQ(combo->width(), 180);
  EXPECT_EQ(combo->height(), combo->sizeHint().height());
}

TEST(ControlPlacementTest, PicturesTakeTheSizeOfTheirPicture) {
  QImage registered(40, 30, QImage::Format_RGB32);
  registered.fill(Qt::red);
  RegisterBitmapResource(9001, registered);
  QWidget parent;
  DialogTemplate dialog;
  dialog.controls = {Bitmap(1, 9001, {5, 5, 25, 25}), Bitmap(2, 9002, {5, 5, 25, 25}),
                     Icon(3, 9001, {5, 5, 20, 20})};
  ControlSet controls;
  BuildControls(&parent, dialog, kSmall, &controls);
  // Registered picture: its own size; unregistered: the built-in one drawn
  // at the template size; icon: 32 x 32.
  EXPECT_EQ(controls.Widget(1)->geometry(), QRect(8, 8, 40, 30));
  EXPECT_EQ(controls.Widget(2)->geometry(), QRect(8, 8, 38, 41));
  EXPECT_FALSE(qobject_cast<QLabel*>(controls.Widget(2))->pixmap().isNull());
  EXPECT_EQ(controls.Widget(3)->size(), QSize(32, 32));
}

TEST(ControlPlacementTest, DialogClientAreaIsTheTemplateSizeInTheDialogFont) {
  DialogTemplate about;
  about.caption = "關於";
  about.rect = {0, 0, 240, 60};
  about.controls = {PushButton(kIdOk, "確定", {185, 40, 50, 14}, style::kDefaultButton)};
  CDialog dialog(about);
  ASSERT_TRUE(dialog.Create());
  const DialogBaseUnits units = CurrentBaseUnits();
  EXPECT_EQ(dialog.GetWindow()->size(),
            QSize(DialogUnitsToPixelsX(240, units), DialogUnitsToPixelsY(60, units)));
  EXPECT_EQ(dialog.GetDlgItem(kIdOk)->geometry(), DialogUnitsToPixels({185, 40, 50, 14}, units));
  EXPECT_EQ(dialog.GetDlgItem(kIdOk)->font().family(), DialogFont().family());
}

}  // namespace
}  // namespace pscfg::ui
