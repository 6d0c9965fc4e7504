// The update as the README tells a user to try it, on a copy of the installed program under its own
// Xvfb with a temporary home: a tool installed from catalog version 1, both server addresses pointed
// at version 2, a start that fetches the new material, a start that shows the update dots, the tool
// updated from My Tools, the program updated from the settings panel, and the restart into the new
// version through Stilemend with the user's data untouched. Message boxes are answered from the
// keyboard and buttons clicked with the pointer, through xdotool.

#include "InstalledProgramCopy.h"
#include "ProcessScan.h"
#include "TestFiles.h"
#include "XdoTool.h"
#include "XvfbDisplay.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

namespace {

// Window titles: the main window has none of its own and shows the program's name.
const QString kMainWindow = QStringLiteral("^Gear Bay$");
const QString kMessageBox = QStringLiteral("^(Notice|提示)$");
const QString kSettingsPopup = QStringLiteral("^(Settings|系统设置)$");

// Places in the main window (its frame has a 5-pixel shadow margin), from its forms.
const QPoint kSettingsButton(5 + 702 + 230, 33);
const QPoint kCloseButton(5 + 1004, 33);
const QPoint kFirstCardDownload(137, 620); // the market's first card: ChecksumCalc
const QPoint kMyToolsButton(578, 32);
const QPoint kUpdateableTab(203, 95);
const QPoint kFirstUpgradeButton(946, 168);

QString settingOf(const QString &strSetup, const QString &strKey)
{
    const QRegularExpression pattern(QStringLiteral("<%1>\\s*<Value>([^<]*)</Value>").arg(strKey));
    return pattern.match(QString::fromUtf8(readFile(strSetup))).captured(1);
}

// A field of one tool's record in the state list.
QString stateOf(const QString &strStateList, int iKey, const QString &strField = QStringLiteral("CurrentVersion"))
{
    return readToolRecords(strStateList).value(iKey).value(strField);
}

// Files are replaced by rename, so a replaced file has a new inode.
quint64 inodeOf(const QString &strPath)
{
    struct stat info
    {
    };
    return ::stat(QFile::encodeName(strPath).constData(), &info) == 0 ? quint64(info.st_ino) : 0;
}

// The red of the popup's buttons; the small update dots are told from their edges by a stricter bound.
bool isRed(const QColor &color, int iMinRed = 200, int iMaxOther = 110)
{
    return color.red() > iMinRed && color.green() < iMaxOther && color.blue() < iMaxOther;
}

// Red pixels of the update dots in the title band left and right of the settings group.
QPair<int, int> dotPixels(const QImage &image, const QRect &window)
{
    QPair<int, int> count;
    for (int y = window.top(); y < window.top() + 64; ++y)
        for (int x = window.left(); x <= window.right(); ++x)
            if (isRed(image.pixelColor(x, y), 220, 90))
                ++(x < window.left() + 5 + 702 ? count.first : count.second);
    return count;
}

// Top edges of the red buttons in a column of the settings popup: the path button, then Update.
QList<int> redButtonRows(const QImage &image, const QRect &popup)
{
    QList<int> rows;
    const int x = popup.right() - 28 - 44;
    for (int y = popup.top(); y <= popup.bottom(); ++y)
        if (isRed(image.pixelColor(x, y)) && (rows.isEmpty() || y - rows.last() > 40))
            rows << y;
    return rows;
}

} // namespace

using gearbay::ProcessScan;

class TestSelfUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(XdoTool::isAvailable(), "xdotool is needed");
        QVERIFY2(QFileInfo::exists(QStringLiteral(RW_BUILD_DIR "/demo/catalog-v2/MaterialVersion.txt")),
            "run cmake --install for the build tree first");
        m_strArtefacts = qEnvironmentVariable("RW_ARTEFACTS", QStringLiteral(RW_BUILD_DIR "/artefacts"));
        QDir().mkpath(m_strArtefacts);
        QVERIFY(m_home.isValid() && m_runtime.isValid());
        QVERIFY(m_program.create());
        QVERIFY(m_program.setSetting(
            QStringLiteral("DownloadPath"), m_program.path() + QStringLiteral("/Download")));
        QVERIFY2(m_display.start(), "Xvfb did not start");
        m_env = m_display.environment();
        m_env.insert(QStringLiteral("HOME"), m_home.path());
        m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    }

    void cleanupTestCase()
    {
        for (qint64 pid : ProcessScan::running(m_program.program()))
            ::kill(pid_t(pid), SIGKILL);
    }

    // The steps in order, each its own function to stay within a test function's time limit; a
    // failed step leaves the later ones to fail.
    void version1()
    {
        // No dots; the user installs ChecksumCalc from the market and closes the program.
        m_window = start();
        QVERIFY(m_window.isValid());
        m_noDots = dotPixels(screenshot("selfupdate-1-version1"), m_window);
        XdoTool(m_env).click(m_window.topLeft() + kFirstCardDownload);
        QTRY_COMPARE_WITH_TIMEOUT(stateOf(states(), 2, QStringLiteral("IsDownload")), QStringLiteral("1"), 60000);
        QVERIFY(QFileInfo(tool()).isExecutable());
        QVERIFY(close());
    }

    void version2FetchesMaterial()
    {
        // The README's way to serve version 2.
        const QByteArray setup = readFile(setupFile());
        QVERIFY(setup.contains("/demo/catalog<"));
        writeFile(setupFile(), QByteArray(setup).replace("/demo/catalog<", "/demo/catalog-v2<"));

        // The first start on it fetches the new material and asks for a restart.
        m_window = start();
        QVERIFY(m_window.isValid());
        QVERIFY2(XdoTool(m_env).press(kMessageBox, QStringLiteral("Return"), m_process.processId(), 90000),
            "no message about the new material");
        QCOMPARE(stateOf(states(), 0), QStringLiteral("1.1.0"));
        QVERIFY(close());
    }

    void restartShowsTheDots()
    {
        m_window = start();
        QVERIFY2(m_window.isValid(), "the program did not come up after fetching the new material");
        // A dot on My Tools and one at the settings button (6 x 6, round), over what showed without them.
        const auto bothDots = [this] {
            const QPair<int, int> dots = dotPixels(screenshot("selfupdate-2-dots"), m_window);
            return dots.first >= m_noDots.first + 16 && dots.second >= m_noDots.second + 16;
        };
        QTRY_VERIFY_WITH_TIMEOUT(bothDots(), 15000);
    }

    void toolUpdatedFromMyTools()
    {
        XdoTool xdo(m_env);
        xdo.click(m_window.topLeft() + kMyToolsButton);
        xdo.click(m_window.topLeft() + kUpdateableTab);
        QTest::qWait(300); // the page switches
        xdo.click(m_window.topLeft() + kFirstUpgradeButton);
        QTRY_COMPARE_WITH_TIMEOUT(stateOf(states(), 2), QStringLiteral("1.3.0"), 60000);
        QTRY_COMPARE_WITH_TIMEOUT(
            readFile(tool()), readFile(QStringLiteral(RW_BUILD_DIR "/demo/tools-v2/ChecksumCalc/ChecksumCalc")), 30000);
    }

    void programUpdatedFromSettings()
    {
        // "Restart Now" hands over to Stilemend.
        XdoTool xdo(m_env);
        const QMap<QString, QByteArray> userTools = snapshot(m_program.path() + QStringLiteral("/Download"), true);
        const quint64 iProgramBefore = inodeOf(m_program.program());
        xdo.click(m_window.topLeft() + kSettingsButton);
        QRect popup;
        QTRY_VERIFY_WITH_TIMEOUT((popup = xdo.window(kSettingsPopup, m_process.processId())).isValid(), 15000);
        QTest::qWait(800); // painted
        const QList<int> rows = redButtonRows(screenshot("selfupdate-3-settings"), popup);
        QVERIFY2(rows.size() >= 2, "the Update button is not shown");
        xdo.click(QPoint(popup.right() - 28 - 44, rows.at(1) + 12));
        QVERIFY2(xdo.press(kMessageBox, QStringLiteral("Return"), m_process.processId(), 120000),
            "no offer to restart after the download");

        QVERIFY(m_process.waitForFinished(60000));
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(m_home.path() + QStringLiteral("/Rig Warden")), 120000);
        QCOMPARE(settingOf(setupFile(), QStringLiteral("IsNeedUpdate")), QStringLiteral("0"));
        // Stilemend is done once it has seen the new program run. It renames its own binary in the swap,
        // so it is found by its command line as well.
        QVERIFY(ProcessScan::waitUntilGone(m_program.path() + QStringLiteral("/Stilemend/Stilemend"), 60000));
        QVERIFY(!ProcessScan::running(m_program.program()).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(xdo.window(kMainWindow).isValid(), 60000);

        // New program files; the user's tools and settings where they were.
        const QByteArray log = readFile(m_program.path() + QStringLiteral("/Stilemend/Stilemend.log"));
        QVERIFY2(inodeOf(m_program.program()) != iProgramBefore, log.constData());
        QCOMPARE(snapshot(m_program.path() + QStringLiteral("/Download"), true), userTools);
        QVERIFY(settingOf(setupFile(), QStringLiteral("ChServerAddress")).endsWith(QStringLiteral("/demo/catalog-v2")));
        QCOMPARE(settingOf(setupFile(), QStringLiteral("DownloadPath")), m_program.path() + QStringLiteral("/Download"));
        QCOMPARE(stateOf(states(), 1), QStringLiteral("1.1.0"));
        QCOMPARE(stateOf(states(), 2), QStringLiteral("1.3.0"));
    }

private:
    // Starts the program and returns its main window once shown; invalid when it did not show.
    QRect start()
    {
        m_process.setProcessEnvironment(m_env);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(m_program.program(), QStringList());
        if (!m_process.waitForStarted(30000))
            return QRect();
        const QDeadlineTimer deadline(120000); // a loaded machine starts slowly
        QRect window;
        while (!(window = XdoTool(m_env).window(kMainWindow, m_process.processId())).isValid()
            && m_process.state() == QProcess::Running && !deadline.hasExpired())
            m_process.waitForFinished(200);
        if (m_process.state() != QProcess::Running)
            qWarning() << "the program ended:" << m_process.exitStatus() << m_process.exitCode();
        return window;
    }

    QString setupFile() const { return m_program.path() + QStringLiteral("/Setup.xml"); }
    QString states() const { return m_program.path() + QStringLiteral("/ToolsStateList.xml"); }
    QString tool() const { return m_program.path() + QStringLiteral("/Download/SubTools/ChecksumCalc/ChecksumCalc"); }

    // Closes the program from its close button, confirming the question.
    bool close()
    {
        XdoTool xdo(m_env);
        xdo.click(m_window.topLeft() + kCloseButton);
        return xdo.press(kMessageBox, QStringLiteral("Return"), m_process.processId())
            && m_process.waitForFinished(30000);
    }

    QImage screenshot(const char *pszName) const
    {
        const QString strPath = m_strArtefacts + QLatin1Char('/') + QLatin1String(pszName) + QStringLiteral(".png");
        m_display.screenshot(strPath);
        return QImage(strPath);
    }

    XvfbDisplay m_display;
    InstalledProgramCopy m_program;
    QTemporaryDir m_home;
    QTemporaryDir m_runtime;
    QProcessEnvironment m_env;
    QProcess m_process;
    QString m_strArtefacts;
    QRect m_window;
    QPair<int, int> m_noDots;
};

QTEST_GUILESS_MAIN(TestSelfUpdate)
#include "tst_selfupdate.moc"
