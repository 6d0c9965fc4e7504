// The main window with the real download server that dies: killed in the middle of a download it is
// reported, the download fails visibly without leaving a tool behind, and the server comes back so
// that a retry installs the tool; a server that keeps dying is not started over and over.
#include "CatalogTestServer.h"
#include "ConfigureStore.h"
#include "Gearbay.h"
#include "MoreInfoLeftWidget.h"
#include "ProgressBar.h"
#include "SubToolWidget.h"
#include "TempProgramFolder.h"
#include "../stilemend/TestFiles.h"
#include "TipDialog.h"
#include "ToolCatalog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QXmlStreamReader>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>
#include <csignal>
#include <memory>

using gearbay::Gearbay;
using gearbay::SubToolWidget;

namespace {

constexpr int kQuickKey = 2;
constexpr int kSlowKey = 3;
constexpr int kLongWaitMs = 60000;

// A tool package: the given files at the root, every one executable.
bool writePackage(const QString &strPath, const QList<QPair<QString, QByteArray>> &files)
{
    archive *pWriter = archive_write_new();
    archive_write_set_format_pax_restricted(pWriter);
    archive_write_add_filter_gzip(pWriter);
    bool bOk = archive_write_open_filename(pWriter, QFile::encodeName(strPath).constData()) == ARCHIVE_OK;
    for (const auto &file : files) {
        archive_entry *pEntry = archive_entry_new();
        archive_entry_set_pathname(pEntry, file.first.toUtf8().constData());
        archive_entry_set_filetype(pEntry, AE_IFREG);
        archive_entry_set_perm(pEntry, 0755);
        archive_entry_set_size(pEntry, file.second.size());
        bOk = bOk && archive_write_header(pWriter, pEntry) == ARCHIVE_OK
            && archive_write_data(pWriter, file.second.constData(), size_t(file.second.size())) == la_ssize_t(file.second.size());
        archive_entry_free(pEntry);
    }
    bOk = archive_write_close(pWriter) == ARCHIVE_OK && bOk;
    archive_write_free(pWriter);
    return bOk;
}

SubToolWidget *card(Gearbay &window, int iKey)
{
    for (SubToolWidget *candidate : window.findChildren<SubToolWidget *>()) {
        if (candidate->toolKey() == iKey)
            return candidate;
    }
    return nullptr;
}

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

// IsDownload of the tool in the state list as the program writes it; -1 without a record.
int savedDownloadFlag(int iKey)
{
    if (!gearbay::ToolCatalog::instance()->saveToolStates())
        return -2;
    QFile file(QDir::currentPath() + QStringLiteral("/ToolsStateList.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return -2;
    QXmlStreamReader xml(&file);
    int iFoundKey = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("ToolKey"))
            iFoundKey = xml.readElementText().toInt();
        else if (xml.name() == QLatin1String("IsDownload") && iFoundKey == iKey)
            return xml.readElementText().toInt();
    }
    return -1;
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
        QVERIFY(m_folder.isValid());
        QVERIFY(m_catalogFolder.isValid());
        QDir(m_catalogFolder.path()).mkpath(QStringLiteral("tools"));

        // The quick tool leaves a mark when it runs; the slow one is big enough to stall halfway.
        m_strLaunchMark = m_folder.path() + QStringLiteral("/quick-ran");
        QVERIFY(writePackage(m_catalogFolder.path() + QStringLiteral("/tools/quick.tar.gz"),
            { { QStringLiteral("Quick"), QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(m_strLaunchMark).toUtf8() } }));
        QByteArray payload(4 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(7);
        generator.fillRange(reinterpret_cast<quint32 *>(payload.data()), payload.size() / 4);
        QVERIFY(writePackage(m_catalogFolder.path() + QStringLiteral("/tools/slow.tar.gz"),
            { { QStringLiteral("Slow"), QByteArray("#!/bin/sh\nexit 0\n") },
                { QStringLiteral("payload.bin"), payload } }));

        m_pCatalogServer = std::make_unique<CatalogTestServer>(m_catalogFolder.path());
        QVERIFY(m_pCatalogServer->start());

        TempProgramFolder::Tool quick;
        quick.iKey = kQuickKey;
        quick.strExeName = QStringLiteral("Quick");
        quick.strChUrl = quick.strEnUrl = QStringLiteral("tools/quick.tar.gz");
        TempProgramFolder::Tool slow;
        slow.iKey = kSlowKey;
        slow.strExeName = QStringLiteral("Slow");
        slow.strChUrl = slow.strEnUrl = QStringLiteral("tools/slow.tar.gz");
        QVERIFY(m_folder.writeSetup(m_pCatalogServer->baseUrl(), m_pCatalogServer->baseUrl(), 0));
        QVERIFY(m_folder.writeCatalog({ quick, slow }));
        QFile states(m_folder.path() + QStringLiteral("/ToolsStateList.xml"));
        QVERIFY(states.open(QIODevice::WriteOnly));
        states.write("<?xml version=\"1.0\"?>\n<Tools/>\n");
        states.close();
        QVERIFY(QDir::setCurrent(m_folder.path()));
        QVERIFY(gearbay::ConfigureStore::instance()->load(m_folder.path() + QStringLiteral("/Setup.xml")));
        QVERIFY(gearbay::ToolCatalog::instance()->init());

        // The window starts "Ferrodock" beside the running executable, and the server reads the
        // program folder it lives in: a link to a copy inside the program folder serves both.
        m_strServerCopy = m_folder.installExecutable(QStringLiteral(RW_FERRODOCK_PATH));
        QVERIFY(!m_strServerCopy.isEmpty());
        m_strServerLink = QCoreApplication::applicationDirPath() + QStringLiteral("/Ferrodock");
    }

    void init()
    {
        m_listShown.clear();
        gearbay::TipDialog::setAnswerHook([this](const QString &text, bool) {
            m_listShown << text;
            return 1;
        });
        QFile::remove(m_strServerLink);
    }

    void cleanup()
    {
        gearbay::TipDialog::setAnswerHook(nullptr);
        QFile::remove(m_strServerLink);
        m_pCatalogServer->clearFaults();
        m_pCatalogServer->releaseStall();
    }

    void killedMidDownload()
    {
        QVERIFY(QFile::link(m_strServerCopy, m_strServerLink));
        Gearbay window;
        window.show();
        QProcess *server = window.serverProcess();
        SubToolWidget *quick = card(window, kQuickKey);
        SubToolWidget *slow = card(window, kSlowKey);
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

        m_pCatalogServer->setFault(QStringLiteral("/tools/slow.tar.gz"), CatalogTestServer::Fault::Stall);
        button(slow, "downLoadBtn")->click();
        auto *slowBar = slow->findChild<gearbay::ProgressBar *>(QStringLiteral("progressBar"));
        QTRY_VERIFY_WITH_TIMEOUT(m_pCatalogServer->isStalling(), kLongWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(slowBar->value() > 0, kLongWaitMs);

        const qint64 iKilledPid = server->processId();
        const int iOldPort = window.serverPort();
        QVERIFY(iKilledPid > 0);
        QCOMPARE(::kill(pid_t(iKilledPid), SIGKILL), 0);

        QTRY_VERIFY_WITH_TIMEOUT(m_listShown.contains(QStringLiteral("connect to server fail")), kLongWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(showsFailure(slow), kLongWaitMs);
        // Told as a lost exchange with the server, not as a package missing on the catalog server.
        QCOMPARE(slowBar->toolTip(), SubToolWidget::errorText(110));
        QTRY_COMPARE_WITH_TIMEOUT(detailBar->m_iMode, 1, kLongWaitMs);
        const QString strSlowFolder = m_folder.downloadPath() + QStringLiteral("/SubTools/Slow");
        QVERIFY(!QFileInfo::exists(strSlowFolder));
        QCOMPARE(savedDownloadFlag(kSlowKey), 0);

        // The tool installed before still opens.
        button(quick, "OpenBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(m_strLaunchMark), kLongWaitMs);

        // A new server, on the old port if it could be had, told to the requests.
        QTRY_VERIFY_WITH_TIMEOUT(server->state() == QProcess::Running && server->processId() != iKilledPid,
            kLongWaitMs);
        QCOMPARE(server->arguments(), QStringList { QString::number(window.serverPort()) });
        if (window.serverPort() != iOldPort)
            qInfo() << "server came back on port" << window.serverPort() << "instead of" << iOldPort;

        // Still failed: nothing polls the lost download into another state meanwhile.
        QTest::qWait(1500);
        QVERIFY(showsFailure(slow));

        m_pCatalogServer->clearFaults();
        m_pCatalogServer->releaseStall();
        button(slow, "refreshBtn")->click();
        QTRY_VERIFY_WITH_TIMEOUT(showsOpen(slow), kLongWaitMs);
        QVERIFY(QFileInfo(strSlowFolder + QStringLiteral("/Slow")).isExecutable());
        QCOMPARE(QFileInfo(strSlowFolder + QStringLiteral("/payload.bin")).size(), qint64(4 * 1024 * 1024));
        QCOMPARE(savedDownloadFlag(kSlowKey), 1);
        QCOMPARE(m_listShown.count(QStringLiteral("connect to server fail")), 1);

        // Closing ends the new server quietly and does not bring it back.
        window.onClose();
        QTRY_COMPARE_WITH_TIMEOUT(server->state(), QProcess::NotRunning, kLongWaitMs);
        QTest::qWait(500);
        QCOMPARE(server->state(), QProcess::NotRunning);
        QCOMPARE(m_listShown.count(QStringLiteral("connect to server fail")), 1);
    }

    void serverThatKeepsDyingIsLeftDead()
    {
        // A server that ends as soon as it has started.
        writeFile(m_strServerLink, "#!/bin/sh\nexit 3\n", true);

        Gearbay window;
        QSignalSpy started(window.serverProcess(), &QProcess::started);
        // The first start and three more, then it stays down with the message.
        QTRY_COMPARE_WITH_TIMEOUT(m_listShown.count(QStringLiteral("connect to server fail")), 4, kLongWaitMs);
        QTest::qWait(1500);
        QCOMPARE(started.count(), 4);
        QCOMPARE(m_listShown.count(QStringLiteral("connect to server fail")), 4);
        QCOMPARE(window.serverProcess()->state(), QProcess::NotRunning);
    }

private:
    TempProgramFolder m_folder;
    QTemporaryDir m_catalogFolder;
    std::unique_ptr<CatalogTestServer> m_pCatalogServer;
    QStringList m_listShown;
    QString m_strLaunchMark;
    QString m_strServerCopy;
    QString m_strServerLink;
};

QTEST_MAIN(TestServerKilled)
#include "tst_serverkilled.moc"
