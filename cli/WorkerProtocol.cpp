// Percent-encoding of the protocol fields.
#include "cli/WorkerProtocol.h"

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

} // namespace

std::string encodeJob(const Job& job) {
    return encodeField(job.source) + "\t" + encodeField(job.target) + "\n";
}

std::optional<Job> decodeJob(const std::string& line) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos || line.find('\t', tab + 1) != std::string::npos) return std::nullopt;
    auto source = decodeField(line.substr(0, tab));
    auto target = decodeField(line.substr(tab + 1));
    if (!source || !target || source->empty() || target->empty()) return std::nullopt;
    return Job{std::move(*source), std::move(*target)};
}

std::string encodeAnswer(const Answer& answer) {
    return answer.ok ? std::string("ok\n") : "failed\t" + encodeField(answer.message) + "\n";
}

std::optional<Answer> decodeAnswer(const std::string& line) {
    if (line == "ok") return Answer{true, {}};
    if (line.rfind("failed\t", 0) == 0) {
        auto message = decodeField(line.substr(7));
        if (!message) return std::nullopt;
        return Answer{false, std::move(*message)};
    }
    return std::nullopt;
}

} // namespace fq::cli
