#pragma once

#include <QWidget>

namespace zonora {

// A filled rectangle with a border in the window-text colour: the panels
// behind the two path rows.
class Shape : public QWidget {
    Q_OBJECT

  public:
    Shape(const QColor& fill, int borderWidth, QWidget* parent);

    QColor fill() const { return fill_; }
    int borderWidth() const { return borderWidth_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor fill_;
    int borderWidth_;
};

}  // namespace zonora
