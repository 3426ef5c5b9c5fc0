#include "ui/qt/frmcnvt.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <limits>
#include <optional>

#include "ui/form_handlers.h"
#include "ui/form_layout.h"
#include "ui/qt/fonts.h"
#include "ui/qt/icon.h"
#include "ui/qt/option_button.h"
#include "ui/qt/shape.h"

namespace zonora {
namespace {

using layout::Colour;
using layout::Control;
using layout::Kind;

// Qt scales the window's logical pixels to the screen from the design's dpi.
QRect pixelsOf(const Control& control) {
    const layout::Pixels p = layout::pixelsOf(control.twips, layout::kDesignDpi);
    return {p.left, p.top, p.width, p.height};
}

QFont fontOf(const Control& control) { return formFont(control.font.points, control.font.bold); }

// On the system window colour (Qt's Base) the system text colour is Qt's Text.
QColor colourOf(const Colour& colour, const QPalette& palette, QPalette::ColorRole fallback) {
    switch (colour.source) {
        case Colour::Source::Rgb:
            return {colour.red, colour.green, colour.blue};
        case Colour::Source::Window:
            return palette.color(QPalette::Base);
        case Colour::Source::WindowText:
            return palette.color(QPalette::Text);
        case Colour::Source::Default:
            break;
    }
    return palette.color(fallback);
}

QWidget* makeLabel(QWidget* parent, const Control& control) {
    auto* label = new QLabel(QString::fromLatin1(control.caption), parent);
    label->setGeometry(pixelsOf(control));
    label->setAlignment(Qt::AlignCenter);
    label->setFont(fittingFont(control, label->text(), label->contentsRect().size()));
    // A label without a colour of its own lets its container show through.
    if (control.background != Colour{}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, colourOf(control.background, palette, QPalette::Window));
        palette.setColor(QPalette::WindowText,
                         colourOf(control.text, palette, QPalette::WindowText));
        label->setPalette(palette);
        label->setAutoFillBackground(true);
    }
    return label;
}

QWidget* makeButton(QWidget* parent, const Control& control) {
    auto* button = new QPushButton(QString::fromLatin1(control.caption), parent);
    button->setGeometry(pixelsOf(control));
    button->setFont(fittingFont(control, button->text(), button->size()));
    return button;
}

QWidget* makePathField(QWidget* parent, const Control& control) {
    auto* field = new QLineEdit(parent);
    field->setGeometry(pixelsOf(control));
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setFont(fontOf(control));
    return field;
}

QWidget* makeFrame(QWidget* parent, const Control& control) {
    auto* frame = new QGroupBox(QString::fromLatin1(control.caption), parent);
    frame->setGeometry(pixelsOf(control));
    frame->setFont(fittingFont(control, frame->title(), frame->size()));
    return frame;
}

QWidget* makeShape(QWidget* parent, const Control& control) {
    auto* shape = new Shape(colourOf(control.background, parent->palette(), QPalette::Window),
                            layout::kShapeBorderPixels, parent);
    shape->setGeometry(pixelsOf(control));
    return shape;
}

QWidget* makeOption(QWidget* parent, const Control& control) {
    auto* option = new OptionButton(parent);
    option->setGeometry(pixelsOf(control));
    return option;
}

QWidget* makeControl(QWidget* parent, const Control& control) {
    switch (control.kind) {
        case Kind::Frame:
            return makeFrame(parent, control);
        case Kind::OptionButton:
            return makeOption(parent, control);
        case Kind::Label:
            return makeLabel(parent, control);
        case Kind::Button:
            return makeButton(parent, control);
        case Kind::TextField:
            return makePathField(parent, control);
        case Kind::Rectangle:
            return makeShape(parent, control);
        case Kind::FileDialog:
            break;  // the dialog is a service handed to the handlers
    }
    return nullptr;
}

std::optional<std::string> droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return std::nullopt;
    return urls.front().toLocalFile().toStdString();
}

}  // namespace

frmcnvt::frmcnvt(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromLatin1(layout::kWindowName));
    setWindowTitle(QString::fromLatin1(layout::kWindowCaption));
    setWindowIcon(programIcon());
    setFont(formFont(layout::kDefaultFont.points));
    resize(layout::twipsToPixels(layout::kClientWidthTwips, layout::kDesignDpi),
           layout::twipsToPixels(layout::kClientHeightTwips, layout::kDesignDpi));
    createControls();
    orderTabs();
    setAcceptDrops(true);
    // The fields would take a dropped file as text; the window takes it instead.
    tbm_->installEventFilter(this);
    tbp_->installEventFilter(this);
}

// Each control is created above the ones before it, so creation runs from the
// bottom of the stacking order to the top; a container comes into being just
// before its first control.
void frmcnvt::createControls() {
    for (auto row = layout::kControls.rbegin(); row != layout::kControls.rend(); ++row) {
        if (findChild<QWidget*>(QString::fromLatin1(row->name))) continue;
        QWidget* container = this;
        if (row->container != std::string_view(layout::kWindowName)) {
            const auto name = QString::fromLatin1(row->container);
            container = findChild<QWidget*>(name);
            if (!container) {
                container = makeControl(this, layout::control(row->container));
                container->setObjectName(name);
            }
        }
        if (QWidget* widget = makeControl(container, *row)) {
            widget->setObjectName(QString::fromLatin1(row->name));
            // Its caption is a separate label: screen readers would find no name.
            if (row->labelledBy) {
                widget->setAccessibleName(QString::fromLatin1(layout::accessibleName(*row)));
            }
        }
    }
    tbm_ = findChild<QLineEdit*>(QStringLiteral("tbm"));
    tbp_ = findChild<QLineEdit*>(QStringLiteral("tbp"));
    Cmdbrm_ = findChild<QPushButton*>(QStringLiteral("Cmdbrm"));
    cmdbrp_ = findChild<QPushButton*>(QStringLiteral("cmdbrp"));
    cmdcvt_ = findChild<QPushButton*>(QStringLiteral("cmdcvt"));
    Cmdexit_ = findChild<QPushButton*>(QStringLiteral("Cmdexit"));
    Optm2p_ = findChild<QRadioButton*>(QStringLiteral("Optm2p"));
    Optp2m_ = findChild<QRadioButton*>(QStringLiteral("Optp2m"));
}

void frmcnvt::orderTabs() {
    QWidget* previous = nullptr;
    for (const Control* row : layout::kTabOrder) {
        auto* widget = findChild<QWidget*>(QString::fromLatin1(row->name));
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void frmcnvt::forwardTo(FormHandlers& handlers) {
    handlers_ = &handlers;
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

std::string frmcnvt::text(Field which) const { return field(which)->text().toStdString(); }

void frmcnvt::setText(Field which, const std::string& text) {
    field(which)->setText(QString::fromStdString(text));
}

bool frmcnvt::isSelected(Direction which) const { return option(which)->isChecked(); }

void frmcnvt::select(Direction direction) { option(direction)->setChecked(true); }

void frmcnvt::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFile(event->mimeData())) event->acceptProposedAction();
}

void frmcnvt::dropEvent(QDropEvent* event) {
    const auto path = droppedFile(event->mimeData());
    if (!path) return;
    event->acceptProposedAction();
    if (handlers_) handlers_->openFile(*path);
}

bool frmcnvt::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
        event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (droppedFile(drop->mimeData())) {
            if (event->type() == QEvent::Drop) {
                dropEvent(drop);
            } else {
                drop->acceptProposedAction();
            }
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zonora
