// The output naming rule: folder + separator + base name + ".pub", with the
// doubled separator folded afterwards.
#include "conversion/OutputNaming.h"

#include <QDir>

namespace fq::conversion {

namespace {

QString baseName(const QString& source, PathStyle style)
{
    return StripExtension(GetFileNamePart(source, style));
}

QString comparable(const QString& path, PathStyle style)
{
    QString text = CollapseBackslashes(path, style);
    if (style == PathStyle::Windows) {
        text.replace(u'\\', u'/');
        text = QDir::cleanPath(text).toCaseFolded();
    } else {
        text = QDir::cleanPath(text);
    }
    return text;
}

} // namespace

QString outputPathInFolder(const QString& folder, const QString& source, PathStyle style)
{
    return folder + separatorOf(style) + baseName(source, style) + QString::fromUtf16(publicationExtension);
}

QString outputPathBesideSource(const QString& source, PathStyle style)
{
    return GetFolderPart(source, style) + separatorOf(style) + baseName(source, style)
        + QString::fromUtf16(publicationExtension);
}

std::optional<QString> composeOutputPath(OutputOption option, const QString& chosenFolder, const QString& source,
                                         PathStyle style)
{
    switch (option) {
    case OutputOption::ChosenFolder:
        return CollapseBackslashes(outputPathInFolder(chosenFolder, source, style), style);
    case OutputOption::SourceFolder:
        return CollapseBackslashes(outputPathBesideSource(source, style), style);
    case OutputOption::None:
        break;
    }
    return std::nullopt;
}

bool namesSameFile(const QString& a, const QString& b, PathStyle style)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    return comparable(a, style) == comparable(b, style);
}

} // namespace fq::conversion
