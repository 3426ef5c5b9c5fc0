#pragma once

// frmcnvt and its control names (tbm, Cmdbrm, Optm2p, ...) are those of the
// original form, kept on purpose; see "Names" in the README.

#include <QWidget>

#include "ui/form_controls.h"

class QDragEnterEvent;
class QDropEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zonora {

class FormHandlers;

// The program's one window, built from the shared control table. It lays out
// the controls and forwards their events to the handlers; the fields and the
// direction are its state.
class frmcnvt : public QWidget, public FormControls {
    Q_OBJECT
  public:
    explicit frmcnvt(QWidget* parent = nullptr);

    // Connects every control's event to its handler. Called once.
    void forwardTo(FormHandlers& handlers);

    std::string text(Field field) const override;
    void setText(Field field, const std::string& text) override;
    bool isSelected(Direction direction) const override;
    void select(Direction direction) override;

  protected:
    // One local file dropped anywhere on the window, the fields included.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void orderTabs();
    QLineEdit* field(Field which) const { return which == Field::Map ? tbm_ : tbp_; }
    QRadioButton* option(Direction which) const {
        return which == Direction::MapToPdb ? Optm2p_ : Optp2m_;
    }

    FormHandlers* handlers_ = nullptr;
    QLineEdit* tbm_ = nullptr;
    QPushButton* Cmdbrm_ = nullptr;
    QPushButton* cmdbrp_ = nullptr;
    QLineEdit* tbp_ = nullptr;
    QPushButton* cmdcvt_ = nullptr;
    QPushButton* Cmdexit_ = nullptr;
    QRadioButton* Optm2p_ = nullptr;
    QRadioButton* Optp2m_ = nullptr;
};

}  // namespace zonora
