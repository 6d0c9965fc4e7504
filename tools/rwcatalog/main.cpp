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
    QCommandLineOption signKey("sign-key", "Sign catalog.index with this minisign secret key.", "file");
    QCommandLineOption serial("serial", "Serial of the catalog index (default: the time, above the old one).", "n");
    QCommandLineOption validDays("valid-days", "Days until the catalog index expires (default 30).", "days", "30");
    QCommandLineOption signOnly("sign", "Only sign an existing catalog's index (with --sign-key).");
    parser.addOptions({signKey, serial, validDays, signOnly});
    parser.addPositionalArgument("description", "The catalog description (JSON).");
    parser.addPositionalArgument("output", "The catalog server folder to write (replaced as a whole).");
    parser.process(app);

    QTextStream err(stderr);
    const QStringList vectArgs = parser.positionalArguments();
    // Signing apart from building: the catalog is built on the server, the index signed where the key is.
    if (parser.isSet(signOnly)) {
        if (vectArgs.size() != 1 || !parser.isSet(signKey)) {
            err << "usage: rwcatalog --sign --sign-key secret.key catalog-folder\n";
            return 2;
        }
        QString strError;
        if (!gearbay::CatalogBuilder::sign(vectArgs[0] + "/catalog.index", parser.value(signKey), &strError)) {
            err << "rwcatalog: " << strError << "\n";
            return 1;
        }
        return 0;
    }
    if (vectArgs.size() != 2) {
        err << "usage: rwcatalog [--program-dir folder] [--sign-key secret.key] [--serial n] [--valid-days n]"
               " description.json output-folder\n";
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
    gearbay::CatalogBuilder::Signing signing;
    bool bSerial = true;
    bool bDays = true;
    signing.iSerial = parser.isSet(serial) ? parser.value(serial).toULongLong(&bSerial) : 0;
    signing.iValidDays = parser.value(validDays).toInt(&bDays);
    signing.strSecretKey = parser.value(signKey);
    if (!bSerial || !bDays || signing.iValidDays <= 0 || (parser.isSet(serial) && signing.iSerial == 0)) {
        err << "rwcatalog: --serial and --valid-days take whole numbers above 0\n";
        return 2;
    }
    builder.setSigning(signing);
    if (!builder.build(vectArgs[1], &strError)) {
        err << "rwcatalog: " << strError << "\n";
        return 1;
    }
    return 0;
}
