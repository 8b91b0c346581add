// folioquill-convert: batch conversion of Word documents into publications.
#include "cli/Dispatcher.h"
#include "cli/ConvertOne.h"
#include "cli/Inputs.h"
#include "cli/Options.h"
#include "cli/Worker.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace fq::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const ParseResult parsed = parseOptions(args);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "folioquill-convert: %s\nTry 'folioquill-convert --help' for more information.\n",
                     parsed.error.c_str());
        return 2;
    }
    const Options& options = parsed.options;
    if (options.help) {
        std::fputs(helpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(versionText().c_str(), stdout);
        return 0;
    }
#ifdef SIGPIPE
    // A worker that died must not take the whole run with it on the next write.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    chooseHeadlessPlatform();
    quietQtMessages();
    if (options.worker) {
        int qtArgc = 1;
        char* qtArgv[] = {argv[0], nullptr};
        QGuiApplication app(qtArgc, qtArgv);
        return runWorker(fq::engine::SaveOptions{options.linkedFrames});
    }
    return runBatch(options, collectInputs(options), argv[0]);
}
