#include "ToolsWiget.h"

#include "FlowLayout.h"
#include "SubToolWidget.h"
#include "ToolCatalog.h"
#include "ui_ToolsWiget.h"

namespace gearbay {

namespace {
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

    auto *layout = new vellum::FlowLayout(this, 0, 16, 16);
    layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->setContentsMargins(16, 0, 6, 0);
    setLayout(layout);

    // The catalog map is ordered by key, so the cards appear in ascending key order.
    const QMap<int, ToolInfo> &infos = ToolCatalog::instance()->toolInfos();
    for (auto it = infos.constBegin(); it != infos.constEnd(); ++it) {
        if (it.value().ToolKey == 0 || it.value().ToolKey == 1 || it.key() == 0 || it.key() == 1)
            continue;
        auto *card = new SubToolWidget(it.key(), this);
        m_vectCards.append(card);
        layout->addWidget(card);

        connect(card, &SubToolWidget::signalShowMoreInfoWidget, this, &ToolsWiget::signalShowMoreInfoWidget);
        connect(card, &SubToolWidget::signalDownload, this, &ToolsWiget::signalDownload);
        connect(card, &SubToolWidget::signalCover, this, &ToolsWiget::signalCover);
        connect(card, &SubToolWidget::signalToMainPage, this, &ToolsWiget::signalToMainPage);
        connect(this, &ToolsWiget::signalServerResponded, card, &SubToolWidget::onServerResponded);
        connect(this, &ToolsWiget::signalClose, card, &SubToolWidget::onClose);
        connect(this, &ToolsWiget::signalSubToolsStateChanged, card, &SubToolWidget::onSubToolsStateChanged);
        connect(this, &ToolsWiget::signalWaitingToolsStartDownload, card,
                &SubToolWidget::onWaitingToolsStartDownload);
    }
}

ToolsWiget::~ToolsWiget()
{
    delete ui;
}

} // namespace gearbay
