#include "FlowLayout.h"

#include <QWidget>

#include <algorithm>

namespace vellum {

FlowLayout::FlowLayout(QWidget *parent, int margin, int hSpacing, int vSpacing)
    : QLayout(parent)
    , m_iHSpacing(hSpacing)
    , m_iVSpacing(vSpacing)
{
    if (margin >= 0)
        setContentsMargins(margin, margin, margin, margin);
}

FlowLayout::FlowLayout(int margin, int hSpacing, int vSpacing)
    : FlowLayout(nullptr, margin, hSpacing, vSpacing)
{
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem *pItem = takeAt(0))
        delete pItem;
}

void FlowLayout::addItem(QLayoutItem *item)
{
    m_listItems.append(item);
    invalidate();
}

int FlowLayout::horizontalSpacing() const
{
    return m_iHSpacing >= 0 ? m_iHSpacing : smartSpacing(QStyle::PM_LayoutHorizontalSpacing);
}

int FlowLayout::verticalSpacing() const
{
    return m_iVSpacing >= 0 ? m_iVSpacing : smartSpacing(QStyle::PM_LayoutVerticalSpacing);
}

int FlowLayout::count() const
{
    return m_listItems.size();
}

QLayoutItem *FlowLayout::itemAt(int index) const
{
    return m_listItems.value(index);
}

QLayoutItem *FlowLayout::takeAt(int index)
{
    if (index < 0 || index >= m_listItems.size())
        return nullptr;
    QLayoutItem *pItem = m_listItems.takeAt(index);
    invalidate();
    return pItem;
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

bool FlowLayout::hasHeightForWidth() const
{
    return true;
}

int FlowLayout::heightForWidth(int width) const
{
    return doLayout(QRect(0, 0, width, 0), false);
}

void FlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    doLayout(rect, true);
}

QSize FlowLayout::sizeHint() const
{
    return minimumSize();
}

QSize FlowLayout::minimumSize() const
{
    QSize size;
    for (const QLayoutItem *pItem : m_listItems)
        size = size.expandedTo(pItem->minimumSize());
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

// Places the visible items row by row inside rect (when bApply) and returns the height used,
// margins included. Rows are shifted by the horizontal alignment; left is the default.
int FlowLayout::doLayout(const QRect &rect, bool bApply) const
{
    const QMargins margins = contentsMargins();
    const QRect area = rect.adjusted(margins.left(), margins.top(), -margins.right(), -margins.bottom());
    const int iHSpace = horizontalSpacing();
    const int iVSpace = verticalSpacing();

    QList<QLayoutItem *> row;
    int iRowWidth = 0;
    int iRowHeight = 0;
    int y = area.y();

    auto placeRow = [&]() {
        if (row.isEmpty())
            return;
        if (bApply) {
            int x = area.x();
            const Qt::Alignment align = alignment() & Qt::AlignHorizontal_Mask;
            if (align & Qt::AlignRight)
                x += std::max(0, area.width() - iRowWidth);
            else if (align & Qt::AlignHCenter)
                x += std::max(0, area.width() - iRowWidth) / 2;
            for (QLayoutItem *pItem : row) {
                const QSize hint = pItem->sizeHint();
                pItem->setGeometry(QRect(QPoint(x, y), hint));
                x += hint.width() + iHSpace;
            }
        }
        y += iRowHeight + iVSpace;
        row.clear();
        iRowWidth = 0;
        iRowHeight = 0;
    };

    for (QLayoutItem *pItem : m_listItems) {
        if (pItem->isEmpty())
            continue;
        const QSize hint = pItem->sizeHint();
        const int iNeeded = row.isEmpty() ? hint.width() : iRowWidth + iHSpace + hint.width();
        if (!row.isEmpty() && iNeeded > area.width())
            placeRow();
        iRowWidth = row.isEmpty() ? hint.width() : iRowWidth + iHSpace + hint.width();
        iRowHeight = std::max(iRowHeight, hint.height());
        row.append(pItem);
    }
    const bool bAny = !row.isEmpty() || y != area.y();
    placeRow();
    if (bAny)
        y -= iVSpace;
    return y - rect.y() + margins.bottom();
}

int FlowLayout::smartSpacing(QStyle::PixelMetric pm) const
{
    QObject *pParent = parent();
    if (!pParent)
        return -1;
    if (pParent->isWidgetType()) {
        auto *pWidget = static_cast<QWidget *>(pParent);
        return pWidget->style()->pixelMetric(pm, nullptr, pWidget);
    }
    return static_cast<QLayout *>(pParent)->spacing();
}

} // namespace vellum
