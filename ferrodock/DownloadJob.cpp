#include "DownloadJob.h"

#include <QDebug>

#include <chrono>

namespace gearbay {

DownloadJob::DownloadJob(const Plan &plan)
    : m_plan(plan)
{
}

DownloadJob::State DownloadJob::state() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_emState;
}

bool DownloadJob::isActive() const
{
    const State emState = state();
    return emState != State::Done && emState != State::Failed && emState != State::Cancelled;
}

int DownloadJob::protocolValue() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    switch (m_emState) {
    case State::Queued:
        return 0;
    case State::Downloading:
        return m_iPercent;
    case State::Verifying:
    case State::Installing:
        // All bytes are in; 200 waits until the files stand in place.
        return 100;
    case State::Done:
        return 200;
    case State::Failed:
        return m_iFailCode;
    case State::Cancelled:
        return 0;
    }
    return kNetworkFailure;
}

bool DownloadJob::begin()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_emState != State::Queued)
        return false;
    m_emState = State::Downloading;
    return true;
}

void DownloadJob::setState(State emState)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        // A final state is never left: a late worker step must not revive a cancelled job.
        if (m_emState == State::Done || m_emState == State::Failed || m_emState == State::Cancelled)
            return;
        m_emState = emState;
    }
    m_finished.notify_all();
}

void DownloadJob::setProgress(qint64 iReceived, qint64 iTotal)
{
    if (iTotal <= 0)
        return;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_iPercent = int(qBound<qint64>(0, iReceived * 100 / iTotal, 100));
}

void DownloadJob::fail(int iCode, const QString &strDetail)
{
    qWarning().noquote() << "---orlenk--- download failed" << m_plan.strUrl << iCode << strDetail;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_emState == State::Done || m_emState == State::Failed || m_emState == State::Cancelled)
            return;
        m_emState = State::Failed;
        m_iFailCode = iCode;
    }
    m_finished.notify_all();
}

bool DownloadJob::cancel(int iWaitMs, bool bKeepPartial)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    // A user's cancel wins over a shutdown's keep: its files must go.
    if (!m_bCancel)
        m_bKeepPartial = bKeepPartial;
    else if (!bKeepPartial)
        m_bKeepPartial = false;
    m_bCancel = true;
    if (m_emState == State::Queued) {
        m_emState = State::Cancelled;
        m_finished.notify_all();
        return true;
    }
    return m_finished.wait_for(lock, std::chrono::milliseconds(iWaitMs), [this] {
        return m_emState == State::Done || m_emState == State::Failed || m_emState == State::Cancelled;
    });
}

} // namespace gearbay
