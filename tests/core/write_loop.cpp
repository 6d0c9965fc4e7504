// Test helper: saves the tool states and one setting over and over, as the program does, until it is
// killed. Each round writes one number everywhere, so a reader can tell a whole file from a mixed one.
// Usage: rw_write_loop <program folder>; prints the round number after each round.

#include "ConfigKey.h"
#include "ConfigureStore.h"
#include "ToolCatalog.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: rw_write_loop <program folder>\n");
        return 2;
    }
    const QString strFolder = QString::fromLocal8Bit(argv[1]);
    gearbay::ConfigureStore store;
    gearbay::ToolCatalog catalog(strFolder, 0, 1);
    if (!store.load(strFolder + QStringLiteral("/Setup.xml")) || !catalog.loadToolStates())
        return 3;
    for (int iRound = 1;; ++iRound) {
        const std::string strVersion = std::to_string(iRound);
        for (auto &state : catalog.toolStates())
            state.CurrentVersion = strVersion;
        if (!catalog.saveToolStates()
            || !store.setValue(gearbay::ConfigKey::DownloadPath, QStringLiteral("/dl/%1").arg(iRound)))
            return 4;
        std::printf("%d\n", iRound);
        std::fflush(stdout);
    }
}
