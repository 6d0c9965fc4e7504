#include "File.h"
#include "FileSizeLimit.h"
#include "GenericDS.h"
#include "TestFiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using vellum::GenericDS;

// The XML handle and file helpers of the toolkit against real files.
class TestGenericDS : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("doc.xml");
        GenericDS root;
        QVERIFY(root.CreateASRoot("Tools"));
        for (int i = 0; i < 3; ++i) {
            GenericDS state = root.CreateChild("State");
            QVERIFY(state.CreateChild("ToolKey").SetValue(QString::number(i)));
            QVERIFY(state.CreateChild("Name").SetValue(QString::fromUtf8("工具 <&> %1").arg(i)));
        }
        QVERIFY(root.SaveXML(path));

        GenericDS loaded;
        QVERIFY(loaded.loadXML(path));
        QCOMPARE(loaded.GetName(), QString("Tools"));
        QCOMPARE(loaded.GetChildrenCount(), 3);
        QCOMPARE(loaded.GetChild(2).GetChildByName("ToolKey").GetValue(), QString("2"));
        QCOMPARE(loaded.GetChild(1).GetChildByName("Name").GetValue(), QString::fromUtf8("工具 <&> 1"));

        // A copy is a handle on the same document: changes through it are saved with the root.
        GenericDS first = loaded.GetChild(0);
        GenericDS alias = first;
        QVERIFY(alias.GetChildByName("Name").SetValue("renamed"));
        QVERIFY(loaded.SaveXML(path));
        GenericDS again;
        QVERIFY(again.loadXML(path));
        QCOMPARE(again.GetChild(0).GetChildByName("Name").GetValue(), QString("renamed"));
    }

    void missingChildrenReadEmpty()
    {
        GenericDS root;
        QVERIFY(root.CreateASRoot("Setup"));
        root.CreateChild("Translator").CreateChild("Value").SetValue("1");
        QCOMPARE(root.GetChildByName("Translator").GetChildByName("Value").GetValue(), QString("1"));
        QVERIFY(root.GetChildByName("Missing").GetChildByName("Value").GetValue().isEmpty());
        QVERIFY(root.GetChild(5).GetName().isEmpty());
        QVERIFY(root.GetChild(-1).isNull());
        QCOMPARE(root.GetChildByName("Missing").GetChildrenCount(), 0);
        QVERIFY(!root.GetChildByName("Missing").SetValue("x"));
        QVERIFY(root.GetChildByName("Missing").CreateChild("x").isNull());
    }

    void failedSaveKeepsOldBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Setup.xml");
        const QByteArray old = "<Setup><DownloadPath><Value>/old</Value></DownloadPath></Setup>";
        writeFile(path, old);

        GenericDS root;
        QVERIFY(root.CreateASRoot("Setup"));
        for (int i = 0; i < 200; ++i)
            root.CreateChild("Key").SetValue(QString(40, QLatin1Char('x')));
        {
            FileSizeLimit limit(256);
            QVERIFY(limit.isActive());
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(path)));
            QVERIFY(!root.SaveXML(path));
        }
        QCOMPARE(readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Setup.xml"});
        QVERIFY(root.SaveXML(path));
        QVERIFY(readFile(path).size() > 8000);
    }

    void readAllConcatenates()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("a.qss"), "QWidget{color:red;}\n");
        writeFile(dir.filePath("b.qss"), QString::fromUtf8("/* 样式 */").toUtf8());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("missing\\.qss"));
        const QString all = vellum::File::ReadAll({"b.qss", "missing.qss", "a.qss"}, dir.path());
        QCOMPARE(all, QString::fromUtf8("/* 样式 */QWidget{color:red;}\n"));
        QCOMPARE(vellum::File::ReadAll({"a.qss"}, dir.path() + "/"), QString("QWidget{color:red;}\n"));
    }
};

QTEST_GUILESS_MAIN(TestGenericDS)
#include "tst_genericds.moc"
