// The settings panel on the offscreen platform: its version line for each server answer, the update
// button's refusal, the catalog refresh's messages, and moving real installed demo tools.

#include "ConfigureStore.h"
#include "FileSizeLimit.h"
#include "SystemConfigWidget.h"
#include "TempProgramFolder.h"
#include "TestFiles.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "ToolLaunch.h"
#include "Utilities.h"

#include <QFileDialog>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTranslator>
#include <QtTest>
#include <algorithm>
#include <memory>

using gearbay::ConfigureStore;
using gearbay::SystemConfigWidget;
using gearbay::ToolCatalog;

namespace {

const int kTool = 3; // HexViewer, installed
const QString kToolExe = QStringLiteral("HexViewer");

QString tipText(SystemConfigWidget &panel)
{
    return panel.findChild<QLabel *>(QStringLiteral("tipTextLabel"))->text();
}

QString versionText(SystemConfigWidget &panel)
{
    return panel.findChild<QLabel *>(QStringLiteral("newVersionLabel"))->text();
}

bool shown(SystemConfigWidget &panel, const char *pName)
{
    return panel.findChild<QWidget *>(QLatin1String(pName))->isVisibleTo(&panel);
}

// The panel polls the server with repeating timers; none running means no poll can follow.
bool polling(SystemConfigWidget &panel)
{
    const auto timers = panel.findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
    return std::any_of(timers.begin(), timers.end(),
        [](const QTimer *pTimer) { return pTimer->isActive() && !pTimer->isSingleShot(); });
}

} // namespace

class TestSystemConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_program.isValid() && m_elsewhere.isValid());
        gearbay::TipDialog::setAnswerHook([](const QString &, bool) { return 0; });
        QVERIFY(m_program.writeSetup("http://127.0.0.1:9", "http://127.0.0.1:9"));
        const auto tool = [](int iKey, const QString &strExe, const QString &strUrl, const char *pVersion) {
            return TempProgramFolder::Tool { iKey, strExe, strUrl, strUrl, QString::fromLatin1(pVersion) };
        };
        QVERIFY(m_program.writeCatalog({ tool(0, "", "material/ToolsFile.tar.gz", "1.0.0"),
            tool(1, "RigWarden", "program/RigWarden.tar.gz", "1.0.0"), tool(kTool, kToolExe, "tools/HexViewer.tar.gz", "1.0.3"),
            tool(4, "UnitConverter", "tools/UnitConverter.tar.gz", "2.1.0") }));
        writeFile(m_program.path() + QStringLiteral("/ToolsStateList.xml"), "<Tools/>\n");

        QVERIFY(QDir::setCurrent(m_program.path()));
        QVERIFY(ConfigureStore::instance()->load(m_program.path() + QStringLiteral("/Setup.xml")));
        QVERIFY(ToolCatalog::instance()->init());
        ToolCatalog::instance()->findState(kTool)->IsDownload = 1;

        // A real demo tool, with the kinds of entries a plain copy would lose: a hidden file and a link.
        const QString strBuilt = QStringLiteral(RW_BUILD_DIR "/demo/tools/") + kToolExe;
        QVERIFY2(QFileInfo::exists(strBuilt + QLatin1Char('/') + kToolExe), "build the demo catalog first");
        QVERIFY(QDir().mkpath(ConfigureStore::instance()->downloadPath() + QStringLiteral("/SubTools")));
        QCOMPARE(QProcess::execute("cp", { "-a", strBuilt, installedFolder() }), 0);
        writeFile(installedFolder() + QStringLiteral("/.settings"), "zoom=2\n");
        QVERIFY(QFile::link(kToolExe, installedFolder() + QStringLiteral("/hexviewer")));
    }

    // One answer of the server through the panel: the version line, no further request and the retry
    // question (every answer's rule is tst_updaterules'; the answers that go on are tst_catalogrefresh's).
    void versionLine_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message"); // shown on the version line; empty: none
        QTest::addColumn<bool>("failed"); // the retry question is due
        // clang-format off
        QTest::newRow("version unknown") << 6 << 0 << "" << "check failed" << false;
        QTest::newRow("program package missing") << 2 << 1 << "404" << "" << true;
        QTest::newRow("program queued locally") << 2 << 1 << "120" << "" << true;
        // clang-format on
    }

    void versionLine()
    {
        QFETCH(int, method);
        QFETCH(int, key);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QFETCH(bool, failed);

        SystemConfigWidget panel;
        QSignalSpy requests(&panel, &SystemConfigWidget::signalToServer);
        QSignalSpy failedSpy(&panel, &SystemConfigWidget::signalUpdateFailed);
        QVERIFY(shown(panel, "checkUpdateBtn") && !shown(panel, "updateBtn"));

        panel.onServerResponded(method, { { key, value } });
        if (!message.isEmpty()) {
            QCOMPARE(versionText(panel), message);
            QVERIFY(!shown(panel, "checkUpdateBtn") && !shown(panel, "updateBtn"));
            // A message stays two seconds, then the check button is back.
            QTRY_VERIFY_WITH_TIMEOUT(
                shown(panel, "checkUpdateBtn") && !shown(panel, "newVersionLabel"), 10000);
        }
        QVERIFY(!polling(panel) && requests.isEmpty());
        QCOMPARE(failedSpy.count(), failed ? 1 : 0);
    }

    void updateRefusedWhileDownloading()
    {
        SystemConfigWidget panel;
        QSignalSpy requests(&panel, &SystemConfigWidget::signalToServer);
        QSignalSpy started(&panel, &SystemConfigWidget::signalStartUpdateManagerTool);
        auto *pUpdate = panel.findChild<QPushButton *>(QStringLiteral("updateBtn"));

        panel.onDownloadingCount(1); // the material download counts too
        pUpdate->click();
        QCOMPARE(tipText(panel), QStringLiteral("Cannot update Rig Warden while downloading."));
        QVERIFY(requests.isEmpty() && started.isEmpty());

        panel.onDownloadingCount(0);
        pUpdate->click();
        QCOMPARE(requests.count(), 1);
        QCOMPARE(requests.first().at(0).toInt(), 2);
        QCOMPARE(requests.first().at(1).value<QVector<int>>(), QVector<int> { 1 });
        QCOMPARE(started.count(), 1);

        // Cancelling the download stops the polls and cancels it at the server.
        panel.onServerResponded(2, { { 1, QStringLiteral("0") } });
        panel.onUpdateCancel();
        QCOMPARE(requests.last().at(0).toInt(), 5);
        QVERIFY(!polling(panel));
    }

    // A check the user started shows no restart message when it finds new material (the check at start
    // does; the end-to-end refresh test covers that and the program offer).
    void catalogRefresh()
    {
        SystemConfigWidget panel;
        QSignalSpy requests(&panel, &SystemConfigWidget::signalToServer);
        QSignalSpy newMaterial(&panel, &SystemConfigWidget::signalHaveNewMaterial);
        panel.onStartCheckUpdate();
        QCOMPARE(versionText(panel), QStringLiteral("checking..."));
        QCOMPARE(requests.first().at(0).toInt(), 6);
        panel.onServerResponded(6, { { 0, QStringLiteral("1.1.0") } });
        panel.onServerResponded(1, { { 0, QStringLiteral("0") } });
        // Several progress answers before the end: the check stays the user's.
        panel.onServerResponded(4, { { 0, QStringLiteral("40") } });
        panel.onServerResponded(4, { { 0, QStringLiteral("100") } });
        QCOMPARE(versionText(panel), QStringLiteral("checking..."));
        panel.onServerResponded(4, { { 0, QStringLiteral("200") } });
        QCOMPARE(newMaterial.count(), 0);
        QCOMPARE(versionText(panel), QStringLiteral("There are no new version"));
        QCOMPARE(ToolCatalog::instance()->currentVersion(0), std::string("1.1.0"));
    }

    // Refusals before and after the folder dialog, a cancelled dialog, moves that run out of disk or
    // cannot save the new path, and a move that works: all but the last leave the tools where the
    // setting points and say why.
    void pathMove_data()
    {
        QTest::addColumn<QString>("failure"); // empty: the move works
        QTest::addColumn<QString>("reason"); // part of the message that says why; empty: none
        // clang-format off
        QTest::newRow("downloading") << "downloading" << "Cannot change path while downloading.";
        QTest::newRow("installed tool open") << "tool open" << "Please close open tools.";
        QTest::newRow("same folder") << "same folder" << "cannot be the current path";
        QTest::newRow("dialog cancelled") << "cancelled" << "";
        QTest::newRow("settings file cannot be replaced") << "unsaved" << "Setup.xml cannot be written";
        QTest::newRow("disk full during the copy") << "full disk" << "data.bin";
        QTest::newRow("moved, tools still open") << "" << "";
        // clang-format on
    }

    void pathMove()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        const QString strSetup = m_program.path() + QStringLiteral("/Setup.xml");
        const QString strOldPath = ConfigureStore::instance()->downloadPath();
        const bool bCopies = failure.isEmpty() || failure == QLatin1String("unsaved")
            || failure == QLatin1String("full disk");
        if (failure == QLatin1String("full disk"))
            writeFile(installedFolder() + QStringLiteral("/data.bin"), QByteArray(4 << 20, 'x'));
        const QMap<QString, QByteArray> before = snapshot(strOldPath);
        const QMap<QString, QByteArray> beforeTools = snapshot(strOldPath + QStringLiteral("/SubTools"));
        const QString strNewPath = failure == QLatin1String("same folder")
            ? strOldPath
            : QDir(m_elsewhere.path()).filePath(failure.isEmpty() ? QStringLiteral("Tools here") : failure);
        QVERIFY(QDir().mkpath(strNewPath));
        // An immutable file cannot be replaced, not even by root.
        if (failure == QLatin1String("unsaved") && QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("+i"), strSetup }) != 0)
            QSKIP("chattr +i is not available here");

        SystemConfigWidget panel;
        const QString strDefaultTip = tipText(panel);
        bool bAsked = false;
        panel.setFolderChooser([&](QWidget *) {
            bAsked = true;
            return failure == QLatin1String("cancelled") ? QString() : strNewPath;
        });
        panel.onDownloadingCount(failure == QLatin1String("downloading") ? 1 : 0);
        QSignalSpy cover(&panel, &SystemConfigWidget::signalTransCover);
        QSignalSpy copied(&panel, &SystemConfigWidget::signalCopyCompleted);
        gearbay::ToolLaunch launch;
        if (failure == QLatin1String("tool open"))
            QVERIFY(launch.start(installedFolder() + QLatin1Char('/') + kToolExe));
        {
            std::unique_ptr<FileSizeLimit> limit(failure == QLatin1String("full disk") ? new FileSizeLimit(1 << 20) : nullptr);
            QVERIFY(!limit || limit->isActive());
            panel.onSelectDownloadPath();
        }
        if (failure == QLatin1String("tool open")) {
            launch.terminate(true);
            QTRY_VERIFY_WITH_TIMEOUT(!launch.isRunning(), 10000);
        }
        if (failure == QLatin1String("unsaved"))
            QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("-i"), strSetup });
        QCOMPARE(bAsked, failure != QLatin1String("downloading") && failure != QLatin1String("tool open"));
        QCOMPARE(copied.count(), bCopies ? 1 : 0);
        if (!failure.isEmpty()) {
            QVERIFY2(reason.isEmpty() ? tipText(panel) == strDefaultTip : tipText(panel).contains(reason),
                qPrintable(tipText(panel)));
            QCOMPARE(ConfigureStore::instance()->downloadPath(), strOldPath);
            QCOMPARE(snapshot(strOldPath), before);
            QVERIFY(panel.findChild<QPushButton *>(QStringLiteral("changePathBtn"))->isEnabled());
            if (bCopies) {
                QVERIFY(snapshot(strNewPath).isEmpty());
            } else {
                // Refused before any copy: the message goes after a moment.
                QVERIFY(cover.isEmpty());
                QTRY_COMPARE_WITH_TIMEOUT(tipText(panel), strDefaultTip, 10000);
            }
            return;
        }

        QCOMPARE(cover.count(), 2);
        QVERIFY(cover.at(0).at(0).toBool() && !cover.at(1).at(0).toBool());
        QCOMPARE(panel.findChild<QLabel *>(QStringLiteral("pathTextLabel"))->text(), strNewPath);
        // Written to the file, not only remembered.
        ConfigureStore reread;
        QVERIFY(reread.load(strSetup));
        QCOMPARE(reread.downloadPath(), strNewPath);
        QVERIFY(!QFileInfo::exists(strOldPath + QStringLiteral("/SubTools")));
        QCOMPARE(snapshot(strNewPath + QStringLiteral("/SubTools")), beforeTools);

        // The moved tool starts from where the catalog now looks for it.
        const QString strExe = ToolCatalog::instance()->toolExePath(kTool);
        QVERIFY(strExe.startsWith(strNewPath));
        QVERIFY(launch.start(strExe));
        QTest::qWait(1500);
        QVERIFY2(launch.isRunning(), "the moved tool did not keep running");
        QVERIFY(launch.terminate(true));
        QTRY_VERIFY_WITH_TIMEOUT(!launch.isRunning(), 10000); // the next test may not find it open
    }

    // The real folder dialog: Qt's own texts in Chinese as start-up loads them, opened at the
    // current download path.
    void folderChooserInChinese()
    {
        std::unique_ptr<QTranslator> pQtChinese(gearbay::installQtTranslation(1));
        QVERIFY2(pQtChinese, "Qt's Chinese translation (qttranslations5-l10n) is missing");
        SystemConfigWidget panel;
        QString strFolder;
        QStringList texts;
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            auto *pDialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (pDialog == nullptr || !pDialog->isVisible())
                return;
            driver.stop();
            strFolder = pDialog->directory().absolutePath();
            for (const char *pName : { "lookInLabel", "fileNameLabel" })
                texts << pDialog->findChild<QLabel *>(QLatin1String(pName))->text();
            pDialog->reject();
        });
        driver.start(20);
        panel.onSelectDownloadPath();
        QCOMPARE(strFolder, QDir(ConfigureStore::instance()->downloadPath()).absolutePath());
        QCOMPARE(texts, QStringList({ QString::fromUtf8("查找范围："), QString::fromUtf8("目录：") }));
    }

private:
    QString installedFolder() const
    {
        return ConfigureStore::instance()->downloadPath() + QStringLiteral("/SubTools/") + kToolExe;
    }

    TempProgramFolder m_program;
    QTemporaryDir m_elsewhere;
};

QTEST_MAIN(TestSystemConfig)
#include "tst_systemconfig.moc"
