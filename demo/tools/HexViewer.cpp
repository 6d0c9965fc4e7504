// Hex Viewer: offsets, bytes and printable characters of the first 256 KiB of a file.

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

static QString hexDump(const QByteArray &data)
{
    QString strOut;
    for (int iOffset = 0; iOffset < data.size(); iOffset += 16) {
        const QByteArray row = data.mid(iOffset, 16);
        QString strHex, strText;
        for (int i = 0; i < 16; ++i) {
            strHex += i < row.size() ? QString("%1 ").arg(quint8(row[i]), 2, 16, QChar('0')) : QString("   ");
            if (i < row.size())
                strText += (row[i] >= 0x20 && row[i] < 0x7f) ? QChar(row[i]) : QChar('.');
        }
        strOut += QString("%1  %2 %3\n").arg(iOffset, 8, 16, QChar('0')).arg(strHex, strText);
    }
    return strOut;
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Hex Viewer " RW_DEMO_VERSION));
    window.resize(720, 480);
    auto *pLayout = new QVBoxLayout(&window);
    auto *pOpen = new QPushButton("Open file...");
    auto *pView = new QPlainTextEdit;
    pView->setReadOnly(true);
    pView->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    pLayout->addWidget(pOpen);
    pLayout->addWidget(pView);

    auto load = [=, &window](const QString &strPath) {
        QFile file(strPath);
        if (!file.open(QIODevice::ReadOnly)) {
            pView->setPlainText("Cannot open " + strPath);
            return;
        }
        window.setWindowTitle(QStringLiteral("Hex Viewer " RW_DEMO_VERSION " - ") + strPath);
        pView->setPlainText(hexDump(file.read(256 * 1024)));
    };
    QObject::connect(pOpen, &QPushButton::clicked, [=, &window] {
        const QString strPath = QFileDialog::getOpenFileName(&window, "Open file");
        if (!strPath.isEmpty())
            load(strPath);
    });
    if (app.arguments().size() > 1)
        load(app.arguments().at(1));
    window.show();
    return app.exec();
}
