#pragma once

#include <QColor>
#include <QImage>
#include <QToolButton>

namespace gearbay {

// A flat button of the detail page: a 24-pixel icon, a caption and an optional trailing tag
// image. It sizes itself to its caption and paints its own hover, press and selected looks.
class BaseConfigButon : public QToolButton
{
    Q_OBJECT
public:
    BaseConfigButon(const QString &strText, const QString &strIconPath, const QString &strTagIconPath,
        QWidget *parent = nullptr);
    explicit BaseConfigButon(QWidget *parent = nullptr);

    void setContent(const QString &strText, const QString &strIconPath, const QString &strTagIconPath);
    void setDisableIcon(const QString &strName, const QString &strImagePath);
    void setFontSize(int iFontSize);
    void setHoverColor(const QColor &color);
    void setColors(const QString &strNormalName, const QString &strHoverName, const QString &strPressName);
    void setSelected(bool bSelected);
    bool isSelected() const { return m_bSelected; }

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QFont captionFont() const;
    // Height 32; width follows the caption, plus room for the tag image when there is one.
    void fitToCaption();

    QString m_strText;
    QString m_strIconPath;
    QImage m_curImage;
    bool m_bHover = false;
    bool m_bSelected = false;
    QString m_strNormalColor = QStringLiteral("#ffffff");
    QColor m_hoverColor = QColor(QStringLiteral("#f0f0f0"));
    QColor m_pressColor = QColor(QStringLiteral("#ebebeb"));
    QString m_strDisableIconPath;
    QImage m_disableImage;
    QString m_strTagIconPath;
    QImage m_tagImage;
    QImage m_normalImage;
    int m_iFontSize = 12;
};

} // namespace gearbay
