// Microsoft Publisher's automation server as the publishing application:
// created by its ProgID "Publisher.Application" and driven late-bound
// through IDispatch (Open, SaveAs, Close, quit, each member looked up by
// name). Plain Win32/COM, free of Qt. Windows only.
#pragma once

#include "platform/PublishingApplication.h"

#include <memory>

namespace fq::platform::windows {

// True when the ProgID "Publisher.Application" is registered.
bool isPublisherRegistered();

// The factory that creates one Publisher instance per run.
std::unique_ptr<PublishingApplicationFactory> makePublisherFactory();

} // namespace fq::platform::windows
