// Links the Windows automation adapter into a program when the test suite
// cross-compiles it with mingw-w64 (never run here).
#include "platform/windows/PublisherAutomation.h"

int main()
{
    auto factory = fq::platform::windows::makePublisherFactory();
    return fq::platform::windows::isPublisherRegistered() && factory ? 0 : 1;
}
