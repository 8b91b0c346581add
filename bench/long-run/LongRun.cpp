// A long run in the real window: COUNT documents (copies of the given
// files, cycled) are queued, "Start Converting" is clicked, and the
// window's resident memory, the converter process's and the number of
// documents written are sampled every half second until "Done.". Message
// boxes are real; a timer answers them (and notes their texts), and the
// shell opens nothing. Prints the samples as TSV to --samples and a summary:
// memory after queueing, at a tenth, half and the end of the run, the growth
// per 100 documents over the second half (least squares), the peak, the
// boxes shown.
//
//   xvfb-run -a bench_long_run [--count 2000] [--samples FILE] FILE...
#include "app/Form1.h"
#include "platform/PublishingApplicationChoice.h"
#include "platform/qt/QtEnvironment.h"
#include "platform/qt/QtFileSystem.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtWindowSystem.h"

#include <QPushButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Resident memory of a process in KiB (VmRSS), 0 when it is gone.
long residentKiB(const std::string& pid)
{
    std::ifstream status("/proc/" + pid + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// Resident memory of the direct children (the converter process).
long childrenResidentKiB()
{
    const std::string self = std::to_string(getpid());
    long total = 0;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        entry.toInt(&numeric);
        if (!numeric) continue;
        std::ifstream stat("/proc/" + entry.toStdString() + "/stat");
        std::string all;
        std::getline(stat, all);
        const auto close = all.rfind(')');
        if (close == std::string::npos) continue;
        // After ") ": state, then the parent's pid.
        std::size_t p = close + 2;
        p = all.find(' ', p);
        if (p == std::string::npos) continue;
        const std::string ppid = all.substr(p + 1, all.find(' ', p + 1) - p - 1);
        if (ppid == self) total += residentKiB(entry.toStdString());
    }
    return total;
}

class QuietShell : public fq::platform::QtShell {
public:
    void open(QWidget*, const QString& target) override { std::fprintf(stderr, "(not opened: %s)\n", qPrintable(target)); }
};

struct Sample {
    double seconds;
    int written;
    long windowKiB;
    long converterKiB;
};

// Least-squares slope of y over x.
double slope(const std::vector<std::pair<double, double>>& points)
{
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const auto& [x, y] : points) {
        n += 1; sx += x; sy += y; sxx += x * x; sxy += x * y;
    }
    const double d = n * sxx - sx * sx;
    return d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

} // namespace

int main(int argc, char* argv[])
{
    // Settings go to a folder of their own, not the user's.
    QTemporaryDir work;
    if (!work.isValid()) return 1;
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toLocal8Bit());

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folioquill"));
    QApplication::setOrganizationName(QStringLiteral("Trevalon"));

    int count = 2000;
    QString samplesPath;
    QStringList sources;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--count") && i + 1 < args.size()) count = args[++i].toInt();
        else if (args[i] == QLatin1String("--samples") && i + 1 < args.size()) samplesPath = args[++i];
        else sources << QFileInfo(args[i]).absoluteFilePath();
    }
    if (sources.isEmpty() || count <= 0) {
        std::fprintf(stderr, "usage: bench_long_run [--count N] [--samples FILE] FILE...\n");
        return 2;
    }

    // 1. The queue: copies of the sources under names of their own.
    const QString in = work.filePath(QStringLiteral("in"));
    const QString out = work.filePath(QStringLiteral("out"));
    QDir().mkpath(in);
    QDir().mkpath(out);
    QStringList queue;
    for (int i = 0; i < count; ++i) {
        const QFileInfo source(sources[i % sources.size()]);
        const QString copy = QStringLiteral("%1/%2-%3.%4")
                                 .arg(in)
                                 .arg(i, 5, 10, QLatin1Char('0'))
                                 .arg(source.completeBaseName(), source.suffix());
        if (!QFile::copy(source.filePath(), copy)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(source.filePath()));
            return 1;
        }
        queue << copy;
    }

    // 2. The real window and platform, but a shell that opens nothing.
    fq::platform::QtWindowSystem windows;
    QuietShell shell;
    fq::platform::QtFileSystem files;
    fq::platform::QtSettingsStore settings;
    fq::platform::QtEnvironment environment;
    auto publishing = fq::platform::choosePublishingApplication([&windows] { windows.processPendingEvents(); });
    fq::platform::Platform platform{windows, shell, files, settings, environment, *publishing};
    fq::app::Form1 window(platform);
    window.start();
    for (const QString& path : queue) window.ListView1->Add(path);
    window.Option1->click();
    window.Text1->setText(out);

    // 3. Boxes are answered and noted.
    std::map<QString, int> boxes;
    bool done = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        // Counted by their first line, with quoted names left out.
        QString kind = box->text().section(QLatin1Char('\n'), 0, 0);
        kind.replace(QRegularExpression(QStringLiteral("\"[^\"]*\"")), QStringLiteral("\"...\""));
        ++boxes[kind];
        if (box->text() == QLatin1String("Done.")) done = true;
        box->accept();
    });
    answer.start(50);

    // 4. Samples every half second.
    std::vector<Sample> samples;
    QElapsedTimer clock;
    auto sample = [&] {
        const int written = static_cast<int>(QDir(out).entryList({QStringLiteral("*.pub")}, QDir::Files).size());
        samples.push_back({clock.elapsed() / 1000.0, written, residentKiB("self"), childrenResidentKiB()});
    };
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, sample);

    QTimer::singleShot(0, [&] {
        clock.start();
        sample();
        sampler.start(500);
        window.PushButton2->click();   // returns after "Done." was answered
        sample();
        app.quit();
    });
    app.exec();

    // 5. Report.
    if (!samplesPath.isEmpty()) {
        std::ofstream tsv(samplesPath.toStdString());
        tsv << "seconds\twritten\twindow_kib\tconverter_kib\n";
        for (const auto& s : samples) tsv << s.seconds << '\t' << s.written << '\t' << s.windowKiB << '\t' << s.converterKiB << '\n';
    }
    const Sample& last = samples.back();
    auto at = [&](double share) -> const Sample& {
        for (const auto& s : samples)
            if (s.written >= share * count) return s;
        return last;
    };
    std::vector<std::pair<double, double>> secondHalf, converterHalf;
    long peakWindow = 0, peakConverter = 0;
    for (const auto& s : samples) {
        peakWindow = std::max(peakWindow, s.windowKiB);
        peakConverter = std::max(peakConverter, s.converterKiB);
        if (s.written >= count / 2) {
            secondHalf.emplace_back(s.written, s.windowKiB);
            if (s.converterKiB > 0) converterHalf.emplace_back(s.written, s.converterKiB);
        }
    }
    std::printf("documents %d, written %d, %.1f s (%.1f documents/s), finished with \"Done.\": %s\n", count,
                last.written, last.seconds, last.written / std::max(last.seconds, 0.001), done ? "yes" : "no");
    std::printf("window memory (MiB): start %.1f, 10%% %.1f, 50%% %.1f, end %.1f, peak %.1f; "
                "growth over the second half %.1f KiB per 100 documents\n",
                samples.front().windowKiB / 1024.0, at(0.1).windowKiB / 1024.0, at(0.5).windowKiB / 1024.0,
                last.windowKiB / 1024.0, peakWindow / 1024.0, slope(secondHalf) * 100);
    std::printf("converter process memory (MiB): peak %.1f; growth over the second half %.1f KiB per 100 documents\n",
                peakConverter / 1024.0, slope(converterHalf) * 100);
    for (const auto& [text, n] : boxes) std::printf("box shown %d time(s): %s\n", n, qPrintable(text));
    return done && last.written == count ? 0 : 1;
}
