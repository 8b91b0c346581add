#include "cli/Inputs.h"

#include "app/ErrorReport.h"
#include "cli/ConsoleWindowSystem.h"
#include "cli/OutputNames.h"
#include "conversion/PathHelpers.h"
#include "intake/AddFolder.h"
#include "platform/qt/QtFileSystem.h"
#include "publishing/engine/Sniff.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace fq::cli {

namespace {

namespace fs = std::filesystem;

QString fromNative(const std::string& name) { return QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(name))); }
std::string toNative(const QString& name) { return QFile::encodeName(name).toStdString(); }

void addFolder(const std::string& named, const Options& options, const intake::WalkContext& walk,
               std::vector<Input>& inputs) {
    const QString sep = conversion::nativeSeparator();
    QString root = fromNative(named);
    if (!root.endsWith(sep)) root += sep;
    intake::FolderList folders{root};
    intake::GetSubDirectories2016(folders, true, walk);
    const std::size_t before = inputs.size();
    for (const QString& folder : folders) {
        const intake::FileNames names = intake::GetFilesInFolder(walk.files, folder, QStringLiteral("*"));
        const std::string below = toNative(folder.mid(root.size()));
        for (int n = 1; n <= names.UBound(); ++n) {
            const std::string source = toNative(folder + names(n));
            if (!engine::isWordDocument(source)) continue;
            const fs::path target = options.outputFolder
                                        ? *options.outputFolder / below / (baseName(source) + ".pub")
                                        : outputPath(source, std::nullopt);
            inputs.push_back({source, target, {}});
        }
    }
    if (inputs.size() == before && !options.quiet)
        std::fprintf(stderr, "folioquill-convert: no Word documents in %s\n", named.c_str());
}

} // namespace

std::vector<Input> collectInputs(const Options& options) {
    platform::QtFileSystem files;
    ConsoleWindowSystem windows;
    app::ErrorReport report(windows, nullptr);
    const intake::WalkContext walk{files, report, [] {}};
    std::vector<Input> inputs;
    for (const std::string& named : options.files) {
        std::error_code ec;
        if (!fs::is_directory(fs::path(named), ec)) {
            inputs.push_back({named, outputPath(named, options.outputFolder), {}});
        } else if (!options.recursive) {
            inputs.push_back({named, {}, "It is a folder; -r converts the Word documents in it."});
        } else {
            addFolder(named, options, walk, inputs);
        }
    }
    return inputs;
}

} // namespace fq::cli
