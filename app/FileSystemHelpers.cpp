#include "app/FileSystemHelpers.h"

#include "conversion/PathHelpers.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"

namespace fq::app {

bool PathExists(platform::FileSystem& files, const QString& path)
{
    try {
        return files.modificationTime(path).has_value();
    } catch (...) {
        return false;
    }
}

QString GetDesktopFolder(platform::Shell& shell)
{
    const QString desktop = shell.desktopFolder();
    if (desktop.isEmpty())
        throw platform::PlatformError(platform::errors::invalidArgument,
                                      "Invalid procedure call or argument: the desktop folder cannot be determined.");
    return desktop + conversion::nativeSeparator();
}

void FsoDeleteFile(platform::FileSystem& files, const QString& path) { files.deleteFileForced(path); }

void DeleteFileForced(platform::WindowSystem& windows, platform::FileSystem& files, const QString& path)
{
    windows.processPendingEvents(); // ProgramEnding is not a failure: it passes through
    try {
        files.deleteFile(path);
        return;
    } catch (...) {
    }
    try {
        FsoDeleteFile(files, path);
    } catch (...) {
    }
}

} // namespace fq::app
