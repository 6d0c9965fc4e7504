#include "JobWorker.h"

#include "DownloadJob.h"
#include "PackageFetcher.h"
#include "PackageInstaller.h"
#include "PartialFile.h"
#include "Sha256Digest.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace gearbay {

namespace {

// A partial file nobody resumed for this long is not coming back.
constexpr int kPartialDays = 7;

int codeForFetch(PackageFetcher::Outcome emOutcome)
{
    switch (emOutcome) {
    case PackageFetcher::Outcome::NotFound:
        return DownloadJob::kNotFound;
    case PackageFetcher::Outcome::WriteError:
        return DownloadJob::kCannotSave;
    default:
        return DownloadJob::kNetworkFailure;
    }
}

} // namespace

JobWorker::JobWorker(std::shared_ptr<DownloadJob> pJob, const QDateTime &dtServerStarted)
    : m_pJob(std::move(pJob))
    , m_dtServerStarted(dtServerStarted)
{
    setAutoDelete(true);
}

void JobWorker::run()
{
    if (!m_pJob->begin())
        return; // cancelled while waiting for a thread
    const QFileInfo target(m_pJob->target());
    if (!QDir().mkpath(target.absolutePath())) {
        m_pJob->fail(DownloadJob::kCannotSave, QStringLiteral("cannot create %1").arg(target.absolutePath()));
        return;
    }
    const QString strPrefix = QStringLiteral(".ferrodock-") + target.fileName() + QLatin1Char('-');
    removeAbandonedWork(target.absolutePath(), strPrefix);
    PartialFile::removeStale(target.absolutePath(), kPartialDays);
    {
        // Beside the target, so the partial file counts against the right disk and the swap is a rename.
        QTemporaryDir workDir(target.absolutePath() + QLatin1Char('/') + strPrefix + QStringLiteral("XXXXXX"));
        if (!workDir.isValid()) {
            m_pJob->fail(DownloadJob::kCannotSave,
                         QStringLiteral("cannot write in %1: %2").arg(target.absolutePath(), workDir.errorString()));
            return;
        }
        process(workDir.path());
    }
    // The work folder is gone by now, with the staging folder and any replaced version; only now is the
    // outcome published, so no half-installed file outlives a final answer. (The received bytes of a
    // broken transfer stay in their partial file, to be resumed.)
    if (m_bInstalled)
        m_pJob->setState(DownloadJob::State::Done);
    else if (m_iFailCode != 0)
        m_pJob->fail(m_iFailCode, m_strFailDetail);
    else
        m_pJob->setState(DownloadJob::State::Cancelled);
}

void JobWorker::removeAbandonedWork(const QString &strParent, const QString &strPrefix) const
{
    const QFileInfoList entries = QDir(strParent).entryInfoList({strPrefix + QStringLiteral("??????")},
                                                                QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (entry.lastModified() < m_dtServerStarted && !entry.isSymLink())
            QDir(entry.absoluteFilePath()).removeRecursively();
    }
}

void JobWorker::failLater(int iCode, const QString &strDetail)
{
    m_iFailCode = iCode;
    m_strFailDetail = strDetail;
}

void JobWorker::process(const QString &strWorkDir)
{
    const DownloadJob::Plan &plan = m_pJob->plan();
    QByteArray expectedDigest = plan.sha256;
    if (!plan.bVouched && !fetchExpectedDigest(&expectedDigest))
        return;

    PartialFile partial(m_pJob->url(), m_pJob->target());
    // Each source in turn (the server, then its mirrors) until one delivers what the index vouches for;
    // bytes a broken transfer left are resumed from the next one.
    bool bCheckFailed = false;
    int iCode = DownloadJob::kNetworkFailure;
    QStringList strFailures;
    for (int iSource = 0; iSource < plan.strSources.size(); ++iSource) {
        QString strDetail;
        iCode = fetchFrom(plan.strSources.at(iSource), iSource > 0, &partial, expectedDigest, &strDetail);
        if (iCode == kCancelledCode)
            return;
        if (iCode == 0)
            break;
        qWarning().noquote() << "---orlenk---" << plan.strSources.at(iSource) << "failed:" << strDetail;
        strFailures.append(plan.strSources.at(iSource) + QStringLiteral(": ") + strDetail);
        bCheckFailed = bCheckFailed || iCode == DownloadJob::kUnverified;
        // A full disk stays full whichever server sends the bytes.
        if (iCode == DownloadJob::kCannotSave)
            break;
    }
    if (iCode != 0) {
        failLater(bCheckFailed && iCode != DownloadJob::kCannotSave ? int(DownloadJob::kUnverified) : iCode,
                  strFailures.join(QStringLiteral("; ")));
        return;
    }
    const QString strPartial = partial.path();

    m_pJob->setState(DownloadJob::State::Installing);
    const QString strStaging = strWorkDir + QStringLiteral("/staging");
    PackageInstaller installer(m_pJob->cancelFlag());
    if (!QDir().mkdir(strStaging)) {
        partial.remove();
        failLater(DownloadJob::kCannotSave, QStringLiteral("cannot create %1").arg(strStaging));
        return;
    }
    const PackageInstaller::Outcome emExtracted = installer.extract(strPartial, strStaging);
    // The package is no longer needed; free its space before the swap doubles the footprint.
    partial.remove();
    if (emExtracted == PackageInstaller::Outcome::Cancelled || m_pJob->cancelRequested())
        return;
    if (emExtracted != PackageInstaller::Outcome::Ok) {
        failLater(DownloadJob::kCannotSave, installer.lastDetail());
        return;
    }
    QString strDetail;
    const QString strReady = readyFolder(strStaging, &strDetail);
    if (strReady.isEmpty()) {
        failLater(DownloadJob::kCannotSave, strDetail);
        return;
    }
    if (m_pJob->cancelRequested())
        return;
    if (!installer.swapIntoPlace(strReady, m_pJob->target(), strWorkDir + QStringLiteral("/replaced"))) {
        failLater(DownloadJob::kCannotSave, installer.lastDetail());
        return;
    }
    m_bInstalled = true;
}

int JobWorker::fetchFrom(const QString &strSource, bool bOtherSource, PartialFile *pPartial,
                         const QByteArray &expectedDigest, QString *pDetail)
{
    const DownloadJob::Plan &plan = m_pJob->plan();
    // A resumed transfer that turns out unusable (range refused, checksum off) is fetched once more whole.
    for (int iAttempt = 0;; ++iAttempt) {
        PackageFetcher::Resume resume = iAttempt == 0 ? pPartial->resumePoint() : PackageFetcher::Resume();
        // Another server's validator says nothing about this one's bytes; the digest judges the joined file.
        if (bOtherSource)
            resume.ifRange.clear();
        if (iAttempt > 0)
            pPartial->remove();
        m_pJob->setState(DownloadJob::State::Downloading);
        bool bResumed = false;
        Sha256Digest hash(!expectedDigest.isEmpty());
        PackageFetcher fetcher(m_pJob->cancelFlag());
        fetcher.setProxy(plan.strProxy);
        fetcher.setCaFile(plan.strCaFile);
        fetcher.setSizeLimit(plan.bVouched ? plan.iSize : 0);
        const PackageFetcher::Outcome emFetched = fetcher.fetchToFile(
            strSource, pPartial->path(), expectedDigest.isEmpty() ? nullptr : &hash,
            [this](qint64 iReceived, qint64 iTotal) { m_pJob->setProgress(iReceived, iTotal); }, resume,
            [pPartial, &bResumed](const PackageFetcher::Announced &announced) {
                bResumed = announced.iFrom > 0;
                pPartial->remember(announced);
            });
        if (emFetched == PackageFetcher::Outcome::Cancelled || m_pJob->cancelRequested()) {
            if (m_pJob->keepsPartial())
                pPartial->keep();
            else
                pPartial->remove();
            return kCancelledCode;
        }
        if (emFetched == PackageFetcher::Outcome::NotResumable && iAttempt == 0)
            continue;
        *pDetail = fetcher.lastDetail();
        if (emFetched == PackageFetcher::Outcome::TooLarge) {
            pPartial->remove();
            return DownloadJob::kUnverified;
        }
        if (emFetched != PackageFetcher::Outcome::Ok) {
            // Only a broken connection leaves bytes worth resuming; a missing package or a full disk does not.
            if (emFetched == PackageFetcher::Outcome::NetworkError)
                pPartial->keep();
            else
                pPartial->remove();
            return codeForFetch(emFetched);
        }
        m_pJob->setState(DownloadJob::State::Verifying);
        if (!expectedDigest.isEmpty() && hash.result() != expectedDigest) {
            pPartial->remove();
            // The stored half may come from an older package: the whole one decides.
            if (bResumed && iAttempt == 0)
                continue;
            *pDetail = plan.bVouched ? QStringLiteral("SHA-256 differs from the signed catalog index")
                                     : QStringLiteral("checksum mismatch");
            // Unsigned catalogs: the bytes are not what the server published, a broken transfer.
            return plan.bVouched ? DownloadJob::kUnverified : DownloadJob::kNetworkFailure;
        }
        return 0;
    }
}

QString JobWorker::readyFolder(const QString &strStaging, QString *pDetail) const
{
    const QDir staging(strStaging);
    const QStringList entries = staging.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System);
    // A package may wrap its content in one top folder; look inside it when the root lacks what we need.
    const QString strInner = entries.size() == 1 && QFileInfo(staging.filePath(entries.first())).isDir()
                                     && !QFileInfo(staging.filePath(entries.first())).isSymLink()
                                 ? staging.filePath(entries.first())
                                 : QString();
    switch (m_pJob->kind()) {
    case DownloadJob::Kind::Material:
        for (const QString &strRoot : {strStaging, strInner}) {
            if (!strRoot.isEmpty() && QFileInfo(strRoot + QStringLiteral("/ToolsInfoList.xml")).isFile())
                return strRoot;
        }
        *pDetail = QStringLiteral("material package without ToolsInfoList.xml");
        return QString();
    case DownloadJob::Kind::Tool:
        for (const QString &strRoot : {strStaging, strInner}) {
            if (!strRoot.isEmpty() && QFileInfo(strRoot + QLatin1Char('/') + m_pJob->exeName()).isFile())
                return strRoot;
        }
        *pDetail = QStringLiteral("tool package without %1").arg(m_pJob->exeName());
        return QString();
    case DownloadJob::Kind::Program:
        if (entries.isEmpty()) {
            *pDetail = QStringLiteral("empty program package");
            return QString();
        }
        return strInner.isEmpty() ? strStaging : strInner;
    }
    return QString();
}

bool JobWorker::fetchExpectedDigest(QByteArray *pDigest)
{
    QByteArray body;
    PackageFetcher fetcher(m_pJob->cancelFlag());
    fetcher.setProxy(m_pJob->proxy());
    fetcher.setCaFile(m_pJob->plan().strCaFile);
    const PackageFetcher::Outcome emOutcome
        = fetcher.fetchToMemory(m_pJob->plan().strSources.value(0) + QStringLiteral(".sha256"), 4096, &body, 60);
    if (emOutcome == PackageFetcher::Outcome::NotFound)
        return true; // no checksum published: nothing to verify against
    if (emOutcome == PackageFetcher::Outcome::Cancelled || m_pJob->cancelRequested())
        return false;
    if (emOutcome != PackageFetcher::Outcome::Ok) {
        failLater(DownloadJob::kNetworkFailure, QStringLiteral("checksum file: %1").arg(fetcher.lastDetail()));
        return false;
    }
    // "sha256sum" layout: the hex digest, then optionally the file name.
    const QByteArray hex = body.trimmed().split(' ').value(0).split('\t').value(0).toLower();
    *pDigest = QByteArray::fromHex(hex);
    if (hex.size() != 64 || pDigest->size() != 32) {
        failLater(DownloadJob::kNetworkFailure, QStringLiteral("unreadable checksum file"));
        return false;
    }
    return true;
}

} // namespace gearbay
