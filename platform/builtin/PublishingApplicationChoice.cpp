// Chooses the publishing application: Publisher's automation server where
// its ProgID is registered (Windows only), the built-in engine otherwise.
#include "platform/PublishingApplicationChoice.h"

#include "platform/builtin/BuiltinPublishing.h"

#ifdef _WIN32
#include "platform/windows/PublisherAutomation.h"
#endif

namespace fq::platform {

std::unique_ptr<PublishingApplicationFactory> choosePublishingApplication()
{
#ifdef _WIN32
    if (windows::isPublisherRegistered())
        return windows::makePublisherFactory();
#endif
    return std::make_unique<BuiltinPublishingFactory>();
}

} // namespace fq::platform
