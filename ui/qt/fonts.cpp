#include "ui/qt/fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace zonora {
namespace {
constexpr qreal kStep = 0.25;
constexpr qreal kSmallestPointSize = 5.0;
}  // namespace

QFont formFont(qreal pointSize, bool bold) {
    QFont font = QFontDatabase::hasFamily(kFormFontFamily)
                     ? QFont(kFormFontFamily)
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

QFont fittingFont(QFont font, const QString& text, QSize space) {
    while (!fitsInside(font, text, space) && font.pointSizeF() - kStep >= kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - kStep);
    }
    return font;
}

}  // namespace zonora
