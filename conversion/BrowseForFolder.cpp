// The folder-browse dialog: hands the request to the desktop shell, which
// owns the dialog and its preselection of the initial folder.
#include "conversion/BrowseForFolder.h"

#include "platform/Shell.h"

namespace fq::conversion {

QString BrowseForFolder(platform::Shell& shell, QWidget* owner, const QString& title, const QString& initialFolder)
{
    return shell.browseForFolder(owner, title, initialFolder);
}

} // namespace fq::conversion
