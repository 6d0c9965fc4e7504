// The catalog refresh and the program download end to end: the settings panel's requests go through
// the real dispatcher to the real Ferrodock, which fetches version 2 of the demo catalog from a
// catalog server on loopback.

#include "../stilemend/TestFiles.h"
#include "CatalogTestServer.h"
#include "FerrodockLauncher.h"
#include "ClientRequestManager.h"
#include "ConfigureStore.h"
#include "Corvanet.h"
#include "ServerProtocol.h"
#include "SystemConfigWidget.h"
#include "TempProgramFolder.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "UpdateVersionDialog.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using Fault = CatalogTestServer::Fault;
using gearbay::ConfigureStore;
using gearbay::SystemConfigWidget;
using gearbay::ToolCatalog;

const int kFlowMs = 90000; // a whole download on a loaded machine

// The main window's share of the exchange, reduced to what the panel needs: tool keys become URLs,
// the dispatcher carries them, and the answer's URLs become tool keys again.
class Router : public QObject
{
    Q_OBJECT

public:
    explicit Router(int iPort)
        : m_iPort(iPort)
    {
        connect(&m_manager, &gearbay::ClientRequestManager::signalRequestResult, this, &Router::onResult);
    }

    void send(int method, QVector<int> toolKeys)
    {
        QStringList urls;
        for (int iKey : toolKeys) {
            const QString strUrl = method == 6
                ? ConfigureStore::instance()->serverAddress()
                : QString::fromStdString(ToolCatalog::instance()->downloadUrl(iKey));
            m_mapUrlToKey.insert(strUrl, iKey);
            urls << strUrl;
        }
        m_manager.sendRequest({ method, m_iPort, urls });
    }

signals:
    void signalServerResponded(int method, QMap<int, QString> toolkeyToServerValue);

private:
    void onResult(int, QString response)
    {
        int method = 0;
        QVector<gearbay::protocol::UrlValue> values;
        QString strError;
        gearbay::protocol::parseResponse(response.toLatin1(), &method, &values, &strError);
        QMap<int, QString> map;
        for (const auto &value : qAsConst(values))
            map.insert(m_mapUrlToKey.value(value.first, 0), value.second);
        emit signalServerResponded(method, map);
    }

    int m_iPort;
    gearbay::ClientRequestManager m_manager;
    QMap<QString, int> m_mapUrlToKey;
};

class TestCatalogRefresh : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        gearbay::TipDialog::setAnswerHook([](const QString &, bool) { return 0; });
        QVERIFY2(QFileInfo::exists(QStringLiteral(RW_BUILD_DIR "/demo/catalog-v2/MaterialVersion.txt")),
            "build the demo catalog first");
        QVERIFY(m_server.start());
        QVERIFY(m_program.writeSetup(m_server.baseUrl(), m_server.baseUrl()));
        // The program as shipped: version 1's material and no state yet.
        QCOMPARE(QProcess::execute("cp", { "-a", RW_BUILD_DIR "/demo/catalog/ToolsFile", m_program.path() }), 0);
        writeFile(m_program.path() + QStringLiteral("/ToolsStateList.xml"), "<Tools/>\n");
        const QString strFerrodock = m_program.installExecutable(QStringLiteral(RW_FERRODOCK_PATH));
        QVERIFY(!strFerrodock.isEmpty());

        QVERIFY(QDir::setCurrent(m_program.path()));
        QVERIFY(ConfigureStore::instance()->load(m_program.path() + QStringLiteral("/Setup.xml")));
        QVERIFY(ToolCatalog::instance()->init());
        QCOMPARE(ToolCatalog::instance()->currentVersion(0), std::string("1.0.0"));

        const int iPort = startFerrodock(m_ferrodock, strFerrodock, m_program.homePath());
        QVERIFY(iPort != 0);

        QVERIFY(CorvaInit() != 0);
        m_bCorva = true;
        m_pRouter = new Router(iPort);
        m_pPanel = new SystemConfigWidget;
        connect(m_pPanel, &SystemConfigWidget::signalToServer, m_pRouter, &Router::send);
        connect(m_pRouter, &Router::signalServerResponded, m_pPanel, &SystemConfigWidget::onServerResponded);
    }

    void cleanupTestCase()
    {
        delete m_pPanel;
        delete m_pRouter;
        if (m_bCorva)
            CorvaFini();
        m_ferrodock.kill();
        m_ferrodock.waitForFinished(10000);
        m_server.stop();
    }

    void missingMaterialIsReported()
    {
        QSignalSpy newMaterial(m_pPanel, &SystemConfigWidget::signalHaveNewMaterial);
        m_server.setFault(QStringLiteral("/material/ToolsFile.tar.gz"), Fault::NotFound);
        m_pPanel->onStartCheckUpdate();
        QTRY_COMPARE_WITH_TIMEOUT(versionText(), QStringLiteral("server no material files."), kFlowMs);
        QVERIFY(newMaterial.isEmpty());
        QVERIFY(!QFileInfo::exists(m_program.path() + QStringLiteral("/ToolsFileTemp")));
        QCOMPARE(ToolCatalog::instance()->currentVersion(0), std::string("1.0.0"));
        m_server.clearFaults();
    }

    void refreshAtStart()
    {
        QSignalSpy newMaterial(m_pPanel, &SystemConfigWidget::signalHaveNewMaterial);
        QSignalSpy newProgram(m_pPanel, &SystemConfigWidget::signalRigWardenNew);
        // What the main window asks as it starts.
        m_pRouter->send(6, { 0 });
        QTRY_COMPARE_WITH_TIMEOUT(newMaterial.count(), 1, kFlowMs);
        QCOMPARE(newProgram.count(), 1);
        QCOMPARE(versionText(), QStringLiteral("check new version!"));
        QCOMPARE(ToolCatalog::instance()->currentVersion(0), std::string("1.1.0"));
        QVERIFY(QFileInfo::exists(m_program.path() + QStringLiteral("/ToolsFileTemp/ToolsInfoList.xml")));
        // The catalog in use is untouched until the next start.
        const QByteArray xml = readFile(m_program.path() + QStringLiteral("/ToolsFile/ToolsInfoList.xml"));
        QVERIFY(xml.contains("<Version>1.2.0</Version>") && !xml.contains("<Version>1.3.0</Version>"));
    }

    void programDownloadRetriedAfterDrop()
    {
        gearbay::UpdateVersionDialog dialog;
        connect(m_pPanel, &SystemConfigWidget::signalSetUpdateProgress, &dialog,
            &gearbay::UpdateVersionDialog::setProgress);
        connect(&dialog, &gearbay::UpdateVersionDialog::signalUpdateCompleted, m_pPanel,
            &SystemConfigWidget::onUpdateCompleted);
        QSignalSpy failed(m_pPanel, &SystemConfigWidget::signalUpdateFailed);
        QSignalSpy completed(&dialog, &gearbay::UpdateVersionDialog::signalUpdateCompleted);
        QSignalSpy progress(m_pPanel, &SystemConfigWidget::signalSetUpdateProgress);

        // The connection drops half-way: the retry question, and nothing of the new program on disk.
        m_server.setFault(QStringLiteral("/program/RigWarden.tar.gz"), Fault::DropMidFile);
        dialog.show();
        m_pPanel->findChild<QPushButton *>(QStringLiteral("updateBtn"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, kFlowMs);
        QVERIFY(completed.isEmpty());
        QVERIFY(!QFileInfo::exists(marker()));

        // "Again".
        m_server.clearFaults();
        m_pPanel->onReUpdate();
        QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, kFlowMs);
        QCOMPARE(failed.count(), 1);
        for (const QList<QVariant> &value : qAsConst(progress))
            QVERIFY(value.at(0).toInt() <= 99 || value.at(0).toInt() == 100);
        QCOMPARE(progress.last().at(0).toInt(), 100);
        QVERIFY(!QDir(marker()).isEmpty());
        QCOMPARE(versionText(), QStringLiteral("Version have updated, please restart software"));
        QCOMPARE(ToolCatalog::instance()->currentVersion(1), std::string("1.1.0"));
    }

    void newMaterialTakesEffectAtNextStart()
    {
        ToolCatalog next(m_program.path(), 0, 1);
        QVERIFY(next.init());
        QVERIFY(!QFileInfo::exists(m_program.path() + QStringLiteral("/ToolsFileTemp")));
        QCOMPARE(next.toolInfos().value(2).Version, std::string("1.3.0"));
        QCOMPARE(next.toolInfos().value(0).Version, std::string("1.1.0"));
        // The refreshed material is not fetched again, and the program shows the version it installed.
        QCOMPARE(next.currentVersion(0), std::string("1.1.0"));
        QCOMPARE(next.currentVersion(1), std::string("1.1.0"));
    }

private:
    QString versionText() const
    {
        return m_pPanel->findChild<QLabel *>(QStringLiteral("newVersionLabel"))->text();
    }
    QString marker() const { return m_program.homePath() + QStringLiteral("/Rig Warden"); }

    TempProgramFolder m_program;
    CatalogTestServer m_server { QStringLiteral(RW_BUILD_DIR "/demo/catalog-v2") };
    QProcess m_ferrodock;
    Router *m_pRouter = nullptr;
    SystemConfigWidget *m_pPanel = nullptr;
    bool m_bCorva = false;
};

QTEST_MAIN(TestCatalogRefresh)
#include "tst_catalogrefresh.moc"
