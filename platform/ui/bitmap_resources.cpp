#include "platform/ui/bitmap_resources.h"

#include <QColor>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <map>

#include "platform/ui/qt_text.h"

namespace pscfg::ui {
namespace {

// QImage, not QPixmap: the registry may outlive the application object.
std::map<int, QImage>& Registry() {
  static std::map<int, QImage> pictures;
  return pictures;
}

}  // namespace

void RegisterBitmapResource(int resource, const QImage& picture) { Registry()[resource] = picture; }

QPixmap BitmapResource(int resource, QSize fallback_size) {
  const auto found = Registry().find(resource);
  if (found != Registry().end() && !found->second.isNull()) {
    return QPixmap::fromImage(found->second);
  }
  return BuiltInPicture(fallback_size);
}

QPixmap BuiltInPicture(QSize size) {
  const QSize picture_size = size.isValid() && !size.isEmpty() ? size : QSize(32, 32);
  QImage image(picture_size, QImage::Format_RGB32);
  image.fill(QColor(0, 64, 128));
  QPainter painter(&image);
  const int w = picture_size.width();
  const int h = picture_size.height();
  // A printer: paper above a body with a paper slot.
  painter.fillRect(QRect(w * 3 / 10, h / 8, w * 2 / 5, h * 3 / 8), Qt::white);
  painter.fillRect(QRect(w / 8, h * 3 / 8, w * 3 / 4, h * 3 / 8), QColor(192, 192, 192));
  painter.fillRect(QRect(w / 4, h * 5 / 8, w / 2, std::max(1, h / 16)), QColor(64, 64, 64));
  painter.end();
  return QPixmap::fromImage(image);
}

bool LoadBitmapFile(const std::string& path, QPixmap* picture) {
  const QFileInfo file(ToQString(path));
  if (!file.isFile() || !file.isReadable()) return false;
  QImageReader reader(ToQString(path), "BMP");
  reader.setAutoDetectImageFormat(false);  // a bitmap, whatever else Qt could read
  const QImage image = reader.read();
  if (image.isNull()) return false;
  *picture = QPixmap::fromImage(image);
  return true;
}

}  // namespace pscfg::ui
