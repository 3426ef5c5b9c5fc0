#include "ui/qt/shape.h"

#include <QPainter>

namespace zonora {

Shape::Shape(const QColor& fill, int borderWidth, QWidget* parent)
    : QWidget(parent), fill_(fill), borderWidth_(borderWidth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::WindowText));
    painter.fillRect(rect().adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_),
                     fill_);
}

}  // namespace zonora
