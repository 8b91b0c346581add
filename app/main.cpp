// Folioquill: starts into the main window. Files and folders named on the
// command line (as the desktop's "Open with" passes them) are queued as if
// they had been dropped on the list.
#include "app/ApplicationIcon.h"
#include "app/Form1.h"
#include "app/StartOptions.h"
#include "platform/qt/QtEnvironment.h"
#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/PublishingApplicationChoice.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    using fq::app::StartOptions;
    // --help and --version need no display.
    const StartOptions early = fq::app::parseStartOptions(argc, argv);
    if (early.help || early.version) {
        QCoreApplication core(argc, argv);
        fq::platform::QtShell shell;
        const QString text = early.help ? fq::app::startHelpText(shell.programFolder()) : fq::app::startVersionText();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folioquill"));
    QApplication::setOrganizationName(QStringLiteral("Trevalon"));
    // Qt has taken its own options (-platform, -style, ...) out by now.
    const StartOptions options = fq::app::parseStartOptions(QCoreApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "folioquill: %s\nTry 'folioquill --help' for more information.\n",
                     options.error.toLocal8Bit().constData());
        return 2;
    }
    try {
        QApplication::setWindowIcon(fq::app::applicationIcon());
    } catch (const std::exception&) {
        // The window sets its icon again at start-up and reports a failure there.
    }

    fq::platform::QtWindowSystem windows;
    fq::platform::QtShell shell;
    fq::platform::QtFileSystem files;
    fq::platform::QtSettingsStore settings;
    fq::platform::QtEnvironment environment;
    auto publishing = fq::platform::choosePublishingApplication([&windows] { windows.processPendingEvents(); });
    fq::platform::Platform platform{windows, shell, files, settings, environment, *publishing};

    fq::app::Form1 window(platform);
    window.start();
    if (windows.isEnding()) return 0;
    window.OpenFiles(options.files);
    if (windows.isEnding()) return 0;
    return app.exec();
}
