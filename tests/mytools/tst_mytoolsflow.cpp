// The update list inside the real main window: a batch larger than the window's limit of downloads
// in flight shows the tools the window holds back as waiting, and a held-back tool starts on the
// list when the window lets it go. (The window's own flow control is tst_mainwindow's.)
#include "ClientRequestManager.h"
#include "DownloadedSubToolWidget.h"
#include "Gearbay.h"
#include "MyToolsFixture.h"
#include "ServerProtocol.h"
#include "TipDialog.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadedScene.h"
#include "ToolUpdateScene.h"
#include "UpdateToolsWidget.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

using namespace gearbay;

class TestMyToolsFlow : public QObject
{
    Q_OBJECT

private slots:
    void heldBackToolsWaitAndStart()
    {
        QVector<mytoolstest::Tool> tools = { { 0, "material", "5", "5", 0, 0 } };
        for (int iKey = 2; iKey <= 6; ++iKey)
            tools.append({ iKey, QString("tool%1").arg(iKey), "2.0", "1.0", 1, iKey });
        QVERIFY(m_folder.setUp(tools));
        TipDialog::setAnswerHook([](const QString &, bool) { return 1; });

        Gearbay window;
        // The test plays the download server: the dispatcher's own answers are not heard.
        QObject::disconnect(window.findChild<ClientRequestManager *>(), nullptr, &window, nullptr);
        const auto answer = [&window](int iMethod, QVector<protocol::UrlValue> values) {
            for (auto &value : values)
                value.first = QString::fromStdString(ToolCatalog::instance()->downloadUrl(value.first.toInt()));
            window.onSolveRequestResult(0, QString::fromLatin1(protocol::responseBody(iMethod, values)));
        };
        answer(6, {}); // frees the place the version question at start holds
        auto *page = window.findChild<ToolBoxWidget *>();
        UpdateToolsWidget *bar = page->updateToolsWidget();
        bar->findChild<QPushButton *>("m_BatchUpdateBtn")->click();
        bar->findChild<QCheckBox *>("m_checkAllBox")->click();
        bar->findChild<QPushButton *>("m_updateBtn")->click();

        ToolUpdateScene *updates = page->updateScene();
        QCOMPARE(updates->row(5)->updateState(), UpdateWaiting);
        QCOMPARE(page->downloadedScene()->row(6)->updateState(), UpdateWaiting);
        answer(3, { { "2", "0" }, { "3", "0" }, { "4", "0" } });
        answer(4, { { "2", "200" } });
        QCOMPARE(updates->row(5)->updateState(), Updating);
        QCOMPARE(updates->row(6)->updateState(), UpdateWaiting);
    }

    // Only now: the window reports its server's end through a message as it goes.
    void cleanupTestCase() { TipDialog::setAnswerHook(nullptr); }

private:
    mytoolstest::ProgramFolder m_folder;
};

QTEST_MAIN(TestMyToolsFlow)
#include "tst_mytoolsflow.moc"
