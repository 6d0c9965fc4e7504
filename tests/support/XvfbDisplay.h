#pragma once

#include "TestProcess.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

// A private X display for one end-to-end test: Xvfb on the first free display number, ended with
// the object. Child processes get it through environment().
class XvfbDisplay
{
public:
    XvfbDisplay() = default;
    ~XvfbDisplay() { endProcess(m_process); }
    XvfbDisplay(const XvfbDisplay &) = delete;
    XvfbDisplay &operator=(const XvfbDisplay &) = delete;

    // Starts Xvfb and waits (at most timeoutMs) until it accepts clients.
    bool start(int iTimeoutMs = 20000);
    // ":N"
    QString display() const { return m_strDisplay; }
    // The system environment with DISPLAY set to this display and no Wayland session.
    QProcessEnvironment environment() const;
    // A PNG of the whole screen written to path (ImageMagick's import); false when it failed.
    bool screenshot(const QString &strPath) const;

private:
    QProcess m_process;
    QString m_strDisplay;
};
