#include "ui/qt/frmcnvt.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <limits>

#include "ui/form_handlers.h"
#include "ui/qt/fonts.h"
#include "ui/qt/icon.h"
#include "ui/qt/option_button.h"
#include "ui/qt/shape.h"
#include "ui/qt/twips.h"

namespace zonora {
namespace {

constexpr qreal kDefaultPoints = 8.0;
constexpr qreal kExitPoints = 12.0;
constexpr qreal kConvertPoints = 13.8;
constexpr qreal kTitlePoints = 18.0;
constexpr int kShapeBorder = 2;
constexpr int kGroupTitleMargin = 8;  // kept clear on each side of the frame's caption
const QColor kPanelFill(192, 192, 192);
const QColor kCaptionYellow(255, 255, 128);
const QColor kTitleGrey(224, 224, 224);

template <typename Widget>
Widget* place(Widget* widget, const char* name, const TwipRect& twips) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(toPixels(twips));
    return widget;
}

QSize buttonTextSpace(const QPushButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).size();
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, const TwipRect& twips,
                  qreal points = kDefaultPoints) {
    auto* label = place(new QLabel(QString::fromLatin1(caption), parent), name, twips);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(fittingFont(formFont(points), label->text(), label->contentsRect().size()));
    return label;
}

void setColours(QLabel* label, const QColor& background, const QColor& text) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption,
                        const TwipRect& twips, const QFont& font) {
    auto* button = place(new QPushButton(QString::fromLatin1(caption), parent), name, twips);
    button->setFont(fittingFont(font, button->text(), buttonTextSpace(button)));
    return button;
}

QLineEdit* makePathField(QWidget* parent, const char* name, const TwipRect& twips) {
    auto* field = place(new QLineEdit(parent), name, twips);
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setFont(formFont(kDefaultPoints));
    return field;
}

// Just the round button; the label beside it is its caption.
QRadioButton* makeOption(QWidget* parent, const char* name, const TwipRect& twips) {
    return place(new OptionButton(parent), name, twips);
}

}  // namespace

frmcnvt::frmcnvt(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmcnvt"));
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    setWindowIcon(programIcon());
    setFont(formFont(kDefaultPoints));
    resize(toPixels(kClientWidthTwips, kClientHeightTwips));
    createControls();
    orderTabs();
}

// Each control is created above the ones before it, so creation runs from the
// bottom of the stacking order to the top.
void frmcnvt::createControls() {
    Shape2_ = place(new Shape(kPanelFill, kShapeBorder, this), "Shape2", {144, 1836, 5412, 912});
    Shape1_ = place(new Shape(kPanelFill, kShapeBorder, this), "Shape1", {144, 792, 5412, 876});

    Label1_ = makeLabel(this, "Label1", "Map file to convert/create", {360, 900, 2136, 228});
    setColours(Label1_, kCaptionYellow, palette().color(QPalette::WindowText));
    Label2_ = makeLabel(this, "Label2", "Druma Zonora", {936, 36, 4044, 516}, kTitlePoints);
    setColours(Label2_, kTitleGrey, Qt::black);
    Label3_ = makeLabel(this, "Label3", "Palm File to convert/create", {360, 1980, 2172, 228});
    setColours(Label3_, kCaptionYellow, palette().color(QPalette::WindowText));
    Label4_ = makeLabel(this, "Label4", "ver 1.3", {5076, 360, 552, 192});

    tbm_ = makePathField(this, "tbm", {288, 1224, 5088, 264});
    Cmdbrm_ = makeButton(this, "Cmdbrm", "Select Tesk Map file", {3132, 864, 2244, 264},
                         formFont(kDefaultPoints));
    cmdbrp_ = makeButton(this, "cmdbrp", "Select Druma PDB file", {3132, 1944, 2244, 264},
                         formFont(kDefaultPoints));
    tbp_ = makePathField(this, "tbp", {324, 2304, 5088, 264});
    cmdcvt_ = makeButton(this, "cmdcvt", "Convert", {2340, 2952, 1956, 444},
                         formFont(kConvertPoints, true));
    Cmdexit_ = makeButton(this, "Cmdexit", "Exit", {4608, 2952, 804, 444}, formFont(kExitPoints));

    Frd_ = place(new QGroupBox(QStringLiteral("Direction"), this), "Frd", {396, 2808, 1560, 876});
    Frd_->setFont(fittingFont(formFont(kDefaultPoints), Frd_->title(),
                              QSize(Frd_->width() - 2 * kGroupTitleMargin, Frd_->height() / 2)));
    const QColor windowColour = palette().color(QPalette::Base);
    const QColor windowText = palette().color(QPalette::Text);
    Label5_ = makeLabel(Frd_, "Label5", "Map to PDB", {360, 252, 1092, 228});
    setColours(Label5_, windowColour, windowText);
    Label6_ = makeLabel(Frd_, "Label6", "PDB to Map", {360, 540, 1092, 228});
    setColours(Label6_, windowColour, windowText);
    Optm2p_ = makeOption(Frd_, "Optm2p", {144, 252, 192, 192});
    Optp2m_ = makeOption(Frd_, "Optp2m", {144, 540, 192, 192});
    // The captions are separate labels; screen readers still name the buttons.
    Optm2p_->setAccessibleName(Label5_->text());
    Optp2m_->setAccessibleName(Label6_->text());
}

void frmcnvt::orderTabs() {
    QWidget* const order[] = {tbm_, Cmdbrm_, cmdbrp_, cmdcvt_, Cmdexit_, tbp_, Optm2p_, Optp2m_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

void frmcnvt::forwardTo(FormHandlers& handlers) {
    connect(Cmdbrm_, &QPushButton::clicked, this, [&handlers] { handlers.Cmdbrm_Click(); });
    connect(cmdbrp_, &QPushButton::clicked, this, [&handlers] { handlers.cmdbrp_Click(); });
    connect(cmdcvt_, &QPushButton::clicked, this, [&handlers] { handlers.cmdcvt_Click(); });
    connect(Cmdexit_, &QPushButton::clicked, this, [&handlers] { handlers.Cmdexit_Click(); });
    // Selected by mouse or keyboard alike.
    connect(Optm2p_, &QRadioButton::toggled, this, [&handlers](bool selected) {
        if (selected) handlers.Optm2p_Click();
    });
    connect(Optp2m_, &QRadioButton::toggled, this, [&handlers](bool selected) {
        if (selected) handlers.Optp2m_Click();
    });
}

std::string frmcnvt::mapPath() const { return tbm_->text().toStdString(); }
std::string frmcnvt::pdbPath() const { return tbp_->text().toStdString(); }
void frmcnvt::clearMap() { tbm_->clear(); }
void frmcnvt::clearPdb() { tbp_->clear(); }
void frmcnvt::setMap(const std::string& path) { tbm_->setText(QString::fromStdString(path)); }
void frmcnvt::setPdb(const std::string& path) { tbp_->setText(QString::fromStdString(path)); }
bool frmcnvt::mapToPdbSelected() const { return Optm2p_->isChecked(); }
bool frmcnvt::pdbToMapSelected() const { return Optp2m_->isChecked(); }

}  // namespace zonora
