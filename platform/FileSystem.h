// File-system operations: attributes, modification time, directory search,
// folder enumeration, the open-existing test and deletion. Paths are native
// paths. Real implementation: platform/qt/QtFileSystem.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace fq::platform {

// Attribute bits as Windows reports them. On POSIX: directory for folders;
// hidden when the name begins with "."; read-only when the owner may not
// write; archive for every regular file; reparse point for a symbolic link;
// system never.
namespace attributes {
inline constexpr std::uint32_t readOnly = 1;
inline constexpr std::uint32_t hidden = 2;
inline constexpr std::uint32_t system = 4;
inline constexpr std::uint32_t directory = 16;
inline constexpr std::uint32_t archive = 32;
inline constexpr std::uint32_t reparsePoint = 1024;
} // namespace attributes

// What the folder walk needs to know of one folder.
struct FolderInfo {
    std::uint32_t attributes = 0;
    bool isRoot = false;
    // Identifies the folder on its volume (device and inode); unset where
    // the platform cannot tell.
    std::optional<std::pair<std::uint64_t, std::uint64_t>> identity;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Attribute bits of a file or folder; no value when they cannot be read.
    virtual std::optional<std::uint32_t> attributes(const QString& path) = 0;

    // Last modification time; no value when the path cannot be queried.
    virtual std::optional<QDateTime> modificationTime(const QString& path) = 0;

    // Names (no folder part) of the files directly in folder whose names
    // match the wildcard pattern ("*", "?", letters without regard to case,
    // a pattern ending in ".*" also matching names without a dot). Hidden
    // and system files take part, folders never. Sorted by name.
    virtual QStringList findFiles(const QString& folder, const QString& pattern) = 0;

    // The bare name of the exact path when it exists (a folder only when
    // includeFolders), else the empty text.
    virtual QString findExact(const QString& path, bool includeFolders) = 0;

    // The folder's attributes and identity. Throws PlatformError
    // (errors::pathNotFound) for a missing folder.
    virtual FolderInfo folderInfo(const QString& path) = 0;

    // Names of the sub-folders of a folder, sorted by name. Throws
    // PlatformError (errors::permissionDenied, errors::pathNotFound) when the
    // folder cannot be listed.
    virtual QStringList subFolderNames(const QString& path) = 0;

    // True when the path names an existing file that can be opened (with no
    // access requested on Windows; read-only, or stat where that fails, on
    // POSIX). Never throws.
    virtual bool canOpenExisting(const QString& path) = 0;

    // Deletes one file (no wildcards). Throws PlatformError on failure.
    virtual void deleteFile(const QString& path) = 0;

    // Deletes one file even when it is read-only. Throws PlatformError.
    virtual void deleteFileForced(const QString& path) = 0;
};

} // namespace fq::platform
