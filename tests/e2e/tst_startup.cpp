// The installed program started for real under its own Xvfb: the download server it runs, one copy
// per user, no server left behind however it ends, both languages and the switch between them, the
// window's frame with and without a compositing manager, and the refusal of a broken program folder.
#include "FerrodockLauncher.h"
#include "InstalledProgramCopy.h"
#include "ServerProtocol.h"
#include "TestFiles.h"
#include "TestProcess.h"
#include "XdoTool.h"
#include "XvfbDisplay.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {
// The pid of the Ferrodock (or another program of the folder) started from folder, or 0.
qint64 ferrodockOf(const QString &strFolder, const QString &strProgram = QStringLiteral("Ferrodock"))
{
    const QString exe = QDir(strFolder).canonicalPath() + QLatin1Char('/') + strProgram;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool bNumber = false;
        const qint64 pid = entry.toLongLong(&bNumber);
        if (bNumber && QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() == exe)
            return pid;
    }
    return 0;
}

QStringList commandLine(qint64 pid)
{
    QByteArray text = readFile(QStringLiteral("/proc/%1/cmdline").arg(pid));
    text.chop(1); // the last argument's terminator
    QStringList parts;
    for (const QByteArray &part : text.split('\0'))
        parts << QString::fromLocal8Bit(part);
    return parts;
}

// True when the screen shows something other than the empty black root window.
bool somethingShown(const QString &strPath)
{
    const QImage image(strPath);
    for (int y = 0; y < image.height(); y += 16)
        for (int x = 0; x < image.width(); x += 16)
            if (qGray(image.pixel(x, y)) > 200)
                return true;
    return false;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(RW_BUILD_DIR "/RigWarden/RigWarden"), "run cmake --install for the build tree first");
        QVERIFY2(XdoTool::isAvailable(), "xdotool is needed");
        QVERIFY(m_runtime.isValid() && m_home.isValid());
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(m_display.start(), "Xvfb did not start");
        QDir().mkpath(qEnvironmentVariable("RW_ARTEFACTS", QStringLiteral(RW_BUILD_DIR "/artefacts")));
    }

    void startRaiseAndKill_data()
    {
        QTest::addColumn<QString>("translator");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("runningText");
        QTest::addColumn<bool>("compositing"); // a compositing manager runs before the program starts
        QTest::addColumn<int>("signal"); // that ends the program
        // clang-format off
        QTest::newRow("english, ended") << "0" << "en" << "Gear Bay is already running." << false << SIGTERM;
        QTest::newRow("chinese, composited, killed")
            << "1" << "zh" << QString::fromUtf8("客户端已在运行。") << true << SIGKILL;
        // clang-format on
    }

    void startRaiseAndKill()
    {
        QFETCH(QString, translator);
        QFETCH(QString, language);
        QFETCH(QString, runningText);
        QFETCH(bool, compositing);
        QFETCH(int, signal);

        InstalledProgramCopy folder;
        QVERIFY(folder.create());
        QVERIFY(folder.setSetting(QStringLiteral("Translator"), translator));

        QProcess compositor;
        auto stopCompositor = qScopeGuard([&compositor] { endProcess(compositor, false); });
        if (compositing) {
            compositor.setProcessEnvironment(m_display.environment());
            compositor.start(QStringLiteral("xcompmgr"), QStringList());
            QVERIFY2(compositor.waitForStarted(10000), "xcompmgr is missing");
            // Its selection window appears as it takes the _NET_WM_CM_S0 selection.
            const auto selectionWindow = [this] {
                QByteArray windows;
                return runProgram("xwininfo", { "-root", "-children", "-display", m_display.display() }, &windows)
                    && windows.contains("\"xcompmgr\"");
            };
            QTRY_VERIFY_WITH_TIMEOUT(selectionWindow(), 20000);
        }

        QProcess program;
        launch(program, folder);
        QVERIFY(program.waitForStarted(30000));
        auto killProgram = qScopeGuard([&program] { endProcess(program, false); });

        // The server runs on the port the program chose and answers a progress question.
        qint64 server = 0;
        QStringList arguments;
        QTRY_VERIFY_WITH_TIMEOUT((server = ferrodockOf(folder.path())) != 0 && (arguments = commandLine(server)).size() == 2, 60000);
        const int port = arguments.at(1).toInt();
        QVERIFY(port >= 20008 && port % 2 == 0);
        const QByteArray body = gearbay::protocol::requestBody(4, { "file:///nowhere/tool.tar.gz" });
        QByteArray reply;
        QTRY_COMPARE_WITH_TIMEOUT(postToFerrodock(port, gearbay::protocol::methodPath(4), body, &reply), 200L, 30000);
        int method = 0;
        QVector<gearbay::protocol::UrlValue> values;
        QString error;
        QVERIFY2(gearbay::protocol::parseResponse(reply, &method, &values, &error),
            qPrintable(error));
        QCOMPARE(method, 4);

        // The window is up: keep a picture of it.
        const QString shot = qEnvironmentVariable("RW_ARTEFACTS", QStringLiteral(RW_BUILD_DIR "/artefacts"))
            + QStringLiteral("/window_%1.png").arg(language);
        QTRY_VERIFY_WITH_TIMEOUT(m_display.screenshot(shot) && somethingShown(shot), 60000);
        QTest::qWait(2000); // let the pages finish painting for the picture
        QVERIFY(m_display.screenshot(shot));
        // The frame's outer band: a soft shadow over the grey the compositor paints, or without one
        // a thin border; black (transparent pixels shown as they are) in neither case.
        const QRect window = XdoTool(m_display.environment()).window(QStringLiteral("."), program.processId());
        QVERIFY(window.isValid());
        const int x = window.x();
        const int y = window.y();
        const QRgb band = QImage(shot).pixel(x + 2, y + 300);
        QVERIFY2(qGray(band) > 60, qPrintable(QStringLiteral("frame band %1 at %2,%3").arg(QColor(band).name()).arg(x).arg(y)));
        QCOMPARE(qGray(band) < 245, compositing); // the shadow, or the white inside a thin border

        // The settings panel, opened from the keyboard, has the same kind of frame.
        XdoTool xdo(m_display.environment());
        QVERIFY(xdo.type(QStringLiteral("^Gear Bay$"), { "Tab", "Tab", "space" }));
        QRect panel;
        QTRY_VERIFY_WITH_TIMEOUT((panel = xdo.window(QString::fromUtf8("^(Settings|系统设置)$"), program.processId())).isValid(), 20000);
        QTest::qWait(500);
        const QString panelShot = QFileInfo(shot).path() + QStringLiteral("/settings_%1.png").arg(language);
        QVERIFY(m_display.screenshot(panelShot));
        const QRgb panelBand = QImage(panelShot).pixel(panel.x() + 2, panel.y() + panel.height() / 2);
        QVERIFY2(qGray(panelBand) > 60, qPrintable(QColor(panelBand).name()));
        QVERIFY(xdo.type(QString::fromUtf8("^(Settings|系统设置)$"), { "Escape" }));

        // A second start hands over to the first copy, says so in a message box and ends with -1.
        QProcess second;
        launch(second, folder, { QStringLiteral("again") });
        QVERIFY(second.waitForStarted(30000));
        QVERIFY2(XdoTool(m_display.environment()).press(QString(), QStringLiteral("Return"), second.processId()),
            "the second copy showed no message box");
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 255);
        // In the language of the settings: the translation was loaded.
        QVERIFY(QString::fromUtf8(second.readAll()).contains(runningText));
        QByteArray output;
        QTRY_VERIFY_WITH_TIMEOUT((output += program.readAll()).contains("window raised"), 30000);
        QVERIFY(program.state() == QProcess::Running);

        // Ended as a logout ends it, it writes what its close sequence writes (the state list was
        // written at start); killed without any chance to clean up, it still takes its server along.
        const QString strStates = folder.path() + QStringLiteral("/ToolsStateList.xml");
        QVERIFY(QFile::remove(strStates));
        ::kill(static_cast<pid_t>(program.processId()), signal);
        QVERIFY(program.waitForFinished(30000));
        if (signal == SIGTERM) {
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            QVERIFY(QFileInfo(strStates).size() > 0);
        }
        QTRY_COMPARE_WITH_TIMEOUT(ferrodockOf(folder.path()), 0, 30000);
    }

    void brokenFolder_data()
    {
        QTest::addColumn<QString>("missing");
        // clang-format off
        QTest::newRow("settings") << "Setup.xml";
        QTest::newRow("catalog") << "ToolsFile/ToolsInfoList.xml";
        QTest::newRow("state list") << "ToolsStateList.xml";
        // clang-format on
    }

    void brokenFolder()
    {
        QFETCH(QString, missing);

        InstalledProgramCopy folder;
        QVERIFY(folder.create());
        QVERIFY(QFile::remove(folder.path() + QLatin1Char('/') + missing));

        QProcess program;
        launch(program, folder);
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 255);
        const QByteArray output = program.readAll();
        QVERIFY2(output.contains(QFileInfo(missing).fileName().toUtf8()), output.constData());
        QCOMPARE(ferrodockOf(folder.path()), 0);
    }

    void switchLanguage()
    {
        InstalledProgramCopy folder;
        QVERIFY(folder.create());
        QVERIFY(folder.setSetting(QStringLiteral("Translator"), QStringLiteral("0")));
        QProcess program;
        launch(program, folder);
        QVERIFY(program.waitForStarted(30000));
        auto killProgram = qScopeGuard([&program, &folder] {
            endProcess(program, false);
            if (const qint64 restarted = ferrodockOf(folder.path(), QStringLiteral("RigWarden")))
                ::kill(static_cast<pid_t>(restarted), SIGKILL);
        });

        // Settings button, the panel's language box one step after its first button, the other
        // language, and "Restart Now" on the question: all by keyboard, as a user without a mouse.
        const XdoTool xdo(m_display.environment());
        QVERIFY(xdo.type(QStringLiteral("^Gear Bay$"), { "Tab", "Tab", "space" }));
        QVERIFY(xdo.type(QStringLiteral("^Settings$"), { "Tab", "Down" }));
        QVERIFY(xdo.type(QStringLiteral("^Notice$"), { "Return" }));
        QVERIFY(program.waitForFinished(30000));
        QFile setup(folder.path() + QStringLiteral("/Setup.xml"));
        QVERIFY(setup.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(setup.readAll())
                    .contains(QRegularExpression("<Translator>\\s*<Value>1</Value>")));

        // The new copy took over by itself and speaks Chinese: its settings panel says so.
        QVERIFY(xdo.type(QStringLiteral("^Gear Bay$"), { "Tab", "Tab", "space" }));
        QTRY_VERIFY_WITH_TIMEOUT(xdo.window(QString::fromUtf8("^系统设置$")).isValid(), 60000);
        const qint64 restarted = ferrodockOf(folder.path(), QStringLiteral("RigWarden"));
        QVERIFY(restarted > 0);
        ::kill(static_cast<pid_t>(restarted), SIGKILL);
        QTRY_COMPARE_WITH_TIMEOUT(ferrodockOf(folder.path()), 0, 30000);
    }

private:
    // Starts the folder's program with its own runtime folder and home, output merged.
    void launch(QProcess &process, const InstalledProgramCopy &folder, const QStringList &arguments = {}) const
    {
        QProcessEnvironment env = m_display.environment();
        // Its own single-instance socket and home (no pending self-update marker).
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        env.insert(QStringLiteral("HOME"), m_home.path());
        for (const char *pszProxy : { "http_proxy", "HTTP_PROXY" })
            env.remove(pszProxy);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(folder.program(), arguments);
    }

    XvfbDisplay m_display;
    QTemporaryDir m_runtime;
    QTemporaryDir m_home;
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
