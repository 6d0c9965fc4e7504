#include "TestFiles.h"
#include "ToolLaunch.h"
#include "Utilities.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>

using namespace gearbay;

// Process check, free space and tool launch against the real system. (The directory copy:
// tst_toolcatalog, through the catalog swap that uses it.)
class TestUtilities : public QObject
{
    Q_OBJECT

private slots:
    void processFoundByExactName_data()
    {
        QTest::addColumn<bool>("bScript");
        QTest::newRow("binary") << false;
        QTest::newRow("script") << true;
    }

    void processFoundByExactName()
    {
        QFETCH(bool, bScript);
        QTemporaryDir dir;
        const QString exe = dir.filePath("Tool.exe");
        if (bScript) {
            writeFile(exe, "#!/bin/sh\nexec 0<&-\nwhile :; do sleep 1; done\n", true);
        } else {
            const QString sleep = QStandardPaths::findExecutable("sleep");
            QVERIFY(!sleep.isEmpty());
            QVERIFY(QFile::copy(sleep, exe));
        }
        QVERIFY(!isProcessRunning("Tool.exe"));
        QProcess process;
        process.start(exe, bScript ? QStringList() : QStringList{"60"});
        QVERIFY(process.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(isProcessRunning("Tool.exe"), 10000);
        QVERIFY(!isProcessRunning("tool.exe"));
        QVERIFY(!isProcessRunning("Tool"));
        QVERIFY(!isProcessRunning("Tool.ex"));
        process.kill();
        QVERIFY(process.waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!isProcessRunning("Tool.exe"), 10000);
    }

    void wholeGiB_data()
    {
        QTest::addColumn<quint64>("bytes");
        QTest::addColumn<qint64>("gib");
        const quint64 giB = quint64(1) << 30;
        QTest::newRow("2.9 GiB") << quint64(2.9 * giB) << qint64(2);
        QTest::newRow("16 TiB") << (quint64(16) << 40) << qint64(16384);
    }

    void wholeGiB()
    {
        QFETCH(quint64, bytes);
        QTEST(gearbay::wholeGiB(bytes), "gib");
    }

    void freeSpaceOfPathNotCreatedYet()
    {
        QTemporaryDir dir;
        const qint64 expected = QStorageInfo(dir.path()).bytesFree() >> 30;
        const qint64 deep = diskFreeSpaceGB(dir.filePath("RigWarden/SubTools/not/there"));
        QVERIFY2(qAbs(deep - expected) <= 1, qPrintable(QString("%1 vs %2").arg(deep).arg(expected)));
        QCOMPARE(diskFreeSpaceGB(dir.path()), deep);
        QCOMPARE(diskFreeSpaceGB(QString()), qint64(0));
    }

    void launchRunsInToolFolderAndEnds()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath("SubTools/Snip Tool");
        const QString exe = folder + "/snip.sh";
        writeFile(exe, "#!/bin/sh\npwd > started.txt\necho \"$1\" >> started.txt\nexec sleep 60\n", true);
        ToolLaunch launch;
        QVERIFY(launch.start(exe, {"--arg with space"}));
        QVERIFY(launch.pid() > 0);
        QTRY_COMPARE_WITH_TIMEOUT(readFile(folder + "/started.txt"),
                                  QFile::encodeName(QFileInfo(folder).canonicalFilePath()) + "\n--arg with space\n",
                                  10000);
        QVERIFY(launch.isRunning());
        // Nothing of ours stays open in the tool: no console pipe, no socket, no lock file.
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(launch.pid()));
        QCOMPARE(fds.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System), (QStringList{"0", "1", "2"}));
        QCOMPARE(QFile::symLinkTarget(fds.filePath("1")), QString("/dev/null"));
        QVERIFY(launch.terminate());
        QTRY_VERIFY_WITH_TIMEOUT(!launch.isRunning(), 10000);
    }

    void launchRefusesWhatCannotRun_data()
    {
        QTest::addColumn<QString>("strName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("bExecutable");
        QTest::newRow("missing") << "" << QByteArray() << false;
        QTest::newRow("not executable") << "plain.txt" << QByteArray("text") << false;
        QTest::newRow("bad interpreter") << "broken.sh" << QByteArray("#!/nonexistent/shell\n") << true;
    }

    void launchRefusesWhatCannotRun()
    {
        QFETCH(QString, strName);
        QFETCH(QByteArray, content);
        QFETCH(bool, bExecutable);
        QTemporaryDir dir;
        const QString path = dir.filePath(strName.isEmpty() ? "missing.exe" : strName);
        if (!strName.isEmpty())
            writeFile(path, content, bExecutable);
        ToolLaunch launch;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(path)));
        QVERIFY(!launch.start(path));
        QVERIFY(!launch.isRunning());
        QVERIFY(!launch.terminate());
    }
};

QTEST_GUILESS_MAIN(TestUtilities)
#include "tst_utilities.moc"
