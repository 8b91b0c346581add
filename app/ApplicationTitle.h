// The program-wide application title that message boxes without a title of
// their own show.
#pragma once

#include <QString>

namespace fq::app {

// The product name cut at its last blank, repeatedly, until it is 40
// characters or shorter; at least one cut is made, so the last word is
// always dropped. A name without a blank stays whole (cutting it would leave
// no title); so does what is left when no blank remains.
QString shortenedTitle(const QString& productName);

} // namespace fq::app
