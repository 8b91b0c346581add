// Times "Add All Word File(s) In Folder" over a generated tree (by default
// 100,000 files in 10,000 folders under the temporary folder), from the click
// to the last queued item, side by side with `find DIR -type f` on the same
// tree in the same run. The window is shown and pending events really run
// during the walk, so the repaints are part of the time.
//
//   bench_folder_scan [--folders N] [--files N] [--answer EXT] [--runs N] [--keep] [--tree DIR] [--no-events]
#include "app/Form1.h"
#include "platform/qt/QtFileSystem.h"
#include "tests/support/FakePlatform.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstring>

#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace fq;

// Answers the prompts from scripts, but lets window events really run.
class LiveWindowSystem : public test::FakeWindowSystem {
public:
    bool live = true;
    const QElapsedTimer* clock = nullptr;
    qint64 firstYield = -1, lastYield = -1, longestGap = 0;
    void processPendingEvents() override
    {
        ++processEventsCalls;
        if (clock) {
            const qint64 now = clock->nsecsElapsed();
            if (firstYield < 0) firstYield = now;
            if (lastYield >= 0) longestGap = std::max(longestGap, now - lastYield);
            lastYield = now;
        }
        if (!live) return;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
};

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

struct Options {
    int folders = 10000;
    int filesPerFolder = 10;
    QString answer = QStringLiteral("*");
    int runs = 3;
    bool keep = false;
    QString tree; // an existing tree to scan instead of generating one
    bool events = true; // let window events run during the walk
};

// 100 top folders each holding the rest in equal shares; files named so that
// seven in ten match "do*".
int generate(const QString& root, const Options& o)
{
    const char* extensions[] = {".doc", ".docx", ".doc", ".txt", ".docx", ".doc", ".pdf", ".doc", ".docx", ".xlsx"};
    const int top = std::min(100, o.folders);
    const int perTop = (o.folders - top) / top;
    int made = 0;
    auto fill = [&](const QByteArray& dir) {
        ::mkdir(dir.constData(), 0755);
        ++made;
        for (int f = 0; f < o.filesPerFolder; ++f) {
            const QByteArray name = dir + "/file" + QByteArray::number(f) + extensions[f % 10];
            // Empty files: the scan never reads them, and no data blocks
            // keeps making and removing the tree quick.
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) ::close(fd);
        }
    };
    const QByteArray base = QFile::encodeName(root);
    for (int t = 0; t < top; ++t) {
        const QByteArray dir = base + "/top" + QByteArray::number(t);
        fill(dir);
        for (int s = 0; s < perTop; ++s) fill(dir + "/sub" + QByteArray::number(s));
    }
    return made;
}

double findSeconds(const QString& root, qint64* count)
{
    QProcess find;
    QElapsedTimer t;
    t.start();
    find.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("find \"$1\" -type f | wc -l"),
                                      QStringLiteral("sh"), root});
    find.waitForFinished(-1);
    const double s = t.nsecsElapsed() / 1e9;
    if (count) *count = find.readAllStandardOutput().trimmed().toLongLong();
    return s;
}

// What the scan cannot do without: every folder read (twice: its
// sub-folders, then its files) and three looks at every file by its full path
// (the open test while listing, the open test and the attribute query before
// queuing). Nothing else: no names kept, no list, no events.
struct Floor {
    long files = 0;
    void walk(const std::string& dir)
    {
        std::vector<std::string> subs;
        if (DIR* d = ::opendir(dir.c_str())) {
            while (const dirent* e = ::readdir(d))
                if (e->d_type == DT_DIR && std::strcmp(e->d_name, ".") && std::strcmp(e->d_name, ".."))
                    subs.emplace_back(e->d_name);
            ::closedir(d);
        }
        if (DIR* d = ::opendir(dir.c_str())) {
            while (const dirent* e = ::readdir(d)) {
                if (e->d_type != DT_REG) continue;
                const std::string path = dir + "/" + e->d_name;
                struct stat st {};
                ::stat(path.c_str(), &st);
                ::stat(path.c_str(), &st);
                ::lstat(path.c_str(), &st);
                ++files;
            }
            ::closedir(d);
        }
        for (const std::string& s : subs) walk(dir + "/" + s);
    }
};

double floorSeconds(const QString& root)
{
    QElapsedTimer t;
    t.start();
    Floor f;
    f.walk(QFile::encodeName(root).toStdString());
    return t.nsecsElapsed() / 1e9;
}

struct ScanResult {
    double toLastItem = 0;
    double handler = 0;
    int items = 0;
    int paints = 0;
    int yields = 0;
    double walk = 0;       // first to last yield: the folder walk
    double longestGap = 0; // the longest stretch without a yield during the walk
    double listing = 0;    // last yield to last item: the file listing, which does not yield
};

ScanResult scanOnce(const QString& root, const QString& answer, bool events)
{
    LiveWindowSystem windows;
    windows.live = events;
    test::FakeShell shell;
    platform::QtFileSystem files;
    test::FakeSettings settings;
    test::FakeEnvironment environment;
    test::UnavailablePublishing publishing;
    platform::Platform os{windows, shell, files, settings, environment, publishing};
    app::Form1 form(os);
    form.ApplicationTitle = QStringLiteral("Folioquill benchmark");
    form.ListView1->AddColumn(QStringLiteral("Files"));
    form.show();
    QCoreApplication::processEvents();
    PaintCounter paints; // every widget of the window
    qApp->installEventFilter(&paints);

    windows.inputAnswers.push_back(answer);
    shell.browseAnswers.push_back(root);
    QElapsedTimer t;
    qint64 lastItem = 0;
    QObject::connect(form.ListView1->model(), &QAbstractItemModel::rowsInserted, &form,
                     [&] { lastItem = t.nsecsElapsed(); });
    windows.clock = &t;
    t.start();
    form.PushButton3_Click();
    ScanResult r;
    r.handler = t.nsecsElapsed() / 1e9;
    r.toLastItem = lastItem / 1e9;
    r.items = form.ListView1->Count();
    r.paints = paints.paints;
    qApp->removeEventFilter(&paints);
    r.yields = windows.processEventsCalls;
    r.walk = (windows.lastYield - windows.firstYield) / 1e9;
    r.longestGap = windows.longestGap / 1e9;
    r.listing = (lastItem - windows.lastYield) / 1e9;
    return r;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options o;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString a = args[i];
        auto next = [&] { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == QStringLiteral("--folders")) o.folders = next().toInt();
        else if (a == QStringLiteral("--files")) o.filesPerFolder = next().toInt();
        else if (a == QStringLiteral("--answer")) o.answer = next();
        else if (a == QStringLiteral("--runs")) o.runs = std::max(1, next().toInt());
        else if (a == QStringLiteral("--keep")) o.keep = true;
        else if (a == QStringLiteral("--tree")) o.tree = next();
        else if (a == QStringLiteral("--no-events")) o.events = false;
        else {
            std::fprintf(stderr, "usage: bench_folder_scan [--folders N] [--files N] [--answer EXT] [--runs N] [--keep] [--tree DIR] [--no-events]\n");
            return 2;
        }
    }

    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/fq-folder-scan-XXXXXX"));
    dir.setAutoRemove(!o.keep);
    const QString root = o.tree.isEmpty() ? dir.path() : o.tree;
    if (o.tree.isEmpty()) {
        QElapsedTimer t;
        t.start();
        const int folders = generate(root, o);
        std::printf("tree: %s, %d folders, %d files (generated in %.1f s)\n", qPrintable(root), folders,
                    folders * o.filesPerFolder, t.nsecsElapsed() / 1e9);
    } else {
        std::printf("tree: %s (given)\n", qPrintable(root));
    }
    std::fflush(stdout);

    // One untimed pass of each warms the caches the same way for both.
    findSeconds(root, nullptr);
    scanOnce(root, o.answer, o.events);

    double bestFind = 1e9, bestScan = 1e9, bestFloor = 1e9;
    std::vector<double> ratios, floorRatios;
    for (int run = 1; run <= o.runs; ++run) {
        qint64 found = 0;
        const double f = findSeconds(root, &found);
        const ScanResult s = scanOnce(root, o.answer, o.events);
        const double fl = floorSeconds(root);
        bestFind = std::min(bestFind, f);
        bestScan = std::min(bestScan, s.toLastItem);
        bestFloor = std::min(bestFloor, fl);
        ratios.push_back(s.toLastItem / f);
        floorRatios.push_back(fl / f);
        std::printf("run %d: find -type f %.3f s (%lld files) | scan \"%s\" to last item %.3f s, handler %.3f s "
                    "(%d items; walk %.3f s with %d yields, longest gap %.1f ms, %d paint events; listing %.3f s) | ratio %.2f | "
                    "reads and looks alone %.3f s (%.2f x find)\n",
                    run, f, static_cast<long long>(found), qPrintable(o.answer), s.toLastItem, s.handler, s.items,
                    s.walk, s.yields, s.longestGap * 1e3, s.paints, s.listing, s.toLastItem / f, fl, fl / f);
        std::fflush(stdout);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
    };
    std::printf("best: find %.3f s, scan %.3f s, reads and looks alone %.3f s; median ratio scan/find %.2f, "
                "reads and looks/find %.2f\n",
                bestFind, bestScan, bestFloor, median(ratios), median(floorRatios));
    std::fflush(stdout);
    return 0;
}
