#include "Gearbay.h"
#include "GearbayApplication.h"

int main(int argc, char *argv[])
{
    gearbay::GearbayApplication app(argc, argv);
    if (!app.init()) {
        QCoreApplication::exit(0);
        return -1;
    }
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);

    auto *window = new gearbay::Gearbay;
    app.window = window;
    window->show();
    const int code = QApplication::exec();
    app.window = nullptr;
    delete window;
    return code;
}
