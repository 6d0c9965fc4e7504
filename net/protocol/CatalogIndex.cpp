#include "CatalogIndex.h"

#include <QList>

namespace gearbay::protocol {

namespace {
const char kMagic[] = "rwcatalog-index 1";
const QString kDateFormat = QStringLiteral("yyyy-MM-ddTHH:mm:ssZ");
} // namespace

QByteArray CatalogIndex::toText() const
{
    QByteArray text = QByteArray(kMagic) + '\n';
    text += "serial " + QByteArray::number(m_iSerial) + '\n';
    text += "expires " + m_dtExpires.toUTC().toString(kDateFormat).toLatin1() + '\n';
    for (auto it = m_mapFiles.cbegin(); it != m_mapFiles.cend(); ++it)
        text += "file " + it->sha256.toHex() + ' ' + QByteArray::number(it->iSize) + ' ' + it.key().toUtf8() + '\n';
    return text;
}

bool CatalogIndex::parse(const QByteArray &text, QString *pError)
{
    m_iSerial = 0;
    m_dtExpires = QDateTime();
    m_mapFiles.clear();
    const QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kMagic) {
        *pError = QStringLiteral("not a catalog index (first line)");
        return false;
    }
    bool bSerial = false;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const QList<QByteArray> fields = line.split(' ');
        bool bOk = false;
        if (fields.first() == "serial" && fields.size() == 2) {
            m_iSerial = fields.at(1).toULongLong(&bOk);
            bSerial = bOk;
        } else if (fields.first() == "expires" && fields.size() == 2) {
            m_dtExpires = QDateTime::fromString(QString::fromLatin1(fields.at(1)), kDateFormat);
            m_dtExpires.setTimeSpec(Qt::UTC);
            bOk = m_dtExpires.isValid();
        } else if (fields.first() == "file" && fields.size() == 4 && fields.at(1).size() == 64) {
            const QByteArray sha256 = QByteArray::fromHex(fields.at(1));
            const qint64 iSize = fields.at(2).toLongLong(&bOk);
            bOk = bOk && iSize >= 0 && sha256.size() == 32 && !fields.at(3).isEmpty();
            if (bOk)
                m_mapFiles.insert(QString::fromUtf8(fields.at(3)), {iSize, sha256});
        }
        if (!bOk) {
            *pError = QStringLiteral("catalog index line %1 unreadable").arg(i + 1);
            return false;
        }
    }
    if (!bSerial || !m_dtExpires.isValid()) {
        *pError = QStringLiteral("catalog index without serial or expiry");
        return false;
    }
    return true;
}

} // namespace gearbay::protocol
