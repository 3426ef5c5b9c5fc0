#include "ui/qt/icon.h"

#include "ui/icon_pixels.h"

namespace zonora {

QImage drawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const IconColour colour = iconPixel(size, x, y);
            if (colour == IconColour::Transparent) continue;
            const Rgb& rgb = kVgaPalette[static_cast<std::size_t>(colour)];
            image.setPixelColor(x, y, QColor(rgb.red, rgb.green, rgb.blue));
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
