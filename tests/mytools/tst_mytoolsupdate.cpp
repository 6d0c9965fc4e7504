// Batch update of installed demo tools in the real main window, with the real Ferrodock and a
// catalog server on loopback that offers newer versions of two of them, one with a broken package.
#include "DownloadedSubToolWidget.h"
#include "Gearbay.h"
#include "TestFiles.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadedScene.h"
#include "ToolUpdateScene.h"
#include "UpdateToolsWidget.h"
#include "Utilities.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

using namespace gearbay;

namespace {

const QString kDemo = QStringLiteral(RW_BUILD_DIR "/demo");
const int kGood = 2; // Checksum Calculator
const int kBroken = 11; // JSON Formatter

} // namespace

class TestMyToolsUpdate : public QObject
{
    Q_OBJECT

private slots:
    void batchUpdateInstallsTheGoodOneAndKeepsTheBrokenOne();

private:
    WindowFixture m_fixture { kDemo + "/catalog-v2" };
};

void TestMyToolsUpdate::batchUpdateInstallsTheGoodOneAndKeepsTheBrokenOne()
{
    const QString strV2 = kDemo + "/catalog-v2";
    // Version 1 of both tools installed; the catalog is version 2, whose broken package the server
    // drops half way through.
    const auto v1 = readToolRecords(kDemo + "/catalog/ToolsInfoList.xml");
    const auto v2 = readToolRecords(strV2 + "/ToolsInfoList.xml");
    QVERIFY(m_fixture.prepare(strV2 + "/ToolsFile",
                              { { kGood, v1[kGood]["Version"] }, { kBroken, v1[kBroken]["Version"] } }));
    QVERIFY(m_fixture.unpack(kDemo + "/catalog", kGood));
    QVERIFY(m_fixture.unpack(kDemo + "/catalog", kBroken));
    m_fixture.server().setFault("/" + v2[kBroken]["DownloadENUrl"], CatalogTestServer::Fault::DropMidFile);
    QVERIFY(m_fixture.open());
    auto *pPage = m_fixture.window()->findChild<ToolBoxWidget *>();

    ToolUpdateScene *updates = pPage->updateScene();
    QCOMPARE(updates->toolKeys(), QVector<int>({ kGood, kBroken }));
    const QString strSubTools = m_fixture.folder().downloadPath() + "/SubTools/";
    const QString strGoodExe = strSubTools + "ChecksumCalc/ChecksumCalc";
    const QString strBrokenExe = strSubTools + "JsonFormatter/JsonFormatter";
    const QByteArray brokenBefore = readFile(strBrokenExe);
    QVERIFY(!brokenBefore.isEmpty());
    QVERIFY(readFile(strGoodExe) != readFile(kDemo + "/tools-v2/ChecksumCalc/ChecksumCalc"));

    UpdateToolsWidget *bar = pPage->updateToolsWidget();
    QTest::mouseClick(bar->findChild<QPushButton *>("m_BatchUpdateBtn"), Qt::LeftButton);
    QTest::mouseClick(bar->findChild<QCheckBox *>("m_checkAllBox"), Qt::LeftButton);
    QTest::mouseClick(bar->findChild<QPushButton *>("m_updateBtn"), Qt::LeftButton);

    // The good one is installed and leaves the list; the broken one stays, failed, with a reason.
    QTRY_COMPARE_WITH_TIMEOUT(updates->toolKeys(), QVector<int>({ kBroken }), 90000);
    QTRY_COMPARE_WITH_TIMEOUT(updates->row(kBroken)->updateState(), UpdateFailed, 90000);
    QCOMPARE(pPage->downloadedScene()->row(kGood)->updateState(), UpToDate);
    QCOMPARE(readFile(strGoodExe), readFile(kDemo + "/tools-v2/ChecksumCalc/ChecksumCalc"));
    QCOMPARE(ToolCatalog::instance()->currentVersion(kGood), v2[kGood]["Version"].toStdString());
    QCOMPARE(ToolCatalog::instance()->isNeedUpdate(kBroken), 1);
    QVERIFY(!updates->row(kBroken)->findChild<QWidget *>("m_upgradeProgressBar")->toolTip().isEmpty());

    // The broken one's old version is untouched and still starts from its row.
    QCOMPARE(readFile(strBrokenExe), brokenBefore);
    DownloadedSubToolWidget *brokenRow = pPage->downloadedScene()->row(kBroken);
    brokenRow->onOpenTool();
    QTRY_VERIFY_WITH_TIMEOUT(isProcessRunning("JsonFormatter"), 15000);
    brokenRow->onClose();
    QTRY_VERIFY_WITH_TIMEOUT(!isProcessRunning("JsonFormatter"), 15000);
    QVERIFY2(m_fixture.tips.isEmpty(), qPrintable(m_fixture.tips.join(" | ")));
}

QTEST_MAIN(TestMyToolsUpdate)
#include "tst_mytoolsupdate.moc"
