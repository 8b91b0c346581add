// File-system operations on the native file system. On POSIX the Windows
// attribute bits are stood in for as FileSystem.h describes.
#pragma once

#include "platform/FileSystem.h"

namespace fq::platform {

class QtFileSystem : public FileSystem {
public:
    std::optional<std::uint32_t> attributes(const QString& path) override;
    std::optional<QDateTime> modificationTime(const QString& path) override;
    QStringList findFiles(const QString& folder, const QString& pattern) override;
    QString findExact(const QString& path, bool includeFolders) override;
    FolderInfo folderInfo(const QString& path) override;
    QStringList subFolderNames(const QString& path) override;
    bool canOpenExisting(const QString& path) override;
    void deleteFile(const QString& path) override;
    void deleteFileForced(const QString& path) override;
};

// Whole-name wildcard match: "*" any run, "?" one character, letters
// without regard to case; a pattern ending in ".*" also matches names
// without a dot.
bool matchesWildcard(const QString& name, const QString& pattern);

} // namespace fq::platform
