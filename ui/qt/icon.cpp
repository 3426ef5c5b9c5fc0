#include "ui/qt/icon.h"

#include <cmath>

namespace zonora {
namespace {
const QColor kLightGrey(192, 192, 192);
const QColor kDarkGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);
constexpr int kStripDivisor = 8;  // the strip is an eighth of the icon wide
}  // namespace

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const double half = size / 2.0;
    const int strip = std::max(1, size / kStripDivisor);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            // Pixel centres inside the triangle (0,0), (0,size), (size,size/2).
            const double cx = x + 0.5;
            const double cy = y + 0.5;
            if (std::abs(cy - half) > half * (1.0 - cx / size)) continue;
            const QColor colour = x < strip ? kDarkGrey : (cy < half ? kLightGrey : kBlack);
            image.setPixelColor(x, y, colour);
        }
    }
    return image;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32}) icon.addPixmap(QPixmap::fromImage(drawIcon(size)));
    return icon;
}

}  // namespace zonora
