#include "tests/support/modal_script.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <stdexcept>

namespace zonora::test {
namespace {
constexpr int kPollMilliseconds = 10;
constexpr qint64 kGiveUpMilliseconds = 20000;
}  // namespace

ModalScript::ModalScript() {
    clock_.start();
    timer_.setInterval(kPollMilliseconds);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

ModalScript::~ModalScript() { timer_.stop(); }

ModalScript& ModalScript::then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

void ModalScript::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (clock_.hasExpired(kGiveUpMilliseconds)) {
        // A step that never came: close what is open so that the test ends
        // and reports the steps left over, rather than hanging.
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        return;
    }
    if (steps_.empty()) return;
    if (modal == nullptr || !modal->isVisible() || modal == last_.data()) return;
    last_ = modal;
    // Run from the event queue, not from the timer: a step that opens another
    // modal window waits in its loop, where the timer must go on polling.
    QTimer::singleShot(0, modal, [step = std::move(steps_.front()), modal] { step(modal); });
    steps_.pop_front();
}

void typeIntoFileDialog(QWidget* dialog, const QString& text) {
    auto* edit = child<QLineEdit>(dialog, "fileNameEdit");
    // As a user would: the name field has the focus, so the dialog drops a
    // file still selected in its list. Set rather than typed, so that no
    // completion pop-up takes the Return.
    QApplication::setActiveWindow(dialog);
    edit->setFocus();
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void pressBoxButton(QWidget* box, int standardButton) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    QAbstractButton* button =
        messageBox == nullptr
            ? nullptr
            : messageBox->button(static_cast<QMessageBox::StandardButton>(standardButton));
    if (button == nullptr) {
        ADD_FAILURE() << "expected a message box with button " << standardButton;
        if (auto* dialog = qobject_cast<QDialog*>(box)) dialog->done(QDialog::Rejected);
        return;
    }
    button->click();
}

QString boxText(QWidget* box) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    if (messageBox == nullptr) {
        ADD_FAILURE() << "expected a message box, got " << box->metaObject()->className();
        return {};
    }
    return messageBox->text();
}

}  // namespace zonora::test
