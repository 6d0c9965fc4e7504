// Batch update of installed demo tools through the real Ferrodock and a catalog server on loopback
// that offers newer versions of two of them, one with a broken package.
#include "CatalogTestServer.h"
#include "ClientRequestManager.h"
#include "ConfigureStore.h"
#include "Corvanet.h"
#include "DownloadedSubToolWidget.h"
#include "FerrodockLauncher.h"
#include "MyToolsFixture.h"
#include "ServerProtocol.h"
#include "TempProgramFolder.h"
#include "TipDialog.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadedScene.h"
#include "ToolUpdateScene.h"
#include "UpdateToolsWidget.h"
#include "Utilities.h"
#include "../stilemend/TestFiles.h"

#include <QCheckBox>
#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace gearbay;

namespace {

const QString kDemo = QStringLiteral(RW_BUILD_DIR "/demo");
const int kGood = 2; // Checksum Calculator
const int kBroken = 11; // JSON Formatter

// A catalog element's text for one tool, read straight from a ToolsInfoList.xml.
QString catalogField(const QString &strFile, int iKey, const QString &strField)
{
    QFile file(strFile);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        return QString();
    for (QDomElement tool = document.documentElement().firstChildElement(); !tool.isNull(); tool = tool.nextSiblingElement())
        if (tool.firstChildElement("ToolKey").text().toInt() == iKey)
            return tool.firstChildElement(strField).text();
    return QString();
}

} // namespace

class TestMyToolsUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void batchUpdateInstallsTheGoodOneAndKeepsTheBrokenOne();

private:
    bool installVersion1(int iKey);
    // What the main window does with a request from the page, for at most three tools (never
    // queued): URLs from the catalog, one request to the dispatcher, answers back by tool key.
    void relay(int iMethod, const QVector<int> &keys);
    void onResult(int iError, const QString &strResponse);

    TempProgramFolder m_folder;
    std::unique_ptr<CatalogTestServer> m_pCatalog;
    QProcess m_ferrodock;
    int m_iPort = 0;
    std::unique_ptr<ClientRequestManager> m_pManager;
    std::unique_ptr<ToolBoxWidget> m_pPage;
    QMap<QString, int> m_mapUrlToKey;
    QStringList m_listMessages;
};

bool TestMyToolsUpdate::installVersion1(int iKey)
{
    const QString strV1 = kDemo + "/catalog/ToolsInfoList.xml";
    const QString strPackage = kDemo + "/catalog/" + catalogField(strV1, iKey, "DownloadENUrl");
    const QString strFolder = m_folder.downloadPath() + "/SubTools/"
        + ToolCatalog::folderNameOf(catalogField(strV1, iKey, "ExeName"));
    QDir().mkpath(strFolder);
    QProcess tar;
    tar.start("tar", { "-xf", strPackage, "-C", strFolder });
    return tar.waitForFinished(30000) && tar.exitCode() == 0;
}

void TestMyToolsUpdate::initTestCase()
{
    const QString strV2 = kDemo + "/catalog-v2";
    if (!QFile::exists(strV2 + "/ToolsInfoList.xml"))
        QSKIP("the demo catalog is not built (target demo_catalog)");
    QVERIFY(m_folder.isValid());
    m_pCatalog = std::make_unique<CatalogTestServer>(strV2);
    QVERIFY(m_pCatalog->start());
    // The broken package: the server drops the connection half way through.
    m_pCatalog->setFault("/" + catalogField(strV2 + "/ToolsInfoList.xml", kBroken, "DownloadENUrl"),
        CatalogTestServer::Fault::DropMidFile);

    // Version 1 of both tools installed; the catalog is version 2.
    QVERIFY(m_folder.writeSetup(m_pCatalog->baseUrl(), m_pCatalog->baseUrl(), 0));
    QVERIFY(copyDirectory(strV2 + "/ToolsFile", m_folder.path() + "/ToolsFile", true));
    QVERIFY(installVersion1(kGood));
    QVERIFY(installVersion1(kBroken));
    QFile states(m_folder.path() + "/ToolsStateList.xml");
    QVERIFY(states.open(QIODevice::WriteOnly));
    QString strStates = "<?xml version=\"1.0\"?>\n<Tools>\n";
    for (int iKey : { kGood, kBroken })
        strStates += QString("<State><ToolKey>%1</ToolKey><CurrentVersion>%2</CurrentVersion><IsDownload>1</IsDownload>"
                             "<IsNewTools>0</IsNewTools><IsNeedUpdate>0</IsNeedUpdate><ListOrder>%3</ListOrder></State>\n")
                         .arg(iKey).arg(catalogField(kDemo + "/catalog/ToolsInfoList.xml", iKey, "Version")).arg(iKey == kGood ? 0 : 1);
    QVERIFY(states.write((strStates + "</Tools>\n").toUtf8()) > 0);
    states.close();
    QVERIFY(QDir::setCurrent(m_folder.path()));
    QVERIFY(ConfigureStore::instance()->load(m_folder.path() + "/Setup.xml"));
    QVERIFY(ToolCatalog::instance()->init());

    const QString strFerrodock = m_folder.installExecutable(QStringLiteral(RW_FERRODOCK_PATH));
    QVERIFY(!strFerrodock.isEmpty());
    QVERIFY((m_iPort = startFerrodock(m_ferrodock, strFerrodock, m_folder.homePath())) != 0);

    QVERIFY(CorvaInit() != 0);
    m_pManager = std::make_unique<ClientRequestManager>();
    m_pManager->setMaxThreadCount(10);
    connect(m_pManager.get(), &ClientRequestManager::signalRequestResult, this, &TestMyToolsUpdate::onResult);
    TipDialog::setAnswerHook([this](const QString &text, bool) { return m_listMessages << text, 1; });
    m_pPage = std::make_unique<ToolBoxWidget>();
    connect(m_pPage.get(), &ToolBoxWidget::signalSubToolsRequest, this, &TestMyToolsUpdate::relay);
    m_pPage->resize(1013, 670);
    m_pPage->show();
}

void TestMyToolsUpdate::cleanupTestCase()
{
    m_pPage.reset();
    m_pManager.reset();
    CorvaFini();
    m_ferrodock.kill();
    m_ferrodock.waitForFinished(5000);
    if (m_pCatalog)
        m_pCatalog->stop();
    TipDialog::setAnswerHook(nullptr);
}

void TestMyToolsUpdate::relay(int iMethod, const QVector<int> &keys)
{
    QVERIFY(keys.size() <= 3);
    RequestParam param;
    param.method = iMethod;
    param.port = m_iPort;
    for (int iKey : keys) {
        const QString strUrl = QString::fromStdString(ToolCatalog::instance()->downloadUrl(iKey));
        m_mapUrlToKey.insert(strUrl, iKey);
        param.urls << strUrl;
    }
    if (!param.urls.isEmpty())
        m_pManager->sendRequest(param);
}

void TestMyToolsUpdate::onResult(int iError, const QString &strResponse)
{
    int iMethod = 0;
    QVector<protocol::UrlValue> values;
    QString strError;
    if (!protocol::parseResponse(strResponse.toLatin1(), &iMethod, &values, &strError)) {
        qWarning() << "unreadable answer" << iError << strError;
        return;
    }
    QMap<int, QString> byKey;
    for (const protocol::UrlValue &value : values)
        byKey.insert(m_mapUrlToKey.value(value.first), value.second);
    emit m_pPage->signalServerResponded(iMethod, byKey);
}

void TestMyToolsUpdate::batchUpdateInstallsTheGoodOneAndKeepsTheBrokenOne()
{
    ToolUpdateScene *updates = m_pPage->updateScene();
    QCOMPARE(updates->toolKeys(), QVector<int>({ kGood, kBroken }));
    const QString strSubTools = m_folder.downloadPath() + "/SubTools/";
    const QString strGoodExe = strSubTools + "ChecksumCalc/ChecksumCalc";
    const QString strBrokenExe = strSubTools + "JsonFormatter/JsonFormatter";
    const QByteArray brokenBefore = readFile(strBrokenExe);
    QVERIFY(!brokenBefore.isEmpty());
    QVERIFY(readFile(strGoodExe) != readFile(kDemo + "/tools-v2/ChecksumCalc/ChecksumCalc"));

    UpdateToolsWidget *bar = m_pPage->updateToolsWidget();
    QTest::mouseClick(bar->findChild<QPushButton *>("m_BatchUpdateBtn"), Qt::LeftButton);
    QTest::mouseClick(bar->findChild<QCheckBox *>("m_checkAllBox"), Qt::LeftButton);
    QTest::mouseClick(bar->findChild<QPushButton *>("m_updateBtn"), Qt::LeftButton);

    // The good one is installed and leaves the list; the broken one stays, failed, with a reason.
    QTRY_COMPARE_WITH_TIMEOUT(updates->toolKeys(), QVector<int>({ kBroken }), 90000);
    QTRY_COMPARE_WITH_TIMEOUT(updates->row(kBroken)->updateState(), UpdateFailed, 90000);
    QCOMPARE(m_pPage->downloadedScene()->row(kGood)->updateState(), UpToDate);
    QCOMPARE(readFile(strGoodExe), readFile(kDemo + "/tools-v2/ChecksumCalc/ChecksumCalc"));
    QCOMPARE(ToolCatalog::instance()->currentVersion(kGood),
             catalogField(m_folder.path() + "/ToolsFile/ToolsInfoList.xml", kGood, "Version").toStdString());
    QCOMPARE(ToolCatalog::instance()->isNeedUpdate(kBroken), 1);
    auto *failedBar = updates->row(kBroken)->findChild<QWidget *>("m_upgradeProgressBar");
    QVERIFY(!failedBar->toolTip().isEmpty());
    m_pPage->findChild<QWidget *>("m_ToolBoxTabWidget")->findChild<QPushButton *>("updateableToolBtn")->click();
    mytoolstest::saveScreenshot(m_pPage.get(), "mytools_batch_update_one_broken");

    // The broken one's old version is untouched and still starts from its row.
    QCOMPARE(readFile(strBrokenExe), brokenBefore);
    DownloadedSubToolWidget *brokenRow = m_pPage->downloadedScene()->row(kBroken);
    brokenRow->onOpenTool();
    QTRY_VERIFY_WITH_TIMEOUT(isProcessRunning("JsonFormatter"), 15000);
    brokenRow->onClose();
    QTRY_VERIFY_WITH_TIMEOUT(!isProcessRunning("JsonFormatter"), 15000);
    QVERIFY(m_listMessages.isEmpty());
}

QTEST_MAIN(TestMyToolsUpdate)
#include "tst_mytoolsupdate.moc"
