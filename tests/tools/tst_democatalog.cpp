// The demo catalogs the build produces: complete and consistent with themselves. (That their tools
// start: tst_marketflow and tst_mytoolsupdate open them in the real window; that version 2 is newer:
// tst_catalogrefresh, tst_selfupdate and tst_mytoolsupdate update to it.)

#include "TestFiles.h"

#include <QProcess>
#include <QtTest>

using Record = QMap<QString, QString>;

// Checks the demo catalog folders in the build tree as the program and Ferrodock will use them.
class TestDemoCatalog : public QObject
{
    Q_OBJECT

    const QString m_strDemo = QStringLiteral(RW_BUILD_DIR "/demo");

private slots:
    void initTestCase()
    {
        if (!QFileInfo::exists(m_strDemo + "/catalog/MaterialVersion.txt"))
            QSKIP("the demo catalog is not built (widget build off?)");
    }

    void catalogIsComplete_data()
    {
        QTest::addColumn<QString>("strFolder");
        QTest::newRow("version 1") << "catalog";
        QTest::newRow("version 2") << "catalog-v2";
    }

    void catalogIsComplete()
    {
        QFETCH(QString, strFolder);
        const QString strCatalog = m_strDemo + "/" + strFolder;
        const QString strTree = strCatalog + "/ToolsFile/";
        const QMap<int, Record> mapRecords = readToolRecords(strCatalog + "/ToolsInfoList.xml");
        QVERIFY(mapRecords.contains(0) && mapRecords.contains(1));
        QCOMPARE(readFile(strCatalog + "/MaterialVersion.txt").trimmed(), mapRecords[0].value("Version").toUtf8());
        // The shipped material and the server's catalog file are the same catalog.
        QCOMPARE(readFile(strTree + "ToolsInfoList.xml"), readFile(strCatalog + "/ToolsInfoList.xml"));

        for (const Record &record : mapRecords) {
            const QString strWhere = record.value("ToolKey") + " " + record.value("ToolENName");
            // Every package is there with a matching checksum, under the path the catalog names.
            const QString strPackage = strCatalog + "/" + record.value("DownloadCHUrl");
            QCOMPARE(record.value("DownloadENUrl"), record.value("DownloadCHUrl"));
            QCOMPARE(readFile(strPackage + ".sha256").split(' ').value(0),
                     QCryptographicHash::hash(readFile(strPackage), QCryptographicHash::Sha256).toHex());
            if (record.value("ToolKey").toInt() < 2)
                continue;

            for (const char *name : {"ToolCHName", "ToolENName", "BriefCHIntro", "BriefENIntro", "Version", "updateDate"})
                QVERIFY2(!record.value(name).isEmpty(), qPrintable(strWhere + " " + name));
            QVERIFY2(record.value("ToolSize").toDouble() > 0, qPrintable(strWhere));
            // Every picture the pages show.
            QStringList vectPictures;
            for (const char *icon : {"IconMinName", "IconMidName", "IconMaxName"})
                vectPictures << "Icon/" + record.value(icon);
            for (const char *banner : {"zh/%1_min.png", "zh/%1_max.png", "en/%1_min.png", "en/%1_max.png"})
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

QTEST_GUILESS_MAIN(TestDemoCatalog)
#include "tst_democatalog.moc"
