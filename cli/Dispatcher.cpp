// Batch conversion. Several documents go to a pool of worker processes (Qt's
// font machinery is kept out of threads): each worker takes one job at a
// time over a pipe, and a crashed or stuck worker costs only its current
// document. A single document is converted in this process, under a crash
// handler that still reports it.
#include "cli/Dispatcher.h"

#include "cli/ConvertOne.h"
#include "cli/CrashReport.h"
#include "cli/OutputNames.h"
#include "cli/WorkerProtocol.h"
#include "publishing/engine/SafeSave.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <thread>

namespace fq::cli {

namespace {

namespace fs = std::filesystem;

constexpr int kJobTimeoutMs = 300 * 1000;

struct Item {
    std::string source;                     // as given on the command line
    fs::path target;
    bool done = false;
};

class Report {
public:
    void converted(const Item& item) {
        ++converted_;
        std::fprintf(stderr, "converted: %s -> %s\n", item.source.c_str(), item.target.string().c_str());
        std::fflush(stderr);
    }
    void failed(const Item& item, const std::string& reason) {
        ++failed_;
        std::fputs(failedLine(item, reason).c_str(), stderr);
        std::fflush(stderr);
    }
    int finish() const {
        std::fputs(summaryLine(0).c_str(), stderr);
        std::fflush(stderr);
        return failed_ == 0 ? 0 : 1;
    }
    static std::string failedLine(const Item& item, const std::string& reason) {
        return "failed: " + item.source + ": " + reason + "\n";
    }
    // The summary as it would read with moreFailed further failures.
    std::string summaryLine(int moreFailed) const {
        return std::to_string(converted_) + " converted, " + std::to_string(failed_ + moreFailed) + " failed\n";
    }

private:
    int converted_ = 0;
    int failed_ = 0;
};

// A fake argument list for the Qt application: file names must not be
// taken for Qt's own options.
struct QtArgs {
    explicit QtArgs(const char* program) : name(program ? program : "folioquill-convert") { argv[0] = name.data(); }
    std::string name;
    int argc = 1;
    char* argv[2] = {nullptr, nullptr};
};

std::string normalizedKey(const fs::path& p) {
    std::error_code ec;
    fs::path n = fs::weakly_canonical(fs::absolute(p), ec);
    return (ec ? fs::absolute(p).lexically_normal() : n).string();
}

class Pool {
public:
    Pool(std::vector<Item*> pending, int workers, Report& report)
        : pending_(std::move(pending)), report_(report), slots_(static_cast<std::size_t>(workers)) {}

    void start() {
        for (std::size_t i = 0; i < slots_.size(); ++i) spawn(i);
        checkDone();
    }

private:
    struct Slot {
        std::unique_ptr<QProcess> process;
        std::unique_ptr<QTimer> timer;
        Item* item = nullptr;
        QByteArray buffer;
        bool timedOut = false;
        bool finished = false;
    };

    void spawn(std::size_t index) {
        if (next_ >= pending_.size()) return;
        Slot& slot = slots_[index];
        slot = Slot{};
        slot.process = std::make_unique<QProcess>();
        slot.timer = std::make_unique<QTimer>();
        slot.timer->setSingleShot(true);
        QProcess* process = slot.process.get();
        process->setProcessChannelMode(QProcess::SeparateChannels);
        process->setInputChannelMode(QProcess::ManagedInputChannel);
        process->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::readyReadStandardOutput, [this, index] { readAnswers(index); });
        QObject::connect(process, &QProcess::finished, [this, index](int, QProcess::ExitStatus status) {
            ended(index, status == QProcess::CrashExit);
        });
        QObject::connect(process, &QProcess::errorOccurred, [this, index](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) ended(index, false);
        });
        QObject::connect(slot.timer.get(), &QTimer::timeout, [this, index] {
            slots_[index].timedOut = true;
            slots_[index].process->kill();
        });
        ++live_;
        process->start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kWorkerFlag)});
        feed(index);
    }

    void feed(std::size_t index) {
        Slot& slot = slots_[index];
        if (next_ >= pending_.size()) {
            slot.item = nullptr;
            slot.timer->stop();
            slot.process->closeWriteChannel();
            return;
        }
        slot.item = pending_[next_++];
        const std::string line = encodeJob({slot.item->source, slot.item->target.string()});
        slot.process->write(line.data(), static_cast<qint64>(line.size()));
        slot.timer->start(kJobTimeoutMs);
    }

    void readAnswers(std::size_t index) {
        Slot& slot = slots_[index];
        if (!slot.process) return;
        slot.buffer += slot.process->readAllStandardOutput();
        qsizetype end;
        while ((end = slot.buffer.indexOf('\n')) >= 0) {
            const std::string line = slot.buffer.left(end).toStdString();
            slot.buffer.remove(0, end + 1);
            if (!slot.item) continue;
            const auto answer = decodeAnswer(line);
            Item* item = slot.item;
            item->done = true;
            if (answer && answer->ok) report_.converted(*item);
            else report_.failed(*item, answer ? answer->message : "The converter gave no usable answer.");
            feed(index);
        }
    }

    void ended(std::size_t index, bool crashed) {
        Slot& slot = slots_[index];
        if (!slot.process || slot.finished) return;
        slot.finished = true;
        readAnswers(index);
        if (slot.item && !slot.item->done) {
            slot.item->done = true;
            std::string reason;
            if (slot.timedOut) reason = "The conversion took too long and was stopped.";
            else if (crashed) reason = "The converter stopped unexpectedly on this document.";
            else if (slot.process->error() == QProcess::FailedToStart) reason = "The converter could not be started.";
            else reason = "The converter ended before the document was converted.";
            report_.failed(*slot.item, reason);
            engine::removeTemporaries(slot.item->target);
            slot.item = nullptr;
        }
        --live_;
        const bool canRespawn = slot.process->error() != QProcess::FailedToStart;
        slot.timer->stop();
        slot.process.release()->deleteLater();
        slot.timer.release()->deleteLater();
        if (canRespawn) spawn(index);
        checkDone();
    }

    void checkDone() {
        if (live_ > 0) return;
        // No worker left (they could not be started): what remains fails.
        while (next_ < pending_.size()) report_.failed(*pending_[next_++], "The converter could not be started.");
        QCoreApplication::quit();
    }

    std::vector<Item*> pending_;
    Report& report_;
    std::vector<Slot> slots_;
    std::size_t next_ = 0;
    int live_ = 0;
};

} // namespace

int runBatch(const Options& options, const char* programPath) {
    if (options.outputFolder) {
        const fs::path& folder = *options.outputFolder;
        std::error_code ec;
        if (fs::exists(folder, ec) && !fs::is_directory(folder, ec)) {
            std::fprintf(stderr, "folioquill-convert: the output folder %s is not a folder\n", folder.string().c_str());
            return 2;
        }
        if (!fs::exists(folder, ec)) {
            fs::create_directories(folder, ec);
            if (ec) {
                std::fprintf(stderr, "folioquill-convert: the output folder %s cannot be created: %s\n",
                             folder.string().c_str(), ec.message().c_str());
                return 2;
            }
        }
    }

    Report report;
    std::vector<Item> items;
    items.reserve(options.files.size());
    for (const auto& file : options.files) items.push_back({file, outputPath(file, options.outputFolder)});

    // Two documents of one run must not overwrite each other's publication.
    std::map<std::string, std::size_t> targets;
    std::vector<Item*> pending;
    for (auto& item : items) {
        const auto [it, fresh] = targets.emplace(normalizedKey(item.target), 0);
        if (!fresh) {
            item.done = true;
            report.failed(item, "Another document of this run is saved as " + item.target.string() + ".");
            continue;
        }
        pending.push_back(&item);
    }

    QtArgs qtArgs(programPath);
    if (pending.empty()) return report.finish();
    if (pending.size() == 1) {
        // One document: converted here, which saves starting a worker.
        QGuiApplication app(qtArgs.argc, qtArgs.argv);
        Item& item = *pending.front();
        std::optional<std::string> failure;
        {
            const CrashReport guard(report.failedLine(item, "The converter stopped unexpectedly on this document."),
                                    report.summaryLine(1));
            failure = convertOne(item.source, item.target).failure;
        }
        if (failure) report.failed(item, *failure);
        else report.converted(item);
        return report.finish();
    }

    int jobs = options.jobs > 0 ? options.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    jobs = std::min<int>(jobs, static_cast<int>(pending.size()));
    QCoreApplication app(qtArgs.argc, qtArgs.argv);
    Pool pool(std::move(pending), jobs, report);
    QTimer::singleShot(0, [&pool] { pool.start(); });
    app.exec();
    return report.finish();
}

} // namespace fq::cli
