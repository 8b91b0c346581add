// Window-system operations on Qt: QMessageBox, QInputDialog, QFileDialog.
#pragma once

#include "platform/WindowSystem.h"

#include <QFileDialog>
#include <QStringList>

namespace fq::platform {

class QtWindowSystem : public WindowSystem {
public:
    Answer messageBox(QWidget* owner, const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString inputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText) override;
    QString showOpen(QWidget* owner, const FileOpenRequest& request) override;
    void processPendingEvents() override;
    void endProgram() override;
    bool isEnding() const override { return ending_; }
    QPoint cursorScreenPosition() override;

private:
    bool ending_ = false;
};

// The add-files dialog: Qt's own file dialog with multiple selection, the
// title and the filters of the request. It does not demand that a file
// exist: a typed name of a missing file is accepted as it stands.
class FileOpenDialog : public QFileDialog {
public:
    FileOpenDialog(QWidget* owner, const FileOpenRequest& request);
    // The files accepted, as full paths; empty until the dialog is accepted.
    const QStringList& chosenFiles() const { return chosen_; }

    void accept() override;

private:
    QStringList chosen_;
};

// Joins a multiple selection the way the file dialog returns it: the folder,
// then each name, separated by U+0000; a single path stays as it is.
// Throws PlatformError(errors::bufferTooSmall) past bufferChars characters.
QString joinSelection(const QStringList& paths, int bufferChars);

// "Word Files (*.doc*)|*.doc*|" becomes the name filters of a Qt dialog.
QStringList nameFiltersOf(const QString& filter);

} // namespace fq::platform
