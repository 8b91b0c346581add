// Dropping files and folders on the list: a drag that offers no list of
// files is refused at drag-over; a dropped file is queued as delivered, a
// dropped folder yields the doc and docx documents of its whole tree.
#include "app/Form1.h"

#include "conversion/PathHelpers.h"
#include "filelist/DataObject.h"
#include "intake/AddFolder.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace fq::app {

namespace {

constexpr std::uint32_t hiddenArchive = platform::attributes::hidden | platform::attributes::archive;

// A document: the text after the last dot (the whole name when there is
// none), in lower case, is doc or docx.
bool isWordDocumentName(const QString& name)
{
    const QString extension = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1).toLower();
    return extension == QStringLiteral("doc") || extension == QStringLiteral("docx");
}

bool isDroppedFolder(platform::FileSystem& files, const QString& path)
{
    // Both tests are made for every dropped path.
    const bool listed = !files.findExact(path, true).isEmpty();
    const auto bits = files.attributes(path);
    const bool directory = bits && (*bits & platform::attributes::directory);
    return listed && directory;
}

} // namespace

void Form1::ListView1_OLEDragOver(const QMimeData* data, int* effect)
{
    if (!filelist::DataObject(data).GetFormat(filelist::fileListFormat) && effect) *effect = 0;
}

void Form1::ListView1_OLEDragDrop(const QMimeData* data)
{
    const filelist::DataObject dropped(data);
    if (!dropped.GetFormat(filelist::fileListFormat)) return;
    const QString sep = conversion::nativeSeparator();
    const int count = dropped.FilesCount();
    for (int i = 1; i <= count; ++i) {
        const QString P = dropped.Files(i);
        try {
            if (!isDroppedFolder(os.files, P)) {
                ListView1->Add(P);
                continue;
            }
            intake::FolderList folders{P + sep};
            intake::GetSubDirectories2016(folders, true, intake::WalkContext{os.files, Report, [this] { DoEvents(); }});
            for (const QString& entry : folders) {
                const QString F = entry.left(entry.size() - 1);
                const intake::FileNames names = intake::GetFilesInFolder(os.files, F, QStringLiteral("*.*"));
                for (int n = 1; n <= names.UBound(); ++n) {
                    const QString& N = names(n);
                    if (N.startsWith(QLatin1Char('~')) || !isWordDocumentName(N)) continue;
                    const QString path = F + sep + N;
                    if (!intake::IsExistingFile(os.files, path)) continue;
                    if (os.files.attributes(path) == std::optional<std::uint32_t>(hiddenArchive)) continue;
                    ListView1->Add(conversion::CollapseBackslashes(path));
                }
            }
        } catch (const platform::ProgramEnding&) {
            throw;
        } catch (const std::exception&) {
            // The drop shows nothing of its own; the next dropped path follows.
        }
    }
}

void Form1::OpenFiles(const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (urls.isEmpty()) return;
    QMimeData data;
    data.setUrls(urls);
    try {
        ListView1_OLEDragDrop(&data);
    } catch (const platform::ProgramEnding&) {
        // The window was closed while the folders were walked.
    }
}

} // namespace fq::app
