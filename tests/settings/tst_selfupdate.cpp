// The whole self-update, as a user does it: a copy of the installed program under its own Xvfb, with a
// temporary home, pointed at version 2 of the demo catalog. It refreshes its material at start, the
// user opens the settings panel and clicks Update, the restart hands over to Stilemend, which installs
// the downloaded program folder, and the new version comes up with the user's data untouched.

#include "../stilemend/TestFiles.h"
#include "CatalogTestServer.h"
#include "InstalledProgramCopy.h"
#include "XvfbDisplay.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <dlfcn.h>
#include <sys/stat.h>

namespace {

// The main window is the program's window of the fixed width; the popup is known by its title.
const QString kMainWindow = QStringLiteral("\\(\"RigWarden\" \"RigWarden\"\\)(?=\\s+1034x)");
const QString kSettingsPopup = QStringLiteral("\"Settings\"");

// Real pointer clicks through the X server's XTEST extension. The libraries are opened at run time so
// the build needs no X development headers; they and the connection stay open until the test ends.
class XTestPointer
{
public:
    explicit XTestPointer(const QString &strDisplay)
    {
        void *pX11 = dlopen("libX11.so.6", RTLD_NOW);
        void *pXtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!pX11 || !pXtst)
            return;
        auto open = reinterpret_cast<void *(*)(const char *)>(dlsym(pX11, "XOpenDisplay"));
        m_flush = reinterpret_cast<int (*)(void *)>(dlsym(pX11, "XFlush"));
        m_motion = reinterpret_cast<int (*)(void *, int, int, int, unsigned long)>(
            dlsym(pXtst, "XTestFakeMotionEvent"));
        m_button = reinterpret_cast<int (*)(void *, unsigned, int, unsigned long)>(
            dlsym(pXtst, "XTestFakeButtonEvent"));
        if (open && m_flush && m_motion && m_button)
            m_pDisplay = open(strDisplay.toLocal8Bit().constData());
    }
    bool isValid() const { return m_pDisplay != nullptr; }
    void click(const QPoint &point)
    {
        m_motion(m_pDisplay, -1, point.x(), point.y(), 0);
        m_flush(m_pDisplay);
        QTest::qWait(150);
        m_button(m_pDisplay, 1, 1, 0);
        m_flush(m_pDisplay);
        QTest::qWait(80);
        m_button(m_pDisplay, 1, 0, 0);
        m_flush(m_pDisplay);
    }

private:
    void *m_pDisplay = nullptr;
    int (*m_flush)(void *) = nullptr;
    int (*m_motion)(void *, int, int, int, unsigned long) = nullptr;
    int (*m_button)(void *, unsigned, int, unsigned long) = nullptr;
};

// Screen geometry of the first mapped window whose xwininfo line matches strPattern; empty when none.
QRect windowGeometry(const QProcessEnvironment &env, const QString &strPattern)
{
    QProcess xwininfo;
    xwininfo.setProcessEnvironment(env);
    xwininfo.start(QStringLiteral("xwininfo"), { QStringLiteral("-root"), QStringLiteral("-tree") });
    if (!xwininfo.waitForFinished(10000))
        return QRect();
    const QRegularExpression line(
        strPattern + QStringLiteral(".*\\s(\\d+)x(\\d+)\\+-?\\d+\\+-?\\d+\\s+\\+(-?\\d+)\\+(-?\\d+)"));
    const QStringList lines
        = QString::fromLocal8Bit(xwininfo.readAllStandardOutput()).split(QLatin1Char('\n'));
    for (const QString &text : lines) {
        const auto match = line.match(text);
        if (!match.hasMatch())
            continue;
        const QRect rect(match.captured(3).toInt(), match.captured(4).toInt(), match.captured(1).toInt(),
            match.captured(2).toInt());
        // Hidden windows of Qt sit at 0,0 with their form size; the mapped one answers xwininfo -id.
        QProcess state;
        state.setProcessEnvironment(env);
        state.start(QStringLiteral("xwininfo"),
            { QStringLiteral("-id"), text.trimmed().section(QLatin1Char(' '), 0, 0) });
        if (state.waitForFinished(10000) && state.readAllStandardOutput().contains("IsViewable"))
            return rect;
    }
    return QRect();
}

// Executables of running processes started from this program folder, by pid.
QList<qint64> processesOf(const QString &strExe)
{
    QList<qint64> pids;
    const QString strCanonical = QFileInfo(strExe).canonicalFilePath();
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool bNumber = false;
        const qint64 pid = entry.toLongLong(&bNumber);
        if (!bNumber)
            continue;
        QString strTarget = QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid));
        strTarget.remove(QStringLiteral(" (deleted)"));
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        const bool bZombie = stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") Z ");
        if (strTarget == strCanonical && !bZombie)
            pids << pid;
    }
    return pids;
}

// The first capture of pattern in the file's text; empty when the file or the match is missing.
QString captured(const QString &strFile, const QString &strPattern)
{
    return QRegularExpression(strPattern).match(QString::fromUtf8(readFile(strFile))).captured(1);
}

QString settingOf(const QString &strSetup, const QString &strKey)
{
    return captured(strSetup, QStringLiteral("<%1>\\s*<Value>([^<]*)</Value>").arg(strKey));
}

QString versionIn(const QString &strStateList, int iKey)
{
    return captured(strStateList,
        QStringLiteral("<ToolKey>%1</ToolKey>\\s*<CurrentVersion>([^<]*)</CurrentVersion>").arg(iKey));
}

// Files are replaced by rename, so a replaced file has a new inode.
quint64 inodeOf(const QString &strPath)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(strPath).constData(), &info) == 0 ? quint64(info.st_ino) : 0;
}

// The row of the right-hand buttons' top edges in the settings popup: the path button, then Update.
QList<int> redButtonRows(const QImage &image, const QRect &popup)
{
    QList<int> rows;
    const int x = popup.right() - 28 - 44;
    for (int y = popup.top(); y <= popup.bottom(); ++y) {
        const QColor color = image.pixelColor(x, y);
        if (color.red() > 200 && color.green() < 110 && color.blue() < 110
            && (rows.isEmpty() || y - rows.last() > 40))
            rows << y;
    }
    return rows;
}

} // namespace

class TestSelfUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty(),
            "xwininfo (x11-utils) is needed");
        QVERIFY2(QFileInfo::exists(QStringLiteral(RW_BUILD_DIR "/RigWarden/RigWarden")),
            "run cmake --install for the build tree first");
        m_strArtefacts = qEnvironmentVariable("RW_ARTEFACTS", QStringLiteral(RW_BUILD_DIR "/artefacts"));
        QDir().mkpath(m_strArtefacts);
        QVERIFY(m_home.isValid() && m_runtime.isValid());
        QVERIFY(m_program.create());
        QVERIFY(m_server.start());
        QVERIFY(m_program.setSetting(QStringLiteral("ChServerAddress"), m_server.baseUrl()));
        QVERIFY(m_program.setSetting(QStringLiteral("EnServerAddress"), m_server.baseUrl()));
        QVERIFY(m_program.setSetting(
            QStringLiteral("DownloadPath"), m_program.path() + QStringLiteral("/Download")));
        QVERIFY2(m_display.start(), "Xvfb did not start");
    }

    void cleanupTestCase()
    {
        for (qint64 pid : processesOf(m_program.program()))
            ::kill(pid_t(pid), SIGKILL);
        m_server.stop();
    }

    void updateFromTheSettingsPanel()
    {
        // The user's data: an installed tool and the settings the update must keep.
        const QString strTool = m_program.path() + QStringLiteral("/Download/SubTools/HexViewer");
        QVERIFY(QDir().mkpath(strTool));
        QVERIFY(QFile::copy(QStringLiteral(RW_BUILD_DIR "/demo/tools/HexViewer/HexViewer"),
            strTool + QStringLiteral("/HexViewer")));
        const QMap<QString, QByteArray> userTools = snapshot(m_program.path() + QStringLiteral("/Download"), true);
        const QString strSetup = m_program.path() + QStringLiteral("/Setup.xml");
        const quint64 iProgramBefore = inodeOf(m_program.program());
        QVERIFY(iProgramBefore != 0);

        QProcessEnvironment env = m_display.environment();
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        env.insert(QStringLiteral("RW_TIP_AUTO_ANSWER"), QStringLiteral("1")); // OK, Restart Now
        env.remove(QStringLiteral("http_proxy"));
        env.remove(QStringLiteral("HTTP_PROXY"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(m_program.program(), QStringList());
        QVERIFY(program.waitForStarted(20000));

        // The check at start fetches the new material, which offers program 1.1.0.
        QTRY_VERIFY_WITH_TIMEOUT(
            QFileInfo::exists(m_program.path() + QStringLiteral("/ToolsFileTemp/ToolsInfoList.xml")), 90000);
        // The program records the material as current just before it offers the program update.
        QTRY_COMPARE_WITH_TIMEOUT(versionIn(m_program.path() + QStringLiteral("/ToolsStateList.xml"), 0),
            QStringLiteral("1.1.0"), 30000);
        QTest::qWait(1000);
        const QRect window = windowGeometry(env, kMainWindow);
        QVERIFY2(window.isValid(), "main window not found");

        XTestPointer pointer(m_display.display());
        QVERIFY2(pointer.isValid(), "no XTEST on the display");
        // The settings button: right-hand group of the title bar, left of the minimise and close buttons.
        pointer.click(window.topLeft() + QPoint(5 + 702 + 230, 33));
        QRect popup;
        QTRY_VERIFY_WITH_TIMEOUT((popup = windowGeometry(env, kSettingsPopup)).isValid(), 15000);
        QTest::qWait(800);
        const QString strShot = m_strArtefacts + QStringLiteral("/selfupdate-1-settings.png");
        QVERIFY(m_display.screenshot(strShot));
        const QList<int> rows = redButtonRows(QImage(strShot), popup);
        QVERIFY2(rows.size() >= 2, "the Update button is not shown");
        pointer.click(QPoint(popup.right() - 28 - 44, rows.at(1) + 12));

        // Downloaded, confirmed ("Restart Now"), handed over, installed and started again.
        QTRY_VERIFY_WITH_TIMEOUT(program.state() == QProcess::NotRunning, 120000);
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(m_home.path() + QStringLiteral("/Rig Warden")), 120000);
        QCOMPARE(settingOf(strSetup, QStringLiteral("IsNeedUpdate")), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(!processesOf(m_program.program()).isEmpty(), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(windowGeometry(env, kMainWindow).isValid(), 60000);
        QTest::qWait(3000);
        QVERIFY2(!processesOf(m_program.program()).isEmpty(), "the new version did not keep running");

        QVERIFY(QFileInfo::exists(m_program.path() + QStringLiteral("/Stilemend/Stilemend.log")));
        // The program files came from the downloaded folder; the user's tools and settings did not move.
        QVERIFY(inodeOf(m_program.program()) != iProgramBefore);
        QCOMPARE(snapshot(m_program.path() + QStringLiteral("/Download"), true), userTools);
        QCOMPARE(settingOf(strSetup, QStringLiteral("ChServerAddress")), m_server.baseUrl());
        QCOMPARE(settingOf(strSetup, QStringLiteral("DownloadPath")),
            m_program.path() + QStringLiteral("/Download"));
        // The new version's catalog is in use and names the version the settings panel shows.
        QVERIFY(!QFileInfo::exists(m_program.path() + QStringLiteral("/ToolsFileTemp")));
        QCOMPARE(
            versionIn(m_program.path() + QStringLiteral("/ToolsStateList.xml"), 1), QStringLiteral("1.1.0"));

        const QRect newWindow = windowGeometry(env, kMainWindow);
        pointer.click(newWindow.topLeft() + QPoint(5 + 702 + 230, 33));
        QTest::qWait(1500);
        m_display.screenshot(m_strArtefacts + QStringLiteral("/selfupdate-2-new-version.png"));
    }

private:
    XvfbDisplay m_display;
    InstalledProgramCopy m_program;
    QTemporaryDir m_home;
    QTemporaryDir m_runtime;
    CatalogTestServer m_server { QStringLiteral(RW_BUILD_DIR "/demo/catalog-v2") };
    QString m_strArtefacts;
};

QTEST_GUILESS_MAIN(TestSelfUpdate)
#include "tst_selfupdate.moc"
