// The output naming rule of the conversion run: the document's base name
// plus ".pub", in the chosen output folder or beside the source. Each
// function takes the path style so that both styles can be exercised; the
// run uses the native one.
#pragma once

#include "conversion/PathHelpers.h"

#include <QString>

#include <optional>

namespace fq::conversion {

// The extension every output file gets.
inline constexpr char16_t publicationExtension[] = u".pub";

// Step 124: the output folder as typed, a separator, the base name, ".pub".
QString outputPathInFolder(const QString& folder, const QString& source, PathStyle style = nativePathStyle());

// Step 128: the source's folder part, a separator, the base name, ".pub".
QString outputPathBesideSource(const QString& source, PathStyle style = nativePathStyle());

enum class OutputOption { None, ChosenFolder, SourceFolder };

// Steps 122 to 130 together: the collapsed output path for the option, or
// no value when neither option is selected.
std::optional<QString> composeOutputPath(OutputOption option, const QString& chosenFolder, const QString& source,
                                         PathStyle style = nativePathStyle());

// True when two path texts name the same file as far as their text tells:
// separators folded, "." and ".." resolved, letter case ignored for
// Windows paths.
bool namesSameFile(const QString& a, const QString& b, PathStyle style = nativePathStyle());

} // namespace fq::conversion
