#pragma once

#include "MarketFixture.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <QVector>

// A program folder for the detail page's widget tests: Setup.xml, the catalog with its icons and
// screenshots, and the state list in a temporary folder that becomes the working directory; the
// settings store and the catalog singletons are then loaded from it as start-up does.
namespace detailtest {

struct Tool
{
    int iKey = 2;
    QString strEnName;
    QString strChName;
    QString strExeName;
    QString strEnIntro;
    QString strChIntro;
    QString strUpdateIntro;
    QString strVersion = QStringLiteral("1.0");
    double dSize = 1.0;
    int iImages = 0; // DetailImagesNum
    int iIsDownload = 0;
    int iIsNeedUpdate = 0;
};

class ProgramFolder : public markettest::ProgramFolder
{
public:
    bool setUp(const QVector<Tool> &vectTools, int iTranslator);
    // A drawn picture of a tool window; returns its path.
    QString writeImage(const QString &strRelativePath, const QSize &size, const QString &strCaption) const
    {
        return markettest::ProgramFolder::writeImage(strRelativePath, size, QColor("#3B6FD1"), strCaption);
    }
};

} // namespace detailtest
