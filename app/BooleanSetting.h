// Reading a Boolean from a settings text: "True" and "False" in any letter
// case, or any number (0 is false, every other number true). Blanks around
// the text are ignored.
#pragma once

#include <QString>

namespace fq::platform {
class SettingsStore;
}

namespace fq::app {

// Throws PlatformError (type mismatch) for any other text.
bool ToBoolean(const QString& text);

// The text of "True"/"False" that the program stores for a Boolean.
QString FromBoolean(bool value);

// GetSetting(key, defaultText) converted by ToBoolean.
bool GetBooleanSetting(platform::SettingsStore& settings, const QString& key, const QString& defaultText);

} // namespace fq::app
