// The main window as designed: positions in twips scaled by the screen's
// DPI, fonts, tab order, border, background, the hover pointer, and a
// screenshot saved into the build folder.
#include "tests/support/FormFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <gtest/gtest.h>

using namespace fq;
using fq::test::FormFixture;

namespace {

int px(int twips)
{
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    return qRound(twips / 15.0 * dpi / 96.0);
}

QRect placed(int left, int top, int width, int height) { return QRect(px(left), px(top), px(width), px(height)); }

void hover(QWidget* w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(w->mapToGlobal(QPoint(2, 2))), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

} // namespace

TEST(AppWindow, ControlsStandWhereTheDesignPutsThem)
{
    FormFixture f;
    app::Form1& form = f.load();
    EXPECT_EQ(form.size(), QSize(px(8040), px(7125)));
    EXPECT_EQ(form.ListView1->geometry(), placed(120, 630, 7800, 2445));
    EXPECT_EQ(form.ProgressBar1->geometry(), placed(120, 6600, 7800, 405));
    EXPECT_EQ(form.PushButton4->geometry(), placed(120, 120, 7800, 405));
    EXPECT_EQ(form.PushButton1->geometry(), placed(120, 3160, 3840, 405));
    EXPECT_EQ(form.PushButton3->geometry(), placed(4080, 3160, 3840, 405));
    EXPECT_EQ(form.PushButton2->geometry(), placed(120, 6080, 7800, 405));
    EXPECT_EQ(form.PushButton5->geometry(), placed(120, 3670, 3840, 405));
    EXPECT_EQ(form.PushButton6->geometry(), placed(4080, 3670, 3840, 405));
    EXPECT_EQ(form.Frame5->geometry(), placed(120, 4130, 7800, 1815));
    EXPECT_EQ(form.Option1->geometry(), placed(240, 300, 3615, 255));
    EXPECT_EQ(form.Option2->geometry(), placed(240, 1410, 3615, 255));
    EXPECT_EQ(form.Frame1->geometry(), placed(480, 510, 6840, 795));
    EXPECT_EQ(form.Text1->geometry(), placed(240, 300, 5670, 345));
    EXPECT_EQ(form.PushButton7->geometry(), placed(6000, 300, 600, 345));
    EXPECT_EQ(form.Option1->parentWidget(), form.Frame5);
    EXPECT_EQ(form.Frame1->parentWidget(), form.Frame5);
    EXPECT_EQ(form.Text1->parentWidget(), form.Frame1);
    EXPECT_EQ(form.PushButton7->parentWidget(), form.Frame1);
}

TEST(AppWindow, CaptionsFontsAndTooltip)
{
    FormFixture f;
    app::Form1& form = f.load();
    EXPECT_EQ(form.PushButton4->text(), QStringLiteral("Help"));
    EXPECT_EQ(form.PushButton1->text(), QStringLiteral("Add Word File(s)"));
    EXPECT_EQ(form.PushButton3->text(), QStringLiteral("Add All Word File(s) In Folder"));
    EXPECT_EQ(form.PushButton2->text(), QStringLiteral("Start Converting"));
    EXPECT_EQ(form.PushButton5->text(), QStringLiteral("Clear List"));
    EXPECT_EQ(form.PushButton6->text(), QStringLiteral("Load Sample/Example Files"));
    EXPECT_EQ(form.PushButton7->text(), QStringLiteral("..."));
    EXPECT_EQ(form.Frame5->title(), QStringLiteral("Save Option"));
    EXPECT_EQ(form.Option1->text(), QStringLiteral("Save results to this folder:"));
    EXPECT_EQ(form.Option2->text(), QStringLiteral("Save results in folder of original file"));
    EXPECT_EQ(form.ProgressBar1->Text(), QStringLiteral("Progress Bar"));
    EXPECT_EQ(form.ProgressBar1->minimum(), 0);
    EXPECT_EQ(form.ProgressBar1->maximum(), 100);
    for (QPushButton* b : {form.PushButton1, form.PushButton2, form.PushButton3, form.PushButton4, form.PushButton5,
                           form.PushButton6, form.PushButton7}) {
        EXPECT_EQ(b->font().family(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(b->font().pointSizeF(), 11.25);
        EXPECT_TRUE(b->font().bold());
    }
    for (QWidget* w : {static_cast<QWidget*>(&form), static_cast<QWidget*>(form.ListView1),
                       static_cast<QWidget*>(form.Option1), static_cast<QWidget*>(form.Text1)}) {
        EXPECT_EQ(w->font().family(), QStringLiteral("Arial"));
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), 9.0);
        EXPECT_TRUE(w->font().bold());
    }
    EXPECT_EQ(form.ListView1->toolTip(),
              QStringLiteral("Drag and drop files here. Double-click item to remove it. Move | line to right and out of "
                             "window to reveal full names."));
}

TEST(AppWindow, TabOrderFollowsTheDesign)
{
    FormFixture f;
    app::Form1& form = f.load();
    const QList<QWidget*> order = {form.ListView1, form.ProgressBar1, form.PushButton4, form.PushButton1,
                                   form.PushButton3, form.PushButton2,  form.PushButton5, form.PushButton6,
                                   form.Frame5,      form.Option1,      form.Option2,     form.Frame1,
                                   form.Text1,       form.PushButton7};
    QList<QWidget*> chain;
    QWidget* w = form.ListView1;
    for (int guard = 0; guard < 200 && chain.size() < order.size(); ++guard, w = w->nextInFocusChain())
        if (order.contains(w) && !chain.contains(w)) chain << w;
    EXPECT_EQ(chain, order);
}

TEST(AppWindow, FixedBorderMinimizeWithoutMaximizeWhiteBackground)
{
    FormFixture f;
    app::Form1& form = f.load();
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form.Frame5->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(form.Option2->palette().color(QPalette::Window), QColor(Qt::white));
}

TEST(AppWindow, HandOverButtonsDefaultElsewhere)
{
    FormFixture f;
    f.shipDataFile(QStringLiteral("HAND-M.CUR"));
    app::Form1& form = f.load();
    f.show();
    for (QPushButton* b : {form.PushButton1, form.PushButton2, form.PushButton3, form.PushButton4, form.PushButton5,
                           form.PushButton6, form.PushButton7}) {
        form.SetMousePointer(app::pointer::defaultPointer);
        hover(b);
        EXPECT_EQ(form.MousePointer(), app::pointer::custom) << b->text().toStdString();
        EXPECT_EQ(form.cursor().shape(), Qt::BitmapCursor);
    }
    for (QWidget* w : {static_cast<QWidget*>(form.Frame5), static_cast<QWidget*>(form.Frame1),
                       static_cast<QWidget*>(form.Text1), static_cast<QWidget*>(&form)}) {
        form.SetMousePointer(app::pointer::custom);
        hover(w);
        EXPECT_EQ(form.MousePointer(), app::pointer::defaultPointer);
    }
    form.SetMousePointer(app::pointer::custom);
    hover(form.ListView1->viewport());
    EXPECT_EQ(form.MousePointer(), app::pointer::defaultPointer);
}

TEST(AppWindow, WithoutTheCursorFileTheHandIsTheDefaultArrow)
{
    FormFixture f;
    app::Form1& form = f.load();
    f.show();
    hover(form.PushButton5);
    EXPECT_EQ(form.MousePointer(), app::pointer::custom);
    EXPECT_FALSE(form.testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
}

TEST(AppWindow, HourglassStaysEverywhereWhileBusy)
{
    FormFixture f;
    f.shipDataFile(QStringLiteral("HAND-M.CUR"));
    app::Form1& form = f.load();
    f.show();
    form.SetMousePointer(app::pointer::hourglass);
    for (QWidget* w : {static_cast<QWidget*>(form.PushButton2), static_cast<QWidget*>(form.PushButton7),
                       static_cast<QWidget*>(form.Frame5), static_cast<QWidget*>(form.Frame1),
                       static_cast<QWidget*>(form.Text1), static_cast<QWidget*>(&form),
                       form.ListView1->viewport()}) {
        hover(w);
        EXPECT_EQ(form.MousePointer(), app::pointer::hourglass);
    }
    EXPECT_EQ(form.cursor().shape(), Qt::WaitCursor);
}

TEST(AppWindow, ScreenshotIsSavedIntoTheBuildFolder)
{
    FormFixture f;
    app::Form1& form = f.load();
    form.ListView1->Add(QStringLiteral("/home/ann/Documents/Annual report 2021.docx"));
    form.ListView1->Add(QStringLiteral("/home/ann/Documents/Letters/Invitation.doc"));
    f.show();
    const QString path = QStringLiteral(FQ_SCREENSHOT_PATH);
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QPixmap shot = form.grab();
    ASSERT_TRUE(shot.save(path, "PNG"));
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), form.size() * shot.devicePixelRatio());
    // The background is white where no control stands (between the Help
    // button and the list).
    EXPECT_EQ(saved.pixelColor(px(60), px(580)), QColor(Qt::white));
}
