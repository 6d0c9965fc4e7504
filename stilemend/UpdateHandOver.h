#pragma once

#include <QString>
#include <QStringList>

namespace gearbay {

// The copier's whole run: waits for the program to exit (when it does not, leaves the update
// pending, touching nothing), installs the new program folder that was downloaded into the marker
// folder, clears "IsNeedUpdate", removes the marker and starts the program again. Whatever fails, the old program is kept (or put back) and started, and the flag
// is cleared, so a broken update never turns into a loop of hand-overs.
class UpdateHandOver
{
public:
    enum Result {
        Installed = 0, // the new version is in place and started
        KeptOld = 1, // nothing installed (or put back); the old program started
        NotProgramFolder = 2, // the copier does not sit in a program folder; nothing touched
        NotStarted = 3, // no program could be started
        StillRunning = 4 // the program did not exit: nothing touched, the update stays pending
    };

    // strProgramDir: the installed program folder; strMarkerDir: the folder holding the new
    // version (empty when the marker name given was unusable).
    UpdateHandOver(const QString &strProgramDir, const QString &strMarkerDir);

    // How long to wait for the program to exit before giving up for this time.
    void setWaitTimeout(int iMs);
    // How long the new program must run (or end with exit code 0) to count as started.
    void setProbeTime(int iMs);

    Result run();

    // The program folder of a copier in strCopierDir: its parent, as the copier is installed as
    // <program folder>/Stilemend/Stilemend.
    static QString programDirFor(const QString &strCopierDir);
    // The marker folder for the name the program passes ("Rig Warden"): that folder in the home
    // directory, or empty when the name is not a plain folder name.
    static QString markerDirFor(const QString &strMarkerName);

    static const QString strProgramName;

private:
    QString findNewProgram() const;
    QStringList keptPaths(const QString &strDownloadPath) const;
    bool markerOverlapsUserData(const QString &strDownloadPath) const;
    void addNewSettings(const QString &strShippedSetup) const;
    void clearUpdateFlag() const;
    bool startChecked(const QString &strExecutable) const;
    bool startDetached(const QString &strExecutable) const;
    void removeMarker() const;

    QString m_strProgramDir;
    QString m_strMarkerDir;
    int m_iWaitTimeoutMs = 30000;
    int m_iProbeMs = 5000;
};

} // namespace gearbay
