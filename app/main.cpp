#include "Gearbay.h"
#include "GearbayApplication.h"
#include "TerminationSignals.h"

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
    // Ended by the session or a signal, the program keeps what the close button keeps.
    gearbay::TerminationSignals terminationSignals;
    terminationSignals.install();
    QObject::connect(&terminationSignals, &gearbay::TerminationSignals::signalTerminationRequested, &app,
                     &QApplication::quit);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, window, &gearbay::Gearbay::saveSession);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, window, &gearbay::Gearbay::endSession);
    window->show();
    const int code = QApplication::exec();
    app.window = nullptr;
    delete window;
    return code;
}
