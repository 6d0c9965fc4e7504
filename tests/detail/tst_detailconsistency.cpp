// The market card, the My Tools page and the detail page wired as the main window wires them:
// after a download, a delete and an update the three agree on every tool's state.

#include "DetailFixture.h"

#include "MoreInfoLeftWidget.h"
#include "ProgressBar.h"
#include "SubToolWidget.h"
#include "TipDialog.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadedScene.h"
#include "ToolMoreInfoWidget.h"
#include "ToolUpdateScene.h"

#include <QAbstractButton>
#include <QtTest>

using namespace gearbay;

namespace {

const int Viewer = 2;
const int Sketchpad = 3;

bool shown(QWidget *pParent, const char *name)
{
    auto *pChild = pParent->findChild<QWidget *>(QLatin1String(name));
    return pChild && !pChild->isHidden() && pChild->isVisibleTo(pParent);
}

} // namespace

class TestDetailConsistency : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void downloadDeleteUpdate();

private:
    // What the card and the detail page show for a tool: "download", "open", "update" or "busy".
    QString cardView(SubToolWidget *pCard) const;
    QString detailView(ToolMoreInfoWidget *pPage) const;
    // "<card view>/<detail view>" for a tool.
    QString views(int iKey) const
    {
        return cardView(m_mapCards.value(iKey)) + "/" + detailView(m_mapPages.value(iKey));
    }
    void broadcast(int iMethod, int iKey, const QString &strValue);

    detailtest::ProgramFolder m_folder;
    QMap<int, SubToolWidget *> m_mapCards;
    QMap<int, ToolMoreInfoWidget *> m_mapPages;
    ToolBoxWidget *m_pBoard = nullptr;
    QList<QPair<int, QVector<int>>> m_listRequests;
};

void TestDetailConsistency::initTestCase()
{
    qRegisterMetaType<ToolCurrentState>("ToolCurrentState");
    qRegisterMetaType<ToolCurrentState>("gearbay::ToolCurrentState");
    QVector<detailtest::Tool> tools;
    tools.append({ Viewer, "Viewer", QString::fromUtf8("查看器"), "viewer", "Viewer shows pictures.",
                   QString::fromUtf8("查看器显示图片。"), QString(), "2.0", 1, 0, 0, 0 });
    tools.append({ Sketchpad, "Sketchpad", QString::fromUtf8("画板"), "sketchpad", "Sketchpad draws.",
                   QString::fromUtf8("画板用于绘图。"), "Faster brushes.", "1.1", 1, 0, 1, 1 });
    QVERIFY(m_folder.setUp(tools, 0));
    TipDialog::setAnswerHook([](const QString &, bool) { return 1; });
}

QString TestDetailConsistency::cardView(SubToolWidget *pCard) const
{
    if (shown(pCard, "progressBar"))
        return "busy";
    if (shown(pCard, "OpenBtn"))
        return "open";
    return shown(pCard, "downLoadBtn") ? "download" : "none";
}

QString TestDetailConsistency::detailView(ToolMoreInfoWidget *pPage) const
{
    MoreInfoLeftWidget *pPanel = pPage->actionPanel();
    if (shown(pPanel, "progressBarWidget"))
        return "busy";
    if (shown(pPanel, "updateBtnWidget"))
        return "update";
    if (shown(pPanel, "openBtn"))
        return "open";
    return shown(pPanel, "downloadBtn") ? "download" : "none";
}

void TestDetailConsistency::broadcast(int iMethod, int iKey, const QString &strValue)
{
    const QMap<int, QString> map { { iKey, strValue } };
    for (SubToolWidget *pCard : qAsConst(m_mapCards))
        pCard->onServerResponded(iMethod, map);
    for (ToolMoreInfoWidget *pPage : qAsConst(m_mapPages))
        emit pPage->signalServerResponded(iMethod, map);
    emit m_pBoard->signalServerResponded(iMethod, map);
}

void TestDetailConsistency::downloadDeleteUpdate()
{
    QWidget window;
    m_pBoard = new ToolBoxWidget(&window);
    auto recordRequest = [this](int iMethod, QVector<int> keys) { m_listRequests.append({ iMethod, keys }); };
    connect(m_pBoard, &ToolBoxWidget::signalSubToolsRequest, this, recordRequest);
    for (int iKey : { Viewer, Sketchpad }) {
        auto *pCard = new SubToolWidget(iKey, &window);
        auto *pPage = new ToolMoreInfoWidget(ToolCatalog::instance()->findInfo(iKey).value(), &window);
        pPage->setToolKey(iKey);
        m_mapCards.insert(iKey, pCard);
        m_mapPages.insert(iKey, pPage);
        connect(pCard, &SubToolWidget::signalDownload, this, recordRequest);
        connect(pPage, &ToolMoreInfoWidget::signalDownload, this, recordRequest);
    }
    // The main window's wiring of states between the pages.
    for (int iKey : { Viewer, Sketchpad }) {
        SubToolWidget *pCard = m_mapCards.value(iKey);
        for (ToolMoreInfoWidget *pPage : qAsConst(m_mapPages)) {
            connect(pCard, &SubToolWidget::signalToMainPage, pPage, &ToolMoreInfoWidget::signalToMoreInfoPage);
            connect(pPage, &ToolMoreInfoWidget::signalToMainPage, pCard, &SubToolWidget::onSubToolsStateChanged);
        }
        connect(pCard, &SubToolWidget::signalToMainPage, m_pBoard, &ToolBoxWidget::onSubToolsStateChanged);
        connect(m_pBoard, &ToolBoxWidget::signalSubToolsStateChanged, pCard, &SubToolWidget::onSubToolsStateChanged);
    }
    for (ToolMoreInfoWidget *pPage : qAsConst(m_mapPages)) {
        connect(pPage, &ToolMoreInfoWidget::signalToMainPage, m_pBoard, &ToolBoxWidget::onSubToolsStateChanged);
        connect(m_pBoard, &ToolBoxWidget::signalSubToolsStateChanged, pPage,
                &ToolMoreInfoWidget::signalToMoreInfoPage);
    }
    window.resize(1200, 800);
    window.show();

    SubToolWidget *pViewerCard = m_mapCards.value(Viewer);
    ToolMoreInfoWidget *pViewerPage = m_mapPages.value(Viewer);
    QCOMPARE(views(Viewer), QString("download/download"));
    QVERIFY(!m_pBoard->downloadedScene()->contains(Viewer));
    QVERIFY(m_pBoard->downloadedScene()->contains(Sketchpad));

    // Download from the detail page; the card polls, the server answers everybody.
    QTest::mouseClick(pViewerPage->actionPanel()->findChild<QAbstractButton *>("downloadBtn"), Qt::LeftButton);
    QCOMPARE(m_listRequests.value(0).first, 3);
    QCOMPARE(views(Viewer), QString("busy/busy"));
    broadcast(3, Viewer, "0");
    QTRY_VERIFY_WITH_TIMEOUT(std::any_of(m_listRequests.cbegin(), m_listRequests.cend(),
                                         [](const QPair<int, QVector<int>> &r) { return r.first == 4; }),
                             5000);
    broadcast(4, Viewer, "63");
    QCOMPARE(pViewerPage->actionPanel()->findChild<ProgressBar *>("progressBar")->value(), 63);
    QCOMPARE(pViewerCard->findChild<ProgressBar *>("progressBar")->value(), 63);
    broadcast(4, Viewer, "200");
    QCOMPARE(views(Viewer), QString("open/open"));
    QTRY_VERIFY(m_pBoard->downloadedScene()->contains(Viewer));
    QCOMPARE(ToolCatalog::instance()->findState(Viewer)->IsDownload, 1);

    // Delete on the board: card and detail page offer the download again.
    m_pBoard->downloadedScene()->onDeleteTool(Viewer);
    QTRY_VERIFY_WITH_TIMEOUT(!m_pBoard->downloadedScene()->contains(Viewer), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(views(Viewer), QString("download/download"), 5000);
    QCOMPARE(ToolCatalog::instance()->findState(Viewer)->IsDownload, 0);

    // Update an installed tool from its detail page: one request for its key, then it is installed
    // once on the board and opens everywhere.
    ToolMoreInfoWidget *pSketchPage = m_mapPages.value(Sketchpad);
    QCOMPARE(detailView(pSketchPage), QString("update"));
    m_listRequests.clear();
    QTest::mouseClick(pSketchPage->actionPanel()->findChild<QAbstractButton *>("updateBtn"), Qt::LeftButton);
    QCOMPARE(m_listRequests.value(0).first, 3);
    QCOMPARE(m_listRequests.value(0).second, QVector<int> { Sketchpad });
    QCOMPARE(cardView(m_mapCards.value(Sketchpad)), QString("busy"));
    broadcast(3, Sketchpad, "0");
    broadcast(4, Sketchpad, "200");
    QCOMPARE(views(Sketchpad), QString("open/open"));
    QTRY_COMPARE(m_pBoard->downloadedScene()->toolKeys().count(Sketchpad), 1);
    QCOMPARE(views(Viewer), QString("download/download")); // the other tool is left alone
}

QTEST_MAIN(TestDetailConsistency)
#include "tst_detailconsistency.moc"
