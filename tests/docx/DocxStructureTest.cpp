// Document structure: sections, breaks, lists, tables, fields, links,
// tracked changes, notes, headers and footers, text boxes and special
// characters all keep their text in the document model.
#include "DocxFixture.h"
#include "DocxTestUtil.h"

#include "publishing/docx/DocxReader.h"

#include <gtest/gtest.h>

using namespace fq;
using namespace fq::docx::test;

namespace {

model::Document read(DocxFixture& f) { return docx::readDocx(f.write()); }

std::string r(const std::string& inner) { return "<w:r>" + inner + "</w:r>"; }
std::string t(const std::string& text) { return "<w:t xml:space=\"preserve\">" + text + "</w:t>"; }

} // namespace

TEST(DocxSection, PageSizeMarginsAndSeveralSections) {
    DocxFixture f;
    f.body(p("first") +
           "<w:p><w:pPr><w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
           "<w:pgMar w:top=\"1417\" w:right=\"1134\" w:bottom=\"1134\" w:left=\"1701\" w:header=\"708\" w:footer=\"500\" "
           "w:gutter=\"0\"/></w:sectPr></w:pPr>" + r(t("end of first")) + "</w:p>" +
           p("second") +
           "<w:sectPr><w:pgSz w:w=\"15840\" w:h=\"12240\" w:orient=\"landscape\"/>"
           "<w:pgMar w:top=\"720\" w:right=\"720\" w:bottom=\"720\" w:left=\"720\" w:header=\"360\" w:footer=\"360\"/>"
           "</w:sectPr>");
    auto doc = read(f);
    ASSERT_EQ(doc.sections.size(), 2u);
    const auto& a = doc.sections[0].page;
    EXPECT_NEAR(a.widthPt, 595.3, 0.01);
    EXPECT_NEAR(a.heightPt, 841.9, 0.01);
    EXPECT_NEAR(a.marginTopPt, 70.85, 0.01);
    EXPECT_NEAR(a.marginLeftPt, 85.05, 0.01);
    EXPECT_NEAR(a.marginRightPt, 56.7, 0.01);
    EXPECT_NEAR(a.headerDistancePt, 35.4, 0.01);
    EXPECT_NEAR(a.footerDistancePt, 25.0, 0.01);
    ASSERT_EQ(doc.sections[0].blocks.size(), 2u) << "the paragraph with the sectPr belongs to the section it ends";
    EXPECT_EQ(std::get<model::Paragraph>(doc.sections[0].blocks[1]).plainText(), "end of first");
    const auto& b = doc.sections[1].page;
    EXPECT_DOUBLE_EQ(b.widthPt, 792.0);
    EXPECT_DOUBLE_EQ(b.heightPt, 612.0);
    EXPECT_DOUBLE_EQ(b.marginTopPt, 36.0);
    EXPECT_DOUBLE_EQ(b.headerDistancePt, 18.0);
    ASSERT_EQ(doc.sections[1].blocks.size(), 1u);
    EXPECT_EQ(std::get<model::Paragraph>(doc.sections[1].blocks[0]).plainText(), "second");
}

TEST(DocxSection, PageBreaksLineBreaksTabsAndPageBreakBefore) {
    DocxFixture f;
    f.body("<w:p>" + r(t("before") + "<w:br w:type=\"page\"/>" + t("after")) + "</w:p>" +
           "<w:p>" + r(t("a") + "<w:br/>" + t("b") + "<w:tab/>" + t("c") + "<w:cr/>" + t("d")) + "</w:p>" +
           p("new page", "<w:pageBreakBefore/>"));
    auto doc = read(f);
    ASSERT_EQ(doc.sections.size(), 1u);
    const auto& blocks = doc.sections[0].blocks;
    ASSERT_EQ(blocks.size(), 6u);
    EXPECT_EQ(std::get<model::Paragraph>(blocks[0]).plainText(), "before");
    EXPECT_TRUE(std::holds_alternative<model::PageBreak>(blocks[1]));
    EXPECT_EQ(std::get<model::Paragraph>(blocks[2]).plainText(), "after");
    EXPECT_EQ(std::get<model::Paragraph>(blocks[3]).plainText(), "a\nb\tc\nd");
    // pageBreakBefore puts the break in front of its paragraph.
    EXPECT_TRUE(std::holds_alternative<model::PageBreak>(blocks[4]));
    EXPECT_EQ(std::get<model::Paragraph>(blocks[5]).plainText(), "new page");
}

TEST(DocxList, LegalNumberingShowsEveryLevelInDecimal) {
    DocxFixture f;
    f.numbering("<w:abstractNum w:abstractNumId=\"0\">"
                "<w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:numFmt w:val=\"upperRoman\"/><w:lvlText w:val=\"%1.\"/></w:lvl>"
                "<w:lvl w:ilvl=\"1\"><w:start w:val=\"1\"/><w:isLgl/><w:numFmt w:val=\"decimal\"/>"
                "<w:lvlText w:val=\"%1.%2\"/><w:suff w:val=\"space\"/></w:lvl></w:abstractNum>"
                "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>");
    auto item = [](const char* text, int lvl) {
        return p(text, "<w:numPr><w:ilvl w:val=\"" + std::to_string(lvl) + "\"/><w:numId w:val=\"1\"/></w:numPr>");
    };
    f.body(item("a", 0) + item("b", 0) + item("c", 1));
    EXPECT_EQ(texts(read(f)), (std::vector<std::string>{"I.\ta", "II.\tb", "2.1 c"}));
}

TEST(DocxSection, HeadersAndFootersGoToTheirSectionsAndAreInherited) {
    DocxFixture f;
    f.header("header1.xml", p("Default header")).header("header2.xml", p("First page header"));
    f.footer("footer1.xml", p("Page footer"));
    f.body("<w:p><w:pPr><w:sectPr><w:headerReference w:type=\"first\" r:id=\"rIdheader2.xml\"/>"
           "<w:headerReference w:type=\"default\" r:id=\"rIdheader1.xml\"/>"
           "<w:footerReference w:type=\"default\" r:id=\"rIdfooter1.xml\"/></w:sectPr></w:pPr>" + r(t("one")) +
           "</w:p>" + p("two") + "<w:sectPr/>");
    auto doc = read(f);
    ASSERT_EQ(doc.sections.size(), 2u);
    ASSERT_EQ(doc.sections[0].header.size(), 1u);
    EXPECT_EQ(std::get<model::Paragraph>(doc.sections[0].header[0]).plainText(), "Default header");
    ASSERT_EQ(doc.sections[0].footer.size(), 1u);
    EXPECT_EQ(std::get<model::Paragraph>(doc.sections[0].footer[0]).plainText(), "Page footer");
    ASSERT_EQ(doc.sections[1].header.size(), 1u) << "a section without references keeps the previous ones";
    EXPECT_EQ(std::get<model::Paragraph>(doc.sections[1].header[0]).plainText(), "Default header");
}

TEST(DocxList, CountersLevelsRestartsAndBullets) {
    DocxFixture f;
    f.numbering(
        "<w:abstractNum w:abstractNumId=\"0\">"
        "<w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/><w:numFmt w:val=\"decimal\"/><w:lvlText w:val=\"%1.\"/>"
        "<w:pPr><w:ind w:left=\"720\" w:hanging=\"360\"/></w:pPr></w:lvl>"
        "<w:lvl w:ilvl=\"1\"><w:start w:val=\"1\"/><w:numFmt w:val=\"lowerLetter\"/><w:lvlText w:val=\"%2)\"/></w:lvl>"
        "<w:lvl w:ilvl=\"2\"><w:start w:val=\"1\"/><w:numFmt w:val=\"lowerRoman\"/><w:lvlText w:val=\"%1.%2.%3\"/>"
        "<w:suff w:val=\"space\"/></w:lvl></w:abstractNum>"
        "<w:abstractNum w:abstractNumId=\"1\"><w:lvl w:ilvl=\"0\"><w:numFmt w:val=\"bullet\"/>"
        "<w:lvlText w:val=\"\xEF\x82\xB7\"/><w:rPr><w:rFonts w:ascii=\"Symbol\" w:hAnsi=\"Symbol\"/></w:rPr></w:lvl>"
        "</w:abstractNum>"
        "<w:abstractNum w:abstractNumId=\"2\"><w:lvl w:ilvl=\"0\"><w:start w:val=\"3\"/><w:numFmt w:val=\"upperRoman\"/>"
        "<w:lvlText w:val=\"%1 -\"/><w:suff w:val=\"nothing\"/></w:lvl></w:abstractNum>"
        "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>"
        "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"1\"/></w:num>"
        "<w:num w:numId=\"3\"><w:abstractNumId w:val=\"0\"/><w:lvlOverride w:ilvl=\"0\"><w:startOverride w:val=\"5\"/>"
        "</w:lvlOverride></w:num>"
        "<w:num w:numId=\"4\"><w:abstractNumId w:val=\"2\"/></w:num>"
        "<w:num w:numId=\"5\"><w:abstractNumId w:val=\"0\"/></w:num>");
    auto item = [](const char* text, int num, int lvl) {
        return p(text, "<w:numPr><w:ilvl w:val=\"" + std::to_string(lvl) + "\"/><w:numId w:val=\"" +
                           std::to_string(num) + "\"/></w:numPr>");
    };
    f.body(item("one", 1, 0) + item("one-a", 1, 1) + item("one-b", 1, 1) + item("deep", 1, 2) + item("two", 1, 0) +
           item("two-a", 1, 1) + item("bullet", 2, 0) + item("restarted", 3, 0) + item("roman", 4, 0) +
           item("roman2", 4, 0) + item("continued", 5, 0) + p("not in a list", "<w:numPr><w:numId w:val=\"0\"/></w:numPr>"));
    auto doc = read(f);
    const std::vector<std::string> expected = {
        "1.\tone", "a)\tone-a", "b)\tone-b", "1.b.i deep", "2.\ttwo", "a)\ttwo-a", "\xE2\x80\xA2\tbullet",
        "5.\trestarted", "III -roman", "IV -roman2", "6.\tcontinued", "not in a list"};
    // The counters belong to the abstract numbering: the plain instance goes
    // on from the restarted one, as Word and LibreOffice count.
    EXPECT_EQ(texts(doc), expected);
    auto paras = paragraphs(doc);
    EXPECT_DOUBLE_EQ(paras[0].props.leftIndentPt, 36.0) << "the level's indent applies";
    EXPECT_DOUBLE_EQ(paras[0].props.firstLineIndentPt, -18.0);
    EXPECT_NE(paras[6].runs.front().props.font, "Symbol") << "the bullet is a Unicode character now";
}

TEST(DocxList, StyleLinkedNumbering) {
    DocxFixture f;
    f.styles("<w:style w:type=\"paragraph\" w:styleId=\"ListNum\"><w:pPr><w:numPr><w:numId w:val=\"7\"/></w:numPr>"
             "</w:pPr></w:style>");
    f.numbering("<w:abstractNum w:abstractNumId=\"9\"><w:lvl w:ilvl=\"0\"><w:start w:val=\"1\"/>"
                "<w:numFmt w:val=\"upperLetter\"/><w:lvlText w:val=\"%1.\"/></w:lvl></w:abstractNum>"
                "<w:num w:numId=\"7\"><w:abstractNumId w:val=\"9\"/></w:num>");
    f.body(p("x", "<w:pStyle w:val=\"ListNum\"/>") + p("y", "<w:pStyle w:val=\"ListNum\"/>"));
    EXPECT_EQ(texts(read(f)), (std::vector<std::string>{"A.\tx", "B.\ty"}));
}

TEST(DocxList, ListThatRefersToANumberingStyleUsesItsLevels) {
    DocxFixture f;
    f.styles("<w:style w:type=\"numbering\" w:styleId=\"Outline\"><w:pPr><w:numPr><w:numId w:val=\"1\"/></w:numPr>"
             "</w:pPr></w:style>");
    f.numbering("<w:abstractNum w:abstractNumId=\"0\"><w:styleLink w:val=\"Outline\"/><w:lvl w:ilvl=\"0\">"
                "<w:start w:val=\"1\"/><w:numFmt w:val=\"decimal\"/><w:lvlText w:val=\"(%1)\"/></w:lvl></w:abstractNum>"
                "<w:abstractNum w:abstractNumId=\"1\"><w:numStyleLink w:val=\"Outline\"/></w:abstractNum>"
                "<w:num w:numId=\"1\"><w:abstractNumId w:val=\"0\"/></w:num>"
                "<w:num w:numId=\"2\"><w:abstractNumId w:val=\"1\"/></w:num>");
    f.body(p("via style", "<w:numPr><w:ilvl w:val=\"0\"/><w:numId w:val=\"2\"/></w:numPr>"));
    EXPECT_EQ(texts(read(f)), (std::vector<std::string>{"(1)\tvia style"}));
}

TEST(DocxTable, RowsBecomeParagraphsWithTabSeparatedCellsAndNestedTablesFlatten) {
    DocxFixture f;
    auto cell = [](const std::string& content) { return "<w:tc><w:tcPr/>" + content + "</w:tc>"; };
    const std::string nested = "<w:tbl><w:tr>" + cell(p("n1")) + cell(p("n2")) + "</w:tr><w:tr>" + cell(p("n3")) +
                               cell(p("n4")) + "</w:tr></w:tbl>";
    f.body(p("before") + "<w:tbl><w:tblPr/><w:tr>" + cell(p("a", "<w:jc w:val=\"center\"/>")) + cell(p("b")) +
           cell(p("c1") + p("c2")) + "</w:tr><w:tr>" + cell(p("d")) + cell(nested + p("after nested")) + cell("<w:p/>") +
           "</w:tr></w:tbl>" + p("after"));
    auto doc = read(f);
    EXPECT_EQ(texts(doc),
              (std::vector<std::string>{"before", "a\tb\tc1\nc2", "d\tn1\tn2\nn3\tn4\nafter nested\t", "after"}));
    EXPECT_EQ(paragraphs(doc)[1].props.alignment, model::Alignment::Center);
}

TEST(DocxTable, RowsGetTabStopsAtTheirColumnsFromTheGrid) {
    DocxFixture f;
    auto cell = [](const std::string& content, const std::string& tcPr = "") {
        return "<w:tc><w:tcPr>" + tcPr + "</w:tcPr>" + content + "</w:tc>";
    };
    f.body("<w:tbl><w:tblPr/><w:tblGrid><w:gridCol w:w=\"2000\"/><w:gridCol w:w=\"3000\"/>"
           "<w:gridCol w:w=\"1000\"/></w:tblGrid>"
           "<w:tr>" + cell(p("a", "<w:tabs><w:tab w:val=\"left\" w:pos=\"500\"/></w:tabs>")) + cell(p("b")) +
           cell(p("c")) + "</w:tr>"
           "<w:tr>" + cell(p("wide"), "<w:gridSpan w:val=\"2\"/>") + cell(p("d")) + "</w:tr>"
           "<w:tr>" + cell(p("in", "<w:ind w:left=\"400\"/>")) + cell(p("e")) + cell(p("f")) + "</w:tr>"
           "<w:tr><w:trPr><w:gridBefore w:val=\"1\"/></w:trPr>" + cell(p("g")) + cell(p("h")) + "</w:tr>"
           "</w:tbl>"
           // without a grid the cells keep the tabs of their paragraphs
           "<w:tbl><w:tr>" + cell(p("x", "<w:tabs><w:tab w:val=\"left\" w:pos=\"500\"/></w:tabs>")) + cell(p("y")) +
           "</w:tr></w:tbl>");
    const auto paras = paragraphs(read(f));
    ASSERT_EQ(paras.size(), 5u);
    EXPECT_EQ(paras[0].plainText(), "a\tb\tc");
    EXPECT_EQ(paras[0].props.tabStopsPt, (std::vector<double>{100.0, 250.0}));
    EXPECT_EQ(paras[1].props.tabStopsPt, (std::vector<double>{250.0})) << "a cell spanning two columns";
    EXPECT_EQ(paras[2].props.tabStopsPt, (std::vector<double>{80.0, 230.0})) << "measured from the left indent";
    EXPECT_EQ(paras[3].props.tabStopsPt, (std::vector<double>{250.0})) << "a row that starts in the second column";
    EXPECT_EQ(paras[4].props.tabStopsPt, (std::vector<double>{25.0}));
}

TEST(DocxField, ComplexFieldsShowOnlyTheirResultAndSimpleFieldsTheirContent) {
    DocxFixture f;
    f.body("<w:p>" + r(t("Page ")) + r("<w:fldChar w:fldCharType=\"begin\"/>") +
           r("<w:instrText xml:space=\"preserve\"> PAGE </w:instrText>") + r("<w:fldChar w:fldCharType=\"separate\"/>") +
           r(t("7")) + r("<w:fldChar w:fldCharType=\"end\"/>") + r(t(" of ")) +
           "<w:fldSimple w:instr=\" NUMPAGES \">" + r(t("9")) + "</w:fldSimple></w:p>" +
           // a field nested in another field's code is hidden; in its result it shows
           "<w:p>" + r("<w:fldChar w:fldCharType=\"begin\"/>") + r("<w:instrText>IF </w:instrText>") +
           r("<w:fldChar w:fldCharType=\"begin\"/>") + r("<w:instrText>DATE</w:instrText>") +
           r("<w:fldChar w:fldCharType=\"separate\"/>") + r(t("hidden")) + r("<w:fldChar w:fldCharType=\"end\"/>") +
           r("<w:fldChar w:fldCharType=\"separate\"/>") + r(t("shown ")) + r("<w:fldChar w:fldCharType=\"begin\"/>") +
           r("<w:instrText>REF x</w:instrText>") + r("<w:fldChar w:fldCharType=\"separate\"/>") + r(t("inner")) +
           r("<w:fldChar w:fldCharType=\"end\"/>") + r("<w:fldChar w:fldCharType=\"end\"/>") + r(t(" done")) + "</w:p>");
    EXPECT_EQ(texts(read(f)), (std::vector<std::string>{"Page 7 of 9", "shown inner done"}));
}

TEST(DocxField, PageNumberAndPageCountFieldsAreMarkedInBodyHeaderAndFooter) {
    DocxFixture f;
    const std::string complexPage = r("<w:fldChar w:fldCharType=\"begin\"/>") +
                                    r("<w:instrText xml:space=\"preserve\"> PAGE \\* MERGEFORMAT </w:instrText>") +
                                    r("<w:fldChar w:fldCharType=\"separate\"/>") + r(t("9")) +
                                    r("<w:fldChar w:fldCharType=\"end\"/>");
    const std::string simpleCount = "<w:fldSimple w:instr=\" NUMPAGES \">" + r(t("1")) + r(t("2")) + "</w:fldSimple>";
    f.header("header1.xml", "<w:p>" + r(t("Page ")) + complexPage + r(t(" of ")) + simpleCount + "</w:p>");
    f.footer("footer1.xml", "<w:p>" + r("<w:fldChar w:fldCharType=\"begin\"/>") + r("<w:instrText>PAGE</w:instrText>") +
                                r("<w:fldChar w:fldCharType=\"end\"/>") + "</w:p>");
    f.body("<w:p>" + r(t("At ")) + complexPage + complexPage + "<w:fldSimple w:instr=\"DATE\">" + r(t("today")) +
           "</w:fldSimple></w:p><w:sectPr><w:headerReference w:type=\"default\" r:id=\"rIdheader1.xml\"/>"
           "<w:footerReference w:type=\"default\" r:id=\"rIdfooter1.xml\"/></w:sectPr>");
    const auto doc = read(f);
    using K = model::FieldKind;
    auto kinds = [](const model::Paragraph& para) {
        std::vector<std::pair<std::string, K>> out;
        for (const auto& run : para.runs) out.emplace_back(run.text, run.field);
        return out;
    };
    using List = std::vector<std::pair<std::string, K>>;
    ASSERT_EQ(doc.sections.size(), 1u);
    ASSERT_EQ(doc.sections[0].header.size(), 1u);
    EXPECT_EQ(kinds(std::get<model::Paragraph>(doc.sections[0].header[0])),
              (List{{"Page ", K::None}, {"9", K::PageNumber}, {" of ", K::None}, {"12", K::PageCount}}));
    ASSERT_EQ(doc.sections[0].footer.size(), 1u);
    EXPECT_EQ(kinds(std::get<model::Paragraph>(doc.sections[0].footer[0])), (List{{"", K::PageNumber}})) << "a field without a stored result";
    // Two fields side by side stay two runs; other fields are plain text.
    EXPECT_EQ(kinds(paragraphs(doc)[0]),
              (List{{"At ", K::None}, {"9", K::PageNumber}, {"9", K::PageNumber}, {"today", K::None}}));
}

TEST(DocxField, FileNameFieldShowsTheConvertedFile) {
    DocxFixture f;
    f.body("<w:p><w:fldSimple w:instr=\" FILENAME \\* MERGEFORMAT \">" + r(t("old.docx")) + "</w:fldSimple></w:p>");
    auto doc = docx::readDocx(f.write("report.docx"));
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"report.docx"}));
}

TEST(DocxField, HyperlinksSdtSmartTagsAndCustomXmlKeepTheirText) {
    DocxFixture f;
    f.hyperlink("rIdLink", "https://example.com/");
    f.body("<w:p><w:hyperlink r:id=\"rIdLink\">" + r(t("link")) + "</w:hyperlink>" +
           "<w:hyperlink w:anchor=\"top\">" + r(t(" anchor")) + "</w:hyperlink>" +
           "<w:sdt><w:sdtPr/><w:sdtContent>" + r(t(" sdt")) + "</w:sdtContent></w:sdt>" +
           "<w:smartTag w:uri=\"x\" w:element=\"place\"><w:smartTag w:element=\"City\">" + r(t(" city")) +
           "</w:smartTag></w:smartTag><w:customXml w:element=\"c\">" + r(t(" custom")) + "</w:customXml></w:p>" +
           "<w:sdt><w:sdtContent>" + p("block sdt") + "</w:sdtContent></w:sdt>");
    EXPECT_EQ(texts(read(f)), (std::vector<std::string>{"link anchor sdt city custom", "block sdt"}));
}

TEST(DocxRevision, InsertionsStayDeletionsAndMovedFromTextGo) {
    DocxFixture f;
    f.body("<w:p>" + r(t("kept ")) + "<w:ins w:id=\"1\" w:author=\"a\">" + r(t("inserted ")) + "</w:ins>" +
           "<w:del w:id=\"2\" w:author=\"a\"><w:r><w:delText>deleted </w:delText></w:r></w:del>" +
           "<w:moveFrom w:id=\"3\" w:author=\"a\">" + r(t("moved away ")) + "</w:moveFrom>" +
           "<w:moveTo w:id=\"4\" w:author=\"a\">" + r(t("moved here")) + "</w:moveTo></w:p>");
    EXPECT_EQ(texts(read(f)), (std::vector<std::string>{"kept inserted moved here"}));
}

TEST(DocxNote, FootnotesAndEndnotesFollowTheBodyWithTheirNumbers) {
    DocxFixture f;
    f.footnotes("<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
                "<w:footnote w:id=\"5\"><w:p><w:r><w:footnoteRef/></w:r>" + r(t(" Second note.")) + "</w:p></w:footnote>"
                "<w:footnote w:id=\"2\"><w:p><w:r><w:footnoteRef/></w:r>" + r(t(" First note.")) + "</w:p></w:footnote>");
    f.endnotes("<w:endnote w:id=\"1\"><w:p><w:r><w:endnoteRef/></w:r>" + r(t(" An endnote.")) + "</w:p></w:endnote>");
    f.body("<w:p>" + r(t("Text")) + r("<w:footnoteReference w:id=\"2\"/>") + r(t(" more")) +
           r("<w:footnoteReference w:id=\"5\"/>") + r("<w:endnoteReference w:id=\"1\"/>") + "</w:p>");
    EXPECT_EQ(texts(read(f)),
              (std::vector<std::string>{"Text1 more2i", "1 First note.", "2 Second note.", "i An endnote."}));
}

TEST(DocxSpecialContent, SymbolsHyphensTextBoxesAlternateContentAndMath) {
    DocxFixture f;
    f.body("<w:p>" + r("<w:sym w:font=\"Wingdings\" w:char=\"F04A\"/>" + t("co") + "<w:softHyphen/>" + t("op") +
                       "<w:noBreakHyphen/>" + t("x")) +
           "<w:r><mc:AlternateContent><mc:Choice Requires=\"wps\"><w:drawing><wp:anchor><wp:extent cx=\"100\" cy=\"100\"/>"
           "<wp:positionH relativeFrom=\"page\"><wp:posOffset>0</wp:posOffset></wp:positionH>"
           "<wp:positionV relativeFrom=\"page\"><wp:posOffset>0</wp:posOffset></wp:positionV>"
           "<a:graphic><a:graphicData><wps:wsp><wps:txbx><w:txbxContent>" + p("in the box") +
           "</w:txbxContent></wps:txbx></wps:wsp></a:graphicData></a:graphic></wp:anchor></w:drawing></mc:Choice>"
           "<mc:Fallback><w:pict><v:shape><v:textbox><w:txbxContent>" + p("fallback box") +
           "</w:txbxContent></v:textbox></v:shape></w:pict></mc:Fallback></mc:AlternateContent></w:r>" +
           "<m:oMath><m:r><m:t>a</m:t></m:r><m:r><m:t>+b</m:t></m:r></m:oMath></w:p>" +
           "<w:p><m:oMathPara><m:oMath><m:f><m:num/></m:f></m:oMath></m:oMathPara></w:p>" +
           "<w:p><w:r><mc:AlternateContent><mc:Choice Requires=\"cx1\"><w:t>chartex</w:t></mc:Choice>"
           "<mc:Fallback><w:t>fallback</w:t></mc:Fallback></mc:AlternateContent></w:r></w:p>");
    auto doc = read(f);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"\xEF\x81\x8A" "co\xC2\xAD" "op\xE2\x80\x91xa+b",
                                                    "[equation]", "fallback"}));
    // The text box's text is in its shape, once, and the fallback's not at all.
    std::vector<std::string> boxed;
    for (const auto& b : doc.sections.at(0).blocks)
        if (const auto* shape = std::get_if<model::DrawingShape>(&b))
            for (const auto& inner : shape->text)
                if (const auto* para = std::get_if<model::Paragraph>(&inner)) boxed.push_back(para->plainText());
    EXPECT_EQ(boxed, (std::vector<std::string>{"in the box"}));
    const model::Run* sym = runWith(doc, "\xEF\x81\x8A");
    ASSERT_TRUE(sym);
    EXPECT_EQ(sym->props.font, "Wingdings");
}

TEST(DocxProperties, TitleAuthorKeywordsAndDates) {
    DocxFixture f;
    f.core("Annual report", "Ada Lovelace");
    auto doc = read(f);
    EXPECT_EQ(doc.properties.title, "Annual report");
    EXPECT_EQ(doc.properties.author, "Ada Lovelace");
    EXPECT_EQ(doc.properties.keywords, "alpha, beta");
    EXPECT_EQ(doc.properties.created, "2024-05-01T10:00:00Z");
}

TEST(DocxSpecialContent, SmartArtTextFollowsItsParagraph) {
    DocxFixture f;
    f.rawPart("word/diagrams/data1.xml",
              "<dgm:dataModel xmlns:dgm=\"http://schemas.openxmlformats.org/drawingml/2006/diagram\" "
              "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><dgm:ptLst>"
              "<dgm:pt modelId=\"0\" type=\"doc\"><dgm:t><a:p><a:r><a:t>not shown</a:t></a:r></a:p></dgm:t></dgm:pt>"
              "<dgm:pt modelId=\"1\"><dgm:t><a:p><a:r><a:t>Plan</a:t></a:r></a:p></dgm:t></dgm:pt>"
              "<dgm:pt modelId=\"2\" type=\"parTrans\"/>"
              "<dgm:pt modelId=\"3\"><dgm:t><a:p><a:r><a:t>Build</a:t></a:r><a:r><a:t>ing</a:t></a:r></a:p></dgm:t></dgm:pt>"
              "</dgm:ptLst></dgm:dataModel>");
    f.rawPart("word/_rels/document.xml.rels",
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
              "<Relationship Id=\"rIdDm\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
              "diagramData\" Target=\"diagrams/data1.xml\"/></Relationships>");
    f.body("<w:p>" + r(t("Steps:")) + "<w:r><w:drawing><wp:inline><wp:extent cx=\"100\" cy=\"100\"/><a:graphic>"
           "<a:graphicData><dgm:relIds xmlns:dgm=\"http://schemas.openxmlformats.org/drawingml/2006/diagram\" "
           "r:dm=\"rIdDm\" r:lo=\"x\"/></a:graphicData></a:graphic></wp:inline></w:drawing></w:r></w:p>" + p("next"));
    EXPECT_EQ(texts(read(f)), (std::vector<std::string>{"Steps:", "Plan", "Building", "next"}));
}

TEST(DocxSection, PageBreakAtTheVeryStartAddsNoEmptyPage) {
    DocxFixture f;
    f.body(p("first", "<w:pageBreakBefore/>") + "<w:p>" + r("<w:br w:type=\"page\"/>" + t("second")) + "</w:p>");
    auto doc = read(f);
    const auto& blocks = doc.sections.at(0).blocks;
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(std::get<model::Paragraph>(blocks[0]).plainText(), "first");
    EXPECT_TRUE(std::holds_alternative<model::PageBreak>(blocks[1]));
    EXPECT_EQ(std::get<model::Paragraph>(blocks[2]).plainText(), "second");
}
