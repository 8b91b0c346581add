// The folder walk, level by level: one call handles one level of the tree
// for all folders of the list together and hands the next level to one
// recursive call, so the recursion is as deep as the tree. The steps carry
// the line numbers that the error report shows.
#include "intake/AddFolder.h"

#include "app/ErrorReport.h"
#include "app/ProductInfo.h"
#include "app/Steps.h"
#include "conversion/PathHelpers.h"
#include "platform/FileSystem.h"
#include "platform/PlatformError.h"

#include <set>
#include <utility>

namespace fq::intake {

namespace {

using Identity = std::pair<std::uint64_t, std::uint64_t>;
// Folders already taken into the walk, by device and inode.
using Identities = std::set<Identity>;

// The runtime's number for an index outside an array.
constexpr int subscriptOutOfRange = 9;

bool isFolder(platform::FileSystem& files, const QString& path)
{
    return conversion::IsFolder(files, path).value_or(false);
}

bool excludedAttributes(const platform::FolderInfo& info)
{
    return info.attributes == hiddenSystemFolder || info.attributes == hiddenSystemLinkFolder;
}

// True the first time a folder is met; false when the same folder was
// already taken in (through a symbolic link, for instance). A folder whose
// identity cannot be told counts as new.
bool firstVisit(platform::FileSystem& files, const QString& path, Identities& walked)
{
    try {
        const platform::FolderInfo info = files.folderInfo(path);
        if (info.identity) return walked.insert(*info.identity).second;
    } catch (const platform::PlatformError&) {
    }
    return true;
}

void removeFirst(FolderList& list, const QString& text, qsizetype& current)
{
    const qsizetype at = list.indexOf(text);
    if (at < 0) return;
    list.removeAt(at);
    if (at <= current) --current;
}

void walkLevel(FolderList& L, bool recurse, const WalkContext& ctx, Identities& walked)
{
    platform::FileSystem& files = ctx.files;
    const QString sep = conversion::nativeSeparator();
    app::Steps s(ctx.report, walkLocation());

    // While the listing-failure rule is on, a failure on the current entry
    // ends the work on it silently; before that, steps report their failures.
    bool ruleOn = false;
    auto run = [&](int line, auto&& action) {
        if (ruleOn) {
            action();
            return true;
        }
        return s.step(line, action);
    };
    auto check = [&](int line, auto&& condition) {
        if (ruleOn) return static_cast<bool>(condition());
        return s.test(line, condition);
    };

    // line 100: the file-system object of this call is the context's.
    FolderList D; // line 104

    for (qsizetype i = 0; i < L.size(); ++i) { // line 106
        const QString F = L[i];
        try {
            if (check(108, [&] { return !isFolder(files, F); })) continue;
            if (check(110, [&] { return F.size() >= walkLengthBound; })) continue;
            std::optional<platform::FolderInfo> info;
            run(112, [&] { info = files.folderInfo(F); });
            run(114, [&] { ctx.doEvents(); });
            if (!info) continue; // its failure has been reported
            if (check(116, [&] { return !info->isRoot && excludedAttributes(*info); })) continue;
            ruleOn = true;
            if (info->identity) walked.insert(*info->identity);

            const QStringList names = files.subFolderNames(F); // line 118
            for (const QString& name : names) {
                ctx.doEvents();                                  // line 120
                if (name.size() >= walkLengthBound) continue;    // lines 122, 124
                if (HasBadNameChars(name)) continue;             // line 126
                if (name.contains(QLatin1Char('?'))) continue;   // line 128
                if (name == QStringLiteral(".") || name == QStringLiteral("..")) continue; // line 130
                const QString path = F + name;                   // line 132
                if (!firstVisit(files, path, walked)) continue;  // a folder met before
                D.append(path + sep);                            // line 134
            }
        } catch (const platform::ProgramEnding&) {
            throw;
        } catch (const platform::PlatformError& e) {
            // lines 140 to 148: a folder that cannot be listed leaves the list.
            if (e.number() == platform::errors::permissionDenied || e.number() == platform::errors::pathNotFound)
                removeFirst(L, F, i);
        } catch (...) {
            // Any other failure ends the work on this entry; it stays listed.
        }
    } // line 136

    s.step(150, [&] {
        if (!D.isEmpty() && recurse) walkLevel(D, true, ctx, walked);
    });
    ruleOn = false;

    for (const QString& G : D) { // line 152
        if (s.test(154, [&] { return isFolder(files, G); })) {
            s.step(156, [&] { ctx.doEvents(); });
            if (s.test(158, [&] {
                    const platform::FolderInfo info = files.folderInfo(G);
                    return info.isRoot || !excludedAttributes(info);
                }))
                s.step(160, [&] { L.append(G); });
        }
    }
}

} // namespace

FileNames::FileNames() : entries_{QString()}, lower_(0) {}

FileNames::FileNames(std::vector<QString> names) : entries_(std::move(names)), lower_(1)
{
    if (entries_.empty()) {
        entries_.push_back(QString());
        lower_ = 0;
    }
}

const QString& FileNames::operator()(int index) const
{
    if (index < LBound() || index > UBound())
        throw platform::PlatformError(subscriptOutOfRange,
                                      "Subscript out of range: no file name numbered " + std::to_string(index));
    return entries_[std::size_t(index - lower_)];
}

QString walkLocation()
{
    return app::locationText(QString::fromLatin1(product::walkModuleProject),
                             QString::fromLatin1(product::walkModuleName), QStringLiteral("GetSubDirectories2016"));
}

void GetSubDirectories2016(FolderList& folders, bool recurse, const WalkContext& context)
{
    Identities walked;
    walkLevel(folders, recurse, context, walked);
}

FileNames GetFilesInFolder(platform::FileSystem& files, const QString& folder, const QString& pattern)
{
    std::vector<QString> room(100);
    QString dir = folder;
    const QString sep = conversion::nativeSeparator();
    if (!dir.endsWith(sep)) dir += sep;
    std::size_t count = 0;
    for (const QString& name : files.findFiles(dir, pattern)) {
        if (!IsExistingFile(files, dir + name)) continue;
        ++count;
        if (count > room.size()) room.resize(room.size() + 50);
        room[count - 1] = name;
    }
    room.resize(count);
    return FileNames(std::move(room));
}

bool IsExistingFile(platform::FileSystem& files, const QString& path)
{
    try {
        return files.canOpenExisting(path);
    } catch (...) {
        return false;
    }
}

bool HasBadNameChars(const QString& name)
{
    for (const char32_t code : name.toUcs4()) {
        if (code < 32 || (code >= 127 && code <= 159) || code == U'?') return true;
    }
    return false;
}

} // namespace fq::intake
