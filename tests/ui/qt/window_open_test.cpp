#include <gtest/gtest.h>

#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/qt/window_harness.h"

namespace zonora::test {
namespace {

const std::string kMapHeader = "Druma zones.PDB convert on 4/12/2002 2:00:33 PM\r\n";

// A database whose name begins as a Map file's header does.
std::string headerNamedPdb() {
    const auto bytes =
        makeZoneDatabase(sampleZones(), kRecordOffset, "Druma z.PDB convert on 1/2/03");
    return {bytes.begin(), bytes.end()};
}

struct OpenCase {
    const char* name;
    std::string content;
    bool mapToPdb;
    const char* proposed;  // the other field's name, in the same folder
};

const OpenCase kOpenCases[] = {
    {"zones.pdb", "", false, "zones.MAP"},
    {"zones.map", "", true, "zones.PDB"},
    {"ZONES.MAP", "anything\r\n", true, "ZONES.PDB"},
    {"notes.txt", kMapHeader, true, "notes.PDB"},  // known by its first line
    {"table", kMapHeader + "\r\n", true, "taPDB"},
    {"backup.bin", "", false, "backup.MAP"},  // anything else is taken for a PDB
    {"named.bin", headerNamedPdb(), false, "named.MAP"},
};

void writeCase(const TempFolder& folder, const OpenCase& c) {
    if (c.content.empty()) {
        writeBytes(folder.file(c.name), makeZoneDatabase(sampleZones()));
    } else {
        writeText(folder.file(c.name), c.content);
    }
}

void expectOpened(WindowHarness& h, const TempFolder& folder, const OpenCase& c) {
    const QString file = QString::fromStdString(folder.file(c.name));
    const QString proposed = QString::fromStdString(folder.file(c.proposed));
    EXPECT_EQ(h.option("Optm2p")->isChecked(), c.mapToPdb);
    EXPECT_EQ(h.option("Optp2m")->isChecked(), !c.mapToPdb);
    EXPECT_EQ(h.tbm()->text(), c.mapToPdb ? file : proposed);
    EXPECT_EQ(h.tbp()->text(), c.mapToPdb ? proposed : file);
}

// Opening converts nothing: no box, no new file, until Convert is pressed.
TEST(WindowOpen, FileNamedAtStartSetsDirectionAndFields) {
    for (const OpenCase& c : kOpenCases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        writeCase(folder, c);
        WindowHarness h;
        h.tbm()->setText("old map");
        h.handlers->openFile(folder.file(c.name));
        expectOpened(h, folder, c);
        EXPECT_TRUE(h.fakes.box.shown.empty());
        EXPECT_EQ(folder.entries(), std::vector<std::string>{c.name});
    }
}

TEST(WindowOpen, ConvertsOnlyWhenConvertIsPressed) {
    TempFolder folder;
    writeBytes(folder.file("zones.pdb"), makeZoneDatabase(sampleZones()));
    WindowHarness h;
    h.handlers->openFile(folder.file("zones.pdb"));
    QTest::mouseClick(h.button("cmdcvt"), Qt::LeftButton);
    EXPECT_EQ(h.fakes.box.prompts(),
              std::vector<std::string>{"Conversion Complete.  New Tesk Map file created."});
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "zones.MAP"));
}

// Sends a drag and a drop of the given URLs to target; true when the drag
// was accepted.
bool drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at(5, 5);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    return dropped.isAccepted();
}

TEST(WindowOpen, DroppedFileFillsItsFieldTheSameWay) {
    for (const OpenCase& c : kOpenCases) {
        for (const char* target : {"frmcnvt", "tbm", "tbp"}) {
            SCOPED_TRACE(std::string(c.name) + " on " + target);
            TempFolder folder;
            writeCase(folder, c);
            WindowHarness h;
            QWidget* widget = std::string(target) == "frmcnvt" ? &h.window : h.get<QWidget>(target);
            const QUrl url = QUrl::fromLocalFile(QString::fromStdString(folder.file(c.name)));
            EXPECT_TRUE(drop(widget, {url}));
            expectOpened(h, folder, c);
            EXPECT_TRUE(h.fakes.box.shown.empty());
        }
    }
}

TEST(WindowOpen, RefusesSeveralFilesAndRemoteOnes) {
    const QList<QUrl> refused[] = {
        {QUrl::fromLocalFile("/tmp/a.pdb"), QUrl::fromLocalFile("/tmp/b.pdb")},
        {QUrl("https://example.org/zones.pdb")},
        {},
    };
    for (const auto& urls : refused) {
        WindowHarness h;
        h.tbm()->setText("kept");
        EXPECT_FALSE(drop(&h.window, urls));
        EXPECT_EQ(h.tbm()->text(), "kept");
        EXPECT_FALSE(h.option("Optm2p")->isChecked() || h.option("Optp2m")->isChecked());
    }
}

}  // namespace
}  // namespace zonora::test
