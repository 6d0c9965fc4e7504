// The market page inside the real main window, with the real Ferrodock and a catalog server on
// loopback serving the demo catalog: a download clicked on a card lands in the download path and
// opens; a cancelled download leaves nothing behind; a restricted tool asks for the login first.
#include "CatalogTestServer.h"
#include "ConfigureStore.h"
#include "Gearbay.h"
#include "MarketFixture.h"
#include "StringConvert.h"
#include "SubToolWidget.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "ToolDownloadWidget.h"
#include "ToolsWiget.h"
#include "ToosListWidget.h"
#include "Utilities.h"
#include "../stilemend/TestFiles.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace gearbay;

namespace {

const QString kDemoCatalog = QStringLiteral(RW_BUILD_DIR "/demo/catalog");
constexpr int kDownloaded = 2; // ChecksumCalc
constexpr int kCancelled = 3;  // HexViewer
constexpr int kRestricted = 9; // PasswordGen

} // namespace

class TestMarketFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void downloadsAndOpens();
    void cancelLeavesNothing();
    void restrictedToolAsksLogin();
    void ctrlFSearchesFromAnyPage();

private:
    SubToolWidget *card(int iKey) const;

    QTemporaryDir m_downloads;
    CatalogTestServer *m_pServer = nullptr;
    Gearbay *m_pWindow = nullptr;
    ToolDownloadWidget *m_pPage = nullptr;
    QStringList m_listTips;
};

void TestMarketFlow::initTestCase()
{
    if (!QFile::exists(kDemoCatalog + "/MaterialVersion.txt"))
        QSKIP("the demo catalog is not built (target demo_catalog)");
    const QString strProgram = QCoreApplication::applicationDirPath();
    if (!QFile::exists(strProgram + "/Ferrodock"))
        QSKIP("Ferrodock is not beside the test");
    QVERIFY(m_downloads.isValid());
    qRegisterMetaType<QMap<int, QString>>("QMap<int,QString>");

    m_pServer = new CatalogTestServer(kDemoCatalog);
    QVERIFY(m_pServer->start());

    // This folder is the program folder: Ferrodock reads the settings and the catalog beside itself.
    QDir program(strProgram);
    for (const char *name : { "ToolsFile", "ToolsFileTemp" })
        QDir(program.filePath(name)).removeRecursively();
    QVERIFY(copyDirectory(kDemoCatalog + "/ToolsFile", program.filePath("ToolsFile"), true));
    markettest::Fields keys = markettest::setupKeys(0, m_downloads.path(), m_pServer->baseUrl());
    keys << markettest::Fields { { "Languages", "zh,en" }, { "LogLevel", "0" }, { "Skin", "default" },
                                 { "DirectoryCaFile", "" }, { "Proxy", "" } };
    QVERIFY(markettest::writeXmlFile(program.filePath("Setup.xml"), markettest::xmlElement("Configure", keys, true)));
    QVERIFY(markettest::writeXmlFile(program.filePath("ToolsStateList.xml"), "<Tools/>\n"));

    QVERIFY(QDir::setCurrent(strProgram));
    QVERIFY(ConfigureStore::instance()->load(program.filePath("Setup.xml")));
    QVERIFY(ToolCatalog::instance()->init());
    TipDialog::setAnswerHook([this](const QString &text, bool) { return m_listTips << text, 1; });

    m_pWindow = new Gearbay;
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
    m_pPage = m_pWindow->findChild<ToolDownloadWidget *>();
    QVERIFY(m_pPage);
    QTRY_VERIFY_WITH_TIMEOUT(m_pWindow->serverPort() > 0
                                 && m_pWindow->serverProcess()->state() == QProcess::Running,
                             30000);
}

void TestMarketFlow::cleanupTestCase()
{
    if (m_pWindow) {
        // Ends the tools the cards started, then the window with its server.
        ConfigureStore::instance()->setIsCloseOpenTools(1);
        emit m_pPage->signalClose();
        ConfigureStore::instance()->setIsCloseOpenTools(0);
        m_pWindow->serverProcess()->kill();
        m_pWindow->serverProcess()->waitForFinished(10000);
        delete m_pWindow;
    }
    if (m_pServer) {
        m_pServer->releaseStall();
        m_pServer->stop();
        delete m_pServer;
    }
    TipDialog::setAnswerHook(nullptr);
}

SubToolWidget *TestMarketFlow::card(int iKey) const
{
    for (SubToolWidget *card : m_pPage->listWidget()->toolsWidget()->cards())
        if (card->toolKey() == iKey)
            return card;
    return nullptr;
}

void TestMarketFlow::downloadsAndOpens()
{
    SubToolWidget *tool = card(kDownloaded);
    QVERIFY(tool);
    QSignalSpy reports(m_pPage, &ToolDownloadWidget::signalToMainPage);
    QSignalSpy answers(m_pWindow, &Gearbay::signalServerResponded);
    QTest::mouseClick(tool->findChild<QPushButton *>("downLoadBtn"), Qt::LeftButton);

    QTRY_COMPARE_WITH_TIMEOUT(tool->currentState(), StateDownloaded, 120000);
    QVERIFY2(m_listTips.isEmpty(), qPrintable(m_listTips.join(" | ")));
    // The card went through requested and downloading, and progress answers reached it.
    QStringList states;
    for (const QList<QVariant> &args : reports)
        if (args.at(1).toInt() == kDownloaded)
            states << QString::number(args.at(0).toInt());
    QCOMPARE(states.join(','), QString("1,2,3"));
    QVERIFY(std::any_of(answers.cbegin(), answers.cend(), [](const QList<QVariant> &args) {
        return args.at(0).toInt() == 4 && args.at(1).value<QMap<int, QString>>().contains(kDownloaded);
    }));
    QVERIFY(tool->findChild<QPushButton *>("OpenBtn")->isVisible());
    const QString strExe = ToolCatalog::instance()->toolExePath(kDownloaded);
    QVERIFY2(QFileInfo(strExe).isExecutable(), qPrintable(strExe));
    markettest::saveScreenshot(m_pWindow, "market_window_installed_en");

    QTest::mouseClick(tool->findChild<QPushButton *>("OpenBtn"), Qt::LeftButton);
    const QString strExeName = vellum::ConvertToUnicode(ToolCatalog::instance()->toolInfos()[kDownloaded].ExeName);
    QTRY_VERIFY_WITH_TIMEOUT(isProcessRunning(strExeName), 20000);
    QTest::mouseClick(tool->findChild<QPushButton *>("OpenBtn"), Qt::LeftButton);
    QCOMPARE(m_listTips.size(), 1);
    QVERIFY(m_listTips.first().endsWith("Software already opened."));
}

void TestMarketFlow::cancelLeavesNothing()
{
    SubToolWidget *tool = card(kCancelled);
    QVERIFY(tool);
    const QStringList before = snapshot(m_downloads.path(), true).keys();
    const ToolInfo info = ToolCatalog::instance()->toolInfos().value(kCancelled);
    m_pServer->setFault("/" + vellum::ConvertToUnicode(info.DownloadENUrl), CatalogTestServer::Fault::Stall);

    QTest::mouseClick(tool->findChild<QPushButton *>("downLoadBtn"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_pServer->isStalling(), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(tool->currentState(), StateDownloading, 30000);
    markettest::saveScreenshot(m_pWindow, "market_window_downloading_en");
    QTest::mouseClick(tool->findChild<QPushButton *>("cancelBtn"), Qt::LeftButton);
    QCOMPARE(tool->currentState(), StateCancelled);
    QVERIFY(tool->findChild<QPushButton *>("downLoadBtn")->isVisible());

    // Ferrodock stops the transfer and removes what it had written; the installed tool stays.
    QTRY_COMPARE_WITH_TIMEOUT(snapshot(m_downloads.path(), true).keys(), before, 30000);
    QVERIFY(!QDir(m_downloads.path() + "/SubTools/" + ToolCatalog::folderNameOf(
                      vellum::ConvertToUnicode(info.ExeName))).exists());
    m_pServer->clearFaults();
    m_pServer->releaseStall();
}

void TestMarketFlow::restrictedToolAsksLogin()
{
    SubToolWidget *tool = card(kRestricted);
    QVERIFY(tool);
    QVERIFY(!ToolCatalog::instance()->permissionGranted());
    QSignalSpy requests(m_pPage, &ToolDownloadWidget::signalDownload);
    markettest::ModalCloser closer;
    QTest::mouseClick(tool->findChild<QPushButton *>("downLoadBtn"), Qt::LeftButton);
    QCOMPARE(closer.closed(), QStringList { "gearbay::UserPermissionWidget" });
    QCOMPARE(requests.count(), 0);
    QCOMPARE(tool->currentState(), StateNone);
}

void TestMarketFlow::ctrlFSearchesFromAnyPage()
{
    auto *pages = m_pWindow->findChild<QStackedWidget *>("mainStackedWidget");
    pages->setCurrentIndex(1);
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow));
    QTest::keyClick(m_pWindow, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(m_pPage->findChild<QLineEdit *>("searchEdit")->hasFocus());
}

QTEST_MAIN(TestMarketFlow)
#include "tst_marketflow.moc"
