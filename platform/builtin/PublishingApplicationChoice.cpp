// Chooses the publishing application: Publisher's automation server where
// its ProgID is registered (Windows only), otherwise the built-in engine in
// its converter process.
#include "platform/PublishingApplicationChoice.h"

#include "platform/builtin/WorkerPublishing.h"

#include <utility>

#ifdef _WIN32
#include "platform/windows/PublisherAutomation.h"
#endif

namespace fq::platform {

std::unique_ptr<PublishingApplicationFactory> choosePublishingApplication(std::function<void()> whileWaiting)
{
#ifdef _WIN32
    if (windows::isPublisherRegistered())
        return windows::makePublisherFactory();
#endif
    WorkerSettings settings;
    settings.program = WorkerPublishingFactory::programBesideThisOne();
    settings.whileWaiting = std::move(whileWaiting);
    return std::make_unique<WorkerPublishingFactory>(std::move(settings));
}

} // namespace fq::platform
