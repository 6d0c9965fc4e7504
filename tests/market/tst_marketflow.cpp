// The market card, the detail page and the My Tools board inside the real main window, with the real
// Ferrodock and the demo catalog's version 2 served on loopback: a download from a card or a detail
// page is installed and opens, and card, detail page and board agree on every tool's state through a
// download, a delete and an update; a cancelled download leaves nothing behind.
#include "Gearbay.h"
#include "MoreInfoLeftWidget.h"
#include "StringConvert.h"
#include "SubToolWidget.h"
#include "TestFiles.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadWidget.h"
#include "ToolDownloadedScene.h"
#include "Utilities.h"
#include "WindowFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

using namespace gearbay;

namespace {

const QString kDemo = QStringLiteral(RW_BUILD_DIR "/demo");
constexpr int kUpdated = 2;   // ChecksumCalc, version 1 installed
constexpr int kViewer = 3;    // HexViewer
constexpr int kConverter = 4; // UnitConverter
constexpr int kCancelled = 6; // Base64Coder
constexpr int kWaitMs = 90000;

bool shown(QWidget *pParent, const char *name)
{
    auto *pChild = pParent->findChild<QWidget *>(QLatin1String(name));
    return pChild && pChild->isVisibleTo(pParent);
}

} // namespace

class TestMarketFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cardDownloadsAndOpens();
    void pagesAgreeThroughDownloadDeleteUpdate();
    void cancelLeavesNothing();
    void ctrlFSearchesFromAnyPage();

private:
    // What the card and the detail page show for a tool: "download", "open", "update" or "busy".
    QString cardView(int iKey) const;
    QString detailView(int iKey) const;
    QString views(int iKey) const { return cardView(iKey) + "/" + detailView(iKey); }
    MoreInfoLeftWidget *panel(int iKey) const;
    QPushButton *cardButton(int iKey, const char *pName) const
    {
        return m_fixture.card(iKey)->findChild<QPushButton *>(QLatin1String(pName));
    }

    WindowFixture m_fixture { kDemo + "/catalog-v2" };
};

void TestMarketFlow::initTestCase()
{
    if (!QFile::exists(kDemo + "/catalog-v2/MaterialVersion.txt"))
        QSKIP("the demo catalog is not built (target demo_catalog)");
    qRegisterMetaType<QMap<int, QString>>("QMap<int,QString>");
    QVERIFY(m_fixture.prepare(kDemo + "/catalog-v2/ToolsFile", { { kUpdated, "1.2.0" } }));
    QVERIFY(m_fixture.unpack(kDemo + "/catalog", kUpdated));
    QVERIFY(m_fixture.open());
}

QString TestMarketFlow::cardView(int iKey) const
{
    SubToolWidget *pCard = m_fixture.card(iKey);
    if (shown(pCard, "progressBar"))
        return "busy";
    if (shown(pCard, "OpenBtn"))
        return "open";
    return shown(pCard, "downLoadBtn") ? "download" : "none";
}

QString TestMarketFlow::detailView(int iKey) const
{
    MoreInfoLeftWidget *pPanel = panel(iKey);
    if (shown(pPanel, "progressBarWidget"))
        return "busy";
    if (shown(pPanel, "updateBtnWidget"))
        return "update";
    if (shown(pPanel, "openBtn"))
        return "open";
    return shown(pPanel, "downloadBtn") ? "download" : "none";
}

MoreInfoLeftWidget *TestMarketFlow::panel(int iKey) const
{
    m_fixture.window()->showMoreInfoPage(iKey);
    auto *pPages = m_fixture.window()->findChild<QStackedWidget *>(QStringLiteral("mainStackedWidget"));
    return pPages->currentWidget()->findChild<MoreInfoLeftWidget *>();
}

void TestMarketFlow::cardDownloadsAndOpens()
{
    QSignalSpy reports(m_fixture.window()->findChild<ToolDownloadWidget *>(), &ToolDownloadWidget::signalToMainPage);
    QSignalSpy answers(m_fixture.window(), &Gearbay::signalServerResponded);
    QTest::mouseClick(cardButton(kConverter, "downLoadBtn"), Qt::LeftButton);

    QTRY_COMPARE_WITH_TIMEOUT(m_fixture.card(kConverter)->currentState(), StateDownloaded, kWaitMs);
    QVERIFY2(m_fixture.tips.isEmpty(), qPrintable(m_fixture.tips.join(" | ")));
    // The card went through requested and downloading, and progress answers reached it.
    QStringList states;
    for (const QList<QVariant> &args : reports)
        if (args.at(1).toInt() == kConverter)
            states << QString::number(args.at(0).toInt());
    QCOMPARE(states.join(','), QString("1,2,3"));
    QVERIFY(std::any_of(answers.cbegin(), answers.cend(), [](const QList<QVariant> &args) {
        return args.at(0).toInt() == 4 && args.at(1).value<QMap<int, QString>>().contains(kConverter);
    }));
    QCOMPARE(views(kConverter), QString("open/open"));
    const QString strExe = ToolCatalog::instance()->toolExePath(kConverter);
    QVERIFY2(QFileInfo(strExe).isExecutable(), qPrintable(strExe));

    QTest::mouseClick(cardButton(kConverter, "OpenBtn"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(isProcessRunning(QFileInfo(strExe).fileName()), 20000);
}

void TestMarketFlow::pagesAgreeThroughDownloadDeleteUpdate()
{
    ToolDownloadedScene *pBoard = m_fixture.window()->findChild<ToolBoxWidget *>()->downloadedScene();
    QCOMPARE(views(kViewer), QString("download/download"));
    QVERIFY(!pBoard->contains(kViewer));

    // Download from the detail page: the card shows it too, and both end installed with the board.
    QTest::mouseClick(panel(kViewer)->findChild<QAbstractButton *>("downloadBtn"), Qt::LeftButton);
    QCOMPARE(views(kViewer), QString("busy/busy"));
    QTRY_COMPARE_WITH_TIMEOUT(views(kViewer), QString("open/open"), kWaitMs);
    QTRY_VERIFY(pBoard->contains(kViewer));
    QCOMPARE(ToolCatalog::instance()->findState(kViewer)->IsDownload, 1);

    // Delete on the board: card and detail page offer the download again.
    pBoard->onDeleteTool(kViewer);
    QTRY_VERIFY_WITH_TIMEOUT(!pBoard->contains(kViewer), kWaitMs);
    QTRY_COMPARE_WITH_TIMEOUT(views(kViewer), QString("download/download"), kWaitMs);
    QCOMPARE(ToolCatalog::instance()->findState(kViewer)->IsDownload, 0);

    // Update an installed tool from its detail page: it is installed once on the board and opens
    // everywhere; the other tool is left alone.
    QCOMPARE(detailView(kUpdated), QString("update"));
    QTest::mouseClick(panel(kUpdated)->findChild<QAbstractButton *>("updateBtn"), Qt::LeftButton);
    QCOMPARE(cardView(kUpdated), QString("busy"));
    QTRY_COMPARE_WITH_TIMEOUT(views(kUpdated), QString("open/open"), kWaitMs);
    QTRY_COMPARE(pBoard->toolKeys().count(kUpdated), 1);
    QCOMPARE(views(kViewer), QString("download/download"));
    QVERIFY2(!m_fixture.tips.contains("connect to server fail"), qPrintable(m_fixture.tips.join(" | ")));
}

void TestMarketFlow::cancelLeavesNothing()
{
    const QStringList before = snapshot(m_fixture.folder().downloadPath(), true).keys();
    const ToolInfo info = ToolCatalog::instance()->toolInfos().value(kCancelled);
    m_fixture.server().setFault("/" + vellum::ConvertToUnicode(info.DownloadENUrl), CatalogTestServer::Fault::Stall);

    SubToolWidget *tool = m_fixture.card(kCancelled);
    QTest::mouseClick(cardButton(kCancelled, "downLoadBtn"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_fixture.server().isStalling(), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(tool->currentState(), StateDownloading, 30000);
    QTest::mouseClick(cardButton(kCancelled, "cancelBtn"), Qt::LeftButton);
    QCOMPARE(tool->currentState(), StateCancelled);
    QCOMPARE(cardView(kCancelled), QString("download"));

    // Ferrodock stops the transfer and removes what it had written; the installed tools stay.
    QTRY_COMPARE_WITH_TIMEOUT(snapshot(m_fixture.folder().downloadPath(), true).keys(), before, 30000);
    QVERIFY(!QDir(m_fixture.folder().downloadPath() + "/SubTools/"
                  + ToolCatalog::folderNameOf(vellum::ConvertToUnicode(info.ExeName))).exists());
    m_fixture.server().clearFaults();
    m_fixture.server().releaseStall();
}

void TestMarketFlow::ctrlFSearchesFromAnyPage()
{
    Gearbay *window = m_fixture.window();
    auto *pages = window->findChild<QStackedWidget *>("mainStackedWidget");
    pages->setCurrentIndex(1);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(window->findChild<QLineEdit *>("searchEdit")->hasFocus());
}

QTEST_MAIN(TestMarketFlow)
#include "tst_marketflow.moc"
