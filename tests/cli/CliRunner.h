// Running the real folioquill-convert from the build's bin folder: with its
// output on pipes, or with standard error (and output) on a pseudo-terminal.
#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>
#include <vector>

namespace fq::test {

struct Run {
    int exitCode = -1;                      // -2: it crashed; -1: it hung and was killed
    std::string out;
    std::vector<std::string> errLines;
    bool hasLine(const std::string& line) const;
    bool hasLineStarting(const std::string& prefix) const;
    std::string err() const;
};

Run run(const QStringList& args, const QString& workingDir = {});

struct TerminalRun {
    int exitCode = -1;
    std::string output;                     // everything written to the terminal, as written
};

// Runs the converter on a pseudo-terminal of the given width.
TerminalRun runOnTerminal(const QStringList& args, int columns);

std::filesystem::path corpus(const std::string& name);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
bool isPublication(const std::filesystem::path& path);

} // namespace fq::test
