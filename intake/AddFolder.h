// The AddFolder module: the folder walk that turns chosen folders into the
// list of all qualifying folders below them, the wildcard file listing of
// one folder, the open-existing test and the folder-name check. The folder
// scan, dropping folders on the list and the sample documents share them.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace fq::platform {
class FileSystem;
}
namespace fq::app {
class ErrorReport;
}

namespace fq::intake {

// Folder paths, each ending in the native separator, kept by the caller and
// extended in place by the walk. Compared as texts; duplicates are allowed.
using FolderList = QStringList;

// What the walk works with: the file system, the error report for its own
// failures, and the way to let pending window events run (it may throw
// platform::ProgramEnding, which leaves the walk at once).
struct WalkContext {
    platform::FileSystem& files;
    app::ErrorReport& report;
    std::function<void()> doEvents;
};

// The result of GetFilesInFolder, numbered as its callers count: names 1 to
// UBound(); with no names, one empty entry numbered 0 (UBound() is 0).
class FileNames {
public:
    FileNames();                                    // no names
    explicit FileNames(std::vector<QString> names); // numbered from 1
    int LBound() const { return lower_; }
    int UBound() const { return lower_ + int(entries_.size()) - 1; }
    // Throws PlatformError (subscript out of range) outside LBound..UBound.
    const QString& operator()(int index) const;

private:
    std::vector<QString> entries_;
    int lower_;
};

// Paths of this many characters or more are not opened; sub-folder names of
// this length or more are skipped.
inline constexpr int walkLengthBound = 260;

// Folder attribute values that exclude a folder (unless it is a root).
inline constexpr unsigned hiddenSystemFolder = 22;
inline constexpr unsigned hiddenSystemLinkFolder = 1046;

// Extends the list with every qualifying sub-folder of its entries, level by
// level (all depths with recurse, one level without). A folder that cannot
// be listed is removed silently; a folder reached a second time through a
// symbolic link is left out. Other failures go to the error report with the
// walk's location text and the walk goes on.
void GetSubDirectories2016(FolderList& folders, bool recurse, const WalkContext& context);

// Names of the files directly in folder (with or without a trailing
// separator) that match the pattern and that IsExistingFile accepts, in the
// file system's (sorted) order.
FileNames GetFilesInFolder(platform::FileSystem& files, const QString& folder, const QString& pattern);

// True when the path names an existing file that can be opened; a folder
// never does. Any failure gives false.
bool IsExistingFile(platform::FileSystem& files, const QString& path);

// True when the folder name holds a control character (below 32, or 127 to
// 159) or "?". Names are Unicode: a character's code is its code point.
bool HasBadNameChars(const QString& name);

// The walk's location text for the error report.
QString walkLocation();

} // namespace fq::intake
