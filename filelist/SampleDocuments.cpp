// Queues the sample documents and offers to open their folder. The sample
// paths are listed afresh at every call; nothing is kept.
#include "filelist/SampleDocuments.h"

#include "app/FileSystemHelpers.h"
#include "conversion/PathHelpers.h"
#include "filelist/ListView.h"
#include "intake/AddFolder.h"
#include "platform/Platform.h"

namespace fq::filelist {

QString sampleFolder(platform::Platform& os)
{
    return os.shell.programFolder() + conversion::nativeSeparator() + QStringLiteral("Samples");
}

void LoadSampleDocuments(ListView& list, platform::Platform& os, QWidget* owner, const QString& title)
{
    const QString sep = conversion::nativeSeparator();
    const QString folder = sampleFolder(os);
    const intake::FileNames names = intake::GetFilesInFolder(os.files, folder, QStringLiteral("*.*"));
    for (int n = 1; n <= names.UBound(); ++n) {
        const QString sample = folder + sep + names(n);
        if (app::PathExists(os.files, sample) && !conversion::IsInList(list, sample)) list.Add(sample);
    }
    const platform::Answer answer = os.windows.messageBox(
        owner,
        QStringLiteral("Would you like this software to open the folder where these sample files are stored (so that "
                       "you can view them before working with them)?"),
        platform::Buttons::YesNo, platform::Icon::None, title);
    if (answer == platform::Answer::Yes) os.shell.open(owner, QLatin1Char('"') + folder + sep + QLatin1Char('"'));
}

} // namespace fq::filelist
