// The worker loop.
#include "cli/Worker.h"

#include "cli/ConvertOne.h"
#include "cli/WorkerProtocol.h"
#include "publishing/engine/Engine.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

namespace fq::cli {

namespace {

void faultHook(const std::string& source) {
    const char* fault = std::getenv("FQ_TEST_WORKER_FAULT");
    if (!fault) return;
    const std::string request(fault);
    const auto colon = request.find(':');
    if (colon == std::string::npos || colon + 1 == request.size()) return;
    if (source.find(request.substr(colon + 1)) == std::string::npos) return;
    const std::string action = request.substr(0, colon);
    if (action == "crash") std::raise(SIGSEGV);
    if (action == "hang")
        for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

// The document kept between "open" and "close".
struct Session {
    engine::SaveOptions options;
    std::optional<model::Document> document;
    std::string source;

    Outcome open(const std::string& path) {
        document.reset();
        source = path;
        return {guarded([&] { document = engine::readDocument(path); })};
    }
    Outcome save(const std::string& target) {
        if (!document) return {std::string("No document is open.")};
        faultHook(source);
        Outcome outcome;
        outcome.failure =
            guarded([&] { outcome.pages = engine::savePublication(*document, target, source, options); });
        return outcome;
    }
    void close() {
        document.reset();
        source.clear();
    }
};

Answer serve(Session& session, const Request& request) {
    const auto start = std::chrono::steady_clock::now();
    Outcome outcome;
    switch (request.verb) {
    case Verb::Convert:
        faultHook(request.source);
        outcome = convertOne(request.source, request.target, session.options);
        break;
    case Verb::Open: outcome = session.open(request.source); break;
    case Verb::Save: outcome = session.save(request.target); break;
    case Verb::Close: session.close(); break;
    }
    Answer answer;
    answer.ok = !outcome.failure;
    if (outcome.failure) answer.message = *outcome.failure;
    answer.pages = outcome.pages;
    answer.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return answer;
}

} // namespace

int runWorker(const engine::SaveOptions& options) {
    Session session;
    session.options = options;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto request = decodeRequest(line);
        Answer answer;
        if (request) answer = serve(session, *request);
        else answer.message = "The job could not be understood.";
        const std::string reply = encodeAnswer(answer);
        std::fwrite(reply.data(), 1, reply.size(), stdout);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace fq::cli
