// The tool card: its answer to every server value, opening and ending an installed tool, and
// placeholders for broken icons. The refusals before an action (the login among them) are in
// tst_downloadprecheck.
#include "ConfigureStore.h"
#include "MarketFixture.h"
#include "ProgressBar.h"
#include "SubToolWidget.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "Utilities.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace gearbay;

namespace {

enum Key { kPlain = 2, kInstalled = 3, kLocked = 4, kVanished = 6, kBadIcon = 7, kNoIcon = 8 };
const QString kFakeTool = QStringLiteral("rwfaketool");

QString viewOf(SubToolWidget *card)
{
    auto *bar = card->findChild<ProgressBar *>("progressBar");
    const auto visible = [card](const char *name) {
        return card->findChild<QWidget *>(name)->isVisibleTo(card);
    };
    QStringList shown;
    for (const char *name : { "downLoadBtn", "OpenBtn", "progressBar", "cancelBtn", "refreshBtn" })
        if (visible(name))
            shown << name;
    const QString strShown = shown.join('+');
    if (strShown == "downLoadBtn")
        return "Download";
    if (strShown == "OpenBtn")
        return "Open";
    if (strShown == "progressBar+cancelBtn")
        return bar->m_iMode == 2 ? "Waiting" : bar->m_iMode == 0 ? "Downloading" : "bad mode";
    if (strShown == "progressBar+cancelBtn+refreshBtn" && bar->m_iMode == 1)
        return "Failed";
    return "unexpected: " + strShown;
}

QString joined(const QSignalSpy &spy, int iArgument)
{
    QStringList list;
    for (const QList<QVariant> &args : spy)
        list << QString::number(args.at(iArgument).toInt());
    return list.join(',');
}

// Steps: "download", "cancel", "retry", "wait" (queued download started), "rM=V" (server value V for
// method M), "other=V" (a value for another tool), "sub=S" (state S reported by another page).
void applySteps(SubToolWidget *card, const QStringList &steps)
{
    const int iKey = card->toolKey();
    for (const QString &step : steps) {
        if (step == "download" || step == "cancel" || step == "retry") {
            const char *name = step == "download" ? "downLoadBtn" : step == "cancel" ? "cancelBtn" : "refreshBtn";
            QTest::mouseClick(card->findChild<QPushButton *>(name), Qt::LeftButton);
        } else if (step == "wait") {
            card->onWaitingToolsStartDownload(iKey);
        } else if (step.startsWith("other=")) {
            card->onServerResponded(3, { { iKey + 1, step.mid(6) } });
        } else if (step.startsWith("sub=")) {
            card->onSubToolsStateChanged(ToolCurrentState(step.mid(4).toInt()), iKey);
        } else {
            card->onServerResponded(step.mid(1, 1).toInt(), { { iKey, step.mid(3) } });
        }
    }
}

} // namespace

class TestToolCard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void cardFollowsServer_data();
    void cardFollowsServer();
    void marksFromCatalog();
    void opensAndEndsInstalledTool();
    void missingToolIsFetchedAgain();

private:
    markettest::ProgramFolder m_folder;
    QStringList m_listTips;
};

void TestToolCard::initTestCase()
{
    using markettest::Tool;
    const QVector<Tool> tools = {
        { 0, 0, "Material", "Material", "", "", 1, 0 },
        { 1, 0, "Rig Warden", "Rig Warden", "RigWarden", "", 1, 0 },
        { kPlain, 1, "Hex Viewer", QString::fromUtf8("十六进制查看器"), "HexViewer.exe", "hex.png", 1.5, 0 },
        { kInstalled, 1, "Runner", QString::fromUtf8("运行器"), kFakeTool, "runner.png", 1, 0 },
        { kLocked, 2, "Locked Tool", QString::fromUtf8("受限工具"), "Locked.exe", "lock.png", 1, 1 },
        { kVanished, 3, "Vanished", QString::fromUtf8("消失"), "vanished.exe", "", 1, 0 },
        { kBadIcon, 3, "Bad Icon", QString::fromUtf8("坏图标"), "Bad.exe", "bad.png", 1, 0 },
        { kNoIcon, 3, "No Icon", QString::fromUtf8("无图标"), "NoIcon.exe", "missing.png", 1, 0 },
    };
    // Runner and Vanished are installed and no longer new; the others are new to this user.
    const QVector<markettest::State> states = { { kInstalled, 1, 0 }, { kVanished, 1, 0 } };
    m_folder.writeImage("ToolsFile/Icon/hex.png", QSize(96, 96), QColor("#2d7ff9"), "HEX");
    m_folder.writeImage("ToolsFile/Icon/runner.png", QSize(128, 128), QColor("#3bcd8d"), "RUN");
    m_folder.writeImage("ToolsFile/Icon/lock.png", QSize(96, 96), QColor("#8e44ad"), "LDAP");
    m_folder.writeFile("ToolsFile/Icon/bad.png", "this is not a picture");
    QVERIFY(m_folder.setUp(tools, states, 0));

    // The installed tool is a real executable in its folder under the download path.
    const QString strToolDir = m_folder.downloadPath() + "/SubTools/" + kFakeTool;
    QVERIFY(QDir().mkpath(strToolDir));
    QVERIFY(QFile::copy(QStringLiteral(RW_FAKE_TOOL), strToolDir + "/" + kFakeTool));
    QVERIFY(QFile::setPermissions(strToolDir + "/" + kFakeTool, QFile::ReadOwner | QFile::ExeOwner));

    // Messages are answered "OK" at once and remembered.
    TipDialog::setAnswerHook([this](const QString &text, bool) {
        m_listTips << text;
        return 1;
    });
}

void TestToolCard::init()
{
    m_listTips.clear();
    ToolCatalog::instance()->toolStates()[kPlain].IsDownload = 0;
    ToolCatalog::instance()->setPermissionGranted(false);
}

void TestToolCard::cleanupTestCase()
{
    TipDialog::setAnswerHook(nullptr);
}

void TestToolCard::cardFollowsServer_data()
{
    QTest::addColumn<QString>("steps"); // see applySteps, separated by spaces
    QTest::addColumn<QString>("view");
    QTest::addColumn<int>("barValue"); // -1: not checked
    QTest::addColumn<QString>("tip");  // tooltip of a failed bar
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("polling");
    QTest::addColumn<QString>("requests"); // methods sent, in order
    QTest::addColumn<QString>("reports");  // states reported to the other pages, in order

    const auto row = [](const char *pszTag, const char *pszSteps, const char *pszView, int iBar, const char *pszTip,
                        ToolCurrentState emState, bool bPolling, const char *pszRequests, const char *pszReports) {
        QTest::newRow(pszTag) << QString(pszSteps) << QString(pszView) << iBar << QString(pszTip) << int(emState)
                              << bPolling << QString(pszRequests) << QString(pszReports);
    };
    row("progress", "download r3=0 r4=50", "Downloading", 50, "", StateDownloading, true, "3", "1,2");
    row("installed", "download r3=0 r4=40 r4=200", "Open", -1, "", StateDownloaded, false, "3", "1,2,3");
    row("queued", "download r3=120", "Waiting", 0, "", StateRequested, false, "3", "1");
    row("queued poll keeps waiting text", "download r3=0 r4=120 r4=40", "Waiting", 40, "", StateDownloading, true, "3", "1,2");
    row("queued then started", "download r3=120 wait r3=0 r4=10", "Downloading", 10, "", StateDownloading, true, "3", "1,2,2");
    row("finished at once is broken", "download r3=200", "Failed", -1, "connect to network failed.", StateRequested, false, "3", "1");
    row("request without URLs is the network", "download r3=130", "Failed", -1, "connect to network failed.", StateRequested, false, "3", "1");
    row("not found", "download r3=404", "Failed", -1, "file not found.", StateRequested, false, "3", "1");
    row("96 shows 95", "download r3=0 r4=96", "Downloading", 95, "", StateDownloading, true, "3", "1,2");
    row("100 is not done yet", "download r3=0 r4=100", "Downloading", 99, "", StateDownloading, true, "3", "1,2");
    row("101 is no percentage", "download r3=0 r4=101", "Failed", -1, "network abnomaly", StateDownloading, false, "3", "1,2");
    row("negative", "download r3=0 r4=-5", "Failed", -1, "network abnomaly", StateDownloading, false, "3", "1,2");
    row("timeout", "download r3=110", "Failed", -1, "connect to network timeout.", StateRequested, false, "3", "1");
    row("save failed", "download r3=0 r4=30 r4=400", "Failed", 100, "save failed.", StateDownloading, false, "3", "1,2");
    row("not verified", "download r3=460", "Failed", -1, "The download could not be verified and was not installed.",
        StateRequested, false, "3", "1");
    row("retry then works", "download r3=404 retry r3=0 r4=200", "Open", -1, "", StateDownloaded, false, "3,3", "1,1,2,3");
    row("cancel", "download r3=0 r4=20 cancel", "Download", 0, "", StateCancelled, false, "3,5", "1,2,4");
    row("late answers after cancel", "download r3=0 cancel r4=50 r4=200 r3=404", "Download", 0, "", StateCancelled, false, "3,5", "1,2,4");
    row("cancel a failure", "download r3=400 cancel", "Download", 0, "", StateCancelled, false, "3,5", "1,4");
    row("download after cancel", "download cancel download r3=0", "Downloading", 0, "", StateDownloading, true, "3,5,3", "1,4,1,2");
    row("other tools and methods ignored", "download other=404 r1=404 r5=0 r6=3", "Downloading", 0, "", StateRequested, false, "3", "1");
    row("accepted elsewhere", "sub=1 sub=2 r4=60", "Downloading", 60, "", StateDownloading, true, "", "");
    row("finished elsewhere changes nothing", "sub=3", "Download", -1, "", StateNone, false, "", "");
    row("cancelled elsewhere", "sub=1 sub=2 sub=4", "Download", -1, "", StateCancelled, false, "", "");
    row("deleted in my tools", "download r3=0 r4=200 sub=5", "Download", -1, "", StateDeleted, false, "3", "1,2,3");
    row("unknown state ignored", "sub=0 sub=9", "Download", -1, "", StateNone, false, "", "");
    row("queued start", "wait", "Downloading", 0, "", StateNone, false, "", "2");
}

void TestToolCard::cardFollowsServer()
{
    QFETCH(QString, steps);
    QFETCH(QString, view);
    QFETCH(int, barValue);
    QFETCH(QString, tip);

    SubToolWidget card(kPlain);
    QSignalSpy requestSpy(&card, &SubToolWidget::signalDownload);
    QSignalSpy reportSpy(&card, &SubToolWidget::signalToMainPage);
    applySteps(&card, steps.split(' ', Qt::SkipEmptyParts));

    QCOMPARE(viewOf(&card), view);
    auto *bar = card.findChild<ProgressBar *>("progressBar");
    if (barValue >= 0)
        QCOMPARE(bar->value(), barValue);
    if (view == "Failed")
        QCOMPARE(bar->toolTip(), tip);
    QTEST(int(card.currentState()), "state");
    QTEST(card.findChild<QTimer *>()->isActive(), "polling");
    QTEST(joined(requestSpy, 0), "requests");
    QTEST(joined(reportSpy, 0), "reports");
    for (const QList<QVariant> &args : requestSpy)
        QCOMPARE(args.at(1).value<QVector<int>>(), QVector<int> { kPlain });

    // A finished download marks the tool installed for the other pages; a deletion takes it back.
    const int iInstalled = ToolCatalog::instance()->toolStates().value(kPlain).IsDownload;
    QCOMPARE(iInstalled, view == "Open" ? 1 : 0);
}

void TestToolCard::marksFromCatalog()
{
    struct Row
    {
        int iKey;
        bool bNew;
        bool bLock;
        QString strView;
    };
    for (const Row &row : { Row { kPlain, true, false, "Download" }, Row { kInstalled, false, false, "Open" },
                            Row { kLocked, true, true, "Download" }, Row { kBadIcon, true, false, "Download" },
                            Row { kNoIcon, true, false, "Download" } }) {
        SubToolWidget card(row.iKey);
        QCOMPARE(card.findChild<QLabel *>("newStateLabel")->isVisibleTo(&card), row.bNew);
        QCOMPARE(card.findChild<QLabel *>("authorLabel")->isVisibleTo(&card), row.bLock);
        QCOMPARE(viewOf(&card), row.strView);
        // Broken and missing icons still give the card a picture of the logo's size, once it is painted.
        card.grab();
        const QPixmap *logo = card.findChild<QLabel *>("logoLabel")->pixmap();
        QVERIFY(logo && !logo->isNull());
        QVERIFY(logo->width() <= 96 && logo->height() <= 96);
    }

    // A key that the catalog does not know leaves an empty card that offers nothing.
    SubToolWidget unknown(99);
    QVERIFY(!unknown.findChild<QWidget *>("downLoadBtn")->isVisibleTo(&unknown));
    QVERIFY(!unknown.findChild<QWidget *>("OpenBtn")->isVisibleTo(&unknown));
}

void TestToolCard::opensAndEndsInstalledTool()
{
    QVERIFY(!isProcessRunning(kFakeTool));
    SubToolWidget card(kInstalled);
    QTest::mouseClick(card.findChild<QPushButton *>("OpenBtn"), Qt::LeftButton);
    QVERIFY(m_listTips.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(isProcessRunning(kFakeTool), 10000);

    // Closing ends the tool only when the user asked for it.
    card.onClose();
    QTest::qWait(300);
    QVERIFY(isProcessRunning(kFakeTool));
    QVERIFY(ConfigureStore::instance()->setIsCloseOpenTools(1));
    card.onClose();
    QVERIFY(ConfigureStore::instance()->setIsCloseOpenTools(0));
    QTRY_VERIFY_WITH_TIMEOUT(!isProcessRunning(kFakeTool), 10000);
}

void TestToolCard::missingToolIsFetchedAgain()
{
    SubToolWidget card(kVanished);
    QSignalSpy requestSpy(&card, &SubToolWidget::signalDownload);
    QTest::mouseClick(card.findChild<QPushButton *>("OpenBtn"), Qt::LeftButton);
    QCOMPARE(m_listTips.size(), 1);
    QCOMPARE(joined(requestSpy, 0), QString("3"));
    QCOMPARE(viewOf(&card), QString("Downloading"));
    // No longer installed: a cancel now leaves a Download card.
    QCOMPARE(ToolCatalog::instance()->toolStates().value(kVanished).IsDownload, 0);
}

QTEST_MAIN(TestToolCard)
#include "tst_toolcard.moc"
