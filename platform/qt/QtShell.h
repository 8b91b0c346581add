// Desktop-shell operations on Qt: QFileDialog for folders, QDesktopServices.
#pragma once

#include "platform/Shell.h"

namespace fq::platform {

class QtShell : public Shell {
public:
    QString browseForFolder(QWidget* owner, const QString& title, const QString& initialFolder) override;
    void open(QWidget* owner, const QString& target) override;
    QString desktopFolder() override;
    QString programFolder() override;
};

} // namespace fq::platform
