#include "app/ErrorReport.h"

#include "app/ProductInfo.h"
#include "platform/WindowSystem.h"

namespace fq::app {

QString locationText(const QString& project, const QString& container, const QString& handler)
{
    return QStringLiteral("in ") + project + QString::fromLatin1(product::buildDate) + QLatin1Char('.')
        + container + QLatin1Char('.') + handler + QLatin1Char(' ');
}

QString formLocation(const QString& handler)
{
    return locationText(QString::fromLatin1(product::name), QString::fromLatin1(product::windowName), handler);
}

QString composeErrorMessage(const QString& location, int line, const QString& description)
{
    return description + QStringLiteral("\r\n") + location + QStringLiteral("at line ") + QString::number(line)
        + QStringLiteral("\r\r") + QStringLiteral("Please email screenshot of this message to ")
        + QString::fromLatin1(product::supportEmail);
}

void ErrorReport::ReportApplicationError(const QString& location, int line, const QString& description)
{
    windows_.messageBox(owner_, composeErrorMessage(location, line, description), platform::Buttons::Ok,
                        platform::Icon::Exclamation, QString::fromLatin1(product::errorBoxTitle));
}

} // namespace fq::app
