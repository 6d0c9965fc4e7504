#include "File.h"
#include "GenericDS.h"
#include "TestFiles.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using vellum::GenericDS;

// The XML handle and file helpers of the toolkit. (Saving, and what a failed save keeps:
// tst_core, through the stores that save.)
class TestGenericDS : public QObject
{
    Q_OBJECT

private slots:
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
