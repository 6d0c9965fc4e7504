// The update list inside the real main window: a batch larger than the window's limit of three
// downloads in flight waits ("120") and starts one tool per answer.
#include "ClientRequestManager.h"
#include "DownloadedSubToolWidget.h"
#include "Gearbay.h"
#include "MyToolsFixture.h"
#include "TipDialog.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadedScene.h"
#include "ToolUpdateScene.h"
#include "UpdateToolsWidget.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace gearbay;

namespace {

QString url(int iKey)
{
    return QString::fromStdString(ToolCatalog::instance()->downloadUrl(iKey));
}

// The download server's answer document.
QString answer(int iMethod, const QList<QPair<int, QString>> &values)
{
    QJsonArray list;
    for (const auto &value : values)
        list.append(QJsonObject { { "url", value.first < 0 ? QString("http://127.0.0.1:9") : url(value.first) },
                                  { "value", value.second } });
    const QJsonObject document { { "method", iMethod }, { "urlsToValue", list } };
    return QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Compact));
}

} // namespace

class TestMyToolsFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void batchWaitsAndStartsOneByOne();
    void cleanupTestCase();

private:
    mytoolstest::ProgramFolder m_folder;
};

void TestMyToolsFlow::initTestCase()
{
    QVector<mytoolstest::Tool> tools = { { 0, "material", "5", "5", 0, 0 }, { 1, "RigWarden", "2.0", "2.0", 1, 0 } };
    const QStringList names = { "hexview", "notepad", "clock", "paint", "reader" };
    for (int i = 0; i < names.size(); ++i)
        tools.append({ 2 + i, names.at(i), "2.0", "1.0", 1, i });
    QVERIFY(m_folder.setUp(tools));
    TipDialog::setAnswerHook([](const QString &, bool) { return 1; });
}

void TestMyToolsFlow::batchWaitsAndStartsOneByOne()
{
    Gearbay window;
    // The test plays the download server: the dispatcher's own answers are not heard.
    if (auto *manager = window.findChild<ClientRequestManager *>())
        QObject::disconnect(manager, nullptr, &window, nullptr);
    QSignalSpy started(&window, &Gearbay::signalWaitingToolsStartDownload);
    QSignalSpy counted(&window, &Gearbay::signalDownloadingCount);
    // The material version asked for at start holds a place until answered; the same version as
    // installed ("5") starts no material download.
    window.onSolveRequestResult(0, answer(6, { { -1, "5" } }));
    QCOMPARE(counted.last().at(0).toInt(), 0);

    auto *page = window.findChild<ToolBoxWidget *>();
    QVERIFY(page);
    ToolUpdateScene *updates = page->updateScene();
    QCOMPARE(updates->toolKeys(), QVector<int>({ 2, 3, 4, 5, 6 }));
    UpdateToolsWidget *bar = page->updateToolsWidget();
    bar->findChild<QPushButton *>("m_BatchUpdateBtn")->click();
    bar->findChild<QCheckBox *>("m_checkAllBox")->click();
    bar->findChild<QPushButton *>("m_updateBtn")->click();

    // Three go to the server; the fourth and fifth wait, on the list and on the board alike.
    auto state = [updates](int iKey) { return updates->row(iKey)->updateState(); };
    QCOMPARE(state(5), UpdateWaiting);
    QCOMPARE(state(6), UpdateWaiting);
    QCOMPARE(page->downloadedScene()->row(6)->updateState(), UpdateWaiting);
    QCOMPARE(state(2), UpdateAvailable);
    window.onSolveRequestResult(0, answer(3, { { 2, "0" }, { 3, "0" }, { 4, "0" } }));
    QCOMPARE(state(2), Updating);
    QCOMPARE(state(4), Updating);
    QCOMPARE(started.count(), 0);

    // Each finished or failed download lets exactly one waiting tool start, in order.
    window.onSolveRequestResult(0, answer(4, { { 2, "200" } }));
    QCOMPARE(updates->toolKeys(), QVector<int>({ 3, 4, 5, 6 }));
    QCOMPARE(started.count(), 1);
    QCOMPARE(state(5), Updating);
    QCOMPARE(state(6), UpdateWaiting);
    window.onSolveRequestResult(0, answer(4, { { 3, "404" } }));
    QCOMPARE(state(3), UpdateFailed);
    QCOMPARE(started.count(), 2);
    QCOMPARE(state(6), Updating);
    window.onSolveRequestResult(0, answer(3, { { 5, "0" }, { 6, "0" } }));
    window.onSolveRequestResult(0, answer(4, { { 4, "200" }, { 5, "200" }, { 6, "200" } }));
    QCOMPARE(updates->toolKeys(), QVector<int>({ 3 }));
    QCOMPARE(page->findChild<QLabel *>("m_pUpdateNumLabel")->text(), QString("1"));
}

void TestMyToolsFlow::cleanupTestCase()
{
    // Only now: closing the window still reports its server's end through a message.
    TipDialog::setAnswerHook(nullptr);
}

QTEST_MAIN(TestMyToolsFlow)
#include "tst_mytoolsflow.moc"
