#include "tests/support/FakePlatform.h"

#include <stdexcept>

namespace fq::test {

platform::Answer FakeWindowSystem::messageBox(QWidget*, const QString& text, platform::Buttons buttons,
                                              platform::Icon icon, const QString& title)
{
    messages.push_back({text, buttons, icon, title});
    if (onMessage) onMessage(messages.back());
    if (!answers.empty()) {
        const platform::Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == platform::Buttons::YesNo ? platform::Answer::No : platform::Answer::Ok;
}

QString FakeWindowSystem::inputBox(QWidget*, const QString& prompt, const QString& title, const QString& defaultText)
{
    inputRequests.push_back({prompt, title, defaultText});
    if (inputAnswers.empty()) return {};
    QString a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
}

QString FakeWindowSystem::showOpen(QWidget*, const platform::FileOpenRequest& request)
{
    openRequests.push_back(request);
    if (openAnswers.empty()) return {};
    const OpenAnswer a = openAnswers.front();
    openAnswers.pop_front();
    if (a.failure != 0) throw platform::PlatformError(a.failure, "The file dialog failed");
    return a.selection;
}

void FakeWindowSystem::processPendingEvents()
{
    ++processEventsCalls;
    if (ending) throw platform::ProgramEnding{};
    if (!pendingEvents.empty()) {
        auto work = std::move(pendingEvents.front());
        pendingEvents.pop_front();
        if (work) work();
    }
    if (ending) throw platform::ProgramEnding{};
}

QStringList FakeWindowSystem::errorTexts() const
{
    QStringList texts;
    for (const auto& m : messages)
        if (m.title == QStringLiteral("Application Error")) texts << m.text;
    return texts;
}

QString FakeShell::browseForFolder(QWidget*, const QString& title, const QString& initialFolder)
{
    browseRequests.push_back({title, initialFolder});
    if (browseAnswers.empty()) return {};
    QString a = browseAnswers.front();
    browseAnswers.pop_front();
    return a;
}

std::unique_ptr<platform::PublishingApplication> UnavailablePublishing::create()
{
    ++createCalls;
    throw std::runtime_error("Cannot create the publishing application: it is not installed.");
}

} // namespace fq::test
