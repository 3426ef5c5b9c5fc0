#include "platform/qt/qt_file_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "platform/file_filter.h"

namespace zonora {

QStringList qtNameFilters(const std::string& filter) {
    QStringList result;
    for (const FileFilter& entry : parseFileFilter(filter)) {
        QStringList patterns;
        for (const std::string& pattern : entry.patterns) {
            patterns << (pattern == "*.*" ? QStringLiteral("*") : QString::fromStdString(pattern));
        }
        result << QString::fromStdString(entry.description) + QStringLiteral(" (") +
                      patterns.join(QChar(' ')) + QChar(')');
    }
    return result;
}

bool isReadOnlyFile(const QString& path) {
    const QFileInfo info(path);
    // WriteUser is left out: for the super-user it is set whatever the mode.
    constexpr auto kAnyWriteBit =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.isWritable() || !(info.permissions() & kAnyWriteBit);
}

CheckingFileDialog::CheckingFileDialog(const FileDialog& properties, bool save, QWidget* parent)
    : QFileDialog(parent), flags_(properties.Flags) {
    setOption(QFileDialog::DontUseNativeDialog);
    // The descriptions alone are shown, as they were written.
    setOption(QFileDialog::HideNameFilterDetails);
    setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    setFileMode(!save && (flags_ & ofn::kFileMustExist) ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    setOption(QFileDialog::DontConfirmOverwrite, !(flags_ & ofn::kOverwritePrompt));
    // Windows matches patterns whatever the case: *.PDB lists zones.pdb.
    setFilter(filter() & ~QDir::CaseSensitive);
    const QString title = QString::fromStdString(properties.DialogTitle);
    setWindowTitle(!title.isEmpty() ? title : save ? tr("Save As") : tr("Open"));

    const QStringList filters = qtNameFilters(properties.Filter);
    if (!filters.isEmpty()) {
        setNameFilters(filters);
        const int index = properties.FilterIndex - 1;
        selectNameFilter(filters.at(index >= 0 && index < filters.size() ? index : 0));
    }
    setDefaultSuffix(QString::fromStdString(properties.DefaultExt));
    // An absolute proposal also opens the dialog in its folder.
    if (!properties.FileName.empty()) selectFile(QString::fromStdString(properties.FileName));
}

QString CheckingFileDialog::refusal(const QString& path) const {
    const QFileInfo info(path);
    if (info.isDir()) return {};  // the dialog goes into it
    if ((flags_ & ofn::kPathMustExist) && !info.absoluteDir().exists()) {
        return tr("%1\nThe folder does not exist.\nCheck the folder name and try again.")
            .arg(QDir::toNativeSeparators(info.absolutePath()));
    }
    if ((flags_ & ofn::kNoReadOnlyReturn) && info.exists() && isReadOnlyFile(path)) {
        return tr("%1\nThis file is set to read-only.\nTry again with a different file name.")
            .arg(QDir::toNativeSeparators(info.absoluteFilePath()));
    }
    return {};
}

void CheckingFileDialog::accept() {
    const QStringList files = selectedFiles();
    if (acceptMode() == QFileDialog::AcceptSave && !files.isEmpty()) {
        const QString why = refusal(files.first());
        if (!why.isEmpty()) {
            QMessageBox::warning(this, windowTitle(), why);
            return;
        }
    }
    QFileDialog::accept();
}

bool QtFileDialog::run(Mode mode) {
    CheckingFileDialog dialog(*this, mode == Mode::Save, parent_);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return false;
    FileName = QDir::toNativeSeparators(files.first()).toStdString();
    return true;
}

}  // namespace zonora
