#include "app/ApplicationIcon.h"

#include "platform/PlatformError.h"

#include <QPixmap>

// The resources live in a static library: register them explicitly, since
// nothing else refers to their initializer.
static void registerApplicationResources() { Q_INIT_RESOURCE(resources); }

namespace fq::app {

QIcon applicationIcon()
{
    static const bool registered = (registerApplicationResources(), true);
    (void)registered;
    const QPixmap picture(QStringLiteral(":/folioquill.png"));
    if (picture.isNull())
        throw platform::PlatformError(platform::errors::fileNotFound,
                                      "The application icon is missing from the program's resources.");
    return QIcon(picture);
}

} // namespace fq::app
