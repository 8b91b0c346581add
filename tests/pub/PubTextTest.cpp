// Text written by the .pub writer, read back through pub2raw: every
// character and paragraph property the reader shows, non-ASCII text,
// tabs and line breaks, empty and very long paragraphs.
#include "PubTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace fq;
using namespace fq::pubtest;

namespace {

constexpr model::Rect kBox{72, 72, 468, 300};

// One frame holding one paragraph per (text, props) on a single page.
model::Publication onePage(std::vector<model::Paragraph> paras) {
    model::Publication pub;
    pub.pages.push_back(page({frame(kBox, std::move(paras))}));
    return pub;
}

// The spans of the only text object of the only page.
test::RawTextObject onlyText(const test::RawDocument& doc) {
    if (doc.pages.size() != 1 || doc.pages[0].textObjects.size() != 1) {
        ADD_FAILURE() << "expected one page with one text object:\n" << doc.output;
        return {};
    }
    return doc.pages[0].textObjects[0];
}

std::string prop(const test::RawProps& p, const std::string& key) {
    auto it = p.find(key);
    return it == p.end() ? std::string("<none>") : it->second;
}

class PubText : public ::testing::Test {
protected:
    PubFixture fx;
};

} // namespace

TEST_F(PubText, CharacterPropertiesArriveSpanBySpan) {
    model::CharProps plain;
    plain.font = "Liberation Serif";
    plain.sizePt = 12;
    model::CharProps bold = plain;
    bold.bold = true;
    model::CharProps italic = plain;
    italic.italic = true;
    model::CharProps big = plain;
    big.sizePt = 18;
    big.font = "Arial";
    model::CharProps red = plain;
    red.color = model::Color{0xC0, 0x10, 0x20};
    model::CharProps sup = plain;
    sup.vertical = model::VerticalPosition::Superscript;
    model::CharProps sub = plain;
    sub.vertical = model::VerticalPosition::Subscript;
    model::CharProps smallCaps = plain;
    smallCaps.smallCaps = true;
    model::CharProps allCaps = plain;
    allCaps.allCaps = true;

    const auto doc = fx.roundTrip(onePage({paragraph({run("plain ", plain), run("bold ", bold), run("italic ", italic),
                                                      run("big ", big), run("red ", red), run("sup", sup),
                                                      run("sub", sub), run("small", smallCaps), run("caps", allCaps)})}));
    const auto t = onlyText(doc);
    ASSERT_EQ(t.paragraphs.size(), 1u);
    const auto& spans = t.paragraphs[0].spans;
    ASSERT_GE(spans.size(), 9u) << doc.output;
    EXPECT_EQ(spans[0].text, "plain ");
    EXPECT_EQ(prop(spans[0].props, "style:font-name"), "Liberation Serif");
    EXPECT_EQ(prop(spans[0].props, "fo:font-weight"), "<none>");
    EXPECT_NEAR(test::rawNumber(spans[0].props, "fo:font-size").value_or(0), 12.0 / 72, 1e-4);
    EXPECT_EQ(prop(spans[0].props, "fo:color"), "#000000");
    EXPECT_EQ(prop(spans[1].props, "fo:font-weight"), "bold");
    EXPECT_EQ(prop(spans[1].props, "fo:font-style"), "<none>");
    EXPECT_EQ(prop(spans[2].props, "fo:font-style"), "italic");
    EXPECT_EQ(prop(spans[2].props, "fo:font-weight"), "<none>");
    EXPECT_NEAR(test::rawNumber(spans[3].props, "fo:font-size").value_or(0), 0.25, 1e-4);
    EXPECT_EQ(prop(spans[3].props, "style:font-name"), "Arial");
    EXPECT_EQ(prop(spans[4].props, "fo:color"), "#c01020");
    EXPECT_EQ(prop(spans[5].props, "style:text-position"), "50% 67%");
    EXPECT_EQ(prop(spans[6].props, "style:text-position"), "-50% 67%");
    EXPECT_EQ(prop(spans[7].props, "fo:font-variant"), "small-caps");
    EXPECT_EQ(prop(spans[8].props, "fo:text-transform"), "uppercase");
    EXPECT_EQ(prop(spans[8].props, "fo:font-variant"), "<none>");
}

TEST_F(PubText, StrikeThroughTextStillArrives) {
    // libmspub has no strike-through property: the text comes back plain.
    model::CharProps strike;
    strike.strike = true;
    strike.bold = true;
    const auto t = onlyText(fx.roundTrip(onePage({paragraph({run("struck", strike), run(" plain")})})));
    ASSERT_EQ(t.paragraphs.size(), 1u);
    EXPECT_EQ(t.paragraphs[0].text(), "struck plain");
    EXPECT_EQ(prop(t.paragraphs[0].spans.at(0).props, "fo:font-weight"), "bold");
}

TEST_F(PubText, UnderlineKinds) {
    const std::pair<model::Underline, std::pair<const char*, const char*>> kinds[] = {
        {model::Underline::Single, {"solid", "single"}},   {model::Underline::Double, {"solid", "double"}},
        {model::Underline::Dotted, {"dotted", "single"}},  {model::Underline::Dash, {"dash", "single"}},
        {model::Underline::DotDash, {"dot-dash", "single"}}, {model::Underline::DotDotDash, {"dot-dot-dash", "single"}},
        {model::Underline::Wave, {"wave", "single"}},      {model::Underline::Thick, {"solid", "single"}},
        {model::Underline::Words, {"solid", "single"}}};
    std::vector<model::Paragraph> paras;
    for (const auto& k : kinds) {
        model::CharProps c;
        c.underline = k.first;
        paras.push_back(paragraph({run("underlined words", c)}));
    }
    paras.push_back(paragraph({run("not underlined")}));
    const auto t = onlyText(fx.roundTrip(onePage(paras)));
    ASSERT_EQ(t.paragraphs.size(), std::size(kinds) + 1);
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const auto& span = t.paragraphs[i].spans.at(0);
        EXPECT_EQ(prop(span.props, "style:text-underline-style"), kinds[i].second.first) << i;
        EXPECT_EQ(prop(span.props, "style:text-underline-type"), kinds[i].second.second) << i;
    }
    EXPECT_EQ(prop(t.paragraphs[0].spans[0].props, "style:text-underline-mode"), "continuous");
    EXPECT_EQ(prop(t.paragraphs[8].spans[0].props, "style:text-underline-mode"), "skip-white-space");
    EXPECT_EQ(prop(t.paragraphs[7].spans[0].props, "style:text-underline-width"), "bold");
    EXPECT_EQ(prop(t.paragraphs.back().spans.at(0).props, "style:text-underline-style"), "<none>");
}

TEST_F(PubText, ParagraphAlignments) {
    const std::pair<model::Alignment, const char*> aligns[] = {{model::Alignment::Left, "left"},
                                                               {model::Alignment::Center, "center"},
                                                               {model::Alignment::Right, "right"},
                                                               {model::Alignment::Justify, "justify"}};
    std::vector<model::Paragraph> paras;
    for (const auto& a : aligns) {
        model::ParaProps p;
        p.alignment = a.first;
        paras.push_back(paragraph({run(std::string("aligned ") + a.second)}, p));
    }
    const auto t = onlyText(fx.roundTrip(onePage(paras)));
    ASSERT_EQ(t.paragraphs.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(prop(t.paragraphs[i].props, "fo:text-align"), aligns[i].second);
        EXPECT_EQ(t.paragraphs[i].text(), std::string("aligned ") + aligns[i].second);
    }
}

TEST_F(PubText, IndentsSpacingAndLineSpacing) {
    model::ParaProps indented;
    indented.leftIndentPt = 36;
    indented.rightIndentPt = 18;
    indented.firstLineIndentPt = -18;
    indented.spaceBeforePt = 6;
    indented.spaceAfterPt = 12;
    model::ParaProps exact;
    exact.lineSpacing = {model::LineSpacing::Rule::Exact, 15};
    model::ParaProps multiple;
    multiple.lineSpacing = {model::LineSpacing::Rule::Multiple, 1.5};
    model::ParaProps single;

    const auto t = onlyText(fx.roundTrip(onePage({paragraph({run("indented")}, indented),
                                                   paragraph({run("exact")}, exact),
                                                   paragraph({run("multiple")}, multiple),
                                                   paragraph({run("single")}, single)})));
    ASSERT_EQ(t.paragraphs.size(), 4u);
    const auto& p0 = t.paragraphs[0].props;
    EXPECT_NEAR(test::rawNumber(p0, "fo:margin-left").value_or(0), 0.5, 1e-4);
    EXPECT_NEAR(test::rawNumber(p0, "fo:margin-right").value_or(0), 0.25, 1e-4);
    EXPECT_NEAR(test::rawNumber(p0, "fo:text-indent").value_or(0), -0.25, 1e-4);
    EXPECT_NEAR(test::rawNumber(p0, "fo:margin-top").value_or(0), 6.0 / 72, 1e-4);
    EXPECT_NEAR(test::rawNumber(p0, "fo:margin-bottom").value_or(0), 12.0 / 72, 1e-4);
    EXPECT_EQ(prop(t.paragraphs[1].props, "fo:line-height"), "15.0000pt");
    EXPECT_NEAR(test::rawNumber(t.paragraphs[2].props, "fo:line-height").value_or(0), 150.0, 0.01);
    EXPECT_EQ(prop(t.paragraphs[2].props, "fo:line-height").back(), '%');
    EXPECT_EQ(prop(t.paragraphs[3].props, "fo:line-height"), "<none>");
    EXPECT_EQ(prop(t.paragraphs[3].props, "fo:margin-left"), "<none>");
}

TEST_F(PubText, NonAsciiTabsAndLineBreaks) {
    const std::string text = "Grüße äöü ß € — 漢字かな 한국어 😀𝄞 end";
    const auto t = onlyText(fx.roundTrip(onePage({paragraph({run(text)}),
                                                   paragraph({run("a\tb\nc")}),
                                                   paragraph({})})));
    ASSERT_EQ(t.paragraphs.size(), 3u);
    EXPECT_EQ(t.paragraphs[0].text(), text);
    EXPECT_EQ(t.paragraphs[1].text(), "a\tb\nc");
    EXPECT_EQ(t.paragraphs[2].text(), "");
}

TEST_F(PubText, ControlCharactersAndBrokenUtf8DoNotSplitTheStory) {
    const std::string broken = std::string("x\r\x01y") + "\xC3" + "z";
    const auto t = onlyText(fx.roundTrip(onePage({paragraph({run(broken)}), paragraph({run("next")})})));
    ASSERT_EQ(t.paragraphs.size(), 2u);
    EXPECT_EQ(t.paragraphs[0].text(), "xy\xEF\xBF\xBDz");
    EXPECT_EQ(t.paragraphs[1].text(), "next");
}

TEST_F(PubText, VeryLongParagraphAndManyParagraphs) {
    std::string longText;
    for (int i = 0; i < 2000; ++i) longText += "word" + std::to_string(i) + " ";
    std::vector<model::Paragraph> paras{paragraph({run(longText)})};
    for (int i = 0; i < 400; ++i) {
        model::CharProps c;
        c.sizePt = 8 + i % 9;
        c.bold = i % 2;
        c.color = model::Color{static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i % 256)};
        model::ParaProps p;
        p.spaceAfterPt = i % 7;
        paras.push_back(paragraph({run("para " + std::to_string(i), c)}, p));
    }
    const auto t = onlyText(fx.roundTrip(onePage(paras)));
    ASSERT_EQ(t.paragraphs.size(), 401u);
    EXPECT_TRUE(t.paragraphs[0].text() == longText) << "long paragraph differs, length " << t.paragraphs[0].text().size();
    for (int i : {1, 2, 3, 150, 399}) {
        const auto& p = t.paragraphs[i + 1];
        EXPECT_EQ(p.text(), "para " + std::to_string(i));
        EXPECT_NEAR(test::rawNumber(p.spans.at(0).props, "fo:font-size").value_or(0), (8 + i % 9) / 72.0, 1e-4);
        EXPECT_EQ(prop(p.spans[0].props, "fo:font-weight"), i % 2 ? "bold" : "<none>") << i;
        EXPECT_NEAR(test::rawNumber(p.props, "fo:margin-bottom").value_or(0), (i % 7) / 72.0, 1e-4) << i;
    }
}

TEST_F(PubText, EmptyFrameIsAnEmptyTextObject) {
    model::Publication pub;
    pub.pages.push_back(page({frame({72, 72, 200, 100}, {}), frame({72, 300, 200, 100}, {paragraph({run("after")})})}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 1u);
    ASSERT_EQ(doc.pages[0].textObjects.size(), 2u);
    EXPECT_EQ(doc.pages[0].textObjects[0].text(), "");
    EXPECT_EQ(doc.pages[0].textObjects[1].text(), "after");
}

TEST_F(PubText, EachFrameIsItsOwnStory) {
    model::Publication pub;
    pub.pages.push_back(page({frame({72, 72, 200, 100}, {paragraph({run("first frame")})}),
                              frame({300, 72, 200, 100}, {paragraph({run("second frame")}), paragraph({run("more")})})}));
    pub.pages.push_back(page({frame({72, 72, 200, 100}, {paragraph({run("third frame")})})}));
    const auto doc = fx.roundTrip(pub);
    ASSERT_EQ(doc.pages.size(), 2u);
    ASSERT_EQ(doc.pages[0].textObjects.size(), 2u);
    EXPECT_EQ(doc.pages[0].textObjects[0].text(), "first frame");
    EXPECT_EQ(doc.pages[0].textObjects[1].text(), "second frame\nmore");
    ASSERT_EQ(doc.pages[1].textObjects.size(), 1u);
    EXPECT_EQ(doc.pages[1].textObjects[0].text(), "third frame");
}

TEST_F(PubText, NegativeIndentsStayInsideTheFrame) {
    // The reader takes left and right indents as unsigned: a negative one
    // would become thousands of inches. They are written as zero; a
    // first-line indent stays signed but never reaches left of the frame.
    model::ParaProps outdented;
    outdented.rightIndentPt = -16.6;   // w:right="-332"
    outdented.leftIndentPt = -10;
    outdented.firstLineIndentPt = -5;
    outdented.tabStopsPt = {5, 30};    // 5 pt from a -10 pt indent is left of the frame
    model::ParaProps hanging;
    hanging.leftIndentPt = 36;
    hanging.firstLineIndentPt = -18;
    hanging.rightIndentPt = -4;
    model::ParaProps deepHanging;
    deepHanging.leftIndentPt = 10;
    deepHanging.firstLineIndentPt = -30;
    model::ParaProps indentedFirstLine;
    indentedFirstLine.leftIndentPt = -9;
    indentedFirstLine.firstLineIndentPt = 27;
    const auto t = onlyText(fx.roundTrip(onePage({paragraph({run("outdented")}, outdented),
                                                   paragraph({run("hanging")}, hanging),
                                                   paragraph({run("deep")}, deepHanging),
                                                   paragraph({run("first line")}, indentedFirstLine)})));
    ASSERT_EQ(t.paragraphs.size(), 4u);
    for (const auto& p : t.paragraphs)
        for (const char* key : {"fo:margin-left", "fo:margin-right", "fo:text-indent"}) {
            const double v = test::rawNumber(p.props, key).value_or(0);
            EXPECT_LT(std::abs(v), 10.0) << key << " = " << v;
        }
    const auto& p0 = t.paragraphs[0].props;
    EXPECT_NEAR(test::rawNumber(p0, "fo:margin-left").value_or(0), 0, 1e-4);
    EXPECT_NEAR(test::rawNumber(p0, "fo:margin-right").value_or(0), 0, 1e-4);
    EXPECT_NEAR(test::rawNumber(p0, "fo:text-indent").value_or(0), 0, 1e-4);
    const auto& p1 = t.paragraphs[1].props;
    EXPECT_NEAR(test::rawNumber(p1, "fo:margin-left").value_or(0), 0.5, 1e-4);
    EXPECT_NEAR(test::rawNumber(p1, "fo:text-indent").value_or(0), -0.25, 1e-4);
    EXPECT_NEAR(test::rawNumber(p1, "fo:margin-right").value_or(0), 0, 1e-4);
    const auto& p2 = t.paragraphs[2].props;
    EXPECT_NEAR(test::rawNumber(p2, "fo:margin-left").value_or(0), 10 / 72.0, 1e-4);
    EXPECT_NEAR(test::rawNumber(p2, "fo:text-indent").value_or(0), -10 / 72.0, 1e-4);
    // The first line stays 18 pt right of the frame edge.
    const auto& p3 = t.paragraphs[3].props;
    EXPECT_NEAR(test::rawNumber(p3, "fo:margin-left").value_or(0), 0, 1e-4);
    EXPECT_NEAR(test::rawNumber(p3, "fo:text-indent").value_or(0), 0.25, 1e-4);
    EXPECT_EQ(t.paragraphs[0].text(), "outdented");
}
