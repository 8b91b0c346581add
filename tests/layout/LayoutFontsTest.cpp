// The measuring fonts: substitutes for Office fonts are installed ones and
// the sizes come out in points.
#include "publishing/layout/FontResolver.h"
#include "publishing/layout/ParagraphMeasure.h"

#include "LayoutHelpers.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace fq::layout {
namespace {

model::CharProps props(const std::string& font, double size = 12.0) {
    model::CharProps p;
    p.font = font;
    p.sizePt = size;
    return p;
}

TEST(LayoutFonts, OfficeFontsMapToMetricCompatibleFamilies) {
    auto& r = FontResolver::instance();
    EXPECT_EQ(r.substituteFamily("Calibri"), "Carlito");
    EXPECT_EQ(r.substituteFamily("Cambria"), "Caladea");
    EXPECT_EQ(r.substituteFamily("Arial"), "Liberation Sans");
    EXPECT_EQ(r.substituteFamily("Helvetica"), "Liberation Sans");
    EXPECT_EQ(r.substituteFamily("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(r.substituteFamily("Courier New"), "Liberation Mono");
    EXPECT_EQ(r.substituteFamily(" times new ROMAN "), "Liberation Serif");
    // Script versions are the font itself.
    EXPECT_EQ(r.substituteFamily("Times New Roman Cyr"), "Liberation Serif");
    EXPECT_EQ(r.substituteFamily("Arial CE"), "Liberation Sans");
}

TEST(LayoutFonts, UnknownFontsGetAnInstalledDefault) {
    auto& r = FontResolver::instance();
    // A font nobody knows is measured with the one the font system draws in its place.
    const QString quirky = r.substituteFamily("Quirky Display Face");
    EXPECT_TRUE(QFontDatabase::hasFamily(quirky)) << quirky.toStdString();
    EXPECT_EQ(quirky, QFontInfo(QFont("Quirky Display Face")).family());
    EXPECT_EQ(r.substituteFamily("Foo Sans"), "Liberation Sans");
    EXPECT_EQ(r.substituteFamily("Bar Mono"), "Liberation Mono");
    EXPECT_EQ(r.substituteFamily(""), "Liberation Serif");
}

TEST(LayoutFonts, InstalledFamiliesAreUsedAsTheyAre) {
    EXPECT_EQ(FontResolver::instance().substituteFamily("DejaVu Sans Mono"), "DejaVu Sans Mono");
}

TEST(LayoutFonts, FontsResolveToTheSubstituteFile) {
    auto& r = FontResolver::instance();
    EXPECT_EQ(QFontInfo(r.font(props("Calibri"))).family(), "Carlito");
    EXPECT_EQ(QFontInfo(r.font(props("Times New Roman"))).family(), "Liberation Serif");
    EXPECT_TRUE(QFontInfo(r.font([] { auto p = props("Arial"); p.bold = true; return p; }())).bold());
}

TEST(LayoutFonts, MeasuringUnitsArePointsTimesTheScale) {
    constexpr double k = FontResolver::kUnitsPerPoint;
    // Courier's advance is 0.6 em: at 10 pt ten characters take 60 pt,
    // and at 9.5 pt 57 pt (not the 60 of a size rounded to whole pixels).
    const QFontMetricsF m(FontResolver::instance().font(props("Courier New", 10.0)));
    EXPECT_NEAR(m.horizontalAdvance(QStringLiteral("0123456789")) / k, 60.0, 0.05);
    const QFontMetricsF half(FontResolver::instance().font(props("Courier New", 9.5)));
    EXPECT_NEAR(half.horizontalAdvance(QStringLiteral("0123456789")) / k, 57.0, 0.05);
    // Calibri's (and Carlito's) single line is 1.2207 em.
    const QFontMetricsF c(FontResolver::instance().font(props("Calibri", 20.0)));
    EXPECT_NEAR((c.ascent() + c.descent()) / k, 24.41, 0.1);
}

TEST(LayoutFonts, LineHeightFollowsWordsMetrics) {
    // Word sets a single line of Times New Roman (and Liberation Serif) at
    // 1.149 em although the Windows ascent and descent add up to 1.107 em
    // only, and counts the parts above and below the baseline in whole
    // twentieths of a point: Calibri 11 pt is 10.70 + 2.75 pt.
    struct Case {
        const char* font;
        double size;
        double height;
    };
    for (const Case& c : {Case{"Calibri", 11.0, 13.45}, Case{"Times New Roman", 12.0, 13.8},
                          Case{"Arial", 10.0, 11.5}, Case{"Calibri", 20.0, 24.4}}) {
        const auto m = measureParagraph(test::paragraph("Line", c.font, c.size), 400.0);
        EXPECT_NEAR(m.lines.at(0).heightPt, c.height, 0.001) << c.font << " " << c.size;
    }
}

TEST(LayoutFonts, RaisedTextIsMeasuredSmaller) {
    auto p = props("Arial", 20.0);
    p.vertical = model::VerticalPosition::Superscript;
    EXPECT_LT(FontResolver::effectiveSizePt(p), 20.0);
    EXPECT_GT(FontResolver::effectiveSizePt(p), 10.0);
    p.vertical = model::VerticalPosition::Baseline;
    EXPECT_DOUBLE_EQ(FontResolver::effectiveSizePt(p), 20.0);
}

TEST(LayoutFonts, SamePropertiesGiveTheCachedFont) {
    auto& r = FontResolver::instance();
    const QFont* a = &r.font(props("Cambria", 9.0));
    const QFont* b = &r.font(props("Cambria", 9.0));
    EXPECT_EQ(a, b);
    EXPECT_NE(a, &r.font(props("Cambria", 9.5)));
}

} // namespace
} // namespace fq::layout
