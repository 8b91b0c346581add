// Which publishing application does the work: Publisher's automation server
// where it is registered (Windows), our built-in engine everywhere else.
#pragma once

#include "platform/PublishingApplication.h"

#include <memory>

namespace fq::platform {

std::unique_ptr<PublishingApplicationFactory> choosePublishingApplication();

} // namespace fq::platform
