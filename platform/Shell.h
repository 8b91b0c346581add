// Desktop-shell operations: the folder-browse dialog, opening a folder or a
// web address with the program associated with it, and the well-known
// folders.
#pragma once

#include <QString>

class QWidget;

namespace fq::platform {

class Shell {
public:
    virtual ~Shell() = default;

    // Modal folder picker limited to file-system folders, showing the title
    // and preselecting initialFolder (when it names one). Returns the chosen
    // folder without a trailing separator (except for a root), or the empty
    // text when cancelled.
    virtual QString browseForFolder(QWidget* owner, const QString& title,
                                    const QString& initialFolder) = 0;

    // Opens a folder or a web address with its associated program, without
    // waiting. The outcome is not reported: a missing program opens nothing.
    virtual void open(QWidget* owner, const QString& target) = 0;

    // The desktop folder, without a trailing separator; the empty text when
    // the platform cannot tell.
    virtual QString desktopFolder() = 0;

    // The folder that holds what ships beside the program (pointer files,
    // samples): the running program's own folder, or share/folioquill when
    // installed. Without a trailing separator.
    virtual QString programFolder() = 0;
};

} // namespace fq::platform
