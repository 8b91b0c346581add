// The "Help" button: a note on the limits of the conversion and the offer
// to open the page of the document-splitting program.
#include "app/Form1.h"

#include "app/ProductInfo.h"
#include "app/Steps.h"

namespace fq::app {

QString helpMessage()
{
    const QString gap = QStringLiteral("\r\n\r\n");
    return QStringLiteral("This software is able to convert most MS Word doc/docx files.") + gap
        + QStringLiteral("If your doc/docx file contains many photos and pictures sometimes the conversion is not perfect.")
        + gap
        + QStringLiteral("In this rare case, you can try to download my Pagecleaver software and split the Word files "
                         "into separate smaller files and then use this software again.")
        + gap + QStringLiteral("Would you like me to open the website for the Pagecleaver software ")
        + QString::fromLatin1(product::splitterWebPage) + QStringLiteral(" ?");
}

void Form1::PushButton4_Click()
{
    Steps s(Report, formLocation(QStringLiteral("PushButton4_Click")));
    if (!s.test(100, [&] {
            return os.windows.messageBox(this, helpMessage(), platform::Buttons::YesNo, platform::Icon::None,
                                         ApplicationTitle)
                == platform::Answer::Yes;
        }))
        return;
    s.step(102, [&] { os.shell.open(this, QLatin1Char('"') + QString::fromLatin1(product::splitterWebPage) + QLatin1Char('"')); });
}

} // namespace fq::app
