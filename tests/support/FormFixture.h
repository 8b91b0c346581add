// A main window on the test platform for the window tests: the doubles of
// TestPlatform.h, a temporary program folder and desktop, and helpers that
// drive the list with real widget events.
#pragma once

#include "app/Form1.h"
#include "tests/support/QStringPrinter.h"
#include "tests/support/TestPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace fq::test {

class FormFixture {
public:
    FormFixture()
    {
        shell().program = QDir::toNativeSeparators(dir.path() + QStringLiteral("/program"));
        shell().desktop = QDir::toNativeSeparators(dir.path() + QStringLiteral("/Desktop"));
        QDir().mkpath(dir.path() + QStringLiteral("/program"));
    }

    // Creates the window (hidden); the start-up sequence has not run.
    app::Form1& make()
    {
        form = std::make_unique<app::Form1>(platform.get());
        return *form;
    }
    // Creates the window and runs its start-up sequence.
    app::Form1& load()
    {
        make().Form_Load();
        return *form;
    }
    // Shows the window on the offscreen screen so that real events reach it.
    void show()
    {
        form->show();
        (void)QTest::qWaitForWindowExposed(form.get());
    }

    FakeWindowSystem& windows() { return platform.windows; }
    FakeShell& shell() { return platform.shell; }
    FakeSettings& settings() { return platform.settings; }
    FakeEnvironment& environment() { return platform.environment; }
    QString programDir() const { return dir.path() + QStringLiteral("/program"); }

    // Copies a file of data/ into the program folder.
    void shipDataFile(const QString& name)
    {
        QFile::copy(QStringLiteral(FQ_SOURCE_DIR "/data/") + name, programDir() + QLatin1Char('/') + name);
    }

    // The centre of the item at a 1-based index, in the viewport's coordinates.
    QPoint itemCentre(int index) const
    {
        auto* list = form->ListView1;
        return list->visualRect(list->model()->index(index - 1, 0)).center();
    }
    // True when the item's whole row lies inside the viewport.
    bool itemFullyVisible(int index) const
    {
        auto* list = form->ListView1;
        const QRect r = list->visualRect(list->model()->index(index - 1, 0));
        return list->viewport()->rect().contains(r.topLeft()) && list->viewport()->rect().contains(r.bottomLeft());
    }

    // Real mouse events on the list's viewport.
    void press(QPoint at) { QTest::mousePress(form->ListView1->viewport(), Qt::LeftButton, {}, at); }
    void release(QPoint at) { QTest::mouseRelease(form->ListView1->viewport(), Qt::LeftButton, {}, at); }
    void moveTo(QPoint at, Qt::MouseButtons held = Qt::LeftButton)
    {
        QWidget* viewport = form->ListView1->viewport();
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(viewport->mapToGlobal(at)), Qt::NoButton, held,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
    }

    QStringList listTexts() const
    {
        QStringList texts;
        for (int i = 1; i <= form->ListView1->Count(); ++i) texts << form->ListView1->Text(i);
        return texts;
    }
    int selectedIndex() const { return form->ListView1->IndexOf(form->ListView1->SelectedItem()); }

    QTemporaryDir dir;
    TestPlatform platform;
    std::unique_ptr<app::Form1> form;
};

} // namespace fq::test
