// The banner: which pictures it finds, the rotation of the preview column and the large picture with
// its wrap-around, hovering and clicking, and what it shows with too few pictures.
#include "BannerIndicatorWidget.h"
#include "ConfigureStore.h"
#include "IconButton.h"
#include "MarketFixture.h"
#include "ToolIntroPictureWidget.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace gearbay;

namespace {

QList<int> previewKeys(ToolIntroPictureWidget &banner)
{
    QList<int> keys;
    QList<BannerIndicatorWidget *> sorted = banner.findChildren<BannerIndicatorWidget *>();
    // Top to bottom, as the user sees them.
    std::sort(sorted.begin(), sorted.end(),
              [](BannerIndicatorWidget *a, BannerIndicatorWidget *b) { return a->y() < b->y(); });
    for (BannerIndicatorWidget *preview : sorted)
        keys << preview->toolKey();
    return keys;
}

// The key the large picture belongs to, as a click on it reports it.
int shownKey(ToolIntroPictureWidget &banner)
{
    QSignalSpy spy(&banner, &ToolIntroPictureWidget::signalClicked);
    banner.findChild<vellum::IconButton *>("picMax")->click();
    return spy.isEmpty() ? -1 : spy.first().first().toInt();
}

void rotate(ToolIntroPictureWidget &banner, int iTimes)
{
    for (int i = 0; i < iTimes; ++i)
        banner.findChild<QPushButton *>("m_pSwitchBtn")->click();
}

} // namespace

class TestBanner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rotatesAndWraps_data();
    void rotatesAndWraps();
    void hoverAndSwitch();
    void followsLanguage();
    void tooFewPictures();
    void brokenPictureGetsPlaceholder();

private:
    void layOut(ToolIntroPictureWidget &banner);
    markettest::ProgramFolder m_folder;
};

void TestBanner::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QVERIFY(m_folder.setUp({}, {}, 0));
    const QString en = "ToolsFile/BannerImages/en/";
    for (const char *name : { "3_min.png", "3_max.png", "7_max.png", "9_min.png", "11_min.png", "1_min.png",
                              "banner.png", "5_min_old.png" })
        m_folder.writeImage(en + name, QSize(60, 20), Qt::darkCyan, name);
    const QString zh = "ToolsFile/BannerImages/zh/";
    for (const char *name : { "20_max.png", "21_max.png", "22_max.png", "23_max.png" })
        m_folder.writeImage(zh + name, QSize(60, 20), Qt::darkRed, name);
}

void TestBanner::layOut(ToolIntroPictureWidget &banner)
{
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
}

void TestBanner::rotatesAndWraps_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QList<int>>("column");
    QTest::addColumn<int>("shown");

    // 3, 7, 9 and 11 are found, whichever of their two pictures exists; 1, "banner" and "5_min_old" not.
    QTest::newRow("start") << 0 << QList<int> { 3, 7, 9 } << 3;
    QTest::newRow("one") << 1 << QList<int> { 7, 9, 11 } << 7;
    QTest::newRow("three") << 3 << QList<int> { 11, 3, 7 } << 11;
    QTest::newRow("four wraps") << 4 << QList<int> { 3, 7, 9 } << 3;
}

void TestBanner::rotatesAndWraps()
{
    QFETCH(int, ticks);
    ToolIntroPictureWidget banner;
    layOut(banner);
    rotate(banner, ticks);
    QTEST(previewKeys(banner), "column");
    QTEST(shownKey(banner), "shown");
}

void TestBanner::hoverAndSwitch()
{
    ToolIntroPictureWidget banner;
    layOut(banner);
    auto *timer = banner.findChild<QTimer *>();
    QVERIFY(timer && timer->isActive());
    auto *switchBtn = banner.findChild<QPushButton *>("m_pSwitchBtn");
    QVERIFY(!switchBtn->isVisible());
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&banner, &enter);
    QVERIFY(switchBtn->isVisible());
    BannerIndicatorWidget *bottom = nullptr;
    for (BannerIndicatorWidget *preview : banner.findChildren<BannerIndicatorWidget *>())
        if (preview->toolKey() == 9)
            bottom = preview;
    QVERIFY(bottom);
    QApplication::sendEvent(bottom, &enter);
    QCOMPARE(shownKey(banner), 9);
    QTest::qWait(1500);
    // The next rotation goes on from the hovered tool, and the automatic one is postponed to a full
    // period after the click.
    switchBtn->click();
    QCOMPARE(shownKey(banner), 11);
    QVERIFY2(timer->remainingTime() > 4000, qPrintable(QString::number(timer->remainingTime())));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&banner, &leave);
    QVERIFY(!switchBtn->isVisible());

    // A click on a preview asks for that tool's page.
    QSignalSpy spy(&banner, &ToolIntroPictureWidget::signalClicked);
    bottom->findChild<vellum::IconButton *>("picBtn")->click();
    QCOMPARE(spy.count(), 1);
}

void TestBanner::followsLanguage()
{
    QVERIFY(ConfigureStore::instance()->setValue(0, "1"));
    ToolIntroPictureWidget chinese;
    QVERIFY(ConfigureStore::instance()->setValue(0, "0"));
    layOut(chinese);
    QCOMPARE(previewKeys(chinese), (QList<int> { 20, 21, 22 }));
    QCOMPARE(shownKey(chinese), 20);
}

void TestBanner::tooFewPictures()
{
    QVERIFY(QDir("ToolsFile/BannerImages/en").removeRecursively());
    m_folder.writeImage("ToolsFile/BannerImages/en/4_max.png", QSize(60, 20), Qt::darkGreen);
    ToolIntroPictureWidget banner;
    layOut(banner);
    // One picture cannot rotate: it is shown alone, with no previews, switch button or timer.
    QVERIFY(previewKeys(banner).isEmpty());
    QVERIFY(!banner.findChild<QPushButton *>("m_pSwitchBtn"));
    QVERIFY(!banner.findChild<QTimer *>());
    QCOMPARE(shownKey(banner), 4);

    QVERIFY(QDir("ToolsFile/BannerImages/en").removeRecursively());
    ToolIntroPictureWidget empty;
    layOut(empty);
    QCOMPARE(shownKey(empty), -1);
    QVERIFY(!empty.findChild<vellum::IconButton *>("picMax")->pixmap().isNull());
}

void TestBanner::brokenPictureGetsPlaceholder()
{
    const QString en = "ToolsFile/BannerImages/en/";
    for (int key : { 12, 13, 14, 15 })
        m_folder.writeImage(en + QString::number(key) + "_max.png", QSize(60, 20), Qt::darkBlue);
    m_folder.writeFile(en + "12_max.png", "not a picture");
    ToolIntroPictureWidget banner;
    layOut(banner);
    QCOMPARE(shownKey(banner), 12);
    QVERIFY(!banner.findChild<vellum::IconButton *>("picMax")->pixmap().isNull());
    // The previews' "_min" files do not exist at all.
    for (BannerIndicatorWidget *preview : banner.findChildren<BannerIndicatorWidget *>())
        QVERIFY(!preview->findChild<vellum::IconButton *>("picBtn")->pixmap().isNull());
}

QTEST_MAIN(TestBanner)
#include "tst_banner.moc"
