// The modal folder-browse dialog shared by the output-folder button and the
// folder scan.
#pragma once

#include <QString>

class QWidget;

namespace fq::platform {
class Shell;
}

namespace fq::conversion {

// Returns the chosen folder (no trailing separator except for a root), or
// the empty text when the user cancels. The initial folder is preselected.
QString BrowseForFolder(platform::Shell& shell, QWidget* owner, const QString& title, const QString& initialFolder);

} // namespace fq::conversion
