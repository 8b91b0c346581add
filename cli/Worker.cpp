// The worker loop.
#include "cli/Worker.h"

#include "cli/ConvertOne.h"
#include "cli/WorkerProtocol.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace fq::cli {

int runWorker() {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Answer answer;
        if (const auto job = decodeJob(line)) {
            const Outcome outcome = convertOne(job->source, job->target);
            answer.ok = !outcome.failure;
            if (outcome.failure) answer.message = *outcome.failure;
            answer.pages = outcome.pages;
            answer.seconds = outcome.seconds;
        } else {
            answer.message = "The job could not be understood.";
        }
        const std::string reply = encodeAnswer(answer);
        std::fwrite(reply.data(), 1, reply.size(), stdout);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace fq::cli
