// The built-in publishing application on fq::engine.
#include "platform/builtin/BuiltinPublishing.h"

#include "publishing/engine/Engine.h"
#include "publishing/model/ConversionError.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

namespace fq::platform {

namespace {

namespace fs = std::filesystem;

fs::path fromUtf8(const std::string& text)
{
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string inQuotes(const std::string& path)
{
    return "\"" + path + "\"";
}

class BuiltinDocument : public PublishingDocument {
public:
    BuiltinDocument(model::Document document, std::string source)
        : document_(std::move(document)), source_(std::move(source))
    {
    }

    void SaveAs(std::string& path) override
    {
        if (!document_)
            throw std::runtime_error("The document " + inQuotes(source_) + " is closed and cannot be saved.");
        if (path.empty())
            throw std::runtime_error("No output file was named for " + inQuotes(source_) + ".");
        try {
            engine::savePublication(*document_, fromUtf8(path), fromUtf8(source_));
        } catch (const std::exception& e) {
            throw std::runtime_error("Could not save " + inQuotes(path) + ": " + e.what());
        }
    }

    void Close() override
    {
        if (!document_)
            throw std::runtime_error("The document " + inQuotes(source_) + " is already closed.");
        document_.reset();
    }

private:
    std::optional<model::Document> document_;
    std::string source_;
};

class BuiltinApplication : public PublishingApplication {
public:
    std::unique_ptr<PublishingDocument> Open(std::string& path) override
    {
        if (ended_)
            throw std::runtime_error("The publishing application has ended; " + inQuotes(path) + " was not opened.");
        if (path.empty())
            throw std::runtime_error("No document was named to open.");
        try {
            return std::make_unique<BuiltinDocument>(engine::readDocument(fromUtf8(path)), path);
        } catch (const std::exception& e) {
            throw std::runtime_error("Could not open " + inQuotes(path) + ": " + e.what());
        }
    }

    void quit() override
    {
        if (ended_)
            throw std::runtime_error("The publishing application has already ended.");
        ended_ = true;
    }

private:
    bool ended_ = false;
};

} // namespace

std::unique_ptr<PublishingApplication> BuiltinPublishingFactory::create()
{
    return std::make_unique<BuiltinApplication>();
}

} // namespace fq::platform
