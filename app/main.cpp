// Folioquill: starts into the main window.
#include "app/ApplicationIcon.h"
#include "app/Form1.h"
#include "platform/qt/QtEnvironment.h"
#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtWindowSystem.h"
#include "platform/PublishingApplicationChoice.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folioquill"));
    QApplication::setOrganizationName(QStringLiteral("Trevalon"));
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
    return app.exec();
}
