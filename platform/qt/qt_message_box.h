#pragma once

#include <QMessageBox>

#include "platform/message_box.h"

class QWidget;

namespace zonora {

// The box itself: no icon, and a Yes/No question that neither Escape nor the
// close button can dismiss.
class AnswerRequiredBox : public QMessageBox {
  public:
    AnswerRequiredBox(const Message& message, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool mustAnswer_;
};

// Modal message boxes over the given window (or none).
class QtMessageBox : public MessageBox {
  public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    Answer show(const Message& message) override;

  private:
    QWidget* parent_;
};

}  // namespace zonora
