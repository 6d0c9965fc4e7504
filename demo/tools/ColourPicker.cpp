// Colour Picker: mixes a colour from red, green and blue and shows it as hex, RGB and HSL.

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Colour Picker " RW_DEMO_VERSION));
    auto *pForm = new QFormLayout(&window);
    auto *pSwatch = new QLabel;
    pSwatch->setFixedSize(240, 80);
    QSlider *sliders[3];
    const char *names[3] = {"Red", "Green", "Blue"};
    pForm->addRow(pSwatch);
    for (int i = 0; i < 3; ++i) {
        sliders[i] = new QSlider(Qt::Horizontal);
        sliders[i]->setRange(0, 255);
        pForm->addRow(names[i], sliders[i]);
    }
    auto *pHex = new QLineEdit;
    auto *pDetails = new QLabel;
    pDetails->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pForm->addRow("Hex", pHex);
    pForm->addRow("", pDetails);

    auto show = [=](const QColor &colour, bool bFromHex) {
        pSwatch->setStyleSheet(QString("background:%1;border:1px solid #CCCCCC;").arg(colour.name()));
        if (!bFromHex)
            pHex->setText(colour.name().toUpper());
        pDetails->setText(QString("rgb(%1, %2, %3)   hsl(%4, %5%, %6%)")
                              .arg(colour.red())
                              .arg(colour.green())
                              .arg(colour.blue())
                              .arg(qMax(0, colour.hslHue()))
                              .arg(qRound(colour.hslSaturationF() * 100))
                              .arg(qRound(colour.lightnessF() * 100)));
    };
    auto fromSliders = [=] { show(QColor(sliders[0]->value(), sliders[1]->value(), sliders[2]->value()), false); };
    for (QSlider *pSlider : sliders)
        QObject::connect(pSlider, &QSlider::valueChanged, fromSliders);
    QObject::connect(pHex, &QLineEdit::textEdited, [=](const QString &strText) {
        const QColor colour(strText.trimmed());
        if (!colour.isValid())
            return;
        for (int i = 0; i < 3; ++i) {
            sliders[i]->blockSignals(true);
            sliders[i]->setValue(i == 0 ? colour.red() : i == 1 ? colour.green() : colour.blue());
            sliders[i]->blockSignals(false);
        }
        show(colour, true);
    });
    sliders[0]->setValue(0xFA);
    sliders[1]->setValue(0x32);
    sliders[2]->setValue(0x39);
    window.show();
    return app.exec();
}
