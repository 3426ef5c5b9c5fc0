#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "tests/ui/qt/window_harness.h"
#include "ui/qt/icon.h"

namespace zonora::test {
namespace {

struct ControlCase {
    const char* name;
    const char* kind;  // Qt class
    const char* caption;
    QRect pixels;  // the twip rectangle at 15 twips a pixel
    const char* container;
    qreal points;  // 0 for controls without a caption
    bool bold;
};

// Bottom of the stacking order first, per container.
const ControlCase kControls[] = {
    {"Shape2", "zonora::Shape", "", {10, 122, 361, 61}, "frmcnvt", 0, false},
    {"Shape1", "zonora::Shape", "", {10, 53, 361, 58}, "frmcnvt", 0, false},
    {"Label1", "QLabel", "Map file to convert/create", {24, 60, 142, 15}, "frmcnvt", 8, false},
    {"Label2", "QLabel", "Druma Zonora", {62, 2, 270, 34}, "frmcnvt", 18, false},
    {"Label3", "QLabel", "Palm File to convert/create", {24, 132, 145, 15}, "frmcnvt", 8, false},
    {"Label4", "QLabel", "ver 1.3", {338, 24, 37, 13}, "frmcnvt", 8, false},
    {"tbm", "QLineEdit", "", {19, 82, 339, 18}, "frmcnvt", 0, false},
    {"Cmdbrm", "QPushButton", "Select Tesk Map file", {209, 58, 150, 18}, "frmcnvt", 8, false},
    {"cmdbrp", "QPushButton", "Select Druma PDB file", {209, 130, 150, 18}, "frmcnvt", 8, false},
    {"tbp", "QLineEdit", "", {22, 154, 339, 18}, "frmcnvt", 0, false},
    {"cmdcvt", "QPushButton", "Convert", {156, 197, 130, 30}, "frmcnvt", 13.8, true},
    {"Cmdexit", "QPushButton", "Exit", {307, 197, 54, 30}, "frmcnvt", 12, false},
    {"Frd", "QGroupBox", "Direction", {26, 187, 104, 58}, "frmcnvt", 8, false},
    {"Label5", "QLabel", "Map to PDB", {24, 17, 73, 15}, "Frd", 8, false},
    {"Label6", "QLabel", "PDB to Map", {24, 36, 73, 15}, "Frd", 8, false},
    {"Optm2p", "QRadioButton", "", {10, 17, 13, 13}, "Frd", 0, false},
    {"Optp2m", "QRadioButton", "", {10, 36, 13, 13}, "Frd", 0, false},
};

QString captionOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget)) return box->title();
    return {};
}

// The room the style leaves for the caption inside the control.
QSize captionSpace(QWidget* widget) {
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.rect = button->rect();
        return button->style()
            ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
            .size();
    }
    if (qobject_cast<QGroupBox*>(widget)) return {widget->width() - 16, widget->height() / 2};
    return widget->contentsRect().size();
}

bool fits(const QFont& font, const QString& text, QSize space) {
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(text) <= space.width() && metrics.height() <= space.height();
}

TEST(Window, CaptionSizeAndIcon) {
    WindowHarness h;
    EXPECT_EQ(h.window.objectName(), "frmcnvt");
    EXPECT_EQ(h.window.windowTitle(), "MAP / PDB conversion");
    EXPECT_EQ(h.window.size(), QSize(384, 249));
    const auto sizes = h.window.windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
}

TEST(Window, EveryControlHasItsNameKindCaptionPlaceAndContainer) {
    WindowHarness h;
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(c.name);
        auto* widget = h.get<QWidget>(c.name);
        EXPECT_STREQ(widget->metaObject()->className(), c.kind);
        EXPECT_EQ(captionOf(widget), QString::fromUtf8(c.caption));
        EXPECT_EQ(widget->geometry(), c.pixels);
        EXPECT_EQ(widget->parentWidget()->objectName(), c.container);
    }
}

TEST(Window, ControlsAreStackedAsDesigned) {
    WindowHarness h;
    for (const char* container : {"frmcnvt", "Frd"}) {
        QWidget* parent = container == std::string("frmcnvt") ? &h.window : h.get<QWidget>("Frd");
        QStringList expected;
        for (const ControlCase& c : kControls) {
            if (c.container == std::string(container)) expected << c.name;
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
// whole in its control, at the designed size whenever that size fits.
TEST(Window, EveryCaptionFitsWithTheFontActuallyUsed) {
    WindowHarness h;
    const bool original = QFontDatabase::hasFamily("MS Sans Serif");
    for (const ControlCase& c : kControls) {
        if (c.points == 0) continue;
        SCOPED_TRACE(c.name);
        QWidget* widget = h.get<QWidget>(c.name);
        const QFont font = widget->font();
        const QString caption = captionOf(widget);
        EXPECT_TRUE(fits(font, caption, captionSpace(widget)))
            << QFontMetrics(font).horizontalAdvance(caption) << " wide in "
            << captionSpace(widget).width();
        EXPECT_EQ(font.bold(), c.bold);
        if (original) {
            EXPECT_EQ(font.family(), "MS Sans Serif");
        }
        QFont designed = font;
        designed.setPointSizeF(c.points);
        if (fits(designed, caption, captionSpace(widget))) {
            EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
        } else {
            EXPECT_LT(font.pointSizeF(), c.points);
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
    EXPECT_EQ(h.option("Optm2p")->accessibleName(), "Map to PDB");
    EXPECT_EQ(h.option("Optp2m")->accessibleName(), "PDB to Map");
    EXPECT_EQ(h.tbm()->text(), "");
    EXPECT_EQ(h.tbp()->text(), "");
}

TEST(Window, ResizingLeavesEveryControlInPlace) {
    WindowHarness h;
    h.window.show();
    std::vector<QRect> before;
    for (const ControlCase& c : kControls) before.push_back(h.get<QWidget>(c.name)->geometry());
    h.window.resize(900, 700);
    h.window.showMaximized();
    QApplication::processEvents();
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        EXPECT_EQ(h.get<QWidget>(kControls[i].name)->geometry(), before[i]) << kControls[i].name;
    }
}

TEST(Window, TabVisitsTheControlsInOrder) {
    WindowHarness h;
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    h.tbm()->setFocus();
    QStringList visited{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, QStringList({"tbm", "Cmdbrm", "cmdbrp", "cmdcvt", "Cmdexit", "tbp", "Optm2p",
                                    "Optp2m", "tbm"}));
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
