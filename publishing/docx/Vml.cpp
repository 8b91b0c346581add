// VML styles, colours and paths.
#include "publishing/docx/Vml.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace fq::docx {

namespace {

std::string trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return std::string(s);
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

struct NamedColor {
    const char* name;
    const char* rgb;
};

// The colour names VML documents use.
constexpr NamedColor kNamed[] = {
    {"black", "000000"}, {"white", "FFFFFF"}, {"red", "FF0000"},     {"green", "008000"},  {"lime", "00FF00"},
    {"blue", "0000FF"},  {"yellow", "FFFF00"}, {"aqua", "00FFFF"},   {"cyan", "00FFFF"},   {"fuchsia", "FF00FF"},
    {"magenta", "FF00FF"}, {"gray", "808080"}, {"grey", "808080"},   {"silver", "C0C0C0"}, {"maroon", "800000"},
    {"navy", "000080"},  {"olive", "808000"}, {"purple", "800080"},  {"teal", "008080"},   {"windowtext", "000000"},
    {"window", "FFFFFF"}, {"buttonface", "F0F0F0"}, {"orange", "FFA500"}};

} // namespace

std::map<std::string, std::string> parseVmlStyle(std::string_view style) {
    std::map<std::string, std::string> out;
    std::size_t start = 0;
    while (start <= style.size()) {
        std::size_t end = style.find(';', start);
        if (end == std::string_view::npos) end = style.size();
        const std::string_view decl = style.substr(start, end - start);
        const std::size_t colon = decl.find(':');
        if (colon != std::string_view::npos) {
            const std::string key = lower(trimmed(decl.substr(0, colon)));
            if (!key.empty()) out[key] = trimmed(decl.substr(colon + 1));
        }
        start = end + 1;
    }
    return out;
}

DmlColor parseVmlColor(std::string_view value) {
    DmlColor c;
    std::string v = trimmed(value);
    if (const std::size_t space = v.find_first_of(" ["); space != std::string::npos) v.resize(space);
    if (v.empty()) return c;
    if (v[0] == '#') {
        std::string hex = v.substr(1);
        if (hex.size() == 3) hex = {hex[0], hex[0], hex[1], hex[1], hex[2], hex[2]};
        if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return c;
        c.kind = "srgbClr";
        c.value = hex;
        return c;
    }
    const std::string name = lower(v);
    for (const auto& n : kNamed)
        if (name == n.name) {
            c.kind = "srgbClr";
            c.value = n.rgb;
        }
    return c;
}

double parseVmlNumber(std::string_view value) {
    const std::string v = trimmed(value);
    if (v.empty()) return 0.0;
    char* end = nullptr;
    const double n = std::strtod(v.c_str(), &end);
    if (end == v.c_str()) return 0.0;
    if (*end == 'f') return n / 65536.0;
    return n;
}

bool parseVmlPath(std::string_view path, double w, double h, DmlPath& out) {
    DmlPath p;
    p.w = w;
    p.h = h;
    std::size_t i = 0;
    char command = 0;
    double cx = 0, cy = 0;          // the current point, for relative commands
    auto skip = [&]() {
        while (i < path.size() && (path[i] == ' ' || path[i] == ',')) ++i;
    };
    // The numbers after a command; an empty field between commas counts 0.
    auto numbers = [&](std::vector<double>& out) -> bool {
        out.clear();
        while (true) {
            while (i < path.size() && path[i] == ' ') ++i;
            if (i >= path.size()) return true;
            const char c = path[i];
            if (c == '@') return false;           // formula references are not understood
            if (c == ',') {
                ++i;
                if (i >= path.size() || path[i] == ',' || std::isalpha(static_cast<unsigned char>(path[i]))) out.push_back(0);
                continue;
            }
            if (std::isalpha(static_cast<unsigned char>(c))) return true;
            char* end = nullptr;
            const std::string rest(path.substr(i, std::min<std::size_t>(32, path.size() - i)));
            const double v = std::strtod(rest.c_str(), &end);
            if (end == rest.c_str()) return false;
            out.push_back(v);
            i += static_cast<std::size_t>(end - rest.c_str());
        }
    };
    std::vector<double> args;
    while (i < path.size()) {
        skip();
        if (i >= path.size()) break;
        const char c = path[i];
        if (std::isalpha(static_cast<unsigned char>(c))) {
            // Two-letter commands: nf, ns (no fill, no stroke), qx, qy, ...
            if ((c == 'n') && i + 1 < path.size()) {
                if (path[i + 1] == 'f') p.fill = false;
                else if (path[i + 1] == 's') p.stroke = false;
                i += 2;
                continue;
            }
            if (c == 'a' || c == 'w' || c == 'q' || c == 'h') return false;   // arcs, quadrants, extensions
            command = c;
            ++i;
            if (c == 'x') {
                p.steps.push_back({'Z', {}, {}});
                continue;
            }
            if (c == 'e') continue;
        }
        if (!numbers(args)) return false;
        switch (command) {
        case 'm': case 't': case 'l': case 'r':
            for (std::size_t k = 0; k + 1 < args.size(); k += 2) {
                double x = args[k], y = args[k + 1];
                if (command == 't' || command == 'r') {
                    x += cx;
                    y += cy;
                }
                p.steps.push_back({(command == 'm' || command == 't') && k == 0 ? 'M' : 'L', {{x, y}}, {}});
                cx = x;
                cy = y;
            }
            break;
        case 'c': case 'v':
            for (std::size_t k = 0; k + 5 < args.size(); k += 6) {
                DmlPathStep s{'C', {}, {}};
                for (int q = 0; q < 3; ++q) {
                    double x = args[k + 2 * q], y = args[k + 2 * q + 1];
                    if (command == 'v') {
                        x += cx;
                        y += cy;
                    }
                    s.points.emplace_back(x, y);
                }
                cx = s.points.back().first;
                cy = s.points.back().second;
                p.steps.push_back(std::move(s));
            }
            break;
        default:
            if (!args.empty()) return false;
            if (i < path.size() && !std::isalpha(static_cast<unsigned char>(path[i]))) return false;
            break;
        }
    }
    if (p.steps.empty()) return false;
    out = std::move(p);
    return true;
}

int vmlShapeType(std::string_view type) {
    const std::size_t t = type.rfind("_t");
    if (t == std::string_view::npos) return -1;
    const std::string digits(type.substr(t + 2));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return -1;
    return std::atoi(digits.c_str());
}

} // namespace fq::docx
