// The per-user settings store: text values under (application, section,
// key). The program uses one application and one section only; the real
// store keeps them where the platform keeps per-user settings.
#pragma once

#include <QString>

namespace fq::platform {

inline constexpr const char* settingsApplication = "Trevalon";
inline constexpr const char* settingsSection = "Folioquill";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text of the key, or defaultValue when there is none. Never
    // creates an entry.
    virtual QString GetSetting(const QString& key, const QString& defaultValue) = 0;

    // Stores the text, replacing any previous value. Throws PlatformError
    // when the store cannot be written.
    virtual void SaveSetting(const QString& key, const QString& value) = 0;
};

} // namespace fq::platform
