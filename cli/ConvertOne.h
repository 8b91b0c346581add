// One conversion: read the document, save the publication.
#pragma once

#include "publishing/engine/Engine.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace fq::cli {

struct Outcome {
    std::optional<std::string> failure;     // the reason, when it failed
    int pages = 0;                          // pages written
    double seconds = 0;                     // time taken, also by a failure
};

// Converts source into target. Needs a QGuiApplication.
Outcome convertOne(const std::filesystem::path& source, const std::filesystem::path& target,
                   const engine::SaveOptions& options = {});

// Runs one piece of conversion work; returns the reason when it failed
// (the message of what it threw, or one for memory running out).
std::optional<std::string> guarded(const std::function<void()>& work);

// Keeps Qt's warnings (font fallbacks, runtime folders) off standard error;
// FQ_QT_MESSAGES=1 lets them through.
void quietQtMessages();

// Uses the offscreen platform when there is no display and none was chosen.
void chooseHeadlessPlatform();

} // namespace fq::cli
