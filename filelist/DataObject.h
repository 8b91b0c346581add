// The drag data as the drop handlers read it: the format query and the list
// of dropped files. Qt's list of local file URLs stands for the platform's
// file-list format (number 15); nothing else is offered in that format.
#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

namespace fq::filelist {

// The format number of a list of dropped files.
inline constexpr int fileListFormat = 15;

class DataObject {
public:
    explicit DataObject(const QMimeData* data);

    // True when the data is offered in the given format; only the file-list
    // format is known: URLs, every one naming a local file or folder.
    bool GetFormat(int format) const;

    // The dropped paths (native separators, no trailing separator except for
    // a root), indexed from 1 to FilesCount(). Files() of an index outside
    // that range throws PlatformError.
    int FilesCount() const { return int(files_.size()); }
    QString Files(int index) const;

private:
    QStringList files_;
    bool isFileList_ = false;
};

} // namespace fq::filelist
