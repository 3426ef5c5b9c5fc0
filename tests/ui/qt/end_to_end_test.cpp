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
#include "tests/support/fake_services.h"
#include "tests/support/modal_script.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "ui/form_handlers.h"
#include "ui/qt/frmcnvt.h"

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
    // Chooses a direction, then the file for each Select button in turn.
    void choose(const char* direction, const std::vector<ModalScript::Step>& dialogs) {
        QTest::mouseClick(child<QRadioButton>(&window, direction), Qt::LeftButton);
        const char* buttons[] = {direction == std::string("Optp2m") ? "cmdbrp" : "Cmdbrm",
                                 direction == std::string("Optp2m") ? "Cmdbrm" : "cmdbrp"};
        for (std::size_t i = 0; i < dialogs.size(); ++i) {
            ModalScript pick;
            pick.then(dialogs[i]);
            click(buttons[i], pick);
        }
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
    writeBytes(folder.file("zones.pdb"), readBytes(sampleFile("zones.pdb")));
    Program program;
    program.choose(
        "Optp2m", {answerDialog("Select a Druma PDB file to convert", "", folder.file("zones.pdb")),
                   answerDialog("Select a Tesk Map file to create", "zones.MAP")});
    EXPECT_EQ(program.field("tbp"), folder.file("zones.pdb"));
    EXPECT_EQ(program.field("tbm"), folder.file("zones.MAP"));

    std::vector<std::string> seen;
    ModalScript convert;
    convert.then(acknowledge(seen));
    program.click("cmdcvt", convert);
    EXPECT_EQ(seen,
              std::vector<std::string>{"Zonora: Conversion Complete.  New Tesk Map file created."});
    EXPECT_EQ(readText(folder.file("zones.MAP")), readText(sampleFile("zones.map")));
    EXPECT_EQ(program.field("tbm"), "");
    EXPECT_EQ(program.field("tbp"), "");
}

TEST(EndToEnd, MapToPdbFromTheWindow) {
    TempFolder folder;
    writeText(folder.file("zones.map"), readText(sampleFile("zones.map")));
    Program program;
    program.templates.path = sampleFile("Kolpa.org");
    program.choose("Optm2p",
                   {answerDialog("Select a Tesk map file to convert", "", folder.file("zones.map")),
                    answerDialog("Select a Druma PDB file to create", "zones.PDB")});
    EXPECT_EQ(program.field("tbm"), folder.file("zones.map"));
    EXPECT_EQ(program.field("tbp"), folder.file("zones.PDB"));

    std::vector<std::string> seen;
    ModalScript convert;
    convert.then(acknowledge(seen)).then(acknowledge(seen));
    program.click("cmdcvt", convert);
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "Zonora: Conversion Complete.  New Druma PDB file created.",
                        "Zonora: Please use Palm's Install tool to load the converted PDB file on "
                        "next Hotsync."}));
    EXPECT_EQ(readBytes(folder.file("zones.PDB")),
              patchedZoneDatabase(readBytes(sampleFile("Kolpa.org")), sampleZones(), "zones"));
    EXPECT_EQ(program.installTool.handedOff, std::vector<std::string>{folder.file("zones.PDB")});
    EXPECT_EQ(program.field("tbm"), "");
    EXPECT_EQ(program.field("tbp"), "");
}

}  // namespace
}  // namespace zonora::test
