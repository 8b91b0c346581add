// The file-open dialog component of the main window: the handler sets its
// properties and shows it; the selection comes back in FileName.
#pragma once

#include "platform/WindowSystem.h"

#include <QString>

namespace fq::app {

class CommonDialog {
public:
    CommonDialog(platform::WindowSystem& windows, QWidget* owner) : windows_(windows), owner_(owner) {}

    QString FileName;
    unsigned Flags = 0;
    QString DialogTitle;
    QString Filter;
    static constexpr int MaxFileSize = 30000; // characters of the returned selection

    // Shows the dialog; FileName receives the selection (empty on cancel).
    // Throws PlatformError(errors::bufferTooSmall) when it does not fit.
    void ShowOpen() { FileName = windows_.showOpen(owner_, {DialogTitle, Filter, Flags, MaxFileSize}); }

private:
    platform::WindowSystem& windows_;
    QWidget* owner_;
};

} // namespace fq::app
