// Batch conversion. Several documents go to a pool of worker processes (Qt's
// font machinery is kept out of threads): each worker takes one job at a
// time over a pipe, and a crashed or stuck worker costs only its current
// document. A single document is converted in this process, under a crash
// handler that still reports it.
#include "cli/Dispatcher.h"

#include "cli/ConvertOne.h"
#include "cli/CrashReport.h"
#include "cli/RunReport.h"
#include "cli/WorkerProtocol.h"
#include "publishing/engine/SafeSave.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <thread>

namespace fq::cli {

namespace {

namespace fs = std::filesystem;

constexpr int kJobTimeoutMs = 300 * 1000;
constexpr int kProgressRefreshMs = 1000;

struct Item {
    std::string source;                     // as given on the command line
    fs::path target;
    bool done = false;
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

// Creates the folder a publication goes into; the reason when that fails.
std::optional<std::string> makeTargetFolder(const fs::path& target) {
    const fs::path folder = target.parent_path();
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec)) return std::nullopt;
    fs::create_directories(folder, ec);
    if (ec) return "The output folder " + folder.string() + " cannot be created: " + ec.message();
    return std::nullopt;
}

class Pool {
public:
    Pool(std::vector<Item*> pending, int workers, RunReport& report, QStringList workerArguments)
        : pending_(std::move(pending)), report_(report), slots_(static_cast<std::size_t>(workers)),
          workerArguments_(std::move(workerArguments)) {}

    void start() {
        QObject::connect(&refresh_, &QTimer::timeout, [this] { report_.refresh(); });
        refresh_.start(kProgressRefreshMs);
        for (std::size_t i = 0; i < slots_.size(); ++i) spawn(i);
        checkDone();
    }

private:
    struct Slot {
        std::unique_ptr<QProcess> process;
        std::unique_ptr<QTimer> timer;
        Item* item = nullptr;
        QElapsedTimer clock;                // since the item was handed over
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
        process->start(QCoreApplication::applicationFilePath(), workerArguments_);
        feed(index);
    }

    void feed(std::size_t index) {
        Slot& slot = slots_[index];
        while (next_ < pending_.size()) {
            Item* item = pending_[next_++];
            if (const auto problem = makeTargetFolder(item->target)) {
                item->done = true;
                report_.failed(item->source, *problem);
                continue;
            }
            slot.item = item;
            const std::string line = encodeJob({item->source, item->target.string()});
            slot.process->write(line.data(), static_cast<qint64>(line.size()));
            slot.clock.start();
            slot.timer->start(kJobTimeoutMs);
            report_.started(item->source);
            return;
        }
        slot.item = nullptr;
        slot.timer->stop();
        slot.process->closeWriteChannel();
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
            if (answer && answer->ok) report_.converted(item->source, item->target, answer->pages, answer->seconds);
            else if (answer) report_.failed(item->source, answer->message, answer->seconds);
            else report_.failed(item->source, "The converter gave no usable answer.", seconds(slot));
            feed(index);
        }
    }

    static double seconds(const Slot& slot) { return slot.clock.isValid() ? slot.clock.elapsed() / 1000.0 : 0.0; }

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
            report_.failed(slot.item->source, reason, seconds(slot));
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
        while (next_ < pending_.size()) report_.failed(pending_[next_++]->source, "The converter could not be started.");
        refresh_.stop();
        QCoreApplication::quit();
    }

    std::vector<Item*> pending_;
    RunReport& report_;
    std::vector<Slot> slots_;
    QStringList workerArguments_;           // the worker flag and the conversion options
    QTimer refresh_;
    std::size_t next_ = 0;
    int live_ = 0;
};

// The report file for scripts: standard output for "-".
struct ReportFile {
    std::FILE* file = nullptr;
    bool owned = false;
    ~ReportFile() {
        if (owned && file) std::fclose(file);
    }
};

} // namespace

int runBatch(const Options& options, std::vector<Input> inputs, const char* programPath) {
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

    ReportFile reportFile;
    if (options.reportFile) {
        if (*options.reportFile == "-") {
            reportFile.file = stdout;
        } else {
            reportFile.file = std::fopen(options.reportFile->c_str(), "w");
            reportFile.owned = true;
            if (!reportFile.file) {
                std::fprintf(stderr, "folioquill-convert: the report file %s cannot be written: %s\n",
                             options.reportFile->c_str(), std::strerror(errno));
                return 2;
            }
        }
    }

    RunReport report({options.quiet, isTerminal(stderr), reportFile.file});
    report.begin(inputs.size());
    std::vector<Item> items;
    items.reserve(inputs.size());
    for (auto& input : inputs) items.push_back({std::move(input.source), std::move(input.target), false});

    // Two documents of one run must not overwrite each other's publication.
    std::map<std::string, std::size_t> targets;
    std::vector<Item*> pending;
    for (std::size_t i = 0; i < items.size(); ++i) {
        Item& item = items[i];
        if (!inputs[i].problem.empty()) {
            item.done = true;
            report.failed(item.source, inputs[i].problem);
            continue;
        }
        const auto [it, fresh] = targets.emplace(normalizedKey(item.target), 0);
        if (!fresh) {
            item.done = true;
            report.failed(item.source, "Another document of this run is saved as " + item.target.string() + ".");
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
        if (const auto problem = makeTargetFolder(item.target)) {
            report.failed(item.source, *problem);
            return report.finish();
        }
        report.started(item.source);
        Outcome outcome;
        {
            const std::string reason = "The converter stopped unexpectedly on this document.";
            const CrashReport guard(report.crashLines(item.source, reason), {}, report.reportDescriptor(),
                                    report.crashRecord(item.source, reason));
            outcome = convertOne(item.source, item.target, engine::SaveOptions{options.linkedFrames});
        }
        if (outcome.failure) report.failed(item.source, *outcome.failure, outcome.seconds);
        else report.converted(item.source, item.target, outcome.pages, outcome.seconds);
        return report.finish();
    }

    int jobs = options.jobs > 0 ? options.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    jobs = std::min<int>(jobs, static_cast<int>(pending.size()));
    QCoreApplication app(qtArgs.argc, qtArgs.argv);
    QStringList workerArguments{QString::fromLatin1(kWorkerFlag)};
    if (options.linkedFrames) workerArguments << QString::fromLatin1(kLinkedFramesFlag);
    Pool pool(std::move(pending), jobs, report, std::move(workerArguments));
    QTimer::singleShot(0, [&pool] { pool.start(); });
    app.exec();
    return report.finish();
}

} // namespace fq::cli
