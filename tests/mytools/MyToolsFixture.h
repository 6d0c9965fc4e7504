#pragma once

#include "MarketFixture.h"

#include <QString>
#include <QVector>

// A program folder for the My Tools page's tests: Setup.xml, the catalog, the state list, icons
// and the installed tools' folders in a temporary folder that becomes the working directory;
// then the settings store and the catalog are loaded from it as start-up does.
namespace mytoolstest {

struct Tool
{
    int iKey = 2;
    QString strName; // English name; the executable is "<name>.bin"
    QString strVersion = "1.0"; // offered by the catalog
    QString strInstalled = "1.0"; // CurrentVersion of the state list
    int iIsDownload = 1;
    int iListOrder = 0;
    QString strExeName; // overrides "<name>.bin" when set
};

class ProgramFolder : public markettest::ProgramFolder
{
public:
    QString toolFolder(const QString &strName) const { return downloadPath() + "/SubTools/" + strName; }

    // bInstallFolders: create SubTools/<name>/<exe> for every installed tool.
    bool setUp(const QVector<Tool> &vectTools, bool bInstallFolders = true);
};

} // namespace mytoolstest
