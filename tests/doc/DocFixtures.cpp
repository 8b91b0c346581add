// Writing .docx fixtures and converting them with LibreOffice.
#include "DocFixtures.h"

#include <QBuffer>
#include <QImage>
#include <QProcess>
#include <QStringList>

#include <zip.h>

#include <stdexcept>

namespace fq::doc::test {

namespace {

const char* kNs =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\" "
    "xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:w10=\"urn:schemas-microsoft-com:office:word\"";

void add(zip_t* z, const std::string& name, const std::string& data) {
    auto* copy = static_cast<char*>(malloc(data.size() ? data.size() : 1));
    memcpy(copy, data.data(), data.size());
    zip_source_t* s = zip_source_buffer(z, copy, data.size(), 1);
    if (!s || zip_file_add(z, name.c_str(), s, ZIP_FL_OVERWRITE) < 0) {
        if (s) zip_source_free(s);
        throw std::runtime_error("cannot add " + name);
    }
}

} // namespace

void writeDocx(const DocxSource& src, const std::filesystem::path& file) {
    int err = 0;
    zip_t* z = zip_open(file.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z) throw std::runtime_error("cannot create " + file.string());
    const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    std::string types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Default Extension=\"png\" ContentType=\"image/png\"/>"
        "<Default Extension=\"jpeg\" ContentType=\"image/jpeg\"/>"
        "<Override PartName=\"/word/document.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
        "<Override PartName=\"/docProps/core.xml\" ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>";
    std::string docRels = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                          "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    if (!src.styles.empty()) {
        types += "<Override PartName=\"/word/styles.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>";
        docRels += "<Relationship Id=\"rIdStyles\" Type=\"" + rel + "styles\" Target=\"styles.xml\"/>";
        add(z, "word/styles.xml", std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:styles ") + kNs + ">" +
                                      src.styles + "</w:styles>");
    }
    std::string body = src.body;
    if (!src.header.empty() || !src.footer.empty()) {
        std::string refs;
        if (!src.header.empty()) {
            types += "<Override PartName=\"/word/header1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.header+xml\"/>";
            docRels += "<Relationship Id=\"rIdHeader\" Type=\"" + rel + "header\" Target=\"header1.xml\"/>";
            add(z, "word/header1.xml", std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:hdr ") + kNs + ">" + src.header + "</w:hdr>");
            refs += "<w:headerReference w:type=\"default\" r:id=\"rIdHeader\"/>";
        }
        if (!src.footer.empty()) {
            types += "<Override PartName=\"/word/footer1.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.footer+xml\"/>";
            docRels += "<Relationship Id=\"rIdFooter\" Type=\"" + rel + "footer\" Target=\"footer1.xml\"/>";
            add(z, "word/footer1.xml", std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:ftr ") + kNs + ">" + src.footer + "</w:ftr>");
            refs += "<w:footerReference w:type=\"default\" r:id=\"rIdFooter\"/>";
        }
        const auto at = body.find("<w:sectPr>");
        if (at != std::string::npos) body.insert(at + 10, refs);
        else body += "<w:sectPr>" + refs + "</w:sectPr>";
    }
    if (!src.footnotes.empty()) {
        types += "<Override PartName=\"/word/footnotes.xml\" ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.footnotes+xml\"/>";
        docRels += "<Relationship Id=\"rIdNotes\" Type=\"" + rel + "footnotes\" Target=\"footnotes.xml\"/>";
        add(z, "word/footnotes.xml", std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:footnotes ") + kNs +
                                         "><w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
                                         "<w:footnote w:type=\"continuationSeparator\" w:id=\"0\"><w:p><w:r><w:continuationSeparator/></w:r></w:p></w:footnote>" +
                                         src.footnotes + "</w:footnotes>");
    }
    for (const auto& [name, bytes] : src.media) {
        const std::string id = name.substr(0, name.find('.'));
        docRels += "<Relationship Id=\"" + id + "\" Type=\"" + rel + "image\" Target=\"media/" + name + "\"/>";
        add(z, "word/media/" + name, std::string(bytes.begin(), bytes.end()));
    }
    types += "</Types>";
    docRels += "</Relationships>";
    add(z, "[Content_Types].xml", types);
    add(z, "_rels/.rels",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" + rel + "officeDocument\" Target=\"word/document.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
        "</Relationships>");
    add(z, "word/_rels/document.xml.rels", docRels);
    add(z, "word/document.xml", std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><w:document ") + kNs +
                                    "><w:body>" + body + "</w:body></w:document>");
    add(z, "docProps/core.xml",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
        "<dc:title>" + src.title + "</dc:title><dc:creator>" + src.author + "</dc:creator>"
        "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2024-05-01T10:00:00Z</dcterms:created>"
        "</cp:coreProperties>");
    if (zip_close(z) < 0) {
        zip_discard(z);
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::map<std::string, std::filesystem::path> convertWithLibreOffice(const std::vector<DocxSource>& sources,
                                                                    const std::filesystem::path& workDir,
                                                                    std::string* log) {
    namespace fs = std::filesystem;
    const fs::path in = workDir / "docx", out = workDir / "doc", profile = workDir / "profile";
    fs::create_directories(in);
    fs::create_directories(out);
    QStringList args{QString::fromStdString("-env:UserInstallation=file://" + profile.string()), "--headless",
                     "--norestore", "--convert-to", "doc:MS Word 97", "--outdir", QString::fromStdString(out.string())};
    for (const auto& s : sources) {
        const fs::path f = in / (s.name + ".docx");
        writeDocx(s, f);
        args << QString::fromStdString(f.string());
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("soffice", args);
    p.waitForStarted(30000);
    p.waitForFinished(300000);
    if (log) *log = p.readAll().toStdString();
    std::map<std::string, fs::path> result;
    for (const auto& s : sources) {
        const fs::path f = out / (s.name + ".doc");
        if (fs::exists(f)) result[s.name] = f;
    }
    return result;
}

std::vector<unsigned char> makeImage(const char* format, int width, int height) {
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) img.setPixel(x, y, qRgb(200, (x * 40) % 256, (y * 60) % 256));
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

} // namespace fq::doc::test
