// Reading publications back through pub2raw and LibreOffice for tests.
#include "tests/support/Pub2Raw.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <sstream>

namespace fq::test {

namespace {

std::string trim(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b);
}

// Splits "a:b: v1, c:d: v2" into a map. A new property starts at ", " that
// is followed by a prefixed name and ": ".
RawProps parseProps(const std::string& text) {
    RawProps props;
    static const QRegularExpression key(QStringLiteral("(?:^|, )([A-Za-z]+:[A-Za-z0-9-]+): "));
    const QString s = QString::fromStdString(text);
    auto it = key.globalMatch(s);
    struct Hit { qsizetype start, valueStart; QString name; };
    std::vector<Hit> hits;
    while (it.hasNext()) {
        const auto m = it.next();
        hits.push_back({m.capturedStart(0), m.capturedEnd(0), m.captured(1)});
    }
    for (std::size_t i = 0; i < hits.size(); ++i) {
        const qsizetype end = i + 1 < hits.size() ? hits[i + 1].start : s.size();
        props[hits[i].name.toStdString()] = s.mid(hits[i].valueStart, end - hits[i].valueStart).toStdString();
    }
    return props;
}

// The text between the first '(' and the last ')' of a call line.
std::string arguments(const std::string& line) {
    const auto open = line.find('(');
    const auto close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return {};
    return line.substr(open + 1, close - open - 1);
}

struct Box {
    double x0 = std::numeric_limits<double>::max(), y0 = std::numeric_limits<double>::max();
    double x1 = std::numeric_limits<double>::lowest(), y1 = std::numeric_limits<double>::lowest();
};

Box polygonBox(const std::string& line) {
    Box b;
    static const QRegularExpression point(QStringLiteral("svg:x: (-?[0-9.]+)in, svg:y: (-?[0-9.]+)in"));
    auto it = point.globalMatch(QString::fromStdString(line));
    while (it.hasNext()) {
        const auto m = it.next();
        const double x = m.captured(1).toDouble(), y = m.captured(2).toDouble();
        b.x0 = std::min(b.x0, x);
        b.y0 = std::min(b.y0, y);
        b.x1 = std::max(b.x1, x);
        b.y1 = std::max(b.y1, y);
    }
    return b;
}

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

} // namespace

std::optional<double> rawNumber(const RawProps& props, const std::string& key) {
    auto it = props.find(key);
    if (it == props.end()) return std::nullopt;
    try {
        std::size_t used = 0;
        const double v = std::stod(it->second, &used);
        if (used == 0) return std::nullopt;
        return v;
    } catch (...) {
        return std::nullopt;
    }
}

bool RawPicture::carriesImage(const std::vector<std::uint8_t>& original) const {
    return data.size() >= original.size() && data.size() <= original.size() + 17 &&
           std::equal(original.begin(), original.end(), data.begin());
}

std::string RawParagraph::text() const {
    std::string s;
    for (const auto& span : spans) s += span.text;
    return s;
}

std::string RawTextObject::text() const {
    std::string s;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i) s += "\n";
        s += paragraphs[i].text();
    }
    return s;
}

namespace {

std::string joined(const std::vector<RawParagraph>& paragraphs) {
    std::string s;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i) s += "\n";
        s += paragraphs[i].text();
    }
    return s;
}

} // namespace

std::string RawTableCell::text() const { return joined(paragraphs); }

std::string RawTable::text() const {
    std::string s;
    for (const auto& c : cells) {
        if (c.covered) continue;
        if (!s.empty()) s += "\n";
        s += c.text();
    }
    return s;
}

std::string RawDocument::allText() const {
    std::string s;
    auto add = [&s](const std::string& text) {
        if (!s.empty()) s += "\n";
        s += text;
    };
    for (const auto& page : pages) {
        std::size_t table = 0;
        for (std::size_t i = 0; i <= page.textObjects.size(); ++i) {
            while (table < page.tables.size() && page.tables[table].textObjectsBefore == i) add(page.tables[table++].text());
            if (i < page.textObjects.size()) add(page.textObjects[i].text());
        }
    }
    return s;
}

RawDocument parsePub2Raw(const std::string& output) {
    RawDocument doc;
    doc.output = output;
    std::istringstream in(output);
    std::string raw;
    RawProps lastStyle;
    RawTextObject* text = nullptr;
    RawTable* table = nullptr;
    std::vector<RawParagraph>* paragraphs = nullptr;   // where openParagraph adds: a text object's or a cell's
    RawParagraph* para = nullptr;
    RawSpan* span = nullptr;
    while (std::getline(in, raw)) {
        const std::string line = trim(raw);
        if (startsWith(line, "startDocument")) {
            doc.started = true;
        } else if (startsWith(line, "setDocumentMetaData")) {
            doc.metadata = parseProps(arguments(line));
        } else if (startsWith(line, "startPage")) {
            const RawProps p = parseProps(arguments(line));
            RawPage page;
            page.width = rawNumber(p, "svg:width").value_or(0);
            page.height = rawNumber(p, "svg:height").value_or(0);
            doc.pages.push_back(page);
            text = nullptr;
            table = nullptr;
            paragraphs = nullptr;
            para = nullptr;
            span = nullptr;
        } else if (doc.pages.empty()) {
            continue;
        } else if (startsWith(line, "setStyle")) {
            lastStyle = parseProps(arguments(line));
        } else if (startsWith(line, "drawPolygon") || startsWith(line, "drawRectangle") ||
                   startsWith(line, "drawPath")) {
            auto& page = doc.pages.back();
            ++page.polygons;
            auto fill = lastStyle.find("draw:fill");
            if (fill != lastStyle.end() && fill->second == "bitmap") {
                RawPicture pic;
                pic.mimeType = lastStyle.count("librevenge:mime-type") ? lastStyle["librevenge:mime-type"] : "";
                const QByteArray bytes =
                    QByteArray::fromBase64(QByteArray::fromStdString(lastStyle["draw:fill-image"]));
                pic.data.assign(bytes.begin(), bytes.end());
                pic.md5 = QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toStdString();
                pic.style = lastStyle;
                pic.style.erase("draw:fill-image");
                const Box b = polygonBox(line);
                if (b.x1 >= b.x0) {
                    pic.x = b.x0;
                    pic.y = b.y0;
                    pic.width = b.x1 - b.x0;
                    pic.height = b.y1 - b.y0;
                }
                page.pictures.push_back(std::move(pic));
            }
        } else if (startsWith(line, "startTextObject")) {
            auto& page = doc.pages.back();
            RawTextObject t;
            t.props = parseProps(arguments(line));
            t.x = rawNumber(t.props, "svg:x").value_or(0);
            t.y = rawNumber(t.props, "svg:y").value_or(0);
            t.width = rawNumber(t.props, "svg:width").value_or(0);
            t.height = rawNumber(t.props, "svg:height").value_or(0);
            page.textObjects.push_back(std::move(t));
            text = &page.textObjects.back();
            paragraphs = &text->paragraphs;
            para = nullptr;
            span = nullptr;
        } else if (startsWith(line, "endTextObject")) {
            text = nullptr;
            paragraphs = nullptr;
            para = nullptr;
            span = nullptr;
        } else if (startsWith(line, "startTableObject")) {
            auto& page = doc.pages.back();
            RawTable t;
            t.props = parseProps(arguments(line));
            t.x = rawNumber(t.props, "svg:x").value_or(0);
            t.y = rawNumber(t.props, "svg:y").value_or(0);
            t.width = rawNumber(t.props, "svg:width").value_or(0);
            t.height = rawNumber(t.props, "svg:height").value_or(0);
            static const QRegularExpression width(QStringLiteral("style:column-width: (-?[0-9.]+)in"));
            auto it = width.globalMatch(QString::fromStdString(t.props["librevenge:table-columns"]));
            while (it.hasNext()) t.columnWidths.push_back(it.next().captured(1).toDouble());
            t.textObjectsBefore = page.textObjects.size();
            page.tables.push_back(std::move(t));
            table = &page.tables.back();
            paragraphs = nullptr;
        } else if (table && startsWith(line, "openTableRow")) {
            const RawProps p = parseProps(arguments(line));
            table->rowHeights.push_back(rawNumber(p, "style:row-height").value_or(rawNumber(p, "librevenge:row-height").value_or(0)));
        } else if (table && (startsWith(line, "openTableCell") || startsWith(line, "insertCoveredTableCell"))) {
            const RawProps p = parseProps(arguments(line));
            RawTableCell c;
            c.row = static_cast<int>(rawNumber(p, "librevenge:row").value_or(-1));
            c.column = static_cast<int>(rawNumber(p, "librevenge:column").value_or(-1));
            c.rowSpan = static_cast<int>(rawNumber(p, "table:number-rows-spanned").value_or(1));
            c.columnSpan = static_cast<int>(rawNumber(p, "table:number-columns-spanned").value_or(1));
            c.covered = startsWith(line, "insertCoveredTableCell");
            table->cells.push_back(std::move(c));
            paragraphs = table->cells.back().covered ? nullptr : &table->cells.back().paragraphs;
        } else if (startsWith(line, "closeTableCell")) {
            paragraphs = nullptr;
            para = nullptr;
            span = nullptr;
        } else if (startsWith(line, "endTableObject")) {
            table = nullptr;
            paragraphs = nullptr;
        } else if (paragraphs && (startsWith(line, "openParagraph") || startsWith(line, "openListElement"))) {
            paragraphs->push_back(RawParagraph{parseProps(arguments(line)), {}});
            para = &paragraphs->back();
            span = nullptr;
        } else if (para && startsWith(line, "openSpan")) {
            para->spans.push_back(RawSpan{parseProps(arguments(line)), {}});
            span = &para->spans.back();
        } else if (span && startsWith(line, "insertText")) {
            // libmspub passes the paragraph mark (U+000D) through as text.
            std::string t = arguments(line);
            t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
            span->text += t;
        } else if (span && startsWith(line, "insertTab")) {
            span->text += "\t";
        } else if (span && startsWith(line, "insertLineBreak")) {
            span->text += "\n";
        } else if (span && startsWith(line, "insertSpace")) {
            span->text += " ";
        } else if (startsWith(line, "closeSpan")) {
            span = nullptr;
        } else if (startsWith(line, "closeParagraph") || startsWith(line, "closeListElement")) {
            para = nullptr;
            span = nullptr;
        }
    }
    return doc;
}

RawDocument runPub2Raw(const std::filesystem::path& file) {
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QStringLiteral("pub2raw"), {QString::fromStdString(file.string())});
    RawDocument doc;
    if (!p.waitForStarted(10000)) return doc;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished(5000);
        return doc;
    }
    doc = parsePub2Raw(p.readAllStandardOutput().toStdString());
    doc.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return doc;
}

int pdfPageCount(const std::filesystem::path& pdf) {
    if (!std::filesystem::exists(pdf)) return -1;
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf.string())});
    if (!p.waitForStarted(10000) || !p.waitForFinished(60000)) return -1;
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const auto m = pages.match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

PdfConversion convertToPdf(const std::vector<std::filesystem::path>& files, const std::filesystem::path& outDir) {
    PdfConversion result;
    std::filesystem::create_directories(outDir);
    const auto profile = outDir / "lo-profile";
    std::filesystem::create_directories(profile);
    QStringList args{QStringLiteral("-env:UserInstallation=file://") + QString::fromStdString(profile.string()),
                     QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                     QStringLiteral("pdf"), QStringLiteral("--outdir"), QString::fromStdString(outDir.string())};
    for (const auto& f : files) args << QString::fromStdString(f.string());
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("soffice"), args);
    if (p.waitForStarted(30000)) {
        if (p.waitForFinished(600000)) {
            result.ran = p.exitStatus() == QProcess::NormalExit;
        } else {
            p.kill();
            p.waitForFinished(5000);
        }
    }
    result.log = p.readAll().toStdString();
    for (const auto& f : files) {
        auto pdf = outDir / f.filename();
        pdf.replace_extension(".pdf");
        result.pageCounts[f.filename().string()] = pdfPageCount(pdf);
    }
    return result;
}

} // namespace fq::test
