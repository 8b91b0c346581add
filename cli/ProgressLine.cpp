#include "cli/ProgressLine.h"

#include <cmath>
#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace fq::cli {

namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The last columns characters of text.
std::string tail(const std::string& text, std::size_t columns) {
    std::size_t start = text.size();
    std::size_t taken = 0;
    while (start > 0 && taken < columns) {
        --start;
        while (start > 0 && isContinuation(text[start])) --start;
        ++taken;
    }
    return text.substr(start);
}

// The first columns characters of text.
std::string head(const std::string& text, std::size_t columns) {
    std::size_t end = 0;
    for (std::size_t taken = 0; end < text.size() && taken < columns; ++taken) {
        ++end;
        while (end < text.size() && isContinuation(text[end])) ++end;
    }
    return text.substr(0, end);
}

} // namespace

std::string formatDuration(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
    const long total = std::lround(seconds);
    const long h = total / 3600, m = total / 60 % 60, s = total % 60;
    char buffer[32];
    if (h > 0) std::snprintf(buffer, sizeof buffer, "%ld:%02ld:%02ld", h, m, s);
    else std::snprintf(buffer, sizeof buffer, "%ld:%02ld", m, s);
    return buffer;
}

std::size_t textColumns(const std::string& text) {
    std::size_t n = 0;
    for (char c : text) n += !isContinuation(c);
    return n;
}

std::string progressText(std::size_t done, std::size_t failed, std::size_t total,
                         std::optional<double> secondsLeft, const std::string& current, int width) {
    std::string text = std::to_string(done) + " of " + std::to_string(total) + " done";
    if (failed > 0) text += " (" + std::to_string(failed) + " failed)";
    if (secondsLeft) text += ", " + formatDuration(*secondsLeft) + " left";
    const std::size_t room = width > 0 ? static_cast<std::size_t>(width) : 0;
    if (!current.empty()) {
        const std::size_t used = textColumns(text) + 2;
        const std::size_t name = textColumns(current);
        if (used + name <= room) return text + ": " + current;
        if (used + 3 + 8 <= room) return text + ": ..." + tail(current, room - used - 3);
    }
    return textColumns(text) <= room ? text : head(text, room);
}

ProgressLine::ProgressLine(std::FILE* terminal) : terminal_(terminal) {}

int ProgressLine::width() const {
    int columns = 0;
#ifdef _WIN32
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info))
        columns = info.srWindow.Right - info.srWindow.Left + 1;
#else
    winsize size{};
    if (::ioctl(fileno(terminal_), TIOCGWINSZ, &size) == 0) columns = size.ws_col;
#endif
    if (columns <= 0) {
        const char* env = std::getenv("COLUMNS");
        columns = env ? std::atoi(env) : 0;
    }
    if (columns <= 0) columns = 80;
    return columns - 1;
}

void ProgressLine::show(const std::string& text) {
    const std::size_t columns = textColumns(text);
    std::string line = "\r" + text;
    if (shown_ > columns) line.append(shown_ - columns, ' ');
    std::fputs(line.c_str(), terminal_);
    std::fflush(terminal_);
    shown_ = columns;
}

std::string ProgressLine::clearText() const {
    return shown_ == 0 ? std::string() : "\r" + std::string(shown_, ' ') + "\r";
}

void ProgressLine::clear() {
    if (shown_ == 0) return;
    std::fputs(clearText().c_str(), terminal_);
    std::fflush(terminal_);
    shown_ = 0;
}

bool isTerminal(std::FILE* stream) {
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return ::isatty(fileno(stream)) != 0;
#endif
}

} // namespace fq::cli
