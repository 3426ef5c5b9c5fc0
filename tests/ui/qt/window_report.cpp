// Loaded into the real program ahead of it: once its window is up, prints
// the direction chosen and the two path fields, and ends the program. A test
// then sees how the program itself started its window.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <cstdio>

namespace {

void reportTheWindow() {
    QTimer::singleShot(0, [] {
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            const auto* optm2p = window->findChild<QAbstractButton*>("Optm2p");
            const auto* optp2m = window->findChild<QAbstractButton*>("Optp2m");
            const auto* tbm = window->findChild<QLineEdit*>("tbm");
            const auto* tbp = window->findChild<QLineEdit*>("tbp");
            if (!optm2p || !optp2m || !tbm || !tbp) continue;
            std::printf("%d %d\n%s\n%s\n", optm2p->isChecked(), optp2m->isChecked(),
                        tbm->text().toStdString().c_str(), tbp->text().toStdString().c_str());
        }
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(reportTheWindow)
