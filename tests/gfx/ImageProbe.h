#pragma once

#include <QImage>
#include <QRect>

// Reading back what was drawn into an image.

inline QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  return image;
}

// Bounding box of every pixel that differs from the background colour.
inline QRect InkBounds(const QImage& image, QRgb background = qRgb(255, 255, 255)) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background) box |= QRect(x, y, 1, 1);
  return box;
}

inline bool SameColor(QRgb a, QRgb b, int tolerance = 2) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}
