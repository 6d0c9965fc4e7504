#include "ManualBuilder.h"

#include "ManualFigures.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFragment>
#include <QTextImageFormat>

namespace manualgen {

namespace {

const QColor kHeadingColor("#FA3239");
// The page's drawing unit: 96 per inch, so the text metrics match the program's own screens.
const int kResolution = 96;
const double kFooterHeight = 36;

} // namespace

ManualBuilder::ManualBuilder(bool bChinese)
    : m_bChinese(bChinese)
{
    QFont font(m_bChinese ? QStringLiteral("Noto Sans CJK SC") : QStringLiteral("Noto Sans"));
    font.setFamilies({ font.family(), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("DejaVu Sans") });
    font.setPointSizeF(10.5);
    m_document.setDefaultFont(font);
    m_document.setDocumentMargin(0);
}

bool ManualBuilder::loadMarkdown(const QString &strPath, QString *pError)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = QStringLiteral("cannot read %1: %2").arg(strPath, file.errorString());
        return false;
    }
    const QString strMarkdown = QString::fromUtf8(file.readAll());
    if (strMarkdown.trimmed().isEmpty()) {
        *pError = QStringLiteral("%1 is empty").arg(strPath);
        return false;
    }
    // Setting the text drops earlier resources, so the figures come after it.
    m_document.setMarkdown(strMarkdown, QTextDocument::MarkdownDialectGitHub);
    addFigures(strMarkdown);
    return true;
}

void ManualBuilder::addFigures(const QString &strMarkdown)
{
    const QString strLanguage = m_bChinese ? QStringLiteral("zh") : QStringLiteral("en");
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("figure:(\\w+)")).globalMatch(strMarkdown);
    while (it.hasNext()) {
        const QString strName = it.next().captured(1);
        QImage image;
        if (!m_strScreenshots.isEmpty()) {
            // The names the page tests give their screenshots.
            QStringList listFiles { strName + "_" + strLanguage, strName + "_page_" + strLanguage };
            if (!m_bChinese)
                listFiles << strName + "_all_tools";
            for (const QString &strFile : qAsConst(listFiles)) {
                if (image.load(m_strScreenshots + "/" + strFile + ".png")) {
                    m_setScreenshots.insert("figure:" + strName);
                    break;
                }
            }
        }
        if (image.isNull())
            image = drawFigure(strName, m_bChinese);
        if (image.isNull()) {
            // A figure name the drawing code does not know: a small visible gap rather than a failure.
            image = QImage(4, 4, QImage::Format_RGB32);
            image.fill(Qt::white);
        }
        m_document.addResource(QTextDocument::ImageResource, QUrl("figure:" + strName), image);
    }
}

void ManualBuilder::styleDocument(double dTextWidth)
{
    m_iChapters = 0;
    QTextCursor cursor(&m_document);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        const int iLevel = block.blockFormat().headingLevel();
        if (iLevel > 0) {
            QTextBlockFormat blockFormat;
            blockFormat.setTopMargin(iLevel == 1 ? 0 : 14);
            blockFormat.setBottomMargin(iLevel == 1 ? 18 : 6);
            if (iLevel == 1) {
                if (m_iChapters > 0)
                    blockFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                ++m_iChapters;
            }
            QTextCharFormat charFormat;
            charFormat.setForeground(iLevel == 1 ? kHeadingColor : QColor("#333333"));
            charFormat.setFontPointSize(iLevel == 1 ? 20 : 14);
            charFormat.setFontWeight(QFont::Bold);
            cursor.setPosition(block.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
            cursor.mergeBlockFormat(blockFormat);
            cursor.mergeCharFormat(charFormat);
        } else {
            bool bHasImage = false;
            for (auto it = block.begin(); !it.atEnd(); ++it)
                bHasImage = bHasImage || it.fragment().charFormat().isImageFormat();
            QTextBlockFormat blockFormat;
            blockFormat.setBottomMargin(bHasImage ? 14 : 8);
            // Airy lines for text; a figure's line would grow by the same share of its height.
            if (!bHasImage)
                blockFormat.setLineHeight(130, QTextBlockFormat::ProportionalHeight);
            cursor.setPosition(block.position());
            cursor.mergeBlockFormat(blockFormat);
        }

        // Figures take the text width at most, keeping their proportions.
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat imageFormat = fragment.charFormat().toImageFormat();
            const QImage image = m_document.resource(QTextDocument::ImageResource, QUrl(imageFormat.name())).value<QImage>();
            if (image.isNull())
                continue;
            // Drawn figures are made at twice their printed size; screenshots are taken at screen size.
            const double dScale = m_setScreenshots.contains(imageFormat.name()) ? 1.0 : 2.0;
            const double dWidth = qMin(dTextWidth, image.width() / dScale);
            imageFormat.setWidth(dWidth);
            imageFormat.setHeight(dWidth * image.height() / image.width());
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(imageFormat);
        }
    }
}

bool ManualBuilder::writePdf(const QString &strPath, QString *pError)
{
    QPdfWriter writer(strPath);
    writer.setResolution(kResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 18, 20, 12), QPageLayout::Millimeter);
    writer.setTitle(m_bChinese ? QString::fromUtf8("Rig Warden 用户手册") : QStringLiteral("Rig Warden user manual"));
    writer.setCreator(QStringLiteral("Rig Warden manual generator"));

    const QRectF paintRect = writer.pageLayout().paintRectPixels(kResolution);
    const QSizeF pageSize(paintRect.width(), paintRect.height() - kFooterHeight);
    m_document.documentLayout()->setPaintDevice(&writer);
    styleDocument(pageSize.width());
    m_document.setPageSize(pageSize);

    QPainter painter;
    if (!painter.begin(&writer)) {
        *pError = QStringLiteral("cannot write %1").arg(strPath);
        return false;
    }
    const int iPages = m_document.pageCount();
    QFont footerFont = m_document.defaultFont();
    footerFont.setPointSizeF(8.5);
    for (int i = 0; i < iPages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * pageSize.height());
        m_document.drawContents(&painter, QRectF(0, i * pageSize.height(), pageSize.width(), pageSize.height()));
        painter.restore();
        painter.setFont(footerFont);
        painter.setPen(QColor("#999999"));
        painter.drawText(QRectF(0, paintRect.height() - kFooterHeight + 12, pageSize.width(), kFooterHeight - 12),
                         Qt::AlignHCenter | Qt::AlignVCenter, QString::number(i + 1));
    }
    if (!painter.end()) {
        *pError = QStringLiteral("cannot finish %1").arg(strPath);
        return false;
    }
    if (QFileInfo(strPath).size() == 0) {
        *pError = QStringLiteral("%1 came out empty").arg(strPath);
        return false;
    }
    return true;
}

} // namespace manualgen
