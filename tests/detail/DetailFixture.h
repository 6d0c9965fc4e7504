#pragma once

#include <QSize>
#include <QString>
#include <QTemporaryDir>
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

class ProgramFolder
{
public:
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

    bool setUp(const QVector<Tool> &vectTools, int iTranslator);
    // A drawn picture of a tool window; returns its path.
    QString writeImage(const QString &strRelativePath, const QSize &size, const QString &strCaption) const;
    QString writeFile(const QString &strRelativePath, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

// Saves a grab of the widget as <RW_ARTEFACTS or the build's artefacts folder>/<name>.png.
QString saveScreenshot(QWidget *widget, const QString &strName);

} // namespace detailtest
