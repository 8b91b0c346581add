#include "app/StartOptions.h"

#include "conversion/PathHelpers.h"

namespace fq::app {

StartOptions parseStartOptions(const QStringList& arguments)
{
    StartOptions o;
    bool onlyFiles = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (onlyFiles || !a.startsWith(QLatin1Char('-')) || a == QStringLiteral("-")) {
            o.files << a;
        } else if (a == QStringLiteral("--")) {
            onlyFiles = true;
        } else if (a == QStringLiteral("-h") || a == QStringLiteral("--help")) {
            o.help = true;
        } else if (a == QStringLiteral("--version")) {
            o.version = true;
        } else if (o.error.isEmpty()) {
            o.error = QStringLiteral("unknown option ") + a;
        }
    }
    return o;
}

StartOptions parseStartOptions(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return parseStartOptions(arguments);
}

QString startHelpText(const QString& shippedFilesFolder)
{
    return QStringLiteral(
               "Usage: folioquill [FILE...]\n"
               "Opens the Folioquill window, which converts Word documents (.doc, .docx) into\n"
               "Microsoft Publisher files (.pub).\n"
               "\n"
               "Each FILE is queued for conversion as if dropped on the list; a folder adds the\n"
               "Word documents in it and in its sub-folders.\n"
               "\n"
               "  -h, --help     show this help and exit\n"
               "      --version  show the version and exit\n"
               "\n"
               "Qt's own options, such as -platform NAME, are accepted as well.\n"
               "Sample documents: ")
        + shippedFilesFolder + conversion::nativeSeparator() + QStringLiteral("Samples\n")
        + QStringLiteral("Batch conversion from the command line: folioquill-convert --help\n");
}

QString startVersionText() { return QStringLiteral("folioquill " FQ_VERSION "\n"); }

} // namespace fq::app
