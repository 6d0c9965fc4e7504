// The core against real files and processes: the settings store, the catalog and state files (loading,
// merging, the pending-catalog swap and saving), process checks, free space and tool launch.

#include "ConfigureStore.h"
#include "FileSizeLimit.h"
#include "GenericDS.h"
#include "StringConvert.h"
#include "TestFiles.h"
#include "TestXml.h"
#include "ToolCatalog.h"
#include "ToolLaunch.h"
#include "Utilities.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>

using namespace gearbay;

Q_DECLARE_METATYPE(ToolState)

class TestCore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Fields given as "Element=text".
    static XmlFields fields(const QStringList &pairs)
    {
        XmlFields fields;
        for (const QString &pair : pairs)
            fields.append({ pair.section('=', 0, 0), pair.section('=', 1) });
        return fields;
    }
    // A catalog of <Tool> elements.
    static QByteArray catalog(const QList<QStringList> &tools)
    {
        QString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ToolsInfo>";
        for (const QStringList &tool : tools)
            xml += xmlElement("Tool", fields(tool));
        return (xml + "</ToolsInfo>\n").toUtf8();
    }
    static void writeStates(const QString &dir, const QList<ToolState> &states)
    {
        ToolCatalog catalog(dir, 0, 1);
        for (const ToolState &s : states)
            catalog.toolStates().insert(s.ToolKey, s);
        QVERIFY(catalog.saveToolStates());
    }

    // A Setup.xml with one element per "Name=Value" pair, in the given order.
    QString writeSetup(const QStringList &pairs, const QString &strName = "Setup.xml")
    {
        writeXmlFile(m_dir.filePath(strName), xmlElement("Configure", fields(pairs), true));
        return m_dir.filePath(strName);
    }

private slots:
    void initTestCase()
    {
        // The settings the catalog reads its server and download folder from.
        QVERIFY(ConfigureStore::instance()->load(
            writeSetup({ "Translator=0", "DownloadPath=/opt/rw", "ChServerAddress=http://127.0.0.1:1/ch",
                           "EnServerAddress=http://127.0.0.1:1/en" },
                "Program.xml")));
    }

    void merge_data()
    {
        QTest::addColumn<bool>("bHasState");
        QTest::addColumn<ToolState>("stored");
        QTest::addColumn<QString>("strCatalogVersion");
        QTest::addColumn<ToolState>("expected");
        QTest::newRow("new tool") << false << ToolState() << "1.0" << ToolState { 5, "1.0", 0, 1, 0, 0 };
        QTest::newRow("same version clears update flag")
            << true << ToolState { 5, "1.0", 1, 0, 1, 3 } << "1.0" << ToolState { 5, "1.0", 1, 0, 0, 3 };
        QTest::newRow("changed, not installed")
            << true << ToolState { 5, "1.0", 0, 1, 0, 0 } << "1.1" << ToolState { 5, "1.1", 0, 1, 0, 0 };
        QTest::newRow("changed, installed")
            << true << ToolState { 5, "1.0", 1, 0, 0, 2 } << "1.1" << ToolState { 5, "1.0", 1, 0, 1, 2 };
        QTest::newRow("older catalog version still offered")
            << true << ToolState { 5, "2.0", 1, 0, 0, 0 } << "1.9" << ToolState { 5, "2.0", 1, 0, 1, 0 };
        QTest::newRow("versions compared as text")
            << true << ToolState { 5, "1.0", 1 } << "1.00" << ToolState { 5, "1.0", 1, 0, 1 };
    }

    void merge()
    {
        QFETCH(bool, bHasState);
        QFETCH(ToolState, stored);
        QFETCH(QString, strCatalogVersion);
        QFETCH(ToolState, expected);
        QMap<int, ToolInfo> infos;
        ToolInfo info;
        info.ToolKey = 5;
        info.Version = strCatalogVersion.toStdString();
        infos.insert(5, info);
        QMap<int, ToolState> states;
        if (bHasState)
            states.insert(5, stored);
        states.insert(9, ToolState { 9, "1.0", 1 }); // no longer in the catalog
        const QMap<int, ToolState> merged = ToolCatalog::mergeStates(infos, states);
        QCOMPARE(merged.keys(), QList<int> { 5 });
        QVERIFY(merged.value(5) == expected);
    }

    void oddCatalogEntries()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"),
            catalog({ { "ToolKey=4", "ToolENName=First", "Version=1" },
                { "ToolKey=4", "ToolENName=Second", "ToolSize=abc", "IsDown=x1" },
                { "ToolKey=6", QString::fromUtf8("ToolCHName=截图工具"), "ToolENName=Snip", "ToolSize=12.5",
                    "IsDown=1", "DetailImagesNum=3", "ToolENName=Later", "IconMinName= \n " } }));
        ToolCatalog catalog(dir.path(), 1, 1);
        QVERIFY(catalog.loadToolInfos());
        QCOMPARE(catalog.toolInfos().size(), 2);
        const ToolInfo dup = catalog.toolInfos().value(4);
        QCOMPARE(QString::fromStdString(dup.ToolENName), QString("Second")); // a later duplicate wins
        QCOMPARE(dup.ToolSize, 0.0f);
        QCOMPARE(dup.IsDown, 0);
        QVERIFY(dup.Version.empty());
        const ToolInfo snip = catalog.toolInfos().value(6);
        QCOMPARE(snip.ToolSize, 12.5f);
        QCOMPARE(QString::fromStdString(snip.ToolENName), QString("Snip")); // the first of a name counts
        QVERIFY(snip.IconMinName.empty()); // white space only reads as empty
        QCOMPARE(vellum::ConvertToUnicode(catalog.toolName(6)), QString::fromUtf8("截图工具"));
    }

    void queriesByLanguage_data()
    {
        QTest::addColumn<uint>("language");
        QTest::addColumn<QString>("strName");
        QTest::addColumn<QString>("strUrl");
        // clang-format off
        QTest::newRow("english") << 0u << "Snip" << "http://127.0.0.1:1/en/en/snip.tar.gz";
        QTest::newRow("chinese") << 1u << "CH-Snip" << "http://127.0.0.1:1/en/ch/snip.tar.gz";
        QTest::newRow("other") << 2u << "" << "http://127.0.0.1:1/en/en/snip.tar.gz";
        // clang-format on
    }

    void queriesByLanguage()
    {
        QFETCH(uint, language);
        QFETCH(QString, strName);
        QFETCH(QString, strUrl);
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"),
            catalog({ { "ToolKey=0", "DownloadCHUrl=material.tar.gz", "DownloadENUrl=wrong" },
                { "ToolKey=7", "ToolCHName=CH-Snip", "ToolENName=Snip", "ExeName=Tool.exe",
                    "DownloadCHUrl=ch/snip.tar.gz", "DownloadENUrl=en/snip.tar.gz" } }));
        ToolCatalog catalog(dir.path(), language, 1);
        QVERIFY(catalog.loadToolInfos());
        QCOMPARE(QString::fromStdString(catalog.toolName(7)), strName);
        // The settings ask for English, so the server is the English one in every row.
        QCOMPARE(QString::fromStdString(catalog.downloadUrl(7)), strUrl);
        QCOMPARE(
            QString::fromStdString(catalog.downloadUrl(0)), QString("http://127.0.0.1:1/en/material.tar.gz"));
        QCOMPARE(catalog.toolExePath(7), QString("/opt/rw/SubTools/Tool/Tool.exe"));
    }

    void folderNames_data()
    {
        QTest::addColumn<QString>("strExe");
        QTest::addColumn<QString>("strFolder");
        // clang-format off
        QTest::newRow("windows name") << "Tool.exe" << "Tool";
        QTest::newRow("no extension") << "snip" << "snip";
        QTest::newRow("two dots") << "net.scan.sh" << "net.scan";
        QTest::newRow("long extension") << "viewer.AppImage" << "viewer";
        // Ferrodock installs into the same folder: hidden names keep their dot, stray spaces go.
        QTest::newRow("leading dot") << ".hidden" << ".hidden";
        QTest::newRow("surrounding spaces") << " Tool.exe " << "Tool";
        // clang-format on
    }

    void folderNames()
    {
        QFETCH(QString, strExe);
        QTEST(ToolCatalog::folderNameOf(strExe), "strFolder");
    }

    void pendingCatalogSwap_data()
    {
        QTest::addColumn<QString>("strFile");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("overwrite") << "Icon/a.png" << QByteArray("new a");
        QTest::newRow("keep") << "Icon/only-old.png" << QByteArray("old only");
        QTest::newRow("add") << "BannerImages/en/b.png" << QByteArray("new b");
        QTest::newRow("hidden file left out") << "Icon/.partial.png" << QByteArray();
        QTest::newRow("catalog replaced") << "ToolsInfoList.xml" << catalog({ { "ToolKey=2", "Version=9" } });
    }

    void pendingCatalogSwap()
    {
        QFETCH(QString, strFile);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"), catalog({ { "ToolKey=2", "Version=1" } }));
        writeFile(dir.filePath("ToolsFile/Icon/a.png"), "old a");
        writeFile(dir.filePath("ToolsFile/Icon/only-old.png"), "old only");
        writeFile(dir.filePath("ToolsFileTemp/ToolsInfoList.xml"), catalog({ { "ToolKey=2", "Version=9" } }));
        writeFile(dir.filePath("ToolsFileTemp/Icon/a.png"), "new a");
        writeFile(dir.filePath("ToolsFileTemp/BannerImages/en/b.png"), "new b");
        writeFile(dir.filePath("ToolsFileTemp/Icon/.partial.png"), "half");
        writeStates(dir.path(), {});
        ToolCatalog catalog(dir.path(), 0, 1);
        QVERIFY(catalog.init());
        QVERIFY(!QFileInfo::exists(dir.filePath("ToolsFileTemp")));
        QCOMPARE(readFile(dir.filePath("ToolsFile/" + strFile)), expected);
        QCOMPARE(catalog.currentVersion(2), std::string("9"));
    }

    void failedSwapKeepsPendingCatalog()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"), catalog({}));
        // A directory where the new catalog has a file: the copy cannot replace it.
        QVERIFY(QDir().mkpath(dir.filePath("ToolsFile/Icon/a.png")));
        writeFile(dir.filePath("ToolsFileTemp/Icon/a.png"), "new a");
        writeFile(dir.filePath("ToolsFileTemp/ToolsInfoList.xml"), catalog({}));
        writeStates(dir.path(), {});
        const QByteArray states = readFile(dir.filePath("ToolsStateList.xml"));
        ToolCatalog catalog(dir.path(), 0, 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("a\\.png"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ToolsFileTemp"));
        QVERIFY(!catalog.init());
        QCOMPARE(readFile(dir.filePath("ToolsFileTemp/Icon/a.png")), QByteArray("new a"));
        QCOMPARE(readFile(dir.filePath("ToolsStateList.xml")), states);
    }

    void catalogBadFiles_data()
    {
        QTest::addColumn<QString>("strBroken");
        QTest::addColumn<bool>("bCreate");
        QTest::addColumn<QByteArray>("content");
        for (const char *file : { "ToolsFile/ToolsInfoList.xml", "ToolsStateList.xml" }) {
            QTest::addRow("%s missing", file) << file << false << QByteArray();
            QTest::addRow("%s empty", file) << file << true << QByteArray();
            QTest::addRow("%s truncated", file)
                << file << true << QByteArray("<Tools><State><ToolKey>2</ToolKey>");
            QTest::addRow("%s two roots", file)
                << file << true << QByteArray("<Tools></Tools><Tools></Tools>");
        }
    }

    void catalogBadFiles()
    {
        QFETCH(QString, strBroken);
        QFETCH(bool, bCreate);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"), catalog({ { "ToolKey=2", "Version=2" } }));
        writeStates(dir.path(), { ToolState { 2, "1", 1 } });
        const QString broken = dir.filePath(strBroken);
        QFile::remove(broken);
        if (bCreate)
            writeFile(broken, content);
        const QByteArray infosBefore = readFile(dir.filePath("ToolsFile/ToolsInfoList.xml"));
        const QByteArray statesBefore = readFile(dir.filePath("ToolsStateList.xml"));

        ToolCatalog catalog(dir.path(), 0, 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(broken)));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(broken)));
        QVERIFY(!catalog.init());
        QCOMPARE(readFile(dir.filePath("ToolsFile/ToolsInfoList.xml")), infosBefore);
        QCOMPARE(readFile(dir.filePath("ToolsStateList.xml")), statesBefore);
        QCOMPARE(QFileInfo::exists(broken), bCreate);
    }

    void unwritableStateFileKeepsOldOne()
    {
        QTemporaryDir dir;
        QList<QStringList> tools;
        for (int key = 2; key < 40; ++key)
            tools << QStringList { QStringLiteral("ToolKey=%1").arg(key), "Version=1.0" };
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"), catalog(tools));
        writeStates(dir.path(), {});
        ToolCatalog catalog(dir.path(), 0, 1);
        QVERIFY(catalog.init());
        const QByteArray saved = readFile(dir.filePath("ToolsStateList.xml"));
        QVERIFY(saved.size() > 2048);
        catalog.setListOrder(5, 17);
        {
            FileSizeLimit limit(1024);
            QVERIFY(limit.isActive());
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ToolsStateList\\.xml"));
            QVERIFY(!catalog.saveToolStates());
        }
        QCOMPARE(readFile(dir.filePath("ToolsStateList.xml")), saved);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList { "ToolsStateList.xml" });
        QVERIFY(catalog.saveToolStates());
        QVERIFY(readFile(dir.filePath("ToolsStateList.xml")).contains("<ListOrder>17</ListOrder>"));
    }

    void changes()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"),
            catalog({ { "ToolKey=1", "DownloadCHUrl=ch/old", "DownloadENUrl=en/old", "Version=2" },
                { "ToolKey=2", "Version=1" } }));
        // Start-up merges the states with the catalog and saves them: 9 has left it, 1 is installed.
        writeStates(dir.path(), { ToolState { 9, "1.0", 1 }, ToolState { 1, "1", 1, 0, 0, 4 } });
        ToolCatalog catalog(dir.path(), 0, 1);
        QVERIFY(catalog.init());
        catalog.setCurrentVersion(2, "1.5"); // written at once
        catalog.setListOrder(2, 8); // kept in memory until the next save
        catalog.setCurrentVersion(42, "x"); // unknown key: ignored
        catalog.setSelfDownloadUrl("en/new");
        QCOMPARE(catalog.toolInfos().value(1).DownloadENUrl, std::string("en/new"));
        QCOMPARE(catalog.toolInfos().value(1).DownloadCHUrl, std::string("ch/old"));
        ToolCatalog reread(dir.path(), 0, 1);
        QVERIFY(reread.loadToolStates());
        QCOMPARE(reread.toolStates().keys(), (QList<int> { 1, 2 }));
        QVERIFY(reread.toolStates().value(1) == (ToolState { 1, "1", 1, 0, 1, 4 }));
        QVERIFY(reread.toolStates().value(2) == (ToolState { 2, "1.5", 0, 1 }));
    }

    void settingsRead_data()
    {
        QTest::addColumn<QStringList>("pairs");
        QTest::addColumn<uint>("translator");
        QTest::addColumn<QString>("serverAddress");
        QTest::addColumn<int>("versionType");
        QTest::addColumn<int>("isCloseOpenTools");
        QTest::addColumn<int>("isNeedUpdate");
        QTest::addColumn<QString>("downloadPath");
        const QStringList servers { "ChServerAddress=http://ch", "EnServerAddress=http://en" };
        // clang-format off
        QTest::newRow("translator missing") << servers << 0u << "http://en" << 1 << 0 << 0 << "";
        QTest::newRow("translator abc") << QStringList { "Translator=abc" } << 0u << "" << 1 << 0 << 0 << "";
        QTest::newRow("switches -1")
            << QStringList { "IsCloseOpenTools=-1", "IsNeedUpdate=-1", "VersionType=-1" }
            << 0u << "" << 1 << 0 << 0 << "";
        QTest::newRow("switches on")
            << QStringList { "IsCloseOpenTools=3", "IsNeedUpdate=1", "VersionType=2" }
            << 0u << "" << 2 << 3 << 1 << "";
        QTest::newRow("not numbers")
            << QStringList { "IsCloseOpenTools=abc", "IsNeedUpdate=", "VersionType=abc" }
            << 0u << "" << 0 << 0 << 0 << "";
        QTest::newRow("duplicates: first wins")
            << QStringList { "DownloadPath=/first", "Translator=1", "DownloadPath=/second", "Translator=0",
                             "ChServerAddress=http://ch" }
            << 1u << "http://ch" << 1 << 0 << 0 << "/first";
        QTest::newRow("chinese path")
            << QStringList { QString::fromUtf8("DownloadPath=/home/u/工具") }
            << 0u << "" << 1 << 0 << 0 << QString::fromUtf8("/home/u/工具");
        // clang-format on
    }

    void settingsSetValue_data()
    {
        QTest::addColumn<QStringList>("pairs");
        QTest::addColumn<int>("iKey");
        QTest::addColumn<QString>("strText");
        QTest::addColumn<bool>("bResult");
        QTest::addColumn<QString>("strReadBack"); // downloadPath() after the call, then after a reload
        QTest::addColumn<bool>("bFileChanged");
        QTest::newRow("existing key")
            << QStringList { "Translator=1", "DownloadPath=/old" } << int(ConfigKey::DownloadPath)
            << "/new/path" << true << "/new/path" << true;
        QTest::newRow("missing key is never added")
            << QStringList { "Translator=1" } << int(ConfigKey::DownloadPath) << "/new" << false << ""
            << false;
        QTest::newRow("duplicate: first written")
            << QStringList { "DownloadPath=/a", "DownloadPath=/b" } << int(ConfigKey::DownloadPath) << "/c"
            << true << "/c" << true;
        QTest::newRow("unknown number")
            << QStringList { "DownloadPath=/a" } << 99 << "/c" << false << "/a" << false;
        QTest::newRow("markup in value")
            << QStringList { "DownloadPath=/a" } << int(ConfigKey::DownloadPath)
            << QString::fromUtf8("/a&b/<c>/工具") << true << QString::fromUtf8("/a&b/<c>/工具") << true;
    }

    void settingsSetValue()
    {
        QFETCH(QStringList, pairs);
        QFETCH(int, iKey);
        QFETCH(QString, strText);
        QFETCH(QString, strReadBack);
        const QString path = writeSetup(pairs);
        const QByteArray before = readFile(path);
        ConfigureStore store;
        QVERIFY(store.load(path));
        QTEST(store.setValue(iKey, strText), "bResult");
        QCOMPARE(store.downloadPath(), strReadBack);
        QTEST(readFile(path) != before, "bFileChanged");
        ConfigureStore reloaded;
        QVERIFY(reloaded.load(path));
        QCOMPARE(reloaded.downloadPath(), strReadBack);
        QCOMPARE(reloaded.entries().size(), pairs.size());
    }

    void settingsBadFiles_data()
    {
        QTest::addColumn<bool>("bCreate");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << false << QByteArray();
        QTest::newRow("empty") << true << QByteArray();
        QTest::newRow("truncated") << true << QByteArray("<Configure><Translator><Value>1</Val");
        QTest::newRow("not xml") << true << QByteArray("Translator = 1");
    }

    void settingsBadFiles()
    {
        QFETCH(bool, bCreate);
        QFETCH(QByteArray, content);
        ConfigureStore store;
        const QString good = writeSetup({ "Translator=1", "DownloadPath=/good" }, "good.xml");
        QVERIFY(store.load(good));
        const QString path = m_dir.filePath("broken.xml");
        QFile::remove(path);
        if (bCreate)
            writeFile(path, content);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(path)));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(path)));
        QVERIFY(!store.load(path));
        QVERIFY(store.entries().isEmpty());
        QCOMPARE(store.filePath(), good);
        QCOMPARE(QFile::exists(path), bCreate);
        if (bCreate)
            QCOMPARE(readFile(path), content);
    }

    void shippedSettingsHaveEveryKey()
    {
        const QString path = QStringLiteral(RW_BUILD_DIR "/core/Setup.xml");
        ConfigureStore store;
        QVERIFY(store.load(path));
        QCOMPARE(store.entries().size(), int(ConfigKey::KeyCount));
        for (int iKey = 0; iKey < ConfigKey::KeyCount; ++iKey)
            QVERIFY2(store.hasKey(iKey), qPrintable(ConfigKey::name(iKey)));
        QVERIFY(store.serverAddress().contains(QLatin1String("://")));
    }

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
        if (bScript)
            writeFile(exe, "#!/bin/sh\nexec 0<&-\nwhile :; do sleep 1; done\n", true);
        else
            QVERIFY(QFile::copy(QStandardPaths::findExecutable("sleep"), exe));
        QVERIFY(!isProcessRunning("Tool.exe"));
        QProcess process;
        process.start(exe, bScript ? QStringList() : QStringList { "60" });
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
        QTest::newRow("2.9 GiB") << quint64(2.9 * (quint64(1) << 30)) << qint64(2);
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
        QVERIFY(launch.start(exe, { "--arg with space" }));
        QVERIFY(launch.pid() > 0);
        QTRY_COMPARE_WITH_TIMEOUT(readFile(folder + "/started.txt"),
            QFile::encodeName(QFileInfo(folder).canonicalFilePath()) + "\n--arg with space\n", 10000);
        QVERIFY(launch.isRunning());
        // Nothing of ours stays open in the tool: no console pipe, no socket, no lock file.
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(launch.pid()));
        QCOMPARE(fds.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
            (QStringList { "0", "1", "2" }));
        QCOMPARE(QFile::symLinkTarget(fds.filePath("1")), QString("/dev/null"));
        QVERIFY(launch.terminate());
        QTRY_VERIFY_WITH_TIMEOUT(!launch.isRunning(), 10000);
    }

    void launchRefusesWhatCannotRun_data()
    {
        QTest::addColumn<QString>("strName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("bExecutable");
        QTest::newRow("missing") << "missing.exe" << QByteArray() << false;
        QTest::newRow("not executable") << "plain.txt" << QByteArray("text") << false;
        QTest::newRow("bad interpreter") << "broken.sh" << QByteArray("#!/nonexistent/shell\n") << true;
    }

    void launchRefusesWhatCannotRun()
    {
        QFETCH(QString, strName);
        QFETCH(QByteArray, content);
        QFETCH(bool, bExecutable);
        QTemporaryDir dir;
        const QString path = dir.filePath(strName);
        if (!content.isNull())
            writeFile(path, content, bExecutable);
        ToolLaunch launch;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(path)));
        QVERIFY(!launch.start(path));
        QVERIFY(!launch.isRunning());
        QVERIFY(!launch.terminate());
    }
};

QTEST_GUILESS_MAIN(TestCore)
#include "tst_core.moc"
