// The main window: its controls as the window design lays them out, and the
// wiring of control events to the handlers.
#include "app/Form1.h"

#include "app/ProductInfo.h"

#include <QCloseEvent>
#include <QMimeData>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace fq::app {

namespace {

// Window design, in twips: left, top, width, height.
struct Place {
    int left, top, width, height;
};
constexpr Place clientArea{0, 0, 8040, 7125};
constexpr Place listPlace{120, 630, 7800, 2445};
constexpr Place progressPlace{120, 6600, 7800, 405};
constexpr Place helpPlace{120, 120, 7800, 405};
constexpr Place addFilesPlace{120, 3160, 3840, 405};
constexpr Place addFolderPlace{4080, 3160, 3840, 405};
constexpr Place convertPlace{120, 6080, 7800, 405};
constexpr Place clearPlace{120, 3670, 3840, 405};
constexpr Place samplesPlace{4080, 3670, 3840, 405};
constexpr Place saveOptionPlace{120, 4130, 7800, 1815};
constexpr Place option1Place{240, 300, 3615, 255};
constexpr Place option2Place{240, 1410, 3615, 255};
constexpr Place frame1Place{480, 510, 6840, 795};
constexpr Place text1Place{240, 300, 5670, 345};
constexpr Place browsePlace{6000, 300, 600, 345};

constexpr const char* listToolTip =
    "Drag and drop files here. Double-click item to remove it. Move | line to right and out of window to reveal full names.";

QFont designFont(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

} // namespace

Form1::Form1(platform::Platform& p, QWidget* parent)
    : QWidget(parent), CommonDialog1(p.windows, this), os(p), Report(p.windows, this)
{
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QString::fromLatin1(product::windowName));
    setFont(designFont(9));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setFixedSize(twips(clientArea.width), twips(clientArea.height));
    setMouseTracking(true);
    createControls();
    connectHandlers();
}

Form1::~Form1() = default;

int Form1::twips(int value) const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return qRound(value / 15.0 * dpi / 96.0);
}

void Form1::createControls()
{
    auto place = [this](QWidget* w, const Place& p) {
        w->setGeometry(twips(p.left), twips(p.top), twips(p.width), twips(p.height));
    };
    auto button = [&](const char* caption, const Place& p, QWidget* container) {
        auto* b = new QPushButton(QString::fromUtf8(caption), container);
        b->setFont(designFont(11.25));
        b->setMouseTracking(true);
        b->installEventFilter(this);
        place(b, p);
        return b;
    };
    auto whiteBackground = [](QWidget* w) {
        w->setAutoFillBackground(true);
        w->setBackgroundRole(QPalette::Window); // buttons fill with the button colour otherwise
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, Qt::white);
        w->setPalette(pal);
    };

    ListView1 = new filelist::ListView(this);
    ListView1->setFont(designFont(9));
    ListView1->setToolTip(QString::fromUtf8(listToolTip));
    place(ListView1, listPlace);

    ProgressBar1 = new ProgressBar(this);
    ProgressBar1->SetText(QStringLiteral("Progress Bar"));
    place(ProgressBar1, progressPlace);

    PushButton4 = button("Help", helpPlace, this);
    PushButton1 = button("Add Word File(s)", addFilesPlace, this);
    PushButton3 = button("Add All Word File(s) In Folder", addFolderPlace, this);
    PushButton2 = button("Start Converting", convertPlace, this);
    PushButton5 = button("Clear List", clearPlace, this);
    PushButton6 = button("Load Sample/Example Files", samplesPlace, this);

    Frame5 = new QGroupBox(QStringLiteral("Save Option"), this);
    whiteBackground(Frame5);
    Frame5->setMouseTracking(true);
    Frame5->installEventFilter(this);
    place(Frame5, saveOptionPlace);

    Option1 = new QRadioButton(QStringLiteral("Save results to this folder:"), Frame5);
    whiteBackground(Option1);
    place(Option1, option1Place);
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("Save results in folder of original file"), Frame5);
    whiteBackground(Option2);
    place(Option2, option2Place);

    Frame1 = new QFrame(Frame5);
    Frame1->setFrameShape(QFrame::StyledPanel);
    whiteBackground(Frame1);
    Frame1->setMouseTracking(true);
    Frame1->installEventFilter(this);
    place(Frame1, frame1Place);

    Text1 = new QLineEdit(Frame1);
    Text1->setMouseTracking(true);
    Text1->installEventFilter(this);
    place(Text1, text1Place);
    PushButton7 = button("...", browsePlace, Frame1);

    // Tab order as designed.
    QWidget* order[] = {ListView1, ProgressBar1, PushButton4, PushButton1, PushButton3, PushButton2, PushButton5,
                        PushButton6, Frame5,     Option1,      Option2,     Frame1,      Text1,       PushButton7};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

template <class F>
void Form1::guarded(F&& handler)
{
    try {
        std::forward<F>(handler)();
    } catch (const platform::ProgramEnding&) {
        // The window was closed while the handler let events through.
    }
}

void Form1::connectHandlers()
{
    auto on = [this](QPushButton* b, void (Form1::*h)()) {
        connect(b, &QPushButton::clicked, this, [this, h] { guarded([&] { (this->*h)(); }); });
    };
    on(PushButton1, &Form1::PushButton1_Click);
    on(PushButton2, &Form1::PushButton2_Click);
    on(PushButton3, &Form1::PushButton3_Click);
    on(PushButton4, &Form1::PushButton4_Click);
    on(PushButton5, &Form1::PushButton5_Click);
    on(PushButton6, &Form1::PushButton6_Click);
    on(PushButton7, &Form1::PushButton7_Click);
    connect(Option1, &QRadioButton::clicked, this, [this] { guarded([&] { Option1_Click(); }); });
    connect(Option2, &QRadioButton::clicked, this, [this] { guarded([&] { Option2_Click(); }); });
    connect(Text1, &QLineEdit::textChanged, this, [this] { guarded([&] { Text1_Change(); }); });

    using LV = filelist::ListView;
    connect(ListView1, &LV::MouseDown, this, [this] { guarded([&] { ListView1_MouseDown(); }); });
    connect(ListView1, &LV::ItemClick, this, [this] { guarded([&] { ListView1_ItemClick(); }); });
    connect(ListView1, &LV::MouseMove, this, [this](int x, int y) { guarded([&] { ListView1_MouseMove(x, y); }); });
    connect(ListView1, &LV::MouseUp, this, [this] { guarded([&] { ListView1_MouseUp(); }); });
    connect(ListView1, &LV::DblClick, this, [this] { guarded([&] { ListView1_DblClick(); }); });
    connect(ListView1, &LV::KeyDown, this,
            [this](int key, int shift) { guarded([&] { ListView1_KeyDown(key, shift); }); });
    connect(ListView1, &LV::OLEDragOver, this,
            [this](const QMimeData* d, int* effect) { guarded([&] { ListView1_OLEDragOver(d, effect); }); });
    connect(ListView1, &LV::OLEDragDrop, this,
            [this](const QMimeData* d) { guarded([&] { ListView1_OLEDragDrop(d); }); });
}

void Form1::start()
{
    guarded([&] { Form_Load(); });
    if (os.windows.isEnding())
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void Form1::SetMousePointer(int value)
{
    mousePointer_ = value;
    switch (value) {
    case pointer::hourglass:
        setCursor(Qt::WaitCursor);
        break;
    case pointer::arrow:
        setCursor(Qt::ArrowCursor);
        break;
    case pointer::custom:
        if (HandCursorLoaded)
            setCursor(HandCursor);
        else
            unsetCursor();
        break;
    default:
        unsetCursor();
        break;
    }
}

void Form1::DoEvents()
{
    os.windows.processPendingEvents();
}

void Form1::closeEvent(QCloseEvent* event)
{
    guarded([&] { Form_QueryUnload(); });
    event->accept();
    Form_Unload();
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    guarded([&] { Form_MouseMove(); });
    QWidget::mouseMoveEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::HoverMove || event->type() == QEvent::Enter) {
        guarded([&] {
            if (watched == PushButton1) PushButton1_MouseMove();
            else if (watched == PushButton2) PushButton2_MouseMove();
            else if (watched == PushButton3) PushButton3_MouseMove();
            else if (watched == PushButton4) PushButton4_MouseMove();
            else if (watched == PushButton5) PushButton5_MouseMove();
            else if (watched == PushButton6) PushButton6_MouseMove();
            else if (watched == PushButton7) PushButton7_MouseMove();
            else if (watched == Frame5) Frame5_MouseMove();
            else if (watched == Frame1) Frame1_MouseMove();
            else if (watched == Text1) Text1_MouseMove();
        });
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace fq::app
