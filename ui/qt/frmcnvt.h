#pragma once

#include <QWidget>

#include "ui/form_controls.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zonora {

class FormHandlers;
class Shape;

// The program's one window. It lays out the controls and forwards their
// events to the handlers; the fields and the direction are its state.
class frmcnvt : public QWidget, public FormControls {
    Q_OBJECT
  public:
    explicit frmcnvt(QWidget* parent = nullptr);

    // Connects every control's event to its handler. Called once.
    void forwardTo(FormHandlers& handlers);

    std::string mapPath() const override;
    std::string pdbPath() const override;
    void clearMap() override;
    void clearPdb() override;
    void setMap(const std::string& path) override;
    void setPdb(const std::string& path) override;
    bool mapToPdbSelected() const override;
    bool pdbToMapSelected() const override;

  private:
    void createControls();
    void orderTabs();

    Shape* Shape2_ = nullptr;
    Shape* Shape1_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLabel* Label3_ = nullptr;
    QLabel* Label4_ = nullptr;
    QLineEdit* tbm_ = nullptr;
    QPushButton* Cmdbrm_ = nullptr;
    QPushButton* cmdbrp_ = nullptr;
    QLineEdit* tbp_ = nullptr;
    QPushButton* cmdcvt_ = nullptr;
    QPushButton* Cmdexit_ = nullptr;
    QGroupBox* Frd_ = nullptr;
    QLabel* Label5_ = nullptr;
    QLabel* Label6_ = nullptr;
    QRadioButton* Optm2p_ = nullptr;
    QRadioButton* Optp2m_ = nullptr;
};

inline constexpr const char* kWindowCaption = "MAP / PDB conversion";
inline constexpr int kClientWidthTwips = 5760;
inline constexpr int kClientHeightTwips = 3732;

}  // namespace zonora
