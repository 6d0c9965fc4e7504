#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>
#include <QVector>

// A throwaway program folder: Setup.xml and ToolsFile/ToolsInfoList.xml written as the program ships
// them, a download path and a home folder inside it, and room for copies of the program's executables.
class TempProgramFolder
{
public:
    struct Tool
    {
        int iKey = 2;
        QString strExeName;
        QString strChUrl; // download path under the server address
        QString strEnUrl;
        QString strVersion = QStringLiteral("1.0");
    };

    TempProgramFolder();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    // "<folder>/Downloads": the DownloadPath written into Setup.xml.
    QString downloadPath() const { return path() + QStringLiteral("/Downloads"); }
    // "<folder>/home": give it as HOME to child processes so they never touch the real home.
    QString homePath() const { return path() + QStringLiteral("/home"); }

    // Setup.xml with every key; the addresses and the proxy setting are written as given, then the
    // extra keys (name, value), e.g. the catalog's trust settings.
    bool writeSetup(const QString &strChServer, const QString &strEnServer, int iTranslator = 0,
                    const QString &strProxy = QString(), const QList<QPair<QString, QString>> &extraKeys = {});
    bool writeCatalog(const QVector<Tool> &vectTools);
    // Copies an executable into the folder (keeping its name) and returns the copy's path, or empty.
    QString installExecutable(const QString &strExecutable);

private:
    QTemporaryDir m_dir;
};
