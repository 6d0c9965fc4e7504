#pragma once

#include "DirectoryAuthenticator.h"

#include <QFutureWatcher>
#include <QObject>

namespace gearbay {

// Runs a directory bind on a worker thread so that the GUI thread never waits on the network.
// Deleting the object while a bind runs is safe: the worker finishes on its own and its answer
// is dropped.
class DirectoryLogin : public QObject
{
    Q_OBJECT
public:
    explicit DirectoryLogin(QObject *parent = nullptr);

    // Starts one bind with these settings; false (and nothing started) while another one runs.
    bool start(
        const DirectoryAuthenticator &authenticator, const QString &strUser, const QString &strPassword);
    bool isRunning() const { return m_bRunning; }

signals:
    // Delivered on this object's thread once the bind has ended.
    void signalFinished(gearbay::DirectoryAuthenticator::Result emResult);

private slots:
    void onBindFinished();

private:
    QFutureWatcher<DirectoryAuthenticator::Result> m_watcher;
    bool m_bRunning = false;
};

} // namespace gearbay
