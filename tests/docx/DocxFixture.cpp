// Fixture packages zipped with libzip.
#include "DocxFixture.h"

#include <zip.h>

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>

namespace fq::docx::test {

const char* const wordNamespaces =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
    "xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\" "
    "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
    "xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\" "
    "xmlns:wps=\"http://schemas.microsoft.com/office/word/2010/wordprocessingShape\" "
    "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" "
    "xmlns:v=\"urn:schemas-microsoft-com:vml\" xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:m=\"http://schemas.openxmlformats.org/officeDocument/2006/math\"";

namespace {

const std::string relNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::filesystem::path uniqueFolder() {
    static std::atomic<int> counter{0};
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        auto p = base / ("fq-docx-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(p)) return p;
    }
}

std::string wrap(const char* root, const std::string& inner) {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<w:") + root + " " +
           wordNamespaces + ">" + inner + "</w:" + root + ">";
}

} // namespace

DocxFixture::DocxFixture() : folder_(uniqueFolder()) {
    body("<w:p><w:r><w:t>Hello</w:t></w:r></w:p>");
}

DocxFixture::~DocxFixture() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

DocxFixture& DocxFixture::body(const std::string& xml) {
    parts_["word/document.xml"] = wrap("document", "<w:body>" + xml + "</w:body>");
    return *this;
}

DocxFixture& DocxFixture::styles(const std::string& inner) {
    parts_["word/styles.xml"] = wrap("styles", inner);
    documentRels_.push_back("<Relationship Id=\"rIdStyles\" Type=\"" + relNs + "styles\" Target=\"styles.xml\"/>");
    return *this;
}

DocxFixture& DocxFixture::numbering(const std::string& inner) {
    parts_["word/numbering.xml"] = wrap("numbering", inner);
    documentRels_.push_back("<Relationship Id=\"rIdNumbering\" Type=\"" + relNs +
                            "numbering\" Target=\"numbering.xml\"/>");
    return *this;
}

DocxFixture& DocxFixture::settings(const std::string& inner) {
    parts_["word/settings.xml"] = wrap("settings", inner);
    documentRels_.push_back("<Relationship Id=\"rIdSettings\" Type=\"" + relNs + "settings\" Target=\"settings.xml\"/>");
    return *this;
}

DocxFixture& DocxFixture::theme(const std::string& majorLatin, const std::string& minorLatin) {
    parts_["word/theme/theme1.xml"] =
        "<?xml version=\"1.0\"?><a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\">"
        "<a:themeElements><a:fontScheme name=\"x\"><a:majorFont><a:latin typeface=\"" + majorLatin +
        "\"/></a:majorFont><a:minorFont><a:latin typeface=\"" + minorLatin +
        "\"/></a:minorFont></a:fontScheme></a:themeElements></a:theme>";
    documentRels_.push_back("<Relationship Id=\"rIdTheme\" Type=\"" + relNs +
                            "theme\" Target=\"theme/theme1.xml\"/>");
    return *this;
}

DocxFixture& DocxFixture::fontTable(const std::string& inner) {
    parts_["word/fontTable.xml"] = wrap("fonts", inner);
    documentRels_.push_back("<Relationship Id=\"rIdFonts\" Type=\"" + relNs + "fontTable\" Target=\"fontTable.xml\"/>");
    return *this;
}

DocxFixture& DocxFixture::footnotes(const std::string& inner) {
    parts_["word/footnotes.xml"] = wrap("footnotes", inner);
    documentRels_.push_back("<Relationship Id=\"rIdFootnotes\" Type=\"" + relNs +
                            "footnotes\" Target=\"footnotes.xml\"/>");
    return *this;
}

DocxFixture& DocxFixture::endnotes(const std::string& inner) {
    parts_["word/endnotes.xml"] = wrap("endnotes", inner);
    documentRels_.push_back("<Relationship Id=\"rIdEndnotes\" Type=\"" + relNs +
                            "endnotes\" Target=\"endnotes.xml\"/>");
    return *this;
}

DocxFixture& DocxFixture::related(const std::string& relId, const std::string& type, const std::string& name,
                                  const std::string& xml) {
    parts_["word/" + name] = xml;
    documentRels_.push_back("<Relationship Id=\"" + relId + "\" Type=\"" + type + "\" Target=\"" + name + "\"/>");
    return *this;
}

DocxFixture& DocxFixture::header(const std::string& name, const std::string& inner) {
    parts_["word/" + name] = wrap("hdr", inner);
    documentRels_.push_back("<Relationship Id=\"rId" + name + "\" Type=\"" + relNs + "header\" Target=\"" + name +
                            "\"/>");
    return *this;
}

DocxFixture& DocxFixture::footer(const std::string& name, const std::string& inner) {
    parts_["word/" + name] = wrap("ftr", inner);
    documentRels_.push_back("<Relationship Id=\"rId" + name + "\" Type=\"" + relNs + "footer\" Target=\"" + name +
                            "\"/>");
    return *this;
}

DocxFixture& DocxFixture::media(const std::string& relId, const std::string& name,
                                const std::vector<std::uint8_t>& bytes) {
    parts_["word/media/" + name] = std::string(bytes.begin(), bytes.end());
    documentRels_.push_back("<Relationship Id=\"" + relId + "\" Type=\"" + relNs + "image\" Target=\"media/" +
                            name + "\"/>");
    return *this;
}

DocxFixture& DocxFixture::hyperlink(const std::string& relId, const std::string& url) {
    documentRels_.push_back("<Relationship Id=\"" + relId + "\" Type=\"" + relNs + "hyperlink\" Target=\"" + url +
                            "\" TargetMode=\"External\"/>");
    return *this;
}

DocxFixture& DocxFixture::core(const std::string& title, const std::string& author) {
    parts_["docProps/core.xml"] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><cp:coreProperties "
        "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
        "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\">"
        "<dc:title>" + title + "</dc:title><dc:creator>" + author +
        "</dc:creator><cp:keywords>alpha, beta</cp:keywords>"
        "<dcterms:created>2024-05-01T10:00:00Z</dcterms:created></cp:coreProperties>";
    hasCore_ = true;
    return *this;
}

DocxFixture& DocxFixture::rawPart(const std::string& name, const std::string& data) {
    parts_[name] = data;
    return *this;
}

DocxFixture& DocxFixture::withoutPart(const std::string& name) {
    dropped_.push_back(name);
    return *this;
}

std::filesystem::path DocxFixture::write(const std::string& fileName) {
    std::map<std::string, std::string> all = parts_;
    if (!all.count("[Content_Types].xml"))
        all["[Content_Types].xml"] =
            "<?xml version=\"1.0\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
            "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
            "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
            "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
            "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/></Types>";
    if (!all.count("_rels/.rels")) {
        std::string rels =
            "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" + relNs + "officeDocument\" Target=\"word/document.xml\"/>";
        if (hasCore_)
            rels += "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/relationships/"
                    "metadata/core-properties\" Target=\"docProps/core.xml\"/>";
        all["_rels/.rels"] = rels + "</Relationships>";
    }
    if (!all.count("word/_rels/document.xml.rels")) {
        std::string rels =
            "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
        for (const auto& r : documentRels_) rels += r;
        all["word/_rels/document.xml.rels"] = rels + "</Relationships>";
    }
    for (const auto& d : dropped_) all.erase(d);

    auto path = folder_ / fileName;
    std::filesystem::remove(path);
    int error = 0;
    zip_t* z = zip_open(path.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) throw std::runtime_error("cannot create fixture zip");
    for (const auto& [name, data] : all) {
        // libzip copies the buffer when freep = 0 only at close time, so keep
        // the data alive in `all` until zip_close.
        zip_source_t* src = zip_source_buffer(z, data.data(), data.size(), 0);
        zip_int64_t index = src ? zip_file_add(z, name.c_str(), src, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (src) zip_source_free(src);
            zip_discard(z);
            throw std::runtime_error("cannot add " + name);
        }
        if (store_) zip_set_file_compression(z, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        throw std::runtime_error("cannot write fixture zip");
    }
    return path;
}

std::vector<std::uint8_t> tinyPng() {
    static const std::uint8_t png[] = {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
        0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0xFD, 0xD4, 0x9A,
        0x73, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xC0,
        0xF0, 0x9F, 0x81, 0x81, 0x01, 0x00, 0x12, 0xF6, 0x03, 0xFD, 0x4C, 0x0E, 0x1C, 0x5B, 0x00, 0x00,
        0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
    return {std::begin(png), std::end(png)};
}

std::vector<std::uint8_t> tinyJpeg() {
    static const std::uint8_t jpg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00,
                                       0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0xFF, 0xD9};
    return {std::begin(jpg), std::end(jpg)};
}

std::filesystem::path writeFile(const std::filesystem::path& folder, const std::string& name,
                                const std::string& bytes) {
    auto p = folder / name;
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
}

} // namespace fq::docx::test
