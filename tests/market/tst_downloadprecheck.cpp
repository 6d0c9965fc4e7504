// The checks before a download, an update or an open, as the tool card, the detail panel and the My
// Tools row make them, with the Chinese translation loaded: each refuses for the same reasons and
// says so in its own translated words, under the cover, without sending anything; a restricted tool
// with no directory server to ask is refused before the login opens.
#include "ConfigKey.h"
#include "ConfigureStore.h"
#include "DownloadedSubToolWidget.h"
#include "MarketFixture.h"
#include "MoreInfoLeftWidget.h"
#include "SubToolWidget.h"
#include "TipDialog.h"
#include "ToolCatalog.h"

#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>
#include <memory>

using namespace gearbay;

namespace {

enum Key { kPlain = 2, kHuge = 3, kLocked = 4, kRunning = 5 };

} // namespace

class TestDownloadPreCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void refusalsInEachOwnersWords_data();
    void refusalsInEachOwnersWords();

private:
    markettest::ProgramFolder m_folder;
    QProcess m_running;
    QTranslator m_translator;
    QStringList m_listTips;
};

void TestDownloadPreCheck::initTestCase()
{
    using markettest::Tool;
    const QVector<Tool> tools = {
        { kPlain, 1, "Hex Viewer", QString::fromUtf8("十六进制查看器"), "HexViewer.exe", "", 1.5, 0 },
        { kHuge, 2, "Huge", QString::fromUtf8("巨大"), "Huge.exe", "", 1.0e12, 0 },
        { kLocked, 2, "Locked Tool", QString::fromUtf8("受限工具"), "Locked.exe", "", 1, 1 },
        { kRunning, 1, "Runner", QString::fromUtf8("运行器"), "rwrunning.bin", "", 1, 0 },
    };
    QVERIFY(m_folder.setUp(tools, { { kPlain, 1, 0 }, { kHuge, 1, 0 }, { kLocked, 1, 0 }, { kRunning, 1, 0 } }, 1));
    // A running program named like the installed tool's executable.
    const QString strRunning = m_folder.path() + "/rwrunning.bin";
    QVERIFY(QFile::copy("/bin/sleep", strRunning));
    m_running.start(strRunning, { "120" });
    QVERIFY(m_running.waitForStarted(5000));
    QVERIFY(m_translator.load(QStringLiteral(RW_BUILD_DIR "/translations/gearbay_zh.qm")));
    qApp->installTranslator(&m_translator);
    TipDialog::setAnswerHook([this](const QString &strText, bool) {
        m_listTips << strText;
        return 1;
    });
}

void TestDownloadPreCheck::cleanupTestCase()
{
    m_running.kill();
    m_running.waitForFinished(5000);
    TipDialog::setAnswerHook(nullptr);
    qApp->removeTranslator(&m_translator);
}

void TestDownloadPreCheck::refusalsInEachOwnersWords_data()
{
    QTest::addColumn<QString>("owner"); // card, panel or row
    QTest::addColumn<QString>("button"); // the action's button
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("emptyPath");
    QTest::addColumn<QString>("tip"); // the message shown, none when empty
    QTest::addColumn<int>("login"); // 1: the login came up (refused); 2: logged in earlier; 0: neither
    QTest::addColumn<int>("requests"); // requests sent
    QTest::addColumn<bool>("noDirectory"); // Setup.xml names no directory server

    const QString strNoPath = QString::fromUtf8("请在系统设置页面设置下载路径。");
    const QString strNoSpace = QString::fromUtf8("磁盘可用空间小于工具大小，请修改下载路径。");
    const auto row
        = [](const char *pszTag, const char *pszOwner, const char *pszButton, int iKey, bool bEmptyPath,
              const QString &strTip, int iLogin, int iRequests, bool bNoDirectory = false) {
              QTest::newRow(pszTag) << QString(pszOwner) << QString(pszButton) << iKey << bEmptyPath << strTip
                                    << iLogin << iRequests << bNoDirectory;
          };
    row("card download, no path", "card", "downLoadBtn", kPlain, true, strNoPath, 0, 0);
    row("card download, too big", "card", "downLoadBtn", kHuge, false, strNoSpace, 0, 0);
    row("card download, login refused", "card", "downLoadBtn", kLocked, false, QString(), 1, 0);
    row("panel download, no path", "panel", "downloadBtn", kPlain, true, strNoPath, 0, 0);
    row("panel update, too big", "panel", "updateBtn", kHuge, false, strNoSpace, 0, 0);
    row("panel update, login refused", "panel", "updateBtn", kLocked, false, QString(), 1, 0);
    row("row upgrade, no path", "row", "m_upgradeBtn", kPlain, true, strNoPath, 0, 0);
    row("row upgrade, too big", "row", "m_upgradeBtn", kHuge, false, strNoSpace, 0, 0);
    // The row asks for no login before an update, only before an open.
    row("row upgrade, restricted", "row", "m_upgradeBtn", kLocked, false, QString(), 0, 1);
    row("row open, login refused", "row", "m_openBtn", kLocked, false, QString(), 1, 0);
    row("panel download, logged in earlier", "panel", "downloadBtn", kLocked, false, QString(), 2, 1);
    // The tool's files are gone (the tools here are installed, their programs are not).
    row("panel open, files removed", "panel", "openBtn", kPlain, false, QString(), 0, 1);
    row("panel update, files removed", "panel", "updateBtn", kPlain, false, QString(), 0, 1);
    // Nothing is opened twice, updated or downloaded over while the tool runs.
    const QString strOpened = QString::fromUtf8("运行器 软件已打开。");
    row("card open, running", "card", "OpenBtn", kRunning, false, strOpened, 0, 0);
    row("panel open, running", "panel", "openBtn", kRunning, false, QString::fromUtf8("运行器 已经打开。"), 0,
        0);
    row("panel update, running", "panel", "updateBtn", kRunning, false,
        QString::fromUtf8("运行器 已经打开，请先关闭。"), 0, 0);
    row("row open, running", "row", "m_openBtn", kRunning, false, strOpened, 0, 0);
    row("row upgrade, running", "row", "m_upgradeBtn", kRunning, false, strOpened, 0, 0);
    // No login could succeed: said before any dialog, with what to do.
    row("card download, no directory server", "card", "downLoadBtn", kLocked, false,
        QString::fromUtf8("此工具需要目录登录，但未配置目录服务器。请管理员在 %1 中设置 DirectoryServer 和 "
                          "DirectoryUserDn。"),
        0, 0, true);
}

void TestDownloadPreCheck::refusalsInEachOwnersWords()
{
    QFETCH(QString, owner);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(bool, emptyPath);
    QFETCH(QString, tip);
    QFETCH(int, login);
    QFETCH(bool, noDirectory);

    m_listTips.clear();
    ConfigureStore *pStore = ConfigureStore::instance();
    const QString strDirectory = pStore->directoryServer();
    if (noDirectory) {
        QVERIFY(pStore->setValue(ConfigKey::DirectoryServer, QString()));
        tip.replace("%1", QDir::toNativeSeparators(pStore->filePath()));
    }
    auto restoreDirectory = qScopeGuard([&] { pStore->setValue(ConfigKey::DirectoryServer, strDirectory); });
    ToolCatalog::instance()->setPermissionGranted(login == 2);
    QVERIFY(ConfigureStore::instance()->setDownloadPath(emptyPath ? QString() : m_folder.downloadPath()));

    const ToolInfo info = ToolCatalog::instance()->findInfo(key).value();
    std::unique_ptr<QWidget> pOwner;
    if (owner == "card") {
        pOwner.reset(new SubToolWidget(key));
    } else if (owner == "panel") {
        auto *pPanel = new MoreInfoLeftWidget;
        pOwner.reset(pPanel);
        pPanel->setToolInfo(info);
    } else {
        auto *pRow = new DownloadedSubToolWidget;
        pOwner.reset(pRow);
        pRow->setToolInfo(info);
        pRow->setUpdateState(UpdateAvailable);
    }
    const char *pszRequest
        = owner == "row" ? SIGNAL(signalUpdateTool(int)) : SIGNAL(signalDownload(int, QVector<int>));
    QSignalSpy requests(pOwner.get(), pszRequest);
    QSignalSpy covers(pOwner.get(), SIGNAL(signalCover(bool)));
    QStringList listDialogs;
    {
        markettest::ModalCloser closer;
        // The owner is never shown: its action is clicked as it is.
        auto *pButton = pOwner->findChild<QPushButton *>(button);
        QVERIFY2(pButton, qPrintable(button));
        pButton->click();
        listDialogs = closer.closed();
    }
    QVERIFY(ConfigureStore::instance()->setDownloadPath(m_folder.downloadPath()));

    QCOMPARE(m_listTips, tip.isEmpty() ? QStringList() : QStringList { tip });
    QCOMPARE(listDialogs, login == 1 ? QStringList { "gearbay::UserPermissionWidget" } : QStringList());
    QCOMPARE(ToolCatalog::instance()->permissionGranted(), login == 2);
    ToolCatalog::instance()->setPermissionGranted(false);
    QTEST(requests.count(), "requests");
    // The window is dimmed exactly while a message or the login is up.
    QStringList listCovers;
    for (const QList<QVariant> &args : qAsConst(covers))
        listCovers << args.at(0).toString();
    const QStringList listDimmed { "true", "false" };
    QCOMPARE(listCovers, tip.isEmpty() && login != 1 ? QStringList() : listDimmed);
}

QTEST_MAIN(TestDownloadPreCheck)
#include "tst_downloadprecheck.moc"
