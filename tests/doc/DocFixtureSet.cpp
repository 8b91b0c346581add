// The fixture documents: what each one holds, and their one-time conversion.
#include "DocFixtureSet.h"

#include "DocFixtures.h"
#include "publishing/doc/DocReader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <random>

namespace fs = std::filesystem;

namespace fq::doc::test {

namespace {

std::string run(const std::string& text, const std::string& rPr = {}) {
    return "<w:r>" + (rPr.empty() ? std::string() : "<w:rPr>" + rPr + "</w:rPr>") +
           "<w:t xml:space=\"preserve\">" + text + "</w:t></w:r>";
}
std::string para(const std::string& content, const std::string& pPr = {}) {
    return "<w:p>" + (pPr.empty() ? std::string() : "<w:pPr>" + pPr + "</w:pPr>") + content + "</w:p>";
}
std::string cell(const std::string& text) {
    return "<w:tc><w:tcPr><w:tcW w:w=\"2000\" w:type=\"dxa\"/></w:tcPr>" + para(run(text)) + "</w:tc>";
}
std::string inlineImage(const std::string& rid, int id, long cx, long cy) {
    const std::string ext = "<wp:extent cx=\"" + std::to_string(cx) + "\" cy=\"" + std::to_string(cy) + "\"/>";
    return "<w:r><w:drawing><wp:inline>" + ext + "<wp:docPr id=\"" + std::to_string(id) + "\" name=\"Picture " +
           std::to_string(id) + "\"/><a:graphic><a:graphicData uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\">"
           "<pic:pic><pic:nvPicPr><pic:cNvPr id=\"" + std::to_string(id) + "\" name=\"p" + std::to_string(id) +
           "\"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed=\"" + rid +
           "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"" +
           std::to_string(cx) + "\" cy=\"" + std::to_string(cy) +
           "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData></a:graphic>"
           "</wp:inline></w:drawing></w:r>";
}

const std::string kA4 =
    "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
    "<w:pgMar w:top=\"1134\" w:right=\"850\" w:bottom=\"1417\" w:left=\"1701\" w:header=\"567\" w:footer=\"708\" w:gutter=\"0\"/></w:sectPr>";

std::vector<DocxSource> sources(const std::vector<unsigned char>& png, const std::vector<unsigned char>& jpeg) {
    std::vector<DocxSource> s;

    DocxSource props;
    props.name = "props";
    props.title = "Fixture Title";
    props.author = "Jane Writer";
    props.body =
        para(run("Centered paragraph"), "<w:jc w:val=\"center\"/>") +
        para(run("Right paragraph"), "<w:jc w:val=\"right\"/>") +
        para(run("Justified paragraph that is long enough"), "<w:jc w:val=\"both\"/>") +
        para(run("Indented paragraph"), "<w:ind w:left=\"720\" w:right=\"360\" w:firstLine=\"360\"/>") +
        para(run("Hanging paragraph"), "<w:ind w:left=\"1440\" w:hanging=\"720\"/>") +
        para(run("Spaced paragraph"), "<w:spacing w:before=\"240\" w:after=\"120\" w:line=\"360\" w:lineRule=\"exact\"/>") +
        para(run("Double spaced paragraph"), "<w:spacing w:line=\"480\" w:lineRule=\"auto\"/>") +
        para(run("AtLeast spaced paragraph"), "<w:spacing w:line=\"300\" w:lineRule=\"atLeast\"/>") +
        para(run("Kept with next"), "<w:keepNext/>") +
        para(run("Plain ") + run("BoldWord", "<w:b/>") + run(" ") + run("ItalicWord", "<w:i/>") + run(" ") +
             run("UnderWord", "<w:u w:val=\"single\"/>") + run(" ") + run("DoubleUnder", "<w:u w:val=\"double\"/>") +
             run(" ") + run("StruckWord", "<w:strike/>") + run(" ") + run("DoubleStruck", "<w:dstrike/>") + run(" ") +
             run("RedWord", "<w:color w:val=\"FF0000\"/>") + run(" ") + run("TealWord", "<w:color w:val=\"1F7A6B\"/>") +
             run(" x") + run("SuperWord", "<w:vertAlign w:val=\"superscript\"/>") + run(" x") +
             run("SubWord", "<w:vertAlign w:val=\"subscript\"/>") + run(" ") +
             run("SerifWord", "<w:rFonts w:ascii=\"Liberation Serif\" w:hAnsi=\"Liberation Serif\"/><w:sz w:val=\"28\"/>") +
             run(" ") + run("SmallCapsWord", "<w:smallCaps/>") + run(" ") + run("AllCapsWord", "<w:caps/>") + run(" ") +
             run("HiddenWord", "<w:vanish/>") + run(" End")) +
        para(run("Before tab") + "<w:r><w:tab/></w:r>" + run("after tab") + "<w:r><w:br/></w:r>" + run("next line") +
             run(" non\xC2\xA0" "breaking space") + run(" opt") + "<w:r><w:softHyphen/></w:r>" + run("ional") +
             run(" non") + "<w:r><w:noBreakHyphen/></w:r>" + run("breaking")) +
        para(run("Page ") + "<w:fldSimple w:instr=\" PAGE \"><w:r><w:t>1</w:t></w:r></w:fldSimple>" + run(" end of field line")) +
        para(run("Before the break") + "<w:r><w:br w:type=\"page\"/></w:r>" + run("After the break")) +
        "<w:tbl><w:tblPr><w:tblW w:w=\"4000\" w:type=\"dxa\"/></w:tblPr><w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"2000\"/></w:tblGrid>"
        "<w:tr>" + cell("A1") + cell("B1") + "</w:tr><w:tr>" + cell("A2") + cell("B2") + "</w:tr></w:tbl>" +
        para(run("After the table")) + kA4;
    s.push_back(props);

    DocxSource styles;
    styles.name = "styles";
    styles.styles =
        "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/>"
        "<w:rPr><w:rFonts w:ascii=\"Liberation Sans\" w:hAnsi=\"Liberation Sans\"/><w:sz w:val=\"22\"/></w:rPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"BaseStyle\"><w:name w:val=\"Base Style\"/><w:basedOn w:val=\"Normal\"/>"
        "<w:pPr><w:jc w:val=\"center\"/><w:spacing w:after=\"200\"/></w:pPr><w:rPr><w:b/><w:sz w:val=\"32\"/></w:rPr></w:style>"
        "<w:style w:type=\"paragraph\" w:styleId=\"DerivedStyle\"><w:name w:val=\"Derived Style\"/><w:basedOn w:val=\"BaseStyle\"/>"
        "<w:pPr><w:ind w:left=\"400\"/></w:pPr><w:rPr><w:i/></w:rPr></w:style>"
        "<w:style w:type=\"character\" w:styleId=\"Loud\"><w:name w:val=\"Loud\"/><w:rPr><w:u w:val=\"single\"/>"
        "<w:color w:val=\"0000FF\"/></w:rPr></w:style>";
    styles.body = para(run("Derived text") + run(" not bold here", "<w:b w:val=\"0\"/>"),
                       "<w:pStyle w:val=\"DerivedStyle\"/>") +
                  para(run("Normal text ") + run("loud text", "<w:rStyle w:val=\"Loud\"/>")) + kA4;
    s.push_back(styles);

    DocxSource pics;
    pics.name = "pictures";
    pics.media["imgpng.png"] = png;
    pics.media["imgjpg.jpeg"] = jpeg;
    pics.body = para(run("Picture paragraph")) + para(inlineImage("imgpng", 1, 914400, 457200)) +
                para(run("Between pictures")) + para(inlineImage("imgjpg", 2, 1828800, 914400)) +
                para(run("After pictures")) +
                para(inlineImage("imgpng", 3, 457200, 457200) + run(" ") + inlineImage("imgjpg", 4, 457200, 457200),
                     "<w:jc w:val=\"center\"/>") +
                para(run("Closing text")) + kA4;
    s.push_back(pics);

    DocxSource notes;
    notes.name = "notes";
    notes.header = para(run("Header words"));
    notes.footer = para(run("Footer words"));
    notes.footnotes = "<w:footnote w:id=\"1\"><w:p><w:r><w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr><w:footnoteRef/></w:r>" +
                      run(" The footnote text") + "</w:p></w:footnote>";
    notes.body = para(run("Body with a note") +
                      "<w:r><w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr><w:footnoteReference w:id=\"1\"/></w:r>" +
                      run(" and more")) +
                 para(run("First section text")) +
                 para("", "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" "
                          "w:bottom=\"1440\" w:left=\"1440\" w:header=\"720\" w:footer=\"720\" w:gutter=\"0\"/></w:sectPr>") +
                 para(run("Second section text")) +
                 "<w:sectPr><w:pgSz w:w=\"15840\" w:h=\"12240\" w:orient=\"landscape\"/><w:pgMar w:top=\"1000\" w:right=\"1000\" "
                 "w:bottom=\"1000\" w:left=\"1000\" w:header=\"500\" w:footer=\"500\" w:gutter=\"0\"/></w:sectPr>";
    s.push_back(notes);

    // Tables: widths, merges both ways, a header row, row heights, borders,
    // shading, a nested table, and a table in the header.
    auto tc = [](const std::string& content, const std::string& tcPr) {
        return "<w:tc><w:tcPr>" + tcPr + "</w:tcPr>" + content + "</w:tc>";
    };
    auto w = [](int twips) { return "<w:tcW w:w=\"" + std::to_string(twips) + "\" w:type=\"dxa\"/>"; };
    DocxSource tables;
    tables.name = "tables";
    tables.header = "<w:tbl><w:tblPr><w:tblW w:w=\"4000\" w:type=\"dxa\"/></w:tblPr><w:tblGrid><w:gridCol w:w=\"2000\"/>"
                    "<w:gridCol w:w=\"2000\"/></w:tblGrid><w:tr>" + tc(para(run("Head left")), w(2000)) +
                    tc(para(run("Head right")), w(2000)) + "</w:tr></w:tbl>" + para("");
    const std::string nested =
        "<w:tbl><w:tblPr><w:tblW w:w=\"1600\" w:type=\"dxa\"/></w:tblPr><w:tblGrid><w:gridCol w:w=\"800\"/>"
        "<w:gridCol w:w=\"800\"/></w:tblGrid><w:tr>" + tc(para(run("Inner one")), w(800)) +
        tc(para(run("Inner two")), w(800)) + "</w:tr></w:tbl>";
    tables.body =
        para(run("Before the tables")) +
        "<w:tbl><w:tblPr><w:tblW w:w=\"6000\" w:type=\"dxa\"/><w:tblInd w:w=\"720\" w:type=\"dxa\"/>"
        "<w:tblBorders><w:top w:val=\"single\" w:sz=\"12\" w:color=\"FF0000\"/><w:left w:val=\"single\" w:sz=\"4\"/>"
        "<w:bottom w:val=\"double\" w:sz=\"4\"/><w:right w:val=\"single\" w:sz=\"4\"/>"
        "<w:insideH w:val=\"dotted\" w:sz=\"8\"/><w:insideV w:val=\"single\" w:sz=\"4\"/></w:tblBorders>"
        "<w:tblLayout w:type=\"fixed\"/></w:tblPr>"
        "<w:tblGrid><w:gridCol w:w=\"1500\"/><w:gridCol w:w=\"2500\"/><w:gridCol w:w=\"2000\"/></w:tblGrid>"
        "<w:tr><w:trPr><w:tblHeader/><w:trHeight w:val=\"600\" w:hRule=\"exact\"/></w:trPr>" +
        tc(para(run("Head A")), w(1500)) +
        tc(para(run("Head BC")), w(4500) + "<w:gridSpan w:val=\"2\"/><w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"FFFF00\"/>") +
        "</w:tr><w:tr><w:trPr><w:trHeight w:val=\"500\"/></w:trPr>" +
        tc(para(run("Tall cell")), w(1500) + "<w:vMerge w:val=\"restart\"/><w:shd w:val=\"clear\" w:color=\"auto\" "
                                             "w:fill=\"00B0F0\"/><w:vAlign w:val=\"center\"/>") +
        tc(para(run("B one")), w(2500)) + tc(para(run("C one")), w(2000)) +
        "</w:tr><w:tr>" + tc(para(""), w(1500) + "<w:vMerge/>") + tc(para(run("B two")), w(2500)) +
        tc(nested + para(run("After inner")), w(2000)) + "</w:tr></w:tbl>" +
        para(run("After the tables")) + kA4;
    s.push_back(tables);
    return s;
}

std::string hashOf(const std::vector<DocxSource>& s) {
    std::string all;
    for (const auto& d : s) {
        all += d.name + d.body + d.styles + d.header + d.footer + d.footnotes + d.title + d.author;
        for (const auto& [k, v] : d.media) all += k + std::to_string(v.size());
    }
    return std::to_string(std::hash<std::string>{}(all));
}

FixtureSet build() {
    FixtureSet f;
    f.png = makeImage("PNG", 8, 4);
    f.jpeg = makeImage("JPG", 16, 8);
    const auto src = sources(f.png, f.jpeg);
    const fs::path final = fs::temp_directory_path() / ("fq-doc-fixtures-" + hashOf(src));
    auto collect = [&](const fs::path& dir) {
        for (const auto& d : src)
            if (fs::exists(dir / "doc" / (d.name + ".doc"))) f.docs[d.name] = dir / "doc" / (d.name + ".doc");
    };
    if (fs::exists(final / "complete")) {
        collect(final);
        if (f.docs.size() == src.size()) return f;
        f.docs.clear();
    }
    std::mt19937_64 rng(std::chrono::steady_clock::now().time_since_epoch().count());
    const fs::path staging = fs::temp_directory_path() / ("fq-doc-staging-" + std::to_string(rng()));
    fs::create_directories(staging);
    const auto made = convertWithLibreOffice(src, staging, &f.log);
    fs::remove_all(staging / "profile");
    if (made.size() == src.size()) {
        std::ofstream(staging / "complete") << "ok";
        std::error_code ec;
        fs::rename(staging, final, ec);
        if (!ec || fs::exists(final / "complete")) {
            // Another test process may have finished first: use its copy.
            if (ec) fs::remove_all(staging, ec);
            collect(final);
            return f;
        }
    }
    collect(staging);
    return f;
}

void collectParagraphs(const std::vector<model::Block>& blocks, std::vector<const model::Paragraph*>& out) {
    for (const auto& b : blocks) {
        if (const auto* p = std::get_if<model::Paragraph>(&b)) {
            out.push_back(p);
        } else if (const auto* t = std::get_if<model::Table>(&b)) {
            for (const auto& row : t->rows)
                for (const auto& cell : row.cells) collectParagraphs(cell.blocks, out);
        }
    }
}

} // namespace

const FixtureSet& fixtures() {
    static const FixtureSet set = build();
    return set;
}

model::Document readFixture(const std::string& name) {
    const auto& f = fixtures();
    const auto it = f.docs.find(name);
    if (it == f.docs.end()) {
        ADD_FAILURE() << "LibreOffice did not make " << name << ".doc: " << f.log;
        return {};
    }
    return readDoc(it->second);
}

std::vector<const model::Paragraph*> paragraphs(const model::Document& d) {
    std::vector<const model::Paragraph*> out;
    for (const auto& s : d.sections) collectParagraphs(s.blocks, out);
    return out;
}

const model::Paragraph* findParagraph(const model::Document& d, const std::string& needle) {
    for (const auto* p : paragraphs(d))
        if (p->plainText().find(needle) != std::string::npos) return p;
    return nullptr;
}

const model::Run* findRun(const model::Document& d, const std::string& needle) {
    for (const auto* p : paragraphs(d))
        for (const auto& r : p->runs)
            if (r.text.find(needle) != std::string::npos) return &r;
    return nullptr;
}

} // namespace fq::doc::test
