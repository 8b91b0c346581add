// Document structure: sections, breaks, lists, fields, links,
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
    ASSERT_EQ(blocks.size(), 5u);
    EXPECT_EQ(std::get<model::Paragraph>(blocks[0]).plainText(), "before");
    EXPECT_TRUE(std::holds_alternative<model::PageBreak>(blocks[1]));
    EXPECT_EQ(std::get<model::Paragraph>(blocks[2]).plainText(), "after");
    EXPECT_FALSE(std::get<model::Paragraph>(blocks[2]).props.pageBreakBefore);
    EXPECT_EQ(std::get<model::Paragraph>(blocks[3]).plainText(), "a\nb\tc\nd");
    // pageBreakBefore stays with its paragraph: the layout knows whether it
    // already stands at the top of a page.
    EXPECT_EQ(std::get<model::Paragraph>(blocks[4]).plainText(), "new page");
    EXPECT_TRUE(std::get<model::Paragraph>(blocks[4]).props.pageBreakBefore);
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

TEST(DocxNote, FootnotesAndEndnotesAreNotesWithTheirReferences) {
    DocxFixture f;
    f.footnotes("<w:footnote w:type=\"separator\" w:id=\"-1\"><w:p><w:r><w:separator/></w:r></w:p></w:footnote>"
                "<w:footnote w:id=\"5\"><w:p><w:r><w:footnoteRef/></w:r>" + r(t(" Second note.")) + "</w:p></w:footnote>"
                "<w:footnote w:id=\"2\"><w:p><w:r><w:footnoteRef/></w:r>" + r(t(" First note.")) + "</w:p></w:footnote>");
    f.endnotes("<w:endnote w:id=\"1\"><w:p><w:r><w:endnoteRef/></w:r>" + r(t(" An endnote.")) + "</w:p></w:endnote>");
    f.body("<w:p>" + r(t("Text")) + r("<w:footnoteReference w:id=\"2\"/>") + r(t(" more")) +
           r("<w:footnoteReference w:id=\"5\"/>") + r("<w:endnoteReference w:id=\"1\"/>") + "</w:p>");
    const auto doc = read(f);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"Text1 more2i"}));
    // Notes in the order of their first reference, each starting with its mark.
    ASSERT_EQ(doc.notes.size(), 3u);
    std::vector<std::string> notes;
    for (const auto& n : doc.notes) {
        const auto& p = std::get<model::Paragraph>(n.blocks.at(0));
        notes.push_back(p.plainText());
        EXPECT_EQ(p.runs.at(0).field, model::FieldKind::NoteReference);
    }
    EXPECT_EQ(notes, (std::vector<std::string>{"1 First note.", "2 Second note.", "i An endnote."}));
    EXPECT_EQ(doc.notes[2].kind, model::Note::Kind::Endnote);
    // The body's marks refer to them.
    std::vector<int> refs;
    for (const auto& r : std::get<model::Paragraph>(doc.sections[0].blocks[0]).runs)
        if (r.field == model::FieldKind::NoteReference) refs.push_back(r.note);
    EXPECT_EQ(refs, (std::vector<int>{0, 1, 2}));
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

// A font the font table gives the symbol character set keeps its symbols'
// private-use codes, as a font known by name does; in a text font such a
// code stands for the plain character.
TEST(DocxSpecialContent, SymbolFontsKnownByTheirCharacterSet) {
    DocxFixture f;
    f.fontTable("<w:font w:name=\"UniversalMath1 BT\"><w:charset w:val=\"02\"/></w:font>"
                "<w:font w:name=\"Times New Roman\"><w:charset w:val=\"00\"/></w:font>");
    f.body("<w:p>" + r("<w:sym w:font=\"UniversalMath1 BT\" w:char=\"F081\"/>") +
           r("<w:sym w:font=\"Times New Roman\" w:char=\"F041\"/>") +
           r("<w:sym w:font=\"Symbol\" w:char=\"F06D\"/>") + "</w:p>");
    auto doc = read(f);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"\xEF\x82\x81" "A" "\xEF\x81\xAD"}));
    const model::Run* sym = runWith(doc, "\xEF\x82\x81");
    ASSERT_TRUE(sym);
    EXPECT_EQ(sym->props.font, "UniversalMath1 BT");
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

// Fields Word draws from their code or form data: check boxes as ballot
// boxes, drop-downs as the selected entry, SYMBOL as its character.
TEST(DocxFields, FormFieldsAndSymbolsShowWhatWordDraws) {
    auto fc = [](const std::string& kind, const std::string& ffData = "") {
        return "<w:r><w:fldChar w:fldCharType=\"" + kind + "\">" + ffData + "</w:fldChar></w:r>";
    };
    auto code = [](const std::string& c) { return "<w:r><w:instrText xml:space=\"preserve\">" + c + "</w:instrText></w:r>"; };
    const std::string box = "<w:ffData><w:checkBox><w:default w:val=\"0\"/>%</w:checkBox></w:ffData>";
    auto checkBox = [&](const std::string& state) {
        std::string ff = box;
        ff.replace(ff.find('%'), 1, state);
        return fc("begin", ff) + code(" FORMCHECKBOX ") + fc("end");
    };
    const std::string list = "<w:ffData><w:ddList><w:result w:val=\"1\"/><w:listEntry w:val=\"alpha\"/>"
                             "<w:listEntry w:val=\"beta\"/></w:ddList></w:ffData>";
    DocxFixture f;
    f.body("<w:p>" + checkBox("") + checkBox("<w:checked/>") + checkBox("<w:checked w:val=\"0\"/>") + "</w:p>" +
           "<w:p>" + fc("begin", list) + code(" FORMDROPDOWN ") + fc("separate") + fc("end") + "</w:p>" +
           "<w:p>" + r(t("5 ")) + fc("begin") + code(" SYMBOL 109 \\f \"Symbol\" \\s 10 ") + fc("end") + r(t("m")) +
           fc("begin") + code(" SYMBOL 183 \\f Symbol ") + fc("separate") + r(t("?")) + fc("end") + "</w:p>");
    const auto doc = read(f);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"\u2610\u2612\u2610", "beta", "5 mm?"}));
    const model::Run* mu = runWith(doc, "5 m");
    ASSERT_TRUE(mu == nullptr || mu->text == "5 m") << "the drawn character has its own font";
    bool symbolRun = false;
    for (const auto& para : paragraphs(doc))
        for (const auto& run : para.runs) symbolRun |= run.text == "m" && run.props.font == "Symbol";
    EXPECT_TRUE(symbolRun);
}

// A drop cap (a frame paragraph with w:dropCap) is the first letter of the
// paragraph after it; one with nothing after it stays a paragraph.
TEST(DocxStructure, DropCapJoinsTheParagraphAfterIt) {
    const std::string drop = "<w:framePr w:dropCap=\"drop\" w:lines=\"3\" w:wrap=\"around\" w:vAnchor=\"text\"/>";
    const std::string margin = "<w:framePr w:dropCap=\"margin\" w:lines=\"2\"/>";
    DocxFixture f;
    f.body(p("T", drop) + p("his starts.") + p("W", margin) + p("ith margin.") +
           p("N", "<w:framePr w:dropCap=\"none\" w:w=\"200\"/>") + p("ot a drop cap.") + p("L", drop) +
           "<w:tbl><w:tblGrid><w:gridCol w:w=\"2000\"/></w:tblGrid><w:tr><w:tc>" + p("cell") + "</w:tc></w:tr></w:tbl>");
    const model::Document doc = read(f);
    EXPECT_EQ(texts(doc), (std::vector<std::string>{"This starts.", "With margin.", "N", "ot a drop cap.", "L"}));
    // A drop cap before a table stays a letter of its own; the cell keeps its text.
    EXPECT_NE(runWith(doc, "cell"), nullptr);
}

// Equations arrive in Word's linear form, every character in reading order.
TEST(DocxMath, EquationsInLinearForm) {
    auto m = [](const std::string& s) { return "<m:r><m:t>" + s + "</m:t></m:r>"; };
    auto el = [](const std::string& name, const std::string& inner) { return "<m:" + name + ">" + inner + "</m:" + name + ">"; };
    const struct {
        std::string xml, text;
    } cases[] = {
        {el("f", el("num", m("a+b")) + el("den", m("c"))), "(a+b)/c"},
        {el("rad", "<m:radPr><m:degHide m:val=\"1\"/></m:radPr><m:deg/>" + el("e", m("x"))), "\u221Ax"},
        {el("rad", el("deg", m("3")) + el("e", m("y+1"))), "\u221B(y+1)"},
        {el("sSubSup", el("e", m("b")) + el("sub", m("j")) + el("sup", m("2n"))), "b_j^(2n)"},
        {el("nary", "<m:naryPr><m:chr m:val=\"\u2211\"/></m:naryPr>" + el("sub", m("i=1")) + el("sup", m("n")) +
                        el("e", m("i"))), "\u2211_(i=1)^n i"},
        {el("d", "<m:dPr><m:begChr m:val=\"[\"/><m:endChr m:val=\"]\"/></m:dPr>" + el("e", m("p")) + el("e", m("q"))),
         "[p|q]"},
        {el("m", el("mr", el("e", m("1")) + el("e", m("0"))) + el("mr", el("e", m("0")) + el("e", m("1")))),
         "\u25A0(1&0@0&1)"},
        {el("func", el("fName", m("sin")) + el("e", m("x"))) + el("limLow", el("e", m("lim")) + el("lim", m("n\u2192\u221E"))),
         "sin xlim_(n\u2192\u221E)"},
    };
    std::string body;
    for (const auto& c : cases) body += "<w:p>" + el("oMath", c.xml) + "</w:p>";
    DocxFixture f;
    f.body(body);
    const auto got = texts(read(f));
    ASSERT_EQ(got.size(), std::size(cases));
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], cases[i].text);
}

// WordArt (a VML text path) shows its string, once: in the shape that draws it.
TEST(DocxStructure, WordArtShowsItsString) {
    DocxFixture f;
    f.body("<w:p>" + r(t("A ")) + "<w:r><w:pict><v:shape style=\"width:100pt;height:40pt\" type=\"#_x0000_t136\">"
           "<v:textpath on=\"t\" string=\"Fancy Title\"/></v:shape></w:pict></w:r></w:p>");
    const auto doc = read(f);
    std::vector<std::string> inShapes;
    for (const auto& b : doc.sections.at(0).blocks)
        if (const auto* shape = std::get_if<model::DrawingShape>(&b))
            for (const auto& inner : shape->text)
                if (const auto* p = std::get_if<model::Paragraph>(&inner)) inShapes.push_back(p->plainText());
    EXPECT_EQ(inShapes, std::vector<std::string>{"Fancy Title"});
    const auto got = texts(doc);
    EXPECT_EQ(std::find(got.begin(), got.end(), "Fancy Title"), got.end());
}
