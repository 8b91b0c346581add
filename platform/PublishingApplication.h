// The publishing application that does the conversion: create, Open,
// SaveAs, Close and quit. Implementations: the built-in engine (everywhere
// Microsoft Publisher is not installed) and, on Windows, Publisher's
// automation server. This header stays free of Qt so that the Windows
// adapter builds without it. Every operation throws std::exception (with a
// readable what()) when it fails.
#pragma once

#include <memory>
#include <string>

namespace fq::platform {

// An open document. Paths are UTF-8.
class PublishingDocument {
public:
    virtual ~PublishingDocument() = default;
    virtual void SaveAs(std::string& path) = 0;
    virtual void Close() = 0;
};

class PublishingApplication {
public:
    virtual ~PublishingApplication() = default;
    virtual std::unique_ptr<PublishingDocument> Open(std::string& path) = 0;
    virtual void quit() = 0;
};

class PublishingApplicationFactory {
public:
    virtual ~PublishingApplicationFactory() = default;
    // Creates one application instance for a run.
    virtual std::unique_ptr<PublishingApplication> create() = 0;
};

} // namespace fq::platform
