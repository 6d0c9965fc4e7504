// The painted controls' looks, read back from rendered pixels.
#include "BaseConfigButon.h"
#include "BreviaryLabel.h"
#include "ProgressBar.h"

#include <QtTest>

using namespace gearbay;

namespace {

QImage render(QWidget *pWidget)
{
    QImage image(pWidget->size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    pWidget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// A bar of the given size showing iValue (negative: reset) of iMaximum, in a plain fill and track.
void setUp(ProgressBar &bar, const QSize &size, int iMaximum, int iValue, Qt::GlobalColor fill,
    Qt::GlobalColor track)
{
    bar.resize(size);
    bar.setRange(0, iMaximum);
    if (iValue < 0)
        bar.reset();
    else
        bar.setValue(iValue);
    bar.m_chunkColor = QColor(fill);
    bar.m_backColor = QColor(track);
}

// The horizontal extent of the text of a bar drawn with a white track and a black fill of width
// dFill: light pixels over the fill, dark ones over the track (the round ends left out); empty when
// there are none.
QPair<int, int> textSpan(const QImage &image, double dFill)
{
    int iLeft = image.width();
    int iRight = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = image.height(); x < image.width() - image.height(); ++x) {
            if (x >= dFill - image.height() && x < dFill)
                continue; // the fill's round end shows track above and below
            if ((qGray(image.pixel(x, y)) > 128) == (x < dFill)) {
                iLeft = qMin(iLeft, x);
                iRight = qMax(iRight, x);
            }
        }
    }
    return { iLeft, iRight };
}

} // namespace

class TestPaintedControls : public QObject
{
    Q_OBJECT

private slots:
    void progressFill_data()
    {
        // A 300 x 20 bar with maximum 300, so that the value is the filled width in pixels.
        QTest::addColumn<int>("value");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<bool>("filled");
        // clang-format off
        QTest::newRow("0: left cap is track") << 0 << QPoint(5, 10) << false;
        QTest::newRow("reset bar draws no fill") << -1 << QPoint(3, 10) << false;
        QTest::newRow("narrow lens: inside") << 4 << QPoint(2, 10) << true;
        QTest::newRow("narrow lens: not a half disc") << 4 << QPoint(7, 10) << false;
        QTest::newRow("narrow lens: not full height") << 4 << QPoint(2, 1) << false;
        QTest::newRow("one height: cap filled") << 20 << QPoint(5, 10) << true;
        QTest::newRow("half: left part filled") << 150 << QPoint(100, 10) << true;
        QTest::newRow("full: right cap filled") << 300 << QPoint(295, 10) << true;
        // clang-format on
    }

    void progressFill()
    {
        QFETCH(int, value);
        QFETCH(QPoint, probe);
        QFETCH(bool, filled);
        ProgressBar bar;
        setUp(bar, QSize(300, 20), 300, value, Qt::red, Qt::blue);
        const QColor pixel(render(&bar).pixel(probe));
        if (filled)
            QCOMPARE(pixel, QColor(Qt::red));
        else
            QVERIFY2(pixel.red() < 40, qPrintable(pixel.name()));
    }

    void progressText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        // clang-format off
        QTest::newRow("0%") << 0 << 0 << "0%";
        QTest::newRow("reset shows 0%") << 0 << -1 << "0%";
        QTest::newRow("truncated percentage") << 0 << 999 << "99%";
        QTest::newRow("waiting at 30") << 2 << 300 << "Waiting...";
        QTest::newRow("failed, half filled: both halves readable") << 1 << 500 << "Download Fail!";
        // clang-format on
    }

    void progressText()
    {
        QFETCH(int, mode);
        QFETCH(int, value);
        QFETCH(QString, text);
        // A light track as the real one is: the text must stand out from both parts.
        ProgressBar bar;
        setUp(bar, QSize(400, 16), 1000, value, Qt::black, Qt::white);
        bar.m_iMode = mode;
        if (mode == 2)
            bar.m_strText = QStringLiteral("Waiting...");
        const QPair<int, int> span = textSpan(render(&bar), 400.0 * qMax(0, value) / 1000);
        QVERIFY(span.second >= span.first);
        const int iExpected = bar.fontMetrics().tightBoundingRect(text).width();
        const int iDrawn = span.second - span.first + 1;
        QVERIFY2(
            qAbs(iDrawn - iExpected) <= 3, qPrintable(QStringLiteral("%1 vs %2").arg(iDrawn).arg(iExpected)));
    }

    // Short names whole; long ones cut with an ellipsis to fit their place.
    void breviaryLabelElidesLongText()
    {
        BreviaryLabel label;
        label.setBreviaryText(QStringLiteral("Hex Viewer"));
        QCOMPARE(label.text(), QStringLiteral("Hex Viewer"));
        label.setBreviaryText(QString(200, QLatin1Char('W')));
        QVERIFY(label.text().endsWith(QChar(0x2026)));
        QVERIFY(QFontMetrics(label.font()).horizontalAdvance(label.text()) <= 374);
    }

    void configButtonLooks_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QColor>("background");
        // clang-format off
        QTest::newRow("normal") << "normal" << QColor(Qt::red);
        QTest::newRow("hovered") << "hovered" << QColor(Qt::green);
        QTest::newRow("hovered and pressed") << "pressed" << QColor(Qt::blue);
        QTest::newRow("selected beats hover") << "selected" << QColor(Qt::blue);
        QTest::newRow("disabled: no background") << "disabled" << QColor();
        // clang-format on
    }

    void configButtonLooks()
    {
        QFETCH(QString, state);
        QFETCH(QColor, background);
        BaseConfigButon button(QStringLiteral("WWWW"), QString(), QString());
        button.setFontSize(24);
        button.setColors(QStringLiteral("#ff0000"), QStringLiteral("#00ff00"), QStringLiteral("#0000ff"));
        if (state == QLatin1String("hovered") || state == QLatin1String("pressed")
            || state == QLatin1String("selected")) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(&button, &enter);
        }
        if (state == QLatin1String("pressed"))
            button.setDown(true);
        if (state == QLatin1String("selected"))
            button.setSelected(true);
        if (state == QLatin1String("disabled"))
            button.setEnabled(false);

        const QColor corner(render(&button).pixel(2, 16));
        if (background.isValid())
            QCOMPARE(corner, background);
        else
            QVERIFY(corner != QColor(Qt::red) && corner != QColor(Qt::green) && corner != QColor(Qt::blue));
    }
};

QTEST_MAIN(TestPaintedControls)
#include "tst_paintedcontrols.moc"
