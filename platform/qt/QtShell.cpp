#include "platform/qt/QtShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace fq::platform {

QString QtShell::browseForFolder(QWidget* owner, const QString& title, const QString& initialFolder)
{
    const QString chosen = QFileDialog::getExistingDirectory(owner, title, initialFolder, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) return {};
    QString native = QDir::toNativeSeparators(chosen);
    // Like the shell, no trailing separator except for a root.
    while (native.size() > 1 && native.endsWith(QDir::separator()) && !QDir(native).isRoot())
        native.chop(1);
    return native;
}

void QtShell::open(QWidget*, const QString& target)
{
    QString t = target;
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
        t = t.mid(1, t.size() - 2);
    const QUrl url = t.contains(QStringLiteral("://")) ? QUrl(t) : QUrl::fromLocalFile(t);
    QDesktopServices::openUrl(url);
}

QString QtShell::desktopFolder()
{
    return QDir::toNativeSeparators(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

QString shippedFilesFolder(const QString& programDir, const QString& installedRelative)
{
    const QString installed = QDir::cleanPath(programDir + QLatin1Char('/') + installedRelative);
    const bool isInstalled = !installedRelative.isEmpty() && QFileInfo(installed).isDir();
    return QDir::toNativeSeparators(isInstalled ? installed : programDir);
}

QString QtShell::programFolder()
{
    return shippedFilesFolder(QCoreApplication::applicationDirPath(), QStringLiteral(FQ_DATA_FROM_BIN));
}

} // namespace fq::platform
