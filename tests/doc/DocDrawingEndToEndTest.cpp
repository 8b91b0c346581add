// Drawings through the whole engine and back through pub2raw, from both
// formats: one .docx fixture, and the .doc LibreOffice makes of it. Drawn
// shapes keep their geometry, fill and line, a text box's text is there
// once, and paragraph shading and page borders are drawn.
#include "DocFixtures.h"

#include "publishing/engine/Engine.h"
#include "tests/support/Pub2Raw.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

using namespace fq;

namespace {

const char* kBody =
    "<w:p><w:r><w:t>Shapes follow.</w:t></w:r>"
    "<w:r><w:pict><v:rect style=\"position:absolute;margin-left:0;margin-top:36pt;width:144pt;height:72pt;z-index:1;"
    "mso-position-horizontal-relative:margin;mso-position-vertical-relative:margin\" fillcolor=\"#ff0000\" "
    "strokecolor=\"#0000ff\" strokeweight=\"3pt\"><v:textbox><w:txbxContent><w:p><w:r><w:t>In the box</w:t></w:r>"
    "</w:p></w:txbxContent></v:textbox><w10:wrap type=\"square\"/></v:rect></w:pict></w:r>"
    "<w:r><w:pict><v:oval style=\"position:absolute;margin-left:216pt;margin-top:36pt;width:108pt;height:72pt;"
    "z-index:2;mso-position-horizontal-relative:margin;mso-position-vertical-relative:margin\" fillcolor=\"#00ff00\" "
    "stroked=\"f\"><w10:wrap type=\"square\"/></v:oval></w:pict></w:r></w:p>"
    "<w:p><w:pPr><w:pBdr><w:top w:val=\"single\" w:sz=\"12\" w:space=\"1\" w:color=\"000000\"/>"
    "<w:bottom w:val=\"single\" w:sz=\"12\" w:space=\"1\" w:color=\"000000\"/></w:pBdr>"
    "<w:shd w:val=\"clear\" w:color=\"auto\" w:fill=\"FFFF00\"/><w:spacing w:before=\"2880\"/></w:pPr>"
    "<w:r><w:t>Boxed paragraph</w:t></w:r></w:p>"
    "<w:sectPr><w:pgSz w:w=\"12240\" w:h=\"15840\"/><w:pgMar w:top=\"1440\" w:right=\"1440\" w:bottom=\"1440\" "
    "w:left=\"1440\" w:header=\"720\" w:footer=\"720\"/><w:pgBorders w:offsetFrom=\"page\"><w:top w:val=\"single\" "
    "w:sz=\"8\" w:space=\"24\" w:color=\"800080\"/><w:left w:val=\"single\" w:sz=\"8\" w:space=\"24\" w:color=\"800080\"/>"
    "<w:bottom w:val=\"single\" w:sz=\"8\" w:space=\"24\" w:color=\"800080\"/><w:right w:val=\"single\" w:sz=\"8\" "
    "w:space=\"24\" w:color=\"800080\"/></w:pgBorders></w:sectPr>";

struct Drawn {
    std::string style, call;
};

std::vector<Drawn> drawn(const std::string& output) {
    std::vector<Drawn> out;
    std::istringstream in(output);
    std::string line, style;
    while (std::getline(in, line)) {
        line.erase(0, line.find_first_not_of(' '));
        if (line.rfind("setStyle", 0) == 0) style = line;
        else if (line.rfind("draw", 0) == 0) out.push_back({style, line});
    }
    return out;
}

bool has(const std::string& s, const std::string& what) { return s.find(what) != std::string::npos; }

} // namespace

TEST(DocDrawingEndToEnd, ShapesTextBoxesShadingAndPageBordersFromBothFormats) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path work(dir.path().toStdString());
    doc::test::DocxSource src;
    src.name = "drawings";
    src.body = kBody;
    const auto docx = work / "drawings.docx";
    doc::test::writeDocx(src, docx);
    std::string log;
    const auto docs = doc::test::convertWithLibreOffice({src}, work / "doc", &log);
    ASSERT_TRUE(docs.count("drawings")) << log;
    for (const auto& source : {docx, docs.at("drawings")}) {
        SCOPED_TRACE(source.filename().string());
        const auto pub = work / (source.filename().string() + ".pub");
        engine::savePublication(engine::readDocument(source), pub, source);
        const test::RawDocument raw = test::runPub2Raw(pub);
        ASSERT_TRUE(raw.started);
        ASSERT_EQ(raw.pages.size(), 1u);
        const auto all = drawn(raw.output);
        bool rect = false, oval = false, shading = false, border = false;
        for (const auto& d : all) {
            rect |= has(d.style, "draw:fill-color: #ff0000") && has(d.call, "drawPolygon");
            rect |= has(d.style, "svg:stroke-color: #0000ff") && has(d.style, "svg:stroke-width: 0.041");
            oval |= has(d.style, "#00ff00") && has(d.call, "path-action: A");
            shading |= has(d.style, "draw:fill: solid") && has(d.style, "#ffff00");
            border |= has(d.style, "svg:stroke-color: #800080") && has(d.call, "svg:x: 0.3333in");
        }
        EXPECT_TRUE(rect);
        EXPECT_TRUE(oval);
        EXPECT_TRUE(shading);
        EXPECT_TRUE(border);
        std::size_t boxed = 0;
        for (std::size_t at = 0; (at = raw.output.find("In the box", at)) != std::string::npos; ++at) ++boxed;
        EXPECT_EQ(boxed, 1u);
        EXPECT_TRUE(has(raw.allText(), "Boxed paragraph"));
    }
}
