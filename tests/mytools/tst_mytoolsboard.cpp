// The My Tools page with its board and update list: load order, sorting by drag or keyboard,
// deleting by a drop on the trash or the Delete key, and the batch update with its rows' answers.
#include "DeleteFrame.h"
#include "DownloadToolsWidget.h"
#include "DownloadedSubToolWidget.h"
#include "DroppableProxyWidget.h"
#include "MarketFixture.h"
#include "ProgressBar.h"
#include "RequestMethod.h"
#include "TestFiles.h"
#include "TipDialog.h"
#include "ToolBoxTabWidget.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadedScene.h"
#include "ToolUpdateScene.h"
#include "UpdateToolsWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QGraphicsView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSemaphore>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>
#include <QTimer>
#include <tuple>

using namespace gearbay;

namespace {

// A tool of the program folder: its catalog record, state, icon and, when installed, its folder.
struct Tool
{
    int iKey;
    QString strName; // English name; the executable is "<name>.bin"
    QString strVersion; // offered by the catalog
    QString strInstalled; // CurrentVersion of the state list
    int iIsDownload;
    int iListOrder;
    QString strExeName = QString(); // overrides "<name>.bin" when set
};

// Writes Setup.xml, the catalog, the state list, the icons and the installed tools' folders, enters
// the folder and loads the settings and the catalog as start-up does.
bool setUp(markettest::ProgramFolder &folder, const QVector<Tool> &vectTools)
{
    const markettest::Fields setup = markettest::setupKeys(0, folder.downloadPath(), "http://127.0.0.1:9");
    const QColor colors[] = { "#3B82F6", "#F59E0B", "#10B981", "#EF4444", "#8B5CF6", "#EC4899" };
    QString strTools;
    QString strStates;
    for (const Tool &tool : vectTools) {
        const QString strIcon = tool.strName + "_min.png";
        folder.writeImage(
            "ToolsFile/Icon/" + strIcon, QSize(48, 48), colors[tool.iKey % 6], tool.strName.left(2));
        const QString strUrl = "tools/" + tool.strName + ".tar.gz";
        const QString strExe = tool.strExeName.isEmpty() ? tool.strName + ".bin" : tool.strExeName;
        strTools += markettest::xmlElement("Tool",
            { { "ToolKey", QString::number(tool.iKey) }, { "ToolType", "1" }, { "ToolCHName", tool.strName },
                { "ToolENName", tool.strName }, { "Version", tool.strVersion }, { "IconMinName", strIcon },
                { "UpdateENIntro", "Version " + tool.strVersion + " reads larger files and starts faster." },
                { "UpdateCHIntro", tool.strName + " " + tool.strVersion }, { "ExeName", strExe },
                { "updateDate", "2026-11-20" }, { "ToolSize", "1.0" }, { "IsDown", "0" },
                { "DownloadCHUrl", strUrl }, { "DownloadENUrl", strUrl } });
        strStates += stateElement(tool.iKey, tool.strInstalled, tool.iIsDownload, 0, tool.iListOrder);
        if (tool.iIsDownload == 1 && !tool.strExeName.contains('/')) {
            folder.writeFile("Downloads/SubTools/" + tool.strName + "/" + strExe, "#!/bin/sh\n");
            folder.writeFile("Downloads/SubTools/" + tool.strName + "/data/settings.ini", "[x]\n");
        }
    }
    return folder.writeAndLoad(strTools, strStates, setup);
}

QVector<int> keysOf(const QMap<int, int> &order)
{
    QVector<int> keys(order.size());
    for (auto it = order.cbegin(); it != order.cend(); ++it)
        keys[it.value()] = it.key();
    return keys;
}

// More than one colour: something is drawn there.
bool drawsSomething(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return true;
    return false;
}

// The board order the state list on disk holds.
QVector<int> savedOrder(const QString &strFolder)
{
    ToolCatalog disk(strFolder, 0, 0);
    QMap<int, int> order;
    if (disk.loadToolStates()) {
        for (const ToolState &state : qAsConst(disk.toolStates()))
            if (state.ToolKey > 1 && state.IsDownload == 1)
                order.insert(state.ToolKey, state.ListOrder);
    }
    return keysOf(order);
}

} // namespace

class TestMyToolsBoard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void loadsInstalledToolsInOrder();
    void dragsSortTheBoard();
    void batchUpdate();
    void runningToolIsNeitherOpenedNorDeleted();
    void uninstalls();

private:
    QGraphicsView *boardView() const { return m_pPage->downloadToolsWidget()->view(); }
    DroppableProxyWidget *itemOf(int iKey) const;
    // Presses on the row's text (not on a button), moves by dy in small steps, releases.
    // When bOnTrash, the cursor ends on the trash target before the release.
    void dragRow(int iKey, int dy, bool bOnTrash = false, QPoint trashOffset = QPoint());
    void waitSettled();

    markettest::ProgramFolder m_folder;
    QString m_strSubTools; // where the tools are installed
    ToolBoxWidget *m_pPage = nullptr;
    QStringList m_listMessages;
};

void TestMyToolsBoard::initTestCase()
{
    // clock (0), hexview (1), notepad (1: taken, becomes 2), paint (3), evil (4); keys 0 and 1 are
    // installed too but never shown; reader is not installed.
    QVERIFY(setUp(m_folder,
        { { 0, "material", "5", "5", 1, 0 }, { 1, "RigWarden", "2.0", "2.0", 1, 0 },
            { 2, "hexview", "1.1", "1.0", 1, 1 }, { 3, "notepad", "1.0", "1.0", 1, 1 },
            { 4, "clock", "1.0", "1.0", 1, 0 }, { 5, "paint", "2.0", "1.0", 1, 3 },
            { 6, "reader", "1.0", "1.0", 0, 0 }, { 7, "evil", "1.0", "1.0", 1, 4, "../evil.bin" } }));
    QVERIFY(QDir().mkpath(m_folder.downloadPath() + "/evil"));
    m_strSubTools = m_folder.downloadPath() + "/SubTools";
    TipDialog::setAnswerHook([this](const QString &text, bool) { return m_listMessages << text, 1; });
    m_pPage = new ToolBoxWidget;
    m_pPage->resize(1013, 670);
    m_pPage->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pPage));
}

void TestMyToolsBoard::cleanupTestCase()
{
    delete m_pPage;
    TipDialog::setAnswerHook(nullptr);
}

DroppableProxyWidget *TestMyToolsBoard::itemOf(int iKey) const
{
    for (QGraphicsItem *item : m_pPage->downloadedScene()->items()) {
        auto *proxy = dynamic_cast<DroppableProxyWidget *>(item);
        if (proxy && proxy->toolKey() == iKey)
            return proxy;
    }
    return nullptr;
}

void TestMyToolsBoard::dragRow(int iKey, int dy, bool bOnTrash, QPoint trashOffset)
{
    DroppableProxyWidget *item = itemOf(iKey);
    QVERIFY(item);
    QWidget *viewport = boardView()->viewport();
    const QPoint start = boardView()->mapFromScene(item->mapToScene(QPointF(400, 40)));
    QPoint pos = start;
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, pos);
    const int iSteps = qMax(1, qAbs(dy) / 8);
    for (int i = 1; i <= iSteps; ++i) {
        const QPoint next = start + QPoint(0, dy * i / iSteps);
        if (bOnTrash && i == iSteps) {
            DeleteFrame *trash = m_pPage->downloadToolsWidget()->deleteFrame();
            QCursor::setPos(trash->mapToGlobal(trash->rect().center() + trashOffset));
        }
        QMouseEvent move(QEvent::MouseMove, next, viewport->mapToGlobal(next), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        pos = next;
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, pos);
    // Away from the trash for whatever comes next.
    QCursor::setPos(m_pPage->mapToGlobal(QPoint(5, 5)));
}

void TestMyToolsBoard::waitSettled()
{
    ToolDownloadedScene *scene = m_pPage->downloadedScene();
    const QVector<int> keys = keysOf(scene->toolOrderMap());
    for (int i = 0; i < keys.size(); ++i) {
        DroppableProxyWidget *item = itemOf(keys.at(i));
        QTRY_COMPARE_WITH_TIMEOUT(int(item->y()), 96 * i + scene->extraHeightBefore(i), 5000);
        QCOMPARE(int(item->x()), 0);
    }
}

void TestMyToolsBoard::loadsInstalledToolsInOrder()
{
    QCOMPARE(keysOf(m_pPage->toolOrderMap()), QVector<int>({ 4, 2, 3, 5, 7 }));
    QCOMPARE(m_pPage->updateScene()->toolKeys(), QVector<int>({ 2, 5 }));
    QCOMPARE(m_pPage->downloadToolsWidget()->currentPage(), 1);
    auto *counter = m_pPage->findChild<QLabel *>("m_pUpdateNumLabel");
    QVERIFY(counter->isVisible());
    QCOMPARE(counter->text(), QString("2"));
    waitSettled();
    markettest::saveScreenshot(m_pPage, "mytools_all_tools"); // the manual's figure

    // A tool finished elsewhere joins the board once, at the end; keys 0 and 1 never do.
    ToolCatalog::instance()->findState(6)->IsDownload = 1;
    m_pPage->onSubToolsStateChanged(StateDownloaded, 6);
    m_pPage->onSubToolsStateChanged(StateDownloaded, 6);
    m_pPage->onSubToolsStateChanged(StateDownloaded, 1);
    QCOMPARE(keysOf(m_pPage->toolOrderMap()), QVector<int>({ 4, 2, 3, 5, 7, 6 }));

    auto *tabs = m_pPage->findChild<ToolBoxTabWidget *>("m_ToolBoxTabWidget");
    QTest::mouseClick(tabs->findChild<QPushButton *>("updateableToolBtn"), Qt::LeftButton);
    QVERIFY(!counter->isVisible());
    QCOMPARE(m_pPage->updateToolsWidget()->currentPage(), 1);
    // Update-list rows never offer "open".
    DownloadedSubToolWidget *row = m_pPage->updateScene()->row(2);
    QVERIFY(row->findChild<QWidget *>("m_openBtnFrame")->isHidden());
    QTest::mouseClick(tabs->findChild<QPushButton *>("allToolBtn"), Qt::LeftButton);
    QVERIFY(counter->isVisible());
}

void TestMyToolsBoard::dragsSortTheBoard()
{
    // The first row down past the second's centre: they swap, the second slides to the top; down
    // across three rows, one swap per neighbour passed; the last row up to the top; a small move
    // settles back where it was.
    const QVector<std::tuple<int, int, QVector<int>>> drags
        = { { 4, 60, { 2, 4, 3, 5, 7, 6 } }, { 2, 96 * 3 + 10, { 4, 3, 5, 2, 7, 6 } },
              { 6, -96 * 5 - 20, { 6, 4, 3, 5, 2, 7 } }, { 3, 20, { 6, 4, 3, 5, 2, 7 } } };
    for (const auto &[iKey, dy, order] : drags) {
        dragRow(iKey, dy);
        QCOMPARE(keysOf(m_pPage->toolOrderMap()), order);
        waitSettled();
    }
    // Kept on disk without waiting for the close button: a logout may end the program any time.
    QTRY_COMPARE_WITH_TIMEOUT(savedOrder(m_folder.path()), QVector<int>({ 6, 4, 3, 5, 2, 7 }), 5000);

    // The keyboard's twin: Ctrl+Up/Down move the row whose button has the focus, through the view.
    QApplication::setActiveWindow(m_pPage);
    QVERIFY(QTest::qWaitForWindowActive(m_pPage));
    boardView()->setFocus();
    itemOf(4)->setFocus(Qt::TabFocusReason);
    QCOMPARE(
        itemOf(4)->widget()->focusWidget(), itemOf(4)->subToolWidget()->findChild<QWidget *>("m_openBtn"));
    const QVector<QPair<int, QVector<int>>> steps = { { Qt::Key_Up, { 4, 6, 3, 5, 2, 7 } },
        { Qt::Key_Up, { 4, 6, 3, 5, 2, 7 } }, { Qt::Key_Down, { 6, 4, 3, 5, 2, 7 } },
        { Qt::Key_Down, { 6, 3, 4, 5, 2, 7 } }, { Qt::Key_Up, { 6, 4, 3, 5, 2, 7 } } };
    for (const auto &step : steps) {
        QTest::keyClick(boardView(), Qt::Key(step.first), Qt::ControlModifier);
        QCOMPARE(keysOf(m_pPage->toolOrderMap()), step.second);
    }
    waitSettled();
    // Delete asks first; Cancel keeps the tool.
    TipDialog::setAnswerHook([this](const QString &text, bool) { return m_listMessages << text, 0; });
    m_listMessages.clear();
    QTest::keyClick(boardView(), Qt::Key_Delete);
    TipDialog::setAnswerHook([this](const QString &text, bool) { return m_listMessages << text, 1; });
    QCOMPARE(m_listMessages, QStringList { "Remove clock and delete its files?" });
    QVERIFY(m_pPage->downloadedScene()->contains(4));
}

void TestMyToolsBoard::batchUpdate()
{
    UpdateToolsWidget *updates = m_pPage->updateToolsWidget();
    auto *tabs = m_pPage->findChild<ToolBoxTabWidget *>("m_ToolBoxTabWidget");
    tabs->onUpdateableBtnClicked();
    QSignalSpy requestSpy(m_pPage, &ToolBoxWidget::signalSubToolsRequest);
    QSignalSpy stateSpy(m_pPage, &ToolBoxWidget::signalSubToolsStateChanged);
    auto *checkAll = updates->findChild<QCheckBox *>("m_checkAllBox");
    DownloadedSubToolWidget *hexRow = m_pPage->updateScene()->row(2);
    DownloadedSubToolWidget *paintRow = m_pPage->updateScene()->row(5);
    auto *hexCheck = hexRow->findChild<QCheckBox *>("m_checkBox");
    auto *paintCheck = paintRow->findChild<QCheckBox *>("m_checkBox");

    QTest::mouseClick(updates->findChild<QPushButton *>("m_BatchUpdateBtn"), Qt::LeftButton);
    QVERIFY(checkAll->isVisible());
    QVERIFY(hexCheck->isVisible());
    // Each row draws its box, and its tick once checked, as "check all" does.
    const auto look = [](QCheckBox *box) {
        return box->window()->grab(QRect(box->mapTo(box->window(), QPoint()), box->size())).toImage();
    };
    for (QCheckBox *box : { checkAll, hexCheck }) {
        const QImage unchecked = look(box);
        QVERIFY2(drawsSomething(unchecked), qPrintable(box->objectName()));
        box->setChecked(true);
        QVERIFY(look(box) != unchecked);
        box->setChecked(false);
    }
    // Rows checked one by one check "check all"; unchecking one makes it partial.
    hexCheck->setChecked(true);
    QCOMPARE(checkAll->checkState(), Qt::PartiallyChecked);
    paintCheck->setChecked(true);
    QCOMPARE(checkAll->checkState(), Qt::Checked);
    paintCheck->setChecked(false);
    QCOMPARE(checkAll->checkState(), Qt::PartiallyChecked);
    hexCheck->setChecked(false);
    QCOMPARE(checkAll->checkState(), Qt::Unchecked);
    QTest::mouseClick(checkAll, Qt::LeftButton);
    QVERIFY(hexCheck->isChecked() && paintCheck->isChecked());

    QTest::mouseClick(updates->findChild<QPushButton *>("m_updateBtn"), Qt::LeftButton);
    QVERIFY(!hexCheck->isVisible());
    QCOMPARE(requestSpy.count(), 1);
    QCOMPARE(requestSpy.at(0).at(0).toInt(), int(DownloadSubTool));
    QCOMPARE(requestSpy.at(0).at(1).value<QVector<int>>(), QVector<int>({ 2, 5 }));
    // A batch sends no "requested" report of its own; the rows follow the answers.
    QCOMPARE(stateSpy.count(), 0);

    // Accepted: the rows poll for their progress.
    emit m_pPage->signalServerResponded(DownloadSubTool, { { 2, "0" }, { 5, "0" } });
    QCOMPARE(paintRow->updateState(), Updating);
    QTRY_COMPARE_WITH_TIMEOUT(requestSpy.last().at(0).toInt(), int(DownloadProgress), 5000);
    emit m_pPage->signalServerResponded(DownloadProgress, { { 5, "37" } });
    auto *bar = paintRow->findChild<ProgressBar *>("m_upgradeProgressBar");
    QCOMPARE(bar->value(), 37);

    // Busy rows stay out of a second batch even while checked.
    requestSpy.clear();
    updates->onBatchUpdateBtnClicked();
    updates->onUpdateBtnClicked();
    emit updates->signalBatchUpdateBtnClicked();
    QCOMPARE(requestSpy.count(), 1);
    QCOMPARE(requestSpy.at(0).at(1).value<QVector<int>>(), QVector<int>());
    // A refused cancel keeps polling.
    emit m_pPage->signalServerResponded(CancelDownloadSubTool, { { 5, "404" } });
    QVERIFY(paintRow->findChild<QTimer *>()->isActive());

    // hexview is installed and leaves the list, its new version recorded; paint fails with its reason,
    // stops polling and offers a retry.
    emit m_pPage->signalServerResponded(DownloadProgress, { { 2, "200" }, { 5, "-1" } });
    QCOMPARE(m_pPage->updateScene()->toolKeys(), QVector<int>({ 5 }));
    QCOMPARE(m_pPage->downloadedScene()->row(2)->updateState(), UpToDate);
    QCOMPARE(ToolCatalog::instance()->findState(2)->CurrentVersion, std::string("1.1"));
    QCOMPARE(ToolCatalog::instance()->findState(2)->IsNeedUpdate, 0);
    QCOMPARE(paintRow->updateState(), UpdateFailed);
    QCOMPARE(bar->value(), 37);
    QCOMPARE(bar->toolTip(), QString("connect to network failed."));
    QVERIFY(!paintRow->findChild<QTimer *>()->isActive());
    QTest::mouseClick(paintRow->findChild<QPushButton *>("m_reupdateBtn"), Qt::LeftButton);
    QCOMPARE(paintRow->updateState(), Updating);
    QCOMPARE(requestSpy.last().at(1).value<QVector<int>>(), QVector<int>({ 5 }));
    emit m_pPage->signalServerResponded(DownloadSubTool, { { 5, "404" } });
    QCOMPARE(bar->toolTip(), QString("File not found."));
    // A failed update keeps the installed version and offers the update again after a cancel.
    paintRow->onCancelUpdateBtnClicked();
    QCOMPARE(paintRow->updateState(), UpdateAvailable);
    QCOMPARE(requestSpy.last().at(0).toInt(), int(CancelDownloadSubTool));
    QCOMPARE(ToolCatalog::instance()->findState(5)->CurrentVersion, std::string("1.0"));
    // The server confirms the cancel: the board's row offers the update again too.
    emit m_pPage->signalServerResponded(CancelDownloadSubTool, { { 5, "0" } });
    QCOMPARE(m_pPage->downloadedScene()->row(5)->updateState(), UpdateAvailable);

    tabs->onAllToolBtnClicked();
    QCOMPARE(m_pPage->findChild<QLabel *>("m_pUpdateNumLabel")->text(), QString("1"));

    // A row's buttons work through the board's view, although the row is draggable.
    DownloadedSubToolWidget *boardRow = m_pPage->downloadedScene()->row(5);
    auto *upgrade = boardRow->findChild<QPushButton *>("m_upgradeBtn");
    QVERIFY(upgrade->isVisible());
    const QPoint onButton = boardView()->mapFromScene(
        itemOf(5)->mapToScene(QPointF(upgrade->mapTo(boardRow, upgrade->rect().center()))));
    requestSpy.clear();
    QTest::mouseClick(boardView()->viewport(), Qt::LeftButton, Qt::NoModifier, onButton);
    QCOMPARE(requestSpy.count(), 1);
    QCOMPARE(requestSpy.at(0).at(1).value<QVector<int>>(), QVector<int>({ 5 }));
    QCOMPARE(boardRow->updateState(), Updating);
    boardRow->onCancelUpdateBtnClicked();
    waitSettled();
}

void TestMyToolsBoard::runningToolIsNeitherOpenedNorDeleted()
{
    QProcess tool;
    const QString strExe = m_strSubTools + "/notepad/notepad.bin";
    QFile::remove(strExe);
    QVERIFY(QFile::copy("/bin/sleep", strExe));
    tool.start(strExe, { "30" });
    QVERIFY(tool.waitForStarted(5000));

    // Dropped on the trash, the row passed every row below it; refused, nothing moved after all.
    const QVector<int> before = keysOf(m_pPage->toolOrderMap());
    // The real message, from the row's "open" and from a drop on the trash: a window of its own over
    // the page (not drawn into the board's scene), centred, and closed by its OK button.
    TipDialog::setAnswerHook(nullptr);
    QStringList listShown;
    QTimer driver;
    connect(&driver, &QTimer::timeout, this, [&] {
        TipDialog *pDialog = nullptr;
        for (QWidget *pWidget : QApplication::allWidgets())
            if (pWidget->isVisible() && qobject_cast<TipDialog *>(pWidget))
                pDialog = static_cast<TipDialog *>(pWidget);
        if (pDialog == nullptr)
            return;
        const QPoint offCentre = pDialog->frameGeometry().center() - m_pPage->frameGeometry().center();
        listShown << QStringLiteral("%1 embedded %2 off centre %3")
                         .arg(pDialog->findChild<QLabel *>("textLabel")->text())
                         .arg(pDialog->graphicsProxyWidget() != nullptr)
                         .arg(offCentre.manhattanLength() > 2);
        QTest::mouseClick(pDialog->findChild<QPushButton *>("okBtn"), Qt::LeftButton);
        if (pDialog->isVisible())
            pDialog->reject(); // so that a failure ends the test instead of hanging it
    });
    driver.start(20);
    itemOf(3)->subToolWidget()->onOpenTool();
    dragRow(3, int(m_pPage->downloadToolsWidget()->deleteFrame()->geometry().center().y() - itemOf(3)->y()) - 40, true);
    QTRY_COMPARE_WITH_TIMEOUT(listShown.size(), 2, 5000);
    driver.stop();
    TipDialog::setAnswerHook([this](const QString &text, bool) { return m_listMessages << text, 1; });
    tool.kill();
    tool.waitForFinished(5000);
    const QString strExpected = QStringLiteral("notepad Software already opened. embedded 0 off centre 0");
    QCOMPARE(listShown, QStringList({ strExpected, strExpected }));
    QVERIFY(m_pPage->downloadedScene()->contains(3));
    QCOMPARE(keysOf(m_pPage->toolOrderMap()), before);
    QVERIFY(QFileInfo::exists(strExe));
    waitSettled();
}

void TestMyToolsBoard::uninstalls()
{
    QSignalSpy stateSpy(m_pPage, &ToolBoxWidget::signalSubToolsStateChanged);
    QSignalSpy removedSpy(m_pPage->downloadedScene(), &ToolDownloadedScene::signalToolFolderRemoved);
    DeleteFrame *trash = m_pPage->downloadToolsWidget()->deleteFrame();

    // Released just outside the trash: only settles.
    const QVector<int> before = keysOf(m_pPage->toolOrderMap());
    const int iRowY = int(itemOf(5)->y());
    const QPoint trashInView = trash->geometry().center();
    dragRow(5, trashInView.y() - iRowY - 40 - 5, true, QPoint(0, -trash->height() / 2 - 4));
    QVERIFY(trash->isHidden());
    QCOMPARE(QSet<int>(before.begin(), before.end()).size(), m_pPage->toolOrderMap().size());
    QVERIFY(m_pPage->downloadedScene()->contains(5));
    waitSettled();

    // On the trash: paint is uninstalled; its update row goes too, and the pages hear of it. Its
    // files go on a worker thread (held back here) while a new download may already land in the
    // folder: that new install is never touched.
    QThreadPool *pool = QThreadPool::globalInstance();
    const int iThreads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    QSemaphore gate;
    pool->start([&gate] { gate.acquire(); });
    dragRow(5, int(trashInView.y() - itemOf(5)->y()) - 40, true);
    writeFile(m_strSubTools + "/paint/paint.bin", "new");
    gate.release();
    QVERIFY(!m_pPage->downloadedScene()->contains(5));
    QVERIFY(!m_pPage->updateScene()->contains(5));
    QCOMPARE(stateSpy.count(), 1);
    QCOMPARE(stateSpy.at(0).at(0).value<ToolCurrentState>(), StateDeleted);
    QCOMPARE(stateSpy.at(0).at(1).toInt(), 5);
    QTRY_COMPARE_WITH_TIMEOUT(removedSpy.count(), 1, 10000);
    pool->setMaxThreadCount(iThreads);
    QCOMPARE(removedSpy.at(0).at(1).value<FolderRemoval>(), FolderRemoval::Removed);
    QCOMPARE(QDir(m_strSubTools + "/paint").entryList(QDir::Files), QStringList { "paint.bin" });
    QVERIFY(QDir(m_strSubTools).entryList({ ".removing-*" }, QDir::AllEntries | QDir::Hidden).isEmpty());
    QVERIFY(QFileInfo::exists(m_strSubTools + "/hexview"));
    QCOMPARE(ToolCatalog::instance()->findState(5)->IsDownload, 0);
    QVERIFY(!m_pPage->findChild<QLabel *>("m_pUpdateNumLabel")->isVisible());
    QCOMPARE(m_pPage->updateToolsWidget()->currentPage(), 0);
    waitSettled();

    // A folder that is already gone: the tool leaves the board without a message.
    QVERIFY(QDir(m_strSubTools + "/clock").removeRecursively());
    m_listMessages.clear();
    removedSpy.clear();
    m_pPage->downloadedScene()->onDeleteTool(4);
    QTRY_COMPARE_WITH_TIMEOUT(removedSpy.count(), 1, 10000);
    QCOMPARE(removedSpy.at(0).at(1).value<FolderRemoval>(), FolderRemoval::AlreadyGone);
    QVERIFY(m_listMessages.isEmpty());
    QVERIFY(!m_pPage->downloadedScene()->contains(4));
    waitSettled();

    // A tool whose folder would be outside SubTools: the tool goes, its folder stays, and it says so.
    removedSpy.clear();
    m_pPage->downloadedScene()->onDeleteTool(7);
    QTRY_COMPARE_WITH_TIMEOUT(removedSpy.count(), 1, 10000);
    QCOMPARE(removedSpy.at(0).at(1).value<FolderRemoval>(), FolderRemoval::Refused);
    QVERIFY(QFileInfo::exists(m_folder.downloadPath() + "/evil"));
    QVERIFY(QFileInfo::exists(m_strSubTools));
    QCOMPARE(m_listMessages.size(), 1);
    QVERIFY(m_listMessages.first().contains("nothing was deleted"));
    QVERIFY(!m_pPage->downloadedScene()->contains(7));

    // The last tool deleted: the empty page.
    QSignalSpy allGoneSpy(m_pPage->downloadedScene(), &ToolDownloadedScene::signalAllToolsDeleted);
    for (int iKey : keysOf(m_pPage->toolOrderMap()))
        m_pPage->downloadedScene()->onDeleteTool(iKey);
    QCOMPARE(allGoneSpy.count(), 1);
    QCOMPARE(m_pPage->toolOrderMap().size(), 0);
    QCOMPARE(m_pPage->downloadToolsWidget()->currentPage(), 0);
    // The empty board still spans the whole view.
    m_pPage->resize(1013, 700);
    QVERIFY(m_pPage->downloadedScene()->sceneRect().height() >= boardView()->height());
}

QTEST_MAIN(TestMyToolsBoard)
#include "tst_mytoolsboard.moc"
