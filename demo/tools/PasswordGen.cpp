// Password Generator: random passwords from the system's secure random source.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSpinBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Password Generator " RW_DEMO_VERSION));
    auto *pForm = new QFormLayout(&window);
    auto *pLength = new QSpinBox;
    pLength->setRange(4, 128);
    pLength->setValue(16);
    auto *pUpper = new QCheckBox("A-Z");
    auto *pLower = new QCheckBox("a-z");
    auto *pDigits = new QCheckBox("0-9");
    auto *pSymbols = new QCheckBox("!@#$%^&*");
    auto *pPlain = new QCheckBox("Leave out look-alikes (0 O 1 l I)");
    for (QCheckBox *pBox : {pUpper, pLower, pDigits})
        pBox->setChecked(true);
    auto *pResult = new QLineEdit;
    pResult->setReadOnly(true);
    pResult->setMinimumWidth(360);
    auto *pGenerate = new QPushButton("Generate");
    auto *pCopy = new QPushButton("Copy");
    pForm->addRow("Length", pLength);
    for (QCheckBox *pBox : {pUpper, pLower, pDigits, pSymbols, pPlain})
        pForm->addRow("", pBox);
    pForm->addRow("Password", pResult);
    pForm->addRow(pGenerate, pCopy);

    QObject::connect(pGenerate, &QPushButton::clicked, [=] {
        QString strAlphabet;
        if (pUpper->isChecked())
            strAlphabet += "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        if (pLower->isChecked())
            strAlphabet += "abcdefghijklmnopqrstuvwxyz";
        if (pDigits->isChecked())
            strAlphabet += "0123456789";
        if (pSymbols->isChecked())
            strAlphabet += "!@#$%^&*";
        if (pPlain->isChecked()) {
            for (const QChar c : QString("0O1lI"))
                strAlphabet.remove(c);
        }
        if (strAlphabet.isEmpty()) {
            pResult->setText("Choose at least one kind of character.");
            return;
        }
        QString strPassword;
        for (int i = 0; i < pLength->value(); ++i)
            strPassword += strAlphabet.at(QRandomGenerator::system()->bounded(strAlphabet.size()));
        pResult->setText(strPassword);
    });
    QObject::connect(pCopy, &QPushButton::clicked, [=] { QApplication::clipboard()->setText(pResult->text()); });
    pGenerate->click();
    window.show();
    return app.exec();
}
