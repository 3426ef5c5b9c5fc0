#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace zonora {

inline constexpr const char* kFormFontFamily = "MS Sans Serif";

// MS Sans Serif where it is installed, the platform's ordinary sans-serif
// face otherwise.
QFont formFont(qreal pointSize, bool bold = false);

// The font, made smaller in quarter points when needed, in which text fits
// whole on one line inside space. A replacement face is wider than the one
// the window was drawn with.
QFont fittingFont(QFont font, const QString& text, QSize space);

bool fitsInside(const QFont& font, const QString& text, QSize space);

}  // namespace zonora
