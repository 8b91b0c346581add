// A main window on the test platform with the recording publishing
// application, a temporary folder and helpers to read the error reports.
#pragma once

#include "app/Form1.h"
#include "tests/conversion/RecordingPublishing.h"
#include "tests/support/TestPlatform.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace fq::test {

class ConversionFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.isValid());
        tp.publishing = &recording;
        makeForm();
    }

    void makeForm()
    {
        form = std::make_unique<app::Form1>(tp.get());
        form->ApplicationTitle = QStringLiteral("Folioquill Test");
    }

    // A file under the temporary folder, created with a little content.
    QString file(const QString& name)
    {
        const QString path = temp.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write("x");
        return path;
    }

    // The line numbers of the error reports shown so far, in order.
    std::vector<int> errorLines() const
    {
        std::vector<int> lines;
        static const QRegularExpression atLine(QStringLiteral("at line (\\d+)"));
        for (const QString& t : tp.windows.errorTexts()) {
            const auto m = atLine.match(t);
            lines.push_back(m.hasMatch() ? m.captured(1).toInt() : -1);
        }
        return lines;
    }

    // The texts of the boxes that are not error reports.
    QStringList plainMessages() const
    {
        QStringList out;
        for (const auto& m : tp.windows.messages)
            if (m.title != QStringLiteral("Application Error")) out << m.text;
        return out;
    }

    void useOutputFolder(const QString& folder)
    {
        form->Option1->click();
        form->Text1->setText(folder);
    }

    void clearBothOptions()
    {
        form->Option1->setAutoExclusive(false);
        form->Option2->setAutoExclusive(false);
        form->Option1->setChecked(false);
        form->Option2->setChecked(false);
    }

    QTemporaryDir temp;
    TestPlatform tp;
    RecordingPublishing recording;
    std::unique_ptr<app::Form1> form;
};

} // namespace fq::test
