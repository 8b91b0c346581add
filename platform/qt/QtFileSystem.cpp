#include "platform/qt/QtFileSystem.h"

#include "platform/PlatformError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

namespace fq::platform {

namespace {

bool matchFrom(const QString& name, qsizetype n, const QString& pattern, qsizetype p)
{
    // Iterative matcher with single-star backtracking.
    qsizetype starP = -1, starN = -1;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?')
                                   || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starP = p++;
            starN = n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*')) ++p;
    return p == pattern.size();
}

QStringList sortedByName(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.toUtf8() < b.toUtf8(); });
    return names;
}

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

} // namespace

bool matchesWildcard(const QString& name, const QString& pattern)
{
    if (matchFrom(name, 0, pattern, 0)) return true;
    if (pattern.endsWith(QStringLiteral(".*")) && !name.contains(QLatin1Char('.')))
        return matchFrom(name, 0, pattern.left(pattern.size() - 2), 0);
    return false;
}

#ifndef _WIN32

std::optional<std::uint32_t> QtFileSystem::attributes(const QString& path)
{
    if (path.isEmpty()) return std::nullopt;
    struct stat st {};
    const QByteArray p = nativePath(path);
    if (::lstat(p.constData(), &st) != 0) return std::nullopt;
    std::uint32_t bits = 0;
    const bool isLink = S_ISLNK(st.st_mode);
    if (isLink) {
        bits |= attributes::reparsePoint;
        struct stat target {};
        if (::stat(p.constData(), &target) == 0) st = target;
    }
    if (S_ISDIR(st.st_mode)) bits |= attributes::directory;
    else if (S_ISREG(st.st_mode)) bits |= attributes::archive;
    if (!(st.st_mode & S_IWUSR)) bits |= attributes::readOnly;
    QString name = QFileInfo(path).fileName();
    if (name.startsWith(QLatin1Char('.')) && name != QStringLiteral(".") && name != QStringLiteral(".."))
        bits |= attributes::hidden;
    return bits;
}

bool QtFileSystem::canOpenExisting(const QString& path)
{
    if (path.isEmpty()) return false;
    const QByteArray p = nativePath(path);
    struct stat st {};
    if (::stat(p.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const int fd = ::open(p.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) ::close(fd);
    return true; // an existing regular file counts, also when it cannot be read
}

#else

std::optional<std::uint32_t> QtFileSystem::attributes(const QString& path)
{
    if (path.isEmpty()) return std::nullopt;
    const DWORD a = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16()));
    if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return std::uint32_t(a);
}

bool QtFileSystem::canOpenExisting(const QString& path)
{
    if (path.isEmpty()) return false;
    HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_NO_BUFFERING, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool folder = GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.utf16())) & FILE_ATTRIBUTE_DIRECTORY;
    CloseHandle(h);
    return !folder;
}

#endif

std::optional<QDateTime> QtFileSystem::modificationTime(const QString& path)
{
    if (path.isEmpty()) return std::nullopt;
    const QFileInfo info(path);
    if (!info.exists()) return std::nullopt;
    return info.lastModified();
}

QStringList QtFileSystem::findFiles(const QString& folder, const QString& pattern)
{
    QDir dir(folder);
    const QStringList all = dir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    QStringList matching;
    for (const QString& name : all)
        if (matchesWildcard(name, pattern)) matching << name;
    return sortedByName(matching);
}

QString QtFileSystem::findExact(const QString& path, bool includeFolders)
{
    if (path.isEmpty()) return {};
    const QFileInfo info(path);
    if (!info.exists()) return {};
    if (info.isDir() && !includeFolders) return {};
    return info.fileName();
}

FolderInfo QtFileSystem::folderInfo(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isDir())
        throw PlatformError(errors::pathNotFound, "Path not found");
    FolderInfo result;
    result.attributes = attributes(path).value_or(attributes::directory);
    result.isRoot = QDir(path).isRoot();
#ifndef _WIN32
    struct stat st {};
    if (::stat(nativePath(path).constData(), &st) == 0)
        result.identity = std::make_pair(std::uint64_t(st.st_dev), std::uint64_t(st.st_ino));
#endif
    return result;
}

QStringList QtFileSystem::subFolderNames(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isDir()) throw PlatformError(errors::pathNotFound, "Path not found");
    if (!info.isReadable() || !info.isExecutable()) throw PlatformError(errors::permissionDenied, "Permission denied");
    QDir dir(path);
    return sortedByName(dir.entryList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort));
}

void QtFileSystem::deleteFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) throw PlatformError(errors::fileNotFound, "File not found");
    if (info.isDir()) throw PlatformError(errors::permissionDenied, "Path/File access error");
    if (!QFileInfo(info.absolutePath()).isWritable() || !info.isWritable())
        throw PlatformError(errors::permissionDenied, "Permission denied");
    if (!QFile::remove(path)) throw PlatformError(errors::permissionDenied, "Permission denied");
}

void QtFileSystem::deleteFileForced(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) throw PlatformError(errors::fileNotFound, "File not found");
    if (info.isDir()) throw PlatformError(errors::permissionDenied, "Permission denied");
    QFile file(path);
    file.setPermissions(file.permissions() | QFileDevice::WriteOwner);
    if (!file.remove()) throw PlatformError(errors::permissionDenied, "Permission denied");
}

} // namespace fq::platform
