// Port Checker: tells whether a TCP port on this computer (127.0.0.1) accepts connections.

#include <QApplication>
#include <QFormLayout>
#include <QHostAddress>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpSocket>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Port Checker " RW_DEMO_VERSION));
    auto *pForm = new QFormLayout(&window);
    auto *pPort = new QSpinBox;
    pPort->setRange(1, 65535);
    pPort->setValue(8080);
    auto *pCheck = new QPushButton("Check");
    auto *pResult = new QLabel("Only ports on this computer are checked.");
    pForm->addRow("Host", new QLabel("127.0.0.1"));
    pForm->addRow("Port", pPort);
    pForm->addRow("", pCheck);
    pForm->addRow(pResult);

    auto *pSocket = new QTcpSocket(&window);
    auto *pTimeout = new QTimer(&window);
    pTimeout->setSingleShot(true);
    auto finish = [=](const QString &strText) {
        pTimeout->stop();
        pSocket->abort();
        pResult->setText(strText);
        pCheck->setEnabled(true);
    };
    QObject::connect(pSocket, &QTcpSocket::connected,
                     [=] { finish(QString("Port %1 is open: something is listening.").arg(pPort->value())); });
    QObject::connect(pSocket, &QTcpSocket::errorOccurred,
                     [=] { finish(QString("Port %1 is closed (%2).").arg(pPort->value()).arg(pSocket->errorString())); });
    QObject::connect(pTimeout, &QTimer::timeout,
                     [=] { finish(QString("Port %1 did not answer within 2 seconds.").arg(pPort->value())); });
    QObject::connect(pCheck, &QPushButton::clicked, [=] {
        pCheck->setEnabled(false);
        pResult->setText("Checking...");
        pSocket->abort();
        pSocket->connectToHost(QHostAddress::LocalHost, quint16(pPort->value()));
        pTimeout->start(2000);
    });
    window.show();
    return app.exec();
}
