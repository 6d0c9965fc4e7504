// Stopwatch: start, stop, laps and reset, to the hundredth of a second.

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

static QString formatted(qint64 iMs)
{
    return QString("%1:%2.%3")
        .arg(iMs / 60000, 2, 10, QChar('0'))
        .arg(iMs / 1000 % 60, 2, 10, QChar('0'))
        .arg(iMs / 10 % 100, 2, 10, QChar('0'));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Stopwatch " RW_DEMO_VERSION));
    auto *pLayout = new QVBoxLayout(&window);
    auto *pTime = new QLabel(formatted(0));
    pTime->setAlignment(Qt::AlignCenter);
    pTime->setStyleSheet("font-size: 40px;");
    auto *pButtons = new QHBoxLayout;
    auto *pStart = new QPushButton("Start");
    auto *pLap = new QPushButton("Lap");
    auto *pReset = new QPushButton("Reset");
    auto *pLaps = new QListWidget;
    for (QPushButton *pButton : {pStart, pLap, pReset})
        pButtons->addWidget(pButton);
    pLayout->addWidget(pTime);
    pLayout->addLayout(pButtons);
    pLayout->addWidget(pLaps);

    auto *pClock = new QElapsedTimer;
    auto *pTick = new QTimer(&window);
    auto *pBanked = new qint64(0);
    auto elapsed = [=] { return *pBanked + (pClock->isValid() ? pClock->elapsed() : 0); };
    QObject::connect(pTick, &QTimer::timeout, [=] { pTime->setText(formatted(elapsed())); });
    QObject::connect(pStart, &QPushButton::clicked, [=] {
        if (pClock->isValid()) {
            *pBanked = elapsed();
            pClock->invalidate();
            pTick->stop();
            pStart->setText("Start");
        } else {
            pClock->start();
            pTick->start(30);
            pStart->setText("Stop");
        }
        pTime->setText(formatted(elapsed()));
    });
    QObject::connect(pLap, &QPushButton::clicked, [=] {
        pLaps->insertItem(0, QString("Lap %1   %2").arg(pLaps->count() + 1).arg(formatted(elapsed())));
    });
    QObject::connect(pReset, &QPushButton::clicked, [=] {
        *pBanked = 0;
        if (pClock->isValid())
            pClock->start();
        pLaps->clear();
        pTime->setText(formatted(elapsed()));
    });
    window.show();
    const int iResult = app.exec();
    delete pClock;
    delete pBanked;
    return iResult;
}
