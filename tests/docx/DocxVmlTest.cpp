// VML's attribute languages: styles, colours, numbers and paths.
#include "publishing/docx/Vml.h"

#include <gtest/gtest.h>

using namespace fq::docx;

TEST(DocxVml, StylesColoursAndNumbers) {
    const auto style = parseVmlStyle(" position : absolute;WIDTH:72pt;;margin-left:-3.5pt;bad");
    EXPECT_EQ(style.at("position"), "absolute");
    EXPECT_EQ(style.at("width"), "72pt");
    EXPECT_EQ(style.at("margin-left"), "-3.5pt");
    EXPECT_FALSE(style.count("bad"));
    struct Case {
        const char* in;
        const char* rgb;   // empty: not understood
    };
    for (const Case& c : {Case{"#FF8000", "FF8000"}, Case{"#f00", "ff0000"}, Case{"black [3213]", "000000"},
                          Case{"Silver", "C0C0C0"}, Case{"#12345", ""}, Case{"fill darken(118)", ""}}) {
        SCOPED_TRACE(c.in);
        const DmlColor color = parseVmlColor(c.in);
        EXPECT_EQ(color.set(), *c.rgb != 0);
        if (color.set()) EXPECT_EQ(color.value, c.rgb);
    }
    EXPECT_DOUBLE_EQ(parseVmlNumber("32768f"), 0.5);
    EXPECT_DOUBLE_EQ(parseVmlNumber(" 45 "), 45.0);
    EXPECT_EQ(vmlShapeType("#_x0000_t202"), 202);
    EXPECT_EQ(vmlShapeType("#shapetype"), -1);
}

TEST(DocxVml, PathsOfLinesCurvesAndRelativeSteps) {
    DmlPath p;
    ASSERT_TRUE(parseVmlPath("m0,0l100,0,100,100xe", 100, 100, p));
    ASSERT_EQ(p.steps.size(), 4u);
    EXPECT_EQ(p.steps[0].op, 'M');
    EXPECT_EQ(p.steps[2].op, 'L');
    EXPECT_EQ(p.steps[2].points[0], (std::pair<double, double>{100, 100}));
    EXPECT_EQ(p.steps[3].op, 'Z');
    DmlPath q;
    ASSERT_TRUE(parseVmlPath("m10,10r5,5v1,1,2,2,3,3nfe", 50, 50, q));
    EXPECT_EQ(q.steps[1].points[0], (std::pair<double, double>{15, 15}));
    ASSERT_EQ(q.steps[2].op, 'C');
    EXPECT_EQ(q.steps[2].points[2], (std::pair<double, double>{18, 18}));
    EXPECT_FALSE(q.fill);
    // Formulas and arcs are left to the shape type.
    DmlPath r;
    EXPECT_FALSE(parseVmlPath("m@0,0l21600,21600e", 21600, 21600, r));
    EXPECT_FALSE(parseVmlPath("ar0,0,100,100,0,0,100,100", 100, 100, r));
    EXPECT_FALSE(parseVmlPath("", 100, 100, r));
}
