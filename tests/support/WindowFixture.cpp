#include "WindowFixture.h"

#include "ConfigureStore.h"
#include "Gearbay.h"
#include "SubToolWidget.h"
#include "TestFiles.h"
#include "TestXml.h"
#include "TipDialog.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadWidget.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTest>

using namespace gearbay;

namespace {

QString linkBesideTest()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Ferrodock");
}

} // namespace

WindowFixture::WindowFixture(const QString &strServed)
    : m_server(strServed)
{
}

WindowFixture::~WindowFixture()
{
    close();
}

bool WindowFixture::prepare(const QString &strToolsFile, const QMap<int, QString> &mapInstalled)
{
    if (!m_folder.isValid() || !m_server.start()
        || !m_folder.writeSetup(m_server.baseUrl(), m_server.baseUrl(), 0))
        return false;
    if (!strToolsFile.isEmpty()
        && QProcess::execute(QStringLiteral("cp"), { QStringLiteral("-a"), strToolsFile + QStringLiteral("/."),
                                                     m_folder.path() + QStringLiteral("/ToolsFile") }) != 0)
        return false;
    QString strStates;
    int iOrder = 0;
    for (auto it = mapInstalled.cbegin(); it != mapInstalled.cend(); ++it)
        strStates += stateElement(it.key(), it.value(), 1, 0, iOrder++);
    if (!writeXmlFile(
            m_folder.path() + QStringLiteral("/ToolsStateList.xml"), "<Tools>\n" + strStates + "</Tools>\n"))
        return false;

    // The server's environment is the test's: it must never touch the real home or take a proxy.
    qputenv("HOME", QFile::encodeName(m_folder.homePath()));
    for (const char *pName : { "http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY" })
        qunsetenv(pName);
    // The one place a window test gets its server executable.
    const QString strCopy = m_folder.path() + QStringLiteral("/Ferrodock");
    QFile::remove(linkBesideTest());
    return QFile::exists(strCopy) || !m_folder.installExecutable(QStringLiteral(RW_FERRODOCK_PATH)).isEmpty();
}

bool WindowFixture::unpack(const QString &strCatalog, int iKey) const
{
    const QMap<QString, QString> tool = readToolRecords(strCatalog + QStringLiteral("/ToolsInfoList.xml")).value(iKey);
    const QString strFolder = m_folder.downloadPath() + QStringLiteral("/SubTools/")
        + ToolCatalog::folderNameOf(tool.value(QStringLiteral("ExeName")));
    return QDir().mkpath(strFolder)
        && QProcess::execute(QStringLiteral("tar"), { QStringLiteral("-xf"),
                                                      strCatalog + '/' + tool.value(QStringLiteral("DownloadENUrl")),
                                                      QStringLiteral("-C"), strFolder }) == 0;
}

Gearbay *WindowFixture::open()
{
    if (!QDir::setCurrent(m_folder.path())
        || !ConfigureStore::instance()->load(m_folder.path() + QStringLiteral("/Setup.xml"))
        || !ToolCatalog::instance()->init())
        return nullptr;
    TipDialog::setAnswerHook([this](const QString &strText, bool) {
        tips << strText;
        return answer ? answer(strText) : 1;
    });
    QFile::remove(linkBesideTest());
    if (!QFile::link(m_folder.path() + QStringLiteral("/Ferrodock"), linkBesideTest()))
        return nullptr;
    m_pWindow = new Gearbay;
    m_pWindow->show();
    QProcess *pServer = m_pWindow->serverProcess();
    if (!QTest::qWaitFor([pServer] { return pServer->state() == QProcess::Running; }, 30000))
        return nullptr;
    return m_pWindow;
}

void WindowFixture::close()
{
    if (m_pWindow != nullptr) {
        // Ends the tools the window started, then the window with its server.
        ConfigureStore::instance()->setIsCloseOpenTools(1);
        emit m_pWindow->findChild<ToolDownloadWidget *>()->signalClose();
        emit m_pWindow->findChild<ToolBoxWidget *>()->signalCloseTool();
        ConfigureStore::instance()->setIsCloseOpenTools(0);
        m_pWindow->serverProcess()->kill();
        m_pWindow->serverProcess()->waitForFinished(10000);
        delete m_pWindow;
        m_pWindow = nullptr;
    }
    QFile::remove(linkBesideTest());
    TipDialog::setAnswerHook(nullptr);
}

SubToolWidget *WindowFixture::card(int iKey) const
{
    for (SubToolWidget *pCard : m_pWindow->findChildren<SubToolWidget *>()) {
        if (pCard->toolKey() == iKey)
            return pCard;
    }
    return nullptr;
}
