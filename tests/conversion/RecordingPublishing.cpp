#include "tests/conversion/RecordingPublishing.h"

#include <stdexcept>

namespace fq::test {

namespace {

QString text(const std::string& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

class RecordingDocument : public platform::PublishingDocument {
public:
    RecordingDocument(RecordingPublishing& owner, QString source) : owner_(owner), source_(std::move(source)) {}

    void SaveAs(std::string& path) override
    {
        const QString target = text(path);
        if (owner_.failSave.count(target)) throw std::runtime_error("The file is locked: " + path);
        owner_.log << QStringLiteral("saveas ") + target;
    }
    void Close() override
    {
        if (owner_.failClose.count(source_)) throw std::runtime_error("Close failed");
        owner_.log << QStringLiteral("close ") + source_;
    }

private:
    RecordingPublishing& owner_;
    QString source_;
};

class RecordingApplication : public platform::PublishingApplication {
public:
    explicit RecordingApplication(RecordingPublishing& owner) : owner_(owner) {}

    std::unique_ptr<platform::PublishingDocument> Open(std::string& path) override
    {
        const QString source = text(path);
        if (owner_.onOpen) owner_.onOpen(source);
        if (owner_.failOpen.count(source)) throw std::runtime_error("Cannot open " + path);
        owner_.log << QStringLiteral("open ") + source;
        return std::make_unique<RecordingDocument>(owner_, source);
    }
    void quit() override
    {
        if (owner_.failQuit) throw std::runtime_error("Quit failed");
        owner_.log << QStringLiteral("quit");
    }

private:
    RecordingPublishing& owner_;
};

} // namespace

std::unique_ptr<platform::PublishingApplication> RecordingPublishing::create()
{
    ++createCalls;
    if (failCreate) throw std::runtime_error("The publishing application cannot be started");
    log << QStringLiteral("create");
    return std::make_unique<RecordingApplication>(*this);
}

QStringList RecordingPublishing::calls(const QString& word) const
{
    QStringList out;
    for (const QString& entry : log)
        if (entry == word || entry.startsWith(word + QLatin1Char(' '))) out << entry;
    return out;
}

} // namespace fq::test
