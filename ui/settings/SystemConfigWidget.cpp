#include "SystemConfigWidget.h"

#include "ConfigureStore.h"
#include "DownloadPathMove.h"
#include "GenericDS.h"
#include "StringConvert.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "UpdateRules.h"
#include "Utilities.h"
#include "ui_SystemConfigWidget.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QKeyEvent>
#include <QMovie>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QtConcurrent>
#include <QtDebug>

namespace gearbay {

namespace {
const int kMaterialKey = 0;
const int kProgramKey = 1;
const int kTipMs = 2000;
// A message with its reason needs reading time.
const int kReasonTipMs = 8000;
const int kPollMs = 1000;

const char *const kTipIcon = "border-image:url(:/Gearbay/Image/Gearbai/icon/tip.png);";
const char *const kErrorIcon = "border-image:url(:/Gearbay/Image/Gearbai/icon/ic_fauls.png);";
const char *const kNoticeIcon = ":/Gearbay/Image/Gearbai/icon/notice.png";

enum Method {
    DownloadMaterial = 1,
    DownloadManageTool = 2,
    DownloadProgress = 4,
    CancelDownload = 5,
    AskVersion = 6
};
} // namespace

SystemConfigWidget::SystemConfigWidget(QWidget *parent)
    : FramelessWidget(parent)
    , ui(new Ui::SystemConfigWidget)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);

    ConfigureStore *store = ConfigureStore::instance();
    ToolCatalog *catalog = ToolCatalog::instance();
    m_iCloseOpenTools = store->isCloseOpenTools();
    ui->closeSoftwareCheckBox->setChecked(m_iCloseOpenTools != 0);
    m_strDownloadPath = store->downloadPath();
    ui->pathTextLabel->setText(m_strDownloadPath);
    ui->pathTextLabel->setToolTip(m_strDownloadPath);
    m_strProgramUrl = QByteArray::fromStdString(catalog->downloadUrl(kProgramKey));
    m_strMaterialUrl = QByteArray::fromStdString(catalog->downloadUrl(kMaterialKey));

    m_strDefaultTip
        = tr("Change path Please close open tools and all had download tools will move to new path.");
    m_pWaitingMovie = new QMovie(QStringLiteral(":/Gearbay/Image/Gearbai/waiting.gif"), QByteArray(), this);
    ui->waitingLabel->setMovie(m_pWaitingMovie);
    ui->waitingLabel->hide();
    ui->closeSoftwareCheckBox->hide();

    m_pTipTimer = new QTimer(this);
    m_pTipTimer->setSingleShot(true);
    m_pCheckTimer = new QTimer(this);
    m_pCheckTimer->setSingleShot(true);
    m_pManagerProcessTimer = new QTimer(this);
    m_pMaterialProcessTimer = new QTimer(this);

    // The version line uses the timers: set it only once they exist.
    onTimeOut();
    ui->versionTextLabel->setText(
        QStringLiteral("V") + vellum::ConvertToUnicode(catalog->currentVersion(kProgramKey)));
    if (catalog->isNeedUpdate(kProgramKey) == 1)
        showVersionNew();
    else
        showVersionIdle();

    connect(ui->changePathBtn, &QPushButton::clicked, this, &SystemConfigWidget::onSelectDownloadPath);
    connect(
        ui->closeSoftwareCheckBox, &QCheckBox::stateChanged, this, &SystemConfigWidget::onIsClosedOpenTools);
    connect(m_pTipTimer, &QTimer::timeout, this, &SystemConfigWidget::onTimeOut);
    connect(m_pCheckTimer, &QTimer::timeout, this, &SystemConfigWidget::onUpdateTimeOut);
    connect(m_pManagerProcessTimer, &QTimer::timeout, this, &SystemConfigWidget::onManagerProcessTimeOut);
    connect(m_pMaterialProcessTimer, &QTimer::timeout, this, &SystemConfigWidget::onMaterialProcessTimeOut);
    connect(ui->checkUpdateBtn, &QPushButton::clicked, this, &SystemConfigWidget::onStartCheckUpdate);
    connect(ui->updateBtn, &QPushButton::clicked, this, &SystemConfigWidget::onUpdateBtnClicked);
    connect(ui->seeAboutBtn, &QPushButton::clicked, this, &SystemConfigWidget::onOpenLicense);
    // Any value but 0 loads the Chinese translation at start.
    ui->languageComboBox->setCurrentIndex(store->translator() == 0 ? 0 : 1);
    connect(ui->languageComboBox, QOverload<int>::of(&QComboBox::activated), this,
        &SystemConfigWidget::onLanguageChosen);

    m_folderChooser = [](QWidget *dialogParent) {
        const QString strCurrent = ConfigureStore::instance()->downloadPath();
        return QFileDialog::getExistingDirectory(dialogParent, tr("DownloadPath"),
            QFileInfo(strCurrent).isDir() ? strCurrent : QDir::currentPath(), QFileDialog::ShowDirsOnly);
    };
    installEventFilter(this);
}

SystemConfigWidget::~SystemConfigWidget()
{
    delete ui;
}

void SystemConfigWidget::setFolderChooser(FolderChooser chooser)
{
    m_folderChooser = std::move(chooser);
}

bool SystemConfigWidget::eventFilter(QObject *watched, QEvent *event)
{
    // The popup closes when another window is activated, but not while its own folder dialog is up
    // or the tools are being copied.
    if (watched == this && event->type() == QEvent::WindowDeactivate && m_bNotChoosing && m_bNotCopying)
        hide();
    return FramelessWidget::eventFilter(watched, event);
}

void SystemConfigWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_bNotChoosing && m_bNotCopying) {
        hide();
        if (parentWidget() != nullptr)
            parentWidget()->window()->activateWindow();
        return;
    }
    FramelessWidget::keyPressEvent(event);
}

// --- tip line and version line ------------------------------------------------------------------

void SystemConfigWidget::showTipError(const QString &strText, int iMilliseconds)
{
    ui->tipLabel->setStyleSheet(QLatin1String(kErrorIcon));
    ui->tipTextLabel->setText(strText);
    m_pTipTimer->start(iMilliseconds);
}

void SystemConfigWidget::onTimeOut()
{
    ui->tipLabel->setStyleSheet(QLatin1String(kTipIcon));
    ui->tipTextLabel->setText(m_strDefaultTip);
}

void SystemConfigWidget::showVersionIdle()
{
    ui->newVersionLabel->hide();
    ui->updateBtn->hide();
    ui->checkUpdateBtn->show();
}

void SystemConfigWidget::showVersionNew()
{
    m_pCheckTimer->stop();
    ui->checkUpdateBtn->hide();
    ui->updateBtn->show();
    ui->newVersionLabel->setText(tr("check new version!"));
    ui->newVersionLabel->show();
}

void SystemConfigWidget::showVersionMessage(const QString &strText)
{
    ui->updateBtn->hide();
    ui->checkUpdateBtn->hide();
    ui->newVersionLabel->setText(strText);
    ui->newVersionLabel->show();
    if (strText == tr("checking..."))
        m_pCheckTimer->stop();
    else
        m_pCheckTimer->start(kTipMs);
}

void SystemConfigWidget::onUpdateTimeOut()
{
    showVersionIdle();
}

// --- download path ------------------------------------------------------------------------------

bool SystemConfigWidget::anyInstalledToolRunning() const
{
    ToolCatalog *catalog = ToolCatalog::instance();
    for (const ToolState &state : qAsConst(catalog->toolStates())) {
        if (state.ToolKey == kMaterialKey || state.ToolKey == kProgramKey || state.IsDownload != 1)
            continue;
        const auto info = catalog->toolInfos().constFind(state.ToolKey);
        if (info == catalog->toolInfos().cend() || info->ExeName.empty())
            continue;
        if (isProcessRunning(vellum::ConvertToUnicode(info->ExeName)))
            return true;
    }
    return false;
}

void SystemConfigWidget::onSelectDownloadPath()
{
    const auto emRefusal
        = DownloadPathMove::refusalBeforeChoosing(m_iDownloadingCount, anyInstalledToolRunning());
    if (emRefusal == DownloadPathMove::Refusal::Downloading) {
        showTipError(tr("Cannot change path while downloading."));
        return;
    }
    if (emRefusal == DownloadPathMove::Refusal::ToolRunning) {
        showTipError(tr("Please close open tools."));
        return;
    }

    m_bNotChoosing = false;
    QPointer<SystemConfigWidget> guard(this);
    const QString strChosen = QDir::toNativeSeparators(m_folderChooser ? m_folderChooser(this) : QString());
    if (!guard)
        return;
    m_bNotChoosing = true;
    if (strChosen.isEmpty())
        return;

    switch (DownloadPathMove::refusalForTarget(m_strDownloadPath, strChosen, diskFreeSpaceGB(strChosen))) {
    case DownloadPathMove::Refusal::LowDiskSpace:
        showTipError(tr("Disk free space less than 2G."));
        return;
    case DownloadPathMove::Refusal::NestedTarget:
        showTipError(tr("The new path cannot be the current path or lie inside its tools."));
        return;
    default:
        break;
    }
    moveTools(strChosen);
}

bool SystemConfigWidget::runOffGuiThread(const std::function<bool()> &job)
{
    QFutureWatcher<bool> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcher<bool>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(job));
    // Events keep flowing (the transparent cover blocks input); the job touches no widget.
    if (!watcher.isFinished())
        loop.exec();
    return watcher.result();
}

void SystemConfigWidget::moveTools(const QString &strNewPath)
{
    ui->waitingLabel->show();
    m_pWaitingMovie->start();
    ui->changePathBtn->setEnabled(false);
    emit signalTransCover(true);

    const QString strSource
        = m_strDownloadPath.isEmpty() ? QString() : m_strDownloadPath + QStringLiteral("/SubTools");
    DownloadPathMove move(strSource, strNewPath + QStringLiteral("/SubTools"));
    const bool bCopied = runOffGuiThread([this, &move] {
        m_bNotCopying = false;
        const bool bOk = move.copy();
        m_bNotCopying = true;
        emit signalCopyCompleted();
        return bOk;
    });

    if (!bCopied) {
        showTipError(tr("Download path save fail.") + QLatin1Char(' ') + move.lastError(), kReasonTipMs);
    } else if (!ConfigureStore::instance()->setDownloadPath(strNewPath)) {
        // The file still names the old path, where every tool still is: take the copy back. The
        // store keeps even a value it could not save, so it is given the old path again as well.
        ConfigureStore::instance()->setDownloadPath(m_strDownloadPath);
        runOffGuiThread([&move] {
            move.rollback();
            return true;
        });
        showTipError(tr("Download path save fail.") + QLatin1Char(' ')
                + tr("The settings file %1 cannot be written.")
                      .arg(QDir::toNativeSeparators(ConfigureStore::instance()->filePath())),
            kReasonTipMs);
    } else {
        // Only now, with the setting pointing at the checked copy, may the originals go.
        if (!runOffGuiThread([&move] { return move.removeSource(); }))
            qWarning().noquote() << "pellamar== old tools left behind:" << move.lastError();
        m_strDownloadPath = strNewPath;
        ui->pathTextLabel->setText(strNewPath);
        ui->pathTextLabel->setToolTip(strNewPath);
    }

    ui->waitingLabel->hide();
    m_pWaitingMovie->stop();
    ui->changePathBtn->setEnabled(true);
    emit signalTransCover(false);
}

void SystemConfigWidget::onIsClosedOpenTools()
{
    const int iWanted = ui->closeSoftwareCheckBox->isChecked() ? 1 : 0;
    if (ConfigureStore::instance()->setIsCloseOpenTools(iWanted)) {
        m_iCloseOpenTools = iWanted;
    } else {
        // The store remembers even a value it could not save; the old one goes back there too.
        ConfigureStore::instance()->setIsCloseOpenTools(m_iCloseOpenTools);
        showTipError(tr("save fail."));
    }
    const QSignalBlocker blocker(ui->closeSoftwareCheckBox);
    ui->closeSoftwareCheckBox->setChecked(m_iCloseOpenTools != 0);
}

void SystemConfigWidget::onOpenLicense()
{
    const QString strFolder
        = QCoreApplication::applicationDirPath() + QStringLiteral("/Open Source Software Licenses");
    if (QFileInfo(strFolder).isDir() && QDesktopServices::openUrl(QUrl::fromLocalFile(strFolder)))
        return;
    emit signalCover(true);
    TipDialog::showTip(QLatin1String(kNoticeIcon),
        tr("Open Open Source Software Licenses file directory failed.") + QLatin1Char('\n')
            + tr("The licence texts are in: %1").arg(QDir::toNativeSeparators(strFolder)),
        tr("OK"), tr("Cancel"), false, this);
    emit signalCover(false);
}

// --- self-update and catalog refresh -----------------------------------------------------------

void SystemConfigWidget::onDownloadingCount(int count)
{
    m_iDownloadingCount = count;
}

void SystemConfigWidget::onStartCheckUpdate()
{
    m_bChecking = true;
    showVersionMessage(tr("checking..."));
    emit signalToServer(AskVersion, { kMaterialKey });
}

void SystemConfigWidget::onServerResponded(int method, QMap<int, QString> toolkeyToServerValue)
{
    switch (method) {
    case DownloadMaterial:
        onMaterialDownloadAnswer(toolkeyToServerValue);
        break;
    case DownloadManageTool:
        onProgramDownloadAnswer(toolkeyToServerValue);
        break;
    case DownloadProgress:
        if (toolkeyToServerValue.contains(kMaterialKey))
            onMaterialProgressAnswer(toolkeyToServerValue.value(kMaterialKey));
        if (toolkeyToServerValue.contains(kProgramKey))
            onProgramProgressAnswer(toolkeyToServerValue.value(kProgramKey));
        break;
    case AskVersion:
        onVersionAnswer(toolkeyToServerValue);
        break;
    default:
        break;
    }
}

void SystemConfigWidget::endMaterialCheck()
{
    m_pMaterialProcessTimer->stop();
    m_bChecking = false;
}

void SystemConfigWidget::onVersionAnswer(const QMap<int, QString> &values)
{
    ToolCatalog *catalog = ToolCatalog::instance();
    const bool bHasKey = values.contains(kMaterialKey);
    const QString strVersion = values.value(kMaterialKey);
    const auto emStep = UpdateRules::versionStep(
        bHasKey, strVersion, catalog->currentVersion(kMaterialKey), catalog->isNeedUpdate(kProgramKey));
    if (bHasKey && !strVersion.isEmpty())
        m_strNewVersion = strVersion;
    switch (emStep) {
    case UpdateRules::VersionStep::Ignore:
        return;
    case UpdateRules::VersionStep::CheckFailed:
        endMaterialCheck();
        showVersionMessage(tr("check failed"));
        return;
    case UpdateRules::VersionStep::DownloadMaterial:
        emit signalToServer(DownloadMaterial, { kMaterialKey });
        return;
    case UpdateRules::VersionStep::OfferProgram:
        endMaterialCheck();
        showVersionNew();
        return;
    case UpdateRules::VersionStep::NoNewVersion:
        endMaterialCheck();
        showVersionMessage(tr("There are no new version"));
        return;
    }
}

void SystemConfigWidget::onMaterialDownloadAnswer(const QMap<int, QString> &values)
{
    switch (UpdateRules::materialDownloadStep(values.contains(kMaterialKey), values.value(kMaterialKey))) {
    case UpdateRules::MaterialStep::KeepPolling:
        m_pMaterialProcessTimer->start(kPollMs);
        break;
    case UpdateRules::MaterialStep::NoMaterial:
        endMaterialCheck();
        showVersionMessage(tr("server no material files."));
        break;
    default:
        endMaterialCheck();
        showVersionMessage(tr("check failed"));
        break;
    }
}

void SystemConfigWidget::onMaterialProcessTimeOut()
{
    emit signalToServer(DownloadProgress, { kMaterialKey });
}

void SystemConfigWidget::onMaterialProgressAnswer(const QString &strValue)
{
    const auto emStep = UpdateRules::materialProgressStep(strValue);
    if (emStep == UpdateRules::MaterialStep::KeepPolling)
        return;
    // Only the answer that ends the download ends the check: a check the user started stays the
    // user's (and shows no restart message) however many progress answers come first.
    const bool bUserCheck = m_bChecking;
    endMaterialCheck();
    if (emStep == UpdateRules::MaterialStep::NoMaterial) {
        showVersionMessage(tr("server no material files."));
        return;
    }
    if (emStep == UpdateRules::MaterialStep::Failed) {
        showVersionMessage(tr("check failed"));
        return;
    }

    ToolCatalog *catalog = ToolCatalog::instance();
    catalog->setCurrentVersion(kMaterialKey, vellum::ConvertFromUnicode(m_strNewVersion));
    if (!bUserCheck)
        emit signalHaveNewMaterial();

    const auto temp
        = loadTemporaryCatalog() ? m_mapTempToolInfos.constFind(kProgramKey) : m_mapTempToolInfos.cend();
    if (temp != m_mapTempToolInfos.cend() && temp->Version != catalog->currentVersion(kProgramKey)) {
        showVersionNew();
        emit signalRigWardenNew();
        catalog->setSelfDownloadUrl(catalog->language() == 1 ? temp->DownloadCHUrl : temp->DownloadENUrl);
    } else {
        showVersionMessage(tr("There are no new version"));
    }
}

bool SystemConfigWidget::loadTemporaryCatalog()
{
    m_mapTempToolInfos.clear();
    const QString strFile
        = ToolCatalog::instance()->baseDir() + QStringLiteral("/ToolsFileTemp/ToolsInfoList.xml");
    vellum::GenericDS root;
    if (!QFileInfo::exists(strFile) || !root.loadXML(strFile))
        return false;
    const int iCount = root.GetChildrenCount();
    for (int i = 0; i < iCount; ++i) {
        const ToolInfo info = ToolInfo::fromXml(root.GetChild(i));
        m_mapTempToolInfos.insert(info.ToolKey, info);
    }
    return true;
}

void SystemConfigWidget::onUpdateBtnClicked()
{
    if (m_iDownloadingCount != 0) {
        showTipError(tr("Cannot update Rig Warden while downloading."));
        return;
    }
    onReUpdate();
}

void SystemConfigWidget::onReUpdate()
{
    emit signalToServer(DownloadManageTool, { kProgramKey });
    emit signalStartUpdateManagerTool();
}

void SystemConfigWidget::onProgramDownloadAnswer(const QMap<int, QString> &values)
{
    if (!values.contains(kProgramKey))
        return;
    if (UpdateRules::programDownloadAccepted(values.value(kProgramKey))) {
        m_pManagerProcessTimer->start(kPollMs);
        return;
    }
    m_pManagerProcessTimer->stop();
    emit signalUpdateFailed(values.value(kProgramKey).toInt());
}

void SystemConfigWidget::onManagerProcessTimeOut()
{
    emit signalToServer(DownloadProgress, { kProgramKey });
}

void SystemConfigWidget::onProgramProgressAnswer(const QString &strValue)
{
    const UpdateRules::ProgramProgress progress = UpdateRules::programProgress(strValue);
    switch (progress.emAction) {
    case UpdateRules::ProgramProgress::Show:
        emit signalSetUpdateProgress(progress.iShown);
        break;
    case UpdateRules::ProgramProgress::Complete:
        m_pManagerProcessTimer->stop();
        emit signalSetUpdateProgress(progress.iShown);
        break;
    case UpdateRules::ProgramProgress::Fail:
        m_pManagerProcessTimer->stop();
        emit signalUpdateFailed(strValue.toInt());
        break;
    }
}

void SystemConfigWidget::onUpdateCompleted()
{
    m_pManagerProcessTimer->stop();
    showVersionMessage(tr("Version have updated, please restart software"));
    ToolCatalog *catalog = ToolCatalog::instance();
    if (m_mapTempToolInfos.isEmpty())
        loadTemporaryCatalog();
    // The version the downloaded program carries: the waiting catalog's, else the current catalog's.
    auto temp = m_mapTempToolInfos.constFind(kProgramKey);
    if (temp != m_mapTempToolInfos.cend()) {
        catalog->setCurrentVersion(kProgramKey, temp->Version);
    } else {
        const auto info = catalog->toolInfos().constFind(kProgramKey);
        if (info != catalog->toolInfos().cend())
            catalog->setCurrentVersion(kProgramKey, info->Version);
    }
}

void SystemConfigWidget::onUpdateCancel()
{
    m_pManagerProcessTimer->stop();
    emit signalToServer(CancelDownload, { kProgramKey });
}

// --- language -----------------------------------------------------------------------------------

void SystemConfigWidget::onLanguageChosen(int iIndex)
{
    ConfigureStore *store = ConfigureStore::instance();
    const int iCurrent = store->translator() == 0 ? 0 : 1;
    if (iIndex == iCurrent)
        return;
    if (!store->setValue(ConfigKey::Translator, QString::number(iIndex))) {
        ui->languageComboBox->setCurrentIndex(iCurrent);
        showTipError(tr("save fail."));
        return;
    }
    emit signalLanguageChanged();
}

} // namespace gearbay
