// Numbered steps: how every reporting handler runs its step table. Each step
// carries its line number; a failure inside it (any exception, also from an
// operation the step calls) is shown in the error report with that number,
// and the handler goes on with the next step. A failed condition counts as
// held, so the handler goes on with the steps it governs.
//
//     Steps s(report, formLocation("PushButton4_Click"));
//     if (!s.test(100, [&] { return ask() == Answer::Yes; })) return;
//     s.step(102, [&] { openPage(); });
//
// ProgramEnding passes through untouched: the handler leaves at once.
#pragma once

#include "app/ErrorReport.h"
#include "platform/PlatformError.h"

#include <exception>
#include <optional>
#include <utility>

namespace fq::app {

class Steps {
public:
    Steps(ErrorReport& report, QString location) : report_(report), location_(std::move(location)) {}

    // Runs one step. Returns false when it failed (and was reported).
    template <class F>
    bool step(int line, F&& action)
    {
        return attempt(line, [&] {
                   std::forward<F>(action)();
                   return true;
               })
            .has_value();
    }

    // Evaluates a step's condition. A failed evaluation is reported and
    // counts as true.
    template <class F>
    bool test(int line, F&& condition)
    {
        return attempt(line, [&] { return static_cast<bool>(std::forward<F>(condition)()); }).value_or(true);
    }

    const QString& location() const { return location_; }

private:
    // The result of f, or no value when it failed and was reported.
    template <class F>
    std::optional<bool> attempt(int line, F&& f)
    {
        try {
            return f();
        } catch (const platform::ProgramEnding&) {
            throw;
        } catch (const std::exception& e) {
            fail(line, QString::fromUtf8(e.what()));
        } catch (...) {
            fail(line, QStringLiteral("Unknown failure"));
        }
        return std::nullopt;
    }

    void fail(int line, const QString& description) { report_.ReportApplicationError(location_, line, description); }

    ErrorReport& report_;
    QString location_;
};

} // namespace fq::app
