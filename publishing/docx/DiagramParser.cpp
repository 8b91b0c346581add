// SmartArt drawings.
#include "publishing/docx/DiagramParser.h"

#include "publishing/docx/XmlUtil.h"

namespace fq::docx {

namespace {

constexpr int maxDepth = 32;

// DrawingML text (a:p, a:r) as WordprocessingML paragraphs: text, size,
// bold, italic, colour and alignment.
std::vector<Block> textBody(const pugi::xml_node& txBody) {
    std::vector<Block> out;
    for (pugi::xml_node p = txBody.first_child(); p; p = p.next_sibling()) {
        if (!xml::is(p, "p")) continue;
        Paragraph para;
        const std::string algn = xml::text(xml::child(p, "pPr"), "algn").value_or("l");
        para.props.justification = algn == "ctr" ? "center" : algn == "r" ? "right" : algn == "just" ? "both" : "left";
        para.props.spaceBefore = 0;
        para.props.spaceAfter = 0;
        for (pugi::xml_node r = p.first_child(); r; r = r.next_sibling()) {
            const std::string_view n = xml::localName(r);
            if (n != "r" && n != "fld" && n != "br") continue;
            Run run;
            if (n == "br") {
                run.items.push_back(Break{"textWrapping"});
            } else {
                pugi::xml_node rPr = xml::child(r, "rPr");
                if (auto sz = xml::int32(rPr, "sz"); sz && *sz > 0) run.props.sizeHalfPt = *sz / 50;
                if (pugi::xml_attribute b = xml::attr(rPr, "b")) run.props.bold = b.as_bool();
                if (pugi::xml_attribute i = xml::attr(rPr, "i")) run.props.italic = i.as_bool();
                if (pugi::xml_node fill = xml::child(rPr, "solidFill"))
                    if (pugi::xml_node rgb = xml::child(fill, "srgbClr")) run.props.color = xml::text(rgb, "val");
                run.items.push_back(Text{xml::child(r, "t").text().get()});
            }
            para.runs.push_back(std::move(run));
        }
        out.push_back(Block{std::move(para)});
    }
    return out;
}

void shapes(const pugi::xml_node& tree, const PartResolver& resolve, std::vector<DrawnShape>& out, int depth) {
    if (depth > maxDepth) return;
    for (pugi::xml_node c = tree.first_child(); c; c = c.next_sibling()) {
        const std::string_view n = xml::localName(c);
        if (n == "sp") {
            DrawnShape s;
            parseShapeProperties(xml::child(c, "spPr"), s, resolve);
            if (pugi::xml_node style = xml::child(c, "style")) s.style = parseStyleRefs(style);
            pugi::xml_node body = xml::child(c, "txBody");
            parseBodyProperties(xml::child(body, "bodyPr"), s);
            s.text = textBody(body);
            out.push_back(std::move(s));
        } else if (n == "grpSp") {
            DrawnShape g;
            g.group = true;
            parseShapeProperties(xml::child(c, "grpSpPr"), g, resolve);
            shapes(c, resolve, g.children, depth + 1);
            // A group without its own space places its members as they are.
            if (g.childCx <= 0 || g.childCy <= 0) {
                for (auto& m : g.children) out.push_back(std::move(m));
                continue;
            }
            out.push_back(std::move(g));
        }
    }
}

} // namespace

std::vector<DrawnShape> parseDiagramDrawing(const pugi::xml_node& drawing, const PartResolver& resolve) {
    std::vector<DrawnShape> out;
    shapes(xml::child(drawing, "spTree"), resolve, out, 0);
    return out;
}

std::string diagramDrawingId(const pugi::xml_node& dataModel) {
    for (pugi::xml_node ext = xml::child(xml::child(dataModel, "extLst"), "ext"); ext; ext = ext.next_sibling())
        if (pugi::xml_node dm = xml::child(ext, "dataModelExt")) return xml::text(dm, "relId").value_or("");
    return {};
}

} // namespace fq::docx
