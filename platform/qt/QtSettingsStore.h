// The settings store on QSettings: organisation "Trevalon", application
// "Folioquill" (the registry under the current user on Windows, a per-user
// configuration file elsewhere). Keys are stored as given.
#pragma once

#include "platform/Settings.h"

#include <QSettings>

#include <memory>

namespace fq::platform {

class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    // A store in an explicit file (tests, portable use).
    explicit QtSettingsStore(const QString& iniFile);
    QString GetSetting(const QString& key, const QString& defaultValue) override;
    void SaveSetting(const QString& key, const QString& value) override;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace fq::platform
