// Path and file helpers: folder part, file-name part, extension stripping,
// folding of doubled separators, the folder test and the list lookup.
#include "conversion/PathHelpers.h"

#include "filelist/ListView.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"

#include <cstdint>
#include <limits>

namespace fq::conversion {

namespace {

// The runtime's number for an arithmetic overflow.
constexpr int overflowError = 6;

// A found position as the helpers hold it: a 16-bit signed number.
std::int16_t toPosition(qsizetype onePosition)
{
    if (onePosition > std::numeric_limits<std::int16_t>::max())
        throw platform::PlatformError(overflowError,
                                      "Overflow: the position " + std::to_string(onePosition)
                                          + " in the path does not fit in 16 bits (at most 32767)");
    return static_cast<std::int16_t>(onePosition);
}

// Appends text to out with each pair of adjacent separators folded to one,
// scanning left to right with pairs that do not overlap.
void appendFoldingPairs(QString& out, QStringView text, QChar separator)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        out.append(text[i]);
        if (text[i] == separator && i + 1 < n && text[i + 1] == separator)
            i += 2;
        else
            i += 1;
    }
}

} // namespace

PathStyle nativePathStyle()
{
#ifdef Q_OS_WIN
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

QChar separatorOf(PathStyle style)
{
    return style == PathStyle::Windows ? QChar(u'\\') : QChar(u'/');
}

QString nativeSeparator()
{
    return QString(separatorOf(nativePathStyle()));
}

QString GetFolderPart(const QString& path, PathStyle style)
{
    const qsizetype last = path.lastIndexOf(separatorOf(style));
    if (last < 0)
        return QString();
    const std::int16_t position = toPosition(last + 1);
    return path.left(position);
}

QString GetFileNamePart(const QString& path, PathStyle style)
{
    const qsizetype last = path.lastIndexOf(separatorOf(style));
    if (last < 0)
        return path;
    return path.mid(last + 1);
}

QString StripExtension(const QString& name)
{
    if (name.isEmpty())
        return name;
    const qsizetype last = name.lastIndexOf(u'.');
    if (last < 0)
        return name;
    const std::int16_t position = toPosition(last + 1);
    if (position < 2)
        return name;
    return name.left(position - 1);
}

QString CollapseBackslashes(const QString& path, PathStyle style)
{
    const QChar separator = separatorOf(style);
    if (path.isEmpty())
        return QString();
    QString out;
    out.reserve(path.size() + 1);
    if (path.front() != separator) {
        appendFoldingPairs(out, path, separator);
        return out;
    }
    // A leading run of separators: two on Windows (the network prefix),
    // one on POSIX.
    qsizetype rest = 1;
    while (rest < path.size() && path[rest] == separator)
        ++rest;
    out.append(separator);
    if (style == PathStyle::Windows)
        out.append(separator);
    appendFoldingPairs(out, QStringView(path).mid(rest), separator);
    return out;
}

std::optional<bool> IsFolder(platform::FileSystem& files, const QString& path)
{
    // No file can be named by an empty text or one holding a NUL character
    // (the system would read such a text only up to the NUL).
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return std::nullopt;
    try {
        const std::optional<std::uint32_t> bits = files.attributes(path);
        if (!bits)
            return std::nullopt;
        return (*bits & platform::attributes::directory) != 0;
    } catch (...) {
        return std::nullopt;
    }
}

bool IsInList(const filelist::ListView& list, const QString& text)
{
    bool found = false;
    const int count = list.Count();
    for (int i = 1; i <= count; ++i) {
        if (list.Text(i) == text)
            found = true;
    }
    return found;
}

} // namespace fq::conversion
