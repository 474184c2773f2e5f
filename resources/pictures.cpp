#include "resources/pictures.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pscfg::resources {
namespace {

QImage Canvas(const QColor& background) {
  QImage image(kPictureSize, kPictureSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(background);
  return image;
}

void Tile(QPainter& painter, const QColor& top, const QColor& bottom) {
  QLinearGradient gradient(0, 0, kPictureSize, kPictureSize);
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter.setPen(Qt::NoPen);
  painter.setBrush(gradient);
  painter.drawRoundedRect(QRectF(0.5, 0.5, kPictureSize - 1, kPictureSize - 1), 6, 6);
}

}  // namespace

QImage ProgramIcon() {
  QImage image = Canvas(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  Tile(painter, QColor(72, 176, 120), QColor(24, 110, 72));
  painter.setPen(Qt::NoPen);
  // Paper, printer body, output slot.
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(10, 4, 12, 9));
  painter.setBrush(QColor(240, 244, 242));
  painter.drawRoundedRect(QRectF(5, 11, 22, 10), 2.5, 2.5);
  painter.setBrush(QColor(50, 64, 60));
  painter.drawRect(QRectF(9, 18, 14, 1.5));
  painter.setBrush(QColor(255, 196, 60));
  painter.drawEllipse(QPointF(23.5, 14.5), 1.5, 1.5);
  // The network cable leaving the printer.
  QPen cable(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(cable);
  painter.setBrush(Qt::NoBrush);
  QPainterPath path(QPointF(16, 21));
  path.lineTo(16, 25);
  path.lineTo(8, 25);
  path.lineTo(8, 28);
  painter.drawPath(path);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(5, 27, 6, 3));
  painter.end();
  return image;
}

QImage HeaderPicture() {
  QImage image = Canvas(QColor(240, 240, 240));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  Tile(painter, QColor(120, 132, 150), QColor(58, 66, 82));
  painter.setPen(Qt::NoPen);
  // The box, seen from the front, with five port lights and a jack.
  painter.setBrush(QColor(226, 230, 236));
  painter.drawRoundedRect(QRectF(4, 9, 24, 14), 2, 2);
  painter.setBrush(QColor(190, 196, 206));
  painter.drawRect(QRectF(4, 19, 24, 4));
  const QColor lights[] = {QColor(70, 200, 90), QColor(70, 200, 90), QColor(70, 200, 90),
                           QColor(255, 176, 40), QColor(255, 176, 40)};
  for (int i = 0; i < 5; ++i) {
    painter.setBrush(lights[i]);
    painter.drawEllipse(QPointF(8 + i * 3.2, 13.5), 1.1, 1.1);
  }
  painter.setBrush(QColor(40, 48, 60));
  painter.drawRect(QRectF(22, 12, 4, 4));
  // Its feet.
  painter.setBrush(QColor(40, 48, 60));
  painter.drawRect(QRectF(7, 23, 4, 2));
  painter.drawRect(QRectF(21, 23, 4, 2));
  painter.end();
  return image;
}

}  // namespace pscfg::resources
