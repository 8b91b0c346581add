// The file-system helpers of start-up and shut-down, free functions without
// state: the existence test, the desktop folder and the forced deletion.
#pragma once

#include <QString>

namespace fq::platform {
class FileSystem;
class Shell;
class WindowSystem;
} // namespace fq::platform

namespace fq::app {

// True when the file system reports a modification time for the path
// (existing files and folders alike); false on any failure.
bool PathExists(platform::FileSystem& files, const QString& path);

// The desktop folder followed by the native separator. Throws PlatformError
// (invalid argument) when the platform cannot tell the desktop folder.
QString GetDesktopFolder(platform::Shell& shell);

// Lets pending window events run, then deletes the one file named by the
// path: first with the plain delete, and when that fails with the forced
// delete (read-only files too). Names are taken literally, never as
// wildcard patterns. Failures are ignored; only platform::ProgramEnding
// (the window was closed meanwhile) passes through.
void DeleteFileForced(platform::WindowSystem& windows, platform::FileSystem& files, const QString& path);

// The forced delete itself. Throws PlatformError when the file cannot be
// deleted.
void FsoDeleteFile(platform::FileSystem& files, const QString& path);

} // namespace fq::app
