// Checksum Calculator: MD5, SHA-1 and SHA-256 of a file or of typed text.

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Checksum Calculator " RW_DEMO_VERSION));
    auto *pLayout = new QVBoxLayout(&window);
    auto *pInput = new QPlainTextEdit;
    pInput->setPlaceholderText("Type text here, or open a file");
    auto *pOpen = new QPushButton("Open file...");
    auto *pForm = new QFormLayout;
    const QList<QPair<QString, QCryptographicHash::Algorithm>> algorithms = {
        {"MD5", QCryptographicHash::Md5}, {"SHA-1", QCryptographicHash::Sha1}, {"SHA-256", QCryptographicHash::Sha256}};
    QList<QLineEdit *> vectOutputs;
    for (const auto &algorithm : algorithms) {
        auto *pOut = new QLineEdit;
        pOut->setReadOnly(true);
        pOut->setMinimumWidth(480);
        pForm->addRow(algorithm.first, pOut);
        vectOutputs << pOut;
    }
    pLayout->addWidget(pInput);
    pLayout->addWidget(pOpen);
    pLayout->addLayout(pForm);

    auto show = [=](QIODevice *pDevice, const QByteArray &text) {
        for (int i = 0; i < algorithms.size(); ++i) {
            QCryptographicHash hash(algorithms[i].second);
            if (pDevice) {
                pDevice->seek(0);
                hash.addData(pDevice);
            } else {
                hash.addData(text);
            }
            vectOutputs[i]->setText(QString::fromLatin1(hash.result().toHex()));
        }
    };
    QObject::connect(pInput, &QPlainTextEdit::textChanged, [=] { show(nullptr, pInput->toPlainText().toUtf8()); });
    QObject::connect(pOpen, &QPushButton::clicked, [=, &window] {
        const QString strPath = QFileDialog::getOpenFileName(&window, "Open file");
        QFile file(strPath);
        if (!strPath.isEmpty() && file.open(QIODevice::ReadOnly)) {
            window.setWindowTitle(QStringLiteral("Checksum Calculator " RW_DEMO_VERSION " - ") + strPath);
            show(&file, QByteArray());
        }
    });
    show(nullptr, QByteArray());
    window.show();
    return app.exec();
}
