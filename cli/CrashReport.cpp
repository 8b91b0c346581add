// The crash handler: only async-signal-safe calls on prepared buffers.
#include "cli/CrashReport.h"

#include "publishing/engine/SafeSave.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fq::cli {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGABRT, SIGFPE, SIGILL
#ifdef SIGBUS
                            , SIGBUS
#endif
};

char* g_message = nullptr;                  // prepared text, or null when disarmed
std::size_t g_length = 0;

extern "C" void onCrash(int) {
    if (const char* temporary = engine::temporaryBeingWritten()) {
#ifdef _WIN32
        _unlink(temporary);
#else
        ::unlink(temporary);
#endif
    }
    if (g_message) {
#ifdef _WIN32
        _write(2, g_message, static_cast<unsigned>(g_length));
#else
        ssize_t ignored = ::write(2, g_message, g_length);
        (void)ignored;
#endif
    }
    std::_Exit(1);
}

} // namespace

CrashReport::CrashReport(const std::string& failedLine, const std::string& summaryLine) {
    const std::string text = failedLine + summaryLine;
    g_message = new char[text.size()];
    std::memcpy(g_message, text.data(), text.size());
    g_length = text.size();
#ifndef _WIN32
    // Its own stack, so that a stack overflow can be reported too.
    static std::vector<char> stack(64 * 1024);
    stack_t alt{};
    alt.ss_sp = stack.data();
    alt.ss_size = stack.size();
    sigaltstack(&alt, nullptr);
    struct sigaction action{};
    action.sa_handler = onCrash;
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int s : kSignals) sigaction(s, &action, nullptr);
#else
    for (int s : kSignals) std::signal(s, onCrash);
#endif
}

CrashReport::~CrashReport() {
    for (int s : kSignals) std::signal(s, SIG_DFL);
    char* message = g_message;
    g_message = nullptr;
    g_length = 0;
    delete[] message;
}

} // namespace fq::cli
