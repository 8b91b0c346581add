#include "app/CursorFile.h"

#include "platform/PlatformError.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPixmap>

namespace fq::app {

namespace {

[[noreturn]] void unreadable(const QString& path, const char* why)
{
    throw platform::PlatformError(platform::errors::invalidArgument,
                                  (QStringLiteral("The pointer file \"") + path + QStringLiteral("\" cannot be loaded: ")
                                   + QString::fromLatin1(why))
                                      .toStdString());
}

unsigned word(const QByteArray& data, int at)
{
    return unsigned(quint8(data[at])) | (unsigned(quint8(data[at + 1])) << 8);
}

} // namespace

QCursor loadPointerFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists()) throw platform::PlatformError(platform::errors::fileNotFound, ("File not found: " + path).toStdString());
        unreadable(path, "it cannot be opened.");
    }
    const QByteArray data = file.readAll();
    // Header: reserved 0, type (1 icon, 2 cursor), count; then 16-byte entries.
    if (data.size() < 6 + 16 || word(data, 0) != 0 || (word(data, 2) != 1 && word(data, 2) != 2) || word(data, 4) == 0)
        unreadable(path, "it is not a cursor or icon file.");
    const bool isCursor = word(data, 2) == 2;

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    const QImage image = reader.read();
    if (image.isNull()) unreadable(path, "its picture cannot be decoded.");

    int hotX = image.width() / 2;
    int hotY = image.height() / 2;
    if (isCursor) {
        hotX = int(word(data, 6 + 4));
        hotY = int(word(data, 6 + 6));
        if (hotX >= image.width() || hotY >= image.height()) unreadable(path, "its hot spot lies outside the picture.");
    }
    return QCursor(QPixmap::fromImage(image), hotX, hotY);
}

} // namespace fq::app
