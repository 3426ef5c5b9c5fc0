#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

namespace zonora::test {

// Answers the modal windows a click opens, in order, from inside their own
// event loops: each step runs once on the next modal window that is not the
// one the previous step ran on.
class ModalScript {
  public:
    using Step = std::function<void(QWidget*)>;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& then(Step step);
    bool finished() const { return steps_.empty(); }
    std::size_t pending() const { return steps_.size(); }

  private:
    void poll();

    QTimer timer_;
    QElapsedTimer clock_;
    std::deque<Step> steps_;
    QPointer<QWidget> last_;
};

// Finds a child by object name, failing the test when it is not there.
template <typename T>
T* child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) throw std::logic_error(std::string("no child ") + name);
    return found;
}

// Types text into the file dialog's name field and presses Return.
void typeIntoFileDialog(QWidget* dialog, const QString& text);

// Clicks one of the message box's standard buttons.
void pressBoxButton(QWidget* box, int standardButton);

// The message box's text; a failure when it is not a message box.
QString boxText(QWidget* box);

}  // namespace zonora::test
