// File-system operations on the native file system. On POSIX the directory
// listings read the folder once with readdir and use the entry types it
// reports, so a folder walk costs about what the file system allows; names
// come back sorted by their bytes so results do not depend on the volume.
#include "platform/qt/QtFileSystem.h"

#include "platform/PlatformError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <windows.h>
#endif

namespace fq::platform {

namespace {

char32_t folded(char32_t c) { return QChar::toCaseFolded(c); }

// Whole-name match over code points with single-star backtracking: "?" is
// one character, "*" any run including none, letters without regard to case.
bool matchCodePoints(const std::u32string& name, const std::u32string& pattern)
{
    std::size_t n = 0, p = 0;
    std::size_t starP = std::u32string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() && (pattern[p] == U'?' || folded(pattern[p]) == folded(name[n]))) {
            ++n;
            ++p;
        } else if (starP != std::u32string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
}

// The same match over bytes, for names and patterns that are plain ASCII.
bool matchAscii(const char* name, std::size_t nameSize, const QByteArray& pattern, std::size_t patternSize)
{
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    std::size_t n = 0, p = 0;
    std::size_t starP = std::string::npos, starN = 0;
    while (n < nameSize) {
        if (p < patternSize && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < patternSize && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < patternSize && pattern[p] == '*') ++p;
    return p == patternSize;
}

bool isAscii(const char* text, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

// A compiled pattern: what a name must match, tried over bytes where both
// are ASCII and over code points otherwise.
class Wildcard {
public:
    explicit Wildcard(const QString& pattern)
        : text_(pattern), ascii_(pattern.toUtf8()), asciiPattern_(isAscii(ascii_.constData(), std::size_t(ascii_.size())))
    {
        matchAll_ = true;
        for (const QChar c : pattern)
            if (c != QLatin1Char('*')) matchAll_ = false;
        dotStar_ = pattern.endsWith(QStringLiteral(".*"));
        if (pattern == QStringLiteral("*.*")) matchAll_ = true;
    }

    bool matches(const char* raw, std::size_t size) const
    {
        if (matchAll_) return true;
        if (asciiPattern_ && isAscii(raw, size)) {
            if (matchAscii(raw, size, ascii_, std::size_t(ascii_.size()))) return true;
            return dotStar_ && std::memchr(raw, '.', size) == nullptr
                && matchAscii(raw, size, ascii_, std::size_t(ascii_.size()) - 2);
        }
        return matchesWildcard(QString::fromUtf8(raw, qsizetype(size)), text_);
    }

private:
    QString text_;
    QByteArray ascii_;
    bool asciiPattern_;
    bool matchAll_ = false;
    bool dotStar_ = false;
};

std::u32string codePoints(const QString& text)
{
    std::u32string out;
    out.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out.push_back(QChar::surrogateToUcs4(c, text[i + 1]));
            ++i;
        } else {
            out.push_back(c.unicode());
        }
    }
    return out;
}

// The runtime's number for a device input/output failure.
constexpr int deviceIoError = 57;

// Qt hands file names to the system in UTF-8 on POSIX.
QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

std::string errnoText(int error) { return std::strerror(error); }

// A platform failure of a folder that cannot be listed, with a readable text.
[[noreturn]] void throwListingFailure(const QString& path, int error)
{
    const std::string where = " (" + path.toStdString() + ")";
    if (error == EACCES || error == EPERM)
        throw PlatformError(errors::permissionDenied, "Permission denied: the folder cannot be read" + where);
    if (error == ENOENT || error == ENOTDIR)
        throw PlatformError(errors::pathNotFound, "Path not found" + where);
    throw PlatformError(deviceIoError, "The folder cannot be listed: " + errnoText(error) + where);
}

QStringList decodedSorted(std::vector<QByteArray>& names)
{
    std::sort(names.begin(), names.end());
    QStringList out;
    out.reserve(qsizetype(names.size()));
    for (const QByteArray& n : names) out << QFile::decodeName(n);
    return out;
}

#ifndef _WIN32

bool isDotOrDotDot(const char* n) { return n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)); }

// What kind of entry a directory entry is, following symbolic links (a link
// to a folder lists as a folder, like a junction on Windows).
enum class Kind { Folder, File, Other };

Kind kindOf(int dirFd, const dirent* entry)
{
    switch (entry->d_type) {
    case DT_DIR:
        return Kind::Folder;
    case DT_REG:
        return Kind::File;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, 0) != 0) return Kind::Other; // a dangling link
        if (S_ISDIR(st.st_mode)) return Kind::Folder;
        if (S_ISREG(st.st_mode)) return Kind::File;
        return Kind::Other;
    }
    default:
        return Kind::Other;
    }
}

// Reads a folder's entries once; keep() decides on each entry's raw name and kind.
template <class Keep>
std::vector<QByteArray> readFolder(const QString& path, Keep keep, bool throwOnFailure)
{
    std::vector<QByteArray> names;
    const QByteArray p = nativePath(path.isEmpty() ? QStringLiteral(".") : path);
    DIR* dir = ::opendir(p.constData());
    if (!dir) {
        if (throwOnFailure) throwListingFailure(path, errno);
        return names;
    }
    const int fd = ::dirfd(dir);
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isDotOrDotDot(entry->d_name) && keep(entry->d_name, kindOf(fd, entry)))
            names.emplace_back(entry->d_name);
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0 && throwOnFailure) throwListingFailure(path, readError);
    return names;
}

#endif

} // namespace

bool matchesWildcard(const QString& name, const QString& pattern)
{
    const std::u32string n = codePoints(name);
    const std::u32string p = codePoints(pattern);
    if (matchCodePoints(n, p)) return true;
    if (p.size() >= 2 && p[p.size() - 2] == U'.' && p.back() == U'*' && n.find(U'.') == std::u32string::npos)
        return matchCodePoints(n, p.substr(0, p.size() - 2));
    return false;
}

#ifndef _WIN32

namespace {

// What one look at a path tells: its attribute bits and the stat of what it
// names (the link's target for a symbolic link).
struct Looked {
    std::uint32_t bits = 0;
    struct stat target {};
};

std::optional<Looked> look(const QByteArray& p)
{
    Looked result;
    if (p.isEmpty() || ::lstat(p.constData(), &result.target) != 0) return std::nullopt;
    if (S_ISLNK(result.target.st_mode)) {
        result.bits |= attributes::reparsePoint;
        struct stat followed {};
        if (::stat(p.constData(), &followed) == 0) result.target = followed;
    }
    const mode_t mode = result.target.st_mode;
    if (S_ISDIR(mode)) result.bits |= attributes::directory;
    else if (S_ISREG(mode)) result.bits |= attributes::archive;
    if (!(mode & S_IWUSR)) result.bits |= attributes::readOnly;
    // Hidden: the last component (a trailing separator does not count)
    // begins with a dot and is not "." or "..".
    qsizetype end = p.size();
    while (end > 1 && p[end - 1] == '/') --end;
    const qsizetype begin = p.lastIndexOf('/', end - 1) + 1;
    const qsizetype length = end - begin;
    if (length > 0 && p[begin] == '.' && !(length == 1 || (length == 2 && p[begin + 1] == '.')))
        result.bits |= attributes::hidden;
    return result;
}

} // namespace

std::optional<std::uint32_t> QtFileSystem::attributes(const QString& path)
{
    const auto looked = look(nativePath(path));
    if (!looked) return std::nullopt;
    return looked->bits;
}

bool QtFileSystem::canOpenExisting(const QString& path)
{
    if (path.isEmpty()) return false;
    // An existing regular file counts whether or not it may be read: one that
    // opens read-only counts, and one that does not counts when it can be
    // stat'ed. Opening first therefore adds nothing to the answer, and the
    // stat alone gives it (without opening devices or pipes).
    struct stat st {};
    return ::stat(nativePath(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QStringList QtFileSystem::findFiles(const QString& folder, const QString& pattern)
{
    const Wildcard wildcard(pattern);
    std::vector<QByteArray> names = readFolder(
        folder,
        [&](const char* raw, Kind kind) { return kind != Kind::Folder && wildcard.matches(raw, std::strlen(raw)); },
        false);
    return decodedSorted(names);
}

QStringList QtFileSystem::subFolderNames(const QString& path)
{
    std::vector<QByteArray> names = readFolder(path, [](const char*, Kind kind) { return kind == Kind::Folder; }, true);
    return decodedSorted(names);
}

FolderInfo QtFileSystem::folderInfo(const QString& path)
{
    const QByteArray p = nativePath(path);
    const auto looked = look(p);
    if (!looked || !S_ISDIR(looked->target.st_mode))
        throw PlatformError(errors::pathNotFound, "Path not found (" + path.toStdString() + ")");
    FolderInfo result;
    result.attributes = looked->bits;
    result.isRoot = !p.isEmpty() && p.count('/') == p.size();
    result.identity = std::make_pair(std::uint64_t(looked->target.st_dev), std::uint64_t(looked->target.st_ino));
    return result;
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

namespace {

template <class Keep>
std::vector<QByteArray> readFolderWin(const QString& path, Keep keep, bool throwOnFailure)
{
    std::vector<QByteArray> names;
    QString query = path;
    if (!query.endsWith(QLatin1Char('\\'))) query += QLatin1Char('\\');
    query += QLatin1Char('*');
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileExW(reinterpret_cast<LPCWSTR>(query.utf16()), FindExInfoBasic, &data,
                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD e = GetLastError();
        if (e == ERROR_FILE_NOT_FOUND) return names;
        if (throwOnFailure) throwListingFailure(path, e == ERROR_ACCESS_DENIED ? EACCES : ENOENT);
        return names;
    }
    do {
        const QString name = QString::fromWCharArray(data.cFileName);
        if (name == QStringLiteral(".") || name == QStringLiteral("..")) continue;
        if (keep(name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) names.push_back(name.toUtf8());
    } while (FindNextFileW(h, &data));
    FindClose(h);
    return names;
}

QStringList fromUtf8Sorted(std::vector<QByteArray>& names)
{
    std::sort(names.begin(), names.end());
    QStringList out;
    for (const QByteArray& n : names) out << QString::fromUtf8(n);
    return out;
}

} // namespace

QStringList QtFileSystem::findFiles(const QString& folder, const QString& pattern)
{
    std::vector<QByteArray> names = readFolderWin(
        folder, [&](const QString& name, bool isFolder) { return !isFolder && matchesWildcard(name, pattern); },
        false);
    return fromUtf8Sorted(names);
}

QStringList QtFileSystem::subFolderNames(const QString& path)
{
    std::vector<QByteArray> names =
        readFolderWin(path, [](const QString&, bool isFolder) { return isFolder; }, true);
    return fromUtf8Sorted(names);
}

FolderInfo QtFileSystem::folderInfo(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isDir()) throw PlatformError(errors::pathNotFound, "Path not found");
    FolderInfo result;
    result.attributes = attributes(path).value_or(attributes::directory);
    result.isRoot = QDir(path).isRoot();
    // Volume and file index identify the folder, also through junctions.
    HANDLE h = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), 0,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION id;
        if (GetFileInformationByHandle(h, &id))
            result.identity = std::make_pair(std::uint64_t(id.dwVolumeSerialNumber),
                                             (std::uint64_t(id.nFileIndexHigh) << 32) | id.nFileIndexLow);
        CloseHandle(h);
    }
    return result;
}

#endif

std::optional<QDateTime> QtFileSystem::modificationTime(const QString& path)
{
    if (path.isEmpty()) return std::nullopt;
    const QFileInfo info(path);
    if (!info.exists()) return std::nullopt;
    return info.lastModified();
}

QString QtFileSystem::findExact(const QString& path, bool includeFolders)
{
    if (path.isEmpty()) return {};
    const QFileInfo info(path);
    if (!info.exists()) return {};
    if (info.isDir() && !includeFolders) return {};
    return info.fileName();
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
