#include "tests/cli/CliRunner.h"

#include <QProcess>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fq::test {

namespace fs = std::filesystem;

namespace {
const char* const kProgram = FQ_RUNTIME_DIR "/folioquill-convert";
}

bool Run::hasLine(const std::string& line) const {
    return std::find(errLines.begin(), errLines.end(), line) != errLines.end();
}

bool Run::hasLineStarting(const std::string& prefix) const {
    for (const auto& l : errLines)
        if (l.rfind(prefix, 0) == 0) return true;
    return false;
}

std::string Run::err() const {
    std::string s;
    for (const auto& l : errLines) s += l + "\n";
    return s;
}

Run run(const QStringList& args, const QString& workingDir) {
    QProcess p;
    if (!workingDir.isEmpty()) p.setWorkingDirectory(workingDir);
    p.start(QString::fromUtf8(kProgram), args);
    Run r;
    if (!p.waitForFinished(240000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput().toStdString();
    std::istringstream err(p.readAllStandardError().toStdString());
    for (std::string line; std::getline(err, line);) r.errLines.push_back(line);
    return r;
}

TerminalRun runOnTerminal(const QStringList& args, int columns) {
    TerminalRun r;
#ifndef _WIN32
    std::vector<std::string> strings{kProgram};
    for (const QString& a : args) strings.push_back(a.toStdString());
    std::vector<char*> argv;
    for (auto& s : strings) argv.push_back(s.data());
    argv.push_back(nullptr);
    winsize size{};
    size.ws_row = 24;
    size.ws_col = static_cast<unsigned short>(columns);
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, &size);
    if (pid < 0) return r;
    if (pid == 0) {
        ::unsetenv("COLUMNS");
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    // Read until the terminal's other side is closed (EIO), within a bound.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(4);
    char buffer[4096];
    for (;;) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            break;
        }
        pollfd watch{master, POLLIN, 0};
        const int ready = ::poll(&watch, 1, 1000);
        if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0) r.output.append(buffer, static_cast<std::size_t>(n));
        else if (n < 0 && errno == EINTR) continue;
        else break;
    }
    ::close(master);
    int status = 0;
    ::waitpid(pid, &status, 0);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
#endif
    return r;
}

fs::path corpus(const std::string& name) { return fs::path(FQ_SHARED_DIR) / "corpus" / name; }

void writeFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

bool isPublication(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    char head[8] = {};
    in.read(head, 8);
    return in.gcount() == 8 && std::string(head, 8) == std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
}

} // namespace fq::test
