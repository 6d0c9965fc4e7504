#include "TestFiles.h"
#include "TestXml.h"
#include "ConfigureStore.h"
#include "FileSizeLimit.h"
#include "GenericDS.h"
#include "StringConvert.h"
#include "ToolCatalog.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using gearbay::ToolCatalog;
using gearbay::ToolInfo;
using gearbay::ToolState;

Q_DECLARE_METATYPE(ToolState)

// The catalog and state files: loading, merging, the pending-catalog swap and saving.
class TestToolCatalog : public QObject
{
    Q_OBJECT

private:
    // A catalog of <Tool> elements, their fields given as "Element=text".
    static QByteArray catalog(const QList<QStringList> &tools)
    {
        QString xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ToolsInfo>";
        for (const QStringList &fields : tools) {
            XmlFields pairs;
            for (const QString &field : fields)
                pairs.append({field.section('=', 0, 0), field.section('=', 1)});
            xml += xmlElement("Tool", pairs);
        }
        return (xml + "</ToolsInfo>\n").toUtf8();
    }
    static void writeStates(const QString &dir, const QList<ToolState> &states)
    {
        ToolCatalog catalog(dir, 0, 1);
        for (const ToolState &s : states)
            catalog.toolStates().insert(s.ToolKey, s);
        QVERIFY(catalog.saveToolStates());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_setupDir.isValid());
        const XmlFields settings = {{"Translator", "0"}, {"DownloadPath", "/opt/rw"},
                                    {"ChServerAddress", "http://127.0.0.1:1/ch"},
                                    {"EnServerAddress", "http://127.0.0.1:1/en"}};
        writeXmlFile(m_setupDir.filePath("Setup.xml"), xmlElement("Configure", settings, true));
        QVERIFY(gearbay::ConfigureStore::instance()->load(m_setupDir.filePath("Setup.xml")));
    }

    void merge_data()
    {
        QTest::addColumn<bool>("bHasState");
        QTest::addColumn<ToolState>("stored");
        QTest::addColumn<QString>("strCatalogVersion");
        QTest::addColumn<ToolState>("expected");
        QTest::newRow("new tool") << false << ToolState() << "1.0" << ToolState{5, "1.0", 0, 1, 0, 0};
        QTest::newRow("same version clears update flag")
            << true << ToolState{5, "1.0", 1, 0, 1, 3} << "1.0" << ToolState{5, "1.0", 1, 0, 0, 3};
        QTest::newRow("changed, not installed")
            << true << ToolState{5, "1.0", 0, 1, 0, 0} << "1.1" << ToolState{5, "1.1", 0, 1, 0, 0};
        QTest::newRow("changed, installed")
            << true << ToolState{5, "1.0", 1, 0, 0, 2} << "1.1" << ToolState{5, "1.0", 1, 0, 1, 2};
        QTest::newRow("older catalog version still offered")
            << true << ToolState{5, "2.0", 1, 0, 0, 0} << "1.9" << ToolState{5, "2.0", 1, 0, 1, 0};
        QTest::newRow("versions compared as text")
            << true << ToolState{5, "1.0", 1} << "1.00" << ToolState{5, "1.0", 1, 0, 1};
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
        states.insert(9, ToolState{9, "1.0", 1});   // no longer in the catalog
        const QMap<int, ToolState> merged = ToolCatalog::mergeStates(infos, states);
        QCOMPARE(merged.keys(), QList<int>{5});
        QVERIFY(merged.value(5) == expected);
    }

    void oddCatalogEntries()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"),
                  catalog({{"ToolKey=4", "ToolENName=First", "Version=1"},
                           {"ToolKey=4", "ToolENName=Second", "ToolSize=abc", "IsDown=x1"},
                           {"ToolKey=6", QString::fromUtf8("ToolCHName=截图工具"), "ToolENName=Snip",
                                 "ToolSize=12.5", "IsDown=1", "DetailImagesNum=3", "ToolENName=Later",
                                 "IconMinName= \n "}}));
        ToolCatalog catalog(dir.path(), 1, 1);
        QVERIFY(catalog.loadToolInfos());
        QCOMPARE(catalog.toolInfos().size(), 2);
        const ToolInfo dup = catalog.toolInfos().value(4);
        QCOMPARE(QString::fromStdString(dup.ToolENName), QString("Second"));   // a later duplicate wins
        QCOMPARE(dup.ToolSize, 0.0f);
        QCOMPARE(dup.IsDown, 0);
        QVERIFY(dup.Version.empty());
        const ToolInfo snip = catalog.toolInfos().value(6);
        QCOMPARE(snip.ToolSize, 12.5f);
        QCOMPARE(QString::fromStdString(snip.ToolENName), QString("Snip"));   // the first of a name counts
        QVERIFY(snip.IconMinName.empty());   // white space only reads as empty
        QCOMPARE(vellum::ConvertToUnicode(catalog.toolName(6)), QString::fromUtf8("截图工具"));
    }

    void queriesByLanguage_data()
    {
        QTest::addColumn<uint>("language");
        QTest::addColumn<QString>("strName");
        QTest::addColumn<QString>("strUrl");
        QTest::newRow("english") << 0u << "Snip" << "http://127.0.0.1:1/en/en/snip.tar.gz";
        QTest::newRow("chinese") << 1u << "CH-Snip" << "http://127.0.0.1:1/en/ch/snip.tar.gz";
        QTest::newRow("other") << 2u << "" << "http://127.0.0.1:1/en/en/snip.tar.gz";
    }

    void queriesByLanguage()
    {
        QFETCH(uint, language);
        QFETCH(QString, strName);
        QFETCH(QString, strUrl);
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"),
                  catalog({{"ToolKey=0", "DownloadCHUrl=material.tar.gz", "DownloadENUrl=wrong"},
                           {"ToolKey=7", "ToolCHName=CH-Snip", "ToolENName=Snip", "ExeName=Tool.exe",
                                 "DownloadCHUrl=ch/snip.tar.gz", "DownloadENUrl=en/snip.tar.gz"}}));
        ToolCatalog catalog(dir.path(), language, 1);
        QVERIFY(catalog.loadToolInfos());
        QCOMPARE(QString::fromStdString(catalog.toolName(7)), strName);
        // The settings ask for English, so the server is the English one in every row.
        QCOMPARE(QString::fromStdString(catalog.downloadUrl(7)), strUrl);
        QCOMPARE(QString::fromStdString(catalog.downloadUrl(0)), QString("http://127.0.0.1:1/en/material.tar.gz"));
        QCOMPARE(catalog.toolExePath(7), QString("/opt/rw/SubTools/Tool/Tool.exe"));
    }

    void folderNames_data()
    {
        QTest::addColumn<QString>("strExe");
        QTest::addColumn<QString>("strFolder");
        QTest::newRow("windows name") << "Tool.exe" << "Tool";
        QTest::newRow("no extension") << "snip" << "snip";
        QTest::newRow("two dots") << "net.scan.sh" << "net.scan";
        QTest::newRow("long extension") << "viewer.AppImage" << "viewer";
        // Ferrodock installs into the same folder: hidden names keep their dot, stray spaces go.
        QTest::newRow("leading dot") << ".hidden" << ".hidden";
        QTest::newRow("surrounding spaces") << " Tool.exe " << "Tool";
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
        QTest::newRow("catalog replaced") << "ToolsInfoList.xml" << catalog({{"ToolKey=2", "Version=9"}});
    }

    void pendingCatalogSwap()
    {
        QFETCH(QString, strFile);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"), catalog({{"ToolKey=2", "Version=1"}}));
        writeFile(dir.filePath("ToolsFile/Icon/a.png"), "old a");
        writeFile(dir.filePath("ToolsFile/Icon/only-old.png"), "old only");
        writeFile(dir.filePath("ToolsFileTemp/ToolsInfoList.xml"), catalog({{"ToolKey=2", "Version=9"}}));
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

    void badFiles_data()
    {
        QTest::addColumn<QString>("strBroken");
        QTest::addColumn<bool>("bCreate");
        QTest::addColumn<QByteArray>("content");
        for (const char *file : {"ToolsFile/ToolsInfoList.xml", "ToolsStateList.xml"}) {
            QTest::addRow("%s missing", file) << file << false << QByteArray();
            QTest::addRow("%s empty", file) << file << true << QByteArray();
            QTest::addRow("%s truncated", file) << file << true << QByteArray("<Tools><State><ToolKey>2</ToolKey>");
            QTest::addRow("%s two roots", file) << file << true << QByteArray("<Tools></Tools><Tools></Tools>");
        }
    }

    void badFiles()
    {
        QFETCH(QString, strBroken);
        QFETCH(bool, bCreate);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"), catalog({{"ToolKey=2", "Version=2"}}));
        writeStates(dir.path(), {ToolState{2, "1", 1}});
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
            tools << QStringList{QStringLiteral("ToolKey=%1").arg(key), "Version=1.0"};
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
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"ToolsStateList.xml"});
        QVERIFY(catalog.saveToolStates());
        QVERIFY(readFile(dir.filePath("ToolsStateList.xml")).contains("<ListOrder>17</ListOrder>"));
    }

    void changes()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("ToolsFile/ToolsInfoList.xml"),
                  catalog({{"ToolKey=1", "DownloadCHUrl=ch/old", "DownloadENUrl=en/old", "Version=2"},
                           {"ToolKey=2", "Version=1"}}));
        // Start-up merges the states with the catalog and saves them: 9 has left it, 1 is installed.
        writeStates(dir.path(), {ToolState{9, "1.0", 1}, ToolState{1, "1", 1, 0, 0, 4}});
        ToolCatalog catalog(dir.path(), 0, 1);
        QVERIFY(catalog.init());
        catalog.setCurrentVersion(2, "1.5");   // written at once
        catalog.setListOrder(2, 8);            // kept in memory until the next save
        catalog.setCurrentVersion(42, "x");    // unknown key: ignored
        catalog.setSelfDownloadUrl("en/new");
        QCOMPARE(catalog.toolInfos().value(1).DownloadENUrl, std::string("en/new"));
        QCOMPARE(catalog.toolInfos().value(1).DownloadCHUrl, std::string("ch/old"));
        ToolCatalog reread(dir.path(), 0, 1);
        QVERIFY(reread.loadToolStates());
        QCOMPARE(reread.toolStates().keys(), (QList<int>{1, 2}));
        QVERIFY(reread.toolStates().value(1) == (ToolState{1, "1", 1, 0, 1, 4}));
        QVERIFY(reread.toolStates().value(2) == (ToolState{2, "1.5", 0, 1}));
    }

private:
    QTemporaryDir m_setupDir;
};

QTEST_GUILESS_MAIN(TestToolCatalog)
#include "tst_toolcatalog.moc"
