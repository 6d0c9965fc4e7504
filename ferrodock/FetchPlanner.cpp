#include "FetchPlanner.h"

#include "PackageFetcher.h"
#include "Sha256Digest.h"
#include "Utilities.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <mutex>

namespace gearbay {

namespace {

constexpr qint64 kMaxIndexBytes = 8 << 20;
constexpr qint64 kMaxSignatureBytes = 4096;
constexpr long kIndexTimeoutSeconds = 30;

// Jobs of one Ferrodock read and raise the stored serial from several threads.
std::mutex s_serialMutex;

} // namespace

FetchPlanner::FetchPlanner(const QString &strProgramDir)
    : m_config(strProgramDir)
{
}

bool FetchPlanner::load(QString *pError)
{
    if (!m_config.load(pError))
        return false;
    m_strKeyError.clear();
    if (!m_verifier.setKeys(m_config.publicKeys(), &m_strKeyError))
        qWarning().noquote() << "---orlenk--- CatalogPublicKey:" << m_strKeyError;
    return true;
}

QStringList FetchPlanner::bases(const QString &strServer) const
{
    QStringList strBases{strServer};
    for (const QString &strMirror : m_config.mirrors()) {
        if (!strBases.contains(strMirror))
            strBases.append(strMirror);
    }
    return strBases;
}

FetchPlanner::Decision FetchPlanner::plan(int iMethod, const QString &strUrl)
{
    Decision decision;
    auto refuse = [&decision](int iCode, const QString &strDetail) {
        decision.iRefusal = iCode;
        decision.strDetail = strDetail;
        return decision;
    };
    // Anything outside the catalog server is, from where we stand, a file that does not exist.
    const QString strServer = m_config.serverFor(strUrl);
    const QString strPath = m_config.relativePath(strUrl);
    if (strServer.isEmpty() || strPath.isEmpty())
        return refuse(DownloadJob::kNotFound, QStringLiteral("not below a configured server address"));

    DownloadJob::Plan &plan = decision.plan;
    plan.strUrl = strUrl;
    plan.strProxy = m_config.proxy();
    plan.strCaFile = m_config.caFile();
    if (iMethod == 1) {
        plan.emKind = DownloadJob::Kind::Material;
        plan.strTarget = m_config.programDir() + QStringLiteral("/ToolsFileTemp");
    } else if (iMethod == 2) {
        plan.emKind = DownloadJob::Kind::Program;
        plan.strTarget = QDir::homePath() + QStringLiteral("/Rig Warden");
    } else {
        plan.emKind = DownloadJob::Kind::Tool;
        plan.strExeName = m_config.exeNameForUrl(strUrl);
        if (plan.strExeName.isEmpty())
            return refuse(DownloadJob::kNotFound, QStringLiteral("no tool of the catalog has this download path"));
        const QString strFolder = toolFolderName(plan.strExeName);
        if (plan.strExeName.contains(QLatin1Char('/')) || strFolder.isEmpty() || strFolder == QLatin1String("..")
            || strFolder == QLatin1String(".") || m_config.downloadPath().isEmpty())
            return refuse(DownloadJob::kCannotSave, QStringLiteral("no usable folder for ExeName \"%1\"").arg(plan.strExeName));
        plan.strTarget = m_config.downloadPath() + QStringLiteral("/SubTools/") + strFolder;
    }

    if (!isTrustConfigured()) {
        plan.strSources = QStringList{strServer + QLatin1Char('/') + strPath};
        return decision;
    }
    int iCode = 0;
    QString strDetail;
    if (!verifiedIndex(strServer, &iCode, &strDetail))
        return refuse(iCode, strDetail);
    if (!m_index.contains(strPath))
        return refuse(DownloadJob::kUnverified, QStringLiteral("%1 is not listed in the signed catalog index").arg(strPath));
    plan.bVouched = true;
    plan.iSize = m_index.file(strPath).iSize;
    plan.sha256 = m_index.file(strPath).sha256;
    for (const QString &strBase : bases(strServer))
        plan.strSources.append(strBase + QLatin1Char('/') + strPath);
    return decision;
}

QString FetchPlanner::materialVersion(const QString &strServerAddress)
{
    const QString strServer = m_config.serverFor(strServerAddress);
    if (strServer.isEmpty())
        return QString();
    const QString strFile = QStringLiteral("MaterialVersion.txt");
    QStringList strBases{strServer};
    protocol::CatalogIndex::File listed;
    if (isTrustConfigured()) {
        int iCode = 0;
        QString strDetail;
        if (!verifiedIndex(strServer, &iCode, &strDetail)) {
            qWarning().noquote() << "---orlenk--- material version not answered:" << strDetail;
            return QString();
        }
        if (!m_index.contains(strFile)) {
            qWarning().noquote() << "---orlenk--- material version not answered:" << strFile << "is not listed";
            return QString();
        }
        listed = m_index.file(strFile);
        strBases = bases(strServer);
    }
    for (const QString &strBase : strBases) {
        QByteArray body;
        PackageFetcher fetcher;
        fetcher.setProxy(m_config.proxy());
        fetcher.setCaFile(m_config.caFile());
        const qint64 iMax = isTrustConfigured() ? listed.iSize : 4096;
        if (fetcher.fetchToMemory(strBase + QLatin1Char('/') + strFile, iMax, &body, 15) != PackageFetcher::Outcome::Ok) {
            qWarning().noquote() << "---orlenk--- material version from" << strBase << ":" << fetcher.lastDetail();
            continue;
        }
        if (isTrustConfigured()) {
            Sha256Digest hash;
            hash.addData(body.constData(), size_t(body.size()));
            if (body.size() != listed.iSize || hash.result() != listed.sha256) {
                qWarning().noquote() << "---orlenk--- material version from" << strBase
                                     << "does not match the signed catalog index";
                continue;
            }
        }
        return QString::fromUtf8(body).trimmed();
    }
    return QString();
}

bool FetchPlanner::verifiedIndex(const QString &strServer, int *pCode, QString *pDetail)
{
    if (m_bIndexRead && m_strIndexServer == strServer) {
        *pCode = m_iIndexCode;
        *pDetail = m_strIndexDetail;
        return m_bIndexOk;
    }
    m_bIndexRead = true;
    m_strIndexServer = strServer;
    m_bIndexOk = false;
    // A key text that holds no key refuses everything rather than trusting everything.
    if (!m_verifier.hasKeys() || !m_strKeyError.isEmpty()) {
        m_iIndexCode = DownloadJob::kUnverified;
        m_strIndexDetail = QStringLiteral("CatalogPublicKey holds no usable key: %1").arg(m_strKeyError);
        *pCode = m_iIndexCode;
        *pDetail = m_strIndexDetail;
        return false;
    }
    // The first failure that concerns the bytes themselves decides the code; unreachable servers alone
    // are a network failure.
    m_iIndexCode = DownloadJob::kNetworkFailure;
    QStringList strReasons;
    for (const QString &strBase : bases(strServer)) {
        const QString strIndexUrl = strBase + QLatin1Char('/') + QLatin1String(protocol::CatalogIndex::kFileName);
        PackageFetcher fetcher;
        fetcher.setProxy(m_config.proxy());
        fetcher.setCaFile(m_config.caFile());
        QByteArray index;
        QByteArray signature;
        PackageFetcher::Outcome emOutcome = fetcher.fetchToMemory(strIndexUrl, kMaxIndexBytes, &index, kIndexTimeoutSeconds);
        if (emOutcome == PackageFetcher::Outcome::Ok)
            emOutcome = fetcher.fetchToMemory(strIndexUrl + QStringLiteral(".minisig"), kMaxSignatureBytes, &signature,
                                              kIndexTimeoutSeconds);
        QString strReason;
        if (emOutcome == PackageFetcher::Outcome::NotFound) {
            strReason = QStringLiteral("catalog index or its signature missing");
            m_iIndexCode = DownloadJob::kUnverified;
        } else if (emOutcome != PackageFetcher::Outcome::Ok) {
            strReason = fetcher.lastDetail();
        } else if (!m_verifier.verify(index, signature, &strReason)
                   || !m_index.parse(index, &strReason)) {
            m_iIndexCode = DownloadJob::kUnverified;
        } else if (m_index.expires() < QDateTime::currentDateTimeUtc()) {
            strReason = QStringLiteral("catalog index expired at %1").arg(m_index.expires().toString(Qt::ISODate));
            m_iIndexCode = DownloadJob::kUnverified;
        } else if (!acceptSerial(m_index.serial(), &strReason)) {
            m_iIndexCode = DownloadJob::kUnverified;
        } else {
            m_bIndexOk = true;
            m_iIndexCode = 0;
            m_strIndexDetail.clear();
            return true;
        }
        strReasons.append(strBase + QStringLiteral(": ") + strReason);
    }
    m_strIndexDetail = QStringLiteral("no verified catalog index (%1)").arg(strReasons.join(QStringLiteral("; ")));
    *pCode = m_iIndexCode;
    *pDetail = m_strIndexDetail;
    return false;
}

bool FetchPlanner::acceptSerial(quint64 iSerial, QString *pDetail) const
{
    std::lock_guard<std::mutex> lock(s_serialMutex);
    const QString strPath = m_config.programDir() + QLatin1Char('/') + QLatin1String(kSerialFile);
    QFile stored(strPath);
    quint64 iHighest = 0;
    if (stored.open(QIODevice::ReadOnly))
        iHighest = stored.readAll().trimmed().toULongLong();
    if (iSerial < iHighest) {
        *pDetail = QStringLiteral("catalog index serial %1 is older than the %2 already accepted").arg(iSerial).arg(iHighest);
        return false;
    }
    if (iSerial == iHighest)
        return true;
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray::number(iSerial) + '\n') < 0 || !file.commit()) {
        // Without a record a later rollback could not be noticed: refuse rather than go on unprotected.
        *pDetail = QStringLiteral("cannot record the catalog index serial in %1").arg(strPath);
        return false;
    }
    return true;
}

} // namespace gearbay
