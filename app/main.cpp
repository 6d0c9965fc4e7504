#include "Gearbay.h"
#include "GearbayApplication.h"
#include "TerminationSignals.h"

int main(int argc, char *argv[])
{
    // Nothing here draws with OpenGL, yet on X11 Qt loads the GL driver with the first window to probe
    // it: with Mesa's software driver that alone is over 40 MiB of the program's memory. A choice made
    // in the environment stands; ours is dropped once the window exists, so the tools the user starts
    // from here still get their GL.
    const bool bNoGl = qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION");
    if (bNoGl)
        qputenv("QT_XCB_GL_INTEGRATION", "none");
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
    if (bNoGl)
        qunsetenv("QT_XCB_GL_INTEGRATION");
    const int code = QApplication::exec();
    app.window = nullptr;
    delete window;
    return code;
}
