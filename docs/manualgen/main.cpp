// rwmanual: renders the Markdown user manual into the PDF shipped beside the program.
// Usage: rwmanual <manual.md> <output.pdf> <en|zh> [screenshot folder]

#include "ManualBuilder.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Fonts and painting need a GUI application, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() < 4 || (args.at(3) != "en" && args.at(3) != "zh")) {
        err << "usage: rwmanual <manual.md> <output.pdf> <en|zh> [screenshot folder]\n";
        return 2;
    }
    manualgen::ManualBuilder builder(args.at(3) == "zh");
    if (args.size() > 4)
        builder.setScreenshotFolder(args.at(4));
    QString strError;
    if (!builder.loadMarkdown(args.at(1), &strError) || !builder.writePdf(args.at(2), &strError)) {
        err << "rwmanual: " << strError << "\n";
        return 1;
    }
    return 0;
}
