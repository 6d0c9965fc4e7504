#pragma once

#include <QCryptographicHash>
#include <QDirIterator>
#include <QXmlStreamReader>
#include <QtTest>

// File helpers for the tests that check folders byte for byte.

inline QByteArray readFile(const QString &strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString &strPath, const QByteArray &content, bool bExecutable = false)
{
    QVERIFY(QDir().mkpath(QFileInfo(strPath).path()));
    QFile file(strPath);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(strPath));
    file.write(content);
    file.close();
    if (bExecutable)
        file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

// Every entry below strDir: files by a digest of their bytes, links by target relative to their folder
// (so a moved tree compares equal), folders as "dir" (folders and links left out when bFilesOnly).
inline QMap<QString, QByteArray> snapshot(const QString &strDir, bool bFilesOnly = false)
{
    QMap<QString, QByteArray> entries;
    const QDir::Filters filters = QDir::Hidden | QDir::System | QDir::NoDotAndDotDot
        | (bFilesOnly ? QDir::Files : QDir::AllEntries);
    QDirIterator it(strDir, filters, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString strPath = it.next();
        const QFileInfo info = it.fileInfo();
        const QString strLink = QDir(info.path()).relativeFilePath(info.symLinkTarget());
        entries.insert(QDir(strDir).relativeFilePath(strPath),
                       info.isSymLink() && !bFilesOnly ? "link " + QFile::encodeName(strLink)
                           : info.isDir()              ? QByteArray("dir")
                                                       : QCryptographicHash::hash(readFile(strPath), QCryptographicHash::Sha1));
    }
    return entries;
}

// The records of a catalog or state list (ToolsInfoList.xml, ToolsStateList.xml): tool key -> element
// name -> text.
inline QMap<int, QMap<QString, QString>> readToolRecords(const QString &strPath)
{
    QMap<int, QMap<QString, QString>> records;
    QMap<QString, QString> record;
    QXmlStreamReader xml(readFile(strPath));
    int iDepth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && ++iDepth == 3) {
            record.insert(xml.name().toString(), xml.readElementText());
            --iDepth; // the element's end is read with its text
        } else if (xml.isEndElement() && iDepth-- == 2) {
            records.insert(record.value(QStringLiteral("ToolKey")).toInt(), record);
            record.clear();
        }
    }
    return records;
}
