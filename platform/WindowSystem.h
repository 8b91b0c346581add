// Window-system operations the handlers ask for: message boxes, the input
// box, the file-open dialog, processing of pending window events and the
// cursor position. Real implementation: platform/qt/QtWindowSystem; tests
// use doubles.
#pragma once

#include <QPoint>
#include <QString>

class QWidget;

namespace fq::platform {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Exclamation };
enum class Answer { Ok = 1, Yes = 6, No = 7 };

// What the add-files dialog is asked to show. The selection comes back as one
// text: a single file's full path, or the folder followed by each chosen
// name, separated by U+0000; the empty text when cancelled.
struct FileOpenRequest {
    QString title;
    QString filter;          // "Description|pattern|" pairs
    unsigned flags = 0;
    int bufferChars = 30000; // a selection longer than this fails with errors::bufferTooSmall
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Modal message box; returns the button pressed.
    virtual Answer messageBox(QWidget* owner, const QString& text, Buttons buttons, Icon icon,
                              const QString& title) = 0;

    // Modal prompt with OK and Cancel and an editable preset text; returns
    // the edited text, or the empty text on Cancel.
    virtual QString inputBox(QWidget* owner, const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;

    // Modal multi-select file-open dialog; see FileOpenRequest. Throws
    // PlatformError(errors::bufferTooSmall) for an overlarge selection.
    virtual QString showOpen(QWidget* owner, const FileOpenRequest& request) = 0;

    // Processes every pending window event. Throws ProgramEnding when the
    // program is ending (endProgram() was called during or before it).
    virtual void processPendingEvents() = 0;

    // Marks the program as ending and asks the event loop to finish.
    virtual void endProgram() = 0;
    virtual bool isEnding() const = 0;

    // The mouse cursor's position in screen pixels.
    virtual QPoint cursorScreenPosition() = 0;
};

} // namespace fq::platform
