// A process killed while it saves the tool states or a setting leaves each file either as it was or as
// it was going to be, never broken: a real writer is killed at seeded random moments.

#include "TestXml.h"
#include "ConfigKey.h"
#include "ConfigureStore.h"
#include "ToolCatalog.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using gearbay::ConfigureStore;
using gearbay::ToolCatalog;

class TestKilledWrites : public QObject
{
    Q_OBJECT

private slots:
    void filesStayWhole();
};

void TestKilledWrites::filesStayWhole()
{
    QTemporaryDir folder;
    // A long state list makes each save take long enough to be killed in the middle of it.
    const int iTools = 400;
    {
        ToolCatalog catalog(folder.path(), 0, 1);
        for (int iKey = 2; iKey < iTools + 2; ++iKey)
            catalog.toolStates().insert(iKey, gearbay::ToolState{iKey, "0"});
        QVERIFY(catalog.saveToolStates());
        const XmlFields settings = {{"Translator", "0"}, {"DownloadPath", "/dl/0"}};
        QVERIFY(writeXmlFile(folder.filePath("Setup.xml"), xmlElement("Configure", settings, true)));
    }

    QRandomGenerator random(2026);
    int iLastRound = 0;
    for (int iKill = 0; iKill < 25; ++iKill) {
        QProcess writer;
        writer.start(QStringLiteral(RW_WRITE_LOOP_PATH), {folder.path()});
        QVERIFY(writer.waitForStarted(10000));
        // Once it is writing, let it run a random while, then kill it without warning.
        QVERIFY2(writer.waitForReadyRead(20000), qPrintable(writer.readAllStandardError()));
        QTest::qWait(random.bounded(40));
        writer.kill();
        QVERIFY(writer.waitForFinished(10000));
        const QList<QByteArray> rounds = writer.readAllStandardOutput().split('\n');
        iLastRound = rounds.size() > 1 ? rounds.at(rounds.size() - 2).toInt() : iLastRound;

        // Each file parses, and holds one round's values throughout.
        ToolCatalog catalog(folder.path(), 0, 1);
        const QByteArray round = "kill " + QByteArray::number(iKill);
        QVERIFY2(catalog.loadToolStates(), round.constData());
        QCOMPARE(catalog.toolStates().size(), iTools);
        const std::string strVersion = catalog.toolStates().first().CurrentVersion;
        for (const auto &state : qAsConst(catalog.toolStates()))
            QCOMPARE(state.CurrentVersion, strVersion);
        ConfigureStore store;
        QVERIFY2(store.load(folder.path() + QStringLiteral("/Setup.xml")), round.constData());
        QVERIFY(QRegularExpression(QStringLiteral("^/dl/\\d+$")).match(store.downloadPath()).hasMatch());
        // The settings file is written after the state list in each round: never ahead of it by more.
        const int iSettingsRound = store.downloadPath().mid(4).toInt();
        QVERIFY(std::stoi(strVersion) >= iSettingsRound && std::stoi(strVersion) <= iSettingsRound + 1);
    }
    QVERIFY(iLastRound > 0);
}

QTEST_GUILESS_MAIN(TestKilledWrites)
#include "tst_killedwrites.moc"
