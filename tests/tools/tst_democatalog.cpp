// The demo catalogs the build produces: complete, consistent with themselves, and their tools start.

#include <QCryptographicHash>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

namespace {

using Record = QMap<QString, QString>;

QMap<int, Record> readCatalog(const QString &strPath)
{
    QMap<int, Record> mapRecords;
    QFile file(strPath);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        return mapRecords;
    for (QDomElement tool = document.documentElement().firstChildElement(); !tool.isNull();
         tool = tool.nextSiblingElement()) {
        Record record;
        for (QDomElement field = tool.firstChildElement(); !field.isNull(); field = field.nextSiblingElement())
            record.insert(field.tagName(), field.text());
        mapRecords.insert(record.value("ToolKey").toInt(), record);
    }
    return mapRecords;
}

QByteArray fileContent(const QString &strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Checks the demo catalog folders in the build tree as the program and Ferrodock will use them.
class TestDemoCatalog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogIsComplete_data();
    void catalogIsComplete();
    void versionTwoIsNewer();
    void demoToolStarts();

private:
    QString m_strDemo;
};

void TestDemoCatalog::initTestCase()
{
    m_strDemo = QStringLiteral(RW_BUILD_DIR) + "/demo";
    if (!QFileInfo::exists(m_strDemo + "/catalog/MaterialVersion.txt"))
        QSKIP("the demo catalog is not built (widget build off?)");
}

void TestDemoCatalog::catalogIsComplete_data()
{
    QTest::addColumn<QString>("strFolder");
    QTest::newRow("version 1") << "catalog";
    QTest::newRow("version 2") << "catalog-v2";
}

void TestDemoCatalog::catalogIsComplete()
{
    QFETCH(QString, strFolder);
    const QString strCatalog = m_strDemo + "/" + strFolder;
    const QMap<int, Record> mapRecords = readCatalog(strCatalog + "/ToolsInfoList.xml");
    QVERIFY(mapRecords.contains(0) && mapRecords.contains(1));
    QCOMPARE(fileContent(strCatalog + "/MaterialVersion.txt").trimmed(), mapRecords[0].value("Version").toUtf8());
    // The shipped material and the server's catalog file are the same catalog.
    QCOMPARE(fileContent(strCatalog + "/ToolsFile/ToolsInfoList.xml"), fileContent(strCatalog + "/ToolsInfoList.xml"));

    const int iTools = mapRecords.size() - 2;
    QVERIFY2(iTools >= 10 && iTools <= 12, qPrintable(QString::number(iTools)));
    int iRestricted = 0;
    for (const Record &record : mapRecords) {
        const QString strWhere = record.value("ToolKey") + " " + record.value("ToolENName");
        // Every package is there with a matching checksum, under the path the catalog names.
        const QString strPackage = strCatalog + "/" + record.value("DownloadCHUrl");
        QCOMPARE(record.value("DownloadENUrl"), record.value("DownloadCHUrl"));
        const QByteArray sum = fileContent(strPackage + ".sha256");
        QVERIFY2(!sum.isEmpty(), qPrintable(strPackage));
        QCOMPARE(sum.split(' ').value(0),
                 QCryptographicHash::hash(fileContent(strPackage), QCryptographicHash::Sha256).toHex());
        if (record.value("ToolKey").toInt() < 2)
            continue;

        iRestricted += record.value("IsDown").toInt();
        for (const char *name : {"ToolCHName", "ToolENName", "BriefCHIntro", "BriefENIntro", "Version", "updateDate"})
            QVERIFY2(!record.value(name).isEmpty(), qPrintable(strWhere + " " + name));
        QVERIFY2(record.value("ToolSize").toDouble() > 0, qPrintable(strWhere));
        const QString strTree = strCatalog + "/ToolsFile";
        for (const char *icon : {"IconMinName", "IconMidName", "IconMaxName"})
            QVERIFY2(QFileInfo(strTree + "/Icon/" + record.value(icon)).size() > 0, qPrintable(strWhere));
        for (const char *lang : {"zh", "en"}) {
            for (const char *size : {"_min.png", "_max.png"})
                QVERIFY2(QFileInfo::exists(strTree + "/BannerImages/" + lang + "/" + record.value("ToolKey") + size),
                         qPrintable(strWhere));
        }
        const QString strName = record.value("ToolENName");
        QVERIFY2(record.value("DetailImagesNum").toInt() >= 2, qPrintable(strWhere));
        for (int i = 0; i < record.value("DetailImagesNum").toInt(); ++i) {
            for (const char *lang : {"/CH/", "/EN/"})
                QVERIFY2(QFileInfo::exists(strTree + "/DetailImages/" + strName + lang + strName + "_"
                                           + QString::number(i) + ".png"),
                         qPrintable(strWhere));
        }
    }
    QVERIFY2(iRestricted >= 1 && iRestricted <= 2, qPrintable(QString::number(iRestricted)));
}

void TestDemoCatalog::versionTwoIsNewer()
{
    const QMap<int, Record> mapOld = readCatalog(m_strDemo + "/catalog/ToolsInfoList.xml");
    const QMap<int, Record> mapNew = readCatalog(m_strDemo + "/catalog-v2/ToolsInfoList.xml");
    QCOMPARE(mapNew.keys(), mapOld.keys());
    QVERIFY(mapNew[0].value("Version") != mapOld[0].value("Version"));
    QVERIFY(mapNew[1].value("Version") != mapOld[1].value("Version"));
    // The program fetches new material with the path of the catalog it has.
    QCOMPARE(mapNew[0].value("DownloadCHUrl"), mapOld[0].value("DownloadCHUrl"));
    int iNewer = 0;
    for (int iKey : mapOld.keys()) {
        if (iKey >= 2 && mapNew[iKey].value("Version") != mapOld[iKey].value("Version")) {
            ++iNewer;
            QVERIFY(!mapNew[iKey].value("UpdateENIntro").isEmpty());
        }
    }
    QVERIFY(iNewer >= 2);
}

void TestDemoCatalog::demoToolStarts()
{
    // A demo tool is a real program: started offscreen it stays up until it is ended.
    const QString strExe = m_strDemo + "/tools/TextStats/TextStats";
    QVERIFY(QFileInfo(strExe).isExecutable());
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.start(strExe, QStringList());
    QVERIFY(process.waitForStarted(10000));
    QVERIFY2(!process.waitForFinished(1500), qPrintable(process.readAllStandardError()));
    process.kill();
    QVERIFY(process.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(TestDemoCatalog)
#include "tst_democatalog.moc"
