#pragma once

#include <QFileDialog>

#include "platform/file_dialog.h"

namespace zonora {

// Qt's own file dialog (never the desktop's native one, so that every check
// below runs on every platform), with the checks the Windows dialog makes
// before it lets a Save dialog close: the folder must exist and an existing
// target must not be read-only. Each refusal says why and leaves the dialog
// open.
class CheckingFileDialog : public QFileDialog {
  public:
    CheckingFileDialog(const FileDialog& properties, bool save, QWidget* parent);

    void accept() override;

  private:
    // Empty when the path may be returned; otherwise why not.
    QString refusal(const QString& path) const;

    unsigned flags_;
};

// Qt name filters for "description|pattern|..." text. "*.*" becomes "*" so
// that names without a dot are listed; the description is shown as written.
QStringList qtNameFilters(const std::string& filter);

// True when the file can not be written: no write permission bit at all (the
// read-only attribute of Windows), or none for this user.
bool isReadOnlyFile(const QString& path);

class QtFileDialog : public FileDialog {
  public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}

  protected:
    bool run(Mode mode) override;

  private:
    QWidget* parent_;
};

}  // namespace zonora
