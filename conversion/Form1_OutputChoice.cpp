// The output folder choice: the two radio buttons ("Save results to this
// folder:" / "Save results in folder of original file"), the output-folder
// text and the "..." browse button. Every change is stored at once.
#include "app/Form1.h"
#include "app/Steps.h"
#include "conversion/BrowseForFolder.h"
#include "conversion/OutputChoice.h"
#include "conversion/PathHelpers.h"

#include <QFrame>
#include <QLineEdit>
#include <QRadioButton>

#include <exception>

namespace fq::conversion {
QString LastFolderDotValue;
} // namespace fq::conversion

namespace fq::app {

namespace {

QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// These small handlers have no error report of their own: a setting that
// cannot be written is left as it was and the handler goes on.
void storeQuietly(platform::SettingsStore& settings, const QString& key, const QString& value)
{
    try {
        settings.SaveSetting(key, value);
    } catch (const std::exception&) {
    }
}

} // namespace

void Form1::Option1_Click()
{
    storeQuietly(os.settings, QStringLiteral("Option1"), booleanText(Option1->isChecked()));
    storeQuietly(os.settings, QStringLiteral("Option2"), booleanText(Option2->isChecked()));
    Frame1->setEnabled(Option1->isChecked());
}

void Form1::Option2_Click()
{
    storeQuietly(os.settings, QStringLiteral("Option1"), booleanText(Option1->isChecked()));
    storeQuietly(os.settings, QStringLiteral("Option2"), booleanText(Option2->isChecked()));
    Frame1->setEnabled(Option1->isChecked());
}

void Form1::Text1_Change()
{
    storeQuietly(os.settings, QStringLiteral("Output Folder"), Text1->text());
}

void Form1::PushButton7_Click()
{
    using conversion::LastFolderDotValue;
    Steps s(Report, formLocation(QStringLiteral("PushButton7_Click")));

    QString chosen;
    s.step(100, [&] { LastFolderDotValue = os.settings.GetSetting(QStringLiteral("LastFolderDot"), QString()); });
    s.step(100, [&] {
        chosen = conversion::BrowseForFolder(os.shell, this, QStringLiteral("Please select folder:"), LastFolderDotValue);
    });
    if (s.test(102, [&] { return chosen.isEmpty(); }))
        return;

    // Assigning the text fires Text1_Change, which stores "Output Folder";
    // an unchanged text still counts as an assignment.
    const auto assignText1 = [&](const QString& text) {
        if (Text1->text() == text)
            Text1_Change();
        else
            Text1->setText(text);
    };
    s.step(104, [&] { LastFolderDotValue = chosen; });
    s.step(104, [&] { os.settings.SaveSetting(QStringLiteral("LastFolderDot"), chosen); });
    if (s.test(104, [&] { return !chosen.endsWith(conversion::nativeSeparator()); }))
        s.step(106, [&] { assignText1(chosen + conversion::nativeSeparator()); });
    else
        s.step(108, [&] { assignText1(chosen); });
}

} // namespace fq::app
