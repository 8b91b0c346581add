// A complete platform for window tests: the doubles of FakePlatform.h, the
// real file system (tests work on temporary folders) and a publishing
// application that a test may replace.
#pragma once

#include "platform/Platform.h"
#include "platform/qt/QtFileSystem.h"
#include "tests/support/FakePlatform.h"

#include <memory>

namespace fq::test {

struct TestPlatform {
    FakeWindowSystem windows;
    FakeShell shell;
    platform::QtFileSystem realFiles;
    platform::FileSystem* files = &realFiles;
    FakeSettings settings;
    FakeEnvironment environment;
    UnavailablePublishing unavailable;
    platform::PublishingApplicationFactory* publishing = &unavailable;

    // Built on demand so a test can swap files or publishing first.
    platform::Platform& get()
    {
        platform_ = std::make_unique<platform::Platform>(
            platform::Platform{windows, shell, *files, settings, environment, *publishing});
        return *platform_;
    }

private:
    std::unique_ptr<platform::Platform> platform_;
};

} // namespace fq::test
