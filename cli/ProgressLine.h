// The progress line of a batch on a terminal: files done of the total, the
// time left and the current file, rewritten in place with a carriage return
// and never wider than the terminal, so that it does not wrap.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

namespace fq::cli {

// "0:42", "12:05", "1:02:03".
std::string formatDuration(double seconds);

// "12 of 340 done (1 failed), 2:15 left: sub/Report.docx", cut to at most
// width columns: the current file loses its beginning first ("..." marks
// the cut), then the text its end.
std::string progressText(std::size_t done, std::size_t failed, std::size_t total,
                         std::optional<double> secondsLeft, const std::string& current, int width);

// Columns of a UTF-8 text, one for each character.
std::size_t textColumns(const std::string& text);

class ProgressLine {
public:
    explicit ProgressLine(std::FILE* terminal);
    // The columns a line may take on the terminal (one less than its width).
    int width() const;
    // Rewrites the line with text.
    void show(const std::string& text);
    // Blanks the line, so that other output can follow from its start.
    void clear();
    // What clear() writes (empty when nothing is shown).
    std::string clearText() const;

private:
    std::FILE* terminal_;
    std::size_t shown_ = 0;                 // columns on the line now
};

// True when the stream is a terminal.
bool isTerminal(std::FILE* stream);

} // namespace fq::cli
