#include "JobTable.h"

#include "JobWorker.h"

#include <QDebug>

namespace gearbay {

namespace {
// The program keeps at most three downloads in flight; a few spare threads cover material and self-update.
constexpr int kWorkers = 6;
// A cancel waits for the worker to clean up; libcurl notices the flag within a second.
constexpr int kCancelWaitMs = 15000;
} // namespace

JobTable::JobTable()
{
    m_pool.setMaxThreadCount(kWorkers);
}

JobTable::~JobTable()
{
    cancelAll();
    m_pool.waitForDone();
}

std::shared_ptr<DownloadJob> JobTable::find(const QString &strUrl) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_mapJobs.find(strUrl);
    return it == m_mapJobs.end() ? nullptr : it->second;
}

int JobTable::start(const QString &strUrl, DownloadJob::Kind emKind, const QString &strTarget,
                    const QString &strExeName, const QString &strProxy)
{
    std::shared_ptr<DownloadJob> pJob;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto &pSlot = m_mapJobs[strUrl];
        if (pSlot && pSlot->isActive())
            return 0;
        pSlot = std::make_shared<DownloadJob>(strUrl, emKind, strTarget, strExeName, strProxy);
        pJob = pSlot;
    }
    qDebug().noquote() << "---orlenk--- download" << strUrl << "into" << strTarget;
    m_pool.start(new JobWorker(pJob, m_dtStarted));
    return 0;
}

int JobTable::refuse(const QString &strUrl, int iCode)
{
    auto pJob = std::make_shared<DownloadJob>(strUrl, DownloadJob::Kind::Tool, QString());
    pJob->fail(iCode, QStringLiteral("refused"));
    std::lock_guard<std::mutex> lock(m_mutex);
    auto &pSlot = m_mapJobs[strUrl];
    // A refusal never hides a job that is running for the same URL.
    if (!pSlot || !pSlot->isActive())
        pSlot = pJob;
    return iCode;
}

int JobTable::progress(const QString &strUrl) const
{
    const auto pJob = find(strUrl);
    return pJob ? pJob->protocolValue() : DownloadJob::kNotFound;
}

int JobTable::cancel(const QString &strUrl)
{
    const auto pJob = find(strUrl);
    if (pJob && !pJob->cancel(kCancelWaitMs))
        qWarning().noquote() << "---orlenk--- cancel of" << strUrl << "still cleaning up";
    return 0;
}

void JobTable::cancelAll()
{
    std::vector<std::shared_ptr<DownloadJob>> jobs;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const auto &entry : m_mapJobs)
            jobs.push_back(entry.second);
    }
    // Raise every flag first so the jobs wind down together rather than one after another.
    for (const auto &pJob : jobs)
        pJob->cancel(0, true);
    for (const auto &pJob : jobs)
        pJob->cancel(kCancelWaitMs, true);
}

} // namespace gearbay
