// The main window with the real download server that dies: killed in the middle of a download it is
// reported, the download fails visibly without leaving a tool behind, and the server comes back so
// that a retry installs the tool; a server that keeps dying is not started over and over.
#include "ArchiveWriter.h"
#include "Gearbay.h"
#include "MoreInfoLeftWidget.h"
#include "ProgressBar.h"
#include "SubToolWidget.h"
#include "TestFiles.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "WindowFixture.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include <csignal>

using gearbay::Gearbay;
using gearbay::SubToolWidget;

namespace {

constexpr int kQuickKey = 2;
constexpr int kSlowKey = 3;
constexpr int kLongWaitMs = 60000;

QPushButton *button(QWidget *pOwner, const char *pName)
{
    return pOwner->findChild<QPushButton *>(QLatin1String(pName));
}

// Whether the card shows the control, also while another page covers the market page.
bool shows(SubToolWidget *pCard, const char *pName)
{
    return button(pCard, pName)->isVisibleTo(pCard);
}

// The download in its failed view: a red bar with retry, no way to open a tool.
bool showsFailure(SubToolWidget *pCard)
{
    auto *bar = pCard->findChild<gearbay::ProgressBar *>(QStringLiteral("progressBar"));
    return bar != nullptr && bar->m_iMode == 1 && shows(pCard, "refreshBtn") && !shows(pCard, "OpenBtn");
}

bool showsOpen(SubToolWidget *pCard)
{
    return shows(pCard, "OpenBtn") && !shows(pCard, "refreshBtn") && !shows(pCard, "downLoadBtn");
}

// IsDownload of the tool in the state list as the program writes it.
QString savedDownloadFlag(int iKey)
{
    gearbay::ToolCatalog::instance()->saveToolStates();
    return readToolRecords(QDir::currentPath() + QStringLiteral("/ToolsStateList.xml")).value(iKey).value("IsDownload");
}

// The action panel of the detail page on show.
gearbay::MoreInfoLeftWidget *shownDetailPanel(Gearbay &window)
{
    auto *pages = window.findChild<QStackedWidget *>(QStringLiteral("mainStackedWidget"));
    return pages == nullptr || pages->currentWidget() == nullptr
        ? nullptr
        : pages->currentWidget()->findChild<gearbay::MoreInfoLeftWidget *>();
}

} // namespace

class TestServerKilled : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_catalogFolder.isValid() && QDir(m_catalogFolder.path()).mkpath(QStringLiteral("tools")));
        // The quick tool leaves a mark when it runs; the slow one is big enough to stall halfway.
        m_strLaunchMark = m_fixture.folder().path() + QStringLiteral("/quick-ran");
        QVERIFY(writeArchive(m_catalogFolder.path() + QStringLiteral("/tools/quick.tar.gz"),
            { { QStringLiteral("Quick"), QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(m_strLaunchMark).toUtf8() } }));
        QByteArray payload(4 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(7);
        generator.fillRange(reinterpret_cast<quint32 *>(payload.data()), payload.size() / 4);
        QVERIFY(writeArchive(m_catalogFolder.path() + QStringLiteral("/tools/slow.tar.gz"),
            { { QStringLiteral("Slow"), QByteArray("#!/bin/sh\nexit 0\n") },
                { QStringLiteral("payload.bin"), payload } }));
        QVERIFY(m_fixture.prepare(QString()));
        QVERIFY(m_fixture.folder().writeCatalog({ { kQuickKey, "Quick", "tools/quick.tar.gz", "tools/quick.tar.gz" },
                                                  { kSlowKey, "Slow", "tools/slow.tar.gz", "tools/slow.tar.gz" } }));
    }

    void cleanup()
    {
        m_fixture.close();
        m_fixture.tips.clear();
        m_fixture.server().clearFaults();
        m_fixture.server().releaseStall();
    }

    void killedMidDownload()
    {
        QVERIFY(m_fixture.open());
        Gearbay &window = *m_fixture.window();
        QProcess *server = window.serverProcess();
        SubToolWidget *quick = m_fixture.card(kQuickKey);
        SubToolWidget *slow = m_fixture.card(kSlowKey);
        QVERIFY(quick != nullptr && slow != nullptr);

        // An installed tool from before the failure.
        button(quick, "downLoadBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(showsOpen(quick), kLongWaitMs);

        // The detail page of the slow tool is open beside its card while it downloads.
        window.showMoreInfoPage(kSlowKey);
        QTRY_VERIFY_WITH_TIMEOUT(shownDetailPanel(window) != nullptr, kLongWaitMs);
        auto *detail = shownDetailPanel(window);
        auto *detailBar = detail->findChild<gearbay::ProgressBar *>(QStringLiteral("progressBar"));
        QVERIFY(detailBar != nullptr);

        m_fixture.server().setFault(QStringLiteral("/tools/slow.tar.gz"), CatalogTestServer::Fault::Stall);
        button(slow, "downLoadBtn")->click();
        auto *slowBar = slow->findChild<gearbay::ProgressBar *>(QStringLiteral("progressBar"));
        QTRY_VERIFY_WITH_TIMEOUT(m_fixture.server().isStalling(), kLongWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(slowBar->value() > 0, kLongWaitMs);

        const qint64 iKilledPid = server->processId();
        QVERIFY(iKilledPid > 0);
        QCOMPARE(::kill(pid_t(iKilledPid), SIGKILL), 0);

        QTRY_VERIFY_WITH_TIMEOUT(m_fixture.tips.contains(QStringLiteral("connect to server fail")), kLongWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(showsFailure(slow), kLongWaitMs);
        // Told as a lost exchange with the server, not as a package missing on the catalog server.
        QCOMPARE(slowBar->toolTip(), SubToolWidget::errorText(110));
        QTRY_COMPARE_WITH_TIMEOUT(detailBar->m_iMode, 1, kLongWaitMs);
        const QString strSlowFolder = m_fixture.folder().downloadPath() + QStringLiteral("/SubTools/Slow");
        QVERIFY(!QFileInfo::exists(strSlowFolder));
        QCOMPARE(savedDownloadFlag(kSlowKey), QString("0"));

        // The tool installed before still opens.
        button(quick, "OpenBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(m_strLaunchMark), kLongWaitMs);

        // A new server, on the old port if it could be had, told to the requests.
        QTRY_VERIFY_WITH_TIMEOUT(server->state() == QProcess::Running && server->processId() != iKilledPid,
            kLongWaitMs);
        QCOMPARE(server->arguments(), QStringList { QString::number(window.serverPort()) });

        // Still failed: nothing polls the lost download into another state meanwhile.
        QVERIFY(showsFailure(slow) && !slow->findChild<QTimer *>()->isActive());

        m_fixture.server().clearFaults();
        m_fixture.server().releaseStall();
        button(slow, "refreshBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(showsOpen(slow), kLongWaitMs);
        QVERIFY(QFileInfo(strSlowFolder + QStringLiteral("/Slow")).isExecutable());
        QCOMPARE(QFileInfo(strSlowFolder + QStringLiteral("/payload.bin")).size(), qint64(4 * 1024 * 1024));
        QCOMPARE(savedDownloadFlag(kSlowKey), QString("1"));
        QCOMPARE(m_fixture.tips.count(QStringLiteral("connect to server fail")), 1);

        // Closing asks first, then ends the new server quietly and does not bring it back.
        window.onClose(); // the hook answers OK
        QTRY_COMPARE_WITH_TIMEOUT(server->state(), QProcess::NotRunning, kLongWaitMs);
        QTest::qWait(100); // a restart would be queued at once
        QCOMPARE(server->state(), QProcess::NotRunning);
        QCOMPARE(m_fixture.tips.count(QStringLiteral("connect to server fail")), 1);
        QCOMPARE(m_fixture.tips.last(), QStringLiteral("Are you sure close the software?"));
        QVERIFY(!window.isVisible());
    }

    void serverThatKeepsDyingIsLeftDead()
    {
        // A server that ends as soon as it has started.
        writeFile(QCoreApplication::applicationDirPath() + QStringLiteral("/Ferrodock"), "#!/bin/sh\nexit 3\n", true);
        gearbay::TipDialog::setAnswerHook([this](const QString &text, bool) { return m_fixture.tips << text, 1; });
        Gearbay window;
        QSignalSpy started(window.serverProcess(), &QProcess::started);
        // The first start and three more, then it stays down with the message.
        QTRY_COMPARE_WITH_TIMEOUT(m_fixture.tips.count(QStringLiteral("connect to server fail")), 4, kLongWaitMs);
        QTest::qWait(300); // a fifth start would follow the fourth death at once
        QCOMPARE(started.count(), 4);
        QCOMPARE(m_fixture.tips.count(QStringLiteral("connect to server fail")), 4);
        QCOMPARE(window.serverProcess()->state(), QProcess::NotRunning);
    }

private:
    QTemporaryDir m_catalogFolder;
    WindowFixture m_fixture { m_catalogFolder.path() };
    QString m_strLaunchMark;
};

QTEST_MAIN(TestServerKilled)
#include "tst_serverkilled.moc"
