#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/designed_window.h"
#include "tests/ui/qt/window_harness.h"
#include "ui/qt/icon.h"

namespace zonora::test {
namespace {

// The Qt class and the accessible role of each kind of control.
struct QtKind {
    const char* kind;
    const char* className;
    QAccessible::Role role;
};
constexpr QtKind kQtKinds[] = {
    {"frame", "QGroupBox", QAccessible::Grouping},
    {"option", "QRadioButton", QAccessible::RadioButton},
    {"label", "QLabel", QAccessible::StaticText},
    {"button", "QPushButton", QAccessible::Button},
    {"field", "QLineEdit", QAccessible::EditableText},
    {"shape", "zonora::Shape", QAccessible::Client},
};

const QtKind& qtKindOf(const DesignedControl& c) {
    for (const QtKind& kind : kQtKinds) {
        if (c.kind == kind.kind) return kind;
    }
    throw std::out_of_range("no Qt kind for " + c.kind);
}

// Qt lays the window out in pixels at 96 dots per inch and scales it itself.
QRect expectedAt96(const std::string& name) {
    const Rectangle r = expectedRectangle(name, 96);
    return {r.left, r.top, r.width, r.height};
}

QString captionOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget)) return box->title();
    return {};
}

bool fits(const QFont& font, const QString& text, QSize space) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(text) <= space.width() && metrics.height() <= space.height();
}

TEST(Window, CaptionSizeAndIcon) {
    WindowHarness h;
    EXPECT_EQ(h.window.objectName(), "frmcnvt");
    EXPECT_EQ(h.window.windowTitle(), ZONORA_PROJECT_CAPTION);
    EXPECT_EQ(h.window.size(), expectedAt96("frmcnvt").size());
    const auto sizes = h.window.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

TEST(Window, EveryControlHasItsNameKindCaptionPlaceAndContainer) {
    WindowHarness h;
    for (const DesignedControl& c : designedControls()) {
        SCOPED_TRACE(c.name);
        auto* widget = h.get<QWidget>(c.name.c_str());
        EXPECT_STREQ(widget->metaObject()->className(), qtKindOf(c).className);
        EXPECT_EQ(captionOf(widget).toStdString(), c.caption);
        EXPECT_EQ(widget->geometry(), expectedAt96(c.name));
        EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), c.container);
    }
}

// As a screen reader finds them: a control whose caption is a separate label
// is named by that label.
TEST(Window, EveryControlHasItsAccessibleNameAndRole) {
    WindowHarness h;
    for (const DesignedControl& c : designedControls()) {
        SCOPED_TRACE(c.name);
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(h.get<QWidget>(c.name.c_str()));
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), c.spoken);
        EXPECT_EQ(accessible->role(), qtKindOf(c).role);
    }
}

TEST(Window, ControlsAreStackedAsDesigned) {
    WindowHarness h;
    for (const char* container : {"frmcnvt", "Frd"}) {
        QWidget* parent = container == std::string("frmcnvt") ? &h.window : h.get<QWidget>("Frd");
        QStringList expected;
        for (const DesignedControl& c : designedControls()) {
            if (c.container == container) expected << QString::fromStdString(c.name);
        }
        QStringList actual;
        for (QObject* object : parent->children()) {
            if (object->isWidgetType() && !object->objectName().isEmpty()) {
                actual << object->objectName();
            }
        }
        EXPECT_EQ(actual, expected) << container;
    }
}

// A replacement face is wider than MS Sans Serif: every caption must still be
// whole in its control, never larger than designed, and at the designed size
// with the designed face.
TEST(Window, EveryCaptionFitsWithTheFontActuallyUsed) {
    WindowHarness h;
    const bool original = QFontDatabase::hasFamily("MS Sans Serif");
    for (const DesignedControl& c : designedControls()) {
        if (c.caption.empty()) continue;
        SCOPED_TRACE(c.name);
        QWidget* widget = h.get<QWidget>(c.name.c_str());
        const QFont font = widget->font();
        const QString caption = captionOf(widget);
        EXPECT_TRUE(fits(font, caption, widget->size()))
            << QFontMetrics(font).horizontalAdvance(caption) << " wide in " << widget->width();
        EXPECT_EQ(font.bold(), c.bold);
        EXPECT_LE(font.pointSizeF(), c.points);
        EXPECT_GE(font.pointSizeF(), 5.0);
        if (original) {
            EXPECT_EQ(font.family(), "MS Sans Serif");
            EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
        }
    }
}

TEST(Window, PanelsAndCaptionsHaveTheirColours) {
    WindowHarness h;
    const QImage image = h.window.grab().toImage();
    const QColor windowText = h.window.palette().color(QPalette::WindowText);
    EXPECT_EQ(image.pixelColor(10, 80), windowText);             // Shape1's border
    EXPECT_EQ(image.pixelColor(14, 80), QColor(192, 192, 192));  // Shape1's fill
    EXPECT_EQ(image.pixelColor(11, 182), windowText);            // Shape2's border
    EXPECT_EQ(image.pixelColor(14, 150), QColor(192, 192, 192));
    EXPECT_EQ(image.pixelColor(25, 61), QColor(255, 255, 128));   // Label1
    EXPECT_EQ(image.pixelColor(25, 133), QColor(255, 255, 128));  // Label3
    EXPECT_EQ(image.pixelColor(63, 3), QColor(224, 224, 224));    // Label2
    EXPECT_EQ(h.get<QLabel>("Label2")->palette().color(QPalette::WindowText), QColor(Qt::black));
    const QColor base = h.window.palette().color(QPalette::Base);
    EXPECT_EQ(image.pixelColor(26 + 25, 187 + 18), base);  // Label5, inside Frd
}

TEST(Window, StartsWithNoDirectionAndEmptyFields) {
    WindowHarness h;
    EXPECT_FALSE(h.option("Optm2p")->isChecked());
    EXPECT_FALSE(h.option("Optp2m")->isChecked());
    EXPECT_TRUE(h.option("Optm2p")->text().isEmpty());
    EXPECT_EQ(h.tbm()->text(), "");
    EXPECT_EQ(h.tbp()->text(), "");
}

TEST(Window, ResizingLeavesEveryControlInPlace) {
    WindowHarness h;
    h.window.show();
    const std::vector<DesignedControl>& controls = designedControls();
    std::vector<QRect> before;
    for (const DesignedControl& c : controls) {
        before.push_back(h.get<QWidget>(c.name.c_str())->geometry());
    }
    h.window.resize(900, 700);
    h.window.showMaximized();
    QApplication::processEvents();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(h.get<QWidget>(controls[i].name.c_str())->geometry(), before[i])
            << controls[i].name;
    }
}

TEST(Window, TabVisitsTheControlsInOrder) {
    WindowHarness h;
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    h.tbm()->setFocus();
    std::vector<std::string> expected = designedTabOrder();
    ASSERT_EQ(expected.front(), "tbm");
    expected.push_back("tbm");  // and round again
    std::vector<std::string> visited{QApplication::focusWidget()->objectName().toStdString()};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName().toStdString());
    }
    EXPECT_EQ(visited, expected);
}

TEST(Window, PathFieldsTakeTypedPastedAndLongText) {
    WindowHarness h;
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    h.tbm()->setFocus();
    QTest::keyClicks(h.tbm(), "/tmp/zones.map");
    EXPECT_EQ(h.window.mapPath(), "/tmp/zones.map");

    QApplication::clipboard()->setText("/tmp/zones.pdb");
    h.tbp()->setFocus();
    QTest::keyClick(h.tbp(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(h.window.pdbPath(), "/tmp/zones.pdb");

    const std::string longPath = "/" + std::string(70000, 'x') + ".map";
    h.window.setMap(longPath);
    EXPECT_EQ(h.window.mapPath(), longPath);
}

// Selecting a direction empties both fields, whether by mouse or keyboard;
// the caption labels do not select.
TEST(Window, ChoosingADirectionClearsBothFields) {
    WindowHarness h;
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    const auto fill = [&] {
        h.window.setMap("/a.map");
        h.window.setPdb("/b.pdb");
    };

    fill();
    QTest::mouseClick(h.get<QLabel>("Label5"), Qt::LeftButton);
    EXPECT_FALSE(h.option("Optm2p")->isChecked());
    EXPECT_EQ(h.window.mapPath(), "/a.map");

    QTest::mouseClick(h.option("Optm2p"), Qt::LeftButton);
    EXPECT_TRUE(h.window.mapToPdbSelected());
    EXPECT_EQ(h.window.mapPath(), "");
    EXPECT_EQ(h.window.pdbPath(), "");

    fill();
    h.option("Optm2p")->setFocus();
    QTest::keyClick(h.option("Optm2p"), Qt::Key_Down);
    EXPECT_TRUE(h.window.pdbToMapSelected());
    EXPECT_FALSE(h.window.mapToPdbSelected());
    EXPECT_EQ(h.window.mapPath(), "");
    EXPECT_EQ(h.window.pdbPath(), "");

    // Clicking the button already selected keeps the fields.
    fill();
    QTest::mouseClick(h.option("Optp2m"), Qt::LeftButton);
    EXPECT_EQ(h.window.mapPath(), "/a.map");

    fill();
    h.option("Optm2p")->setFocus();
    QTest::keyClick(h.option("Optm2p"), Qt::Key_Space);
    EXPECT_TRUE(h.window.mapToPdbSelected());
    EXPECT_EQ(h.window.pdbPath(), "");
}

TEST(Window, SelectButtonsFillTheirFieldsThroughTheDialog) {
    WindowHarness h;
    h.window.show();
    QTest::mouseClick(h.option("Optp2m"), Qt::LeftButton);
    h.cd.choice = "/z/zones.pdb";
    QTest::mouseClick(h.button("cmdbrp"), Qt::LeftButton);
    EXPECT_EQ(h.window.pdbPath(), "/z/zones.pdb");

    h.cd.choice = "/z/zones.MAP";
    QTest::mouseClick(h.button("Cmdbrm"), Qt::LeftButton);
    ASSERT_EQ(h.cd.shown.size(), 2u);
    EXPECT_EQ(h.cd.shown[1].fileName, "/z/zones.MAP");
    EXPECT_EQ(h.cd.shown[1].mapField, "");
    EXPECT_EQ(h.window.mapPath(), "/z/zones.MAP");

    h.cd.choice.reset();  // Cancel
    QTest::mouseClick(h.button("Cmdbrm"), Qt::LeftButton);
    EXPECT_EQ(h.window.mapPath(), "");
    EXPECT_EQ(h.window.pdbPath(), "/z/zones.pdb");
    EXPECT_TRUE(h.fakes.box.shown.empty());
}

TEST(Window, SelectWithoutDirectionAsks) {
    WindowHarness h;
    h.window.show();
    QTest::mouseClick(h.button("Cmdbrm"), Qt::LeftButton);
    EXPECT_EQ(h.fakes.box.prompts(),
              std::vector<std::string>{"Please select conversion direction."});
    EXPECT_TRUE(h.cd.shown.empty());
}

TEST(Window, ConvertAtStartAsksForFilesAndExitEnds) {
    WindowHarness h;
    h.window.show();
    QTest::mouseClick(h.button("cmdcvt"), Qt::LeftButton);
    EXPECT_EQ(h.fakes.box.prompts(),
              std::vector<std::string>{"Please select source and destination files to continue"});
    EXPECT_EQ(h.ends, 0);
    QTest::mouseClick(h.button("Cmdexit"), Qt::LeftButton);
    EXPECT_EQ(h.ends, 1);
}

TEST(Icon, ArrowheadInFourColoursOnTransparent) {
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const QImage icon = drawIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        const int q = size / 4;
        EXPECT_EQ(icon.pixelColor(size - 1, 0).alpha(), 0);               // outside, top right
        EXPECT_EQ(icon.pixelColor(size - 1, size - 1).alpha(), 0);        // outside, bottom right
        EXPECT_EQ(icon.pixelColor(2 * q, q + 2), QColor(192, 192, 192));  // above the midline
        EXPECT_EQ(icon.pixelColor(2 * q, 3 * q - 2), QColor(0, 0, 0));    // below it
        EXPECT_EQ(icon.pixelColor(0, 0), QColor(128, 128, 128));          // the strip, full height
        EXPECT_EQ(icon.pixelColor(0, size - 1), QColor(128, 128, 128));
        EXPECT_EQ(icon.pixelColor(size - 2, size / 2).alpha(), 255);  // the tip
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QColor c = icon.pixelColor(x, y);
                const bool palette = c.alpha() == 0 || c == QColor(192, 192, 192) ||
                                     c == QColor(0, 0, 0) || c == QColor(128, 128, 128);
                EXPECT_TRUE(palette) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace zonora::test
