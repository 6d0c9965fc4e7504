#include "HelpWidget.h"

#include "ui_HelpWidget.h"

#include "../main/TipDialog.h"
#include "TipDialogWithButtom.h"

#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>

namespace gearbay {

namespace {

HelpWidget::UrlOpener &urlOpener()
{
    static HelpWidget::UrlOpener opener;
    return opener;
}

bool openUrl(const QUrl &url)
{
    if (urlOpener())
        return urlOpener()(url);
    return QDesktopServices::openUrl(url);
}

// Start-up makes the program folder the working directory.
QString programFolder()
{
    return QDir::currentPath();
}

} // namespace

HelpWidget::HelpWidget(QWidget *parent)
    : FramelessWidget(parent)
    , ui(new Ui::HelpWidget)
{
    ui->setupUi(this);
    installEventFilter(this);
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    ui->manualLabel->setPixmap(QPixmap(QStringLiteral(":/Gearbay/Image/Gearbai/icon/ic_file.png")));
    ui->licenseLabel->setPixmap(QPixmap(QStringLiteral(":/Gearbay/Image/Gearbai/icon/ic_license.png")));
    ui->m_manualButton->setText(tr("user manual(F1)"));
    ui->m_licenseButon->setText(tr("License"));
    ui->m_manualButton->setCursor(Qt::PointingHandCursor);
    ui->m_licenseButon->setCursor(Qt::PointingHandCursor);
    connect(ui->m_manualButton, &QPushButton::clicked, this, &HelpWidget::onManualButtonClicked);
    connect(ui->m_licenseButon, &QPushButton::clicked, this, &HelpWidget::onLicenseButtonClicked);
}

HelpWidget::~HelpWidget()
{
    delete ui;
}

QString HelpWidget::manualPath()
{
    // Each language names its own manual through the translation of this text.
    return programFolder() + tr("/help.pdf");
}

QString HelpWidget::licenseFolderPath()
{
    return programFolder() + QStringLiteral("/Open Source Software Licenses");
}

void HelpWidget::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

bool HelpWidget::eventFilter(QObject *watched, QEvent *event)
{
    // A click anywhere else closes the popup.
    if (watched == this && event->type() == QEvent::WindowDeactivate)
        hide();
    return FramelessWidget::eventFilter(watched, event);
}

void HelpWidget::showManualMessage(const QString &strText)
{
    emit signalCover(true);
    TipDialog::showTip(QStringLiteral(":/Gearbay/Image/Gearbai/icon/notice.png"), strText, tr("OK"), tr("Cancel"),
                       false, this);
    emit signalCover(false);
}

void HelpWidget::onManualButtonClicked()
{
    const QFileInfo manual(manualPath());
    if (!manual.exists() || !manual.isFile() || manual.suffix() != QLatin1String("pdf")) {
        showManualMessage(tr("No user manual found."));
        return;
    }
    // Usually no program for PDF files is installed: the user can still open the file by hand.
    if (!openUrl(QUrl::fromLocalFile(manual.absoluteFilePath())))
        showManualMessage(tr("Open User's Manual fail.") + QLatin1Char('\n')
            + tr("No program opened it. The manual is here: %1").arg(QDir::toNativeSeparators(manual.absoluteFilePath())));
}

void HelpWidget::onLicenseButtonClicked()
{
    const QString strFolder = licenseFolderPath();
    if (!QFileInfo(strFolder).isDir() || !openUrl(QUrl::fromLocalFile(strFolder)))
        vellum::TipDialogWithButtom::showWarnMessageInfo(tr("License"),
            tr("Open Open Source Software Licenses file directory failed.") + QLatin1Char('\n')
                + tr("The licence texts are in: %1").arg(QDir::toNativeSeparators(strFolder)),
            parentWidget());
}

} // namespace gearbay
