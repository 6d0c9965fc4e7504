// rwcatalog: builds a catalog server folder for Rig Warden from a JSON description of the tools.

#include "CatalogBuilder.h"
#include "CatalogDescription.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("rwcatalog");
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));

    QCommandLineParser parser;
    parser.setApplicationDescription("Builds a Rig Warden catalog server folder from a description of the tools.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption programDir("program-dir", "Pack this folder as the program package.", "folder");
    parser.addOption(programDir);
    parser.addPositionalArgument("description", "The catalog description (JSON).");
    parser.addPositionalArgument("output", "The catalog server folder to write (replaced as a whole).");
    parser.process(app);

    QTextStream err(stderr);
    const QStringList vectArgs = parser.positionalArguments();
    if (vectArgs.size() != 2) {
        err << "usage: rwcatalog [--program-dir folder] description.json output-folder\n";
        return 2;
    }

    gearbay::CatalogDescription description;
    QString strError;
    if (!description.load(vectArgs[0], &strError)) {
        err << "rwcatalog: " << strError << "\n";
        return 1;
    }
    if (parser.isSet(programDir))
        description.setProgramFolder(parser.value(programDir));
    if (!description.validate(&strError)) {
        err << "rwcatalog: " << vectArgs[0] << ": " << strError << "\n";
        return 1;
    }
    gearbay::CatalogBuilder builder(description);
    if (!builder.build(vectArgs[1], &strError)) {
        err << "rwcatalog: " << strError << "\n";
        return 1;
    }
    return 0;
}
