// The start-up baseline: a bare Qt Widgets window of the program's size, started the same way.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.resize(1200, 800);
    window.show();
    return app.exec();
}
