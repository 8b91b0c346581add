// The publishing application on a worker process.
#include "platform/builtin/WorkerPublishing.h"

#include "cli/WorkerProtocol.h"
#include "publishing/engine/SafeSave.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <utility>

#ifdef __linux__
#include <csignal>
#include <sys/prctl.h>
#endif

namespace fq::platform {

namespace {

constexpr const char* kStopped = "The converter stopped unexpectedly on this document.";
constexpr const char* kTooLong = "The conversion took too long and was stopped.";
constexpr int kPollMs = 20;

std::string inQuotes(const std::string& path) { return "\"" + path + "\""; }

// One converter process at a time; a dead one is replaced on the next request.
class Worker {
public:
    explicit Worker(WorkerSettings settings) : settings_(std::move(settings)) {}
    ~Worker() { kill(); }

    void start()
    {
        kill();
        process_ = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_->setProcessEnvironment(environment);
        process_->setStandardErrorFile(QProcess::nullDevice());
#ifdef __linux__
        // Should this program die without ending the worker, the worker ends too.
        process_->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
#endif
        process_->start(QString::fromStdString(settings_.program), {QStringLiteral("--internal-worker")});
        if (!process_->waitForStarted(30000)) {
            process_.reset();
            throw std::runtime_error("The converter " + inQuotes(settings_.program) + " could not be started.");
        }
        buffer_.clear();
        ++generation_;
    }

    std::uint64_t generation() const { return generation_; }
    bool running() const { return process_ && process_->state() != QProcess::NotRunning; }

    // Sends the request and waits for its answer. Throws with kStopped or
    // kTooLong when there is none; the worker is gone then.
    cli::Answer ask(const cli::Request& request)
    {
        if (!running()) start();
        const std::string line = cli::encodeRequest(request);
        process_->write(line.data(), static_cast<qint64>(line.size()));
        const QDeadlineTimer deadline(settings_.operationTimeoutMs);
        try {
            while (true) {
                buffer_ += process_->readAllStandardOutput();
                const qsizetype end = buffer_.indexOf('\n');
                if (end >= 0) {
                    const std::string answerLine = buffer_.left(end).toStdString();
                    buffer_.remove(0, end + 1);
                    if (auto answer = cli::decodeAnswer(answerLine)) return *answer;
                    kill();
                    throw std::runtime_error("The converter gave no usable answer.");
                }
                if (process_->state() == QProcess::NotRunning) {
                    buffer_ += process_->readAllStandardOutput();
                    if (buffer_.contains('\n')) continue;
                    kill();
                    throw std::runtime_error(kStopped);
                }
                if (deadline.hasExpired()) {
                    kill();
                    throw std::runtime_error(kTooLong);
                }
                process_->waitForReadyRead(static_cast<int>(std::min<qint64>(kPollMs, deadline.remainingTime())));
                if (settings_.whileWaiting) settings_.whileWaiting();
            }
        } catch (...) {
            if (running()) kill();
            throw;
        }
    }

    // Asks the worker to end (its input closes) and waits a little for it.
    void stop()
    {
        if (!process_) return;
        process_->closeWriteChannel();
        if (!process_->waitForFinished(5000)) kill();
        process_.reset();
    }

    void kill()
    {
        if (!process_) return;
        if (process_->state() != QProcess::NotRunning) {
            process_->kill();
            process_->waitForFinished(5000);
        }
        process_.reset();
    }

private:
    WorkerSettings settings_;
    std::unique_ptr<QProcess> process_;
    QByteArray buffer_;
    std::uint64_t generation_ = 0;
};

class WorkerDocument : public PublishingDocument {
public:
    WorkerDocument(std::shared_ptr<Worker> worker, std::string source)
        : worker_(std::move(worker)), source_(std::move(source)), generation_(worker_->generation())
    {
    }

    void SaveAs(std::string& path) override
    {
        if (closed_)
            throw std::runtime_error("The document " + inQuotes(source_) + " is closed and cannot be saved.");
        if (path.empty())
            throw std::runtime_error("No output file was named for " + inQuotes(source_) + ".");
        if (!heldByWorker())
            throw std::runtime_error("Could not save " + inQuotes(path) + ": " + kStopped);
        cli::Answer answer;
        try {
            answer = worker_->ask({cli::Verb::Save, {}, path});
        } catch (const std::exception& e) {
            // The worker was stopped in the middle of the save.
            engine::removeTemporaries(std::filesystem::path(std::u8string(path.begin(), path.end())));
            throw std::runtime_error("Could not save " + inQuotes(path) + ": " + e.what());
        } catch (...) {
            engine::removeTemporaries(std::filesystem::path(std::u8string(path.begin(), path.end())));
            throw;
        }
        if (!answer.ok) throw std::runtime_error("Could not save " + inQuotes(path) + ": " + answer.message);
    }

    void Close() override
    {
        if (closed_) throw std::runtime_error("The document " + inQuotes(source_) + " is already closed.");
        closed_ = true;
        // A worker that ended since took the document with it.
        if (!heldByWorker()) return;
        cli::Answer answer;
        try {
            answer = worker_->ask({cli::Verb::Close, {}, {}});
        } catch (const std::exception& e) {
            throw std::runtime_error("Could not close " + inQuotes(source_) + ": " + e.what());
        }
        if (!answer.ok) throw std::runtime_error("Could not close " + inQuotes(source_) + ": " + answer.message);
    }

private:
    bool heldByWorker() const { return worker_->running() && worker_->generation() == generation_; }

    std::shared_ptr<Worker> worker_;
    std::string source_;
    std::uint64_t generation_;
    bool closed_ = false;
};

class WorkerApplication : public PublishingApplication {
public:
    explicit WorkerApplication(const WorkerSettings& settings) : worker_(std::make_shared<Worker>(settings))
    {
        worker_->start();
    }

    std::unique_ptr<PublishingDocument> Open(std::string& path) override
    {
        if (ended_)
            throw std::runtime_error("The publishing application has ended; " + inQuotes(path) + " was not opened.");
        if (path.empty()) throw std::runtime_error("No document was named to open.");
        cli::Answer answer;
        try {
            answer = worker_->ask({cli::Verb::Open, path, {}});
        } catch (const std::exception& e) {
            throw std::runtime_error("Could not open " + inQuotes(path) + ": " + e.what());
        }
        if (!answer.ok) throw std::runtime_error("Could not open " + inQuotes(path) + ": " + answer.message);
        return std::make_unique<WorkerDocument>(worker_, path);
    }

    void quit() override
    {
        if (ended_) throw std::runtime_error("The publishing application has already ended.");
        ended_ = true;
        worker_->stop();
    }

private:
    std::shared_ptr<Worker> worker_;
    bool ended_ = false;
};

} // namespace

WorkerPublishingFactory::WorkerPublishingFactory(WorkerSettings settings) : settings_(std::move(settings)) {}

std::unique_ptr<PublishingApplication> WorkerPublishingFactory::create()
{
    return std::make_unique<WorkerApplication>(settings_);
}

std::string WorkerPublishingFactory::programBesideThisOne()
{
#ifdef _WIN32
    const QString name = QStringLiteral("folioquill-convert.exe");
#else
    const QString name = QStringLiteral("folioquill-convert");
#endif
    return QDir(QCoreApplication::applicationDirPath()).filePath(name).toStdString();
}

} // namespace fq::platform
