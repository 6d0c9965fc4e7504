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

int JobTable::start(const DownloadJob::Plan &plan)
{
    std::shared_ptr<DownloadJob> pJob;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto &pSlot = m_mapJobs[plan.strUrl];
        if (pSlot && pSlot->isActive())
            return 0;
        pSlot = std::make_shared<DownloadJob>(plan);
        pJob = pSlot;
    }
    qDebug().noquote() << "---orlenk--- download" << plan.strUrl << "into" << plan.strTarget
                       << (plan.bVouched ? "(vouched for by the signed index)" : "(unverified)");
    m_pool.start(new JobWorker(pJob, m_dtStarted));
    return 0;
}

int JobTable::refuse(const QString &strUrl, int iCode, const QString &strDetail)
{
    DownloadJob::Plan plan;
    plan.strUrl = strUrl;
    auto pJob = std::make_shared<DownloadJob>(plan);
    pJob->fail(iCode, strDetail);
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
