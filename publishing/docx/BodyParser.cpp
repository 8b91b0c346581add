// Block, run and drawing content of WordprocessingML stories.
#include "publishing/docx/BodyParser.h"
#include "publishing/model/Budget.h"

#include "publishing/docx/MathText.h"
#include "publishing/docx/PropertyParser.h"
#include "publishing/docx/TableParser.h"
#include "publishing/docx/XmlUtil.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

namespace fq::docx {

namespace {

// Deeper nesting than this is not followed (fuzzed files nest thousands of
// levels); the content below is dropped instead of exhausting the stack.
constexpr int maxDepth = 64;

const std::set<std::string, std::less<>>& understoodNamespaces() {
    static const std::set<std::string, std::less<>> s = {
        "wps", "wpg", "wpc", "wp14", "wp", "w14", "w15", "w16se", "w16cid", "w16", "w16cex",
        "a14", "v", "o", "w10", "wne", "m", "mc", "r", "a", "pic"};
    return s;
}

std::string mathText(const pugi::xml_node& math) { return linearMathText(math); }

// The state a legacy form field shows: a check box's (w:checked, else its
// default), a drop-down's selected entry (w:result, else its default).
word::FormFieldState formField(const pugi::xml_node& ff) {
    word::FormFieldState s;
    if (pugi::xml_node box = xml::child(ff, "checkBox")) {
        s.kind = word::FormFieldState::Kind::CheckBox;
        s.checked = xml::onOff(box, "checked").value_or(xml::onOff(box, "default").value_or(false));
    } else if (pugi::xml_node list = xml::child(ff, "ddList")) {
        s.kind = word::FormFieldState::Kind::DropDown;
        for (pugi::xml_node e = list.first_child(); e; e = e.next_sibling())
            if (xml::is(e, "listEntry")) s.entries.push_back(xml::text(e, "val").value_or(""));
        s.selected = xml::int32(xml::child(list, "result"), "val")
                         .value_or(xml::int32(xml::child(list, "default"), "val").value_or(0));
    }
    return s;
}

} // namespace

pugi::xml_node selectAlternative(const pugi::xml_node& ac) {
    for (pugi::xml_node c = ac.first_child(); c; c = c.next_sibling()) {
        if (!xml::is(c, "Choice")) continue;
        std::istringstream req(xml::text(c, "Requires").value_or(""));
        std::string prefix;
        bool ok = true;
        while (req >> prefix)
            if (!understoodNamespaces().count(prefix)) ok = false;
        if (ok) return c;
    }
    return xml::child(ac, "Fallback");
}

std::int64_t vmlLengthEmu(std::string_view value) {
    std::string v(value);
    char* end = nullptr;
    double n = std::strtod(v.c_str(), &end);
    if (end == v.c_str()) return 0;
    std::string unit(end);
    double emuPerUnit = 12700.0;                   // pt
    if (unit == "in") emuPerUnit = 914400.0;
    else if (unit == "cm") emuPerUnit = 360000.0;
    else if (unit == "mm") emuPerUnit = 36000.0;
    else if (unit == "px" || unit.empty()) emuPerUnit = 9525.0;
    else if (unit == "pc") emuPerUnit = 152400.0;
    double emu = n * emuPerUnit;
    if (!(emu > 0) || emu > 1e12) return 0;
    return static_cast<std::int64_t>(emu);
}

std::vector<Block> BodyParser::parseBlocks(const pugi::xml_node& container) {
    std::vector<Block> out;
    blocks(container, out, 0);
    return out;
}

void BodyParser::blocks(const pugi::xml_node& container, std::vector<Block>& out, int depth) {
    if (depth > maxDepth) return;
    for (pugi::xml_node c = container.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        model::checkBudget();
        std::string_view n = xml::localName(c);
        if (n == "p") {
            out.push_back(Block{paragraph(c, depth + 1)});
        } else if (n == "tbl") {
            out.push_back(Block{table(c, depth + 1)});
        } else if (n == "sdt") {
            blocks(xml::child(c, "sdtContent"), out, depth + 1);
        } else if (n == "customXml" || n == "ins" || n == "moveTo" || n == "smartTag" ||
                   n == "txbxContent" || n == "body") {
            blocks(c, out, depth + 1);
        } else if (n == "AlternateContent") {
            blocks(selectAlternative(c), out, depth + 1);
        } else if (n == "oMathPara" || n == "oMath") {
            Paragraph p;
            Run r;
            std::string t = mathText(c);
            r.items.push_back(Text{t.empty() ? "[equation]" : t});
            p.runs.push_back(std::move(r));
            out.push_back(Block{std::move(p)});
        } else if (n == "sectPr") {
            trailingSection_ = parseSectionProps(c, rels_);
        } else if (n == "altChunk") {
            Paragraph p;
            Run r;
            r.items.push_back(Placeholder{"[embedded document]"});
            p.runs.push_back(std::move(r));
            out.push_back(Block{std::move(p)});
        }
        // del, moveFrom (tracked removals), bookmarks, permissions, proofing
        // marks and comment ranges carry no text.
    }
}

Paragraph BodyParser::paragraph(const pugi::xml_node& p, int depth) {
    Paragraph para;
    para.props = parseParaProps(xml::child(p, "pPr"), rels_);
    inlines(p, para.runs, std::string(), depth + 1);
    return para;
}

void BodyParser::inlines(const pugi::xml_node& container, std::vector<Run>& out, const std::string& link,
                         int depth) {
    if (depth > maxDepth) return;
    for (pugi::xml_node c = container.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        model::checkBudget();
        std::string_view n = xml::localName(c);
        if (n == "r") {
            Run run;
            run.props = parseRunProps(xml::child(c, "rPr"));
            run.hyperlink = link;
            runItems(c, run.items, depth + 1);
            out.push_back(std::move(run));
        } else if (n == "hyperlink") {
            // An address (relationship), a place in it or in this document (anchor).
            std::string target = link;
            const auto anchor = xml::text(c, "anchor");
            if (auto id = xml::text(c, "id")) {
                auto rel = rels_.find(*id);
                if (rel != rels_.end()) target = rel->second.target + (anchor ? "#" + *anchor : std::string());
            } else if (anchor) {
                target = "#" + *anchor;
            }
            inlines(c, out, target, depth + 1);
        } else if (n == "fldSimple") {
            // Written as the equivalent complex field, so that the converter
            // treats both forms alike: begin, code, separate, result, end.
            Run open;
            open.hyperlink = link;
            open.items.push_back(FieldChar{"begin", {}});
            open.items.push_back(InstrText{xml::text(c, "instr").value_or("")});
            open.items.push_back(FieldChar{"separate", {}});
            out.push_back(std::move(open));
            inlines(c, out, link, depth + 1);
            Run close;
            close.hyperlink = link;
            close.items.push_back(FieldChar{"end", {}});
            out.push_back(std::move(close));
        } else if (n == "sdt") {
            inlines(xml::child(c, "sdtContent"), out, link, depth + 1);
        } else if (n == "smartTag" || n == "customXml" || n == "ins" || n == "moveTo" || n == "dir" ||
                   n == "bdo" || n == "subDoc") {
            inlines(c, out, link, depth + 1);
        } else if (n == "AlternateContent") {
            inlines(selectAlternative(c), out, link, depth + 1);
        } else if (n == "oMath" || n == "oMathPara") {
            Run run;
            run.hyperlink = link;
            std::string t = mathText(c);
            if (t.empty()) run.items.push_back(Placeholder{"[equation]"});
            else run.items.push_back(Text{t});
            out.push_back(std::move(run));
        }
    }
}

void BodyParser::runItems(const pugi::xml_node& r, std::vector<RunItem>& out, int depth) {
    if (depth > maxDepth) return;
    for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        std::string_view n = xml::localName(c);
        if (n == "t") {
            out.push_back(Text{c.text().get()});
        } else if (n == "instrText") {
            out.push_back(InstrText{c.text().get()});
        } else if (n == "tab" || n == "ptab") {
            out.push_back(Tab{});
        } else if (n == "br") {
            out.push_back(Break{xml::text(c, "type").value_or("textWrapping")});
        } else if (n == "cr") {
            out.push_back(Break{"textWrapping"});
        } else if (n == "sym" || n == "symEx") {
            // w16se:symEx is the newer form (emoji) of w:sym.
            Symbol s;
            s.font = xml::text(c, "font").value_or("");
            std::string code = xml::text(c, "char").value_or("");
            s.code = static_cast<char32_t>(std::strtoul(code.c_str(), nullptr, 16));
            out.push_back(s);
        } else if (n == "softHyphen") {
            out.push_back(Text{"\u00AD"});
        } else if (n == "noBreakHyphen") {
            out.push_back(Text{"\u2011"});
        } else if (n == "fldChar") {
            FieldChar f{xml::text(c, "fldCharType").value_or(""), std::nullopt};
            if (pugi::xml_node ff = xml::child(c, "ffData")) f.form = formField(ff);
            out.push_back(std::move(f));
        } else if (n == "footnoteReference" || n == "endnoteReference") {
            NoteReference ref;
            ref.endnote = n == "endnoteReference";
            ref.id = xml::int32(c, "id").value_or(0);
            if (pugi::xml_attribute a = xml::attr(c, "customMarkFollows")) ref.customMark = a.as_bool();
            out.push_back(ref);
        } else if (n == "footnoteRef" || n == "endnoteRef") {
            out.push_back(NoteMark{n == "endnoteRef"});
        } else if (n == "drawing") {
            out.push_back(drawing(c, depth + 1));
        } else if (n == "pict" || n == "object") {
            out.push_back(vml(c, depth + 1));
        } else if (n == "AlternateContent") {
            runItems(selectAlternative(c), out, depth + 1);
        } else if (n == "ruby") {
            pugi::xml_node base = xml::child(c, "rubyBase");
            for (pugi::xml_node rr = base.first_child(); rr; rr = rr.next_sibling())
                if (xml::is(rr, "r")) runItems(rr, out, depth + 1);
        }
        // delText and delInstrText belong to removed text; page number
        // markers, separators and rendering hints carry no text.
    }
}

std::string BodyParser::imagePart(const std::string& relId) {
    auto rel = rels_.find(relId);
    if (rel == rels_.end() || rel->second.external) return {};
    imageParts_.push_back(rel->second.target);
    return rel->second.target;
}

Drawing BodyParser::drawing(const pugi::xml_node& node, int depth) {
    Drawing d;
    pugi::xml_node frame = xml::child(node, "anchor");
    d.anchored = bool(frame);
    if (!frame) frame = xml::child(node, "inline");
    if (!frame) {
        graphic(node, d, depth + 1);
        return d;
    }
    if (pugi::xml_node ext = xml::child(frame, "extent")) {
        d.cx = xml::integer(ext, "cx").value_or(0);
        d.cy = xml::integer(ext, "cy").value_or(0);
    }
    if (pugi::xml_node pr = xml::child(frame, "docPr")) {
        d.description = xml::text(pr, "descr").value_or("");
        if (d.description.empty()) d.description = xml::text(pr, "title").value_or("");
    }
    if (d.anchored) {
        if (pugi::xml_attribute a = xml::attr(frame, "simplePos"); a && a.as_bool()) {
            pugi::xml_node sp = xml::child(frame, "simplePos");
            d.simplePos = std::make_pair(xml::integer(sp, "x").value_or(0), xml::integer(sp, "y").value_or(0));
        }
        auto axis = [&](const char* name, AxisPosition& pos) {
            // Word 2010 puts the position in a markup-compatibility choice
            // when it is a percentage of the page.
            pugi::xml_node n = xml::child(frame, name);
            for (pugi::xml_node c = frame.first_child(); c && !n; c = c.next_sibling())
                if (xml::is(c, "AlternateContent")) n = xml::child(selectAlternative(c), name);
            pos.relativeFrom = xml::text(n, "relativeFrom").value_or("");
            if (pugi::xml_node off = xml::child(n, "posOffset")) pos.offset = xml::parseInteger(off.text().get());
            if (pugi::xml_node al = xml::child(n, "align")) pos.align = al.text().get();
            for (const char* pct : {"pctPosHOffset", "pctPosVOffset"})
                if (pugi::xml_node p = xml::child(n, pct)) pos.percentOffset = static_cast<int>(xml::parseInteger(p.text().get()).value_or(0));
        };
        axis("positionH", d.horizontal);
        axis("positionV", d.vertical);
        anchorLayout(frame, d);
    }
    graphic(xml::child(frame, "graphic"), d, depth + 1);
    return d;
}

void BodyParser::graphic(const pugi::xml_node& node, Drawing& d, int depth) {
    if (depth > maxDepth) return;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        std::string_view n = xml::localName(c);
        if (n == "wsp") {
            d.shapes.push_back(wordShape(c, depth + 1));
        } else if (n == "wgp" || n == "grpSp") {
            d.shapes.push_back(wordGroup(c, depth + 1));
        } else if (n == "pic") {
            ImageRef img;
            pugi::xml_node blip = xml::child(xml::child(c, "blipFill"), "blip");
            if (auto id = xml::text(blip, "embed")) img.partName = imagePart(*id);
            pugi::xml_node ext = xml::child(xml::child(xml::child(c, "spPr"), "xfrm"), "ext");
            img.cx = xml::integer(ext, "cx").value_or(0);
            img.cy = xml::integer(ext, "cy").value_or(0);
            d.images.push_back(img);
        } else if (n == "txbx") {
            std::vector<Block> content;
            blocks(xml::child(c, "txbxContent"), content, depth + 1);
            d.textBoxes.push_back(std::move(content));
        } else if (n == "chart" && xml::prefix(c) != "a") {
            auto rel = rels_.find(xml::text(c, "id").value_or(""));
            if (rel != rels_.end() && !rel->second.external) {
                d.chartParts.push_back(rel->second.target);
                chartParts_.push_back(rel->second.target);
            } else {
                d.placeholders.push_back("[chart]");
            }
        } else if (n == "relIds") {
            auto rel = rels_.find(xml::text(c, "dm").value_or(""));
            if (rel != rels_.end() && !rel->second.external) {
                d.diagramParts.push_back(rel->second.target);
                diagramParts_.push_back(rel->second.target);
            } else {
                d.placeholders.push_back("[diagram]");
            }
        } else if (n == "AlternateContent") {
            graphic(selectAlternative(c), d, depth + 1);
        } else if (n == "oleObj" || n == "OLEObject") {
            // The preview, when there is one, is a pic element beside it.
            graphic(c, d, depth + 1);
        } else {
            graphic(c, d, depth + 1);
        }
    }
}

Drawing BodyParser::vml(const pugi::xml_node& node, int depth) {
    Drawing d;
    vmlShapes(node, d, depth + 1);
    if (xml::is(node, "object") && d.images.empty() && d.textBoxes.empty() && d.shapes.empty())
        d.placeholders.push_back("[object]");
    if (d.images.size() == 1 && d.textBoxes.empty() && d.shapes.empty()) {
        d.cx = d.images.front().cx;
        d.cy = d.images.front().cy;
        // A picture positioned on its own floats where its style puts it.
        for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
            if (xml::child(c, "imagedata")) {
                vmlPlacement(c, d);
                break;
            }
    }
    return d;
}

void BodyParser::vmlShapes(const pugi::xml_node& node, Drawing& d, int depth) {
    if (depth > maxDepth) return;
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        std::string_view n = xml::localName(c);
        if (isVmlShape(c)) {
            if (d.shapes.empty()) vmlPlacement(c, d);
            d.shapes.push_back(vmlShape(c, depth + 1));
        } else if (n == "imagedata") {
            ImageRef img;
            auto id = xml::text(c, "id");
            if (!id) id = xml::text(c, "relid");
            if (id) img.partName = imagePart(*id);
            // The size is in the style of the enclosing shape.
            std::string style = c.parent().attribute("style").value();
            std::istringstream in(style);
            std::string decl;
            while (std::getline(in, decl, ';')) {
                auto colon = decl.find(':');
                if (colon == std::string::npos) continue;
                std::string key = decl.substr(0, colon), value = decl.substr(colon + 1);
                while (!key.empty() && key.front() == ' ') key.erase(0, 1);
                if (key == "width") img.cx = vmlLengthEmu(value);
                else if (key == "height") img.cy = vmlLengthEmu(value);
            }
            if (d.description.empty()) d.description = xml::text(c, "title").value_or("");
            d.images.push_back(img);
        } else if (n == "textbox") {
            std::vector<Block> content;
            blocks(xml::child(c, "txbxContent"), content, depth + 1);
            d.textBoxes.push_back(std::move(content));
        } else if (n == "textpath") {
            // WordArt: the shape draws the string of its text path.
            const std::string text = xml::text(c, "string").value_or("");
            const std::string on = c.attribute("on").value();
            if (!text.empty() && on != "f" && on != "false") {
                Paragraph para;
                Run run;
                run.items.push_back(Text{text});
                para.runs.push_back(std::move(run));
                d.textBoxes.push_back({Block{std::move(para)}});
            }
        } else if (n == "drawing") {
            Drawing inner = drawing(c, depth + 1);
            for (auto& i : inner.images) d.images.push_back(i);
            for (auto& t : inner.textBoxes) d.textBoxes.push_back(std::move(t));
            for (auto& p : inner.placeholders) d.placeholders.push_back(p);
            for (auto& p : inner.diagramParts) d.diagramParts.push_back(p);
        } else if (n == "AlternateContent") {
            vmlShapes(selectAlternative(c), d, depth + 1);
        } else {
            vmlShapes(c, d, depth + 1);
        }
    }
}

Table BodyParser::table(const pugi::xml_node& tbl, int depth) {
    Table t;
    t.props = parseTableProps(xml::child(tbl, "tblPr"));
    for (pugi::xml_node c = xml::child(tbl, "tblGrid").first_child(); c; c = c.next_sibling())
        if (xml::is(c, "gridCol")) t.gridTwips.push_back(std::max(0, xml::int32(c, "w").value_or(0)));
    rows(tbl, t, depth + 1);
    return t;
}

void BodyParser::rows(const pugi::xml_node& container, Table& t, int depth) {
    if (depth > maxDepth) return;
    for (pugi::xml_node c = container.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        std::string_view n = xml::localName(c);
        if (n == "tr") {
            // A row removed with tracked changes is gone from the final text.
            if (xml::child(xml::child(c, "trPr"), "del")) continue;
            TableRow row;
            row.props = parseRowProps(xml::child(c, "trPr"), xml::child(c, "tblPrEx"));
            // Word marks the rows it saves with revision ids.
            if (xml::attr(c, "rsidR") || xml::attr(c, "rsidTr")) t.savedByWord = true;
            cells(c, row, depth + 1);
            t.rows.push_back(std::move(row));
        } else if (n == "sdt") {
            rows(xml::child(c, "sdtContent"), t, depth + 1);
        } else if (n == "customXml" || n == "ins" || n == "moveTo") {
            rows(c, t, depth + 1);
        } else if (n == "AlternateContent") {
            rows(selectAlternative(c), t, depth + 1);
        }
    }
}

void BodyParser::cells(const pugi::xml_node& container, TableRow& row, int depth) {
    if (depth > maxDepth) return;
    for (pugi::xml_node c = container.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        std::string_view n = xml::localName(c);
        if (n == "tc") {
            TableCell cell;
            cell.props = parseCellProps(xml::child(c, "tcPr"));
            blocks(c, cell.blocks, depth + 1);
            row.cells.push_back(std::move(cell));
        } else if (n == "sdt") {
            cells(xml::child(c, "sdtContent"), row, depth + 1);
        } else if (n == "customXml" || n == "ins" || n == "moveTo") {
            cells(c, row, depth + 1);
        } else if (n == "AlternateContent") {
            cells(selectAlternative(c), row, depth + 1);
        }
    }
}

} // namespace fq::docx
