// The installed tool row: its reading of server values and of other pages' reports, and the guard that keeps
// deletion inside SubTools.
#include "DownloadedSubToolWidget.h"
#include "MyToolsFixture.h"
#include "ProgressBar.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "ToolFolder.h"
#include "UpdateState.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace gearbay;

Q_DECLARE_METATYPE(gearbay::RowReaction)

class TestMyToolsRow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void serverValues_data();
    void serverValues();
    void statesReportedByOtherPages_data();
    void statesReportedByOtherPages();
    void folderStaysInsideSubTools_data();
    void folderStaysInsideSubTools();
    void removalNeverFollowsLinksOut();
    void rowFollowsAnUpdate();

private:
    mytoolstest::ProgramFolder m_folder;
};

void TestMyToolsRow::initTestCase()
{
    QVERIFY(m_folder.setUp({ { 2, "hexview", "1.1", "1.0" }, { 3, "sleeper", "1.0", "1.0" } }));
}

void TestMyToolsRow::serverValues_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("value");
    QTest::addColumn<RowReaction>("expected");
    // Accepted, installed, -1, a refused cancel: rowFollowsAnUpdate; queued and a confirmed cancel:
    // tst_mytoolsboard's batch update.
    QTest::newRow("update refused: missing") << 3 << 404 << RowReaction { RowAction::Fail, 404 };
    QTest::newRow("update: no connection") << 3 << -1 << RowReaction { RowAction::Fail, -1 };
    QTest::newRow("progress 100 is not yet installed") << 4 << 100 << RowReaction { RowAction::ShowProgress, 100 };
    QTest::newRow("progress 101") << 4 << 101 << RowReaction { RowAction::Fail, 101 };
    QTest::newRow("progress: cannot save") << 4 << 400 << RowReaction { RowAction::Fail, 400 };
    QTest::newRow("poll of a queued tool") << 4 << 120 << RowReaction { RowAction::ShowWaiting, 0 };
    QTest::newRow("catalog material") << 6 << 0 << RowReaction {};
}

void TestMyToolsRow::serverValues()
{
    QFETCH(int, method);
    QFETCH(int, value);
    QFETCH(RowReaction, expected);
    QCOMPARE(rowReaction(method, value), expected);
}

void TestMyToolsRow::statesReportedByOtherPages_data()
{
    QTest::addColumn<int>("reported");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<int>("expected");
    QTest::newRow("requested elsewhere") << int(StateRequested) << int(UpdateAvailable) << true << int(Updating);
    QTest::newRow("downloading elsewhere") << int(StateDownloading) << int(UpdateFailed) << true << int(Updating);
    QTest::newRow("finished elsewhere") << int(StateDownloaded) << int(Updating) << true << int(UpToDate);
    QTest::newRow("cancelled, installed") << int(StateCancelled) << int(Updating) << true << int(UpdateAvailable);
    QTest::newRow("cancelled, not installed") << int(StateCancelled) << int(Updating) << false << int(UpToDate);
    QTest::newRow("deleted changes nothing") << int(StateDeleted) << int(UpdateWaiting) << true << int(UpdateWaiting);
}

void TestMyToolsRow::statesReportedByOtherPages()
{
    QFETCH(int, reported);
    QFETCH(int, current);
    QFETCH(bool, installed);
    QFETCH(int, expected);
    QCOMPARE(rowStateAfter(ToolCurrentState(reported), current, installed), expected);
}

void TestMyToolsRow::folderStaysInsideSubTools_data()
{
    QTest::addColumn<QString>("downloadPath");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "/data/dl" << "hexview" << "/data/dl/SubTools/hexview";
    QTest::newRow("trailing slash on the path") << "/data/dl/" << "hexview" << "/data/dl/SubTools/hexview";
    QTest::newRow("dots inside a name") << "/data/dl" << "a..b" << "/data/dl/SubTools/a..b";
    QTest::newRow("no download path") << "" << "hexview" << "";
    QTest::newRow("empty name: would be SubTools itself") << "/data/dl" << "" << "";
    QTest::newRow("blank name") << "/data/dl" << "  " << "";
    QTest::newRow("dot") << "/data/dl" << "." << "";
    QTest::newRow("parent") << "/data/dl" << ".." << "";
    QTest::newRow("climbing out") << "/data/dl" << "../../home" << "";
    QTest::newRow("absolute") << "/data/dl" << "/etc" << "";
    QTest::newRow("nested") << "/data/dl" << "a/b" << "";
    QTest::newRow("backslash") << "/data/dl" << "..\\x" << "";
    QTest::newRow("drive") << "/data/dl" << "C:" << "";
}

void TestMyToolsRow::folderStaysInsideSubTools()
{
    QFETCH(QString, downloadPath);
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(toolFolderUnderSubTools(downloadPath, folder), expected);
}

void TestMyToolsRow::removalNeverFollowsLinksOut()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString strOutside = root.filePath("precious");
    writeFile(strOutside + "/keep.txt", "keep");
    const QString strDownloads = root.filePath("dl");
    QVERIFY(QDir().mkpath(strDownloads + "/SubTools/tool"));
    QVERIFY(QFile::link(strOutside, strDownloads + "/SubTools/tool/link"));
    QVERIFY(QFile::link(strOutside, strDownloads + "/SubTools/linked"));

    QCOMPARE(removeToolFolder(strDownloads, "tool"), FolderRemoval::Removed);
    QCOMPARE(removeToolFolder(strDownloads, "linked"), FolderRemoval::Removed);
    QVERIFY(QFile::exists(strOutside + "/keep.txt"));
    QVERIFY(!QFileInfo::exists(strDownloads + "/SubTools/tool"));
    QCOMPARE(removeToolFolder(strDownloads, "tool"), FolderRemoval::AlreadyGone);
    QCOMPARE(removeToolFolder(strDownloads, ".."), FolderRemoval::Refused);
    QVERIFY(QFileInfo::exists(strDownloads + "/SubTools"));
}

void TestMyToolsRow::rowFollowsAnUpdate()
{
    DownloadedSubToolWidget row;
    row.setToolInfo(ToolCatalog::instance()->findInfo(2).value());
    QCOMPARE(row.updateState(), UpdateAvailable);
    auto *bar = row.findChild<ProgressBar *>("m_upgradeProgressBar");
    auto *upgrade = row.findChild<QPushButton *>("m_upgradeBtn");
    QSignalSpy updateSpy(&row, &DownloadedSubToolWidget::signalUpdateTool);
    QSignalSpy rateSpy(&row, &DownloadedSubToolWidget::signalRequestDownloadRate);
    QSignalSpy doneSpy(&row, &DownloadedSubToolWidget::signalUpgradeCompleted);

    QTest::mouseClick(upgrade, Qt::LeftButton);
    QCOMPARE(updateSpy.count(), 1);
    QCOMPARE(row.updateState(), Updating);
    row.onSolveServerResponse(3, { { 2, "0" } });
    QTRY_VERIFY_WITH_TIMEOUT(rateSpy.count() >= 1, 5000);
    row.onSolveServerResponse(4, { { 2, "37" } });
    QCOMPARE(bar->value(), 37);

    // A refused cancel keeps polling.
    row.onSolveServerResponse(5, { { 2, "404" } });
    QVERIFY(row.findChild<QTimer *>()->isActive()); // the polls seen above go on

    row.onSolveServerResponse(4, { { 2, "-1" } });
    QCOMPARE(row.updateState(), UpdateFailed);
    QCOMPARE(bar->value(), 37);
    QCOMPARE(bar->toolTip(), QString("connect to network failed."));
    QVERIFY(!row.findChild<QPushButton *>("m_reupdateBtn")->isHidden());
    QVERIFY(!row.findChild<QTimer *>()->isActive()); // no more polls

    QSignalSpy retrySpy(&row, &DownloadedSubToolWidget::signalReupdateTool);
    QTest::mouseClick(row.findChild<QPushButton *>("m_reupdateBtn"), Qt::LeftButton);
    QCOMPARE(retrySpy.count(), 1);
    QCOMPARE(row.updateState(), Updating);
    row.onSolveServerResponse(3, { { 2, "0" } });
    row.onSolveServerResponse(4, { { 2, "200" } });
    QCOMPARE(row.updateState(), UpToDate);
    QCOMPARE(doneSpy.count(), 1);
    QVERIFY(upgrade->isHidden());
    // The new version is recorded, so the next start does not offer it again.
    QCOMPARE(ToolCatalog::instance()->findState(2)->CurrentVersion, std::string("1.1"));
    QCOMPARE(ToolCatalog::instance()->findState(2)->IsNeedUpdate, 0);
}

QTEST_MAIN(TestMyToolsRow)
#include "tst_mytoolsrow.moc"
