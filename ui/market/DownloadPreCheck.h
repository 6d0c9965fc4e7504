#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace gearbay {

// The checks the tool card, the detail panel and the My Tools row make before a tool is downloaded,
// updated or opened, each refusal told in a message under the main window's cover. The owner words
// the messages, so every text stays in the owner's own translation context.
class DownloadPreCheck : public QObject
{
    Q_OBJECT

public:
    struct Texts
    {
        QString strOk;
        QString strCancel;
        QString strNoDownloadPath;
        QString strNoDiskSpace;
    };

    // The owner parents the dialogs; its texts are fetched when a message is due, in the language
    // loaded then.
    DownloadPreCheck(QWidget *pOwner, std::function<Texts()> funcTexts);

    // Download path set and room enough on its drive for a tool of dSizeMB; false after saying why not.
    bool passesDiskChecks(double dSizeMB);
    // A restricted tool needs the directory login once per run; false when the user did not log in.
    bool passesLoginGate(bool bRestricted);
    // While a process named strExeName runs, says strText and gives true: the action must wait.
    bool refusesWhileRunning(const QString &strExeName, const QString &strText);
    // A message with the OK button only; however it is closed, the action it reports stops.
    void showNotice(const QString &strText);

signals:
    void signalCover(bool bCover);

private:
    QWidget *m_pOwner;
    std::function<Texts()> m_funcTexts;
};

} // namespace gearbay
