#include "platform/qt/qt_message_box.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace zonora {

AnswerRequiredBox::AnswerRequiredBox(const Message& message, QWidget* parent)
    : QMessageBox(parent), mustAnswer_(message.buttons == Buttons::YesNo) {
    setIcon(QMessageBox::NoIcon);
    setWindowTitle(QString::fromStdString(message.title));
    setTextFormat(Qt::PlainText);
    // The carriage return of the report starts a new line.
    QString text = QString::fromStdString(message.prompt);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    setText(text);
    setWindowModality(Qt::ApplicationModal);
    if (mustAnswer_) {
        setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        setDefaultButton(message.defaultButton == DefaultButton::Second ? QMessageBox::No
                                                                        : QMessageBox::Yes);
        setWindowFlag(Qt::WindowCloseButtonHint, false);
    } else {
        setStandardButtons(QMessageBox::Ok);
        setDefaultButton(QMessageBox::Ok);
    }
}

void AnswerRequiredBox::keyPressEvent(QKeyEvent* event) {
    if (mustAnswer_ && event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

void AnswerRequiredBox::closeEvent(QCloseEvent* event) {
    if (mustAnswer_) {
        event->ignore();
        return;
    }
    QMessageBox::closeEvent(event);
}

Answer QtMessageBox::show(const Message& message) {
    AnswerRequiredBox box(message, parent_);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (message.buttons == Buttons::Ok) return Answer::Ok;
    return clicked == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

}  // namespace zonora
