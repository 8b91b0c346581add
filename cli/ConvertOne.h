// One conversion: read the document, save the publication.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace fq::cli {

// Converts source into target. Returns the reason when it failed. Needs a
// QGuiApplication.
std::optional<std::string> convertOne(const std::filesystem::path& source, const std::filesystem::path& target);

// Keeps Qt's warnings (font fallbacks, runtime folders) off standard error;
// FQ_QT_MESSAGES=1 lets them through.
void quietQtMessages();

// Uses the offscreen platform when there is no display and none was chosen.
void chooseHeadlessPlatform();

} // namespace fq::cli
