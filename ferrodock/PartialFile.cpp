#include "PartialFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace gearbay {

namespace {

const QString kPrefix = QStringLiteral(".ferrodock-");
const QString kSuffix = QStringLiteral(".part");
const QString kRecordSuffix = QStringLiteral(".part.json");

} // namespace

PartialFile::PartialFile(const QString &strUrl, const QString &strTarget)
    : m_strUrl(strUrl)
{
    const QFileInfo target(strTarget);
    const QString strKey = QString::fromLatin1(
        QCryptographicHash::hash(strUrl.toUtf8(), QCryptographicHash::Sha256).toHex().left(16));
    const QString strBase = target.absolutePath() + QLatin1Char('/') + kPrefix + target.fileName() + QLatin1Char('-') + strKey;
    m_strPath = strBase + kSuffix;
    m_strRecordPath = strBase + kRecordSuffix;
}

PackageFetcher::Resume PartialFile::resumePoint()
{
    PackageFetcher::Resume resume;
    const QFileInfo partial(m_strPath);
    QFile record(m_strRecordPath);
    const bool bHttp = m_strUrl.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
                       || m_strUrl.startsWith(QLatin1String("https://"), Qt::CaseInsensitive);
    QJsonObject fields;
    if (bHttp && partial.isFile() && !partial.isSymLink() && partial.size() > 0 && record.open(QIODevice::ReadOnly))
        fields = QJsonDocument::fromJson(record.read(64 * 1024)).object();
    if (fields.value(QStringLiteral("url")).toString() != m_strUrl) {
        remove();
        return resume;
    }
    resume.iTotal = qint64(fields.value(QStringLiteral("total")).toDouble());
    if (resume.iTotal > 0 && partial.size() >= resume.iTotal) {
        // Complete or longer than announced: the package changed or the record is wrong; fetch it whole.
        remove();
        return PackageFetcher::Resume();
    }
    resume.iFrom = partial.size();
    // A weak ETag may not be used with If-Range; the date stands in for it then.
    const QByteArray etag = fields.value(QStringLiteral("etag")).toString().toLatin1();
    resume.ifRange = !etag.isEmpty() && !etag.startsWith("W/")
                         ? etag
                         : fields.value(QStringLiteral("lastModified")).toString().toLatin1();
    return resume;
}

void PartialFile::remember(const PackageFetcher::Announced &announced)
{
    // A resumed answer's validators describe the same package: the record stays as it was.
    if (announced.iFrom > 0)
        return;
    const QJsonObject fields{{QStringLiteral("url"), m_strUrl},
                             {QStringLiteral("total"), double(announced.iTotal)},
                             {QStringLiteral("etag"), QString::fromLatin1(announced.etag)},
                             {QStringLiteral("lastModified"), QString::fromLatin1(announced.lastModified)}};
    QSaveFile record(m_strRecordPath);
    if (record.open(QIODevice::WriteOnly)) {
        record.write(QJsonDocument(fields).toJson(QJsonDocument::Compact));
        record.commit();
    }
}

void PartialFile::keep()
{
    if (QFileInfo(m_strPath).size() <= 0)
        remove();
}

void PartialFile::remove()
{
    QFile::remove(m_strPath);
    QFile::remove(m_strRecordPath);
}

void PartialFile::removeStale(const QString &strFolder, int iDays)
{
    const QDateTime dtOldest = QDateTime::currentDateTime().addDays(-iDays);
    const QFileInfoList entries = QDir(strFolder).entryInfoList(
        {kPrefix + QLatin1Char('*') + kSuffix, kPrefix + QLatin1Char('*') + kRecordSuffix}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        if (entry.lastModified() < dtOldest)
            QFile::remove(entry.absoluteFilePath());
    }
}

} // namespace gearbay
