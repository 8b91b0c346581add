// The sample documents that lie in the "Samples" folder beside the program:
// queuing them, and offering to open their folder.
#pragma once

#include <QString>

class QWidget;

namespace fq::platform {
struct Platform;
}

namespace fq::filelist {

class ListView;

// The sample folder: the program's folder, the separator and "Samples".
QString sampleFolder(platform::Platform& os);

// Appends every file of the sample folder that exists and is not listed yet
// (exact text), in listing order; then asks whether to open the folder and
// opens it in the shell on Yes. The question shows title and is owned by owner.
void LoadSampleDocuments(ListView& list, platform::Platform& os, QWidget* owner, const QString& title);

} // namespace fq::filelist
