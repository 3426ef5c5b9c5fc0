#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>

#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_box.h"
#include "platform/text_encoding.h"
#include "tests/support/fake_services.h"
#include "tests/support/modal_script.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "ui/form_handlers.h"
#include "ui/qt/frmcnvt.h"
#include "zone/map_file.h"
#include "zone/zone_database.h"

namespace zonora::test {
namespace {

// The program as main() puts it together, with real dialogs and message
// boxes, and a fixed clock, template and absent Install Tool.
struct Program {
    Program() {
        window.forwardTo(handlers);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    // Clicks a control while a script answers the windows the click opens.
    void click(const char* name, ModalScript& script) {
        QTest::mouseClick(child<QAbstractButton>(&window, name), Qt::LeftButton);
        EXPECT_TRUE(script.finished()) << script.pending() << " steps left after " << name;
    }
    std::string field(const char* name) {
        return child<QLineEdit>(&window, name)->text().toStdString();
    }

    frmcnvt window;
    QtMessageBox box{&window};
    QtFileDialog cd{&window};
    PosixFileSystem files;
    FixedClock clock;
    FixedTemplateLocator templates;
    RecordingInstallTool installTool;
    ConversionServices services{files, box, clock, templates, installTool};
    FormHandlers handlers{window, services, cd, [] {}};
};

// Checks the dialog's title and proposed name, then types a path (or keeps
// the proposal when path is empty) and presses Return.
ModalScript::Step answerDialog(const QString& title, const QString& proposal,
                               const std::string& path = {}) {
    return [=](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), title);
        auto* edit = child<QLineEdit>(dialog, "fileNameEdit");
        EXPECT_EQ(edit->text(), proposal);
        if (path.empty()) {
            QTest::keyClick(edit, Qt::Key_Return);
        } else {
            typeIntoFileDialog(dialog, QString::fromStdString(path));
        }
    };
}

ModalScript::Step acknowledge(std::vector<std::string>& seen) {
    return [&seen](QWidget* box) {
        seen.push_back(box->windowTitle().toStdString() + ": " + boxText(box).toStdString());
        pressBoxButton(box, QMessageBox::Ok);
    };
}

TEST(EndToEnd, PdbToMapFromTheWindow) {
    TempFolder folder;
    writeBytes(folder.file("zones.pdb"), makeZoneDatabase(sampleZones()));
    Program program;
    QTest::mouseClick(child<QRadioButton>(&program.window, "Optp2m"), Qt::LeftButton);

    ModalScript pickPdb;
    pickPdb.then(answerDialog("Select a Druma PDB file to convert", "", folder.file("zones.pdb")));
    program.click("cmdbrp", pickPdb);
    EXPECT_EQ(program.field("tbp"), folder.file("zones.pdb"));

    ModalScript pickMap;
    pickMap.then(answerDialog("Select a Tesk Map file to create", "zones.MAP"));
    program.click("Cmdbrm", pickMap);
    EXPECT_EQ(program.field("tbm"), folder.file("zones.MAP"));

    std::vector<std::string> seen;
    ModalScript convert;
    convert.then(acknowledge(seen));
    program.click("cmdcvt", convert);
    EXPECT_EQ(seen,
              std::vector<std::string>{"Zonora: Conversion Complete.  New Tesk Map file created."});

    const std::string header = mapFileHeader("zones", "4/12/2002", "2:00:33 PM");
    EXPECT_EQ(readText(folder.file("zones.MAP")), formatMapFile(sampleZones(), toAnsi(header)));
    EXPECT_EQ(program.field("tbm"), "");
    EXPECT_EQ(program.field("tbp"), "");
}

TEST(EndToEnd, MapToPdbFromTheWindow) {
    TempFolder folder;
    const std::string header = mapFileHeader("zones", "4/12/2002", "2:00:33 PM");
    writeText(folder.file("zones.map"), formatMapFile(sampleZones(), toAnsi(header)));
    Program program;
    program.templates.path = folder.file("Kolpa.org");
    writeBytes(program.templates.path, makeZoneDatabase(ZoneTable{}));
    QTest::mouseClick(child<QRadioButton>(&program.window, "Optm2p"), Qt::LeftButton);

    ModalScript pickMap;
    pickMap.then(answerDialog("Select a Tesk map file to convert", "", folder.file("zones.map")));
    program.click("Cmdbrm", pickMap);
    EXPECT_EQ(program.field("tbm"), folder.file("zones.map"));

    ModalScript pickPdb;
    pickPdb.then(answerDialog("Select a Druma PDB file to create", "zones.PDB"));
    program.click("cmdbrp", pickPdb);
    EXPECT_EQ(program.field("tbp"), folder.file("zones.PDB"));

    std::vector<std::string> seen;
    ModalScript convert;
    convert.then(acknowledge(seen)).then(acknowledge(seen));
    program.click("cmdcvt", convert);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Zonora: Conversion Complete.  New Druma PDB file created.",
                        "Zonora: Please use Palm's Install tool to load the converted PDB file on "
                        "next Hotsync."}));

    const auto pdb = program.files.openRead(folder.file("zones.PDB"));
    const auto zones = readZoneTable(*pdb);
    ASSERT_TRUE(zones.has_value());
    EXPECT_EQ(*zones, sampleZones());
    const auto bytes = readBytes(folder.file("zones.PDB"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), std::string("zones\0", 6));
    EXPECT_EQ(program.installTool.handedOff, std::vector<std::string>{folder.file("zones.PDB")});
    EXPECT_EQ(program.field("tbm"), "");
    EXPECT_EQ(program.field("tbp"), "");
}

}  // namespace
}  // namespace zonora::test
