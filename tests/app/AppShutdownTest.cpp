// Shut-down: the two leftover files in the temporary folder, the sound
// limits on what may be deleted, and closing while a handler lets events
// through.
#include "app/Steps.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/support/FormFixture.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace fq;
using fq::test::FormFixture;

namespace {

// The real file system, recording every deletion asked of it.
class RecordingFiles : public platform::QtFileSystem {
public:
    QStringList deletions;
    void deleteFile(const QString& path) override
    {
        deletions << path;
        QtFileSystem::deleteFile(path);
    }
    void deleteFileForced(const QString& path) override
    {
        deletions << QStringLiteral("forced:") + path;
        QtFileSystem::deleteFileForced(path);
    }
};

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write("x");
}

bool exists(const QString& path) { return QFileInfo::exists(path); }

} // namespace

TEST(AppShutdown, ClosingDeletesExactlyTheTwoFiles)
{
    FormFixture f;
    const QString temp = f.dir.path() + QStringLiteral("/temp");
    QDir().mkpath(temp);
    for (const char* name : {"Aspose.Words.dll", "Quirebind.exe", "Aspose.Words.dll.bak", "other.exe", "quirebind.exe2"})
        touch(temp + QLatin1Char('/') + QString::fromLatin1(name));
    f.environment().variables[QStringLiteral("TEMP")] = temp;
    app::Form1& form = f.load();
    f.show();
    form.close();
    EXPECT_FALSE(exists(temp + QStringLiteral("/Aspose.Words.dll")));
    EXPECT_FALSE(exists(temp + QStringLiteral("/Quirebind.exe")));
    EXPECT_TRUE(exists(temp + QStringLiteral("/Aspose.Words.dll.bak")));
    EXPECT_TRUE(exists(temp + QStringLiteral("/other.exe")));
    EXPECT_TRUE(exists(temp + QStringLiteral("/quirebind.exe2")));
    EXPECT_TRUE(f.windows().messages.empty());
    EXPECT_TRUE(f.windows().isEnding());
    EXPECT_FALSE(form.isVisible());
    // Each deletion lets events run once, then steps 104 and 106.
    EXPECT_EQ(f.windows().processEventsCalls, 4);
}

// A file system whose plain delete always fails, as for a read-only file on
// Windows.
class RefusingPlainDelete : public RecordingFiles {
public:
    void deleteFile(const QString& path) override
    {
        deletions << path;
        throw platform::PlatformError(platform::errors::permissionDenied, "Permission denied");
    }
};

TEST(AppShutdown, FailedPlainDeleteFallsBackToTheForcedDelete)
{
    FormFixture f;
    RefusingPlainDelete files;
    f.platform.files = &files;
    const QString temp = f.dir.path() + QStringLiteral("/temp");
    QDir().mkpath(temp);
    const QString target = temp + QStringLiteral("/Quirebind.exe");
    touch(target);
    QFile::setPermissions(target, QFileDevice::ReadOwner);
    f.environment().variables[QStringLiteral("TEMP")] = temp;
    app::Form1& form = f.load();
    form.Form_QueryUnload();
    EXPECT_FALSE(exists(target));
    // The first two attempts concern the other file, which is not there.
    EXPECT_EQ(files.deletions.mid(2), (QStringList{QDir::toNativeSeparators(target),
                                            QStringLiteral("forced:") + QDir::toNativeSeparators(target)}));
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST(AppShutdown, UnsetOrEmptyTempDeletesNothing)
{
    for (const bool empty : {false, true}) {
        FormFixture f;
        RecordingFiles files;
        f.platform.files = &files;
        if (empty) f.environment().variables[QStringLiteral("TEMP")] = QString();
        app::Form1& form = f.load();
        form.Form_QueryUnload();
        EXPECT_TRUE(files.deletions.isEmpty()) << files.deletions.join(QLatin1Char(',')).toStdString();
        EXPECT_TRUE(f.windows().messages.empty());
        EXPECT_EQ(f.windows().processEventsCalls, 2); // steps 104 and 106 still run
    }
}

TEST(AppShutdown, WildcardsInTempDeleteNothingElse)
{
    FormFixture f;
    const QString base = f.dir.path() + QStringLiteral("/temp");
    QDir().mkpath(base + QStringLiteral("/a"));
    QDir().mkpath(base + QStringLiteral("/bb"));
    touch(base + QStringLiteral("/a/Aspose.Words.dll"));
    touch(base + QStringLiteral("/bb/Quirebind.exe"));
    app::Form1& form = f.load();
    for (const QString& pattern : {QStringLiteral("/?"), QStringLiteral("/*"), QStringLiteral("/b*")}) {
        f.environment().variables[QStringLiteral("TEMP")] = base + pattern;
        form.Form_QueryUnload();
        EXPECT_TRUE(exists(base + QStringLiteral("/a/Aspose.Words.dll"))) << pattern.toStdString();
        EXPECT_TRUE(exists(base + QStringLiteral("/bb/Quirebind.exe"))) << pattern.toStdString();
    }
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST(AppShutdown, TempWithoutTheFilesShowsNothing)
{
    FormFixture f;
    f.environment().variables[QStringLiteral("TEMP")] = f.dir.path();
    app::Form1& form = f.load();
    f.show();
    form.close();
    EXPECT_TRUE(f.windows().messages.empty());
    EXPECT_TRUE(f.windows().isEnding());
}

TEST(AppShutdown, ClosingDuringAHandlerEndsThatHandlerThere)
{
    FormFixture f;
    const QString temp = f.dir.path() + QStringLiteral("/temp");
    QDir().mkpath(temp);
    touch(temp + QStringLiteral("/Aspose.Words.dll"));
    f.environment().variables[QStringLiteral("TEMP")] = temp;
    app::Form1& form = f.load();
    f.show();
    // A long handler letting events through once per piece of work, the way
    // the conversion run and the folder walk do; the user closes the window
    // during its second round.
    f.windows().pendingEvents = {[] {}, [&] { form.close(); }};
    QStringList done;
    auto longHandler = [&] {
        app::Steps s(form.Report, app::formLocation(QStringLiteral("PushButton2_Click")));
        for (int round = 1; round <= 4; ++round) {
            s.step(110, [&] { form.DoEvents(); });
            s.step(112, [&] { done << QString::number(round); });
        }
        s.step(120, [&] {
            form.os.windows.messageBox(&form, QStringLiteral("Done."), platform::Buttons::Ok, platform::Icon::None,
                                       form.ApplicationTitle);
        });
    };
    EXPECT_THROW(longHandler(), platform::ProgramEnding);
    EXPECT_EQ(done, QStringList{QStringLiteral("1")}); // never resumed after the close
    EXPECT_TRUE(f.windows().messages.empty());         // no "Done.", no error box
    EXPECT_TRUE(f.windows().isEnding());
    EXPECT_FALSE(exists(temp + QStringLiteral("/Aspose.Words.dll"))); // the shut-down ran inside it
    // Later attempts to let events through leave at once as well.
    EXPECT_THROW(form.DoEvents(), platform::ProgramEnding);
}

TEST(AppShutdownQt, CloseArrivingDuringRealEventProcessingEndsTheHandler)
{
    // The real window system: the close request waits in Qt's event queue
    // until the handler lets events through.
    QTemporaryDir dir;
    platform::QtWindowSystem windows;
    test::FakeShell shell;
    shell.program = dir.path();
    platform::QtFileSystem files;
    test::FakeSettings settings;
    test::FakeEnvironment environment;
    test::UnavailablePublishing publishing;
    platform::Platform os{windows, shell, files, settings, environment, publishing};
    app::Form1 form(os);
    form.Form_Load();
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);

    QMetaObject::invokeMethod(&form, &QWidget::close, Qt::QueuedConnection);
    int roundsDone = 0;
    auto longHandler = [&] {
        for (int round = 1; round <= 3; ++round) {
            form.DoEvents();
            ++roundsDone;
        }
    };
    EXPECT_THROW(longHandler(), platform::ProgramEnding);
    EXPECT_EQ(roundsDone, 0);
    EXPECT_TRUE(windows.isEnding());
    EXPECT_FALSE(form.isVisible());
}
