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
char* g_record = nullptr;                   // prepared report line, or null
std::size_t g_recordLength = 0;
int g_recordDescriptor = -1;

void writeText(int descriptor, const char* text, std::size_t length) {
#ifdef _WIN32
    _write(descriptor, text, static_cast<unsigned>(length));
#else
    ssize_t ignored = ::write(descriptor, text, length);
    (void)ignored;
#endif
}

char* copyOf(const std::string& text) {
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.data(), text.size());
    return copy;
}

extern "C" void onCrash(int) {
    if (const char* temporary = engine::temporaryBeingWritten()) {
#ifdef _WIN32
        _unlink(temporary);
#else
        ::unlink(temporary);
#endif
    }
    if (g_message) writeText(2, g_message, g_length);
    if (g_record && g_recordDescriptor >= 0) writeText(g_recordDescriptor, g_record, g_recordLength);
    std::_Exit(1);
}

} // namespace

CrashReport::CrashReport(const std::string& failedLine, const std::string& summaryLine, int reportDescriptor,
                         const std::string& reportLine) {
    const std::string text = failedLine + summaryLine;
    g_message = copyOf(text);
    g_length = text.size();
    if (reportDescriptor >= 0 && !reportLine.empty()) {
        g_record = copyOf(reportLine);
        g_recordLength = reportLine.size();
        g_recordDescriptor = reportDescriptor;
    }
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
    char* record = g_record;
    g_message = nullptr;
    g_length = 0;
    g_record = nullptr;
    g_recordLength = 0;
    g_recordDescriptor = -1;
    delete[] message;
    delete[] record;
}

} // namespace fq::cli
