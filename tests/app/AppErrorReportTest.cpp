// The uniform error report and the numbered steps that every reporting
// handler runs on.
#include "app/ErrorReport.h"
#include "app/ProductInfo.h"
#include "app/Steps.h"
#include "platform/PlatformError.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace fq;

namespace {

struct Reporting {
    test::FakeWindowSystem windows;
    app::ErrorReport report{windows, nullptr};
};

} // namespace

TEST(AppErrorReport, LocationTextNamesProjectDateWindowAndHandler)
{
    EXPECT_EQ(app::formLocation(QStringLiteral("Form_QueryUnload")),
              QStringLiteral("in Folioquill2021/08/31.Form1.Form_QueryUnload "));
    EXPECT_EQ(app::locationText(QStringLiteral("Ostrakon"), QStringLiteral("AddFolder"),
                                QStringLiteral("GetSubDirectories2016")),
              QStringLiteral("in Ostrakon2021/08/31.AddFolder.GetSubDirectories2016 "));
}

TEST(AppErrorReport, MessageIsComposedExactly)
{
    const QString text = app::composeErrorMessage(app::formLocation(QStringLiteral("Form_QueryUnload")), 102,
                                                  QStringLiteral("Permission denied"));
    EXPECT_EQ(text, QStringLiteral("Permission denied\r\nin Folioquill2021/08/31.Form1.Form_QueryUnload at line 102\r\r"
                                   "Please email screenshot of this message to ")
                        + QString::fromLatin1(product::supportEmail));
    EXPECT_TRUE(text.contains(QStringLiteral("Form_QueryUnload at line"))); // exactly one blank
}

TEST(AppErrorReport, BoxHasTitleWarningIconAndOkOnly)
{
    Reporting r;
    r.report.ReportApplicationError(app::formLocation(QStringLiteral("Form_Load")), 7, QStringLiteral("Broken"));
    ASSERT_EQ(r.windows.messages.size(), 1u);
    EXPECT_EQ(r.windows.messages[0].title, QStringLiteral("Application Error"));
    EXPECT_EQ(r.windows.messages[0].icon, platform::Icon::Exclamation);
    EXPECT_EQ(r.windows.messages[0].buttons, platform::Buttons::Ok);
    EXPECT_TRUE(r.windows.messages[0].text.startsWith(QStringLiteral("Broken\r\nin Folioquill2021/08/31.Form1.Form_Load at line 7\r\r")));
}

TEST(AppSteps, FailedStepIsReportedWithItsNumberAndTheHandlerGoesOn)
{
    Reporting r;
    app::Steps s(r.report, app::formLocation(QStringLiteral("PushButton5_Click")));
    QStringList done;
    s.step(100, [&] { done << QStringLiteral("100"); });
    const bool ok = s.step(102, [&]() { throw std::runtime_error("Disk full"); });
    s.step(104, [&] { done << QStringLiteral("104"); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(done, (QStringList{QStringLiteral("100"), QStringLiteral("104")}));
    ASSERT_EQ(r.windows.errorTexts().size(), 1);
    EXPECT_TRUE(r.windows.errorTexts()[0].startsWith(
        QStringLiteral("Disk full\r\nin Folioquill2021/08/31.Form1.PushButton5_Click at line 102\r\r")));
}

TEST(AppSteps, ThreeFailingStepsGiveThreeBoxesInOrder)
{
    Reporting r;
    app::Steps s(r.report, app::formLocation(QStringLiteral("Form_Load")));
    s.step(100, [] { throw platform::PlatformError(53, "File not found"); });
    s.step(102, [] {});
    s.step(104, [] { throw std::runtime_error("second"); });
    s.step(106, [] { throw 42; });
    const QStringList texts = r.windows.errorTexts();
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("File not found\r\n")));
    EXPECT_TRUE(texts[0].contains(QStringLiteral("at line 100\r\r")));
    EXPECT_TRUE(texts[1].contains(QStringLiteral("at line 104\r\r")));
    EXPECT_TRUE(texts[2].contains(QStringLiteral("at line 106\r\r")));
}

TEST(AppSteps, FailedConditionContinuesAsIfItHeld)
{
    Reporting r;
    app::Steps s(r.report, app::formLocation(QStringLiteral("Form_Load")));
    bool governed = false;
    if (s.test(138, []() -> bool { throw std::runtime_error("cannot tell"); })) governed = true;
    EXPECT_TRUE(governed);
    EXPECT_TRUE(r.windows.errorTexts().value(0).contains(QStringLiteral("at line 138")));
    // A condition that evaluates normally is returned as it is.
    EXPECT_FALSE(s.test(140, [] { return false; }));
    EXPECT_EQ(r.windows.errorTexts().size(), 1);
}

TEST(AppSteps, FailureInsideCalledOperationCarriesTheCallingStep)
{
    Reporting r;
    app::Steps s(r.report, app::formLocation(QStringLiteral("PushButton1_Click")));
    auto operation = [] { throw platform::PlatformError(platform::errors::pathNotFound, "Path not found"); };
    s.step(138, [&] { operation(); });
    EXPECT_TRUE(r.windows.errorTexts().value(0).contains(
        QStringLiteral("in Folioquill2021/08/31.Form1.PushButton1_Click at line 138")));
}

TEST(AppSteps, FailureInTheLastStepReturnsNormally)
{
    Reporting r;
    auto handler = [&] {
        app::Steps s(r.report, app::formLocation(QStringLiteral("PushButton4_Click")));
        s.step(102, [] { throw std::runtime_error("no browser"); });
    };
    EXPECT_NO_THROW(handler());
    EXPECT_EQ(r.windows.errorTexts().size(), 1);
}

TEST(AppSteps, ProgramEndingPassesThroughUnreported)
{
    Reporting r;
    app::Steps s(r.report, app::formLocation(QStringLiteral("PushButton2_Click")));
    EXPECT_THROW(s.step(112, [] { throw platform::ProgramEnding{}; }), platform::ProgramEnding);
    EXPECT_THROW(s.test(114, []() -> bool { throw platform::ProgramEnding{}; }), platform::ProgramEnding);
    EXPECT_TRUE(r.windows.messages.empty());
}
