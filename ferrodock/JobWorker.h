#pragma once

#include <QDateTime>
#include <QRunnable>
#include <QString>

#include <memory>

namespace gearbay {

class DownloadJob;
class PartialFile;

// Carries one job through its states on a pool thread: fetch the checksum (when the signed index does
// not vouch for the package, and the catalog server has one), stream the package from the first source
// that delivers it to a partial file beside the target (resuming one left by a broken transfer),
// verify, extract into staging, swap. Staging and the replaced version live in one work folder beside
// the target, removed whatever the outcome; the partial file stays only after a broken connection or a
// shutdown, never after a cancel.
class JobWorker : public QRunnable
{
public:
    // Work folders older than dtServerStarted were left by a Ferrodock that was killed; they are removed.
    JobWorker(std::shared_ptr<DownloadJob> pJob, const QDateTime &dtServerStarted);
    void run() override;

private:
    void process(const QString &strWorkDir);
    // Streams the package from one source into the partial file and checks its digest: 0 when good,
    // kCancelledCode, or the failure code. bOtherSource: the partial bytes came from another source.
    int fetchFrom(const QString &strSource, bool bOtherSource, PartialFile *pPartial, const QByteArray &expectedDigest,
                  QString *pDetail);
    // The folder inside the staging area that becomes the target, or empty when the package does not
    // have the expected shape.
    QString readyFolder(const QString &strStaging, QString *pDetail) const;
    bool fetchExpectedDigest(QByteArray *pDigest);
    void failLater(int iCode, const QString &strDetail);
    void removeAbandonedWork(const QString &strParent, const QString &strPrefix) const;

    static constexpr int kCancelledCode = -1000;

    std::shared_ptr<DownloadJob> m_pJob;
    QDateTime m_dtServerStarted;
    bool m_bInstalled = false;
    int m_iFailCode = 0;
    QString m_strFailDetail;
};

} // namespace gearbay
