#include "DownloadPreCheck.h"

#include "ConfigureStore.h"
#include "DirectoryAuthenticator.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "UserPermissionWidget.h"
#include "Utilities.h"

#include <QDir>
#include <QWidget>
#include <QtDebug>

namespace gearbay {

namespace {
const char *const kNoticeIcon = ":/Gearbay/Image/Gearbai/icon/notice.png";
} // namespace

DownloadPreCheck::DownloadPreCheck(QWidget *pOwner, std::function<Texts()> funcTexts)
    : QObject(pOwner)
    , m_pOwner(pOwner)
    , m_funcTexts(std::move(funcTexts))
{
}

bool DownloadPreCheck::passesDiskChecks(double dSizeMB)
{
    const QString strPath = ConfigureStore::instance()->downloadPath();
    if (strPath.isEmpty()) {
        showNotice(m_funcTexts().strNoDownloadPath);
        return false;
    }
    // Free space that cannot be measured reads as 0, so any sized tool is refused; equal sizes fit.
    const double dFreeMB = static_cast<double>(diskFreeSpaceGB(strPath)) * 1024.0;
    if (dSizeMB > dFreeMB) {
        showNotice(m_funcTexts().strNoDiskSpace);
        return false;
    }
    return true;
}

bool DownloadPreCheck::passesLoginGate(bool bRestricted)
{
    ToolCatalog *pCatalog = ToolCatalog::instance();
    if (!bRestricted || pCatalog->permissionGranted())
        return true;
    // No account could ever pass: say so before asking for one.
    const ConfigureStore *pStore = ConfigureStore::instance();
    if (!DirectoryAuthenticator(pStore->directoryServer(), pStore->directoryUserDn(), pStore->directoryCaFile())
             .isConfigured()) {
        qWarning() << "kv7 restricted tool refused: DirectoryServer or DirectoryUserDn missing in Setup.xml";
        showNotice(tr("This tool needs a directory login, but no directory server is configured. Ask your "
                      "administrator to set DirectoryServer and DirectoryUserDn in %1.")
                       .arg(QDir::toNativeSeparators(pStore->filePath())));
        return false;
    }
    emit signalCover(true);
    int iResult = 0;
    {
        UserPermissionWidget dialog(m_pOwner);
        iResult = dialog.exec();
    }
    emit signalCover(false);
    if (iResult != 1)
        return false;
    pCatalog->setPermissionGranted(true);
    return true;
}

bool DownloadPreCheck::refusesWhileRunning(const QString &strExeName, const QString &strText)
{
    if (!isProcessRunning(strExeName))
        return false;
    showNotice(strText);
    return true;
}

void DownloadPreCheck::showNotice(const QString &strText)
{
    const Texts texts = m_funcTexts();
    emit signalCover(true);
    TipDialog::showTip(kNoticeIcon, strText, texts.strOk, texts.strCancel, false, m_pOwner);
    emit signalCover(false);
}

} // namespace gearbay
