// Everything the window's handlers may ask of the outside world, handed to
// the main window at construction.
#pragma once

#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/PublishingApplication.h"
#include "platform/Settings.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"

namespace fq::platform {

struct Platform {
    WindowSystem& windows;
    Shell& shell;
    FileSystem& files;
    SettingsStore& settings;
    Environment& environment;
    PublishingApplicationFactory& publishing;
};

} // namespace fq::platform
