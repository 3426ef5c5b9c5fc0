#include "tests/ui/modal_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <stdexcept>

namespace zonora::test {
namespace {
constexpr int kPollMilliseconds = 10;
}

ModalScript::ModalScript() {
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
    if (steps_.empty()) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal == last_.data()) return;
    last_ = modal;
    // Run from the event queue, not from the timer: a step that opens another
    // modal window waits in its loop, where the timer must go on polling.
    QTimer::singleShot(0, modal, [step = std::move(steps_.front()), modal] { step(modal); });
    steps_.pop_front();
}

void typeIntoFileDialog(QWidget* dialog, const QString& text) {
    auto* edit = child<QLineEdit>(dialog, "fileNameEdit");
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void pressBoxButton(QWidget* box, int standardButton) {
    auto* messageBox = qobject_cast<QMessageBox*>(box);
    if (messageBox == nullptr) throw std::logic_error("not a message box");
    messageBox->button(static_cast<QMessageBox::StandardButton>(standardButton))->click();
}

}  // namespace zonora::test
