#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>

namespace gearbay::protocol {

// The catalog's signed list of every file a client fetches. rwcatalog writes it, Ferrodock reads it;
// both use this one definition of the text:
//     rwcatalog-index 1
//     serial <n>                 only grows from one published catalog to the next
//     expires <yyyy-MM-ddThh:mm:ssZ>
//     file <sha256 hex> <size> <path relative to the server address>
class CatalogIndex
{
public:
    struct File
    {
        qint64 iSize = 0;
        QByteArray sha256; // 32 raw bytes
    };

    static constexpr const char *kFileName = "catalog.index";

    quint64 serial() const { return m_iSerial; }
    QDateTime expires() const { return m_dtExpires; }
    const QMap<QString, File> &files() const { return m_mapFiles; }
    bool contains(const QString &strPath) const { return m_mapFiles.contains(strPath); }
    File file(const QString &strPath) const { return m_mapFiles.value(strPath); }

    void setSerial(quint64 iSerial) { m_iSerial = iSerial; }
    void setExpires(const QDateTime &dtExpires) { m_dtExpires = dtExpires.toUTC(); }
    void addFile(const QString &strPath, qint64 iSize, const QByteArray &sha256) { m_mapFiles.insert(strPath, {iSize, sha256}); }

    QByteArray toText() const;
    // False with the offending line when the text is not such an index.
    bool parse(const QByteArray &text, QString *pError);

private:
    quint64 m_iSerial = 0;
    QDateTime m_dtExpires;
    QMap<QString, File> m_mapFiles;
};

} // namespace gearbay::protocol
