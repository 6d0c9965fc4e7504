// Base64 Coder: encodes text to Base64 and decodes it back, with the URL-safe alphabet on request.

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Base64 Coder " RW_DEMO_VERSION));
    window.resize(560, 420);
    auto *pLayout = new QVBoxLayout(&window);
    auto *pPlain = new QPlainTextEdit;
    pPlain->setPlaceholderText("Plain text (UTF-8)");
    auto *pCoded = new QPlainTextEdit;
    pCoded->setPlaceholderText("Base64");
    auto *pButtons = new QHBoxLayout;
    auto *pEncode = new QPushButton("Encode ↓");
    auto *pDecode = new QPushButton("Decode ↑");
    auto *pUrlSafe = new QCheckBox("URL-safe alphabet");
    auto *pState = new QLabel;
    pButtons->addWidget(pEncode);
    pButtons->addWidget(pDecode);
    pButtons->addWidget(pUrlSafe);
    pButtons->addStretch();
    pLayout->addWidget(pPlain);
    pLayout->addLayout(pButtons);
    pLayout->addWidget(pCoded);
    pLayout->addWidget(pState);

    auto options = [=] {
        return pUrlSafe->isChecked() ? QByteArray::Base64UrlEncoding : QByteArray::Base64Encoding;
    };
    QObject::connect(pEncode, &QPushButton::clicked, [=] {
        pCoded->setPlainText(QString::fromLatin1(pPlain->toPlainText().toUtf8().toBase64(options())));
        pState->clear();
    });
    QObject::connect(pDecode, &QPushButton::clicked, [=] {
        const auto result = QByteArray::fromBase64Encoding(pCoded->toPlainText().trimmed().toLatin1(),
                                                           options() | QByteArray::AbortOnBase64DecodingErrors);
        if (!result) {
            pState->setText("This is not valid Base64.");
            return;
        }
        pPlain->setPlainText(QString::fromUtf8(*result));
        pState->clear();
    });
    window.show();
    return app.exec();
}
