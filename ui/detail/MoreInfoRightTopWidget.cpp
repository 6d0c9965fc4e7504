#include "MoreInfoRightTopWidget.h"

#include "ui_MoreInfoRightTopWidget.h"

#include "StringConvert.h"
#include "ToolCatalog.h"

#include <QFontMetrics>

namespace gearbay {

namespace {

const int kLineWidth = 768;

} // namespace

MoreInfoRightTopWidget::MoreInfoRightTopWidget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::MoreInfoRightTopWidget)
{
    ui->setupUi(this);
    setFixedWidth(kLineWidth);
    connect(ui->introMoreBtn, &QPushButton::clicked, this, &MoreInfoRightTopWidget::onIntroMoreClicked);
    connect(ui->updateMoreBtn, &QPushButton::clicked, this, &MoreInfoRightTopWidget::onUpdateMoreClicked);
}

MoreInfoRightTopWidget::~MoreInfoRightTopWidget()
{
    delete ui;
}

bool MoreInfoRightTopWidget::needsUpdate() const
{
    ToolCatalog *pCatalog = ToolCatalog::instance();
    const auto it = pCatalog->findState(m_toolInfo.ToolKey);
    return it != pCatalog->toolStates().end() && it->IsNeedUpdate != 0;
}

void MoreInfoRightTopWidget::setToolInfo(const ToolInfo &info)
{
    m_toolInfo = info;
    ToolCatalog *pCatalog = ToolCatalog::instance();
    const QString strName = vellum::ConvertToUnicode(pCatalog->toolName(info.ToolKey));
    // The style sheet sets the label's font; measure with that font, not the default one.
    ensurePolished();
    ui->toolName->ensurePolished();
    ui->introTextLabel->ensurePolished();
    const QString strShown = ui->toolName->fontMetrics().elidedText(strName, Qt::ElideRight, kLineWidth);
    ui->toolName->setText(strShown);
    ui->toolName->setToolTip(strShown == strName ? QString() : strName);
    m_strIntro = vellum::ConvertToUnicode(pCatalog->briefIntro(info.ToolKey));
    m_strUpdate = vellum::ConvertToUnicode(pCatalog->updateIntro(info.ToolKey));
    ui->updateTittle->setText(tr("Update info"));
    m_iIntroLines = 1;
    m_bIntroExpanded = false;
    m_bUpdateExpanded = false;
    ui->introMoreBtn->setText(tr("...more"));
    ui->updateMoreBtn->setText(tr("...more"));

    if (!needsUpdate()) {
        ui->updateWidget->hide();
        m_iIntroLines = 4;
    } else {
        ui->updateWidget->show();
        ui->updateTextLabel->hide();
    }
    ui->updateTextLabel->setText(m_strUpdate);
    layoutIntro();
}

void MoreInfoRightTopWidget::paintEvent(QPaintEvent *event)
{
    layoutIntro();
    QWidget::paintEvent(event);
}

void MoreInfoRightTopWidget::layoutIntro()
{
    const QFontMetrics metrics = ui->introTextLabel->fontMetrics();
    // Line breaks in the catalog text would make the one-line measure too short.
    QString strFlat = m_strIntro;
    strFlat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const int iSingleLine = metrics.horizontalAdvance(strFlat);
    QString strShown;
    if (iSingleLine < m_iIntroLines * kLineWidth) {
        strShown = m_strIntro;
        if (m_iIntroLines < 5)
            ui->introMoreBtn->hide();
    } else {
        // A little short of the full lines, so the ellipsis never wraps onto a line of its own.
        const double dLines = m_iIntroLines > 1 ? m_iIntroLines - 0.2 : m_iIntroLines;
        strShown = metrics.elidedText(strFlat, Qt::ElideRight, int(dLines * kLineWidth));
        ui->introMoreBtn->show();
    }
    if (ui->introTextLabel->text() != strShown)
        ui->introTextLabel->setText(strShown);
}

void MoreInfoRightTopWidget::onIntroMoreClicked()
{
    m_bIntroExpanded = !m_bIntroExpanded;
    if (m_bIntroExpanded) {
        m_iIntroLines = 100;
        ui->introMoreBtn->setText(tr("return"));
    } else {
        m_iIntroLines = needsUpdate() ? 1 : 4;
        ui->introMoreBtn->setText(tr("...more"));
    }
    layoutIntro();
    update();
}

void MoreInfoRightTopWidget::onUpdateMoreClicked()
{
    m_bUpdateExpanded = !m_bUpdateExpanded;
    ui->updateTextLabel->setVisible(m_bUpdateExpanded);
    ui->updateMoreBtn->setText(m_bUpdateExpanded ? tr("return") : tr("...more"));
}

} // namespace gearbay
