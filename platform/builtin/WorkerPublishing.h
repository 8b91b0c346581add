// The built-in publishing application out of process: the five operations
// of the publishing application carried out by a converter process (the
// worker of folioquill-convert), one per run, so that a document on which
// the engine crashes or runs away costs only that document. Open asks the
// worker to read the document and keep it, SaveAs to lay it out and save
// it, Close to drop it; quit ends the worker.
//
// A worker that crashes fails the operation it was doing with "The
// converter stopped unexpectedly on this document."; one that takes longer
// than the limit is stopped and the operation fails with "The conversion
// took too long and was stopped.". Either way the next operation starts a
// fresh worker, and what an interrupted save left beside its target is
// removed. While an operation runs, whileWaiting is called every few
// milliseconds (the window lets its pending events run there); when it
// throws, the worker is stopped and the exception goes on.
#pragma once

#include "platform/PublishingApplication.h"

#include <functional>
#include <memory>
#include <string>

namespace fq::platform {

struct WorkerSettings {
    std::string program;                    // the converter program (UTF-8 path)
    int operationTimeoutMs = 300 * 1000;    // per Open, SaveAs or Close
    std::function<void()> whileWaiting;
};

class WorkerPublishingFactory : public PublishingApplicationFactory {
public:
    explicit WorkerPublishingFactory(WorkerSettings settings);
    // Starts the worker; throws when it cannot be started.
    std::unique_ptr<PublishingApplication> create() override;

    // folioquill-convert beside the running program.
    static std::string programBesideThisOne();

private:
    WorkerSettings settings_;
};

} // namespace fq::platform
