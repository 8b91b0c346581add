// Reading the parts of a WordprocessingML package.
#include "publishing/docx/PackageLoader.h"

#include "publishing/docx/BodyParser.h"
#include "publishing/docx/ChartParser.h"
#include "publishing/docx/CompoundFileProbe.h"
#include "publishing/docx/DiagramParser.h"
#include "publishing/docx/DrawingMl.h"
#include "publishing/docx/NumberingParser.h"
#include "publishing/docx/PackageParts.h"
#include "publishing/docx/SettingsParser.h"
#include "publishing/docx/StylesParser.h"
#include "publishing/docx/XmlUtil.h"
#include "publishing/docx/ZipPackage.h"
#include "publishing/model/ConversionError.h"

#include <set>

namespace fq::docx {

namespace {

class Loader {
public:
    explicit Loader(ZipPackage& zip) : zip_(zip) {}

    WordDocument load();

private:
    // Parses a part; nullopt when it does not exist. When `required` is
    // false a broken part is skipped instead of failing the document.
    bool parsePart(const std::string& name, pugi::xml_document& doc, bool required);
    Relationships relationshipsOf(const std::string& part, bool required);
    Story readStory(const pugi::xml_node& container, const Relationships& rels);
    void readNotes(const std::string& part, std::map<int, Note>& notes);
    void readMedia();

    ZipPackage& zip_;
    WordDocument doc_;
    std::set<std::string> images_;
    std::set<std::string> diagrams_;
    std::set<std::string> charts_;
    std::vector<Relationships> relationshipSets_;   // of the parts read, for SmartArt drawings
    void readDiagrams();
    void readCharts();
};

// The text of a SmartArt data part: one entry per paragraph of each content
// node, in the order the nodes are stored.
std::vector<std::string> diagramText(const pugi::xml_node& root) {
    std::vector<std::string> out;
    pugi::xml_node list = xml::child(root, "ptLst");
    for (pugi::xml_node pt = list.first_child(); pt; pt = pt.next_sibling()) {
        if (!xml::is(pt, "pt")) continue;
        const std::string type = xml::text(pt, "type").value_or("node");
        if (type != "node") continue;
        pugi::xml_node body = xml::child(pt, "t");
        for (pugi::xml_node para = body.first_child(); para; para = para.next_sibling()) {
            if (!xml::is(para, "p")) continue;
            std::string text = xml::descendantText(para, "t");
            if (!text.empty()) out.push_back(text);
        }
    }
    return out;
}

// Word's compatibility mode (w:compat/w:compatSetting "compatibilityMode"); 0 when none is named.
int compatibilityMode(const pugi::xml_node& settings) {
    for (pugi::xml_node c = xml::child(settings, "compat").first_child(); c; c = c.next_sibling())
        if (xml::is(c, "compatSetting") && xml::text(c, "name").value_or("") == "compatibilityMode")
            return xml::int32(c, "val").value_or(0);
    return 0;
}

bool Loader::parsePart(const std::string& name, pugi::xml_document& doc, bool required) {
    try {
        auto data = zip_.read(name);
        if (!data) return false;
        xml::parse(doc, *data, name);
        return true;
    } catch (const model::ConversionError&) {
        if (required) throw;
        return false;
    }
}

Relationships Loader::relationshipsOf(const std::string& part, bool required) {
    pugi::xml_document d;
    if (!parsePart(relationshipsPartName(part), d, required)) return {};
    Relationships rels = parseRelationships(d.document_element(), part);
    relationshipSets_.push_back(rels);
    return rels;
}

Story Loader::readStory(const pugi::xml_node& container, const Relationships& rels) {
    BodyParser parser(rels);
    Story s;
    s.blocks = parser.parseBlocks(container);
    images_.insert(parser.imageParts().begin(), parser.imageParts().end());
    diagrams_.insert(parser.diagramParts().begin(), parser.diagramParts().end());
    charts_.insert(parser.chartParts().begin(), parser.chartParts().end());
    return s;
}

void Loader::readNotes(const std::string& part, std::map<int, Note>& notes) {
    pugi::xml_document d;
    if (!parsePart(part, d, true)) return;
    Relationships rels = relationshipsOf(part, false);
    for (pugi::xml_node n = d.document_element().first_child(); n; n = n.next_sibling()) {
        if (!xml::is(n, "footnote") && !xml::is(n, "endnote")) continue;
        Note note;
        note.id = xml::int32(n, "id").value_or(0);
        note.type = xml::text(n, "type").value_or("normal");
        note.story = readStory(n, rels);
        notes.emplace(note.id, std::move(note));
    }
}

void Loader::readDiagrams() {
    for (const std::string& name : diagrams_) {
        pugi::xml_document d;
        if (!parsePart(name, d, false)) continue;
        doc_.diagramTexts[name] = diagramText(d.document_element());
        // The drawing Word stored for the diagram, through the relationship
        // its data part names.
        const std::string id = diagramDrawingId(d.document_element());
        if (id.empty()) continue;
        for (const Relationships& rels : relationshipSets_) {
            auto rel = rels.find(id);
            if (rel == rels.end() || rel->second.external || rel->second.type.find("diagramDrawing") == std::string::npos)
                continue;
            pugi::xml_document drawing;
            if (!parsePart(rel->second.target, drawing, false)) break;
            const Relationships drawingRels = relationshipsOf(rel->second.target, false);
            auto resolve = [&](const std::string& relId) {
                auto r = drawingRels.find(relId);
                if (r == drawingRels.end() || r->second.external) return std::string();
                images_.insert(r->second.target);
                return r->second.target;
            };
            doc_.diagramDrawings[name] = parseDiagramDrawing(drawing.document_element(), resolve);
            break;
        }
    }
}

void Loader::readCharts() {
    for (const std::string& name : charts_) {
        pugi::xml_document d;
        if (parsePart(name, d, false)) doc_.charts[name] = parseChartPart(d.document_element());
    }
}

void Loader::readMedia() {
    for (const std::string& name : images_) {
        // A picture that cannot be read leaves a placeholder; the text of
        // the document is still worth converting.
        try {
            auto data = zip_.read(name);
            if (data) doc_.media[name] = std::vector<std::uint8_t>(data->begin(), data->end());
        } catch (const model::ConversionError&) {
        }
    }
}

WordDocument Loader::load() {
    {
        pugi::xml_document ct;
        if (parsePart("[Content_Types].xml", ct, false))
            doc_.contentTypes = parseContentTypes(ct.document_element());
    }
    Relationships root = relationshipsOf("", false);
    std::string corePart;
    for (const auto& [id, rel] : root) {
        if (rel.external) continue;
        if (hasType(rel, "officeDocument") && doc_.mainPartName.empty() && zip_.contains(rel.target))
            doc_.mainPartName = rel.target;
        else if (hasType(rel, "core-properties") || hasType(rel, "metadata/core-properties"))
            corePart = rel.target;
    }
    if (doc_.mainPartName.empty() && zip_.contains("word/document.xml")) doc_.mainPartName = "word/document.xml";
    if (doc_.mainPartName.empty()) throw model::ConversionError(model::messages::notAWordDocument);

    pugi::xml_document main;
    parsePart(doc_.mainPartName, main, true);
    pugi::xml_node document = main.document_element();
    if (!xml::is(document, "document")) throw model::ConversionError(model::messages::notAWordDocument);
    Relationships rels = relationshipsOf(doc_.mainPartName, true);

    // Some writers emit more than one w:body; Word shows all of them.
    for (pugi::xml_node body = document.first_child(); body; body = body.next_sibling()) {
        if (!xml::is(body, "body")) continue;
        BodyParser parser(rels);
        std::vector<Block> blocks = parser.parseBlocks(body);
        if (doc_.body.blocks.empty())
            doc_.body.blocks = std::move(blocks);   // no second copy of a long body
        else
            doc_.body.blocks.insert(doc_.body.blocks.end(), std::make_move_iterator(blocks.begin()),
                                    std::make_move_iterator(blocks.end()));
        if (parser.trailingSection()) doc_.finalSection = parser.trailingSection();
        images_.insert(parser.imageParts().begin(), parser.imageParts().end());
        diagrams_.insert(parser.diagramParts().begin(), parser.diagramParts().end());
        charts_.insert(parser.chartParts().begin(), parser.chartParts().end());
    }
    // The body is in the model now; its XML tree (several times the size
    // of the text) is not needed for the parts that follow.
    main.reset();

    for (const auto& [id, rel] : rels) {
        if (rel.external) continue;
        if (hasType(rel, "styles")) {
            pugi::xml_document d;
            if (parsePart(rel.target, d, true)) doc_.styles = parseStyles(d.document_element());
        } else if (hasType(rel, "theme")) {
            pugi::xml_document d;
            if (parsePart(rel.target, d, false)) {
                doc_.theme = parseThemeFonts(d.document_element());
                parseThemeColors(d.document_element(), doc_.theme);
            }
        } else if (hasType(rel, "fontTable")) {
            pugi::xml_document d;
            if (parsePart(rel.target, d, false)) doc_.symbolCharsetFonts = parseSymbolCharsetFonts(d.document_element());
        } else if (hasType(rel, "numbering")) {
            pugi::xml_document d;
            if (parsePart(rel.target, d, true)) doc_.numbering = parseNumbering(d.document_element());
        } else if (hasType(rel, "settings")) {
            pugi::xml_document d;
            if (parsePart(rel.target, d, false)) {
                doc_.settings = parseSettings(d.document_element());
                doc_.compatibilityMode = compatibilityMode(d.document_element());
            }
        } else if (hasType(rel, "footnotes")) {
            readNotes(rel.target, doc_.footnotes);
        } else if (hasType(rel, "endnotes")) {
            readNotes(rel.target, doc_.endnotes);
        } else if (hasType(rel, "header") || hasType(rel, "footer")) {
            pugi::xml_document d;
            if (parsePart(rel.target, d, true))
                doc_.headerFooterParts[rel.target] = readStory(d.document_element(), relationshipsOf(rel.target, false));
        }
    }

    if (corePart.empty() && zip_.contains("docProps/core.xml")) corePart = "docProps/core.xml";
    if (!corePart.empty()) {
        pugi::xml_document d;
        if (parsePart(corePart, d, false)) doc_.core = parseCoreProperties(d.document_element());
    }
    readDiagrams();
    readMedia();
    readCharts();
    return std::move(doc_);
}

} // namespace

WordDocument loadPackage(const std::filesystem::path& path) {
    if (isCompoundFile(path)) {
        if (isEncryptedPackage(path)) throw model::ConversionError(model::messages::passwordProtected);
        throw model::ConversionError(model::messages::notAWordDocument);
    }
    ZipPackage zip(path);
    Loader loader(zip);
    WordDocument doc = loader.load();
    doc.sourcePath = path.string();
    doc.sourceFileName = path.filename().string();
    return doc;
}

} // namespace fq::docx
