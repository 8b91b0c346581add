#include "app/BooleanSetting.h"

#include "platform/PlatformError.h"
#include "platform/Settings.h"

#include <QLocale>

#include <cmath>

namespace fq::app {

namespace {
constexpr int typeMismatch = 13;
}

bool ToBoolean(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0) return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0) return false;
    bool isNumber = false;
    const double number = QLocale::c().toDouble(t, &isNumber);
    if (isNumber && std::isfinite(number)) return number != 0.0;
    throw platform::PlatformError(typeMismatch,
                                  ("Type mismatch: \"" + text + "\" is neither True, False nor a number.").toStdString());
}

QString FromBoolean(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

bool GetBooleanSetting(platform::SettingsStore& settings, const QString& key, const QString& defaultText)
{
    return ToBoolean(settings.GetSetting(key, defaultText));
}

} // namespace fq::app
