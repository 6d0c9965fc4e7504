// The installed tool row's reading of server values and of other pages' reports, and the guard that
// keeps deletion inside SubTools.
#include "TestFiles.h"
#include "ToolFolder.h"
#include "UpdateState.h"

using namespace gearbay;

Q_DECLARE_METATYPE(gearbay::RowReaction)

class TestMyToolsRow : public QObject
{
    Q_OBJECT

private slots:
    void serverValues_data();
    void serverValues();
    void statesReportedByOtherPages_data();
    void statesReportedByOtherPages();
    void folderStaysInsideSubTools_data();
    void folderStaysInsideSubTools();
    void removalNeverFollowsLinksOut();
};

void TestMyToolsRow::serverValues_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("value");
    QTest::addColumn<RowReaction>("expected");
    // Accepted, installed, a refused request, -1 on a poll, refused and confirmed cancels:
    // tst_mytoolsboard's batch update; a queued update: tst_mainwindow's flow control.
    QTest::newRow("progress 100 is not yet installed") << 4 << 100 << RowReaction { RowAction::ShowProgress, 100 };
    QTest::newRow("progress 101") << 4 << 101 << RowReaction { RowAction::Fail, 101 };
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

QTEST_MAIN(TestMyToolsRow)
#include "tst_mytoolsrow.moc"
