// The uniform "Application Error" box that every reporting handler shows
// for a failed step, and the location texts that name the handler.
#pragma once

#include <QString>

class QWidget;

namespace fq::platform {
class WindowSystem;
}

namespace fq::app {

// "in " + project + build date + "." + window or module + "." + handler + " "
QString locationText(const QString& project, const QString& container, const QString& handler);

// Location text of a handler of the main window.
QString formLocation(const QString& handler);

// The message text: description, CR LF, location, "at line ", number, two
// CR, and the request to mail a screenshot to support.
QString composeErrorMessage(const QString& location, int line, const QString& description);

class ErrorReport {
public:
    ErrorReport(platform::WindowSystem& windows, QWidget* owner) : windows_(windows), owner_(owner) {}

    // Shows the box (exclamation icon, OK only) and waits until it is closed.
    void ReportApplicationError(const QString& location, int line, const QString& description);

private:
    platform::WindowSystem& windows_;
    QWidget* owner_;
};

} // namespace fq::app
