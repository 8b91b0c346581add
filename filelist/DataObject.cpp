// Reads the dropped paths out of Qt's drag data once, at construction.
#include "filelist/DataObject.h"

#include "platform/PlatformError.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace fq::filelist {

namespace {

// The runtime's number for an index outside a collection.
constexpr int subscriptOutOfRange = 9;

QString droppedPath(const QUrl& url)
{
    QString path = QDir::toNativeSeparators(url.toLocalFile());
    // The shell hands folders over without a trailing separator.
    while (path.size() > 1 && path.endsWith(QDir::separator()) && !QDir(path).isRoot())
        path.chop(1);
    return path;
}

} // namespace

DataObject::DataObject(const QMimeData* data)
{
    if (!data || !data->hasUrls()) return;
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (!url.isLocalFile() || url.toLocalFile().isEmpty()) {
            files_.clear();
            return;
        }
        files_ << droppedPath(url);
    }
    isFileList_ = !files_.isEmpty();
}

bool DataObject::GetFormat(int format) const { return format == fileListFormat && isFileList_; }

QString DataObject::Files(int index) const
{
    if (index < 1 || index > FilesCount())
        throw platform::PlatformError(subscriptOutOfRange,
                                      "Subscript out of range: no dropped file numbered " + std::to_string(index));
    return files_[index - 1];
}

} // namespace fq::filelist
