// The market page: one card per catalog tool in key order (never the material or the program) and
// search among them, the relays between the cards and the main window, the sticky type bar, folding
// the banner, the empty catalog and cards built late, in the catalog language the test runs in.
#include "ConfigureStore.h"
#include "IconButton.h"
#include "MarketFixture.h"
#include "ProgressBar.h"
#include "SubToolWidget.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "ToolDownloadWidget.h"
#include "ToolTypeWidget.h"
#include "ToolsWiget.h"
#include "ToosListWidget.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

using namespace gearbay;

namespace {

QList<int> cardKeys(ToolDownloadWidget &page)
{
    QList<int> keys;
    for (SubToolWidget *card : page.listWidget()->toolsWidget()->cards())
        keys << card->toolKey();
    return keys;
}

SubToolWidget *card(ToolDownloadWidget &page, int iKey)
{
    for (SubToolWidget *card : page.listWidget()->toolsWidget()->cards())
        if (card->toolKey() == iKey)
            return card;
    return nullptr;
}

} // namespace

class TestMarketPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void relaysBothWays();
    void typeBarStickyAndBannerFolds();
    void emptyCatalog();
    void search_data();
    void search();
    void cardBuiltLateShowsWhatItMissed();

private:
    void showPage(ToolDownloadWidget &page, int iHeight = 620);

    markettest::ProgramFolder m_folder;
    int m_iTranslator = 0;
};

void TestMarketPage::initTestCase()
{
    m_iTranslator = qEnvironmentVariableIntValue("RW_MARKET_TRANSLATOR");
    using markettest::Tool;
    // File order is not key order; the tool types differ, and the page shows every type in its one grid.
    const QVector<Tool> tools = {
        { 9, 3, "Disk Mapper", QString::fromUtf8("磁盘映射"), "DiskMapper.exe", "disk.png", 12, 0 },
        { 0, 0, "Material", QString::fromUtf8("资料"), "", "", 1, 0 },
        { 4, 1, "Hex Viewer", QString::fromUtf8("十六进制查看器"), "HexViewer.exe", "hex.png", 3, 0 },
        { 1, 0, "Rig Warden", QString::fromUtf8("工具仓"), "RigWarden", "", 1, 0 },
        { 2, 2, "Log Tailer", QString::fromUtf8("日志跟踪"), "LogTailer.exe", "log.png", 1, 1 },
        { 12, 7, "Port Scanner With A Rather Long Name", QString::fromUtf8("端口扫描器"), "PortScan.exe",
          "missing.png", 2, 0 },
        { 7, 2, "Serial Console", QString::fromUtf8("串口终端"), "Serial.exe", "serial.png", 5, 0 },
    };
    m_folder.writeImage("ToolsFile/Icon/disk.png", QSize(96, 96), QColor("#f39c12"), "DISK");
    m_folder.writeImage("ToolsFile/Icon/hex.png", QSize(96, 96), QColor("#2d7ff9"), "HEX");
    m_folder.writeImage("ToolsFile/Icon/log.png", QSize(96, 96), QColor("#16a085"), "LOG");
    m_folder.writeImage("ToolsFile/Icon/serial.png", QSize(96, 96), QColor("#8e44ad"), "COM");
    const QString strLanguage = m_iTranslator == 1 ? "zh" : "en";
    for (int key : { 2, 4, 7, 9, 12 }) {
        const QString strBase = "ToolsFile/BannerImages/" + strLanguage + "/" + QString::number(key);
        const QColor colour = QColor::fromHsv(key * 30, 160, 200);
        m_folder.writeImage(strBase + "_max.png", QSize(730, 280), colour,
                            strLanguage + " banner " + QString::number(key));
        m_folder.writeImage(strBase + "_min.png", QSize(278, 94), colour.lighter(130), QString::number(key));
    }
    QVERIFY(m_folder.setUp(tools, { { 4, 1, 0 } }, m_iTranslator));

    // The program's own look.
    QString strStyle;
    for (const QString &sheet : QDir(":/Gearbay/Qss/").entryList(QDir::Files)) {
        QFile file(":/Gearbay/Qss/" + sheet);
        if (file.open(QIODevice::ReadOnly))
            strStyle += QString::fromUtf8(file.readAll()) + "\n";
    }
    qApp->setStyleSheet(strStyle);
    TipDialog::setAnswerHook([](const QString &, bool) { return 1; });
}

void TestMarketPage::showPage(ToolDownloadWidget &page, int iHeight)
{
    page.resize(1024, iHeight);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
}

void TestMarketPage::relaysBothWays()
{
    // The relays of downloads, answers and states are driven in the real window (tst_marketflow).
    ToolDownloadWidget page;
    showPage(page);
    QSignalSpy reportSpy(&page, &ToolDownloadWidget::signalToMainPage);
    QSignalSpy detailSpy(&page, &ToolDownloadWidget::signalShowMoreInfoWidget);
    QSignalSpy coverSpy(&page, &ToolDownloadWidget::signalCover);

    // Up: a card's detail request and its cover reach the main window.
    QTest::mouseClick(card(page, 9)->findChild<QPushButton *>("toolName"), Qt::LeftButton);
    QCOMPARE(detailSpy.count(), 1);
    QCOMPARE(detailSpy.takeFirst().first().toInt(), 9);
    // The banner's picture opens the tool it shows (the smallest key first).
    page.findChild<vellum::IconButton *>("picMax")->click();
    QCOMPARE(detailSpy.count(), 1);
    QCOMPARE(detailSpy.first().first().toInt(), 2);
    emit card(page, 2)->signalCover(true);
    QCOMPARE(coverSpy.count(), 1);

    // Down: a queued start reaches exactly the card it names.
    emit page.signalWaitingToolsStartDownload(12);
    QCOMPARE(reportSpy.count(), 1);
    QCOMPARE(reportSpy.first().at(1).toInt(), 12);
}

// The fold button floats over the banner's right part, also in a wider window.
static bool overBannersRight(QWidget *pFold, QWidget *pBanner)
{
    return pFold->geometry().right() <= pBanner->geometry().right()
        && pFold->x() > pBanner->geometry().center().x() && pFold->y() < pBanner->geometry().center().y();
}

void TestMarketPage::typeBarStickyAndBannerFolds()
{
    ToolDownloadWidget page;
    showPage(page, 420);
    QScrollBar *bar = page.findChild<QScrollArea *>("scrollArea")->verticalScrollBar();
    auto *typeBar = page.findChild<ToolTypeWidget *>();
    auto *picWidget = page.findChild<QWidget *>("picWidget");
    auto *fold = page.findChild<QPushButton *>("m_pExpendBtn");
    const int iRest = typeBar->y();
    QVERIFY(iRest > picWidget->geometry().bottom());
    QVERIFY2(bar->maximum() >= iRest + 100, qPrintable(QString::number(bar->maximum())));
    // Scrolled past its place the bar stays at the top of the view; above it, back in its place.
    bar->setValue(iRest + 100);
    QCOMPARE(typeBar->y(), iRest + 100);
    bar->setValue(iRest / 2);
    QCOMPARE(typeBar->y(), iRest);
    bar->setValue(0);
    QVERIFY(overBannersRight(fold, picWidget));

    QTest::mouseClick(fold, Qt::LeftButton);
    QVERIFY(picWidget->isHidden());
    QCOMPARE(typeBar->y(), 0);
    bar->setValue(bar->maximum());
    QTest::mouseClick(fold, Qt::LeftButton);
    QVERIFY(!picWidget->isHidden());
    QCOMPARE(bar->value(), 0);
    QCOMPARE(typeBar->y(), iRest);

    page.resize(1200, 620);
    QTRY_VERIFY(overBannersRight(fold, picWidget));
}

void TestMarketPage::emptyCatalog()
{
    QMap<int, ToolInfo> &infos = ToolCatalog::instance()->toolInfos();
    const QMap<int, ToolInfo> saved = infos;
    for (int key : infos.keys())
        if (key > 1)
            infos.remove(key);
    ToolDownloadWidget page;
    infos = saved;
    showPage(page);
    QVERIFY(cardKeys(page).isEmpty());
    QVERIFY(page.findChild<QLabel *>("emptyPicture")->isVisible());
    // The banner and the type bar stay.
    QVERIFY(page.findChild<QWidget *>("picWidget")->isVisible());
    QVERIFY(page.findChild<ToolTypeWidget *>()->isVisible());
}

void TestMarketPage::search_data()
{
    QTest::addColumn<QString>("strTyped");
    QTest::addColumn<QString>("strThen"); // "", "esc" or "clear button"
    QTest::addColumn<QList<int>>("listShown");

    QTest::newRow("Chinese name") << QString::fromUtf8("串口") << "" << QList<int> { 7 };
    QTest::newRow("English name, any case") << "hEX view" << "" << QList<int> { 4 };
    QTest::newRow("words from an introduction") << "small JOB" << "" << QList<int> { 2, 4, 7, 9, 12 };
    QTest::newRow("Chinese introduction") << QString::fromUtf8("映射：一个") << "" << QList<int> { 9 };
    QTest::newRow("full-width input") << QString::fromUtf8("ＤＩＳＫ") << "" << QList<int> { 9 };
    QTest::newRow("no result") << "zebra" << "" << QList<int> {};
    QTest::newRow("Esc clears") << "zebra" << "esc" << QList<int> { 2, 4, 7, 9, 12 };
    QTest::newRow("clear button") << "serial" << "clear button" << QList<int> { 2, 4, 7, 9, 12 };
}

void TestMarketPage::search()
{
    QFETCH(QString, strTyped);
    QFETCH(QString, strThen);
    QFETCH(QList<int>, listShown);
    ToolDownloadWidget page;
    showPage(page);
    const QVector<SubToolWidget *> built = page.listWidget()->toolsWidget()->cards();
    page.focusSearch();
    auto *edit = page.findChild<QLineEdit *>("searchEdit");
    QVERIFY(edit->hasFocus());
    edit->insert(strTyped);
    if (strThen == "esc") {
        QTest::keyClick(edit, Qt::Key_Escape);
    } else if (strThen == "clear button") {
        for (QToolButton *button : edit->findChildren<QToolButton *>())
            if (button->isVisible())
                QTest::mouseClick(button, Qt::LeftButton);
    }
    QList<int> shown;
    for (int iKey : cardKeys(page))
        if (card(page, iKey)->isVisibleTo(&page))
            shown << iKey;
    QCOMPARE(shown, listShown);
    // The banner stays, and filtering rebuilds no card.
    QVERIFY(page.findChild<QWidget *>("picWidget")->isVisible());
    QCOMPARE(page.listWidget()->toolsWidget()->cards(), built);
    auto *noMatch = page.findChild<QLabel *>("noMatchText");
    QCOMPARE(noMatch != nullptr && noMatch->isVisibleTo(&page), listShown.isEmpty());
    if (listShown.isEmpty())
        QCOMPARE(noMatch->text(), QString("No tool matches \"zebra\"."));
}

void TestMarketPage::cardBuiltLateShowsWhatItMissed()
{
    // Sixty more tools than fit on the page: the far ones get no card until they come into view.
    QMap<int, ToolInfo> &infos = ToolCatalog::instance()->toolInfos();
    const QMap<int, ToolInfo> saved = infos;
    for (int iKey = 100; iKey < 160; ++iKey) {
        ToolInfo info = saved.value(9);
        info.ToolKey = iKey;
        infos.insert(iKey, info);
    }
    const auto restore = qScopeGuard([&] { infos = saved; });
    ToolDownloadWidget page;
    showPage(page, 420);
    ToolsWiget *grid = page.listWidget()->toolsWidget();
    QTRY_VERIFY(!grid->cards().isEmpty());
    QVERIFY(grid->cards().size() < 30);
    for (SubToolWidget *built : grid->cards())
        QVERIFY(built->toolKey() != 159);

    // A download of the last tool fails while its card is far out of sight (started elsewhere).
    emit page.signalSubToolsStateChanged(StateRequested, 159);
    emit page.signalServerResponded(3, { { 159, "0" } });
    emit page.signalServerResponded(4, { { 159, "404" } });

    QScrollBar *bar = page.findChild<QScrollArea *>("scrollArea")->verticalScrollBar();
    bar->setValue(bar->maximum());
    SubToolWidget *last = card(page, 159);
    QVERIFY(last != nullptr);
    QTRY_VERIFY(last->visibleRegion().boundingRect().height() > 200);
    auto *progress = last->findChild<ProgressBar *>("progressBar");
    QVERIFY(progress->isVisibleTo(&page));
    QCOMPARE(progress->m_iMode, 1);
    QVERIFY(last->findChild<QPushButton *>("refreshBtn")->isVisibleTo(&page));
}

QTEST_MAIN(TestMarketPage)
#include "tst_marketpage.moc"
