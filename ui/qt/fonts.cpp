#include "ui/qt/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace zonora {

QFont formFont(qreal pointSize, bool bold) {
    QFont font = QFontDatabase::hasFamily(layout::kFontFace)
                     ? QFont(layout::kFontFace)
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

bool fitsInside(const QFont& font, const QString& text, QSize space) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(text) <= space.width() && metrics.height() <= space.height();
}

QFont fittingFont(const layout::Control& control, const QString& caption, QSize size) {
    const layout::Room room =
        layout::captionRoom(control.kind, size.width(), size.height(), layout::kDesignDpi);
    QFont font = formFont(control.font.points, control.font.bold);
    font.setPointSizeF(layout::fittingPoints(control.font.points, [&](double points) {
        font.setPointSizeF(points);
        return fitsInside(font, caption, QSize(room.width, room.height));
    }));
    return font;
}

}  // namespace zonora
