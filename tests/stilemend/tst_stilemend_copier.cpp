// The copier's building blocks under faults that a real run cannot produce on demand: a rename
// failing in the middle of the swap, Setup.xml files of every shape the user may have, and a
// program that does not exit or a folder that holds none.
#include "FolderReplacer.h"
#include "ProcessScan.h"
#include "SetupValueFile.h"
#include "TestFiles.h"
#include "UpdateHandOver.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using gearbay::FolderReplacer;
using gearbay::SetupValueFile;

namespace {

// Fails the n-th rename of the swap, as a full or failing disk would.
class FailingReplacer : public FolderReplacer
{
public:
    using FolderReplacer::FolderReplacer;
    int m_iFailAt = 0;
    int m_iCalls = 0;

protected:
    bool renameEntry(const QString &strFrom, const QString &strTo) override
    {
        return ++m_iCalls != m_iFailAt && FolderReplacer::renameEntry(strFrom, strTo);
    }
};

} // namespace

class TestStilemendCopier : public QObject
{
    Q_OBJECT

private slots:
    void swapFailure_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::newRow("first backup") << 1;
        QTest::newRow("first install") << 2;
        QTest::newRow("in the middle") << 5;
        QTest::newRow("last rename") << 8;
        QTest::newRow("no failure, then restore") << 0;
    }

    void swapFailure()
    {
        QFETCH(int, failAt);
        QTemporaryDir root;
        const QString strOld = root.filePath("program");
        const QString strNew = root.filePath("new");
        writeFile(strOld + "/RigWarden", "old program");
        writeFile(strOld + "/plugins/libskin.so", "old skin");
        writeFile(strOld + "/ToolsStateList.xml", "user state");
        QVERIFY(QFile::link("plugins/libskin.so", strOld + "/skin"));
        writeFile(strNew + "/RigWarden", "new program");
        writeFile(strNew + "/plugins/libskin.so", "new skin");
        writeFile(strNew + "/plugins/libstyle.so", "new style");
        writeFile(strNew + "/ToolsStateList.xml", "shipped state");
        QVERIFY(QFile::link("RigWarden", strNew + "/skin"));
        writeFile(strNew + "/translations/gearbay_en.qm", "new translation");
        if (QTest::currentTestFailed())
            return;
        const QMap<QString, QByteArray> before = snapshot(strOld);

        // 4 files and a link to swap, 3 of them over an old entry: 8 renames in all.
        FailingReplacer replacer(strNew, strOld, {"ToolsStateList.xml"});
        replacer.m_iFailAt = failAt;
        const bool bReplaced = replacer.replace();
        QCOMPARE(bReplaced, failAt == 0);
        if (bReplaced) {
            QCOMPARE(replacer.m_iCalls, 8);
            QCOMPARE(readFile(strOld + "/plugins/libstyle.so"), QByteArray("new style"));
            QCOMPARE(QFile::symLinkTarget(strOld + "/skin"), strOld + "/RigWarden");
            QCOMPARE(readFile(strOld + "/ToolsStateList.xml"), QByteArray("user state"));
            QVERIFY(replacer.restore());
        } else {
            QVERIFY(!replacer.errorString().isEmpty());
        }
        QCOMPARE(snapshot(strOld).keys(), before.keys());
        QVERIFY(snapshot(strOld) == before);
    }

    // The cleared update flag, and the keys a new version ships that the user's file lacks.
    void setupFile_data()
    {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("shipped"); // empty: the flag is cleared instead
        QTest::addColumn<QByteArray>("expected"); // empty: the call must fail and change nothing

        const QByteArray plain = "<Setup>\n <IsNeedUpdate>\n  <Value>1</Value>\n </IsNeedUpdate>\n</Setup>\n";
        const QByteArray none;
        QTest::newRow("plain") << plain << none << QByteArray(plain).replace(">1<", ">0<");
        const QByteArray bom = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Setup><DownloadPath><Value>"
                               "/home/用户/下载 &amp; 工具</Value></DownloadPath>\r\n"
                               "<IsNeedUpdate><Value> 1 </Value></IsNeedUpdate></Setup>";
        QTest::newRow("BOM, CRLF and Chinese before the key")
            << bom << none << QByteArray(bom).replace("> 1 <", ">0<");
        QTest::newRow("empty self-closed value")
            << QByteArray("<S><IsNeedUpdate><Value/></IsNeedUpdate></S>") << none
            << QByteArray("<S><IsNeedUpdate><Value>0</Value></IsNeedUpdate></S>");
        const QByteArray key = "<IsNeedUpdate><Value>1</Value></IsNeedUpdate>";
        QTest::newRow("first of two keys; nested one ignored")
            << "<S><G>" + key + "</G>" + key + key + "</S>" << none
            << "<S><G>" + key + "</G>" + QByteArray(key).replace(">1<", ">0<") + key + "</S>";
        const QByteArray gbk = "<?xml version=\"1.0\" encoding=\"GBK\"?><S><P><Value>\xD6\xD0</Value></P>" + key + "</S>";
        QTest::newRow("GBK encoded") << gbk << none << QByteArray(gbk).replace("e>1<", "e>0<");
        QTest::newRow("key missing") << QByteArray("<S><Translator><Value>1</Value></Translator></S>") << none
                                     << none;
        QTest::newRow("key without value") << QByteArray("<S><IsNeedUpdate/></S>") << none << none;
        QTest::newRow("malformed") << QByteArray("<S><IsNeedUpdate><Value>1</Value></S>") << none << none;

        const QByteArray user
            = "<?xml version=\"1.0\"?>\n<Configure>\n    <DownloadPath>\n        <Value>/home/用户</Value>\n"
              "    </DownloadPath>\n    <IsNeedUpdate>\n        <Value>1</Value>\n    "
              "</IsNeedUpdate>\n</Configure>\n";
        QTest::newRow("new keys appended with their shipped values")
            << user
            << QByteArray(
                   "<Configure>\n  <DownloadPath><Value></Value></DownloadPath>\n  <Proxy>\n    "
                   "<Value>none</Value>\n  </Proxy>\n"
                   "  <IsNeedUpdate><Value>0</Value></IsNeedUpdate>\n  <Skin><Value/></Skin>\n</Configure>\n")
            << QByteArray(user).replace("</Configure>",
                   "  <Proxy>\n    <Value>none</Value>\n  </Proxy>\n  <Skin><Value/></Skin>\n</Configure>");
        QTest::newRow("nothing new leaves the file alone")
            << user << QByteArray("<C><IsNeedUpdate><Value>0</Value></IsNeedUpdate></C>") << user;
        QTest::newRow("one-line file") << QByteArray("<C><A><Value>1</Value></A></C>")
                                       << QByteArray("<C><B><Value>2</Value></B></C>")
                                       << QByteArray("<C><A><Value>1</Value></A>\n<B><Value>2</Value></B>\n</C>");
        QTest::newRow("malformed shipped file") << user << QByteArray("<C><B>") << none;
    }

    void setupFile()
    {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, shipped);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString strPath = dir.filePath("Setup.xml");
        writeFile(strPath, user);
        writeFile(dir.filePath("shipped.xml"), shipped);

        QString strError;
        QStringList listAdded;
        const bool bWritten = shipped.isEmpty()
            ? SetupValueFile::write(strPath, "IsNeedUpdate", "0", &strError)
            : SetupValueFile::addMissingKeys(strPath, dir.filePath("shipped.xml"), &listAdded);
        QCOMPARE(bWritten, !expected.isEmpty());
        QCOMPARE(readFile(strPath), expected.isEmpty() ? user : expected);
        if (shipped.isEmpty())
            QCOMPARE(strError.isEmpty(), !expected.isEmpty());
    }

    // A program that does not exit, and a copier run by hand from a folder that holds no program: every
    // file is kept (the update stays pending for the program's next start).
    void leftAlone_data()
    {
        QTest::addColumn<bool>("programFolder");
        QTest::addColumn<int>("result");
        QTest::newRow("program does not exit") << true << int(gearbay::UpdateHandOver::StillRunning);
        QTest::newRow("not a program folder") << false << int(gearbay::UpdateHandOver::NotProgramFolder);
    }

    void leftAlone()
    {
        QFETCH(bool, programFolder);
        QFETCH(int, result);
        QTemporaryDir root;
        const QString strProgram = root.filePath("program");
        const QString strMarker = root.filePath("Rig Warden");
        const QString strOld = strProgram + "/RigWarden";
        if (programFolder) {
            writeFile(strOld, "#!/bin/sh\nwhile :; do sleep 1; done\n", true);
            writeFile(strProgram + "/Setup.xml", "<S><IsNeedUpdate><Value>1</Value></IsNeedUpdate></S>\n");
        } else {
            writeFile(strProgram + "/notes.txt", "the user's file");
        }
        // A start would leave its mark.
        writeFile(strMarker + "/RigWarden", "#!/bin/sh\ntouch \"$0.started\"\n", true);
        const QMap<QString, QByteArray> before = snapshot(root.path(), true);
        QProcess running;
        auto stop = qScopeGuard([&running] {
            running.kill();
            running.waitForFinished(5000);
        });
        if (programFolder) {
            running.start(strOld, QStringList());
            QVERIFY(running.waitForStarted(10000));
            QTRY_VERIFY_WITH_TIMEOUT(!gearbay::ProcessScan::running(strOld).isEmpty(), 10000);
        }

        gearbay::UpdateHandOver handOver(strProgram, strMarker);
        handOver.setWaitTimeout(300);
        QCOMPARE(int(handOver.run()), result);
        QVERIFY(snapshot(root.path(), true) == before);
        QCOMPARE(running.state(), programFolder ? QProcess::Running : QProcess::NotRunning);
    }
};

QTEST_GUILESS_MAIN(TestStilemendCopier)
#include "tst_stilemend_copier.moc"
