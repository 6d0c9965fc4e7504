// JSON Formatter: checks a JSON text and writes it indented or compact.

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QJsonDocument>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("JSON Formatter " RW_DEMO_VERSION));
    window.resize(640, 480);
    auto *pLayout = new QVBoxLayout(&window);
    auto *pText = new QPlainTextEdit;
    pText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    pText->setPlaceholderText("{\"paste\": \"JSON here\"}");
    auto *pButtons = new QHBoxLayout;
    auto *pIndent = new QPushButton("Format");
    auto *pCompact = new QPushButton("Compact");
    auto *pState = new QLabel;
    pButtons->addWidget(pIndent);
    pButtons->addWidget(pCompact);
    pButtons->addStretch();
    pLayout->addWidget(pText);
    pLayout->addLayout(pButtons);
    pLayout->addWidget(pState);

    auto rewrite = [=](QJsonDocument::JsonFormat format) {
        const QByteArray input = pText->toPlainText().toUtf8();
        QJsonParseError error {};
        const QJsonDocument document = QJsonDocument::fromJson(input, &error);
        if (error.error != QJsonParseError::NoError) {
            const QByteArray before = input.left(error.offset);
            pState->setText(QString("Line %1, column %2: %3")
                                .arg(before.count('\n') + 1)
                                .arg(error.offset - before.lastIndexOf('\n'))
                                .arg(error.errorString()));
            return;
        }
        pText->setPlainText(QString::fromUtf8(document.toJson(format)));
        pState->setText(QString("Valid JSON, %1 bytes.").arg(input.size()));
    };
    QObject::connect(pIndent, &QPushButton::clicked, [=] { rewrite(QJsonDocument::Indented); });
    QObject::connect(pCompact, &QPushButton::clicked, [=] { rewrite(QJsonDocument::Compact); });
    window.show();
    return app.exec();
}
