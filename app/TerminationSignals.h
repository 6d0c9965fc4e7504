#pragma once

#include <QObject>

class QSocketNotifier;

namespace gearbay {

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C, a closed terminal) into a Qt signal
// on the GUI thread, so that the program can end as its close button ends it. The handler itself
// only writes the signal number into a socket pair, which is all a handler may safely do.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // False (with a warning) when the socket pair or a handler cannot be set up.
    bool install();

signals:
    void signalTerminationRequested(int iSignal);

private slots:
    void onSignalPending();

private:
    static void handle(int iSignal);

    QSocketNotifier *m_pNotifier = nullptr;
};

} // namespace gearbay
