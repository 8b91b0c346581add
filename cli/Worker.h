// The worker side: serves the requests that arrive on standard input (see
// WorkerProtocol.h) and answers each on standard output, until standard
// input ends. Between "open" and "close" it keeps one document.
//
// Test hook: with FQ_TEST_WORKER_FAULT set to "crash:<text>" or
// "hang:<text>", the worker crashes, or stops answering, when it is to save
// a document whose source path contains <text>.
#pragma once

#include "publishing/engine/Engine.h"

namespace fq::cli {

// Needs a QGuiApplication. Returns the process exit status. The options
// apply to every publication the worker saves.
int runWorker(const engine::SaveOptions& options = {});

} // namespace fq::cli
