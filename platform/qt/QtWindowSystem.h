// Window-system operations on Qt: QMessageBox, QInputDialog, QFileDialog.
#pragma once

#include "platform/WindowSystem.h"

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

// Joins a multiple selection the way the file dialog returns it: the folder,
// then each name, separated by U+0000; a single path stays as it is.
// Throws PlatformError(errors::bufferTooSmall) past bufferChars characters.
QString joinSelection(const QStringList& paths, int bufferChars);

// "Word Files (*.doc*)|*.doc*|" becomes the name filters of a Qt dialog.
QStringList nameFiltersOf(const QString& filter);

} // namespace fq::platform
