// Desktop-shell operations on Qt: QFileDialog for folders, QDesktopServices.
#pragma once

#include "platform/Shell.h"

namespace fq::platform {

// The folder of the files that ship beside the program (pointers, samples):
// the program's own folder in the build, or, when installed, the folder that
// installedRelative leads to from the program's folder (share/folioquill
// beside bin/). Native separators, no trailing separator.
QString shippedFilesFolder(const QString& programDir, const QString& installedRelative);

class QtShell : public Shell {
public:
    QString browseForFolder(QWidget* owner, const QString& title, const QString& initialFolder) override;
    void open(QWidget* owner, const QString& target) override;
    QString desktopFolder() override;
    QString programFolder() override;
};

} // namespace fq::platform
