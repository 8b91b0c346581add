// Mouse pointers from cursor (.cur) and icon (.ico) files: the hand over the
// buttons ("HAND-M.CUR") and the list's drag pointer ("drag.ico").
#pragma once

#include <QCursor>
#include <QString>

namespace fq::app {

// Loads the first picture of a cursor or icon file as a pointer. A cursor
// file keeps its own hot spot; an icon's hot spot is its centre. Throws
// PlatformError with a readable text when the file cannot be read or holds
// no picture.
QCursor loadPointerFile(const QString& path);

} // namespace fq::app
