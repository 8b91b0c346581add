// The built-in publishing application: the five operations of the
// publishing application on our own engine. Open reads the Word document
// into the document model and keeps it; SaveAs lays it out and writes the
// publication (through a temporary file, never over the source); Close
// drops the model; quit ends the application.
#pragma once

#include "platform/PublishingApplication.h"

#include <memory>

namespace fq::platform {

class BuiltinPublishingFactory : public PublishingApplicationFactory {
public:
    std::unique_ptr<PublishingApplication> create() override;
};

} // namespace fq::platform
