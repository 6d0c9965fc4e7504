// The real Ferrodock against a real catalog server on loopback: installs, faults, cancel, refusals, fuzzing.

#include "ArchiveWriter.h"
#include "CatalogIndex.h"
#include "CatalogTestServer.h"
#include "ClientRequestManager.h"
#include "Corvanet.h"
#include "FerrodockLauncher.h"
#include "ForwardingProxy.h"
#include "Mutator.h"
#include "NginxServer.h"
#include "ServerProtocol.h"
#include "TempProgramFolder.h"
#include "TestFiles.h"
#include "TestProcess.h"
#include "Utilities.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QtTest>

using Fault = CatalogTestServer::Fault;
const QString kSumcalc = QStringLiteral("/tools/sumcalc.tar.gz");
namespace protocol = gearbay::protocol;

namespace {

using Entry = ArchiveEntry;

// Pieces that confuse JSON readers: structure, odd numbers, escapes, a long string.
const QList<QByteArray> kTokens
    = { "{", "}", "[", "]", "\"", ":", ",", "null", "true", "1e309", "-1", "0", "2147483648", "\"method\"",
          "\"urls\"", "\"url\"", "\\u0000", "\\ud800", "\xff\xfe", "../", "%2e%2e", QByteArray(5000, 'a') };

QByteArray sha256(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

QByteArray randomBytes(int iSize, quint32 iSeed = 4242)
{
    QByteArray data(iSize, Qt::Uninitialized);
    QRandomGenerator generator(iSeed);
    generator.fillRange(reinterpret_cast<quint32 *>(data.data()), iSize / 4);
    return data;
}

// The key line of a minisign .pub file, as CatalogPublicKey holds it.
QString publicKeyOf(const QString &strPubFile)
{
    return QString::fromLatin1(readFile(strPubFile).split('\n').value(1).trimmed());
}

// Every entry below strRoot, relative to it, sorted.
QStringList tree(const QString &strRoot)
{
    QStringList entries;
    QDirIterator it(strRoot, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries.append(QDir(strRoot).relativeFilePath(it.next()));
    entries.sort();
    return entries;
}

// Staging folders and partial downloads below strRoot.
QStringList leftovers(const QString &strRoot)
{
    return tree(strRoot).filter(QRegularExpression(QStringLiteral("\\.ferrodock-|\\.part$")));
}

} // namespace

Q_DECLARE_METATYPE(QVector<Entry>)

class TestFerrodock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_catalogDir.isValid());
        const QString strCatalog = m_catalogDir.path();
        writeFile(strCatalog + "/MaterialVersion.txt", " 7.2 \n");
        QVERIFY(QDir(strCatalog).mkpath("tools"));
        QVERIFY(writeArchive(strCatalog + "/material.tar.gz",
                             {{"ToolsFile/ToolsInfoList.xml", "<ToolsInfoList/>"}, {"ToolsFile/Icon/hexview.png", "png"}}));
        QVERIFY(writeArchive(strCatalog + "/program.tar.gz", {{"RigWarden-1.1/RigWarden", "program 1.1"},
                                                              {"RigWarden-1.1/translations/gearbay_zh.qm", "qm"}}));
        QVERIFY(writeArchive(strCatalog + "/tools/hexview.tar.gz",
                             {{"hexview", "#!/bin/sh\n"}, {"data/readme.txt", "read me"}}));
        // Chained and relative links that stay inside are ordinary in program folders.
        QVERIFY(writeArchive(strCatalog + "/tools/linked.tar.gz",
                             {{"linked", "bin"}, {"lib/libx.so.1.2", "lib"}, {"lib/libx.so.1", "", AE_IFLNK, "libx.so.1.2"},
                              {"lib/libx.so", "", AE_IFLNK, "libx.so.1"}, {"bin/tool", "", AE_IFLNK, "../linked"},
                              {"lib/hard", "", 0, "lib/libx.so.1.2"}}));
        QVERIFY(writeArchive(strCatalog + "/tools/unitconv.pkg", {{"unitconv.exe", "unitconv"}}, true));
        // The checksum file of hexview is published; Ferrodock must check and accept it.
        writeFile(strCatalog + "/tools/hexview.tar.gz.sha256",
                  sha256(readFile(strCatalog + "/tools/hexview.tar.gz")) + "  hexview.tar.gz\n");
        m_pCatalog = std::make_unique<CatalogTestServer>(strCatalog);
        QVERIFY(m_pCatalog->start());
        // The publisher's key, and another one nobody trusts.
        for (const char *pKey : {"trusted", "other"}) {
            const QString strBase = m_keyDir.filePath(QString::fromLatin1(pKey));
            if (!runProgram("minisign", {"-G", "-W", "-p", strBase + ".pub", "-s", strBase + ".key"}))
                return; // no minisign: the signed-catalog tests skip
        }
        m_strTrustedKey = publicKeyOf(m_keyDir.filePath("trusted.pub"));
    }
    void cleanupTestCase()
    {
        endProcess(m_ferrodock, false);
        m_pCatalog->stop();
    }
    void init()
    {
        // A fresh program folder and server for every test function, so no state leaks between them.
        endProcess(m_ferrodock, false);
        m_pCatalog->clearFaults();
        m_pCatalog->clearRequestedPaths();
        m_pProgram = std::make_unique<TempProgramFolder>();
        QVERIFY(m_pProgram->isValid());
        QVERIFY(m_pProgram->writeSetup(m_pCatalog->baseUrl(), QStringLiteral("file://") + m_catalogDir.path()));
        QVector<TempProgramFolder::Tool> tools;
        for (const auto &tool : QVector<QPair<QString, QString>>{{"", "material.tar.gz"}, {"RigWarden", "program.tar.gz"},
                 {"hexview", "tools/hexview.tar.gz"}, {"unitconv.exe", "tools/unitconv.pkg"},
                 {"sumcalc", "tools/sumcalc.tar.gz"}, {"linked", "tools/linked.tar.gz"}})
            tools.append({tools.size(), tool.first, tool.second, tool.second});
        QVERIFY(m_pProgram->writeCatalog(tools));
        m_strFerrodock = m_pProgram->installExecutable(QStringLiteral(RW_FERRODOCK_PATH));
        QVERIFY(!m_strFerrodock.isEmpty());
        QVERIFY(restartFerrodock());
    }
    void installsEachPackage_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<bool>("viaFile");
        QTest::addColumn<QString>("package");
        QTest::addColumn<QString>("installedFile");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("material") << 1 << false << "material.tar.gz" << "ToolsFileTemp/ToolsInfoList.xml"
                                  << QByteArray("<ToolsInfoList/>");
        QTest::newRow("program") << 2 << false << "program.tar.gz" << "home/Rig Warden/RigWarden" << QByteArray("program 1.1");
        QTest::newRow("tool, checksum verified") << 3 << false << "tools/hexview.tar.gz"
                                                 << "Downloads/SubTools/hexview/data/readme.txt" << QByteArray("read me");
        QTest::newRow("tool with links inside") << 3 << false << "tools/linked.tar.gz"
                                                << "Downloads/SubTools/linked/lib/libx.so" << QByteArray("lib");
        QTest::newRow("tool as zip") << 3 << false << "tools/unitconv.pkg" << "Downloads/SubTools/unitconv/unitconv.exe"
                                     << QByteArray("unitconv");
        // A tool over file://: proxyCarriesCatalogRequests.
        QTest::newRow("material over file://") << 1 << true << "material.tar.gz" << "ToolsFileTemp/Icon/hexview.png"
                                               << QByteArray("png");
        // What the program sends for a server address typed with a trailing "/".
        QTest::newRow("address ending in /") << 3 << false << "/tools/hexview.tar.gz"
                                             << "Downloads/SubTools/hexview/hexview" << QByteArray("#!/bin/sh\n");
    }
    void installsEachPackage()
    {
        QFETCH(int, method);
        QFETCH(bool, viaFile);
        QFETCH(QString, package);
        QFETCH(QString, installedFile);
        QFETCH(QByteArray, content);
        const QString strUrl = (viaFile ? QStringLiteral("file://") + m_catalogDir.path() : m_pCatalog->baseUrl())
                               + QLatin1Char('/') + package;
        QCOMPARE(fetch(method, strUrl), QStringLiteral("200"));
        QCOMPARE(readFile(m_pProgram->path() + QLatin1Char('/') + installedFile), content);
        QCOMPARE(leftovers(m_pProgram->path()), QStringList());
        if (!viaFile)
            QVERIFY(m_pCatalog->requestedPaths().contains(package.startsWith('/') ? package : '/' + package));
    }
    void answersMaterialVersion_data()
    {
        QTest::addColumn<QString>("address"); // empty: the catalog server, its version file gone
        // A version read: proxyCarriesCatalogRequests and the HTTPS install.
        QTest::newRow("version file missing") << "";
        QTest::newRow("not a server address") << "http://127.0.0.1:9/";
    }
    void answersMaterialVersion()
    {
        QFETCH(QString, address);
        if (address.isEmpty()) {
            address = m_pCatalog->baseUrl();
            m_pCatalog->setFault(QStringLiteral("/MaterialVersion.txt"), Fault::NotFound);
        }
        QCOMPARE(request(6, address), QString());
    }
    void faultLeavesInstalledVersion_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QVector<Entry>>("entries");
        QTest::addColumn<bool>("zip");
        QTest::addColumn<QString>("code");
        const QVector<Entry> good = {{"sumcalc", randomBytes(2 << 20)}};
        const Entry v2{"sumcalc", "v2"};
        const int none = int(Fault::None);
        QTest::newRow("404") << int(Fault::NotFound) << good << false << "404";
        QTest::newRow("500") << int(Fault::ServerError) << good << false << "-1";
        QTest::newRow("dropped mid-file") << int(Fault::DropMidFile) << good << false << "-1";
        QTest::newRow("fewer bytes than announced") << int(Fault::ShortBody) << good << false << "-1";
        QTest::newRow("checksum mismatch") << int(Fault::WrongChecksum) << good << false << "-1";
        QTest::newRow("corrupt archive") << none << QVector<Entry>() << false << "400";
        QTest::newRow("tool missing from package") << none << QVector<Entry>{{"other", "x"}} << false << "400";
        QTest::newRow("zip-slip ..") << none << QVector<Entry>{v2, {"../../evil", "x"}} << false << "400";
        QTest::newRow("zip-slip .. in zip") << none << QVector<Entry>{v2, {"../evil", "x"}} << true << "400";
        QTest::newRow("absolute path") << none << QVector<Entry>{v2, {"@ABS@/evil", "x"}} << false << "400";
        QTest::newRow("symlink out") << none << QVector<Entry>{v2, {"up", "", AE_IFLNK, "../../.."}} << false << "400";
        QTest::newRow("file through a link")
            << none << QVector<Entry>{v2, {"sub", "", AE_IFDIR}, {"a", "", AE_IFLNK, "sub"}, {"a/x", "x"}} << false << "400";
        QTest::newRow("link through a link")
            << none << QVector<Entry>{v2, {"a", "", AE_IFLNK, "."}, {"b", "", AE_IFLNK, "a/.."}} << false << "400";
        QTest::newRow("hard link out") << none << QVector<Entry>{v2, {"setup", "", 0, "../../../Setup.xml"}} << false
                                       << "400";
        QTest::newRow("huge declared size")
            << none << QVector<Entry> { v2, { "big", "v2", AE_IFREG, "", qint64(1) << 43 } } << false
            << "400";
        QTest::newRow("device file") << none << QVector<Entry>{v2, {"null", "", AE_IFCHR}} << false << "400";
    }
    void faultLeavesInstalledVersion()
    {
        QFETCH(int, fault);
        QFETCH(QVector<Entry>, entries);
        QFETCH(bool, zip);
        QFETCH(QString, code);
        installOldSumcalc();
        const QString strPackage = m_catalogDir.path() + kSumcalc;
        QFile::remove(strPackage);
        if (entries.isEmpty()) {
            writeFile(strPackage, "\x1f\x8b" + randomBytes(4096));
        } else {
            for (Entry &entry : entries)
                entry.strName.replace(QStringLiteral("@ABS@"), m_pProgram->path());
            QVERIFY(writeArchive(strPackage, entries, zip));
        }
        m_pCatalog->setFault(kSumcalc, Fault(fault));
        const QStringList before = tree(m_pProgram->path());

        QCOMPARE(fetch(3, m_pCatalog->baseUrl() + kSumcalc), code);
        // A connection broken mid-file keeps its bytes for a resume (and nothing else); every other fault
        // leaves the folder as it was.
        const QStringList strKept = leftovers(m_pProgram->path());
        QCOMPARE(strKept.filter(QRegularExpression(QStringLiteral("\\.part(\\.json)?$"))), strKept);
        QCOMPARE(strKept.size(), fault == int(Fault::DropMidFile) || fault == int(Fault::ShortBody) ? 2 : 0);
        QStringList after = tree(m_pProgram->path());
        for (const QString &strPath : strKept)
            after.removeAll(strPath);
        QCOMPARE(after, before);
        QCOMPARE(installedSumcalc(), QByteArray("version 1"));
    }
    void interruptedTransferInstallsLater_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancelled") << "cancel";
        QTest::newRow("killed") << "kill"; // no chance to clean up
        QTest::newRow("stopped") << "terminate"; // as when the program quits
    }
    // A cancel leaves nothing and starts over when asked again; a Ferrodock ended mid-transfer leaves the
    // bytes it has, and the next one resumes from them.
    void interruptedTransferInstallsLater()
    {
        QFETCH(QString, how);
        const bool bCancel = how == QLatin1String("cancel");
        installOldSumcalc();
        publishSumcalc(randomBytes(4 << 20), true);
        m_pCatalog->setFault(kSumcalc, Fault::Stall);
        const QString strUrl = m_pCatalog->baseUrl() + kSumcalc;
        QCOMPARE(request(3, strUrl), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(m_pCatalog->isStalling(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(request(4, strUrl).toInt() >= 40, 20000);
        QVERIFY(!leftovers(m_pProgram->path()).isEmpty()); // the partial file exists while it runs
        if (bCancel) {
            // Asking again while it runs neither restarts nor doubles the transfer.
            QCOMPARE(request(3, strUrl), QStringLiteral("0"));
            QTest::qWait(100);
            QCOMPARE(m_pCatalog->requestedPaths().count(kSumcalc), 1);
            // Answered only once stopped: nothing of the transfer is left.
            QCOMPARE(request(5, strUrl), QStringLiteral("0"));
            QCOMPARE(leftovers(m_pProgram->path()), QStringList());
            QCOMPARE(request(4, strUrl), QStringLiteral("0"));
        } else if (how == QLatin1String("kill")) {
            m_ferrodock.kill();
        } else {
            m_ferrodock.terminate();
        }
        QVERIFY(bCancel || m_ferrodock.waitForFinished(20000));
        QCOMPARE(leftovers(m_pProgram->path()).isEmpty(), bCancel);
        QCOMPARE(installedSumcalc(), QByteArray("version 1"));
        m_pCatalog->releaseStall();
        m_pCatalog->clearFaults();
        m_pCatalog->clearRequestedPaths();
        if (!bCancel) {
            QTest::qWait(1100); // file times have a resolution of a second on some file systems
            QVERIFY(restartFerrodock());
        }
        QCOMPARE(fetch(3, strUrl), QStringLiteral("200"));
        const QStringList strRanges = m_pCatalog->rangeRequests();
        QCOMPARE(strRanges.size(), bCancel ? 0 : 1);
        const QRegularExpression resumedPast0(QStringLiteral("^/tools/sumcalc.tar.gz bytes=[1-9]"));
        QCOMPARE(strRanges.filter(resumedPast0), strRanges);
        QCOMPARE(leftovers(m_pProgram->path()), QStringList());
        QCOMPARE(installedSumcalc(), randomBytes(4 << 20));
    }
    void resumesBrokenTransfer_data()
    {
        QTest::addColumn<bool>("checksum");
        QTest::addColumn<int>("secondFault");
        QTest::addColumn<QByteArray>("secondContent"); // empty: the package stays as it was
        // The first resumed attempt always asks for a range; when it cannot be used, the whole package
        // follows.
        QTest::addColumn<int>("packageRequests");
        QTest::newRow("resumed") << false << int(Fault::None) << QByteArray() << 2;
        QTest::newRow("resumed, checksum verified") << true << int(Fault::None) << QByteArray() << 2;
        QTest::newRow("server without ranges") << true << int(Fault::IgnoreRange) << QByteArray() << 2;
        // Other bytes of about the same size: the checksum (or the length) tells; fetched again whole.
        QTest::newRow("package replaced, checksum")
            << true << int(Fault::None) << randomBytes(2 << 20, 7) << 3;
        // Another length than first announced: the resumed answer does not fit the kept bytes.
        QTest::newRow("package replaced, other size")
            << false << int(Fault::None) << QByteArray(3 << 20, 'c') << 3;
    }
    void resumesBrokenTransfer()
    {
        QFETCH(bool, checksum);
        QFETCH(int, secondFault);
        QFETCH(QByteArray, secondContent);
        QFETCH(int, packageRequests);
        installOldSumcalc();
        publishSumcalc(randomBytes(2 << 20), checksum);
        const QString strUrl = m_pCatalog->baseUrl() + kSumcalc;
        m_pCatalog->setFault(kSumcalc, Fault::DropMidFile);
        QCOMPARE(fetch(3, strUrl), QStringLiteral("-1"));
        QCOMPARE(m_pCatalog->rangeRequests(), QStringList());

        if (!secondContent.isEmpty())
            publishSumcalc(secondContent, checksum);
        m_pCatalog->clearFaults();
        m_pCatalog->setFault(kSumcalc, Fault(secondFault));
        QCOMPARE(fetch(3, strUrl), QStringLiteral("200"));
        QCOMPARE(installedSumcalc(), secondContent.isEmpty() ? randomBytes(2 << 20) : secondContent);
        QCOMPARE(leftovers(m_pProgram->path()), QStringList());
        QCOMPARE(m_pCatalog->rangeRequests().size(), 1);
        QCOMPARE(m_pCatalog->requestedPaths().count(kSumcalc), packageRequests);
    }
    void proxyCarriesCatalogRequests_data()
    {
        QTest::addColumn<QString>("proxy"); // "@PROXY@" stands for the test proxy's URL
        QTest::addColumn<QString>("environment");
        QTest::addColumn<bool>("viaFile");
        QTest::addColumn<bool>("throughProxy");
        QTest::newRow("proxy set") << "@PROXY@" << "" << false << true;
        QTest::newRow("from the environment") << "" << "http_proxy=@PROXY@" << false << true;
        QTest::newRow("none beats the environment") << "none" << "http_proxy=@PROXY@" << false << false;
        QTest::newRow("environment's no_proxy") << "" << "http_proxy=@PROXY@;no_proxy=127.0.0.1" << false << false;
        QTest::newRow("file:// never proxied") << "@PROXY@" << "" << true << false;
    }
    void proxyCarriesCatalogRequests()
    {
        QFETCH(QString, proxy);
        QFETCH(QString, environment);
        QFETCH(bool, viaFile);
        QFETCH(bool, throughProxy);
        ForwardingProxy forwarder;
        QVERIFY(forwarder.start());
        proxy.replace(QStringLiteral("@PROXY@"), forwarder.url());
        environment.replace(QStringLiteral("@PROXY@"), forwarder.url());
        const QString strServer = viaFile ? QStringLiteral("file://") + m_catalogDir.path() : m_pCatalog->baseUrl();
        QVERIFY(m_pProgram->writeSetup(strServer, strServer, 0, proxy));
        QVERIFY(restartFerrodock({}, environment.split(QLatin1Char(';'), Qt::SkipEmptyParts)));

        const QString strUrl = strServer + QStringLiteral("/tools/hexview.tar.gz");
        QCOMPARE(fetch(3, strUrl), QStringLiteral("200"));
        QCOMPARE(request(6, strServer), QStringLiteral("7.2"));
        QVERIFY(QFileInfo(m_pProgram->downloadPath() + QStringLiteral("/SubTools/hexview/hexview")).isFile());
        // Package, its checksum and the catalog's version all go through the proxy, or none of them.
        QStringList strForwarded = forwarder.forwarded();
        strForwarded.sort();
        QCOMPARE(strForwarded, throughProxy ? (QStringList{strServer + "/MaterialVersion.txt", strUrl, strUrl + ".sha256"})
                                            : QStringList());
    }
    void refusesUrlsOutsideServer_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("method");
        QTest::newRow("another host") << "http://127.0.0.2:@PORT@/tools/hexview.tar.gz" << 3;
        QTest::newRow("port prefix") << "http://127.0.0.1:@PORT@0/tools/hexview.tar.gz" << 3;
        QTest::newRow("user info") << "http://127.0.0.1:@PORT@@127.0.0.1:@PORT@/tools/hexview.tar.gz" << 3;
        QTest::newRow("dot segments") << "@BASE@/tools/../tools/hexview.tar.gz" << 3;
        QTest::newRow("encoded dots") << "@BASE@/tools/%2e%2e/tools/hexview.tar.gz" << 3;
        QTest::newRow("not in the catalog") << "@BASE@/tools/unknown.tar.gz" << 3;
        QTest::newRow("material elsewhere") << "file:///etc/material.tar.gz" << 1;
        QTest::newRow("program elsewhere") << "http://127.0.0.2:@PORT@/program.tar.gz" << 2;
    }
    void refusesUrlsOutsideServer()
    {
        QFETCH(QString, url);
        QFETCH(int, method);
        url.replace(QStringLiteral("@BASE@"), m_pCatalog->baseUrl()).replace(QStringLiteral("@PORT@"), QString::number(m_pCatalog->port()));
        QCOMPARE(request(method, url), QStringLiteral("404"));
        QCOMPARE(request(4, url), QStringLiteral("404"));
        QTest::qWait(100);
        QCOMPARE(m_pCatalog->requestedPaths(), QStringList());
        QVERIFY(!QFileInfo::exists(m_pProgram->path() + QStringLiteral("/ToolsFileTemp")));
    }
    void badRequestsGetErrorAnswers_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<long>("status");
        QTest::addColumn<QByteArray>("reply"); // what the answer contains
        const QByteArray error("\"error\"");
        // Requests without URLs or with URLs that are no text: everyBodyGetsAWellFormedAnswer.
        QTest::newRow("not JSON") << protocol::methodPath(3) << QByteArray("{urls") << 400L << error;
        // A document with an unknown method is still answered URL by URL.
        QTest::newRow("unknown method")
            << protocol::methodPath(9) << protocol::requestBody(9, { "a", "b" }) << 200L
            << protocol::responseBody(9, { { "a", "404" }, { "b", "404" } });
        QTest::newRow("method against path") << protocol::methodPath(3) << protocol::requestBody(5, { "a" })
                                             << 200L << protocol::responseBody(5, { { "a", "404" } });
        QTest::newRow("unknown path")
            << "/Shutdown?format=json" << protocol::requestBody(3, {}) << 404L << error;
        QTest::newRow("oversized") << protocol::methodPath(4)
                                   << protocol::requestBody(4, { QString(2 << 20, 'x') }) << 413L << error;
    }
    void badRequestsGetErrorAnswers()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, body);
        QFETCH(long, status);
        QFETCH(QByteArray, reply);
        QByteArray answer;
        QCOMPARE(postToFerrodock(m_iPort, path, body, &answer), status);
        QVERIFY2(answer.contains(reply), answer.constData());
        // Still serving.
        QCOMPARE(request(4, QStringLiteral("http://nowhere/x")), QStringLiteral("404"));
        QCOMPARE(m_ferrodock.state(), QProcess::Running);
    }
    // Thousands of random and mutated request bodies, seeded, so that a failure names the request that
    // caused it and reproduces. Every answer must be a well-formed document, and the server must still
    // serve afterwards.
    void everyBodyGetsAWellFormedAnswer_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("random"); // random bytes, or mutations of valid requests
        QTest::newRow("random bytes") << 11u << 3000 << true;
        QTest::newRow("mutated requests") << 23u << 6000 << false;
    }
    void everyBodyGetsAWellFormedAnswer()
    {
        QFETCH(quint32, seed);
        QFETCH(int, count);
        QFETCH(bool, random);
        QRandomGenerator generator(seed);
        const QString strBase = m_pCatalog->baseUrl();
        // Requests a client could send; URLs outside the catalog server included (they are refused unread).
        const QStringList strUrls = { strBase + QStringLiteral("/tools/hexview.tar.gz"), strBase,
            QStringLiteral("http://127.0.0.2:1/x"), QStringLiteral("file:///etc/passwd"), QString(),
            QString::fromUtf8("http://127.0.0.1:1/工具") };
        for (int i = 0; i < count; ++i) {
            const int iMethod = generator.bounded(1, 7);
            QString strPath = protocol::methodPath(iMethod);
            QByteArray body;
            if (random) {
                body.resize(generator.bounded(400));
                for (char &c : body)
                    c = char(generator.bounded(256));
                if (generator.bounded(8) == 0)
                    strPath = QStringLiteral("/") + QString::number(generator.generate(), 36);
            } else {
                QStringList urls;
                for (int j = generator.bounded(4); j > 0; --j)
                    urls.append(strUrls.at(generator.bounded(strUrls.size())));
                body = mutate(protocol::requestBody(iMethod, urls), kTokens, 4, &generator);
            }
            QByteArray reply;
            const long iStatus = postToFerrodock(m_iPort, strPath, body, &reply);
            const QString strCase = QStringLiteral("request %1 of seed %2 to %3: %4 -> %5 %6")
                                        .arg(i)
                                        .arg(seed)
                                        .arg(strPath, QString::fromLatin1(body.left(200).toPercentEncoding()),
                                            QString::number(iStatus), QString::fromUtf8(reply.left(200)));
            if (iStatus == 200) {
                int iAnswered = 0;
                QVector<protocol::UrlValue> values;
                QString strError;
                QVERIFY2(protocol::parseResponse(reply, &iAnswered, &values, &strError), qPrintable(strCase));
                // The method asked is echoed, with one entry per URL, whether the path serves it or not.
                int iAsked = 0;
                QStringList urls;
                QVERIFY2(protocol::parseRequest(body, &iAsked, &urls, &strError), qPrintable(strCase));
                QVERIFY2(iAnswered == iAsked && values.size() == urls.size(), qPrintable(strCase));
            } else {
                QVERIFY2(iStatus == 400 || iStatus == 404 || iStatus == 413, qPrintable(strCase));
                const QJsonObject answer = QJsonDocument::fromJson(reply).object();
                QVERIFY2(answer.value(QStringLiteral("error")).isString(), qPrintable(strCase));
            }
            QVERIFY2(m_ferrodock.state() == QProcess::Running, qPrintable(strCase));
        }
        // Still answering ordinary requests.
        QCOMPARE(request(4, QStringLiteral("http://x/")), QStringLiteral("404"));
    }
    void refusesWhatTheIndexDoesNotVouchFor_data()
    {
        QTest::addColumn<QString>("attack");
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("code");
        QTest::newRow("package changed, its .sha256 rewritten") << "tamper" << 3 << "460";
        QTest::newRow("another signed package of the catalog") << "swap" << 3 << "460";
        QTest::newRow("index signed by another key") << "other key" << 3 << "460";
        QTest::newRow("index without signature") << "unsigned" << 3 << "460";
        QTest::newRow("older index after a newer one") << "rollback" << 3 << "460";
        QTest::newRow("expired index") << "expired" << 3 << "460";
        QTest::newRow("endless package") << "endless" << 3 << "460";
        QTest::newRow("program package changed") << "tamper" << 2 << "460";
        QTest::newRow("changed on the server, good on a mirror") << "mirror" << 3 << "200";
        QTest::newRow("legacy signature") << "legacy" << 3 << "200";
    }
    void refusesWhatTheIndexDoesNotVouchFor()
    {
        QFETCH(QString, attack);
        QFETCH(int, method);
        QFETCH(QString, code);
        if (m_strTrustedKey.isEmpty())
            QSKIP("minisign is not installed");
        const QString strCatalog = m_catalogDir.path();
        installOldSumcalc();
        const QByteArray v2 = randomBytes(1 << 20, 11);
        publishSumcalc(v2, true);
        QVERIFY(writeArchive(strCatalog + "/tools/sumcalc-1.0.tar.gz", {{"sumcalc", "genuine, but another package"}}));
        const QString strPackage = method == 2 ? QStringLiteral("program.tar.gz") : QStringLiteral("tools/sumcalc.tar.gz");
        const QString strFile = strCatalog + QLatin1Char('/') + strPackage;
        signCatalog(10, 1, QStringLiteral("trusted"), attack == QLatin1String("legacy"));
        QVERIFY(m_pProgram->writeSetup(m_pCatalog->baseUrl(), m_pCatalog->baseUrl(), 0, QString(),
                                       {{"CatalogPublicKey", m_strTrustedKey},
                                        {"CatalogMirrors", attack == QLatin1String("mirror") ? "file://" + strCatalog : ""}}));
        if (attack == QLatin1String("tamper")) {
            QByteArray bytes = readFile(strFile);
            bytes[bytes.size() / 2] = char(bytes.at(bytes.size() / 2) ^ 0x01);
            writeFile(strFile, bytes);
            writeFile(strFile + ".sha256", sha256(bytes) + "\n");
        } else if (attack == QLatin1String("swap")) {
            QFile::remove(strFile);
            QVERIFY(QFile::copy(strCatalog + "/tools/sumcalc-1.0.tar.gz", strFile));
        } else if (attack == QLatin1String("other key")) {
            signCatalog(10, 1, QStringLiteral("other"));
        } else if (attack == QLatin1String("unsigned")) {
            QVERIFY(QFile::remove(strCatalog + "/catalog.index.minisig"));
        } else if (attack == QLatin1String("rollback")) {
            QCOMPARE(request(6, m_pCatalog->baseUrl()), QStringLiteral("7.2"));
            signCatalog(9, 1);
        } else if (attack == QLatin1String("expired")) {
            signCatalog(10, -1);
        } else if (attack == QLatin1String("endless")) {
            m_pCatalog->setFault('/' + strPackage, Fault::EndlessBody);
        } else if (attack == QLatin1String("mirror")) {
            m_pCatalog->setFault('/' + strPackage, Fault::Tampered);
        }

        // An index that cannot be trusted refuses at once, a package during the transfer; polls tell either.
        const QString strUrl = m_pCatalog->baseUrl() + QLatin1Char('/') + strPackage;
        QCOMPARE(fetch(method, strUrl).remove(QStringLiteral("start: ")), code);
        QCOMPARE(request(4, strUrl), code);
        QCOMPARE(leftovers(m_pProgram->path()), QStringList());
        if (method == 2)
            QVERIFY(!QFileInfo::exists(m_pProgram->homePath() + QStringLiteral("/Rig Warden")));
        else
            QCOMPARE(installedSumcalc(), code == QLatin1String("200") ? v2 : QByteArray("version 1"));
    }
    void installsFromSignedDemoCatalogOverHttps()
    {
        // The demo catalog as the build signed it, served by nginx over TLS; the requests go through the
        // program's own dispatcher, with the server address typed with a trailing "/".
        const QString strDemo = QStringLiteral(RW_BUILD_DIR "/demo/catalog");
        const QString strKey = publicKeyOf(QStringLiteral(RW_BUILD_DIR "/demo-key/demo.pub"));
        if (!QFileInfo::exists(strDemo + "/catalog.index.minisig") || strKey.isEmpty())
            QSKIP("the demo catalog is not built or not signed");
        if (!NginxServer::missingTools().isEmpty())
            QSKIP(qPrintable("not installed: " + NginxServer::missingTools()));
        NginxServer nginx(strDemo);
        QVERIFY2(nginx.start(), qPrintable(nginx.lastError()));
        const QString strBase = nginx.baseUrl() + QLatin1Char('/');
        QVERIFY(m_pProgram->writeSetup(strBase, strBase, 0, QStringLiteral("none"),
                                       {{"CatalogPublicKey", strKey}, {"CatalogCaFile", nginx.caFile()}}));
        const QString strCatalogFile = m_pProgram->path() + QStringLiteral("/ToolsFile/ToolsInfoList.xml");
        QFile::remove(strCatalogFile);
        QVERIFY(QFile::copy(strDemo + "/ToolsInfoList.xml", strCatalogFile));
        QVERIFY(CorvaInit());
        gearbay::ClientRequestManager dispatcher;
        m_pDispatcher = &dispatcher;
        const auto cleanup = qScopeGuard([this] {
            m_pDispatcher = nullptr;
            CorvaFini();
        });
        QCOMPARE(fetch(3, gearbay::catalogFileUrl(strBase, "tools/ChecksumCalc.tar.gz")), QStringLiteral("200"));
        QVERIFY(QFileInfo(m_pProgram->downloadPath() + "/SubTools/ChecksumCalc/ChecksumCalc").isExecutable());
        QCOMPARE(request(6, strBase), QString::fromUtf8(readFile(strDemo + "/MaterialVersion.txt").trimmed()));
        QCOMPARE(fetch(1, gearbay::catalogFileUrl(strBase, "material/ToolsFile.tar.gz")), QStringLiteral("200"));
        QVERIFY(QFileInfo::exists(m_pProgram->path() + "/ToolsFileTemp/ToolsInfoList.xml"));
        QCOMPARE(fetch(2, gearbay::catalogFileUrl(strBase, "program/RigWarden.tar.gz")), QStringLiteral("200"));
        QVERIFY(QFileInfo::exists(m_pProgram->homePath() + "/Rig Warden"));
    }
    void fullDiskAnswers400()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("prlimit")).isEmpty())
            QSKIP("prlimit is not installed");
        installOldSumcalc();
        publishSumcalc(randomBytes(4 << 20), false);
        // A file-size limit makes every write past 1 MiB fail as a full disk would.
        QVERIFY(restartFerrodock({ QStringLiteral("prlimit"), QStringLiteral("--fsize=1048576") }));
        QCOMPARE(fetch(3, m_pCatalog->baseUrl() + kSumcalc), QStringLiteral("400"));
        QCOMPARE(installedSumcalc(), QByteArray("version 1"));
        QCOMPARE(leftovers(m_pProgram->path()), QStringList());
    }
    void endsWithItsParent()
    {
        // A shell stands in for the program: it starts Ferrodock, reports its pid, and is then killed.
        QProcess parent;
        const int iPort = freeLoopbackPort();
        parent.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("\"$0\" \"$1\" & echo $!; wait"),
                                                 m_strFerrodock, QString::number(iPort)});
        QVERIFY(parent.waitForReadyRead(10000));
        const qint64 iChild = parent.readLine().trimmed().toLongLong();
        QVERIFY(iChild > 0);
        QTRY_VERIFY_WITH_TIMEOUT(request(4, QStringLiteral("http://x/"), iPort) == QStringLiteral("404"), 10000);
        parent.kill();
        QVERIFY(parent.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(QStringLiteral("/proc/%1/cmdline").arg(iChild))
                                     || readFile(QStringLiteral("/proc/%1/cmdline").arg(iChild)).isEmpty(),
                                 10000);
    }
    void listensOnLoopbackOnly()
    {
        // Its listening socket is bound to 127.0.0.1 itself, not to every address of the machine: another
        // loopback address reaches every socket bound to all addresses (IPv6 ones included), but not this
        // one. (Other addresses of the machine are not tried: tests stay on loopback.)
        QTcpSocket other;
        other.connectToHost(QStringLiteral("127.0.0.2"), quint16(m_iPort));
        QVERIFY(!other.waitForConnected(5000));
        QCOMPARE(other.error(), QAbstractSocket::ConnectionRefusedError);
    }

private:
    // Ends the running Ferrodock, if any, and starts another on the program folder.
    bool restartFerrodock(
        const QStringList &strWrapper = QStringList(), const QStringList &strEnvironment = QStringList())
    {
        endProcess(m_ferrodock, false);
        const QStringList strStall { QStringLiteral("FERRODOCK_STALL_SECONDS=20") };
        m_iPort = startFerrodock(
            m_ferrodock, m_strFerrodock, m_pProgram->homePath(), strEnvironment + strStall, strWrapper);
        return m_iPort != 0;
    }
    // Writes catalog.index over the test catalog's files and signs it with the named key.
    void signCatalog(quint64 iSerial, int iValidDays, const QString &strKey = QStringLiteral("trusted"), bool bLegacy = false)
    {
        gearbay::protocol::CatalogIndex index;
        index.setSerial(iSerial);
        index.setExpires(QDateTime::currentDateTimeUtc().addDays(iValidDays));
        for (const char *pPath : {"MaterialVersion.txt", "material.tar.gz", "program.tar.gz", "tools/hexview.tar.gz",
                                  "tools/sumcalc.tar.gz", "tools/sumcalc-1.0.tar.gz"}) {
            const QByteArray content = readFile(m_catalogDir.filePath(QString::fromLatin1(pPath)));
            index.addFile(QString::fromLatin1(pPath), content.size(), QCryptographicHash::hash(content, QCryptographicHash::Sha256));
        }
        const QString strIndex = m_catalogDir.filePath(QStringLiteral("catalog.index"));
        writeFile(strIndex, index.toText());
        QStringList args{"-S", "-s", m_keyDir.filePath(strKey + ".key"), "-m", strIndex};
        if (bLegacy)
            args << "-l";
        QVERIFY(runProgram("minisign", args));
    }
    // Writes tools/sumcalc.tar.gz (one file "sumcalc" of the given content), with its checksum or without.
    void publishSumcalc(const QByteArray &content, bool bChecksum)
    {
        const QString strPackage = m_catalogDir.path() + QStringLiteral("/tools/sumcalc.tar.gz");
        QFile::remove(strPackage);
        QFile::remove(strPackage + QStringLiteral(".sha256"));
        QVERIFY(writeArchive(strPackage, {{QStringLiteral("sumcalc"), content}}));
        if (bChecksum)
            writeFile(strPackage + ".sha256", sha256(readFile(strPackage)) + "\n");
    }
    // One URL's answer, posted as any client would, or through the program's dispatcher when one is set.
    QString request(int iMethod, const QString &strUrl, int iPort = 0)
    {
        QByteArray reply;
        long iStatus = 0;
        if (m_pDispatcher) {
            QSignalSpy spy(m_pDispatcher, &gearbay::ClientRequestManager::signalRequestResult);
            m_pDispatcher->sendRequest(gearbay::RequestParam{iMethod, iPort ? iPort : m_iPort, {strUrl}});
            iStatus = spy.wait(30000) && spy.first().at(0).toInt() == 0 ? 200 : 0;
            reply = iStatus ? spy.first().at(1).toString().toLatin1() : QByteArray();
        } else {
            iStatus = postToFerrodock(iPort ? iPort : m_iPort, gearbay::protocol::methodPath(iMethod),
                           gearbay::protocol::requestBody(iMethod, {strUrl}), &reply);
        }
        int iAnswered = 0;
        QVector<gearbay::protocol::UrlValue> values;
        QString strError;
        if (iStatus != 200 || !gearbay::protocol::parseResponse(reply, &iAnswered, &values, &strError)
            || values.size() != 1 || values.first().first != strUrl || iAnswered != iMethod)
            return QStringLiteral("<bad answer %1: %2>").arg(iStatus).arg(QString::fromUtf8(reply));
        return values.first().second;
    }
    // Starts a transfer and polls its progress until the value leaves 0..100: the final value (the last
    // seen on timeout), or what the start was answered.
    QString fetch(int iMethod, const QString &strUrl)
    {
        QString strValue = request(iMethod, strUrl);
        if (strValue != QLatin1String("0"))
            return "start: " + strValue;
        for (QDeadlineTimer deadline(60000); !deadline.hasExpired(); QTest::qWait(100)) {
            strValue = request(4, strUrl);
            bool bNumber = false;
            const int iValue = strValue.toInt(&bNumber);
            if (!bNumber || iValue < 0 || iValue > 100)
                break;
        }
        return strValue;
    }
    QString sumcalcPath() const { return m_pProgram->downloadPath() + "/SubTools/sumcalc/sumcalc"; }
    QByteArray installedSumcalc() const { return readFile(sumcalcPath()); }
    void installOldSumcalc() { writeFile(sumcalcPath(), "version 1"); }

    QTemporaryDir m_catalogDir;
    QTemporaryDir m_keyDir;
    QString m_strTrustedKey;
    gearbay::ClientRequestManager *m_pDispatcher = nullptr;
    std::unique_ptr<CatalogTestServer> m_pCatalog;
    std::unique_ptr<TempProgramFolder> m_pProgram;
    QString m_strFerrodock;
    QProcess m_ferrodock;
    int m_iPort = 0;
};

QTEST_GUILESS_MAIN(TestFerrodock)
#include "tst_ferrodock.moc"
