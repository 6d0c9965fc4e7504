#include "MarketFixture.h"

#include "ConfigureStore.h"
#include "ToolCatalog.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <QXmlStreamWriter>

#include <functional>

namespace markettest {

namespace {

bool writeXml(const QString &strPath, const std::function<void(QXmlStreamWriter &)> &body)
{
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    body(xml);
    xml.writeEndDocument();
    return !xml.hasError();
}

} // namespace

bool ProgramFolder::setUp(const QVector<Tool> &vectTools, const QVector<State> &vectStates, int iTranslator)
{
    if (!m_dir.isValid())
        return false;
    QDir root(m_dir.path());
    if (!root.mkpath("ToolsFile/Icon") || !root.mkpath("Downloads/SubTools"))
        return false;

    const QString strDownloads = downloadPath();
    bool bOk = writeXml(root.filePath("Setup.xml"), [&](QXmlStreamWriter &xml) {
        xml.writeStartElement("Configure");
        const QList<QPair<QString, QString>> keys = {
            { "Translator", QString::number(iTranslator) },
            { "VersionType", "1" },
            { "DownloadPath", strDownloads },
            { "IsCloseOpenTools", "0" },
            { "IsNeedUpdate", "0" },
            { "ChServerAddress", "http://127.0.0.1:9" },
            { "EnServerAddress", "http://127.0.0.1:9" },
            { "DirectoryServer", "ldap://127.0.0.1:9" },
            { "DirectoryUserDn", "uid=%1,ou=people,dc=example,dc=org" },
        };
        for (const auto &key : keys) {
            xml.writeStartElement(key.first);
            xml.writeTextElement("Value", key.second);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });

    bOk = bOk && writeXml(root.filePath("ToolsFile/ToolsInfoList.xml"), [&](QXmlStreamWriter &xml) {
        xml.writeStartElement("Tools");
        for (const Tool &tool : vectTools) {
            xml.writeStartElement("Tool");
            xml.writeTextElement("ToolKey", QString::number(tool.iKey));
            xml.writeTextElement("ToolType", QString::number(tool.iType));
            xml.writeTextElement("ToolCHName", tool.strChName);
            xml.writeTextElement("ToolENName", tool.strEnName);
            xml.writeTextElement("Version", "1.0");
            xml.writeTextElement("IconMidName", tool.strIcon);
            xml.writeTextElement("BriefCHIntro", tool.strChName + QString::fromUtf8("：一个演示工具"));
            xml.writeTextElement("BriefENIntro", tool.strEnName + " does one small job well.");
            xml.writeTextElement("ExeName", tool.strExeName);
            xml.writeTextElement("ToolSize", QString::number(tool.dSize, 'f', 1));
            xml.writeTextElement("IsDown", QString::number(tool.iIsDown));
            xml.writeTextElement("DownloadCHUrl", "tools/" + tool.strEnName + ".tar.gz");
            xml.writeTextElement("DownloadENUrl", "tools/" + tool.strEnName + ".tar.gz");
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });

    bOk = bOk && writeXml(root.filePath("ToolsStateList.xml"), [&](QXmlStreamWriter &xml) {
        xml.writeStartElement("Tools");
        for (const State &state : vectStates) {
            xml.writeStartElement("State");
            xml.writeTextElement("ToolKey", QString::number(state.iKey));
            xml.writeTextElement("CurrentVersion", "1.0");
            xml.writeTextElement("IsDownload", QString::number(state.iIsDownload));
            xml.writeTextElement("IsNewTools", QString::number(state.iIsNewTools));
            xml.writeTextElement("IsNeedUpdate", "0");
            xml.writeTextElement("ListOrder", "0");
            xml.writeEndElement();
        }
        xml.writeEndElement();
    });
    if (!bOk || !QDir::setCurrent(m_dir.path()))
        return false;
    return gearbay::ConfigureStore::instance()->load(root.filePath("Setup.xml"))
        && gearbay::ToolCatalog::instance()->init();
}

QString ProgramFolder::writeImage(const QString &strRelativePath, const QSize &size, const QColor &color,
                                  const QString &strLabel) const
{
    const QString strPath = m_dir.filePath(strRelativePath);
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    if (!strLabel.isEmpty()) {
        QPainter painter(&image);
        QFont font = painter.font();
        font.setPixelSize(qMax(10, size.height() / 4));
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(image.rect(), Qt::AlignCenter, strLabel);
    }
    image.save(strPath, "PNG");
    return strPath;
}

QString ProgramFolder::writeFile(const QString &strRelativePath, const QByteArray &bytes) const
{
    const QString strPath = m_dir.filePath(strRelativePath);
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return strPath;
}

ModalCloser::ModalCloser()
{
    connect(&m_timer, &QTimer::timeout, this, &ModalCloser::onTick);
    m_timer.start(20);
}

void ModalCloser::onTick()
{
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!dialog)
        return;
    m_listClosed.append(QString::fromLatin1(dialog->metaObject()->className()));
    dialog->reject();
}

QString saveScreenshot(QWidget *widget, const QString &strName)
{
    QString strFolder = qEnvironmentVariable("RW_ARTEFACTS");
    if (strFolder.isEmpty())
        strFolder = QStringLiteral(RW_BUILD_DIR "/artefacts");
    QDir().mkpath(strFolder);
    const QString strPath = strFolder + "/" + strName + ".png";
    widget->grab().save(strPath, "PNG");
    return strPath;
}

} // namespace markettest
