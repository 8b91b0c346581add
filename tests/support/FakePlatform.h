// Test doubles of the platform layer: they record what the handlers ask for
// and answer from scripts that the test sets up. No real dialog, browser,
// registry or file manager is ever involved.
#pragma once

#include "platform/Environment.h"
#include "platform/PlatformError.h"
#include "platform/PublishingApplication.h"
#include "platform/Settings.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace fq::test {

struct ShownMessage {
    QString text;
    platform::Buttons buttons;
    platform::Icon icon;
    QString title;
};

class FakeWindowSystem : public platform::WindowSystem {
public:
    // Message boxes: answers are taken from the queue; when it is empty, an
    // OK box answers Ok and a Yes/No box answers No.
    std::vector<ShownMessage> messages;
    std::deque<platform::Answer> answers;
    // Runs while a message box is shown (e.g. to check state at that moment).
    std::function<void(const ShownMessage&)> onMessage;

    struct InputRequest {
        QString prompt, title, defaultText;
    };
    std::vector<InputRequest> inputRequests;
    std::deque<QString> inputAnswers; // empty queue: Cancel (empty text)

    std::vector<platform::FileOpenRequest> openRequests;
    // Each entry is the selection text to return, or a failure number.
    struct OpenAnswer {
        QString selection;
        int failure = 0;
    };
    std::deque<OpenAnswer> openAnswers;

    // Work to run inside the next processPendingEvents() calls, one entry per
    // call; the entries may click buttons, change the list, close the window.
    std::deque<std::function<void()>> pendingEvents;
    int processEventsCalls = 0;

    QPoint cursor{0, 0};
    bool ending = false;

    platform::Answer messageBox(QWidget*, const QString& text, platform::Buttons buttons, platform::Icon icon,
                                const QString& title) override;
    QString inputBox(QWidget*, const QString& prompt, const QString& title, const QString& defaultText) override;
    QString showOpen(QWidget*, const platform::FileOpenRequest& request) override;
    void processPendingEvents() override;
    void endProgram() override { ending = true; }
    bool isEnding() const override { return ending; }
    QPoint cursorScreenPosition() override { return cursor; }

    // The texts of the error boxes shown, in order.
    QStringList errorTexts() const;
};

class FakeShell : public platform::Shell {
public:
    struct BrowseRequest {
        QString title, initialFolder;
    };
    std::vector<BrowseRequest> browseRequests;
    std::deque<QString> browseAnswers; // empty queue: cancelled
    QStringList opened;
    QString desktop = QStringLiteral("/home/user/Desktop");
    QString program = QStringLiteral("/opt/folioquill");

    QString browseForFolder(QWidget*, const QString& title, const QString& initialFolder) override;
    void open(QWidget*, const QString& target) override { opened << target; }
    QString desktopFolder() override { return desktop; }
    QString programFolder() override { return program; }
};

class FakeSettings : public platform::SettingsStore {
public:
    QMap<QString, QString> values;
    QStringList saves; // "key=value" in order
    bool failWrites = false;

    QString GetSetting(const QString& key, const QString& defaultValue) override
    {
        return values.contains(key) ? values.value(key) : defaultValue;
    }
    void SaveSetting(const QString& key, const QString& value) override
    {
        if (failWrites) throw platform::PlatformError(platform::errors::permissionDenied, "Settings store is read-only");
        values.insert(key, value);
        saves << key + QLatin1Char('=') + value;
    }
};

class FakeEnvironment : public platform::Environment {
public:
    QMap<QString, QString> variables;
    double clock = 43200.0;
    std::optional<double> seed;
    std::deque<double> randoms; // empty queue: 0.5

    std::optional<QString> variable(const QString& name) override
    {
        if (!variables.contains(name)) return std::nullopt;
        return variables.value(name);
    }
    double timer() override { return clock; }
    void randomize(double s) override { seed = s; }
    double random() override
    {
        if (randoms.empty()) return 0.5;
        const double r = randoms.front();
        randoms.pop_front();
        return r;
    }
};

// A publishing application that cannot be created (none installed).
class UnavailablePublishing : public platform::PublishingApplicationFactory {
public:
    int createCalls = 0;
    std::unique_ptr<platform::PublishingApplication> create() override;
};

} // namespace fq::test
