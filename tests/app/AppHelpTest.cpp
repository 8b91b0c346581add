// The Help message and the offer to open the splitting program's page.
#include "app/ProductInfo.h"
#include "tests/support/FormFixture.h"

#include <QPushButton>

#include <gtest/gtest.h>

using namespace fq;
using fq::test::FormFixture;

namespace {

QString pageAddress() { return QString::fromLatin1(product::splitterWebPage); }

} // namespace

TEST(AppHelp, MessageHasExactlyFourParagraphs)
{
    const QString expected =
        QStringLiteral("This software is able to convert most MS Word doc/docx files.\r\n\r\n"
                       "If your doc/docx file contains many photos and pictures sometimes the conversion is not perfect.\r\n\r\n"
                       "In this rare case, you can try to download my Pagecleaver software and split the Word files into "
                       "separate smaller files and then use this software again.\r\n\r\n"
                       "Would you like me to open the website for the Pagecleaver software ")
        + pageAddress() + QStringLiteral(" ?");
    EXPECT_EQ(app::helpMessage(), expected);
    const QStringList paragraphs = app::helpMessage().split(QStringLiteral("\r\n\r\n"));
    EXPECT_EQ(paragraphs.size(), 4);
    for (const QString& p : paragraphs) EXPECT_FALSE(p.contains(QLatin1Char('\n')));
    EXPECT_TRUE(app::helpMessage().endsWith(QStringLiteral(" ?")));
}

TEST(AppHelp, AnsweringNoOpensNothing)
{
    FormFixture f;
    app::Form1& form = f.load();
    f.windows().answers = {platform::Answer::No};
    form.PushButton4_Click();
    ASSERT_EQ(f.windows().messages.size(), 1u);
    const auto& m = f.windows().messages[0];
    EXPECT_EQ(m.text, app::helpMessage());
    EXPECT_EQ(m.buttons, platform::Buttons::YesNo);
    EXPECT_EQ(m.icon, platform::Icon::None);
    EXPECT_EQ(m.title, form.ApplicationTitle);
    EXPECT_TRUE(f.shell().opened.isEmpty());
}

TEST(AppHelp, AnsweringYesOpensThePageQuoted)
{
    FormFixture f;
    app::Form1& form = f.load();
    f.windows().answers = {platform::Answer::Yes, platform::Answer::Yes};
    form.PushButton4_Click();
    EXPECT_EQ(f.shell().opened, QStringList{QLatin1Char('"') + pageAddress() + QLatin1Char('"')});
    form.PushButton4_Click();
    EXPECT_EQ(f.shell().opened.size(), 2);
    EXPECT_TRUE(f.windows().errorTexts().isEmpty());
}

TEST(AppHelp, ButtonClickRunsTheHandler)
{
    FormFixture f;
    app::Form1& form = f.load();
    f.show();
    f.windows().answers = {platform::Answer::Yes};
    QTest::mouseClick(form.PushButton4, Qt::LeftButton);
    EXPECT_EQ(f.windows().messages.size(), 1u);
    EXPECT_EQ(f.shell().opened.size(), 1);
}
