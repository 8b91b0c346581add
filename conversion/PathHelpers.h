// Path and file helpers shared by the handlers. They work on path texts in
// the native style by default and can be asked for either style, so both
// are exercised everywhere:
//   Windows: "\" separator; a leading run of backslashes (a network path)
//            folds to exactly two.
//   POSIX:   "/" separator; a leading run folds to a single "/".
// Positions are 1-based as the handlers count them; GetFolderPart and
// StripExtension hold a position in 16 bits and raise an overflow error
// (PlatformError) beyond 32,767.
#pragma once

#include <QString>

#include <optional>

namespace fq::platform {
class FileSystem;
}
namespace fq::filelist {
class ListView;
}

namespace fq::conversion {

enum class PathStyle { Windows, Posix };

PathStyle nativePathStyle();
QChar separatorOf(PathStyle style);
// The native separator as a text, for composing paths ("\" or "/").
QString nativeSeparator();

QString GetFolderPart(const QString& path, PathStyle style = nativePathStyle());
QString GetFileNamePart(const QString& path, PathStyle style = nativePathStyle());
QString StripExtension(const QString& name);
QString CollapseBackslashes(const QString& path, PathStyle style = nativePathStyle());

// True when the path's attributes include the directory bit, false when
// they can be read and lack it, no value when they cannot be read.
std::optional<bool> IsFolder(platform::FileSystem& files, const QString& path);

// True when some item of the list has exactly this text.
bool IsInList(const filelist::ListView& list, const QString& text);

} // namespace fq::conversion
