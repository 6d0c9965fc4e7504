// rwcatalog run as a real process: the catalog folder it writes, and what it refuses.

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>

namespace {

struct PackedEntry
{
    QString strName;
    int iMode = 0;
    bool bDir = false;
};

QVector<PackedEntry> readArchive(const QString &strPath)
{
    QVector<PackedEntry> vect;
    archive *pArchive = archive_read_new();
    archive_read_support_filter_all(pArchive);
    archive_read_support_format_all(pArchive);
    if (archive_read_open_filename(pArchive, QFile::encodeName(strPath).constData(), 65536) == ARCHIVE_OK) {
        archive_entry *pEntry = nullptr;
        while (archive_read_next_header(pArchive, &pEntry) == ARCHIVE_OK) {
            vect.append({QString::fromUtf8(archive_entry_pathname_utf8(pEntry)), int(archive_entry_perm(pEntry)),
                         archive_entry_filetype(pEntry) == AE_IFDIR});
            archive_read_data_skip(pArchive);
        }
    }
    archive_read_free(pArchive);
    return vect;
}

QStringList treeOf(const QString &strDir)
{
    QStringList vect;
    QDirIterator it(strDir, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        vect << QDir(strDir).relativeFilePath(it.next());
    vect.sort();
    return vect;
}

void writeFile(const QString &strPath, const QByteArray &content, bool bExecutable = false)
{
    QDir().mkpath(QFileInfo(strPath).path());
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    if (bExecutable)
        file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

QJsonObject toolObject(int iKey, const QString &strExe, const QString &strEnName)
{
    return QJsonObject {
        {"key", iKey}, {"type", 3}, {"chName", QString::fromUtf8("工具%1").arg(iKey)}, {"enName", strEnName},
        {"version", "1.0." + QString::number(iKey)}, {"briefCH", QString::fromUtf8("简介")},
        {"briefEN", "Brief & <intro>"}, {"exeName", strExe}, {"folder", "src/" + strExe},
        {"icons", QJsonObject {{"min", "pic/icon.png"}, {"mid", "pic/icon.png"}, {"max", "pic/icon.png"}}},
    };
}

} // namespace

// Builds catalogs from descriptions in a temporary folder and checks the folder rwcatalog leaves.
class TestRwCatalog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void buildsCompleteCatalog();
    void derivedDescriptionChangesOnlyWhatItNames();
    void badDescriptionLeavesNothing_data();
    void badDescriptionLeavesNothing();

private:
    int run(const QStringList &vectArgs, QString *pStderr = nullptr);
    void writeDescription(const QString &strName, const QJsonObject &description);
    QJsonObject goodDescription() const;

    QScopedPointer<QTemporaryDir> m_pDir;
    QString m_strRoot;
};

void TestRwCatalog::init()
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
    writeFile(m_strRoot + "/pic/icon.png", "icon");
    writeFile(m_strRoot + "/pic/min.png", "banner-min");
    writeFile(m_strRoot + "/pic/max.png", "banner-max");
    writeFile(m_strRoot + "/pic/shot.png", "shot");
}

QJsonObject TestRwCatalog::goodDescription() const
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

void TestRwCatalog::writeDescription(const QString &strName, const QJsonObject &description)
{
    writeFile(m_strRoot + "/" + strName, QJsonDocument(description).toJson());
}

int TestRwCatalog::run(const QStringList &vectArgs, QString *pStderr)
{
    QProcess process;
    process.setWorkingDirectory(m_strRoot);
    process.start(RW_CATALOG_EXE, vectArgs);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        return -100;
    }
    if (pStderr)
        *pStderr = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -101;
}

void TestRwCatalog::buildsCompleteCatalog()
{
    writeDescription("d.json", goodDescription());
    QString strErr;
    QCOMPARE(run({"d.json", "out"}, &strErr), 0);
    const QString strOut = m_strRoot + "/out";

    // The catalog, in key order, with the fields the program reads.
    QFile xml(strOut + "/ToolsInfoList.xml");
    QVERIFY(xml.open(QIODevice::ReadOnly));
    QDomDocument document;
    QVERIFY(document.setContent(&xml));
    QMap<int, QDomElement> mapTools;
    QList<int> vectKeys;
    for (QDomElement tool = document.documentElement().firstChildElement(); !tool.isNull();
         tool = tool.nextSiblingElement()) {
        vectKeys << tool.firstChildElement("ToolKey").text().toInt();
        mapTools.insert(vectKeys.last(), tool);
        QCOMPARE(tool.firstChildElement().tagName(), QString("ToolKey"));
        QCOMPARE(tool.lastChildElement().tagName(), QString("DownloadENUrl"));
        QCOMPARE(tool.childNodes().count(), 19);
    }
    QCOMPARE(vectKeys, QList<int>({0, 1, 3, 5}));
    auto field = [&](int iKey, const char *name) { return mapTools[iKey].firstChildElement(name).text(); };
    QCOMPARE(field(0, "Version"), QString("7.1"));
    QCOMPARE(field(0, "DownloadCHUrl"), QString("material/ToolsFile.tar.gz"));
    QCOMPARE(field(1, "Version"), QString("2.0.0"));
    QCOMPARE(field(1, "ExeName"), QString("RigWarden"));
    QCOMPARE(field(5, "IsDown"), QString("1"));
    QCOMPARE(field(3, "IsDown"), QString("0"));
    QCOMPARE(field(5, "DetailImagesNum"), QString("2"));
    QCOMPARE(field(5, "BriefENIntro"), QString("Brief & <intro>"));
    QCOMPARE(field(5, "ToolCHName"), QString::fromUtf8("工具5"));
    QCOMPARE(field(5, "IconMidName"), QString("Hasher_mid.png"));
    QCOMPARE(field(3, "IconMinName"), QString("Viewer_min.png"));
    QCOMPARE(field(5, "ToolSize"), QString("0.3")); // 300 KiB and a script, rounded up
    QCOMPARE(field(3, "DownloadENUrl"), QString("tools/Viewer.tar.gz"));

    QFile version(strOut + "/MaterialVersion.txt");
    version.open(QIODevice::ReadOnly);
    QCOMPARE(version.readAll().trimmed(), QByteArray("7.1"));

    // Every package is an archive with its checksum beside it, in sha256sum's format.
    for (int iKey : vectKeys) {
        const QString strPackage = strOut + "/" + field(iKey, "DownloadCHUrl");
        QFile package(strPackage), sum(strPackage + ".sha256");
        QVERIFY2(package.open(QIODevice::ReadOnly) && sum.open(QIODevice::ReadOnly), qPrintable(strPackage));
        const QByteArray expected = QCryptographicHash::hash(package.readAll(), QCryptographicHash::Sha256).toHex();
        const QList<QByteArray> words = sum.readAll().simplified().split(' ');
        QCOMPARE(words.value(0), expected);
        QCOMPARE(words.value(1), QFileInfo(strPackage).fileName().toUtf8());
    }

    // Tool packages: the executable at the root, still executable.
    QMap<QString, PackedEntry> mapHasher;
    for (const PackedEntry &entry : readArchive(strOut + "/" + field(5, "DownloadCHUrl")))
        mapHasher.insert(entry.strName, entry);
    QVERIFY(mapHasher.contains("Hasher"));
    QVERIFY(mapHasher["Hasher"].iMode & 0100);
    QVERIFY(mapHasher.contains("data/words.txt"));
    QVERIFY(!(mapHasher["data/words.txt"].iMode & 0111));
    QVERIFY(readArchive(strOut + "/" + field(3, "DownloadCHUrl")).size() == 1);
    QCOMPARE(readArchive(strOut + "/" + field(3, "DownloadCHUrl")).value(0).strName, QString("Viewer.bin"));

    // The material holds the whole tree the program reads, at the archive's root.
    QStringList vectMaterial;
    for (const PackedEntry &entry : readArchive(strOut + "/" + field(0, "DownloadCHUrl")))
        vectMaterial << entry.strName;
    for (const char *name :
         {"ToolsInfoList.xml", "Icon/Hasher_min.png", "Icon/Viewer_max.png", "BannerImages/zh/5_min.png",
          "BannerImages/en/5_max.png", "DetailImages/Hash Tool/CH/Hash Tool_1.png", "DetailImages/Hash Tool/EN/Hash Tool_0.png"})
        QVERIFY2(vectMaterial.contains(name), name);
    QVERIFY(QFileInfo(strOut + "/ToolsFile/ToolsInfoList.xml").isFile());
    // The program package leaves the user's files out.
    const QVector<PackedEntry> vectProgram = readArchive(strOut + "/" + field(1, "DownloadCHUrl"));
    QCOMPARE(vectProgram.size(), 1);
    QCOMPARE(vectProgram.value(0).strName, QString("RigWarden"));

    // Building again replaces the catalog with the very same bytes.
    QFile first(strOut + "/tools/Hasher.tar.gz.sha256");
    QVERIFY(first.open(QIODevice::ReadOnly));
    const QByteArray firstHash = first.readAll();
    first.close();
    QCOMPARE(run({"d.json", "out"}), 0);
    QFile again(strOut + "/tools/Hasher.tar.gz.sha256");
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), firstHash);
    QCOMPARE(QDir(m_strRoot).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot).filter(".out"),
             QStringList());

    // A folder that is not a catalog is never replaced.
    writeFile(m_strRoot + "/home/notes.txt", "mine");
    QCOMPARE(run({"d.json", "home"}, &strErr), 1);
    QVERIFY(strErr.contains("not a catalog folder"));
    QCOMPARE(treeOf(m_strRoot + "/home"), QStringList({"notes.txt"}));
}

void TestRwCatalog::derivedDescriptionChangesOnlyWhatItNames()
{
    QJsonObject base = goodDescription();
    base.insert("program", QJsonObject {{"version", "2.0.0"}, {"folder", "../prog"}});
    QJsonArray tools = base.value("tools").toArray();
    for (int i = 0; i < tools.size(); ++i) {
        QJsonObject tool = tools[i].toObject();
        tool.insert("folder", "../src/" + tool.value("exeName").toString());
        tool.insert("icons", QJsonObject {{"min", "../pic/icon.png"}, {"mid", "../pic/icon.png"}, {"max", "../pic/icon.png"}});
        tool.remove("banner");
        tool.remove("screenshots");
        tools[i] = tool;
    }
    base.insert("tools", tools);
    writeDescription("base/d.json", base);
    writeDescription("v2.json", QJsonObject {
                                    {"extends", "base/d.json"},
                                    {"material", QJsonObject {{"version", "7.2"}}},
                                    {"tools", QJsonArray {QJsonObject {{"key", 3}, {"version", "9.9"}}}},
                                });
    QString strErr;
    QCOMPARE(run({"v2.json", "out2"}, &strErr), 0);
    QFile xml(m_strRoot + "/out2/ToolsInfoList.xml");
    QVERIFY(xml.open(QIODevice::ReadOnly));
    const QString strXml = QString::fromUtf8(xml.readAll());
    QVERIFY(strXml.contains("<Version>9.9</Version>"));
    QVERIFY(strXml.contains("<Version>1.0.5</Version>"));
    QVERIFY(strXml.contains("<Version>7.2</Version>"));
    QVERIFY(strXml.contains("<ToolENName>Viewer</ToolENName>"));
    QVERIFY(QFileInfo(m_strRoot + "/out2/tools/Viewer.tar.gz").isFile());
    QVERIFY(QFileInfo(m_strRoot + "/out2/tools/Hasher.tar.gz").isFile());
}

void TestRwCatalog::badDescriptionLeavesNothing_data()
{
    QTest::addColumn<QString>("strChange");
    QTest::addColumn<QString>("strMessage");

    QTest::newRow("broken JSON") << "broken" << "not valid JSON";
    QTest::newRow("tool without version") << "noVersion" << "missing \"version\"";
    QTest::newRow("missing executable") << "noExe" << "missing or not executable";
    QTest::newRow("executable bit lost") << "notExecutable" << "missing or not executable";
    QTest::newRow("missing icon file") << "noIcon" << "does not exist";
    QTest::newRow("key of the program") << "key1" << "tools start at 2";
    QTest::newRow("same key twice") << "dupKey" << "used twice";
    QTest::newRow("download path escapes") << "escape" << "must be relative";
    QTest::newRow("screenshot counts differ") << "shots" << "as many";
    QTest::newRow("misspelt field") << "unknown" << "unknown field \"restriced\"";
    QTest::newRow("description extends itself") << "loop" << "nests too deep";
    QTest::newRow("no program folder") << "noProgram" << "program: folder";
}

void TestRwCatalog::badDescriptionLeavesNothing()
{
    QFETCH(QString, strChange);
    QFETCH(QString, strMessage);

    // A good catalog is already there; a failed build must leave it exactly as it was.
    writeDescription("good.json", goodDescription());
    QCOMPARE(run({"good.json", "out"}), 0);
    const QStringList vectBefore = treeOf(m_strRoot + "/out");

    QJsonObject description = goodDescription();
    QJsonArray tools = description.value("tools").toArray();
    QJsonObject hasher = tools[0].toObject();
    if (strChange == "noVersion")
        hasher.remove("version");
    else if (strChange == "noExe")
        hasher.insert("exeName", "Missing");
    else if (strChange == "notExecutable")
        QFile::setPermissions(m_strRoot + "/src/Hasher/Hasher", QFile::ReadOwner | QFile::WriteOwner);
    else if (strChange == "noIcon")
        hasher.insert("icons", QJsonObject {{"min", "pic/icon.png"}, {"mid", "pic/gone.png"}, {"max", "pic/icon.png"}});
    else if (strChange == "key1")
        hasher.insert("key", 1);
    else if (strChange == "dupKey")
        hasher.insert("key", 3);
    else if (strChange == "escape")
        hasher.insert("download", "../../etc/passwd");
    else if (strChange == "shots")
        hasher.insert("screenshots", QJsonObject {{"ch", QJsonArray {"pic/shot.png"}}, {"en", QJsonArray {}}});
    else if (strChange == "unknown")
        hasher.insert("restriced", true);
    else if (strChange == "loop")
        description.insert("extends", "bad.json");
    else if (strChange == "noProgram")
        description.insert("program", QJsonObject {{"version", "2.0.0"}});
    tools[0] = hasher;
    description.insert("tools", tools);
    writeDescription("bad.json", description);
    if (strChange == "broken")
        writeFile(m_strRoot + "/bad.json", "{\"material\": {\"version\": \"1\"}, \"tools\": [");

    QString strErr;
    QCOMPARE(run({"bad.json", "out"}, &strErr), 1);
    QVERIFY2(strErr.contains(strMessage), qPrintable(strErr));
    QCOMPARE(treeOf(m_strRoot + "/out"), vectBefore);
    QCOMPARE(run({"bad.json", "fresh"}), 1);
    QVERIFY(!QFileInfo::exists(m_strRoot + "/fresh"));
    QCOMPARE(QDir(m_strRoot).entryList(QDir::Hidden | QDir::AllEntries | QDir::NoDotAndDotDot).filter(".out"),
             QStringList());
}

QTEST_GUILESS_MAIN(TestRwCatalog)
#include "tst_rwcatalog.moc"
