// "Add All Word File(s) In Folder": asks for an extension and a folder, walks
// the folder tree and queues every matching file, folder by folder in walk
// order and within a folder in listing order.
#include "app/Form1.h"

#include "app/Steps.h"
#include "conversion/BrowseForFolder.h"
#include "conversion/PathHelpers.h"
#include "intake/AddFolder.h"

namespace fq::app {

namespace {

// Attribute value of a file that is exactly hidden plus archive.
constexpr std::uint32_t hiddenArchive = platform::attributes::hidden | platform::attributes::archive;

std::uint32_t attributesOf(platform::FileSystem& files, const QString& path)
{
    if (const auto bits = files.attributes(path)) return *bits;
    throw platform::PlatformError(platform::errors::fileNotFound,
                                  "File not found: the attributes of " + path.toStdString() + " cannot be read");
}

} // namespace

void Form1::PushButton3_Click()
{
    Steps s(Report, formLocation(QStringLiteral("PushButton3_Click")));
    const QString sep = conversion::nativeSeparator();
    QString answer;
    QString folder;
    intake::FolderList folders;

    s.step(100, [&] {
        answer = os.windows.inputBox(this,
                                     QStringLiteral("Enter file extension to load:\r\r(* for all files, txt for all txt "
                                                    "files, doc for all doc files, etc.)"),
                                     ApplicationTitle, os.settings.GetSetting(QStringLiteral("Extension"), QStringLiteral("do*")));
        if (!answer.isEmpty()) os.settings.SaveSetting(QStringLiteral("Extension"), answer);
    });
    if (s.test(102, [&] { return answer.isEmpty(); })) return;
    s.step(104, [&] { os.settings.SaveSetting(QStringLiteral("Extension"), answer); });
    s.step(106, [&] {
        folder = conversion::BrowseForFolder(os.shell, this, QStringLiteral("Please select folder:"),
                                             os.settings.GetSetting(QStringLiteral("LastFolder"), QString()));
    });
    if (s.test(108, [&] { return folder.isEmpty(); })) return;
    QString lastFolder;
    s.step(333, [&] { lastFolder = folder; });
    s.step(334, [&] { os.settings.SaveSetting(QStringLiteral("LastFolder"), lastFolder); });
    s.step(114, [&] { SetMousePointer(pointer::hourglass); });
    s.step(116, [&] { folders = intake::FolderList{folder + sep}; });
    s.step(118, [&] {
        intake::GetSubDirectories2016(folders, true, intake::WalkContext{os.files, Report, [this] { DoEvents(); }});
    });
    const QString pattern = QStringLiteral("*.") + answer;
    for (const QString& entry : folders) { // line 120
        QString F;
        s.step(122, [&] { F = entry.left(entry.size() - 1); });
        intake::FileNames names;
        s.step(124, [&] { names = intake::GetFilesInFolder(os.files, F, pattern); });
        for (int n = 1; n <= names.UBound(); ++n) { // line 126
            const QString& name = names(n);
            if (s.test(128, [&] { return name.startsWith(QLatin1Char('~')); })) continue;
            QString path;
            s.step(130, [&] { path = F + sep + name; });
            if (s.test(134, [&] {
                    return intake::IsExistingFile(os.files, path) && attributesOf(os.files, path) != hiddenArchive;
                }))
                s.step(134, [&] { ListView1->Add(conversion::CollapseBackslashes(path)); });
        } // line 136
    }
    s.step(138, [&] { SetMousePointer(pointer::defaultPointer); });
}

} // namespace fq::app
