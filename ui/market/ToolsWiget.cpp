#include "ToolsWiget.h"

#include "CardSlot.h"
#include "FlowLayout.h"
#include "StringConvert.h"
#include "SubToolWidget.h"
#include "ToolCatalog.h"
#include "ui_ToolsWiget.h"

#include <QApplication>
#include <QEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>

namespace gearbay {

namespace {
// Cards kept built at most (a card costs far more than its slot); idle ones beyond it are recycled.
constexpr int kMaxBuiltCards = 300;
// The cards' own look. The application style sheet may refine it; these rules keep the cards
// readable when it says nothing about them.
const char *const kCardStyle = R"(
gearbay--SubToolWidget { background: #FFFFFF; border: 1px solid #EBEBEB; border-radius: 4px; }
gearbay--SubToolWidget:hover { border: 1px solid #D5D8D8; }
QPushButton#toolName { border: none; background: transparent; color: #333333; font-size: 14px;
    font-weight: bold; padding: 0; }
QPushButton#toolName:hover { color: #FA3239; }
QLabel#toolInfoTextedit { color: #999999; font-size: 12px; }
QPushButton#downLoadBtn { background: #FA3239; color: #FFFFFF; border: none; border-radius: 2px;
    font-size: 14px; }
QPushButton#downLoadBtn:hover { background: #FF4B52; }
QPushButton#downLoadBtn:pressed { background: #E02A31; }
QPushButton#OpenBtn { background: #FFFFFF; color: #FA3239; border: 1px solid #FA3239; border-radius: 2px;
    font-size: 14px; }
QPushButton#OpenBtn:hover { background: #FFF0F0; }
QPushButton#OpenBtn:pressed { background: #FFE0E0; }
QPushButton#refreshBtn, QPushButton#cancelBtn { border: none; background: transparent; }
)";
} // namespace

ToolsWiget::ToolsWiget(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ToolsWiget)
{
    ui->setupUi(this);
    setStyleSheet(kCardStyle);
    m_pCardLayer = new QWidget(this);
    m_pCardLayer->setObjectName("cardLayer");

    // Filled before it becomes the grid's layout, so adding thousands of slots asks for no layout pass.
    m_pLayout = new vellum::FlowLayout(nullptr, 0, 16, 16);
    m_pLayout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pLayout->setContentsMargins(16, 0, 6, 0);

    // The catalog map is ordered by key, so the cards appear in ascending key order.
    const QMap<int, ToolInfo> &infos = ToolCatalog::instance()->toolInfos();
    m_vectSlots.reserve(infos.size());
    m_hashSlots.reserve(infos.size());
    for (auto it = infos.constBegin(); it != infos.constEnd(); ++it) {
        if (it.value().ToolKey == 0 || it.value().ToolKey == 1 || it.key() == 0 || it.key() == 1)
            continue;
        auto *slot = new CardSlot(it.key(), m_vectSlots.size());
        m_vectSlots.append(slot);
        m_hashSlots.insert(it.key(), slot);
        m_pLayout->addItem(slot);
    }
    m_iShown = m_vectSlots.size();
    setLayout(m_pLayout);

    // Answers and reports go to the one card they name instead of to every card.
    connect(this, &ToolsWiget::signalServerResponded, this, &ToolsWiget::onServerResponded);
    connect(this, &ToolsWiget::signalSubToolsStateChanged, this, &ToolsWiget::onSubToolsStateChanged);
    connect(
        this, &ToolsWiget::signalWaitingToolsStartDownload, this, &ToolsWiget::onWaitingToolsStartDownload);
    connect(this, &ToolsWiget::signalClose, this, &ToolsWiget::onClose);
}

ToolsWiget::~ToolsWiget()
{
    delete ui;
}

SubToolWidget *ToolsWiget::card(int iKey)
{
    CardSlot *slot = m_hashSlots.value(iKey, nullptr);
    if (slot == nullptr)
        return nullptr;
    return slot->card() != nullptr ? slot->card() : buildCard(slot);
}

SubToolWidget *ToolsWiget::buildCard(CardSlot *slot)
{
    auto *card = new SubToolWidget(slot->toolKey(), m_pCardLayer);
    m_vectCards.append(card);
    prepareCard(card);
    slot->setCard(card);
    return card;
}

void ToolsWiget::prepareCard(SubToolWidget *card)
{
    connect(card, &SubToolWidget::signalShowMoreInfoWidget, this, &ToolsWiget::signalShowMoreInfoWidget);
    connect(card, &SubToolWidget::signalDownload, this, &ToolsWiget::signalDownload);
    connect(card, &SubToolWidget::signalCover, this, &ToolsWiget::signalCover);
    connect(card, &SubToolWidget::signalToMainPage, this, &ToolsWiget::signalToMainPage);
}

void ToolsWiget::onServerResponded(int iMethod, const QMap<int, QString> &mapToolkeyToServerValue)
{
    for (auto it = mapToolkeyToServerValue.constBegin(); it != mapToolkeyToServerValue.constEnd(); ++it) {
        if (SubToolWidget *pCard = card(it.key()))
            pCard->onServerResponded(iMethod, mapToolkeyToServerValue);
    }
}

void ToolsWiget::onSubToolsStateChanged(ToolCurrentState enumType, int iKey)
{
    if (SubToolWidget *pCard = card(iKey))
        pCard->onSubToolsStateChanged(enumType, iKey);
}

void ToolsWiget::onWaitingToolsStartDownload(int iKey)
{
    if (SubToolWidget *pCard = card(iKey))
        pCard->onWaitingToolsStartDownload(iKey);
}

void ToolsWiget::onClose()
{
    // A card never built never started its tool.
    for (SubToolWidget *pCard : qAsConst(m_vectCards))
        pCard->onClose();
}

void ToolsWiget::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_pScrollArea.isNull()) {
        for (QWidget *ancestor = parentWidget(); ancestor != nullptr; ancestor = ancestor->parentWidget()) {
            if (auto *area = qobject_cast<QScrollArea *>(ancestor)) {
                m_pScrollArea = area;
                connect(area->verticalScrollBar(), &QScrollBar::valueChanged, this,
                    &ToolsWiget::buildCardsNearView);
                // A taller window shows more rows without the grid changing size.
                area->viewport()->installEventFilter(this);
                break;
            }
        }
    }
    // The cards in view belong in the first frame; later layout passes may uncover more.
    buildCardsNearView();
    scheduleBuild();
}

void ToolsWiget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_pCardLayer->setGeometry(rect());
    scheduleBuild();
}

bool ToolsWiget::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && !m_pScrollArea.isNull() && watched == m_pScrollArea->viewport())
        scheduleBuild();
    return QWidget::eventFilter(watched, event);
}

void ToolsWiget::scheduleBuild()
{
    if (m_bBuildPending)
        return;
    m_bBuildPending = true;
    QTimer::singleShot(0, this, [this] {
        m_bBuildPending = false;
        buildCardsNearView();
    });
}

void ToolsWiget::buildCardsNearView()
{
    if (!isVisible())
        return;
    QRect area = rect();
    if (!m_pScrollArea.isNull()) {
        QWidget *viewport = m_pScrollArea->viewport();
        const QRect view(mapFrom(viewport, QPoint(0, 0)), viewport->size());
        // A viewport's height either side, so a normal scroll step finds its cards ready.
        area = view.adjusted(0, -view.height(), 0, view.height()).intersected(rect());
    }
    if (area.isEmpty())
        return;
    for (CardSlot *slot : qAsConst(m_vectSlots)) {
        if (!slot->isShown() || !slot->geometry().isValid())
            continue;
        // Shown slots are placed row by row, so nothing after the first slot below the area is in it.
        if (slot->geometry().top() > area.bottom())
            break;
        if (slot->card() == nullptr && slot->geometry().intersects(area))
            buildCard(slot);
    }
    if (m_vectCards.size() > kMaxBuiltCards)
        recycleCardsFarFrom(area);
}

void ToolsWiget::recycleCardsFarFrom(const QRect &area)
{
    const QRect keep = area.adjusted(0, -area.height(), 0, area.height());
    QWidget *focus = QApplication::focusWidget();
    // The oldest first, and only as many as the bound asks: a scroll step then frees about as many
    // cards as it built, never hundreds at once.
    int iExcess = m_vectCards.size() - kMaxBuiltCards;
    QVector<SubToolWidget *> kept;
    kept.reserve(m_vectCards.size());
    for (SubToolWidget *pCard : qAsConst(m_vectCards)) {
        CardSlot *slot = m_hashSlots.value(pCard->toolKey(), nullptr);
        // A card hidden by the search is kept: clearing the search must find it as it was.
        const bool bFar = slot != nullptr && slot->isShown() && !slot->geometry().intersects(keep);
        if (iExcess <= 0 || !bFar || !pCard->isIdle() || (focus != nullptr && pCard->isAncestorOf(focus))) {
            kept.append(pCard);
            continue;
        }
        --iExcess;
        slot->setCard(nullptr);
        pCard->hide();
        pCard->deleteLater();
    }
    m_vectCards = kept;
}

QString ToolsWiget::searchForm(const QString &strText)
{
    return strText.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

void ToolsWiget::prepareSearch()
{
    // Made when the search field is first used only: most sessions never search.
    if (!m_vectSearchTexts.isEmpty() || m_vectSlots.isEmpty())
        return;
    ToolCatalog *catalog = ToolCatalog::instance();
    m_vectSearchTexts.reserve(m_vectSlots.size());
    const QChar sep(0x1F); // between the fields, so no match spans two of them
    for (CardSlot *slot : qAsConst(m_vectSlots)) {
        const ToolInfo &info = catalog->findInfo(slot->toolKey()).value();
        m_vectSearchTexts.append(searchForm(vellum::ConvertToUnicode(info.ToolCHName) + sep
            + vellum::ConvertToUnicode(info.ToolENName) + sep + vellum::ConvertToUnicode(info.BriefCHIntro)
            + sep + vellum::ConvertToUnicode(info.BriefENIntro)));
    }
}

int ToolsWiget::setFilter(const QString &strText)
{
    const QString strForm = searchForm(strText.trimmed());
    if (strForm == m_strFilter)
        return m_iShown;
    if (!strForm.isEmpty())
        prepareSearch();
    // Typing on narrows the last result: only the tools shown now can still match.
    const bool bNarrowing = !m_strFilter.isEmpty() && strForm.contains(m_strFilter);
    int iShown = 0;
    for (CardSlot *slot : qAsConst(m_vectSlots)) {
        if (bNarrowing && !slot->isShown())
            continue;
        const bool bShow = strForm.isEmpty() || m_vectSearchTexts.at(slot->index()).contains(strForm);
        if (bShow != slot->isShown())
            slot->setShown(bShow);
        iShown += bShow ? 1 : 0;
    }
    m_strFilter = strForm;
    m_iShown = iShown;
    m_pLayout->invalidate();
    m_pLayout->activate();
    buildCardsNearView();
    scheduleBuild();
    return iShown;
}

} // namespace gearbay
