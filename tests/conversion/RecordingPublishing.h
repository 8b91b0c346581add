// A publishing application double that records every call of a run in one
// log ("create", "open <path>", "saveas <path>", "close <source>", "quit")
// and fails the calls a test asks it to fail.
#pragma once

#include "platform/PublishingApplication.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <set>

namespace fq::test {

class RecordingPublishing : public platform::PublishingApplicationFactory {
public:
    QStringList log;
    int createCalls = 0;

    bool failCreate = false;
    bool failQuit = false;
    std::set<QString> failOpen;  // sources that cannot be opened
    std::set<QString> failSave;  // output paths that cannot be written
    std::set<QString> failClose; // sources whose close fails

    // Runs at every open, before it is logged (e.g. to look at the bar).
    std::function<void(const QString& source)> onOpen;

    std::unique_ptr<platform::PublishingApplication> create() override;

    // The entries of the log that begin with the word.
    QStringList calls(const QString& word) const;
};

} // namespace fq::test
