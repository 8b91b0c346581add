// The shell's helpers: Boolean settings, the application title, the
// file-system helpers and the pointer files.
#include "app/ApplicationTitle.h"
#include "app/BooleanSetting.h"
#include "app/CursorFile.h"
#include "app/FileSystemHelpers.h"
#include "app/StartOptions.h"
#include "platform/PlatformError.h"
#include "platform/qt/QtFileSystem.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fq;

TEST(AppBooleanSetting, AcceptsWordsInAnyCaseAndNumbers)
{
    const std::pair<const char*, bool> cases[] = {
        {"True", true},  {"TRUE", true},  {"true", true}, {"tRuE", true}, {"False", false}, {"FALSE", false},
        {"false", false}, {"1", true},    {"-1", true},   {"0", false},   {"0.0", false},   {"2.5", true},
        {" 1 ", true},   {" True ", true}, {"-0", false},  {"1e3", true},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(app::ToBoolean(QString::fromLatin1(text)), value) << text;
}

TEST(AppBooleanSetting, OtherTextsFailWithTypeMismatch)
{
    for (const char* text : {"", "Yes", "no", "on", "1x", "True1", "T", "inf", "nan", "&H1"}) {
        try {
            app::ToBoolean(QString::fromLatin1(text));
            ADD_FAILURE() << "accepted: " << text;
        } catch (const platform::PlatformError& e) {
            EXPECT_EQ(e.number(), 13) << text;
            EXPECT_NE(std::string(e.what()).find("Type mismatch"), std::string::npos);
        }
    }
}

TEST(AppBooleanSetting, ReadsTheStoreWithItsDefault)
{
    test::FakeSettings settings;
    EXPECT_TRUE(app::GetBooleanSetting(settings, QStringLiteral("Option1"), QStringLiteral("1")));
    EXPECT_FALSE(app::GetBooleanSetting(settings, QStringLiteral("Option2"), QStringLiteral("0")));
    settings.values[QStringLiteral("Option2")] = QStringLiteral("True");
    EXPECT_TRUE(app::GetBooleanSetting(settings, QStringLiteral("Option2"), QStringLiteral("0")));
    EXPECT_TRUE(settings.saves.isEmpty()); // reading never writes
    EXPECT_EQ(app::FromBoolean(true), QStringLiteral("True"));
    EXPECT_EQ(app::FromBoolean(false), QStringLiteral("False"));
}

TEST(AppTitle, NameWithoutBlankStaysWhole)
{
    EXPECT_EQ(app::shortenedTitle(QStringLiteral("Folioquill")), QStringLiteral("Folioquill"));
}

TEST(AppTitle, AtLeastTheLastWordIsDropped)
{
    EXPECT_EQ(app::shortenedTitle(QStringLiteral("Folioquill Pro")), QStringLiteral("Folioquill"));
}

TEST(AppTitle, LongNameIsCutToTheLongestLeadingRunOfWholeWords)
{
    // 34 characters before "Publisher", 44 with it.
    const QString name = QStringLiteral("Trevalon Folioquill Word Converter Publisher Batch Edition");
    const QString title = app::shortenedTitle(name);
    EXPECT_EQ(title, QStringLiteral("Trevalon Folioquill Word Converter"));
    EXPECT_LE(title.size(), 40);
    // Exactly 40 characters is short enough.
    const QString forty = QStringLiteral("Aaaaaaaaa Bbbbbbbbb Ccccccccc Dddddddddd");
    ASSERT_EQ(forty.size(), 40);
    EXPECT_EQ(app::shortenedTitle(forty + QStringLiteral(" Eeee Ffff")), forty);
}

TEST(AppTitle, OneLongWordLeftAfterCuttingIsKept)
{
    const QString word(45, QLatin1Char('w'));
    EXPECT_EQ(app::shortenedTitle(word + QStringLiteral(" tail")), word);
}

class AppFileSystemHelpers : public ::testing::Test {
protected:
    QTemporaryDir dir;
    platform::QtFileSystem files;
    test::FakeWindowSystem windows;
    QString path(const char* name) const { return dir.path() + QLatin1Char('/') + QString::fromLatin1(name); }
    void touch(const QString& p)
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
};

TEST_F(AppFileSystemHelpers, PathExistsForFilesAndFoldersOnly)
{
    touch(path("a.doc"));
    EXPECT_TRUE(app::PathExists(files, path("a.doc")));
    EXPECT_TRUE(app::PathExists(files, dir.path()));
    EXPECT_FALSE(app::PathExists(files, path("missing.doc")));
    EXPECT_FALSE(app::PathExists(files, QString()));
    EXPECT_FALSE(app::PathExists(files, path("a.doc") + QStringLiteral("/inside")));
}

TEST_F(AppFileSystemHelpers, DesktopFolderEndsInTheSeparator)
{
    test::FakeShell shell;
    shell.desktop = QStringLiteral("/home/ann/Desktop");
    EXPECT_EQ(app::GetDesktopFolder(shell), QStringLiteral("/home/ann/Desktop") + QDir::separator());
}

TEST_F(AppFileSystemHelpers, UnknownDesktopFailsWithInvalidArgument)
{
    test::FakeShell shell;
    shell.desktop.clear();
    try {
        app::GetDesktopFolder(shell);
        FAIL() << "no failure";
    } catch (const platform::PlatformError& e) {
        EXPECT_EQ(e.number(), platform::errors::invalidArgument);
        EXPECT_NE(std::string(e.what()).find("desktop folder"), std::string::npos);
    }
}

TEST_F(AppFileSystemHelpers, DeleteFileForcedLetsEventsRunThenDeletes)
{
    touch(path("x.dll"));
    bool fileThereWhileEventsRan = false;
    windows.pendingEvents = {[&] { fileThereWhileEventsRan = QFileInfo::exists(path("x.dll")); }};
    app::DeleteFileForced(windows, files, path("x.dll"));
    EXPECT_TRUE(fileThereWhileEventsRan);
    EXPECT_FALSE(QFileInfo::exists(path("x.dll")));
    EXPECT_EQ(windows.processEventsCalls, 1);
}

TEST_F(AppFileSystemHelpers, DeleteFileForcedIgnoresEveryFailure)
{
    QDir().mkpath(path("folder"));
    EXPECT_NO_THROW(app::DeleteFileForced(windows, files, path("missing.dll")));
    EXPECT_NO_THROW(app::DeleteFileForced(windows, files, path("folder")));
    EXPECT_NO_THROW(app::DeleteFileForced(windows, files, QString()));
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
}

TEST_F(AppFileSystemHelpers, DeleteFileForcedTakesNamesLiterally)
{
    touch(path("one.dll"));
    touch(path("two.dll"));
    app::DeleteFileForced(windows, files, path("*.dll"));
    app::DeleteFileForced(windows, files, path("???.dll"));
    EXPECT_TRUE(QFileInfo::exists(path("one.dll")));
    EXPECT_TRUE(QFileInfo::exists(path("two.dll")));
}

TEST_F(AppFileSystemHelpers, DeleteFileForcedRemovesReadOnlyFiles)
{
    touch(path("ro.exe"));
    QFile::setPermissions(path("ro.exe"), QFileDevice::ReadOwner);
    app::DeleteFileForced(windows, files, path("ro.exe"));
    EXPECT_FALSE(QFileInfo::exists(path("ro.exe")));
}

TEST_F(AppFileSystemHelpers, ProgramEndingPassesThroughAndNothingIsDeleted)
{
    touch(path("x.dll"));
    windows.ending = true;
    EXPECT_THROW(app::DeleteFileForced(windows, files, path("x.dll")), platform::ProgramEnding);
    EXPECT_TRUE(QFileInfo::exists(path("x.dll")));
}

TEST_F(AppFileSystemHelpers, FsoDeleteFileReportsFailures)
{
    EXPECT_THROW(app::FsoDeleteFile(files, path("missing.dll")), platform::PlatformError);
    touch(path("y.dll"));
    app::FsoDeleteFile(files, path("y.dll"));
    EXPECT_FALSE(QFileInfo::exists(path("y.dll")));
}

TEST(AppPointerFiles, HandCursorHasItsHotSpotOnTheFingerTip)
{
    const QCursor hand = app::loadPointerFile(QStringLiteral(FQ_SOURCE_DIR "/data/HAND-M.CUR"));
    EXPECT_EQ(hand.hotSpot(), QPoint(6, 0));
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    const QImage image = hand.pixmap().toImage();
    EXPECT_EQ(qAlpha(image.pixel(6, 0)), 255);       // the finger tip is drawn
    EXPECT_EQ(qAlpha(image.pixel(31, 31)), 0);       // the corner is transparent
}

TEST(AppPointerFiles, DragIconIsCentred)
{
    const QCursor drag = app::loadPointerFile(QStringLiteral(FQ_SOURCE_DIR "/data/drag.ico"));
    EXPECT_EQ(drag.hotSpot(), QPoint(16, 16));
    EXPECT_FALSE(drag.pixmap().isNull());
}

TEST(AppPointerFiles, ShippedBesideTheProgram)
{
    for (const char* name : {"HAND-M.CUR", "drag.ico"})
        EXPECT_NO_THROW(app::loadPointerFile(QStringLiteral(FQ_RUNTIME_DIR "/") + QString::fromLatin1(name))) << name;
}

TEST(AppPointerFiles, BrokenOrMissingFilesFailReadably)
{
    QTemporaryDir dir;
    const QString bad = dir.path() + QStringLiteral("/bad.cur");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\0\0\2\0\1\0", 6) + QByteArray(16, '\0') + QByteArray("garbage"));
    f.close();
    try {
        app::loadPointerFile(bad);
        FAIL() << "garbage loaded";
    } catch (const platform::PlatformError& e) {
        EXPECT_NE(std::string(e.what()).find("bad.cur"), std::string::npos);
    }
    try {
        app::loadPointerFile(dir.path() + QStringLiteral("/none.cur"));
        FAIL() << "missing file loaded";
    } catch (const platform::PlatformError& e) {
        EXPECT_EQ(e.number(), platform::errors::fileNotFound);
    }
}

namespace fq::test {
namespace {

TEST(AppStartOptions, FilesHelpVersionAndUnknownOptions)
{
    struct Case {
        QStringList arguments;
        bool help, version;
        QStringList files;
        QString error;
    };
    const Case cases[] = {
        {{"folioquill"}, false, false, {}, {}},
        {{"folioquill", "a.docx", "/x/Folder", "-"}, false, false, {"a.docx", "/x/Folder", "-"}, {}},
        {{"folioquill", "--help"}, true, false, {}, {}},
        {{"folioquill", "-h", "--version"}, true, true, {}, {}},
        {{"folioquill", "--", "--help", "-x"}, false, false, {"--help", "-x"}, {}},
        {{"folioquill", "a.doc", "--frobnicate", "-z"}, false, false, {"a.doc"}, "unknown option --frobnicate"},
    };
    for (const Case& c : cases) {
        const app::StartOptions o = app::parseStartOptions(c.arguments);
        EXPECT_EQ(o.help, c.help) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(o.version, c.version) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(o.files, c.files) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(o.error, c.error) << c.arguments.join(' ').toStdString();
    }
    EXPECT_TRUE(app::startHelpText(QStringLiteral("/usr/share/folioquill"))
                    .contains(QStringLiteral("Sample documents: /usr/share/folioquill/Samples\n")));
    EXPECT_EQ(app::startVersionText(), QStringLiteral("folioquill " FQ_VERSION "\n"));
}

} // namespace
} // namespace fq::test
