// Unit Converter: length, mass and temperature.

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

#include <functional>

struct Unit
{
    QString strName;
    std::function<double(double)> toBase;
    std::function<double(double)> fromBase;
};

static Unit linear(const QString &strName, double dFactor)
{
    return {strName, [dFactor](double v) { return v * dFactor; }, [dFactor](double v) { return v / dFactor; }};
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QMap<QString, QVector<Unit>> categories = {
        {"Length", {linear("metre", 1), linear("kilometre", 1000), linear("centimetre", 0.01), linear("inch", 0.0254),
                    linear("foot", 0.3048), linear("mile", 1609.344), linear("li (市里)", 500)}},
        {"Mass", {linear("kilogram", 1), linear("gram", 0.001), linear("pound", 0.45359237), linear("ounce", 0.028349523125),
                  linear("jin (市斤)", 0.5)}},
        {"Temperature", {{"Celsius", [](double v) { return v; }, [](double v) { return v; }},
                         {"Fahrenheit", [](double v) { return (v - 32) / 1.8; }, [](double v) { return v * 1.8 + 32; }},
                         {"Kelvin", [](double v) { return v - 273.15; }, [](double v) { return v + 273.15; }}}},
    };

    QWidget window;
    window.setWindowTitle(QStringLiteral("Unit Converter " RW_DEMO_VERSION));
    auto *pForm = new QFormLayout(&window);
    auto *pCategory = new QComboBox;
    pCategory->addItems(categories.keys());
    auto *pValue = new QDoubleSpinBox;
    pValue->setRange(-1e9, 1e9);
    pValue->setDecimals(4);
    pValue->setValue(1);
    auto *pFrom = new QComboBox;
    auto *pTo = new QComboBox;
    auto *pResult = new QLabel;
    pResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pForm->addRow("Quantity", pCategory);
    pForm->addRow("Value", pValue);
    pForm->addRow("From", pFrom);
    pForm->addRow("To", pTo);
    pForm->addRow("Result", pResult);

    auto convert = [=] {
        const QVector<Unit> &units = categories[pCategory->currentText()];
        if (pFrom->currentIndex() < 0 || pTo->currentIndex() < 0)
            return;
        const double dBase = units[pFrom->currentIndex()].toBase(pValue->value());
        pResult->setText(QString::number(units[pTo->currentIndex()].fromBase(dBase), 'g', 10));
    };
    auto fill = [=] {
        pFrom->blockSignals(true);
        pTo->blockSignals(true);
        pFrom->clear();
        pTo->clear();
        for (const Unit &unit : categories[pCategory->currentText()]) {
            pFrom->addItem(unit.strName);
            pTo->addItem(unit.strName);
        }
        pTo->setCurrentIndex(1);
        pFrom->blockSignals(false);
        pTo->blockSignals(false);
        convert();
    };
    QObject::connect(pCategory, &QComboBox::currentTextChanged, fill);
    QObject::connect(pFrom, QOverload<int>::of(&QComboBox::currentIndexChanged), convert);
    QObject::connect(pTo, QOverload<int>::of(&QComboBox::currentIndexChanged), convert);
    QObject::connect(pValue, QOverload<double>::of(&QDoubleSpinBox::valueChanged), convert);
    fill();
    window.show();
    return app.exec();
}
