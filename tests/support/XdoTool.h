#pragma once

#include <QPoint>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>

// A user's hands on a test's own X display, through xdotool: finds the program's windows by their
// title, answers its message boxes from the keyboard and clicks with the pointer.
class XdoTool
{
public:
    // env: the environment naming the display (XvfbDisplay::environment()).
    explicit XdoTool(const QProcessEnvironment &env)
        : m_env(env)
    {
    }

    static bool isAvailable();
    // Screen geometry of the first shown window whose title matches strTitle (an extended regular
    // expression, case ignored) and, when iPid is given, that belongs to that process; invalid when
    // none is shown.
    QRect window(const QString &strTitle, qint64 iPid = 0) const;
    // Waits at most iTimeoutMs for such a window, gives it the keyboard and presses strKeys
    // (xdotool key names: "Return", "Escape") until it closes; false when it never showed or stayed.
    bool press(const QString &strTitle, const QString &strKeys, qint64 iPid = 0, int iTimeoutMs = 60000) const;
    // Waits at most iTimeoutMs for such a window, gives it the keyboard and types keys once, 200 ms
    // apart; false when it never showed.
    bool type(const QString &strTitle, const QStringList &keys, int iTimeoutMs = 60000) const;
    // A left click at a point of the screen.
    void click(const QPoint &point) const;

private:
    QString windowId(const QString &strTitle, qint64 iPid) const;
    QString run(const QStringList &args) const;

    QProcessEnvironment m_env;
};
