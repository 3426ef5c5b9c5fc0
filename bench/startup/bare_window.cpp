// The yardstick: a plain Qt window with as many widgets of the same kinds as
// the program's window, and nothing else.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(384, 249);
    new QWidget(&window);  // the two panels
    new QWidget(&window);
    for (int i = 0; i < 4; ++i) new QLabel(QStringLiteral("label"), &window);
    new QLineEdit(&window);
    new QLineEdit(&window);
    for (int i = 0; i < 4; ++i) new QPushButton(QStringLiteral("button"), &window);
    auto* frame = new QGroupBox(QStringLiteral("frame"), &window);
    new QLabel(QStringLiteral("label"), frame);
    new QLabel(QStringLiteral("label"), frame);
    new QRadioButton(frame);
    new QRadioButton(frame);
    window.show();
    return QApplication::exec();
}
