// The catalog loader and the settings store against damaged files. Fed seeded mutations of valid files,
// they load or refuse, never crash or hang, and a refused file is left as it was. A process killed while
// it saves the tool states or a setting leaves each file either as it was or as it was going to be, never
// broken: a real writer is killed at seeded random moments.

#include "ConfigKey.h"
#include "ConfigureStore.h"
#include "Mutator.h"
#include "TestFiles.h"
#include "TestXml.h"
#include "ToolCatalog.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

using gearbay::ConfigureStore;
using gearbay::ToolCatalog;

namespace {

// Pieces that upset XML readers: markup, entities, encodings, deep nesting, a long text.
const QList<QByteArray> kTokens = { "<", ">", "</", "/>", "&", "&amp;", "&#0;", "&#xD800;", "&unknown;",
    "<![CDATA[", "]]>", "<!--", "-->", "<?xml version=\"1.0\" encoding=\"UTF-16\"?>",
    "<!DOCTYPE a [<!ENTITY e \"&e;&e;\">]>", "\xff\xfe", "\xc3\x28", "\0", "<ToolKey>-2147483648</ToolKey>",
    "<ToolKey>99999999999</ToolKey>", QByteArray(300, '<'), QByteArray(20000, 'x') };

const QByteArray kCatalog
    = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ToolsInfo>"
      "<Tool><ToolKey>0</ToolKey><Version>3</Version><DownloadCHUrl>m.tar.gz</DownloadCHUrl></Tool>"
      "<Tool><ToolKey>2</ToolKey><ToolType>1</ToolType><ToolCHName>\xe5\xb7\xa5\xe5\x85\xb7</ToolCHName>"
      "<ToolENName>Snip</ToolENName><Version>1.2</Version><ExeName>snip.exe</ExeName><ToolSize>12</ToolSize>"
      "<DetailImagesNum>2</DetailImagesNum><DownloadCHUrl>ch/snip.tar.gz</DownloadCHUrl>"
      "<DownloadENUrl>en/snip.tar.gz</DownloadENUrl><BriefIntroduction>Cuts &amp; "
      "pastes</BriefIntroduction></Tool>"
      "<Tool><ToolKey>3</ToolKey><Version>2.0</Version><ExeName>hex</ExeName></Tool>"
      "</ToolsInfo>\n";
const QByteArray kStates
    = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Tools>"
      "<State><ToolKey>2</ToolKey><CurrentVersion>1.1</CurrentVersion><IsDownload>1</IsDownload>"
      "<IsNewTools>0</IsNewTools><IsNeedUpdate>1</IsNeedUpdate><ListOrder>3</ListOrder></State>"
      "<State><ToolKey>3</ToolKey><CurrentVersion>2.0</CurrentVersion><IsDownload>0</IsDownload>"
      "<IsNewTools>1</IsNewTools><IsNeedUpdate>0</IsNeedUpdate><ListOrder>0</ListOrder></State>"
      "</Tools>\n";

// The writer the killed-write test kills: saves the tool states and one setting over and over, as the
// program does. Each round writes one number everywhere, so a reader can tell a whole file from a mixed
// one; the round number is printed after each round.
int writeLoop(const QString &strFolder)
{
    ConfigureStore store;
    ToolCatalog catalog(strFolder, 0, 1);
    if (!store.load(strFolder + QStringLiteral("/Setup.xml")) || !catalog.loadToolStates())
        return 3;
    for (int iRound = 1;; ++iRound) {
        for (auto &state : catalog.toolStates())
            state.CurrentVersion = std::to_string(iRound);
        if (!catalog.saveToolStates()
            || !store.setValue(gearbay::ConfigKey::DownloadPath, QStringLiteral("/dl/%1").arg(iRound)))
            return 4;
        std::printf("%d\n", iRound);
        std::fflush(stdout);
    }
}

} // namespace

class TestDamagedFiles : public QObject
{
    Q_OBJECT

private slots:
    void mutatedFilesLoadOrFail_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("ToolsInfoList.xml") << "ToolsFile/ToolsInfoList.xml" << 101u;
        QTest::newRow("ToolsStateList.xml") << "ToolsStateList.xml" << 202u;
        QTest::newRow("Setup.xml") << "Setup.xml" << 303u;
    }
    void mutatedFilesLoadOrFail();
    void killedWritesLeaveFilesWhole();
};

void TestDamagedFiles::mutatedFilesLoadOrFail()
{
    QFETCH(QString, file);
    QFETCH(quint32, seed);
    QTemporaryDir folder;
    // The settings as the program ships them.
    const QMap<QString, QByteArray> originals { { "ToolsFile/ToolsInfoList.xml", kCatalog },
        { "ToolsStateList.xml", kStates }, { "Setup.xml", readFile(RW_BUILD_DIR "/core/Setup.xml") } };
    const QString strTarget = folder.path() + QLatin1Char('/') + file;
    QRandomGenerator random(seed);
    int iRefused = 0;
    const int iRounds = 1500;
    for (int i = 0; i < iRounds; ++i) {
        for (auto it = originals.cbegin(); it != originals.cend(); ++it)
            writeFile(folder.path() + QLatin1Char('/') + it.key(), it.value());
        const QByteArray mutated = mutate(originals.value(file), kTokens, 6, &random);
        writeFile(strTarget, mutated);
        const QString strCase = QStringLiteral("mutation %1 of seed %2: %3")
                                    .arg(i)
                                    .arg(seed)
                                    .arg(QString::fromLatin1(mutated.left(300).toPercentEncoding()));
        QElapsedTimer timer;
        timer.start();
        bool bLoaded = false;
        if (file == QLatin1String("Setup.xml")) {
            ConfigureStore store;
            bLoaded = store.load(strTarget);
            // Reading every value of whatever was loaded must hold too.
            (void)store.translator(), (void)store.serverAddress(), (void)store.downloadPath(),
                (void)store.proxy();
            if (!bLoaded)
                QVERIFY2(store.entries().isEmpty(), qPrintable(strCase));
        } else {
            ToolCatalog catalog(folder.path(), uint(random.bounded(3)), 1);
            bLoaded = catalog.init();
            for (const int iKey : catalog.toolInfos().keys())
                (void)catalog.toolName(iKey), (void)catalog.downloadUrl(iKey),
                    (void)catalog.toolExePath(iKey), (void)catalog.isNeedUpdate(iKey);
        }
        if (!bLoaded) {
            ++iRefused;
            // A refused file is left for the user to see or repair, not replaced.
            QVERIFY2(readFile(strTarget) == mutated, qPrintable(strCase));
        }
        QVERIFY2(timer.elapsed() < 10000, qPrintable(strCase));
    }
    // The mutations must really reach the refusing paths, or this test proves little.
    QVERIFY(iRefused > iRounds / 10);
    QVERIFY(iRefused < iRounds);
}

void TestDamagedFiles::killedWritesLeaveFilesWhole()
{
    QTemporaryDir folder;
    // A long state list makes each save take long enough to be killed in the middle of it.
    const int iTools = 400;
    {
        ToolCatalog catalog(folder.path(), 0, 1);
        for (int iKey = 2; iKey < iTools + 2; ++iKey)
            catalog.toolStates().insert(iKey, gearbay::ToolState { iKey, "0" });
        QVERIFY(catalog.saveToolStates());
        const XmlFields settings = { { "Translator", "0" }, { "DownloadPath", "/dl/0" } };
        QVERIFY(writeXmlFile(folder.filePath("Setup.xml"), xmlElement("Configure", settings, true)));
    }

    QRandomGenerator random(2026);
    int iLastRound = 0;
    for (int iKill = 0; iKill < 25; ++iKill) {
        QProcess writer;
        writer.start(
            QCoreApplication::applicationFilePath(), { QStringLiteral("--write-loop"), folder.path() });
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

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--write-loop") == 0)
        return writeLoop(QString::fromLocal8Bit(argv[2]));
    TestDamagedFiles test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_damagedfiles.moc"
