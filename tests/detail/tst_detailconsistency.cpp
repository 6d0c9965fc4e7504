// The market card, the detail page and the My Tools board inside the real main window, with the real
// Ferrodock and the demo catalog's version 2 on loopback: after a download, a delete and an update
// the three agree on every tool's state.

#include "Gearbay.h"
#include "MoreInfoLeftWidget.h"
#include "SubToolWidget.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadedScene.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QStackedWidget>
#include <QtTest>

using namespace gearbay;

namespace {

const QString kDemo = QStringLiteral(RW_BUILD_DIR "/demo");
const int kViewer = 3;   // HexViewer, not installed
const int kUpdated = 2;  // ChecksumCalc, version 1 installed, version 2 offered
const int kWaitMs = 60000;

bool shown(QWidget *pParent, const char *name)
{
    auto *pChild = pParent->findChild<QWidget *>(QLatin1String(name));
    return pChild && pChild->isVisibleTo(pParent);
}

} // namespace

class TestDetailConsistency : public QObject
{
    Q_OBJECT

private slots:
    void downloadDeleteUpdate();

private:
    // What the card and the detail page show for a tool: "download", "open", "update" or "busy".
    QString cardView(int iKey) const;
    QString detailView(int iKey) const;
    QString views(int iKey) const { return cardView(iKey) + "/" + detailView(iKey); }
    MoreInfoLeftWidget *panel(int iKey) const;

    WindowFixture m_fixture { kDemo + "/catalog-v2" };
};

QString TestDetailConsistency::cardView(int iKey) const
{
    SubToolWidget *pCard = m_fixture.card(iKey);
    if (shown(pCard, "progressBar"))
        return "busy";
    if (shown(pCard, "OpenBtn"))
        return "open";
    return shown(pCard, "downLoadBtn") ? "download" : "none";
}

QString TestDetailConsistency::detailView(int iKey) const
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

MoreInfoLeftWidget *TestDetailConsistency::panel(int iKey) const
{
    m_fixture.window()->showMoreInfoPage(iKey);
    auto *pPages = m_fixture.window()->findChild<QStackedWidget *>(QStringLiteral("mainStackedWidget"));
    return pPages->currentWidget()->findChild<MoreInfoLeftWidget *>();
}

void TestDetailConsistency::downloadDeleteUpdate()
{
    if (!QFile::exists(kDemo + "/catalog-v2/ToolsInfoList.xml"))
        QSKIP("the demo catalog is not built (target demo_catalog)");
    QVERIFY(m_fixture.prepare(kDemo + "/catalog-v2/ToolsFile", { { kUpdated, "1.2.0" } }));
    QVERIFY(m_fixture.unpack(kDemo + "/catalog", kUpdated));
    QVERIFY(m_fixture.open());
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

QTEST_MAIN(TestDetailConsistency)
#include "tst_detailconsistency.moc"
