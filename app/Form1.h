// The main window and its controls. The handlers are members, named control
// underscore event; each subsystem defines its own handlers in its folder:
//   app/        start-up, shut-down, Help, hover pointer
//   filelist/   removal and clearing, drag reordering, dropping, samples
//   intake/     add files, add all files in folder
//   conversion/ the conversion run and the output folder choice
#pragma once

#include "app/CommonDialog.h"
#include "app/ErrorReport.h"
#include "app/ProgressBar.h"
#include "conversion/PathHelpers.h"
#include "filelist/ListView.h"
#include "platform/Platform.h"
#include "platform/PlatformError.h"

#include <QCursor>
#include <QWidget>

class QFrame;
class QGroupBox;
class QLineEdit;
class QMimeData;
class QPushButton;
class QRadioButton;

namespace fq::app {

// The Help button's message: four paragraphs, the last one asking to open
// the page of the document-splitting program.
QString helpMessage();

// Values of the window's mouse pointer.
namespace pointer {
inline constexpr int defaultPointer = 0;
inline constexpr int arrow = 1;
inline constexpr int hourglass = 11;
inline constexpr int custom = 99;
} // namespace pointer

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(platform::Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    // Runs the start-up sequence with the window hidden, then shows it
    // centred on the screen.
    void start();

    // Pixels for a length in twips (15 twips a pixel at 96 dots per inch).
    int twips(int value) const;

    // The window's mouse pointer (values of namespace pointer).
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int value);

    // Lets pending window events run. Throws platform::ProgramEnding when the
    // window was closed meanwhile; the calling handler then leaves at once.
    void DoEvents();

    // Controls, in tab order.
    filelist::ListView* ListView1 = nullptr;
    ProgressBar* ProgressBar1 = nullptr;
    QPushButton* PushButton4 = nullptr;
    QPushButton* PushButton1 = nullptr;
    QPushButton* PushButton3 = nullptr;
    QPushButton* PushButton2 = nullptr;
    QPushButton* PushButton5 = nullptr;
    QPushButton* PushButton6 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QFrame* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* PushButton7 = nullptr;
    CommonDialog CommonDialog1;

    QString ApplicationTitle;
    QCursor HandCursor;
    bool HandCursorLoaded = false;

    // Drag reordering.
    bool DragActive = false;
    filelist::ListView::ItemId DraggedItem = filelist::ListView::noItem;
    filelist::ListView::ItemId HoverItem = filelist::ListView::noItem;

    // The conversion run's busy flag.
    bool IsConverting = false;

    // The path style the handlers compose paths in (the native one; tests
    // may choose the other).
    conversion::PathStyle pathStyle = conversion::nativePathStyle();

    // Start-up and shut-down (app/).
    void Form_Load();
    void Form_QueryUnload();
    void Form_Unload();
    void ApplySkinIfPresent();
    void SetApplicationTitle();
    void OccasionalWebVisit();

    // Help (app/).
    void PushButton4_Click();

    // Hover pointer (app/): the buttons show the hand, the rest the default.
    void PushButton1_MouseMove();
    void PushButton2_MouseMove();
    void PushButton3_MouseMove();
    void PushButton4_MouseMove();
    void PushButton5_MouseMove();
    void PushButton6_MouseMove();
    void PushButton7_MouseMove();
    void Form_MouseMove();
    void Frame5_MouseMove();
    void Frame1_MouseMove();
    void Text1_MouseMove();

    // The file list (filelist/).
    void ListView1_DblClick();
    void ListView1_KeyDown(int keyCode, int shift);
    void PushButton5_Click();
    void ListView1_MouseDown();
    void ListView1_ItemClick();
    void ListView1_MouseMove(int x, int y);
    void ListView1_MouseUp();
    void ListView1_OLEDragOver(const QMimeData* data, int* effect);
    void ListView1_OLEDragDrop(const QMimeData* data);
    void PushButton6_Click();
    // Files and folders named on the command line (the desktop's "Open
    // with"): queued as a drop of the same paths on the list.
    void OpenFiles(const QStringList& paths);

    // Intake (intake/).
    void PushButton1_Click();
    void PushButton3_Click();

    // Conversion (conversion/).
    void PushButton2_Click();
    void Option1_Click();
    void Option2_Click();
    void Text1_Change();
    void PushButton7_Click();

    platform::Platform& os; // the outside world: dialogs, shell, files, settings, ...
    ErrorReport Report;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    // Calls a handler from an event, ending quietly when the program ends.
    template <class F>
    void guarded(F&& handler);

    int mousePointer_ = pointer::defaultPointer;
};

} // namespace fq::app
