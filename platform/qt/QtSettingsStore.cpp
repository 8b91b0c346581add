#include "platform/qt/QtSettingsStore.h"

#include "platform/PlatformError.h"

namespace fq::platform {

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QString::fromLatin1(settingsApplication),
                                            QString::fromLatin1(settingsSection)))
{
}

QtSettingsStore::QtSettingsStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QString QtSettingsStore::GetSetting(const QString& key, const QString& defaultValue)
{
    const QVariant v = settings_->value(key);
    return v.isValid() ? v.toString() : defaultValue;
}

void QtSettingsStore::SaveSetting(const QString& key, const QString& value)
{
    settings_->setValue(key, value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw PlatformError(errors::permissionDenied, "The settings store cannot be written.");
}

} // namespace fq::platform
