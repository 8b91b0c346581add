#include "cli/ConsoleWindowSystem.h"

#include <cstdio>

namespace fq::cli {

platform::Answer ConsoleWindowSystem::messageBox(QWidget*, const QString& text, platform::Buttons buttons,
                                                 platform::Icon, const QString&)
{
    // The error report's text: description, location and step, then a
    // paragraph meant for a window's user.
    QString first = text.section(QStringLiteral("\r\r"), 0, 0);
    first.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    std::fprintf(stderr, "folioquill-convert: warning: %s\n", first.toLocal8Bit().constData());
    std::fflush(stderr);
    return buttons == platform::Buttons::YesNo ? platform::Answer::No : platform::Answer::Ok;
}

} // namespace fq::cli
