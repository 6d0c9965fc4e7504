// Timestamp Converter: Unix time to calendar time and back, in UTC and local time.

#include <QApplication>
#include <QDateTime>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Timestamp Converter " RW_DEMO_VERSION));
    auto *pForm = new QFormLayout(&window);
    auto *pSeconds = new QLineEdit;
    auto *pNow = new QPushButton("Now");
    auto *pUtc = new QLineEdit;
    auto *pLocal = new QLabel;
    auto *pState = new QLabel;
    pForm->addRow("Unix time (s)", pSeconds);
    pForm->addRow("", pNow);
    pForm->addRow("UTC (yyyy-MM-dd HH:mm:ss)", pUtc);
    pForm->addRow("Local time", pLocal);
    pForm->addRow(pState);

    auto fromSeconds = [=] {
        bool bOk = false;
        const qint64 iSeconds = pSeconds->text().trimmed().toLongLong(&bOk);
        if (!bOk) {
            pState->setText("Not a whole number of seconds.");
            return;
        }
        const QDateTime time = QDateTime::fromSecsSinceEpoch(iSeconds, Qt::UTC);
        pUtc->blockSignals(true);
        pUtc->setText(time.toString("yyyy-MM-dd HH:mm:ss"));
        pUtc->blockSignals(false);
        pLocal->setText(time.toLocalTime().toString("yyyy-MM-dd HH:mm:ss t"));
        pState->clear();
    };
    auto fromUtc = [=] {
        QDateTime time = QDateTime::fromString(pUtc->text().trimmed(), "yyyy-MM-dd HH:mm:ss");
        if (!time.isValid()) {
            pState->setText("Write the time as 2024-05-01 08:30:00.");
            return;
        }
        time.setTimeSpec(Qt::UTC);
        pSeconds->blockSignals(true);
        pSeconds->setText(QString::number(time.toSecsSinceEpoch()));
        pSeconds->blockSignals(false);
        pLocal->setText(time.toLocalTime().toString("yyyy-MM-dd HH:mm:ss t"));
        pState->clear();
    };
    QObject::connect(pSeconds, &QLineEdit::textEdited, fromSeconds);
    QObject::connect(pUtc, &QLineEdit::textEdited, fromUtc);
    QObject::connect(pNow, &QPushButton::clicked, [=] {
        pSeconds->setText(QString::number(QDateTime::currentSecsSinceEpoch()));
        fromSeconds();
    });
    pNow->click();
    window.show();
    return app.exec();
}
