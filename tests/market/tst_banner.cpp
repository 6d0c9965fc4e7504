// The banner: which pictures it finds in which language, the rotation of the preview column and the
// large picture with its wrap-around, placeholders, too few pictures, hovering and clicking.
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

} // namespace

class TestBanner : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void picturesFoundAndRotated_data();
    void picturesFoundAndRotated();
    void hoverAndSwitch();

private:
    // Replaces the banner folder with these files ("<language>/<name>", a trailing "!" for a broken one).
    void writeBanners(const QStringList &listFiles);
    markettest::ProgramFolder m_folder;
};

void TestBanner::initTestCase()
{
    QVERIFY(m_folder.setUp({}, {}, 0));
}

void TestBanner::writeBanners(const QStringList &listFiles)
{
    QVERIFY(QDir("ToolsFile/BannerImages").removeRecursively());
    for (QString strFile : listFiles) {
        strFile.prepend("ToolsFile/BannerImages/");
        if (strFile.endsWith('!'))
            m_folder.writeFile(strFile.chopped(1), "not a picture");
        else
            m_folder.writeImage(strFile, QSize(60, 20), Qt::darkCyan, strFile.section('/', -1));
    }
}

void TestBanner::picturesFoundAndRotated_data()
{
    QTest::addColumn<int>("translator");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QList<int>>("column");
    QTest::addColumn<int>("shown");

    // 3, 7, 9 and 11 are found, whichever of their two pictures exists; 1, "banner" and "5_min_old" not.
    const QStringList english { "en/3_min.png", "en/3_max.png", "en/7_max.png", "en/9_min.png",
        "en/11_min.png", "en/1_min.png", "en/banner.png", "en/5_min_old.png" };
    QTest::newRow("start") << 0 << english << 0 << QList<int> { 3, 7, 9 } << 3;
    QTest::newRow("one") << 0 << english << 1 << QList<int> { 7, 9, 11 } << 7;
    QTest::newRow("three") << 0 << english << 3 << QList<int> { 11, 3, 7 } << 11;
    QTest::newRow("four wraps") << 0 << english << 4 << QList<int> { 3, 7, 9 } << 3;
    const QStringList chinese { "zh/20_max.png", "zh/21_max.png", "zh/22_max.png", "zh/23_max.png" };
    QTest::newRow("follows the language") << 1 << english + chinese << 0 << QList<int> { 20, 21, 22 } << 20;
    // One picture cannot rotate: it is shown alone, with no previews, switch button or timer.
    QTest::newRow("one picture") << 0 << QStringList { "en/4_max.png" } << 0 << QList<int> {} << 4;
    QTest::newRow("no picture") << 0 << QStringList {} << 0 << QList<int> {} << -1;
    // The previews' "_min" files do not exist at all.
    const QStringList broken { "en/12_max.png!", "en/13_max.png", "en/14_max.png", "en/15_max.png" };
    QTest::newRow("broken picture") << 0 << broken << 0 << QList<int> { 12, 13, 14 } << 12;
}

void TestBanner::picturesFoundAndRotated()
{
    QFETCH(int, translator);
    QFETCH(QStringList, files);
    QFETCH(int, ticks);
    QFETCH(QList<int>, column);
    writeBanners(files);
    QVERIFY(ConfigureStore::instance()->setValue(0, QString::number(translator)));
    ToolIntroPictureWidget banner;
    QVERIFY(ConfigureStore::instance()->setValue(0, "0"));
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    QCOMPARE(banner.findChild<QTimer *>() != nullptr, !column.isEmpty());
    for (int i = 0; i < ticks; ++i)
        banner.findChild<QPushButton *>("m_pSwitchBtn")->click();
    QCOMPARE(previewKeys(banner), column);
    QTEST(shownKey(banner), "shown");
    // Broken and missing pictures get a placeholder.
    QVERIFY(!banner.findChild<vellum::IconButton *>("picMax")->pixmap().isNull());
    for (BannerIndicatorWidget *preview : banner.findChildren<BannerIndicatorWidget *>())
        QVERIFY(!preview->findChild<vellum::IconButton *>("picBtn")->pixmap().isNull());
}

void TestBanner::hoverAndSwitch()
{
    writeBanners({ "en/3_min.png", "en/7_max.png", "en/9_min.png", "en/11_min.png" });
    ToolIntroPictureWidget banner;
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
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
    // The next rotation goes on from the hovered tool, and the automatic one starts a full period
    // after the click (stopped here, so only the click can have started it).
    timer->stop();
    switchBtn->click();
    QCOMPARE(shownKey(banner), 11);
    QVERIFY(timer->isActive() && timer->remainingTime() > 4000);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&banner, &leave);
    QVERIFY(!switchBtn->isVisible());

    // A click on a preview asks for that tool's page.
    QSignalSpy spy(&banner, &ToolIntroPictureWidget::signalClicked);
    bottom->findChild<vellum::IconButton *>("picBtn")->click();
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(TestBanner)
#include "tst_banner.moc"
