#include "ManualFigures.h"

#include <QPainter>
#include <QPainterPath>

namespace manualgen {

namespace {

const QColor kRed("#FA3239");
const QColor kLine("#E6E6E6");
const QColor kText("#333333");
const QColor kMuted("#999999");
const QColor kFill("#F5F5F5");

// Figures are drawn at twice the size they take on the page, so they stay sharp when printed.
const int kWidth = 1280;
const int kHeight = 800;

QString pick(bool bChinese, const char *english, const char *chinese)
{
    return bChinese ? QString::fromUtf8(chinese) : QString::fromUtf8(english);
}

void text(QPainter &p, const QRectF &rect, const QString &str, int iPixel, const QColor &color,
          int iFlags = Qt::AlignLeft | Qt::AlignVCenter, bool bBold = false)
{
    QFont font = p.font();
    font.setPixelSize(iPixel);
    font.setBold(bBold);
    p.setFont(font);
    p.setPen(color);
    p.drawText(rect, iFlags, str);
}

void button(QPainter &p, const QRectF &rect, const QString &str, bool bFilled)
{
    p.setPen(bFilled ? Qt::NoPen : QPen(kRed, 2));
    p.setBrush(bFilled ? kRed : Qt::white);
    p.drawRoundedRect(rect, 4, 4);
    text(p, rect, str, int(rect.height() * 0.45), bFilled ? Qt::white : kRed, Qt::AlignCenter);
}

void picture(QPainter &p, const QRectF &rect, const QColor &color)
{
    p.setPen(QPen(kLine, 2));
    p.setBrush(color);
    p.drawRoundedRect(rect, 6, 6);
    // A mountain and a sun: the usual sign for "a picture goes here".
    QPainterPath path;
    path.moveTo(rect.left() + rect.width() * 0.1, rect.bottom() - rect.height() * 0.15);
    path.lineTo(rect.left() + rect.width() * 0.4, rect.top() + rect.height() * 0.35);
    path.lineTo(rect.left() + rect.width() * 0.6, rect.top() + rect.height() * 0.6);
    path.lineTo(rect.left() + rect.width() * 0.75, rect.top() + rect.height() * 0.45);
    path.lineTo(rect.right() - rect.width() * 0.1, rect.bottom() - rect.height() * 0.15);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(color.darker(130));
    p.drawPath(path);
    p.setBrush(Qt::white);
    const double r = qMin(rect.width(), rect.height()) * 0.1;
    p.drawEllipse(QPointF(rect.right() - rect.width() * 0.25, rect.top() + rect.height() * 0.3), r, r);
}

void lines(QPainter &p, double x, double y, double w, int iCount, double dGap = 22)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kLine);
    for (int i = 0; i < iCount; ++i) {
        const double lw = (i == iCount - 1) ? w * 0.6 : w;
        p.drawRoundedRect(QRectF(x, y + i * dGap, lw, 10), 5, 5);
    }
}

void titleBar(QPainter &p, bool bChinese, int iSelected)
{
    p.fillRect(QRect(0, 0, kWidth, 80), Qt::white);
    p.fillRect(QRect(0, 79, kWidth, 2), kLine);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(28, 24, 32, 32), 8, 8);
    text(p, QRectF(72, 0, 220, 80), QStringLiteral("Rig Warden"), 26, kText, Qt::AlignLeft | Qt::AlignVCenter, true);
    const QString names[2] = { pick(bChinese, "Tool Market", "工具市场"), pick(bChinese, "My Tools", "我的工具") };
    for (int i = 0; i < 2; ++i) {
        const QRectF rect(380 + i * 200, 0, 180, 80);
        text(p, rect, names[i], 24, i == iSelected ? kRed : kText, Qt::AlignCenter, i == iSelected);
        if (i == iSelected)
            p.fillRect(QRectF(rect.left() + 40, 74, 100, 6), kRed);
    }
    // help, settings, minimise, maximise, close
    p.setPen(QPen(kMuted, 3));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QRectF(kWidth - 280 + i * 52, 26, 28, 28));
}

QImage blank()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void frame(QPainter &p)
{
    p.setPen(QPen(QColor("#CCCCCC"), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(1, 1, kWidth - 2, kHeight - 2));
}

QImage market(bool bChinese)
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    titleBar(p, bChinese, 0);
    picture(p, QRectF(40, 110, 820, 230), QColor("#FFD9DA"));
    for (int i = 0; i < 3; ++i)
        picture(p, QRectF(890, 110 + i * 80, 350, 70), QColor("#DCEBFF"));
    text(p, QRectF(40, 360, 400, 40), pick(bChinese, "All Tool", "所有工具"), 24, kRed, Qt::AlignLeft | Qt::AlignVCenter,
         true);
    const char *const english[4] = { "Download", "Open", "", "Download" };
    const char *const chinese[4] = { "下载", "打开", "", "下载" };
    for (int i = 0; i < 4; ++i) {
        const QRectF card(40 + i * 305, 420, 285, 350);
        p.setPen(QPen(kLine, 2));
        p.setBrush(Qt::white);
        p.drawRoundedRect(card, 8, 8);
        picture(p, QRectF(card.center().x() - 60, card.top() + 30, 120, 120), QColor("#E3F5EA"));
        lines(p, card.left() + 40, card.top() + 175, card.width() - 80, 3);
        const QRectF action(card.left() + 30, card.bottom() - 80, card.width() - 60, 46);
        if (i == 2) {
            // A card that is downloading: the bar and its cancel cross.
            p.setPen(Qt::NoPen);
            p.setBrush(kLine);
            p.drawRoundedRect(QRectF(action.left(), action.center().y() - 9, action.width() - 50, 18), 9, 9);
            p.setBrush(QColor("#3BCD8D"));
            p.drawRoundedRect(QRectF(action.left(), action.center().y() - 9, (action.width() - 50) * 0.57, 18), 9, 9);
            text(p, QRectF(action.right() - 40, action.top(), 40, action.height()), QStringLiteral("×"), 34, kMuted,
                 Qt::AlignCenter);
        } else {
            button(p, action, pick(bChinese, english[i], chinese[i]), i != 1);
        }
    }
    frame(p);
    return image;
}

QImage detail(bool bChinese)
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    titleBar(p, bChinese, 0);
    text(p, QRectF(40, 90, 300, 50), QStringLiteral("← ") + pick(bChinese, "Home Page", "首页"), 24, kText);
    p.fillRect(QRectF(0, 150, 300, kHeight - 150), QColor("#FAFAFA"));
    picture(p, QRectF(70, 180, 160, 160), QColor("#E3F5EA"));
    button(p, QRectF(40, 370, 220, 50), pick(bChinese, "Open", "打开"), false);
    button(p, QRectF(40, 435, 220, 50), pick(bChinese, "Update", "更新"), true);
    p.fillRect(QRectF(40, 515, 220, 2), kLine);
    text(p, QRectF(40, 530, 220, 36), pick(bChinese, "information", "信息"), 22, kText, Qt::AlignLeft | Qt::AlignVCenter,
         true);
    lines(p, 40, 585, 200, 3, 34);
    text(p, QRectF(340, 160, 700, 44), pick(bChinese, "Tool name", "工具名称"), 32, kText,
         Qt::AlignLeft | Qt::AlignVCenter, true);
    lines(p, 340, 220, 880, 2);
    text(p, QRectF(340, 260, 300, 30), pick(bChinese, "...more", "...更多"), 20, kRed);
    picture(p, QRectF(400, 305, 760, 360), QColor("#DCEBFF"));
    // The notch under the large view points at the chosen thumbnail.
    p.setPen(QPen(QColor(204, 204, 204), 2));
    p.drawLine(QPointF(340, 690), QPointF(690, 690));
    p.drawLine(QPointF(720, 690), QPointF(1220, 690));
    p.setPen(QPen(QColor(153, 153, 153), 3));
    p.drawLine(QPointF(690, 690), QPointF(705, 705));
    p.drawLine(QPointF(705, 705), QPointF(720, 690));
    for (int i = 0; i < 3; ++i) {
        const QRectF thumb(530 + i * 175, 712, 150, 76);
        if (i == 1)
            p.fillRect(thumb.adjusted(-8, -4, 8, 4), QColor("#E0E0E0"));
        picture(p, thumb, QColor("#DCEBFF"));
    }
    frame(p);
    return image;
}

QImage mytools(bool bChinese)
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    titleBar(p, bChinese, 1);
    text(p, QRectF(40, 100, 300, 50), pick(bChinese, "My Tools", "我的工具"), 24, kRed, Qt::AlignLeft | Qt::AlignVCenter,
         true);
    text(p, QRectF(240, 100, 300, 50), pick(bChinese, "Update", "更新"), 24, kText);
    for (int i = 0; i < 10; ++i) {
        const QRectF tile(60 + (i % 5) * 240, 190 + (i / 5) * 230, 180, 190);
        p.setPen(QPen(kLine, 2));
        p.setBrush(i == 6 ? kFill : Qt::white);
        p.drawRoundedRect(tile, 8, 8);
        picture(p, QRectF(tile.center().x() - 50, tile.top() + 25, 100, 100), QColor("#E3F5EA"));
        lines(p, tile.left() + 30, tile.top() + 150, tile.width() - 60, 1);
    }
    // The delete area a tile is dragged onto.
    p.setPen(QPen(kRed, 3, Qt::DashLine));
    p.setBrush(QColor("#FFF2F2"));
    p.drawRoundedRect(QRectF(360, 680, 560, 90), 10, 10);
    text(p, QRectF(360, 680, 560, 90), pick(bChinese, "Drag here to delete", "拖到此处删除"), 26, kRed, Qt::AlignCenter);
    frame(p);
    return image;
}

QImage settings(bool bChinese)
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    titleBar(p, bChinese, 0);
    p.fillRect(QRect(0, 82, kWidth, kHeight - 82), QColor(0, 0, 0, 40));
    const QRectF panel(560, 100, 660, 520);
    p.setPen(QPen(kLine, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(panel, 8, 8);
    const double x = panel.left() + 40;
    text(p, QRectF(x, 120, 400, 50), pick(bChinese, "System", "系统"), 28, kText, Qt::AlignLeft | Qt::AlignVCenter, true);
    text(p, QRectF(x, 190, 100, 40), pick(bChinese, "Path:", "路径："), 22, kText);
    text(p, QRectF(x + 100, 190, 360, 40), QStringLiteral("/home/user/RigWarden/Downloads"), 20, kMuted);
    button(p, QRectF(panel.right() - 190, 188, 150, 44), pick(bChinese, "ChangePath", "更改路径"), false);
    text(p, QRectF(x, 245, 580, 60),
         pick(bChinese, "Change path: please close open tools; all downloaded tools move to the new path.",
              "更改路径：请先关闭已打开的工具，所有已下载的工具都会移动到新路径。"),
         18, kMuted, Qt::AlignLeft | Qt::TextWordWrap);
    p.fillRect(QRectF(x, 330, 580, 2), kLine);
    text(p, QRectF(x, 350, 400, 50), pick(bChinese, "Version", "版本"), 28, kText, Qt::AlignLeft | Qt::AlignVCenter, true);
    text(p, QRectF(x, 420, 300, 40), pick(bChinese, "VersionInfo: V1.0.0", "版本信息：V1.0.0"), 22, kText);
    button(p, QRectF(panel.right() - 190, 418, 150, 44), pick(bChinese, "CheckUpdate", "检查更新"), true);
    frame(p);
    return image;
}

} // namespace

QImage drawFigure(const QString &strName, bool bChinese)
{
    if (strName == QLatin1String("market"))
        return market(bChinese);
    if (strName == QLatin1String("detail"))
        return detail(bChinese);
    if (strName == QLatin1String("mytools"))
        return mytools(bChinese);
    if (strName == QLatin1String("settings"))
        return settings(bChinese);
    return QImage();
}

} // namespace manualgen
