#include "platform/ui/dialog_units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>

namespace pscfg::ui {
namespace {

constexpr int kDialogPointSize = 9;

// a * b / c rounded half away from zero.
int MulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

QFont DialogFont() {
  for (const char* family : {"Noto Sans CJK TC", "DejaVu Sans"}) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
      return QFont(QString::fromLatin1(family), kDialogPointSize);
    }
  }
  QFont font = QGuiApplication::font();
  font.setPointSize(kDialogPointSize);
  return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, metrics.height()};
}

DialogBaseUnits CurrentBaseUnits() {
  static const DialogBaseUnits units = BaseUnitsOf(DialogFont());
  return units;
}

int DialogUnitsToPixelsX(int x, DialogBaseUnits units) { return MulDiv(x, units.x, 4); }

int DialogUnitsToPixelsY(int y, DialogBaseUnits units) { return MulDiv(y, units.y, 8); }

QRect DialogUnitsToPixels(const DialogRect& rect, DialogBaseUnits units) {
  return QRect(DialogUnitsToPixelsX(rect.x, units), DialogUnitsToPixelsY(rect.y, units),
               DialogUnitsToPixelsX(rect.cx, units), DialogUnitsToPixelsY(rect.cy, units));
}

}  // namespace pscfg::ui
