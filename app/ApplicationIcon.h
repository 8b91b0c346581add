// The application icon, built into the program from data/folioquill.png.
#pragma once

#include <QIcon>

namespace fq::app {

// The icon; throws PlatformError when the picture is missing from the
// program's resources.
QIcon applicationIcon();

} // namespace fq::app
