// Start-up of the main window: the stored output choice, the defaults of an
// empty store, the hand pointer, the skin, the title and the web visit.
#include "app/ProductInfo.h"
#include "tests/support/FormFixture.h"

#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace fq;
using fq::test::FormFixture;

namespace {

QString lineOf(const QString& errorText)
{
    const qsizetype at = errorText.indexOf(QStringLiteral("at line "));
    if (at < 0) return {};
    const qsizetype end = errorText.indexOf(QLatin1Char('\r'), at);
    return errorText.mid(at + 8, end - at - 8);
}

QStringList errorLines(const test::FakeWindowSystem& windows)
{
    QStringList lines;
    for (const QString& t : windows.errorTexts()) lines << lineOf(t);
    return lines;
}

} // namespace

TEST(AppStartup, FirstStartWithEmptyStoreUsesDesktopAndFirstOption)
{
    FormFixture f;
    app::Form1& form = f.load();
    EXPECT_EQ(form.Text1->text(), f.shell().desktop + QDir::separator());
    EXPECT_TRUE(form.Option1->isChecked());
    EXPECT_FALSE(form.Option2->isChecked());
    EXPECT_TRUE(form.Frame1->isEnabled());
    EXPECT_TRUE(f.windows().messages.empty());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Folioquill"));
    EXPECT_EQ(form.ApplicationTitle, QStringLiteral("Folioquill"));
    EXPECT_FALSE(form.windowIcon().isNull());
    EXPECT_EQ(form.ListView1->ColumnHeader(), QStringLiteral(" Word File(s)"));
    EXPECT_EQ(form.ListView1->ColumnWidthTwips(), 7000);
    EXPECT_EQ(form.ListView1->Count(), 0);
    EXPECT_EQ(form.MousePointer(), app::pointer::defaultPointer);
    // The change handler of Text1 stores the default at once; the options
    // are not written, since Option1 was selected already.
    EXPECT_EQ(f.settings().values.value(QStringLiteral("Output Folder")), f.shell().desktop + QDir::separator());
    EXPECT_EQ(f.settings().saves, QStringList{QStringLiteral("Output Folder=") + f.shell().desktop + QDir::separator()});
}

TEST(AppStartup, StoredOutputFolderIsShownUnchanged)
{
    FormFixture f;
    f.settings().values[QStringLiteral("Output Folder")] = QStringLiteral("/srv/out put");
    app::Form1& form = f.load();
    EXPECT_EQ(form.Text1->text(), QStringLiteral("/srv/out put"));
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST(AppStartup, BothOptionsTrueLeavesSecondSelectedAndFrameDisabled)
{
    FormFixture f;
    f.settings().values[QStringLiteral("Option1")] = QStringLiteral("True");
    f.settings().values[QStringLiteral("Option2")] = QStringLiteral("True");
    app::Form1& form = f.load();
    EXPECT_FALSE(form.Option1->isChecked());
    EXPECT_TRUE(form.Option2->isChecked());
    EXPECT_FALSE(form.Frame1->isEnabled());
    EXPECT_FALSE(form.Text1->isEnabled());
    EXPECT_FALSE(form.PushButton7->isEnabled());
    EXPECT_TRUE(f.windows().messages.empty());
    // Selecting Option2, which was clear, ran its click handler.
    EXPECT_EQ(f.settings().values.value(QStringLiteral("Option1")), QStringLiteral("False"));
    EXPECT_EQ(f.settings().values.value(QStringLiteral("Option2")), QStringLiteral("True"));
}

TEST(AppStartup, BothOptionsFalseLeavesNeitherSelected)
{
    FormFixture f;
    f.settings().values[QStringLiteral("Option1")] = QStringLiteral("False");
    f.settings().values[QStringLiteral("Option2")] = QStringLiteral("False");
    app::Form1& form = f.load();
    EXPECT_FALSE(form.Option1->isChecked());
    EXPECT_FALSE(form.Option2->isChecked());
    EXPECT_FALSE(form.Frame1->isEnabled());
}

TEST(AppStartup, SecondOptionOnlyIsSelectedAndDisablesFrame)
{
    FormFixture f;
    f.settings().values[QStringLiteral("Option1")] = QStringLiteral("false");
    f.settings().values[QStringLiteral("Option2")] = QStringLiteral("TRUE");
    app::Form1& form = f.load();
    EXPECT_FALSE(form.Option1->isChecked());
    EXPECT_TRUE(form.Option2->isChecked());
    EXPECT_FALSE(form.Frame1->isEnabled());
}

TEST(AppStartup, NumbersReadAsBooleans)
{
    {
        FormFixture f;
        f.settings().values[QStringLiteral("Option1")] = QStringLiteral("-1");
        app::Form1& form = f.load();
        EXPECT_TRUE(form.Option1->isChecked());
    }
    {
        FormFixture f;
        f.settings().values[QStringLiteral("Option1")] = QStringLiteral("0");
        app::Form1& form = f.load();
        EXPECT_FALSE(form.Option1->isChecked());
        EXPECT_FALSE(form.Frame1->isEnabled());
    }
}

TEST(AppStartup, UnreadableFirstOptionIsReportedAtLine134AndKeepsState)
{
    FormFixture f;
    f.settings().values[QStringLiteral("Option1")] = QStringLiteral("Yes");
    app::Form1& form = f.load();
    ASSERT_EQ(f.windows().errorTexts().size(), 1);
    EXPECT_EQ(errorLines(f.windows()), QStringList{QStringLiteral("134")});
    EXPECT_TRUE(f.windows().errorTexts()[0].contains(QStringLiteral("in Folioquill2021/08/31.Form1.Form_Load at line 134")));
    EXPECT_TRUE(form.Option1->isChecked()); // the design-time state
    EXPECT_FALSE(form.Option2->isChecked());
    EXPECT_TRUE(form.Frame1->isEnabled());
}

TEST(AppStartup, UnreadableSecondOptionIsReportedAtLine136AndKeepsState)
{
    FormFixture f;
    f.settings().values[QStringLiteral("Option1")] = QStringLiteral("False");
    f.settings().values[QStringLiteral("Option2")] = QStringLiteral("maybe");
    app::Form1& form = f.load();
    EXPECT_EQ(errorLines(f.windows()), QStringList{QStringLiteral("136")});
    EXPECT_FALSE(form.Option2->isChecked());
    EXPECT_FALSE(form.Option1->isChecked());
    EXPECT_FALSE(form.Frame1->isEnabled());
}

TEST(AppStartup, UnknownDesktopFailsAtLine132AndLeavesTextEmpty)
{
    FormFixture f;
    f.shell().desktop.clear();
    app::Form1& form = f.load();
    EXPECT_EQ(errorLines(f.windows()), QStringList{QStringLiteral("132")});
    EXPECT_TRUE(form.Text1->text().isEmpty());
    EXPECT_FALSE(f.settings().values.contains(QStringLiteral("Output Folder")));
    // The sequence went on after the report.
    EXPECT_TRUE(form.Option1->isChecked());
    EXPECT_TRUE(form.Frame1->isEnabled());
}

TEST(AppStartup, ThreeFailingStepsShowThreeBoxesInStepOrder)
{
    FormFixture f;
    f.shell().desktop.clear();
    f.settings().values[QStringLiteral("Option1")] = QStringLiteral("one");
    f.settings().values[QStringLiteral("Option2")] = QStringLiteral("two");
    f.load();
    EXPECT_EQ(errorLines(f.windows()),
              (QStringList{QStringLiteral("132"), QStringLiteral("134"), QStringLiteral("136")}));
    for (const auto& m : f.windows().messages) {
        EXPECT_EQ(m.title, QStringLiteral("Application Error"));
        EXPECT_EQ(m.icon, platform::Icon::Exclamation);
        EXPECT_EQ(m.buttons, platform::Buttons::Ok);
    }
}

TEST(AppStartup, HandCursorIsLoadedFromTheProgramFolder)
{
    FormFixture f;
    f.shipDataFile(QStringLiteral("HAND-M.CUR"));
    app::Form1& form = f.load();
    EXPECT_TRUE(f.windows().messages.empty());
    ASSERT_TRUE(form.HandCursorLoaded);
    EXPECT_EQ(form.HandCursor.hotSpot(), QPoint(6, 0));
    EXPECT_FALSE(form.HandCursor.pixmap().isNull());
}

TEST(AppStartup, MissingHandCursorIsNoFailure)
{
    FormFixture f;
    app::Form1& form = f.load();
    EXPECT_FALSE(form.HandCursorLoaded);
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST(AppStartup, UnloadableHandCursorIsReportedAtLine106)
{
    FormFixture f;
    QFile bad(f.programDir() + QStringLiteral("/HAND-M.CUR"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("this is not a cursor");
    bad.close();
    app::Form1& form = f.load();
    EXPECT_EQ(errorLines(f.windows()), QStringList{QStringLiteral("106")});
    EXPECT_FALSE(form.HandCursorLoaded);
    EXPECT_EQ(form.ListView1->ColumnHeader(), QStringLiteral(" Word File(s)")); // went on
}

TEST(AppStartup, SkinFilePaintsButtonFaceBackgrounds)
{
    FormFixture f;
    QDir().mkpath(f.programDir() + QStringLiteral("/x"));
    QFile skin(f.programDir() + QStringLiteral("/x/o.cjs"));
    ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
    skin.close();
    app::Form1& form = f.load();
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(form.palette().color(QPalette::Window), face);
    EXPECT_EQ(form.Option1->palette().color(QPalette::Window), face);
    EXPECT_EQ(form.Option2->palette().color(QPalette::Window), face);
    EXPECT_EQ(form.Frame5->palette().color(QPalette::Window), face);
    EXPECT_EQ(form.Frame1->palette().color(QPalette::Window), face);
    EXPECT_TRUE(f.windows().messages.empty());
}

TEST(AppStartup, WithoutSkinTheWindowStaysWhite)
{
    FormFixture f;
    QDir().mkpath(f.programDir() + QStringLiteral("/x")); // a folder alone is no skin
    app::Form1& form = f.load();
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form.Option1->palette().color(QPalette::Window), QColor(Qt::white));
}

TEST(AppStartup, WebVisitOnTheDrawOfSeven)
{
    FormFixture f;
    f.environment().clock = 1234.5;
    f.environment().randoms = {0.0601};
    f.load();
    ASSERT_TRUE(f.environment().seed.has_value());
    EXPECT_EQ(*f.environment().seed, 1234.5);
    EXPECT_EQ(f.shell().opened,
              QStringList{QLatin1Char('"') + QString::fromLatin1(product::makerWebSite) + QLatin1Char('"')});
}

TEST(AppStartup, NoWebVisitOnOtherDraws)
{
    for (double r : {0.0, 0.059, 0.07, 0.5, 0.9999}) {
        FormFixture f;
        f.environment().randoms = {r};
        f.load();
        EXPECT_TRUE(f.shell().opened.isEmpty()) << r;
    }
}

TEST(AppStartup, StartShowsTheWindowCentred)
{
    FormFixture f;
    app::Form1& form = f.make();
    form.start();
    EXPECT_TRUE(form.isVisible());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE(std::abs(form.frameGeometry().center().x() - screen.center().x()), 3);
    EXPECT_LE(std::abs(form.frameGeometry().center().y() - screen.center().y()), 3);
}
