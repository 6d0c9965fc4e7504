#pragma once

#include "ServerProtocol.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace gearbay {

// One transfer requested by URL: where it goes, how far it got, and the state the protocol codes are
// derived from. Shared between the job table (readers) and one worker thread (the writer).
class DownloadJob
{
public:
    enum class State { Queued, Downloading, Verifying, Installing, Done, Failed, Cancelled };
    enum class Kind { Material, Program, Tool };

    // Codes of the protocol for failed jobs.
    static constexpr int kNetworkFailure = -1;
    static constexpr int kCannotSave = 400;
    static constexpr int kNotFound = 404;
    static constexpr int kUnverified = protocol::kCodeUnverified;

    // Everything a job needs to know, settled before it starts (see FetchPlanner).
    struct Plan
    {
        QString strUrl; // as the program sent it
        Kind emKind = Kind::Tool;
        QString strTarget;  // the folder that the package's content becomes once complete
        QString strExeName; // the tool's executable, expected at the package's root (tools only)
        QString strProxy;   // see PackageFetcher::setProxy
        QString strCaFile;  // CA bundle for https, empty: the system store
        QStringList strSources; // where the bytes may come from, in order: the server, then its mirrors
        // Set when the signed index vouches for the package: its exact size and SHA-256.
        bool bVouched = false;
        qint64 iSize = 0;
        QByteArray sha256;
    };

    explicit DownloadJob(const Plan &plan);

    const Plan &plan() const { return m_plan; }
    QString url() const { return m_plan.strUrl; }
    Kind kind() const { return m_plan.emKind; }
    QString target() const { return m_plan.strTarget; }
    QString exeName() const { return m_plan.strExeName; }
    QString proxy() const { return m_plan.strProxy; }

    State state() const;
    bool isActive() const;
    // The "value" a progress query answers: 0..100, 200, or the failure code.
    int protocolValue() const;

    // Queued -> Downloading, atomically against a cancel; false when the job was cancelled while queued.
    bool begin();
    void setState(State emState);
    void setProgress(qint64 iReceived, qint64 iTotal);
    void fail(int iCode, const QString &strDetail);

    // Asks the worker to stop and waits up to iWaitMs for it to reach a final state. A queued job is
    // cancelled at once. Returns true once the job is no longer active. bKeepPartial (shutting down, not
    // the user's cancel) leaves the bytes received so far for the next start to resume.
    bool cancel(int iWaitMs, bool bKeepPartial = false);
    bool cancelRequested() const { return m_bCancel.load(); }
    bool keepsPartial() const { return m_bKeepPartial.load(); }
    const std::atomic_bool *cancelFlag() const { return &m_bCancel; }

private:
    const Plan m_plan;

    mutable std::mutex m_mutex;
    std::condition_variable m_finished;
    State m_emState = State::Queued;
    int m_iFailCode = 0;
    int m_iPercent = 0;
    std::atomic_bool m_bCancel{false};
    std::atomic_bool m_bKeepPartial{false};
};

} // namespace gearbay
