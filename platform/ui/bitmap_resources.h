#pragma once
// Pictures of bitmap and icon statics.
//
// A template names its picture by resource number. The program registers the
// pictures it has; a number nobody registered shows the built-in picture, a
// small generated printer drawing, so a dialog never shows a hole.

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <string>

namespace pscfg::ui {

void RegisterBitmapResource(int resource, const QImage& picture);

// The registered picture, or the built-in one of `fallback_size`.
QPixmap BitmapResource(int resource, QSize fallback_size);

QPixmap BuiltInPicture(QSize size);

// Loads a Windows bitmap file (".bmp"). False, and *picture unchanged, when
// the file is missing or is no readable bitmap.
bool LoadBitmapFile(const std::string& path, QPixmap* picture);

}  // namespace pscfg::ui
