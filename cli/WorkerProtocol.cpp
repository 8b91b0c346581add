// Percent-encoding of the protocol fields.
#include "cli/WorkerProtocol.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace fq::cli {

namespace {

std::string encodeField(const std::string& s) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(s.size());
    for (unsigned char c : s) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r' || c < 0x20) {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> decodeField(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '%') {
            out.push_back(s[i]);
            continue;
        }
        if (i + 2 >= s.size()) return std::nullopt;
        const int hi = hexValue(s[i + 1]), lo = hexValue(s[i + 2]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out.push_back(static_cast<char>(hi * 16 + lo));
        i += 2;
    }
    return out;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return parts;
        start = tab + 1;
    }
}

std::string formatSeconds(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 3);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

template <typename Number>
bool parseNumber(const std::string& text, Number& out) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && out >= 0;
}

} // namespace

std::string encodeRequest(const Request& request) {
    switch (request.verb) {
    case Verb::Convert: return "convert\t" + encodeField(request.source) + "\t" + encodeField(request.target) + "\n";
    case Verb::Open: return "open\t" + encodeField(request.source) + "\n";
    case Verb::Save: return "save\t" + encodeField(request.target) + "\n";
    case Verb::Close: return "close\n";
    }
    return "close\n";
}

std::optional<Request> decodeRequest(const std::string& line) {
    const std::vector<std::string> fields = splitTabs(line);
    std::vector<std::string> values;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        auto value = decodeField(fields[i]);
        if (!value || value->empty()) return std::nullopt;
        values.push_back(std::move(*value));
    }
    const std::string& verb = fields.front();
    if (verb == "convert" && values.size() == 2) return Request{Verb::Convert, values[0], values[1]};
    if (verb == "open" && values.size() == 1) return Request{Verb::Open, values[0], {}};
    if (verb == "save" && values.size() == 1) return Request{Verb::Save, {}, values[0]};
    if (verb == "close" && values.empty()) return Request{Verb::Close, {}, {}};
    return std::nullopt;
}

std::string encodeJob(const Job& job) { return encodeRequest({Verb::Convert, job.source, job.target}); }

std::optional<Job> decodeJob(const std::string& line) {
    auto request = decodeRequest(line);
    if (!request || request->verb != Verb::Convert) return std::nullopt;
    return Job{std::move(request->source), std::move(request->target)};
}

std::string encodeAnswer(const Answer& answer) {
    const std::string seconds = formatSeconds(answer.seconds);
    if (answer.ok) return "ok\t" + std::to_string(std::max(answer.pages, 0)) + "\t" + seconds + "\n";
    return "failed\t" + encodeField(answer.message) + "\t" + seconds + "\n";
}

std::optional<Answer> decodeAnswer(const std::string& line) {
    const std::vector<std::string> parts = splitTabs(line);
    Answer answer;
    if (parts[0] == "ok" && (parts.size() == 1 || parts.size() == 3)) {
        answer.ok = true;
        if (parts.size() == 3 && !(parseNumber(parts[1], answer.pages) && parseNumber(parts[2], answer.seconds)))
            return std::nullopt;
        return answer;
    }
    if (parts[0] == "failed" && (parts.size() == 2 || parts.size() == 3)) {
        auto message = decodeField(parts[1]);
        if (!message) return std::nullopt;
        answer.message = std::move(*message);
        if (parts.size() == 3 && !parseNumber(parts[2], answer.seconds)) return std::nullopt;
        return answer;
    }
    return std::nullopt;
}

} // namespace fq::cli
