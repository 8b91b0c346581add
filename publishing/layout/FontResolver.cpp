// Font substitution table and the cache of measuring fonts.
#include "publishing/layout/FontResolver.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QRawFont>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace fq::layout {

namespace {

struct Substitute {
    std::string_view documentFont;          // normalized
    const char* family;
};

// Metric-compatible (or at least close) stand-ins for common Office fonts.
constexpr std::array kSubstitutes{
    Substitute{"calibri", "Carlito"},
    Substitute{"calibri light", "Carlito"},
    Substitute{"cambria", "Caladea"},
    Substitute{"cambria math", "Caladea"},
    Substitute{"arial", "Liberation Sans"},
    Substitute{"helvetica", "Liberation Sans"},
    Substitute{"arial unicode ms", "Liberation Sans"},
    Substitute{"arial narrow", "Liberation Sans Narrow"},
    Substitute{"helvetica narrow", "Liberation Sans Narrow"},
    Substitute{"times new roman", "Liberation Serif"},
    Substitute{"times", "Liberation Serif"},
    Substitute{"tms rmn", "Liberation Serif"},
    Substitute{"courier new", "Liberation Mono"},
    Substitute{"courier", "Liberation Mono"},
    Substitute{"verdana", "DejaVu Sans"},
    Substitute{"tahoma", "DejaVu Sans"},
    Substitute{"segoe ui", "Liberation Sans"},
    Substitute{"georgia", "DejaVu Serif"},
    Substitute{"book antiqua", "P052"},
    Substitute{"palatino linotype", "P052"},
    Substitute{"century gothic", "URW Gothic"},
    Substitute{"bookman old style", "URW Bookman"},
    Substitute{"consolas", "Liberation Mono"},
    Substitute{"lucida console", "Liberation Mono"},
};

constexpr const char* kDefaultFamily = "Liberation Serif";

int readBigEndian16(const QByteArray& table, int offset, bool isSigned) {
    if (table.size() < offset + 2) return 0;
    const auto hi = static_cast<unsigned char>(table[offset]);
    const auto lo = static_cast<unsigned char>(table[offset + 1]);
    const int v = (hi << 8) | lo;
    return isSigned && v >= 0x8000 ? v - 0x10000 : v;
}

bool contains(const std::string& haystack, std::string_view needle) {
    return haystack.find(needle) != std::string::npos;
}

// Windows names a font's script versions after it ("Times New Roman Cyr",
// "Arial CE") and sets them with the font itself.
std::string withoutScriptSuffix(std::string name) {
    for (std::string_view suffix : {" cyr", " ce", " greek", " tur", " baltic", " (hebrew)", " (arabic)", " (vietnamese)"}) {
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
            name.erase(name.size() - suffix.size());
            break;
        }
    }
    return name;
}

} // namespace

std::string normalizedFontName(const std::string& name) {
    std::string out;
    out.reserve(name.size());
    for (unsigned char c : name) out.push_back(static_cast<char>(std::tolower(c)));
    const auto first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = out.find_last_not_of(" \t");
    return out.substr(first, last - first + 1);
}

FontResolver::FontResolver() {
    // Find the point size that makes one pixel per point on the default
    // device: the font system converts points with the screen's resolution.
    QFont probe(QString::fromLatin1(kDefaultFamily));
    probe.setPointSizeF(720.0);
    const int pixels = QFontInfo(probe).pixelSize();
    if (pixels > 0) pointPerPixel_ = 720.0 / pixels;
}

FontResolver& FontResolver::instance() {
    static FontResolver resolver;
    return resolver;
}

QString FontResolver::pickFamily(const std::string& documentFont) const {
    const std::string name = withoutScriptSuffix(normalizedFontName(documentFont));
    for (const auto& s : kSubstitutes) {
        if (s.documentFont == name) return QString::fromLatin1(s.family);
    }
    if (!name.empty()) {
        const QString asIs = QString::fromStdString(documentFont).trimmed();
        if (QFontDatabase::hasFamily(asIs)) return asIs;
    }
    if (contains(name, "mono") || contains(name, "courier") || contains(name, "typewriter"))
        return QStringLiteral("Liberation Mono");
    if (contains(name, "narrow") || contains(name, "condensed"))
        return QStringLiteral("Liberation Sans Narrow");
    if (contains(name, "sans") || contains(name, "arial") || contains(name, "helv") ||
        contains(name, "gothic") || contains(name, "grotesk"))
        return QStringLiteral("Liberation Sans");
    if (!name.empty()) {
        // What the font system sets in place of the font, as the readers of
        // the publication here do: measured with it, the lines break where
        // they will be drawn.
        QFont wanted(QString::fromStdString(documentFont).trimmed());
        const QString family = QFontInfo(wanted).family();
        if (!family.isEmpty() && QFontDatabase::hasFamily(family)) return family;
    }
    return QString::fromLatin1(kDefaultFamily);
}

const QString& FontResolver::substituteFamily(const std::string& documentFont) {
    auto it = families_.find(documentFont);
    if (it == families_.end()) it = families_.emplace(documentFont, pickFamily(documentFont)).first;
    return it->second;
}

double FontResolver::effectiveSizePt(const model::CharProps& props) {
    double size = props.sizePt > 0.0 ? props.sizePt : 11.0;
    size = std::clamp(size, 1.0, 1638.0);
    if (props.vertical != model::VerticalPosition::Baseline) size *= 0.65;
    return size;
}

const QFont& FontResolver::font(const model::CharProps& props) {
    const double size = effectiveSizePt(props);
    std::string key = props.font;
    key.push_back('\x1f');
    key += std::to_string(static_cast<long long>(size * 100.0 + 0.5));
    key.push_back(props.bold ? 'b' : '-');
    key.push_back(props.italic ? 'i' : '-');
    key.push_back(props.allCaps ? 'C' : (props.smallCaps ? 'c' : '-'));
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;

    QFont f(substituteFamily(props.font));
    f.setPointSizeF(size * kUnitsPerPoint * pointPerPixel_);
    f.setBold(props.bold);
    f.setItalic(props.italic);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    if (props.allCaps) f.setCapitalization(QFont::AllUppercase);
    else if (props.smallCaps) f.setCapitalization(QFont::SmallCaps);
    return fonts_.emplace(std::move(key), std::move(f)).first->second;
}

FontResolver::LineMetrics FontResolver::lineMetrics(const QFont& font) {
    const QString key = font.family() + (font.bold() ? "|b" : "|") + (font.italic() ? "i" : "");
    auto it = metrics_.find(key);
    if (it != metrics_.end()) return it->second;
    LineMetrics m;
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray head = raw.fontTable("head");
    const QByteArray hhea = raw.fontTable("hhea");
    const QByteArray os2 = raw.fontTable("OS/2");
    const int unitsPerEm = readBigEndian16(head, 18, false);
    if (unitsPerEm > 0 && hhea.size() >= 10) {
        int up = readBigEndian16(hhea, 4, true) + std::max(0, readBigEndian16(hhea, 8, true));
        int down = -readBigEndian16(hhea, 6, true);
        if (os2.size() >= 78) {
            const bool useTypo = (readBigEndian16(os2, 62, false) & 0x80) != 0;
            const int typoAscender = readBigEndian16(os2, 68, true), typoDescender = readBigEndian16(os2, 70, true);
            if (useTypo && typoAscender - typoDescender > 0) {
                up = typoAscender + std::max(0, readBigEndian16(os2, 72, true));
                down = -typoDescender;
            } else if (up + down <= 0) {
                up = readBigEndian16(os2, 74, false);
                down = readBigEndian16(os2, 76, false);
            }
        }
        m = {static_cast<double>(up) / unitsPerEm, static_cast<double>(down) / unitsPerEm};
    }
    if (m.ascent + m.descent <= 0.0) {
        // No usable tables: the font system's metrics, per pixel of size.
        const QFontMetricsF fm(font);
        const double size = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
        if (size > 0.0) m = {fm.ascent() / size, fm.descent() / size};
        if (m.ascent + m.descent <= 0.0) m = {0.9, 0.25};
    }
    return metrics_.emplace(key, m).first->second;
}

} // namespace fq::layout
