// The window-system operations as a program without windows has them: the
// folder walk's rare error reports become warnings on standard error;
// nothing is ever asked.
#pragma once

#include "platform/WindowSystem.h"

namespace fq::cli {

class ConsoleWindowSystem : public platform::WindowSystem {
public:
    // Prints the message's first paragraph as a warning; answers Ok (or No).
    platform::Answer messageBox(QWidget* owner, const QString& text, platform::Buttons buttons,
                                platform::Icon icon, const QString& title) override;
    QString inputBox(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString showOpen(QWidget*, const platform::FileOpenRequest&) override { return {}; }
    void processPendingEvents() override {}
    void endProgram() override { ending_ = true; }
    bool isEnding() const override { return ending_; }
    QPoint cursorScreenPosition() override { return {}; }

private:
    bool ending_ = false;
};

} // namespace fq::cli
