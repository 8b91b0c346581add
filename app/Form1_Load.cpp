// Start-up of the main window: the load handler's step table, with the
// optional skin, the application title and the occasional web visit.
#include "app/Form1.h"

#include "app/ApplicationIcon.h"
#include "app/ApplicationTitle.h"
#include "app/BooleanSetting.h"
#include "app/CursorFile.h"
#include "app/FileSystemHelpers.h"
#include "app/ProductInfo.h"
#include "app/Steps.h"
#include "conversion/PathHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace fq::app {

namespace {

// Selects or clears a radio button as the stored option says. Selecting one
// that was clear runs its click handler, as a user's click would; clearing
// leaves the other button alone (both may end up clear).
void setOption(Form1& form, QRadioButton* option, bool selected, void (Form1::*click)())
{
    if (selected) {
        const bool wasClear = !option->isChecked();
        option->setChecked(true);
        if (wasClear) (form.*click)();
    } else {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void paintBackground(QWidget* widget, const QColor& colour)
{
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
}

// The controls that take the skin's background: radio buttons, check boxes,
// frames and labels (not the list or other framed widgets).
bool takesSkinBackground(QWidget* w)
{
    return qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QGroupBox*>(w)
        || qobject_cast<QLabel*>(w) || w->metaObject() == &QFrame::staticMetaObject;
}

} // namespace

void Form1::Form_Load()
{
    Steps s(Report, formLocation(QStringLiteral("Form_Load")));
    const QString sep = conversion::nativeSeparator();

    s.step(100, [&] { ApplySkinIfPresent(); });
    s.step(102, [&] { setWindowTitle(QString::fromLatin1(product::name)); });
    s.step(102, [&] { setWindowIcon(applicationIcon()); });
    s.step(102, [&] { SetApplicationTitle(); });
    if (s.test(104, [&] { return PathExists(os.files, os.shell.programFolder() + sep + QStringLiteral("HAND-M.CUR")); }))
        s.step(106, [&] {
            HandCursor = loadPointerFile(os.shell.programFolder() + sep + QStringLiteral("HAND-M.CUR"));
            HandCursorLoaded = true;
        });
    s.step(108, [&] { OccasionalWebVisit(); });
    s.step(128, [&] { ListView1->AddColumn(QStringLiteral(" Word File(s)")); });
    s.step(130, [&] { ListView1->SetColumnWidth(1, 7000); });
    s.step(132, [&] { Text1->setText(os.settings.GetSetting(QStringLiteral("Output Folder"), GetDesktopFolder(os.shell))); });
    s.step(134, [&] {
        setOption(*this, Option1, GetBooleanSetting(os.settings, QStringLiteral("Option1"), QStringLiteral("1")),
                  &Form1::Option1_Click);
    });
    s.step(136, [&] {
        setOption(*this, Option2, GetBooleanSetting(os.settings, QStringLiteral("Option2"), QStringLiteral("0")),
                  &Form1::Option2_Click);
    });
    if (s.test(138, [&] { return Option1->isChecked(); }))
        s.step(140, [&] { Frame1->setEnabled(true); });
    else
        s.step(142, [&] { Frame1->setEnabled(false); });
}

void Form1::ApplySkinIfPresent()
{
    const QString sep = conversion::nativeSeparator();
    const QString skin = os.shell.programFolder() + sep + QStringLiteral("x") + sep + QStringLiteral("o.cjs");
    if (os.files.findExact(skin, false).isEmpty()) return;
    // There is no skinning component on this platform: the window and its
    // radio buttons, check boxes, frames and labels take the button-face
    // colour, and that is all.
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    paintBackground(this, buttonFace);
    for (QWidget* w : findChildren<QWidget*>())
        if (takesSkinBackground(w)) paintBackground(w, buttonFace);
}

void Form1::SetApplicationTitle()
{
    ApplicationTitle = shortenedTitle(QString::fromLatin1(product::name));
    // Handed to the platform as the program's name. Not as Qt's display
    // name: that would be appended to the title of every box and dialog, and
    // the error box must read "Application Error" alone.
    QCoreApplication::setApplicationName(ApplicationTitle);
}

void Form1::OccasionalWebVisit()
{
    os.environment.randomize(os.environment.timer());
    const int draw = int(os.environment.random() * 100.0) + 1;
    if (draw == 7) os.shell.open(this, QLatin1Char('"') + QString::fromLatin1(product::makerWebSite) + QLatin1Char('"'));
}

} // namespace fq::app
