// rwcatalog run as a real process: the catalog folder it writes, what it refuses, and the demo catalogs
// the build makes with it.

#include "TestFiles.h"

#include <QRegularExpression>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>

namespace {

// Entry name -> permission bits of every entry in an archive.
QMap<QString, int> readArchive(const QString &strPath)
{
    QMap<QString, int> map;
    archive *pArchive = archive_read_new();
    archive_read_support_filter_all(pArchive);
    archive_read_support_format_all(pArchive);
    if (archive_read_open_filename(pArchive, QFile::encodeName(strPath).constData(), 65536) == ARCHIVE_OK) {
        archive_entry *pEntry = nullptr;
        while (archive_read_next_header(pArchive, &pEntry) == ARCHIVE_OK) {
            map.insert(QString::fromUtf8(archive_entry_pathname_utf8(pEntry)), int(archive_entry_perm(pEntry)));
            archive_read_data_skip(pArchive);
        }
    }
    archive_read_free(pArchive);
    return map;
}

QJsonObject toolObject(int iKey, const QString &strExe, const QString &strEnName)
{
    return QJsonObject {
        { "key", iKey },
        { "type", 3 },
        { "chName", QString::fromUtf8("工具%1").arg(iKey) },
        { "enName", strEnName },
        { "version", "1.0." + QString::number(iKey) },
        { "briefCH", QString::fromUtf8("简介") },
        { "briefEN", "Brief & <intro>" },
        { "exeName", strExe },
        { "folder", "src/" + strExe },
        { "icons",
            QJsonObject { { "min", "pic/icon.png" }, { "mid", "pic/icon.png" }, { "max", "pic/icon.png" } } },
    };
}

} // namespace

// Builds catalogs from descriptions in a temporary folder and checks the folder rwcatalog leaves.
class TestRwCatalog : public QObject
{
    Q_OBJECT

    QScopedPointer<QTemporaryDir> m_pDir;
    QString m_strRoot;

    QJsonObject goodDescription() const
    {
        QJsonObject hasher = toolObject(5, "Hasher", "Hash Tool");
        hasher.insert("restricted", true);
        const QJsonObject pair {{"min", "pic/min.png"}, {"max", "pic/max.png"}};
        hasher.insert("banner", QJsonObject {{"zh", pair}, {"en", pair}});
        const QJsonArray shots {"pic/shot.png", "pic/shot.png"};
        hasher.insert("screenshots", QJsonObject {{"ch", shots}, {"en", shots}});
        return QJsonObject {
            {"material", QJsonObject {{"version", "7.1"}}},
            {"program", QJsonObject {{"version", "2.0.0"}, {"folder", "prog"},
                                     {"exclude", QJsonArray {"Setup.xml", "SubTools"}}}},
            {"tools", QJsonArray {hasher, toolObject(3, "Viewer.bin", "Viewer")}},
        };
    }
    void writeDescription(const QString &strName, const QJsonObject &description)
    {
        writeFile(m_strRoot + "/" + strName, QJsonDocument(description).toJson());
    }
    int run(const QStringList &vectArgs, QString *pStderr = nullptr)
    {
        QProcess process;
        process.setWorkingDirectory(m_strRoot);
        process.start(RW_CATALOG_EXE, vectArgs);
        const bool bEnded = process.waitForFinished(60000);
        if (pStderr)
            *pStderr = QString::fromUtf8(process.readAllStandardError());
        process.kill();
        return bEnded && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -100;
    }
    // No staging folder may be left beside the output.
    QStringList leftovers() const
    {
        return QDir(m_strRoot).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot).filter(".out");
    }

private slots:
    void init()
    {
        m_pDir.reset(new QTemporaryDir);
        QVERIFY(m_pDir->isValid());
        m_strRoot = m_pDir->path();
        writeFile(m_strRoot + "/src/Hasher/Hasher", "#!/bin/sh\necho hash\n", true);
        writeFile(m_strRoot + "/src/Hasher/data/words.txt", QByteArray(300 * 1024, 'w'));
        writeFile(m_strRoot + "/src/Viewer.bin/Viewer.bin", "#!/bin/sh\necho view\n", true);
        writeFile(m_strRoot + "/prog/RigWarden", "#!/bin/sh\n", true);
        writeFile(m_strRoot + "/prog/Setup.xml", "<Setup/>");
        writeFile(m_strRoot + "/prog/SubTools/Tool/Tool", "user's tool", true);
        for (const char *name : {"icon", "min", "max", "shot"})
            writeFile(m_strRoot + "/pic/" + name + ".png", name);
    }

    void buildsCatalog()
    {
        writeDescription("d.json", goodDescription());
        QString strErr;
        QCOMPARE(run({"d.json", "out"}, &strErr), 0);
        const QString strOut = m_strRoot + "/out";

        // The catalog, in key order, with the fields the program reads.
        QList<int> vectKeys;
        auto it = QRegularExpression("<ToolKey>(\\d+)<").globalMatch(QString(readFile(strOut + "/ToolsInfoList.xml")));
        while (it.hasNext())
            vectKeys << it.next().captured(1).toInt();
        QCOMPARE(vectKeys, QList<int>({0, 1, 3, 5}));
        const auto mapTools = readToolRecords(strOut + "/ToolsInfoList.xml");
        auto field = [&](int iKey, const char *name) { return mapTools[iKey].value(name); };
        QCOMPARE(field(0, "Version"), QString("7.1"));
        QCOMPARE(field(5, "IsDown") + field(3, "IsDown"), QString("10"));
        QCOMPARE(field(5, "DetailImagesNum"), QString("2"));
        QCOMPARE(field(5, "BriefENIntro"), QString("Brief & <intro>"));
        QCOMPARE(field(5, "ToolSize"), QString("0.3")); // 300 KiB and a script, rounded up
        QCOMPARE(readFile(strOut + "/MaterialVersion.txt").trimmed(), QByteArray("7.1"));

        // Tool packages: the executable at the root, still executable.
        const QMap<QString, int> mapHasher = readArchive(strOut + "/" + field(5, "DownloadCHUrl"));
        QVERIFY(mapHasher.value("Hasher") & 0100);
        QVERIFY(mapHasher.contains("data/words.txt"));
        QVERIFY(!(mapHasher.value("data/words.txt") & 0111));
        QCOMPARE(readArchive(strOut + "/" + field(3, "DownloadCHUrl")).keys(), QStringList {"Viewer.bin"});

        // The material holds the whole tree the program reads, at the archive's root.
        const QMap<QString, int> mapMaterial = readArchive(strOut + "/" + field(0, "DownloadCHUrl"));
        for (const char *name : {"ToolsInfoList.xml", "Icon/Hasher_min.png", "BannerImages/zh/5_min.png",
                                 "BannerImages/en/5_max.png", "DetailImages/Hash Tool/CH/Hash Tool_1.png"})
            QVERIFY2(mapMaterial.contains(name), name);
        QVERIFY(QFileInfo(strOut + "/ToolsFile/ToolsInfoList.xml").isFile());
        // The program package leaves the user's files out.
        QCOMPARE(readArchive(strOut + "/" + field(1, "DownloadCHUrl")).keys(), QStringList {"RigWarden"});

        // Building again replaces the catalog with the very same bytes.
        const QByteArray firstHash = readFile(strOut + "/tools/Hasher.tar.gz.sha256");
        QCOMPARE(run({"d.json", "out"}), 0);
        QCOMPARE(readFile(strOut + "/tools/Hasher.tar.gz.sha256"), firstHash);
        QCOMPARE(leftovers(), QStringList());

        // A folder that is not a catalog is never replaced.
        writeFile(m_strRoot + "/home/notes.txt", "mine");
        QCOMPARE(run({"d.json", "home"}, &strErr), 1);
        QVERIFY(strErr.contains("not a catalog folder"));
        QCOMPARE(snapshot(m_strRoot + "/home").keys(), QStringList({ "notes.txt" }));

        // A description extending it changes only what it names; the paths of the extended one stay
        // relative to its own folder.
        const QJsonArray changedTools { QJsonObject { { "key", 3 }, { "version", "9.9" } } };
        writeDescription("v2/v2.json",
            QJsonObject { { "extends", "../d.json" }, { "tools", changedTools },
                { "material", QJsonObject { { "version", "7.2" } } } });
        QCOMPARE(run({ "v2/v2.json", "out2" }), 0);
        const QString strXml = QString::fromUtf8(readFile(m_strRoot + "/out2/ToolsInfoList.xml"));
        for (const char *text : {"<Version>9.9</Version>", "<Version>1.0.5</Version>", "<Version>7.2</Version>",
                                 "<ToolENName>Viewer</ToolENName>"})
            QVERIFY2(strXml.contains(text), text);
        QVERIFY(QFileInfo(m_strRoot + "/out2/tools/Viewer.tar.gz").isFile());
        QVERIFY(QFileInfo(m_strRoot + "/out2/tools/Hasher.tar.gz").isFile());
    }

    void badDescriptionLeavesNothing_data()
    {
        // A field of the first tool set to the value (removed when undefined), or another change.
        QTest::addColumn<QString>("strChange");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("strMessage");
        const QJsonValue none;
        const QJsonValue removed(QJsonValue::Undefined);
        const QJsonObject goneIcon { { "min", "pic/icon.png" }, { "mid", "pic/gone.png" },
            { "max", "pic/min.png" } };
        QTest::newRow("broken JSON") << "broken" << none << "not valid JSON";
        QTest::newRow("no version") << "version" << removed << "missing \"version\"";
        QTest::newRow("executable bit lost") << "notExecutable" << none << "missing or not executable";
        QTest::newRow("missing icon file") << "icons" << QJsonValue(goneIcon) << "does not exist";
        QTest::newRow("same key twice") << "key" << QJsonValue(3) << "used twice";
        QTest::newRow("download escapes") << "download" << QJsonValue("../../../etc") << "must be relative";
        QTest::newRow("misspelt field") << "restriced" << QJsonValue(true) << "unknown field \"restriced\"";
        QTest::newRow("description extends itself") << "loop" << none << "nests too deep";
    }

    void badDescriptionLeavesNothing()
    {
        QFETCH(QString, strChange);
        QFETCH(QJsonValue, value);
        QFETCH(QString, strMessage);
        // A good catalog is already there; a failed build must leave it exactly as it was.
        writeDescription("good.json", goodDescription());
        QCOMPARE(run({"good.json", "out"}), 0);
        const QStringList vectBefore = snapshot(m_strRoot + "/out").keys();

        QJsonObject description = goodDescription();
        QJsonArray tools = description.value("tools").toArray();
        QJsonObject hasher = tools[0].toObject();
        if (value.isUndefined())
            hasher.remove(strChange);
        else if (!value.isNull())
            hasher.insert(strChange, value);
        else if (strChange == "notExecutable")
            QFile::setPermissions(m_strRoot + "/src/Hasher/Hasher", QFile::ReadOwner | QFile::WriteOwner);
        else if (strChange == "loop")
            description.insert("extends", "bad.json");
        tools[0] = hasher;
        description.insert("tools", tools);
        writeDescription("bad.json", description);
        if (strChange == "broken")
            writeFile(m_strRoot + "/bad.json", "{\"material\": {\"version\": \"1\"}, \"tools\": [");

        QString strErr;
        QCOMPARE(run({"bad.json", "out"}, &strErr), 1);
        QVERIFY2(strErr.contains(strMessage), qPrintable(strErr));
        QCOMPARE(snapshot(m_strRoot + "/out").keys(), vectBefore);
        QCOMPARE(run({"bad.json", "fresh"}), 1);
        QVERIFY(!QFileInfo::exists(m_strRoot + "/fresh"));
        QCOMPARE(leftovers(), QStringList());
    }

    // The demo catalogs the build makes with rwcatalog: complete and consistent with themselves. (That
    // their tools start: tst_marketflow and tst_mytoolsupdate open them in the real window; that
    // version 2 is newer: tst_catalogrefresh, tst_selfupdate and tst_mytoolsupdate update to it.)
    void demoCatalogIsComplete_data()
    {
        QTest::addColumn<QString>("strFolder");
        QTest::newRow("version 1") << "catalog";
        QTest::newRow("version 2") << "catalog-v2";
    }

    void demoCatalogIsComplete()
    {
        QFETCH(QString, strFolder);
        const QString strCatalog = QStringLiteral(RW_BUILD_DIR "/demo/") + strFolder;
        if (!QFileInfo::exists(strCatalog + "/MaterialVersion.txt"))
            QSKIP("the demo catalog is not built (widget build off?)");
        const QString strTree = strCatalog + "/ToolsFile/";
        const QMap<int, QMap<QString, QString>> mapRecords
            = readToolRecords(strCatalog + "/ToolsInfoList.xml");
        QVERIFY(mapRecords.contains(0) && mapRecords.contains(1));
        QCOMPARE(
            readFile(strCatalog + "/MaterialVersion.txt").trimmed(), mapRecords[0].value("Version").toUtf8());
        // The shipped material and the server's catalog file are the same catalog.
        QCOMPARE(readFile(strTree + "ToolsInfoList.xml"), readFile(strCatalog + "/ToolsInfoList.xml"));

        for (const auto &record : mapRecords) {
            const QString strWhere = record.value("ToolKey") + " " + record.value("ToolENName");
            // Every package is there with a matching checksum, under the path the catalog names.
            const QString strPackage = strCatalog + "/" + record.value("DownloadCHUrl");
            QCOMPARE(record.value("DownloadENUrl"), record.value("DownloadCHUrl"));
            QCOMPARE(readFile(strPackage + ".sha256").split(' ').value(0),
                QCryptographicHash::hash(readFile(strPackage), QCryptographicHash::Sha256).toHex());
            if (record.value("ToolKey").toInt() < 2)
                continue;

            for (const char *name :
                { "ToolCHName", "ToolENName", "BriefCHIntro", "BriefENIntro", "Version", "updateDate" })
                QVERIFY2(!record.value(name).isEmpty(), qPrintable(strWhere + " " + name));
            QVERIFY2(record.value("ToolSize").toDouble() > 0, qPrintable(strWhere));
            // Every picture the pages show.
            QStringList vectPictures;
            for (const char *icon : { "IconMinName", "IconMidName", "IconMaxName" })
                vectPictures << "Icon/" + record.value(icon);
            for (const char *banner : { "zh/%1_min.png", "zh/%1_max.png", "en/%1_min.png", "en/%1_max.png" })
                vectPictures << "BannerImages/" + QString(banner).arg(record.value("ToolKey"));
            const QString strName = record.value("ToolENName");
            QVERIFY2(record.value("DetailImagesNum").toInt() >= 2, qPrintable(strWhere));
            for (int i = 0; i < record.value("DetailImagesNum").toInt(); ++i)
                vectPictures << QString("DetailImages/%1/CH/%1_%2.png").arg(strName).arg(i)
                             << QString("DetailImages/%1/EN/%1_%2.png").arg(strName).arg(i);
            for (const QString &strPicture : vectPictures)
                QVERIFY2(QFileInfo(strTree + strPicture).size() > 0, qPrintable(strWhere + " " + strPicture));
        }
    }
};

QTEST_GUILESS_MAIN(TestRwCatalog)
#include "tst_rwcatalog.moc"
