// The Qt implementations of the shell's platform operations: the settings
// store, the environment, the shell's folders, event processing and the
// add-files dialog (driven without ever being shown).
#include "platform/PlatformError.h"
#include "platform/qt/QtEnvironment.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtWindowSystem.h"
#include "tests/support/QStringPrinter.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fq;

TEST(AppQtSettings, RoundTripsTextsAndSurvivesReopening)
{
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/store.ini");
    {
        platform::QtSettingsStore store(file);
        store.SaveSetting(QStringLiteral("Output Folder"), QStringLiteral("C:\\Users\\Ann Lee\\Desktop\\"));
        store.SaveSetting(QStringLiteral("Option1"), QStringLiteral("True"));
        store.SaveSetting(QStringLiteral("Extension"), QStringLiteral("do*"));
        store.SaveSetting(QStringLiteral("Option1"), QStringLiteral("False")); // replaces
    }
    platform::QtSettingsStore again(file);
    EXPECT_EQ(again.GetSetting(QStringLiteral("Output Folder"), {}), QStringLiteral("C:\\Users\\Ann Lee\\Desktop\\"));
    EXPECT_EQ(again.GetSetting(QStringLiteral("Option1"), QStringLiteral("1")), QStringLiteral("False"));
    EXPECT_EQ(again.GetSetting(QStringLiteral("Extension"), QStringLiteral("x")), QStringLiteral("do*"));
}

TEST(AppQtSettings, MissingKeyGivesTheDefaultAndCreatesNothing)
{
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/store.ini");
    {
        platform::QtSettingsStore store(file);
        EXPECT_EQ(store.GetSetting(QStringLiteral("Option2"), QStringLiteral("0")), QStringLiteral("0"));
        EXPECT_EQ(store.GetSetting(QStringLiteral("LastFolder"), QString()), QString());
    }
    EXPECT_TRUE(QSettings(file, QSettings::IniFormat).allKeys().isEmpty());
}

TEST(AppQtSettings, UnwritableStoreFails)
{
    QTemporaryDir dir;
    // The store's folder cannot be created: a plain file stands in its place.
    QFile blocker(dir.path() + QStringLiteral("/blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    platform::QtSettingsStore store(dir.path() + QStringLiteral("/blocked/store.ini"));
    EXPECT_THROW(store.SaveSetting(QStringLiteral("Option1"), QStringLiteral("True")), platform::PlatformError);
}

TEST(AppQtSettings, PerUserStoreIsNamedAfterTrevalonAndFolioquill)
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    {
        platform::QtSettingsStore store;
        store.SaveSetting(QStringLiteral("LastFolderDot"), QStringLiteral("/srv/out"));
    }
    QSettings check(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Trevalon"), QStringLiteral("Folioquill"));
    EXPECT_TRUE(check.fileName().startsWith(dir.path())) << check.fileName().toStdString();
    EXPECT_EQ(check.value(QStringLiteral("LastFolderDot")).toString(), QStringLiteral("/srv/out"));
}

TEST(AppQtEnvironment, VariablesSetAndUnset)
{
    platform::QtEnvironment env;
    qputenv("FQ_APP_TEST_VARIABLE", "C:\\Temp");
    EXPECT_EQ(env.variable(QStringLiteral("FQ_APP_TEST_VARIABLE")), std::optional<QString>(QStringLiteral("C:\\Temp")));
    qunsetenv("FQ_APP_TEST_VARIABLE");
    EXPECT_FALSE(env.variable(QStringLiteral("FQ_APP_TEST_VARIABLE")).has_value());
}

TEST(AppQtEnvironment, SeededRandomSourceRepeatsAndStaysInRange)
{
    platform::QtEnvironment a, b;
    a.randomize(3600.25);
    b.randomize(3600.25);
    for (int i = 0; i < 1000; ++i) {
        const double x = a.random();
        EXPECT_EQ(x, b.random());
        EXPECT_GE(x, 0.0);
        EXPECT_LT(x, 1.0);
    }
    const double t = a.timer();
    EXPECT_GE(t, 0.0);
    EXPECT_LT(t, 86400.0);
}

TEST(AppQtShell, FoldersAreNativeWithoutTrailingSeparator)
{
    platform::QtShell shell;
    const QString desktop = shell.desktopFolder();
    EXPECT_FALSE(desktop.isEmpty());
    EXPECT_FALSE(desktop.endsWith(QDir::separator()));
    EXPECT_EQ(shell.programFolder(), QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

TEST(AppQtShell, ShippedFilesAreFoundBesideTheProgramOrWhereInstalled)
{
    QTemporaryDir prefix;
    ASSERT_TRUE(prefix.isValid());
    const QString bin = prefix.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    const QString relative = QStringLiteral("../share/folioquill");
    // In a build folder: nothing installed beside bin/.
    EXPECT_EQ(platform::shippedFilesFolder(bin, relative), QDir::toNativeSeparators(bin));
    ASSERT_TRUE(QDir().mkpath(prefix.filePath(QStringLiteral("share/folioquill"))));
    EXPECT_EQ(platform::shippedFilesFolder(bin, relative),
              QDir::toNativeSeparators(prefix.filePath(QStringLiteral("share/folioquill"))));
    EXPECT_EQ(platform::shippedFilesFolder(bin, QString()), QDir::toNativeSeparators(bin));
}

TEST(AppQtWindowSystem, EndingStopsEventProcessing)
{
    platform::QtWindowSystem windows;
    EXPECT_NO_THROW(windows.processPendingEvents());
    EXPECT_FALSE(windows.isEnding());
    windows.endProgram();
    EXPECT_TRUE(windows.isEnding());
    EXPECT_THROW(windows.processPendingEvents(), platform::ProgramEnding);
    EXPECT_EQ(windows.cursorScreenPosition(), QCursor::pos());
}

TEST(AppQtFileDialog, SingleSelectionIsTakenAsItIs)
{
    EXPECT_EQ(platform::joinSelection({QStringLiteral("/docs/a.docx")}, 30000), QDir::toNativeSeparators(QStringLiteral("/docs/a.docx")));
    EXPECT_EQ(platform::joinSelection({}, 30000), QString());
}

TEST(AppQtFileDialog, SeveralFilesAreJoinedWithNulSeparators)
{
    const QString joined = platform::joinSelection({QStringLiteral("/docs/b.doc"), QStringLiteral("/docs/a.docx")}, 30000);
    const QString expected = QDir::toNativeSeparators(QStringLiteral("/docs")) + QChar(0) + QStringLiteral("b.doc")
        + QChar(0) + QStringLiteral("a.docx");
    EXPECT_EQ(joined, expected);
}

TEST(AppQtFileDialog, SelectionBeyondTheBufferFails)
{
    // "/d" + 2999 names of 9 characters plus a separator each: 2 + 29990 = 29992 characters.
    QStringList paths;
    for (int i = 0; i < 2999; ++i) paths << QStringLiteral("/d/%1.doc").arg(i, 5, 10, QLatin1Char('0'));
    EXPECT_EQ(platform::joinSelection(paths, 30000).size(), 29992);
    paths << QStringLiteral("/d/99999.doc"); // 30002 characters
    try {
        platform::joinSelection(paths, 30000);
        FAIL() << "no failure";
    } catch (const platform::PlatformError& e) {
        EXPECT_EQ(e.number(), platform::errors::bufferTooSmall);
    }
}

TEST(AppQtFileDialog, FilterStringBecomesOneNameFilter)
{
    EXPECT_EQ(platform::nameFiltersOf(QStringLiteral("Word Files (*.doc*)|*.doc*|")),
              QStringList{QStringLiteral("Word Files (*.doc*)")});
}

TEST(AppQtFileDialog, DialogAllowsSeveralFilesAndShowsTitleAndFilter)
{
    platform::FileOpenRequest request{QStringLiteral("Add File(s) - Hold Ctrl to select multiple files"),
                                      QStringLiteral("Word Files (*.doc*)|*.doc*|"), 2621953, 30000};
    platform::FileOpenDialog dialog(nullptr, request);
    EXPECT_EQ(dialog.windowTitle(), request.title);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile); // typed names need not exist
    int views = 0;
    for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
        if (view->objectName() != QLatin1String("listView") && view->objectName() != QLatin1String("treeView")) continue;
        ++views;
        EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection);
    }
    EXPECT_EQ(views, 2);
    EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Word Files (*.doc*)")});
    EXPECT_FALSE(dialog.isVisible());
}

TEST(AppQtFileDialog, TypedNameOfAMissingFileIsAccepted)
{
    QTemporaryDir dir;
    platform::FileOpenDialog dialog(nullptr, {QStringLiteral("t"), QStringLiteral("Word Files (*.doc*)|*.doc*|"), 0, 30000});
    dialog.setDirectory(dir.path());
    dialog.selectFile(QStringLiteral("not there yet.docx"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(dialog.chosenFiles().size(), 1);
    EXPECT_EQ(QFileInfo(dialog.chosenFiles()[0]).fileName(), QStringLiteral("not there yet.docx"));
    EXPECT_EQ(QFileInfo(dialog.chosenFiles()[0]).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
}

TEST(AppQtFileDialog, ExistingFileIsAccepted)
{
    QTemporaryDir dir;
    QFile f(dir.path() + QStringLiteral("/a.doc"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    platform::FileOpenDialog dialog(nullptr, {QStringLiteral("t"), QStringLiteral("Word Files (*.doc*)|*.doc*|"), 0, 30000});
    dialog.setDirectory(dir.path());
    dialog.selectFile(dir.path() + QStringLiteral("/a.doc"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(dialog.chosenFiles().size(), 1);
    EXPECT_EQ(QFileInfo(dialog.chosenFiles()[0]).fileName(), QStringLiteral("a.doc"));
}

TEST(AppQtFileDialog, SeveralTypedNamesAreAllAccepted)
{
    QTemporaryDir dir;
    platform::FileOpenDialog dialog(nullptr, {QStringLiteral("t"), QStringLiteral("Word Files (*.doc*)|*.doc*|"), 0, 30000});
    dialog.setDirectory(dir.path());
    dialog.selectFile(QStringLiteral("\"b.doc\" \"a.docx\""));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    QStringList names;
    for (const QString& f : dialog.chosenFiles()) names << QFileInfo(f).fileName();
    EXPECT_EQ(names, (QStringList{QStringLiteral("b.doc"), QStringLiteral("a.docx")}));
    const QString joined = platform::joinSelection(dialog.chosenFiles(), 30000);
    EXPECT_EQ(joined.split(QChar(0)).size(), 3);
}
