#pragma once

#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

// Settings, catalog and state files written from tables of fields, as the program writes them.
using XmlFields = QList<QPair<QString, QString>>;

// "<tag><key>text</key>...</tag>", or with bValues "<tag><key><Value>text</Value></key>...</tag>".
inline QString xmlElement(const QString &strTag, const XmlFields &fields, bool bValues = false)
{
    QString strXml;
    for (const auto &field : fields)
        strXml += QString(bValues ? "<%1><Value>%2</Value></%1>" : "<%1>%2</%1>")
                      .arg(field.first, field.second.toHtmlEscaped());
    return QString("<%1>%2</%1>\n").arg(strTag, strXml);
}

// A state list entry (ToolsStateList.xml) as the program writes it.
inline QString stateElement(
    int iKey, const QString &strVersion, int iIsDownload, int iIsNew = 0, int iOrder = 0)
{
    return xmlElement(QStringLiteral("State"),
        { { "ToolKey", QString::number(iKey) }, { "CurrentVersion", strVersion },
            { "IsDownload", QString::number(iIsDownload) }, { "IsNewTools", QString::number(iIsNew) },
            { "IsNeedUpdate", "0" }, { "ListOrder", QString::number(iOrder) } });
}

inline bool writeXmlFile(const QString &strPath, const QString &strContent)
{
    QFile file(strPath);
    const QByteArray content = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + strContent.toUtf8();
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}
