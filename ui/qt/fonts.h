#pragma once

#include <QFont>
#include <QSize>
#include <QString>

#include "ui/form_layout.h"

namespace zonora {

// The window's face where it is installed, the platform's ordinary
// sans-serif face otherwise.
QFont formFont(qreal pointSize, bool bold = false);

// The control's font at the size at which its caption fits its room (the
// window's rule, in ui/form_layout.h), for a control of the given size.
QFont fittingFont(const layout::Control& control, const QString& caption, QSize size);

bool fitsInside(const QFont& font, const QString& text, QSize space);

}  // namespace zonora
