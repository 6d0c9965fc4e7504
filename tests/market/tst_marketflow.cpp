// The market page inside the real main window, with the real Ferrodock and a catalog server on
// loopback serving the demo catalog: a download clicked on a card lands in the download path and
// opens; a cancelled download leaves nothing behind; a restricted tool asks for the login first.
#include "Gearbay.h"
#include "MarketFixture.h"
#include "StringConvert.h"
#include "SubToolWidget.h"
#include "TestFiles.h"
#include "ToolCatalog.h"
#include "ToolDownloadWidget.h"
#include "Utilities.h"
#include "WindowFixture.h"

#include <QPushButton>
#include <QSignalSpy>
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
    void downloadsAndOpens();
    void cancelLeavesNothing();
    void restrictedToolAsksLogin();

private:
    WindowFixture m_fixture { kDemoCatalog };
    Gearbay *m_pWindow = nullptr;
    ToolDownloadWidget *m_pPage = nullptr;
};

void TestMarketFlow::initTestCase()
{
    if (!QFile::exists(kDemoCatalog + "/MaterialVersion.txt"))
        QSKIP("the demo catalog is not built (target demo_catalog)");
    qRegisterMetaType<QMap<int, QString>>("QMap<int,QString>");
    QVERIFY(m_fixture.prepare(kDemoCatalog + "/ToolsFile"));
    m_pWindow = m_fixture.open();
    QVERIFY(m_pWindow);
    m_pPage = m_pWindow->findChild<ToolDownloadWidget *>();
}

void TestMarketFlow::downloadsAndOpens()
{
    SubToolWidget *tool = m_fixture.card(kDownloaded);
    QVERIFY(tool);
    QSignalSpy reports(m_pPage, &ToolDownloadWidget::signalToMainPage);
    QSignalSpy answers(m_pWindow, &Gearbay::signalServerResponded);
    QTest::mouseClick(tool->findChild<QPushButton *>("downLoadBtn"), Qt::LeftButton);

    QTRY_COMPARE_WITH_TIMEOUT(tool->currentState(), StateDownloaded, 120000);
    QVERIFY2(m_fixture.tips.isEmpty(), qPrintable(m_fixture.tips.join(" | ")));
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

    QTest::mouseClick(tool->findChild<QPushButton *>("OpenBtn"), Qt::LeftButton);
    const QString strExeName = vellum::ConvertToUnicode(ToolCatalog::instance()->toolInfos()[kDownloaded].ExeName);
    QTRY_VERIFY_WITH_TIMEOUT(isProcessRunning(strExeName), 20000);
}

void TestMarketFlow::cancelLeavesNothing()
{
    SubToolWidget *tool = m_fixture.card(kCancelled);
    QVERIFY(tool);
    const QStringList before = snapshot(m_fixture.folder().downloadPath(), true).keys();
    const ToolInfo info = ToolCatalog::instance()->toolInfos().value(kCancelled);
    m_fixture.server().setFault("/" + vellum::ConvertToUnicode(info.DownloadENUrl), CatalogTestServer::Fault::Stall);

    QTest::mouseClick(tool->findChild<QPushButton *>("downLoadBtn"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_fixture.server().isStalling(), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(tool->currentState(), StateDownloading, 30000);
    QTest::mouseClick(tool->findChild<QPushButton *>("cancelBtn"), Qt::LeftButton);
    QCOMPARE(tool->currentState(), StateCancelled);
    QVERIFY(tool->findChild<QPushButton *>("downLoadBtn")->isVisible());

    // Ferrodock stops the transfer and removes what it had written; the installed tool stays.
    QTRY_COMPARE_WITH_TIMEOUT(snapshot(m_fixture.folder().downloadPath(), true).keys(), before, 30000);
    QVERIFY(!QDir(m_fixture.folder().downloadPath() + "/SubTools/" + ToolCatalog::folderNameOf(
                      vellum::ConvertToUnicode(info.ExeName))).exists());
    m_fixture.server().clearFaults();
    m_fixture.server().releaseStall();
}

void TestMarketFlow::restrictedToolAsksLogin()
{
    SubToolWidget *tool = m_fixture.card(kRestricted);
    QVERIFY(tool);
    QVERIFY(!ToolCatalog::instance()->permissionGranted());
    QSignalSpy requests(m_pPage, &ToolDownloadWidget::signalDownload);
    markettest::ModalCloser closer;
    QTest::mouseClick(tool->findChild<QPushButton *>("downLoadBtn"), Qt::LeftButton);
    QCOMPARE(closer.closed(), QStringList { "gearbay::UserPermissionWidget" });
    QCOMPARE(requests.count(), 0);
    QCOMPARE(tool->currentState(), StateNone);
}

QTEST_MAIN(TestMarketFlow)
#include "tst_marketflow.moc"
