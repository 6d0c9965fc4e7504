// Runs the real copier against a temporary program folder and home directory, with a shell
// script standing in for the program so every start is recorded.
#include "TestFiles.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

const QByteArray kSetup
    = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Setup>\n"
      "  <Translator>\n    <Value>1</Value>\n  </Translator>\n"
      "  <DownloadPath>\n    <Value>%DOWNLOAD%</Value>\n  </DownloadPath>\n"
      "  <IsNeedUpdate>\n    <Value>1</Value>\n  </IsNeedUpdate>\n"
      "  <ChServerAddress>\n    <Value>file:///srv/目录 &amp; co</Value>\n  </ChServerAddress>\n"
      "</Setup>\n";

// A setting that only the new version ships.
const QByteArray kNewKey = "  <Proxy>\n    <Value>none</Value>\n  </Proxy>\n";

// A program that appends its tag to the start log; "stay" (or bStay) keeps it running a while.
QByteArray fakeProgram(const QByteArray &tag, int iExitCode, bool bStay = false)
{
    return "#!/bin/sh\necho " + tag + " >> \"$RW_FAKE_LOG\"\nif [ \"$1\" = stay ] || " + (bStay ? "true" : "false")
        + "; then sleep 7; echo " + tag + "-exit >> \"$RW_FAKE_LOG\"; fi\nexit " + QByteArray::number(iExitCode) + "\n";
}

// The program folder's files; the copier's log and Setup.xml (compared as text) are left out.
QMap<QString, QByteArray> programFiles(const QString &strDir)
{
    QMap<QString, QByteArray> files = snapshot(strDir, true);
    files.remove("Stilemend/Stilemend.log");
    files.remove("Setup.xml");
    return files;
}

} // namespace

class TestStilemend : public QObject
{
    Q_OBJECT

private slots:
    void handOver_data()
    {
        QTest::addColumn<QString>("newProgram"); // "good", "staying", "failing", "none", "no marker"
        QTest::addColumn<QString>("obstacle"); // what stands in the way of the copy
        QTest::addColumn<bool>("programRunning"); // the old program is still running at the start
        QTest::addColumn<bool>("expectInstalled");

        QTest::newRow("complete update") << "good" << "" << false << true;
        QTest::newRow("waits for the running program") << "good" << "" << true << true;
        QTest::newRow("new program outlives the copier") << "staying" << "" << false << true;
        QTest::newRow("marker without a program") << "none" << "" << false << false;
        QTest::newRow("no marker folder") << "no marker" << "" << false << false;
        QTest::newRow("new program does not start") << "failing" << "" << false << false;
        QTest::newRow("file in the way of a new folder") << "good" << "file" << false << false;
        QTest::newRow("read-only program folder") << "good" << "read-only" << false << false;
        QTest::newRow("download path inside the marker") << "good" << "download in marker" << false << false;
    }

    void handOver()
    {
        QFETCH(QString, newProgram);
        QFETCH(QString, obstacle);
        QFETCH(bool, programRunning);
        QFETCH(bool, expectInstalled);
        // Permissions do not stop root: as root the copier then runs as "nobody" on a tree it owns.
        const bool bAsNobody = obstacle == QLatin1String("read-only") && ::geteuid() == 0;
        const QString strSetpriv = QStandardPaths::findExecutable("setpriv");
        if (bAsNobody && strSetpriv.isEmpty())
            QSKIP("needs setpriv to drop root");

        QTemporaryDir root;
        const QString strProgram = root.filePath("program folder");
        const QString strHome = root.filePath("home");
        const QString strMarker = strHome + "/Rig Warden";
        const QString strLog = root.filePath("started.log");
        const QString strCopier = strProgram + "/Stilemend/Stilemend";

        // The installed program with the user's data.
        const bool bDownloadInMarker = obstacle == QLatin1String("download in marker");
        const QString strDownload = bDownloadInMarker ? strMarker + "/My Tools" : strProgram + "/Download";
        const QByteArray setup = QByteArray(kSetup).replace("%DOWNLOAD%", QFile::encodeName(strDownload));
        if (bDownloadInMarker)
            writeFile(strDownload + "/SubTools/Tool/Tool", "installed tool", true);
        writeFile(strProgram + "/RigWarden", fakeProgram("old", 0), true);
        writeFile(strProgram + "/Ferrodock", "old server", true);
        writeFile(strProgram + "/plugins/libskin.so", "old skin");
        writeFile(strProgram + "/Setup.xml", setup);
        writeFile(strProgram + "/ToolsStateList.xml", "<Tools><Tool><ToolKey>7</ToolKey></Tool></Tools>\n");
        writeFile(strProgram + "/ToolsFile/ToolsInfoList.xml", "<Tools>old catalog</Tools>\n");
        writeFile(strProgram + "/ToolsFileTemp/ToolsInfoList.xml", "<Tools>pending catalog</Tools>\n");
        writeFile(strProgram + "/Download/SubTools/Tool/Tool", "installed tool", true);
        QVERIFY(QDir().mkpath(strProgram + "/Stilemend"));
        QVERIFY(QFile::copy(QStringLiteral(STILEMEND_BINARY), strCopier));
        if (obstacle == QLatin1String("file"))
            writeFile(strProgram + "/docs", "a file where the new version has a folder");

        // The downloaded new version, with shipped defaults that must not replace the user's.
        if (newProgram != QLatin1String("no marker"))
            writeFile(strMarker + "/Ferrodock", "new server"); // modes lost in the package
        if (newProgram != QLatin1String("none") && newProgram != QLatin1String("no marker")) {
            const bool bStaying = newProgram == QLatin1String("staying");
            writeFile(strMarker + "/RigWarden", fakeProgram("new", newProgram == QLatin1String("failing") ? 3 : 0, bStaying),
                      !bStaying);
            writeFile(strMarker + "/plugins/libskin.so", "new skin");
            writeFile(strMarker + "/docs/manual/help.txt", "new help");
            writeFile(strMarker + "/Setup.xml",
                QByteArray(kSetup).replace("%DOWNLOAD%", "").replace("</Setup>", kNewKey + "</Setup>"));
            writeFile(strMarker + "/ToolsStateList.xml", "<Tools/>\n");
            writeFile(strMarker + "/ToolsFile/ToolsInfoList.xml", "<Tools>shipped catalog</Tools>\n");
            writeFile(strMarker + "/ToolsFileTemp/ToolsInfoList.xml", "<Tools>stray</Tools>\n");
            writeFile(strMarker + "/Download/SubTools/Tool/Tool", "stray tool");
            writeFile(strMarker + "/Stilemend/Stilemend", "new copier", true);
        }
        if (QTest::currentTestFailed())
            return;
        if (obstacle == QLatin1String("read-only"))
            QVERIFY(QFile::setPermissions(strProgram + "/plugins", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        const QMap<QString, QByteArray> before = programFiles(strProgram);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", strHome);
        env.insert("RW_FAKE_LOG", strLog);

        QProcess running;
        if (programRunning) {
            running.setProcessEnvironment(env);
            running.start(strProgram + "/RigWarden", { "stay" });
            QVERIFY(running.waitForStarted(10000));
            QTRY_VERIFY_WITH_TIMEOUT(readFile(strLog).startsWith("old\n"), 10000);
        }

        QProcess copier;
        copier.setProcessEnvironment(env);
        copier.setProcessChannelMode(QProcess::MergedChannels);
        copier.setStandardOutputFile(root.filePath("copier.out"));
        if (bAsNobody) {
            QCOMPARE(QProcess::execute("chown", { "-R", "65534:65534", root.path() }), 0);
            copier.start(strSetpriv, {"--reuid=65534", "--regid=65534", "--clear-groups", strCopier, strCopier, "Rig Warden"});
        } else {
            copier.start(strCopier, { strCopier, "Rig Warden" });
        }
        QVERIFY(copier.waitForFinished(90000));
        const QByteArray copierLog = readFile(root.filePath("copier.out"));
        QCOMPARE(copier.exitCode(), expectInstalled ? 0 : 1);
        if (programRunning) {
            QVERIFY(running.waitForFinished(30000));
            QVERIFY2(readFile(strLog).startsWith("old\nold-exit\n"), readFile(strLog).constData());
        }

        // The program started last is the new one after an update, the old one otherwise.
        const QByteArray lastStart = expectInstalled ? "new\n" : "old\n";
        QTRY_VERIFY_WITH_TIMEOUT(readFile(strLog).endsWith(lastStart), 10000);
        if (newProgram == QLatin1String("failing"))
            QVERIFY2(readFile(strLog).endsWith("new\nold\n"), readFile(strLog).constData());
        if (newProgram == QLatin1String("staying"))
            QTRY_COMPARE_WITH_TIMEOUT(readFile(strLog), QByteArray("new\nnew-exit\n"), 30000);

        // A marker holding the user's tools is neither used nor removed.
        QVERIFY2(QFileInfo::exists(strMarker) == bDownloadInMarker, copierLog.constData());
        if (bDownloadInMarker)
            QCOMPARE(readFile(strDownload + "/SubTools/Tool/Tool"), QByteArray("installed tool"));
        // The user's settings byte for byte, except the cleared flag and the setting the new version
        // brought (which stays after a restore: the old program ignores it).
        QByteArray expectedSetup = QByteArray(setup).replace("<IsNeedUpdate>\n    <Value>1<", "<IsNeedUpdate>\n    <Value>0<");
        if (expectInstalled || newProgram == QLatin1String("failing"))
            expectedSetup.replace("</Setup>", kNewKey + "</Setup>");
        QCOMPARE(readFile(strProgram + "/Setup.xml"), expectedSetup);

        const QMap<QString, QByteArray> after = programFiles(strProgram);
        QMap<QString, QByteArray> expected = before;
        if (expectInstalled) {
            // Program files new, user data identical, nothing left over from the swap.
            const QMap<QString, QByteArray> mapNew {{"Ferrodock", "new server"}, {"plugins/libskin.so", "new skin"},
                                                    {"docs/manual/help.txt", "new help"}, {"Stilemend/Stilemend", "new copier"}};
            for (auto it = mapNew.begin(); it != mapNew.end(); ++it)
                expected.insert(it.key(), QCryptographicHash::hash(it.value(), QCryptographicHash::Sha1));
            expected.insert("RigWarden", after.value("RigWarden"));
            QVERIFY(QFileInfo(strProgram + "/Ferrodock").isExecutable());
        }
        // A failed update leaves every byte of the old folder as it was, temporary files included.
        QCOMPARE(after.keys(), expected.keys());
        QVERIFY(after == expected);
        QVERIFY2(copierLog.contains(expectInstalled ? "installed" : "started"), copierLog.constData());
        if (!obstacle.isEmpty() && !bDownloadInMarker)
            QVERIFY2(copierLog.contains("update not installed"), copierLog.constData());

        QFile::setPermissions(strProgram + "/plugins", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestStilemend)
#include "tst_stilemend.moc"
