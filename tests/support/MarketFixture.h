#pragma once

#include "TestXml.h"

#include <QList>
#include <QPair>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QVector>

// A program folder for the market page's widget tests: Setup.xml, the catalog, the state list and
// the catalog images in a temporary folder that becomes the working directory, then the settings
// store and the catalog are loaded from it as start-up does.
namespace markettest {

using Fields = XmlFields;
using ::xmlElement;
// The keys of a Setup.xml whose download path and catalog server are given.
Fields setupKeys(int iTranslator, const QString &strDownloadPath, const QString &strServer);

struct Tool
{
    int iKey = 2;
    int iType = 1;
    QString strEnName;
    QString strChName;
    QString strExeName;
    QString strIcon; // file under ToolsFile/Icon, written by the test itself
    double dSize = 1.0;
    int iIsDown = 0;
};

struct State
{
    int iKey = 2;
    int iIsDownload = 0;
    int iIsNewTools = 0;
};

class ProgramFolder
{
public:
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString downloadPath() const { return m_dir.path() + "/Downloads"; }

    // Writes everything, enters the folder and loads the settings and the catalog singletons.
    bool setUp(const QVector<Tool> &vectTools, const QVector<State> &vectStates, int iTranslator);
    // The same from ready-made <Tool> and <State> elements and Setup.xml keys.
    bool writeAndLoad(const QString &strTools, const QString &strStates, const Fields &setup);
    // A PNG of the given colour; returns its path.
    QString writeImage(const QString &strRelativePath, const QSize &size, const QColor &color,
                       const QString &strLabel = QString()) const;
    // Any bytes at all, for "a file that is not an image".
    QString writeFile(const QString &strRelativePath, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
};

// Closes every modal dialog that opens (rejecting it) while it lives, so no test ever blocks on one;
// remembers the class names of the dialogs it closed.
class ModalCloser : public QObject
{
    Q_OBJECT
public:
    ModalCloser();
    QStringList closed() const { return m_listClosed; }

private:
    QTimer m_timer;
    QStringList m_listClosed;
};

// Saves a grab of the widget as <RW_ARTEFACTS or the build's artefacts folder>/<name>.png.
QString saveScreenshot(QWidget *widget, const QString &strName);

} // namespace markettest
