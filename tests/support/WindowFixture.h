#pragma once

#include "CatalogTestServer.h"
#include "TempProgramFolder.h"

#include <QMap>
#include <QStringList>

#include <functional>
#include <memory>

namespace gearbay {
class Gearbay;
class SubToolWidget;
}

// The real main window over a throwaway program folder, with a catalog server on loopback. The
// window starts the real Ferrodock itself: the "Ferrodock" it finds beside the test is a link to a
// copy inside the program folder, which the server then reads as its own. A test using it runs
// from a folder of its own (rw_add_window_test).
class WindowFixture
{
public:
    // strServed: the folder the catalog server serves.
    explicit WindowFixture(const QString &strServed);
    ~WindowFixture();

    // Setup.xml pointing at the server, strToolsFile copied as the shipped catalog (empty: the test
    // writes its own), and the state list with the installed tools (key -> installed version).
    bool prepare(const QString &strToolsFile, const QMap<int, QString> &mapInstalled = {});
    // Unpacks the tool's package, as the catalog in strCatalog lists it, where the program installs it.
    bool unpack(const QString &strCatalog, int iKey) const;
    // Loads the settings and the catalog as start-up does, opens the window and returns it once its
    // server runs.
    gearbay::Gearbay *open();
    // Ends the tools the window started, the window and its server.
    void close();

    gearbay::Gearbay *window() const { return m_pWindow; }
    CatalogTestServer &server() { return m_server; }
    TempProgramFolder &folder() { return m_folder; }
    const TempProgramFolder &folder() const { return m_folder; }
    gearbay::SubToolWidget *card(int iKey) const;

    // Every message the window showed; answer gives the button pressed (default: OK).
    QStringList tips;
    std::function<int(const QString &)> answer;

private:
    TempProgramFolder m_folder;
    CatalogTestServer m_server;
    gearbay::Gearbay *m_pWindow = nullptr;
};
