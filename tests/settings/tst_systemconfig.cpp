// The settings panel on the offscreen platform: its version line for each server answer, the update
// button's refusal, the catalog refresh's messages, and moving real installed demo tools.

#include "TestFiles.h"
#include "ConfigureStore.h"
#include "FileSizeLimit.h"
#include "SystemConfigWidget.h"
#include "TempProgramFolder.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "ToolLaunch.h"
#include "Utilities.h"

#include <QFileDialog>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>
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

    // One answer of the server through the panel: the version line, the next request, the progress and
    // the retry question (every answer's rule is tst_updaterules').
    void versionLine_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message"); // shown on the version line; empty: none
        QTest::addColumn<int>("request"); // method the panel asks next; 0: none
        QTest::addColumn<int>("progress"); // value passed to the progress dialog; -1: none
        QTest::addColumn<bool>("failed"); // the retry question is due
        // clang-format off
        QTest::newRow("version unknown") << 6 << 0 << "" << "check failed" << 0 << -1 << false;
        QTest::newRow("newer material") << 6 << 0 << "1.1.0" << "" << 1 << -1 << false;
        QTest::newRow("program package missing") << 2 << 1 << "404" << "" << 0 << -1 << true;
        QTest::newRow("program queued locally") << 2 << 1 << "120" << "" << 0 << -1 << true;
        QTest::newRow("program installed") << 4 << 1 << "200" << "" << 0 << 100 << false;
        // clang-format on
    }

    void versionLine()
    {
        QFETCH(int, method);
        QFETCH(int, key);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QFETCH(int, request);
        QFETCH(int, progress);
        QFETCH(bool, failed);

        SystemConfigWidget panel;
        QSignalSpy requests(&panel, &SystemConfigWidget::signalToServer);
        QSignalSpy progressSpy(&panel, &SystemConfigWidget::signalSetUpdateProgress);
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
        if (request != 0) {
            // Downloads are polled every second from their acceptance on.
            QTRY_VERIFY_WITH_TIMEOUT(!requests.isEmpty(), 10000);
            QCOMPARE(requests.first().at(0).toInt(), request);
            QCOMPARE(requests.first().at(1).value<QVector<int>>(), QVector<int> { key });
        } else {
            QTest::qWait(1100); // a poll would have come a second after the answer
            QVERIFY(requests.isEmpty());
        }
        QCOMPARE(progressSpy.isEmpty(), progress < 0);
        if (progress >= 0)
            QCOMPARE(progressSpy.first().at(0).toInt(), progress);
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
        requests.clear();
        QTest::qWait(1100); // a poll would have come a second after the answer
        QVERIFY(requests.isEmpty());
    }

    // A check the user started shows no restart message when it finds new material (the check at start
    // does; the end-to-end refresh test covers that and the program offer).
    void catalogRefresh()
    {
        ToolCatalog *catalog = ToolCatalog::instance();
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
        QCOMPARE(catalog->currentVersion(0), std::string("1.1.0"));
    }

    void pathChangeRefused_data()
    {
        QTest::addColumn<int>("downloading");
        QTest::addColumn<bool>("toolOpen");
        QTest::addColumn<QString>("chosen"); // "old": the current download path
        QTest::addColumn<QString>("tip");
        // clang-format off
        QTest::newRow("downloading") << 1 << false << "" << "Cannot change path while downloading.";
        QTest::newRow("installed tool open") << 0 << true << "" << "Please close open tools.";
        QTest::newRow("same folder") << 0 << false << "old" << "The new path cannot be the current path or lie inside its tools.";
        QTest::newRow("dialog cancelled") << 0 << false << "" << "";
        // clang-format on
    }

    void pathChangeRefused()
    {
        QFETCH(int, downloading);
        QFETCH(bool, toolOpen);
        QFETCH(QString, chosen);
        QFETCH(QString, tip);

        const QString strOldPath = ConfigureStore::instance()->downloadPath();
        const QMap<QString, QByteArray> before = snapshot(strOldPath);
        SystemConfigWidget panel;
        const QString strDefaultTip = tipText(panel);
        QSignalSpy cover(&panel, &SystemConfigWidget::signalTransCover);
        bool bAsked = false;
        panel.setFolderChooser([&](QWidget *) {
            bAsked = true;
            return chosen == QLatin1String("old") ? strOldPath : QString();
        });
        panel.onDownloadingCount(downloading);

        gearbay::ToolLaunch launch;
        if (toolOpen)
            QVERIFY(launch.start(installedFolder() + QLatin1Char('/') + kToolExe));
        panel.onSelectDownloadPath();
        if (toolOpen) {
            launch.terminate(true);
            QTRY_VERIFY_WITH_TIMEOUT(!launch.isRunning(), 10000);
        }

        QCOMPARE(tipText(panel), tip.isEmpty() ? strDefaultTip : tip);
        QCOMPARE(bAsked, downloading == 0 && !toolOpen);
        QVERIFY(cover.isEmpty());
        QCOMPARE(ConfigureStore::instance()->downloadPath(), strOldPath);
        QCOMPARE(snapshot(strOldPath), before);
        if (!tip.isEmpty())
            QTRY_COMPARE_WITH_TIMEOUT(tipText(panel), strDefaultTip, 10000);
    }

    // A move that works, then moves that run out of disk or cannot save the new path: those leave the
    // tools where the setting points and say why.
    void pathMove_data()
    {
        QTest::addColumn<QString>("failure"); // "", "unsaved" or "full disk"
        QTest::addColumn<QString>("reason"); // part of the message that says why
        QTest::newRow("settings file cannot be replaced") << "unsaved" << "Setup.xml cannot be written";
        QTest::newRow("disk full during the copy") << "full disk" << "data.bin";
        QTest::newRow("moved, tools still open") << "" << "";
    }

    void pathMove()
    {
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        const QString strSetup = m_program.path() + QStringLiteral("/Setup.xml");
        const QString strOldPath = ConfigureStore::instance()->downloadPath();
        if (failure == QLatin1String("full disk"))
            writeFile(installedFolder() + QStringLiteral("/data.bin"), QByteArray(4 << 20, 'x'));
        const QMap<QString, QByteArray> before = snapshot(strOldPath);
        const QMap<QString, QByteArray> beforeTools = snapshot(strOldPath + QStringLiteral("/SubTools"));
        const QString strNewPath = m_elsewhere.path() + QLatin1Char('/') + (failure.isEmpty() ? QStringLiteral("Tools here") : failure);
        QVERIFY(QDir().mkpath(strNewPath));
        // An immutable file cannot be replaced, not even by root.
        if (failure == QLatin1String("unsaved") && QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("+i"), strSetup }) != 0)
            QSKIP("chattr +i is not available here");

        SystemConfigWidget panel;
        panel.setFolderChooser([&](QWidget *) { return strNewPath; });
        QSignalSpy cover(&panel, &SystemConfigWidget::signalTransCover);
        QSignalSpy copied(&panel, &SystemConfigWidget::signalCopyCompleted);
        {
            std::unique_ptr<FileSizeLimit> limit(failure == QLatin1String("full disk") ? new FileSizeLimit(1 << 20) : nullptr);
            QVERIFY(!limit || limit->isActive());
            panel.onSelectDownloadPath();
        }
        if (failure == QLatin1String("unsaved"))
            QProcess::execute(QStringLiteral("chattr"), { QStringLiteral("-i"), strSetup });
        if (!failure.isEmpty()) {
            QVERIFY2(tipText(panel).startsWith(QStringLiteral("Download path save fail. ")) && tipText(panel).contains(reason),
                qPrintable(tipText(panel)));
            QCOMPARE(ConfigureStore::instance()->downloadPath(), strOldPath);
            QCOMPARE(snapshot(strOldPath), before);
            QVERIFY(snapshot(strNewPath).isEmpty());
            QVERIFY(panel.findChild<QPushButton *>(QStringLiteral("changePathBtn"))->isEnabled());
            return;
        }

        QCOMPARE(copied.count(), 1);
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
        gearbay::ToolLaunch launch;
        QVERIFY(launch.start(strExe));
        QTest::qWait(1500);
        QVERIFY2(launch.isRunning(), "the moved tool did not keep running");
        QVERIFY(launch.terminate(true));
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
            const QString strArtefacts = qEnvironmentVariable("RW_ARTEFACTS", QStringLiteral(RW_BUILD_DIR "/artefacts"));
            QDir().mkpath(strArtefacts);
            pDialog->grab().save(strArtefacts + QStringLiteral("/folder_chooser_zh.png"));
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
