#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

#include "platform/qt/qt_file_dialog.h"
#include "tests/support/modal_script.h"
#include "tests/support/temp_folder.h"

namespace zonora::test {
namespace {

constexpr unsigned kOpenFlags = 0x1004;
constexpr unsigned kSaveFlags = 0x8806;

QtFileDialog properties(const std::string& filter, const std::string& ext, unsigned flags,
                        const std::string& title, const std::string& fileName = "") {
    QtFileDialog cd;
    cd.Filter = filter;
    cd.FilterIndex = 2;
    cd.DefaultExt = ext;
    cd.Flags = flags;
    cd.DialogTitle = title;
    cd.FileName = fileName;
    cd.CancelError = true;
    return cd;
}

QtFileDialog mapSave(const std::string& fileName = "") {
    return properties("All files (*.*)|*.*|Map Files|*.map", "map", kSaveFlags,
                      "Select a Tesk Map file to create", fileName);
}

QtFileDialog pdbOpen() {
    return properties("All files (*.*)|*.*|PDB Files|*.PDB", "pdb", kOpenFlags,
                      "Select a Druma PDB file to convert");
}

QString nameField(QWidget* dialog) { return child<QLineEdit>(dialog, "fileNameEdit")->text(); }

// What the dialog did with a name it refused.
struct Refusal {
    QString warning;
    bool stayedOpen = false;
};

// Types a name the dialog must refuse, takes the warning, and then types one
// it accepts.
void scriptRefusal(ModalScript& script, Refusal& seen, const std::string& refused,
                   const std::string& accepted) {
    script
        .then([refused](QWidget* dialog) {
            typeIntoFileDialog(dialog, QString::fromStdString(refused));
        })
        .then([&seen](QWidget* box) {
            seen.warning = boxText(box);
            pressBoxButton(box, QMessageBox::Ok);
        })
        .then([&seen, accepted](QWidget* dialog) {
            seen.stayedOpen = dialog->isVisible();
            typeIntoFileDialog(dialog, QString::fromStdString(accepted));
        });
}

TEST(QtFileDialog, SaveDialogIsSetUpFromTheProperties) {
    const QtFileDialog cd = mapSave();
    CheckingFileDialog dialog(cd, true, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Select a Tesk Map file to create");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(dialog.nameFilters(), QStringList({"All files (*.*) (*)", "Map Files (*.map)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), "Map Files");
    EXPECT_EQ(dialog.defaultSuffix(), "map");
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(nameField(&dialog), "");
}

TEST(QtFileDialog, OpenDialogInsistsOnAnExistingFile) {
    const QtFileDialog cd = pdbOpen();
    CheckingFileDialog dialog(cd, false, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Select a Druma PDB file to convert");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.selectedNameFilter(), "PDB Files");
    EXPECT_EQ(dialog.defaultSuffix(), "pdb");
}

TEST(QtFileDialog, FilterIndexOutOfRangeSelectsTheFirst) {
    QtFileDialog cd = mapSave();
    cd.FilterIndex = 7;
    CheckingFileDialog dialog(cd, true, nullptr);
    EXPECT_EQ(dialog.selectedNameFilter(), "All files (*.*)");
}

TEST(QtFileDialog, ProposedPathOpensInItsFolderWithItsName) {
    TempFolder folder;
    const QtFileDialog cd = mapSave(folder.file("zones.MAP"));
    CheckingFileDialog dialog(cd, true, nullptr);
    EXPECT_EQ(dialog.directory().absolutePath(),
              QDir(QString::fromStdString(folder.path().string())).absolutePath());
    EXPECT_EQ(nameField(&dialog), "zones.MAP");
}

// The names the dialog lists in its folder once the file model has loaded.
QStringList listed(CheckingFileDialog& dialog, int expected) {
    auto* view = child<QAbstractItemView>(&dialog, "listView");
    QStringList names;
    for (int attempt = 0; attempt < 200 && names.size() != expected; ++attempt) {
        QTest::qWait(10);
        names.clear();
        const QModelIndex root = view->rootIndex();
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            names << view->model()->index(row, 0, root).data().toString();
        }
    }
    names.sort();
    return names;
}

// As on Windows: "*.PDB" matches any case, and "All files" lists names
// without a dot as well.
TEST(QtFileDialog, FiltersMatchAnyCaseAndAllFilesListsEverything) {
    TempFolder folder;
    for (const char* name : {"lower.pdb", "UPPER.PDB", "Mixed.Pdb", "zones.map", "README"}) {
        writeText(folder.file(name), "x");
    }
    QtFileDialog cd = pdbOpen();
    cd.FileName = folder.file("any");
    CheckingFileDialog dialog(cd, false, nullptr);
    dialog.show();
    EXPECT_EQ(listed(dialog, 3), QStringList({"Mixed.Pdb", "UPPER.PDB", "lower.pdb"}));
    dialog.selectNameFilter(dialog.nameFilters().first());
    EXPECT_EQ(listed(dialog, 5),
              QStringList({"Mixed.Pdb", "README", "UPPER.PDB", "lower.pdb", "zones.map"}));
    dialog.reject();
}

TEST(QtFileDialog, CancelRaisesTheCancelErrorOnlyWhenAskedTo) {
    for (bool cancelError : {true, false}) {
        QtFileDialog cd = mapSave("/nowhere/zones.MAP");
        cd.CancelError = cancelError;
        ModalScript script;
        script.then([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        try {
            cd.showSave();
            EXPECT_FALSE(cancelError) << "no error raised";
        } catch (const RuntimeError& error) {
            EXPECT_TRUE(cancelError);
            EXPECT_EQ(error.number, 32755);
            EXPECT_EQ(error.description, "Cancel was selected.");
        }
        EXPECT_EQ(cd.FileName, "/nowhere/zones.MAP");
        EXPECT_TRUE(script.finished());
    }
}

// The dialog's own refusals: it stays open, says why, and takes the next
// name typed.
struct RefusalCase {
    const char* name;
    const char* typed;  // relative to the temporary folder
    const char* reason;
};

class SaveRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(SaveRefusal, StaysOpenSaysWhyAndTakesTheNextName) {
    TempFolder folder;
    writeText(folder.file("locked.map"), "old");
    ::chmod(folder.file("locked.map").c_str(), 0444);
    QtFileDialog cd = mapSave(folder.file("start.map"));
    Refusal seen;
    ModalScript script;
    scriptRefusal(script, seen, folder.file(GetParam().typed), folder.file("fresh"));
    cd.showSave();
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(seen.stayedOpen);
    EXPECT_TRUE(seen.warning.contains(QString::fromLatin1(GetParam().reason)))
        << seen.warning.toStdString();
    EXPECT_EQ(cd.FileName, folder.file("fresh.map"));  // the default extension added
    EXPECT_EQ(readText(folder.file("locked.map")), "old");
}

INSTANTIATE_TEST_SUITE_P(QtFileDialog, SaveRefusal,
                         ::testing::Values(RefusalCase{"ReadOnlyTarget", "locked.map", "read-only"},
                                           RefusalCase{"MissingFolder", "no/such/folder/zones.map",
                                                       "does not exist"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QtFileDialog, SaveAsksBeforeOverwriting) {
    TempFolder folder;
    writeText(folder.file("zones.map"), "old");
    QtFileDialog cd = mapSave(folder.file("zones.map"));
    QString question;
    ModalScript script;
    script.then([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); })
        .then([&](QWidget* box) {
            question = boxText(box);
            pressBoxButton(box, QMessageBox::No);
        })
        .then([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Return); })
        .then([](QWidget* box) { pressBoxButton(box, QMessageBox::Yes); });
    cd.showSave();
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(question.contains("already exists")) << question.toStdString();
    EXPECT_EQ(cd.FileName, folder.file("zones.map"));
}

TEST(QtFileDialog, OpenReturnsOnlyAnExistingFile) {
    TempFolder folder;
    writeText(folder.file("zones.pdb"), "x");
    QtFileDialog cd = pdbOpen();
    Refusal seen;
    ModalScript script;
    scriptRefusal(script, seen, folder.file("missing.pdb"), folder.file("zones"));
    cd.showOpen();
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(seen.stayedOpen);
    EXPECT_TRUE(seen.warning.contains("missing.pdb")) << seen.warning.toStdString();
    EXPECT_EQ(cd.FileName, folder.file("zones.pdb"));  // the default extension added
}

TEST(IsReadOnlyFile, NoWriteBitMeansReadOnlyEvenForTheSuperUser) {
    TempFolder folder;
    const std::string path = folder.file("f");
    writeText(path, "x");
    EXPECT_FALSE(isReadOnlyFile(QString::fromStdString(path)));
    ::chmod(path.c_str(), 0444);
    EXPECT_TRUE(isReadOnlyFile(QString::fromStdString(path)));
}

}  // namespace
}  // namespace zonora::test
