#include "XdoTool.h"

#include "TestProcess.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

bool XdoTool::isAvailable()
{
    return !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

QString XdoTool::run(const QStringList &args) const
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(m_env);
    xdotool.start(QStringLiteral("xdotool"), args);
    const bool bEnded = xdotool.waitForFinished(15000);
    endProcess(xdotool, false);
    return bEnded ? QString::fromLocal8Bit(xdotool.readAllStandardOutput()).trimmed() : QString();
}

QString XdoTool::windowId(const QString &strTitle, qint64 iPid) const
{
    QStringList args { QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible") };
    if (iPid != 0)
        args << QStringLiteral("--pid") << QString::number(iPid);
    // The pattern comes last: xdotool reads what follows it as the next command.
    return run(args << QStringLiteral("--name") << strTitle).section(QLatin1Char('\n'), 0, 0);
}

QRect XdoTool::window(const QString &strTitle, qint64 iPid) const
{
    const QString strId = windowId(strTitle, iPid);
    if (strId.isEmpty())
        return QRect();
    const QString strShell = run({ QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), strId });
    const auto value = [&strShell](const char *pszKey) {
        const QRegularExpression pattern(QLatin1String(pszKey) + QStringLiteral("=(-?\\d+)"));
        return pattern.match(strShell).captured(1).toInt();
    };
    return QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
}

bool XdoTool::press(const QString &strTitle, const QString &strKeys, qint64 iPid, int iTimeoutMs) const
{
    const QDeadlineTimer deadline(iTimeoutMs);
    bool bPressed = false;
    while (!deadline.hasExpired()) {
        const QString strId = windowId(strTitle, iPid);
        if (strId.isEmpty()) {
            if (bPressed)
                return true;
            QTest::qWait(200);
            continue;
        }
        // Without a window manager nobody hands out the focus: the window is given it directly. A
        // dialog that has not taken its focus button yet gets the keys again.
        run({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), strId });
        run({ QStringLiteral("key"), QStringLiteral("--clearmodifiers"), strKeys });
        bPressed = true;
        for (const QDeadlineTimer gone(2000); !gone.hasExpired() && !windowId(strTitle, iPid).isEmpty();)
            QTest::qWait(100);
    }
    return false;
}

bool XdoTool::type(const QString &strTitle, const QStringList &keys, int iTimeoutMs) const
{
    const QDeadlineTimer deadline(iTimeoutMs);
    QString strId;
    while ((strId = windowId(strTitle, 0)).isEmpty() && !deadline.hasExpired())
        QTest::qWait(200);
    if (strId.isEmpty())
        return false;
    run({ QStringLiteral("windowfocus"), QStringLiteral("--sync"), strId });
    run(QStringList { QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("200") } + keys);
    return true;
}

void XdoTool::click(const QPoint &point) const
{
    run({ QStringLiteral("mousemove"), QString::number(point.x()), QString::number(point.y()) });
    QTest::qWait(150); // a hover first, as a hand would
    run({ QStringLiteral("click"), QStringLiteral("1") });
}
