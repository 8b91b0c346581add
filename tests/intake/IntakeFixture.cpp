#include "tests/intake/IntakeFixture.h"

#include "platform/PlatformError.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <sys/wait.h>
#include <unistd.h>

namespace fq::test {

TempTree::TempTree() = default;

QString TempTree::root() const { return QDir::toNativeSeparators(dir_.path()); }

QString TempTree::path(const QString& relative) const
{
    return QDir::toNativeSeparators(dir_.path() + QLatin1Char('/') + relative);
}

QString TempTree::folder(const QString& relative) const
{
    const QString p = path(relative);
    EXPECT_TRUE(QDir().mkpath(p)) << p.toStdString();
    return p;
}

QString TempTree::file(const QString& relative, const QByteArray& content) const
{
    const QString p = path(relative);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << p.toStdString();
    f.write(content);
    return p;
}

void TempTree::link(const QString& target, const QString& relative) const
{
    const QString p = path(relative);
    EXPECT_TRUE(QFile::link(target, p)) << p.toStdString();
}

void TempTree::setReadOnly(const QString& relative) const
{
    const QString p = path(relative);
    EXPECT_TRUE(QFile::setPermissions(p, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther))
        << p.toStdString();
}

QString ScriptedFileSystem::key(const QString& path)
{
    QString k = QDir::fromNativeSeparators(path);
    while (k.size() > 1 && k.endsWith(QLatin1Char('/'))) k.chop(1);
    return k;
}

platform::FolderInfo ScriptedFileSystem::folderInfo(const QString& path)
{
    const QString k = key(path);
    if (infoFailures.contains(k))
        throw platform::PlatformError(infoFailures.value(k), "Injected failure reading the folder " + k.toStdString());
    platform::FolderInfo info = QtFileSystem::folderInfo(path);
    if (folderAttributes.contains(k)) info.attributes = folderAttributes.value(k);
    if (rootFolders.contains(k)) info.isRoot = true;
    return info;
}

QStringList ScriptedFileSystem::subFolderNames(const QString& path)
{
    const QString k = key(path);
    listed << k;
    if (listingFailures.contains(k))
        throw platform::PlatformError(listingFailures.value(k), "Injected failure listing " + k.toStdString());
    return QtFileSystem::subFolderNames(path);
}

WalkHarness::WalkHarness(platform::FileSystem& files)
    : context{files, report, [this] {
                  if (++yields > yieldLimit) throw platform::ProgramEnding{};
              }}
{
}

void FormFixture::SetUp()
{
    ASSERT_TRUE(tree.valid());
    makeForm();
}

void FormFixture::makeForm()
{
    form = std::make_unique<app::Form1>(tp.get());
    form->ApplicationTitle = QStringLiteral("Folioquill Test");
}

QStringList FormFixture::items() const
{
    QStringList out;
    for (int i = 1; i <= form->ListView1->Count(); ++i) out << form->ListView1->Text(i);
    return out;
}

std::vector<int> FormFixture::errorLines() const
{
    std::vector<int> lines;
    static const QRegularExpression atLine(QStringLiteral("at line (\\d+)"));
    for (const QString& t : tp.windows.errorTexts()) {
        const auto m = atLine.match(t);
        lines.push_back(m.hasMatch() ? m.captured(1).toInt() : -1);
    }
    return lines;
}

QStringList FormFixture::plainMessages() const
{
    QStringList out;
    for (const auto& m : tp.windows.messages)
        if (m.title != QStringLiteral("Application Error")) out << m.text;
    return out;
}

std::optional<QString> runUnprivileged(const std::function<QString()>& work)
{
    if (::geteuid() != 0) return work();
    int fds[2];
    if (::pipe(fds) != 0) return std::nullopt;
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        ::close(fds[0]);
        constexpr uid_t nobody = 65534;
        if (::setgid(nobody) != 0 || ::setuid(nobody) != 0) ::_exit(2);
        const QByteArray text = work().toUtf8();
        const bool written = ::write(fds[1], text.constData(), std::size_t(text.size())) == text.size();
        ::_exit(written ? 0 : 3);
    }
    ::close(fds[1]);
    QByteArray text;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) text.append(buffer, n);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return QString::fromUtf8(text);
}

QStringList relativeFolders(const intake::FolderList& list, const QString& root)
{
    QStringList out;
    const QString base = QDir::fromNativeSeparators(root);
    for (const QString& entry : list) {
        QString e = QDir::fromNativeSeparators(entry);
        if (e.startsWith(base)) e = e.mid(base.size());
        if (e.startsWith(QLatin1Char('/'))) e = e.mid(1);
        out << e;
    }
    return out;
}

QStringList relativeItems(const QStringList& items, const QString& root)
{
    QStringList out;
    const QString base = QDir::fromNativeSeparators(root) + QLatin1Char('/');
    for (const QString& item : items) {
        QString e = QDir::fromNativeSeparators(item);
        if (e.startsWith(base)) e = e.mid(base.size());
        out << e;
    }
    return out;
}

} // namespace fq::test
