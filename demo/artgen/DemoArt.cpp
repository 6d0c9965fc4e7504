// demoart: draws the demo catalog's icons, banner pictures and screenshots from its description,
// so the pictures are our own and come out the same on every build.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

namespace {

const QColor kRed("#FA3239");
const QColor kGrey33("#333333");
const QColor kGrey66("#666666");
const QColor kGrey99("#999999");
const QColor kGreyCC("#CCCCCC");
const QColor kGreyF1("#F1F1F1");
const QString kFamily = QStringLiteral("Noto Sans CJK SC");

QFont font(int iPixels, bool bBold)
{
    QFont f(kFamily);
    f.setPixelSize(iPixels);
    f.setBold(bBold);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QImage canvas(int iWidth, int iHeight, const QColor &background)
{
    QImage image(iWidth, iHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    return image;
}

bool save(const QImage &image, const QString &strPath)
{
    QDir().mkpath(QFileInfo(strPath).path());
    return image.save(strPath, "PNG");
}

// The tool's mark: a rounded tile in one of three looks, its glyph as large as the tile allows.
void drawIcon(QPainter &p, const QRectF &rect, const QString &strGlyph, int iStyle)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal dRadius = rect.width() * 0.22;
    QColor background = kRed, glyph = Qt::white, border = Qt::transparent;
    if (iStyle % 3 == 1) {
        background = kGrey33;
        glyph = kRed;
    } else if (iStyle % 3 == 2) {
        background = kGreyF1;
        glyph = kGrey33;
        border = kGreyCC;
    }
    p.setPen(border == Qt::transparent ? QPen(Qt::NoPen) : QPen(border, qMax(1.0, rect.width() / 48)));
    p.setBrush(background);
    p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), dRadius, dRadius);
    if (iStyle % 3 == 2) {
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        const qreal dBar = rect.height() * 0.08;
        p.drawRoundedRect(QRectF(rect.left() + rect.width() * 0.3, rect.bottom() - dBar * 2.2, rect.width() * 0.4, dBar),
                          dBar / 2, dBar / 2);
    }
    int iPixels = int(rect.height() * 0.5);
    QFont f = font(iPixels, true);
    while (iPixels > 6 && QFontMetrics(f).horizontalAdvance(strGlyph) > rect.width() * 0.72) {
        f.setPixelSize(--iPixels);
    }
    p.setFont(f);
    p.setPen(glyph);
    p.drawText(rect.adjusted(0, -rect.height() * 0.03, 0, 0), Qt::AlignCenter, strGlyph);
    p.restore();
}

QImage iconImage(int iSize, const QString &strGlyph, int iStyle)
{
    QImage image = canvas(iSize, iSize, Qt::transparent);
    QPainter p(&image);
    drawIcon(p, QRectF(0, 0, iSize, iSize), strGlyph, iStyle);
    return image;
}

QString elided(const QString &strText, const QFont &f, int iWidth)
{
    return QFontMetrics(f).elidedText(strText, Qt::ElideRight, iWidth);
}

QImage bannerMax(const QJsonObject &tool, bool bChinese)
{
    const QJsonObject art = tool.value("art").toObject();
    QImage image = canvas(730, 280, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A grey field with a red wedge on the right: the store's colours, nothing borrowed.
    p.fillRect(QRect(0, 0, 730, 280), kGreyF1);
    QPainterPath wedge;
    wedge.moveTo(520, 0);
    wedge.lineTo(730, 0);
    wedge.lineTo(730, 280);
    wedge.lineTo(430, 280);
    wedge.closeSubpath();
    p.fillPath(wedge, kRed);
    p.setPen(QPen(kGreyCC, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(470, 40), 70, 70);
    p.drawEllipse(QPointF(400, 250), 30, 30);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    p.drawEllipse(QPointF(660, 210), 90, 90);
    // A white mount keeps a red tile visible on the red wedge.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(550, 60, 160, 160), 38, 38);
    drawIcon(p, QRectF(560, 70, 140, 140), art.value("glyph").toString(), art.value("style").toInt());

    const QString strName = tool.value(bChinese ? "chName" : "enName").toString();
    const QString strTagline = art.value(bChinese ? "taglineCH" : "taglineEN").toString();
    p.setPen(kGrey33);
    QFont nameFont = font(40, true);
    p.setFont(nameFont);
    p.drawText(QRect(48, 62, 440, 56), Qt::AlignLeft | Qt::AlignVCenter, elided(strName, nameFont, 440));
    QFont tagFont = font(20, false);
    p.setFont(tagFont);
    p.setPen(kGrey66);
    p.drawText(QRect(48, 124, 400, 60), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, strTagline);

    const bool bRestricted = tool.value("restricted").toBool();
    const QString strAction = bChinese ? (bRestricted ? QString::fromUtf8("登录后下载") : QString::fromUtf8("免费下载"))
                                       : (bRestricted ? QString("Sign in to download") : QString("Free download"));
    QFont actionFont = font(16, true);
    p.setFont(actionFont);
    const int iWidth = QFontMetrics(actionFont).horizontalAdvance(strAction) + 40;
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(48, 200, iWidth, 40), 20, 20);
    p.setPen(Qt::white);
    p.drawText(QRect(48, 200, iWidth, 40), Qt::AlignCenter, strAction);
    p.setPen(kGrey99);
    p.setFont(font(14, false));
    p.drawText(QRect(48 + iWidth + 16, 200, 200, 40), Qt::AlignLeft | Qt::AlignVCenter,
               "V" + tool.value("version").toString());
    return image;
}

QImage bannerMin(const QJsonObject &tool, bool bChinese)
{
    const QJsonObject art = tool.value("art").toObject();
    QImage image = canvas(278, 94, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(0, 0, 4, 94), kRed);
    p.setPen(kGreyCC);
    p.drawLine(4, 93, 278, 93);
    drawIcon(p, QRectF(20, 19, 56, 56), art.value("glyph").toString(), art.value("style").toInt());
    QFont nameFont = font(17, true);
    p.setFont(nameFont);
    p.setPen(kGrey33);
    p.drawText(QRect(90, 18, 176, 28), Qt::AlignLeft | Qt::AlignVCenter,
               elided(tool.value(bChinese ? "chName" : "enName").toString(), nameFont, 176));
    QFont tagFont = font(12, false);
    p.setFont(tagFont);
    p.setPen(kGrey99);
    p.drawText(QRect(90, 48, 176, 28), Qt::AlignLeft | Qt::AlignVCenter,
               elided(art.value(bChinese ? "taglineCH" : "taglineEN").toString(), tagFont, 176));
    return image;
}

// A drawn likeness of the tool's window with one of its features captioned underneath.
QImage screenshot(const QJsonObject &tool, bool bChinese, int iIndex)
{
    const QJsonObject art = tool.value("art").toObject();
    const QJsonArray captions = art.value(bChinese ? "shotsCH" : "shotsEN").toArray();
    QImage image = canvas(700, 390, kGreyF1);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect window(40, 24, 620, 290);
    p.setPen(QPen(kGreyCC, 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(window, 6, 6);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(window), 6, 6);
    p.setClipPath(frame);
    p.fillRect(QRect(window.left(), window.top(), window.width() + 1, 34), kGrey33);
    p.setClipping(false);
    drawIcon(p, QRectF(window.left() + 10, window.top() + 7, 20, 20), art.value("glyph").toString(),
             art.value("style").toInt());
    p.setPen(Qt::white);
    p.setFont(font(13, false));
    p.drawText(QRect(window.left() + 40, window.top(), 400, 34), Qt::AlignLeft | Qt::AlignVCenter,
               tool.value("enName").toString() + " " + tool.value("version").toString());
    for (int i = 0; i < 3; ++i) {
        p.setBrush(i == 2 ? kRed : kGrey66);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(window.right() - 20 - i * 18, window.top() + 17), 5, 5);
    }

    // The window's rows as the tool shows them: a label, and its field with a sample value.
    const QJsonArray rows = art.value("screens").toArray().at(iIndex).toArray();
    const int iTop = window.top() + 52;
    const QFont labelFont = font(13, false);
    for (int i = 0; i < rows.size() && i < 5; ++i) {
        const QJsonArray row = rows[i].toArray();
        const int y = iTop + i * 38;
        p.setFont(labelFont);
        p.setPen(kGrey66);
        p.drawText(QRect(window.left() + 20, y, 120, 28), Qt::AlignLeft | Qt::AlignVCenter,
                   elided(row.at(0).toString(), labelFont, 120));
        const QRect field(window.left() + 146, y, window.width() - 170, 28);
        p.setPen(QPen(kGreyCC, 1));
        p.setBrush(i == 0 ? kGreyF1 : QColor(Qt::white));
        p.drawRoundedRect(field, 4, 4);
        p.setPen(kGrey33);
        p.drawText(field.adjusted(10, 0, -10, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   elided(row.at(1).toString(), labelFont, field.width() - 20));
    }
    const QJsonArray buttons = art.value("buttons").toArray();
    int iRight = window.right() - 24;
    for (int i = 0; i < buttons.size(); ++i) {
        const QRect button(iRight - 110, window.bottom() - 46, 110, 30);
        p.setPen(Qt::NoPen);
        p.setBrush(i == 0 ? kRed : kGrey99);
        p.drawRoundedRect(button, 4, 4);
        p.setPen(Qt::white);
        p.setFont(font(13, true));
        p.drawText(button, Qt::AlignCenter, buttons[i].toString());
        iRight -= 124;
    }

    const QString strCaption = iIndex < captions.size() ? captions[iIndex].toString() : QString();
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawRect(QRect(0, 330, 700, 60));
    QFont captionFont = font(20, true);
    p.setFont(captionFont);
    p.setPen(Qt::white);
    p.drawText(QRect(20, 330, 660, 60), Qt::AlignCenter, elided(strCaption, captionFont, 660));
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    // Pictures only: no display is needed or wanted during a build.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (app.arguments().size() != 2) {
        err << "usage: demoart description.json\n";
        return 2;
    }
    const QString strDescription = app.arguments().at(1);
    QFile file(strDescription);
    QJsonParseError parseError {};
    const QJsonDocument document = file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll(), &parseError)
                                                                   : QJsonDocument();
    if (!document.isObject()) {
        err << "demoart: cannot read " << strDescription << "\n";
        return 1;
    }
    const QDir base = QFileInfo(strDescription).absoluteDir();
    auto path = [&](const QJsonValue &value) { return base.absoluteFilePath(value.toString()); };

    bool bOk = true;
    for (const QJsonValue &value : document.object().value("tools").toArray()) {
        const QJsonObject tool = value.toObject();
        const QJsonObject art = tool.value("art").toObject();
        const QJsonObject icons = tool.value("icons").toObject();
        const QString strGlyph = art.value("glyph").toString();
        const int iStyle = art.value("style").toInt();
        bOk &= save(iconImage(48, strGlyph, iStyle), path(icons.value("min")));
        bOk &= save(iconImage(96, strGlyph, iStyle), path(icons.value("mid")));
        bOk &= save(iconImage(128, strGlyph, iStyle), path(icons.value("max")));
        const QJsonObject banner = tool.value("banner").toObject();
        for (const char *lang : {"zh", "en"}) {
            const bool bChinese = QLatin1String(lang) == QLatin1String("zh");
            bOk &= save(bannerMin(tool, bChinese), path(banner.value(lang).toObject().value("min")));
            bOk &= save(bannerMax(tool, bChinese), path(banner.value(lang).toObject().value("max")));
        }
        const QJsonObject shots = tool.value("screenshots").toObject();
        for (const char *lang : {"ch", "en"}) {
            const QJsonArray list = shots.value(lang).toArray();
            for (int i = 0; i < list.size(); ++i)
                bOk &= save(screenshot(tool, QLatin1String(lang) == QLatin1String("ch"), i), path(list[i]));
        }
    }
    if (!bOk) {
        err << "demoart: cannot write every picture\n";
        return 1;
    }
    return 0;
}
