// Times the list control with a queue of 100,000 documents, the way a folder
// scan fills it: the appends themselves, the first layout and paint of the
// full list, and removing one item (first, middle, last) from it. Each
// figure is the median of several rounds, in milliseconds.
#include "filelist/ListView.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int items = 100000;
constexpr int rounds = 5;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double elapsedMs(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    std::vector<QString> paths;
    paths.reserve(items);
    for (int i = 0; i < items; ++i)
        paths.push_back(QStringLiteral("/home/ann/Documents/Archive %1/Chapter %2.docx").arg(i / 100).arg(i));

    std::vector<double> append, firstPaint, removeFirst, removeMiddle, removeLast, clear;
    for (int round = 0; round < rounds; ++round) {
        fq::filelist::ListView list;
        list.resize(520, 163);
        list.AddColumn(QStringLiteral(" Word File(s)"));
        list.SetColumnWidth(1, 7000);
        list.show();
        QApplication::processEvents();

        QElapsedTimer t;
        t.start();
        for (const QString& p : paths) list.Add(p);
        append.push_back(elapsedMs(t));

        t.restart();
        QApplication::processEvents();
        list.repaint();
        firstPaint.push_back(elapsedMs(t));

        auto timeRemoval = [&](int index, std::vector<double>& into) {
            QElapsedTimer r;
            r.start();
            list.Remove(index);
            QApplication::processEvents();
            list.repaint();
            into.push_back(elapsedMs(r));
        };
        list.Select(items / 2);
        timeRemoval(1, removeFirst);
        timeRemoval(list.Count() / 2, removeMiddle);
        timeRemoval(list.Count(), removeLast);

        t.restart();
        list.Clear();
        QApplication::processEvents();
        clear.push_back(elapsedMs(t));
        if (list.Count() != 0) return 1;
    }

    std::printf("list control, %d items, median of %d rounds (ms)\n", items, rounds);
    std::printf("  %-40s %10.2f\n", "append 100,000 items", median(append));
    std::printf("  %-40s %10.2f\n", "  per item (microseconds)", median(append) * 1000.0 / items);
    std::printf("  %-40s %10.2f\n", "first layout and paint after the appends", median(firstPaint));
    std::printf("  %-40s %10.2f\n", "remove the first item of 100,000", median(removeFirst));
    std::printf("  %-40s %10.2f\n", "remove the middle item", median(removeMiddle));
    std::printf("  %-40s %10.2f\n", "remove the last item", median(removeLast));
    std::printf("  %-40s %10.2f\n", "clear the list", median(clear));
    return 0;
}
