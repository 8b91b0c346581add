// Which publishing application does the work: Publisher's automation server
// where it is registered (Windows), our built-in engine everywhere else,
// run in a converter process of its own beside this program.
#pragma once

#include "platform/PublishingApplication.h"

#include <functional>
#include <memory>

namespace fq::platform {

// whileWaiting is called again and again while the built-in engine's
// converter process works on a document (the window lets its pending
// events run there).
std::unique_ptr<PublishingApplicationFactory> choosePublishingApplication(std::function<void()> whileWaiting = {});

} // namespace fq::platform
