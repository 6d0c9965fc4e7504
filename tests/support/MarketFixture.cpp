#include "MarketFixture.h"

#include "ConfigureStore.h"
#include "TestFiles.h"
#include "ToolCatalog.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace markettest {

Fields setupKeys(int iTranslator, const QString &strDownloadPath, const QString &strServer)
{
    return { { "Translator", QString::number(iTranslator) }, { "VersionType", "1" },
             { "DownloadPath", strDownloadPath }, { "IsCloseOpenTools", "0" }, { "IsNeedUpdate", "0" },
             { "ChServerAddress", strServer }, { "EnServerAddress", strServer },
             { "DirectoryServer", "ldap://127.0.0.1:9" }, { "DirectoryUserDn", "uid=%1,ou=people,dc=example,dc=org" } };
}

bool ProgramFolder::setUp(const QVector<Tool> &vectTools, const QVector<State> &vectStates, int iTranslator)
{
    QString strTools;
    for (const Tool &tool : vectTools) {
        const QString strUrl = "tools/" + tool.strEnName + ".tar.gz";
        strTools += xmlElement("Tool", { { "ToolKey", QString::number(tool.iKey) }, { "ToolType", QString::number(tool.iType) },
                                         { "ToolCHName", tool.strChName }, { "ToolENName", tool.strEnName },
                                         { "Version", "1.0" }, { "IconMidName", tool.strIcon },
                                         { "BriefCHIntro", tool.strChName + QString::fromUtf8("：一个演示工具") },
                                         { "BriefENIntro", tool.strEnName + " does one small job well." },
                                         { "ExeName", tool.strExeName }, { "ToolSize", QString::number(tool.dSize, 'f', 1) },
                                         { "IsDown", QString::number(tool.iIsDown) },
                                         { "DownloadCHUrl", strUrl }, { "DownloadENUrl", strUrl } });
    }
    QString strStates;
    for (const State &state : vectStates)
        strStates += stateElement(state.iKey, "1.0", state.iIsDownload, state.iIsNewTools);
    return writeAndLoad(strTools, strStates, setupKeys(iTranslator, downloadPath(), "http://127.0.0.1:9"));
}

bool ProgramFolder::writeAndLoad(const QString &strTools, const QString &strStates, const Fields &setup)
{
    QDir root(m_dir.path());
    return m_dir.isValid() && root.mkpath("ToolsFile/Icon") && root.mkpath("Downloads/SubTools")
        && writeXmlFile(root.filePath("Setup.xml"), xmlElement("Configure", setup, true))
        && writeXmlFile(root.filePath("ToolsFile/ToolsInfoList.xml"), "<Tools>\n" + strTools + "</Tools>\n")
        && writeXmlFile(root.filePath("ToolsStateList.xml"), "<Tools>\n" + strStates + "</Tools>\n")
        && QDir::setCurrent(m_dir.path()) && gearbay::ConfigureStore::instance()->load(root.filePath("Setup.xml"))
        && gearbay::ToolCatalog::instance()->init();
}

QString ProgramFolder::writeImage(const QString &strRelativePath, const QSize &size, const QColor &color,
                                  const QString &strLabel) const
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(qMax(10, size.height() / 4));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(image.rect(), Qt::AlignCenter, strLabel);
    painter.end();
    const QString strPath = m_dir.filePath(strRelativePath);
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    image.save(strPath, "PNG");
    return strPath;
}

QString ProgramFolder::writeFile(const QString &strRelativePath, const QByteArray &bytes) const
{
    ::writeFile(m_dir.filePath(strRelativePath), bytes);
    return m_dir.filePath(strRelativePath);
}

ModalCloser::ModalCloser()
{
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            m_listClosed.append(QString::fromLatin1(dialog->metaObject()->className()));
            dialog->reject();
        }
    });
    m_timer.start(20);
}

QString saveScreenshot(QWidget *widget, const QString &strName)
{
    QString strFolder = qEnvironmentVariable("RW_ARTEFACTS");
    if (strFolder.isEmpty())
        strFolder = QStringLiteral(RW_BUILD_DIR "/artefacts");
    QDir().mkpath(strFolder);
    // Shown and hidden bars are laid out only when the posted layout requests run.
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
    const QString strPath = strFolder + "/" + strName + ".png";
    widget->grab().save(strPath, "PNG");
    return strPath;
}

} // namespace markettest
