// Table, row and cell property elements and table styles.
#include "publishing/docx/TableParser.h"

#include "publishing/docx/PropertyParser.h"
#include "publishing/docx/XmlUtil.h"

#include <algorithm>
#include <cstdlib>

namespace fq::docx {

namespace {

template <typename Optional>
void take(Optional& base, const Optional& over) {
    if (over) base = over;
}

// The first child named `a`, else `b` (left/start, right/end).
pugi::xml_node either(const pugi::xml_node& n, const char* a, const char* b) {
    pugi::xml_node c = xml::child(n, a);
    return c ? c : xml::child(n, b);
}

std::optional<BorderSpec> border(const pugi::xml_node& n) {
    if (!n) return std::nullopt;
    BorderSpec b;
    b.val = xml::text(n, "val").value_or("single");
    if (auto sz = xml::int32(n, "sz")) b.sizeEighths = std::clamp(*sz, 0, 1000);
    if (auto sp = xml::int32(n, "space")) b.spacePt = std::clamp(*sp, 0, 1000);
    b.color = xml::text(n, "color");
    return b;
}

BorderSet borders(const pugi::xml_node& n) {
    BorderSet s;
    if (!n) return s;
    s.top = border(xml::child(n, "top"));
    s.left = border(either(n, "left", "start"));
    s.bottom = border(xml::child(n, "bottom"));
    s.right = border(either(n, "right", "end"));
    s.insideH = border(xml::child(n, "insideH"));
    s.insideV = border(xml::child(n, "insideV"));
    return s;
}

std::optional<ShadingSpec> shading(const pugi::xml_node& n) {
    if (!n) return std::nullopt;
    ShadingSpec s;
    s.val = xml::text(n, "val");
    s.color = xml::text(n, "color");
    s.fill = xml::text(n, "fill");
    return s;
}

// A width: w:w in twips or fiftieths of a percent ("50%" is also written), and w:type.
std::optional<TableWidth> width(const pugi::xml_node& n) {
    if (!n) return std::nullopt;
    TableWidth w;
    w.type = xml::text(n, "type").value_or("dxa");
    const std::string v = xml::text(n, "w").value_or("0");
    if (!v.empty() && v.back() == '%') {
        w.type = "pct";
        w.value = static_cast<int>(std::strtod(v.c_str(), nullptr) * 50.0);
    } else {
        w.value = static_cast<int>(std::clamp<long long>(xml::parseInteger(v).value_or(0), -1000000, 1000000));
    }
    return w;
}

CellMarginSet margins(const pugi::xml_node& n) {
    CellMarginSet m;
    if (!n) return m;
    m.top = width(xml::child(n, "top"));
    m.left = width(either(n, "left", "start"));
    m.bottom = width(xml::child(n, "bottom"));
    m.right = width(either(n, "right", "end"));
    return m;
}

std::optional<int> look(const pugi::xml_node& n) {
    if (!n) return std::nullopt;
    int flags = 0;
    if (auto v = xml::text(n, "val")) flags = static_cast<int>(std::strtol(v->c_str(), nullptr, 16));
    // The attribute form (written since Word 2010) says the same per flag.
    auto flag = [&](const char* name, int bit) {
        pugi::xml_attribute a = xml::attr(n, name);
        if (!a) return;
        const std::string_view s = a.value();
        if (s == "1" || s == "true" || s == "on") flags |= bit;
        else flags &= ~bit;
    };
    flag("firstRow", kLookFirstRow);
    flag("lastRow", kLookLastRow);
    flag("firstColumn", kLookFirstColumn);
    flag("lastColumn", kLookLastColumn);
    flag("noHBand", kLookNoHBand);
    flag("noVBand", kLookNoVBand);
    return flags;
}

std::optional<int> value(const pugi::xml_node& n, int lo, int hi) {
    if (!n) return std::nullopt;
    return std::clamp(xml::int32(n, "val").value_or(0), lo, hi);
}

void overlay(model::Boxed<BorderSpec>& base, const model::Boxed<BorderSpec>& over) { take(base, over); }

void overlay(CellMarginSet& base, const CellMarginSet& over) {
    take(base.top, over.top);
    take(base.left, over.left);
    take(base.bottom, over.bottom);
    take(base.right, over.right);
}

} // namespace

TableProps parseTableProps(const pugi::xml_node& n) {
    TableProps p;
    if (!n) return p;
    p.styleId = xml::text(xml::child(n, "tblStyle"), "val");
    p.justification = xml::text(xml::child(n, "jc"), "val");
    p.width = width(xml::child(n, "tblW"));
    p.indent = width(xml::child(n, "tblInd"));
    p.cellSpacing = width(xml::child(n, "tblCellSpacing"));
    p.borders = borders(xml::child(n, "tblBorders"));
    p.shading = shading(xml::child(n, "shd"));
    p.cellMargins = margins(xml::child(n, "tblCellMar"));
    p.look = look(xml::child(n, "tblLook"));
    p.rowBandSize = value(xml::child(n, "tblStyleRowBandSize"), 1, 1000);
    p.colBandSize = value(xml::child(n, "tblStyleColBandSize"), 1, 1000);
    p.floating = bool(xml::child(n, "tblpPr"));
    p.layout = xml::text(xml::child(n, "tblLayout"), "type");
    return p;
}

RowProps parseRowProps(const pugi::xml_node& trPr, const pugi::xml_node& tblPrEx) {
    RowProps p;
    if (trPr) {
        p.gridBefore = value(xml::child(trPr, "gridBefore"), 0, 1000);
        p.gridAfter = value(xml::child(trPr, "gridAfter"), 0, 1000);
        p.widthBefore = width(xml::child(trPr, "wBefore"));
        p.widthAfter = width(xml::child(trPr, "wAfter"));
        if (pugi::xml_node h = xml::child(trPr, "trHeight")) {
            p.height = std::clamp(xml::int32(h, "val").value_or(0), 0, 1000000);
            p.heightRule = xml::text(h, "hRule");
        }
        p.header = xml::onOff(trPr, "tblHeader");
        p.cantSplit = xml::onOff(trPr, "cantSplit");
        p.cellSpacing = width(xml::child(trPr, "tblCellSpacing"));
    }
    if (pugi::xml_node b = xml::child(tblPrEx, "tblBorders")) p.exceptionBorders = borders(b);
    return p;
}

CellProps parseCellProps(const pugi::xml_node& n) {
    CellProps p;
    if (!n) return p;
    p.width = width(xml::child(n, "tcW"));
    p.gridSpan = value(xml::child(n, "gridSpan"), 1, 1000);
    if (pugi::xml_node vm = xml::child(n, "vMerge")) p.vMerge = xml::text(vm, "val").value_or("continue");
    if (pugi::xml_node hm = xml::child(n, "hMerge")) p.hMerge = xml::text(hm, "val").value_or("continue");
    p.borders = borders(xml::child(n, "tcBorders"));
    p.shading = shading(xml::child(n, "shd"));
    p.margins = margins(xml::child(n, "tcMar"));
    p.vAlign = xml::text(xml::child(n, "vAlign"), "val");
    return p;
}

void parseTableStyle(const pugi::xml_node& node, Style& style) {
    const Relationships noRels;
    style.tableProps = parseTableProps(xml::child(node, "tblPr"));
    style.tableProps.styleId.reset();
    style.rowProps = parseRowProps(xml::child(node, "trPr"), pugi::xml_node());
    style.cellProps = parseCellProps(xml::child(node, "tcPr"));
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (!xml::is(c, "tblStylePr")) continue;
        const std::string type = xml::text(c, "type").value_or("");
        if (type.empty()) continue;
        TableStyleRegion r;
        r.paraProps = parseParaProps(xml::child(c, "pPr"), noRels);
        r.paraProps.styleId.reset();
        r.runProps = parseRunProps(xml::child(c, "rPr"));
        r.runProps.styleId.reset();
        r.table = parseTableProps(xml::child(c, "tblPr"));
        r.table.styleId.reset();
        r.row = parseRowProps(xml::child(c, "trPr"), pugi::xml_node());
        r.cell = parseCellProps(xml::child(c, "tcPr"));
        style.regions.emplace(type, std::move(r));
    }
}

void overlay(BorderSet& base, const BorderSet& over) {
    overlay(base.top, over.top);
    overlay(base.left, over.left);
    overlay(base.bottom, over.bottom);
    overlay(base.right, over.right);
    overlay(base.insideH, over.insideH);
    overlay(base.insideV, over.insideV);
}

void overlay(TableProps& base, const TableProps& over) {
    take(base.styleId, over.styleId);
    take(base.justification, over.justification);
    take(base.width, over.width);
    take(base.indent, over.indent);
    take(base.cellSpacing, over.cellSpacing);
    overlay(base.borders, over.borders);
    take(base.shading, over.shading);
    overlay(base.cellMargins, over.cellMargins);
    take(base.look, over.look);
    take(base.rowBandSize, over.rowBandSize);
    take(base.colBandSize, over.colBandSize);
    base.floating = base.floating || over.floating;
    take(base.layout, over.layout);
}

void overlay(RowProps& base, const RowProps& over) {
    take(base.gridBefore, over.gridBefore);
    take(base.gridAfter, over.gridAfter);
    take(base.widthBefore, over.widthBefore);
    take(base.widthAfter, over.widthAfter);
    take(base.height, over.height);
    take(base.heightRule, over.heightRule);
    take(base.header, over.header);
    take(base.cantSplit, over.cantSplit);
    take(base.cellSpacing, over.cellSpacing);
    take(base.exceptionBorders, over.exceptionBorders);
}

void overlay(CellProps& base, const CellProps& over) {
    take(base.width, over.width);
    take(base.gridSpan, over.gridSpan);
    take(base.vMerge, over.vMerge);
    take(base.hMerge, over.hMerge);
    overlay(base.borders, over.borders);
    take(base.shading, over.shading);
    overlay(base.margins, over.margins);
    take(base.vAlign, over.vAlign);
}

} // namespace fq::docx
