#pragma once

#include "DownloadJob.h"

#include <QDateTime>
#include <QString>
#include <QThreadPool>

#include <map>
#include <memory>
#include <mutex>

namespace gearbay {

// The downloads Ferrodock knows of, by URL exactly as the program sent it. Starting returns at once;
// the work runs on the table's own pool. A job stays in the table after it ends, so progress queries
// keep answering its final code until the URL is requested again.
class JobTable
{
public:
    JobTable();
    ~JobTable();

    // Starts a job, or leaves a running one for the same URL alone. Answers the accept code 0.
    int start(const DownloadJob::Plan &plan);
    // Records a refused URL as failed, so its progress queries answer iCode too.
    int refuse(const QString &strUrl, int iCode, const QString &strDetail = QStringLiteral("refused"));
    // The progress value of the URL's job; a URL never requested answers 404.
    int progress(const QString &strUrl) const;
    // Stops the URL's job and waits (bounded) until its files are gone. Answers 0.
    int cancel(const QString &strUrl);
    // Stops every job at shutdown; the bytes received so far stay for the next start to resume.
    void cancelAll();

private:
    std::shared_ptr<DownloadJob> find(const QString &strUrl) const;

    mutable std::mutex m_mutex;
    std::map<QString, std::shared_ptr<DownloadJob>> m_mapJobs;
    QThreadPool m_pool;
    const QDateTime m_dtStarted = QDateTime::currentDateTime();
};

} // namespace gearbay
