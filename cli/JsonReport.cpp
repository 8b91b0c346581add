#include "cli/JsonReport.h"

#include <charconv>
#include <cmath>

namespace fq::cli {

namespace {

// The length of the valid UTF-8 sequence at s[i], or 0 when there is none.
std::size_t utf8Length(const std::string& s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = byte(i);
    std::size_t n;
    char32_t min;
    char32_t code;
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) n = 2, min = 0x80, code = c & 0x1F;
    else if ((c & 0xF0) == 0xE0) n = 3, min = 0x800, code = c & 0x0F;
    else if ((c & 0xF8) == 0xF0) n = 4, min = 0x10000, code = c & 0x07;
    else return 0;
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return n;
}

void appendEscape(std::string& out, unsigned code) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(code >> shift) & 15]);
}

std::string number(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, seconds, std::chars_format::fixed, 3);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

} // namespace

std::string jsonString(const std::string& bytes) {
    std::string out = "\"";
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        const std::size_t n = utf8Length(bytes, i);
        if (n == 0) {
            appendEscape(out, 0xDC00u + c);
            ++i;
            continue;
        }
        if (n > 1) {
            out.append(bytes, i, n);
        } else if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(static_cast<char>(c));
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c == 0x7F) {
            appendEscape(out, c);
        } else {
            out.push_back(static_cast<char>(c));
        }
        i += n;
    }
    out.push_back('"');
    return out;
}

std::string reportLine(const ReportRecord& r) {
    return "{\"source\":" + jsonString(r.source) + ",\"output\":" + (r.output ? jsonString(*r.output) : "null") +
           ",\"status\":" + (r.converted ? "\"converted\"" : "\"failed\"") + ",\"message\":" + jsonString(r.message) +
           ",\"pages\":" + std::to_string(r.pages) + ",\"seconds\":" + number(r.seconds) + "}\n";
}

} // namespace fq::cli
