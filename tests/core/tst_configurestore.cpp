#include "TestFiles.h"
#include "TestXml.h"
#include "ConfigureStore.h"

#include <QRegularExpression>
#include <QTemporaryDir>

using gearbay::ConfigKey;
using gearbay::ConfigureStore;

// The settings store against real Setup.xml files.
class TestConfigureStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A Setup.xml with one element per "Name=Value" pair, in the given order.
    QString writeSetup(const QStringList &pairs, const QString &strName = "Setup.xml")
    {
        XmlFields fields;
        for (const QString &pair : pairs)
            fields.append({pair.section('=', 0, 0), pair.section('=', 1)});
        writeXmlFile(m_dir.filePath(strName), xmlElement("Configure", fields, true));
        return m_dir.filePath(strName);
    }

private slots:
    void getters_data()
    {
        QTest::addColumn<QStringList>("pairs");
        QTest::addColumn<uint>("translator");
        QTest::addColumn<QString>("serverAddress");
        QTest::addColumn<int>("versionType");
        QTest::addColumn<int>("isCloseOpenTools");
        QTest::addColumn<int>("isNeedUpdate");
        QTest::addColumn<QString>("downloadPath");
        const QStringList servers{"ChServerAddress=http://ch", "EnServerAddress=http://en"};
        QTest::newRow("translator missing") << servers << 0u << "http://en" << 1 << 0 << 0 << "";
        QTest::newRow("translator abc") << QStringList{"Translator=abc"} << 0u << "" << 1 << 0 << 0 << "";
        QTest::newRow("switches -1") << QStringList{"IsCloseOpenTools=-1", "IsNeedUpdate=-1", "VersionType=-1"} << 0u
                                     << "" << 1 << 0 << 0 << "";
        QTest::newRow("switches on") << QStringList{"IsCloseOpenTools=3", "IsNeedUpdate=1", "VersionType=2"}
                                     << 0u << "" << 2 << 3 << 1 << "";
        QTest::newRow("not numbers") << QStringList{"IsCloseOpenTools=abc", "IsNeedUpdate=", "VersionType=abc"}
                                     << 0u << "" << 0 << 0 << 0 << "";
        QTest::newRow("duplicates: first wins")
            << QStringList{"DownloadPath=/first", "Translator=1", "DownloadPath=/second", "Translator=0",
                           "ChServerAddress=http://ch"}
            << 1u << "http://ch" << 1 << 0 << 0 << "/first";
        QTest::newRow("chinese path") << QStringList{QString::fromUtf8("DownloadPath=/home/u/工具")} << 0u << "" << 1
                                      << 0 << 0 << QString::fromUtf8("/home/u/工具");
    }

    void getters()
    {
        QFETCH(QStringList, pairs);
        ConfigureStore store;
        QVERIFY(store.load(writeSetup(pairs)));
        QTEST(store.translator(), "translator");
        QTEST(store.serverAddress(), "serverAddress");
        QTEST(store.versionType(), "versionType");
        QTEST(store.isCloseOpenTools(), "isCloseOpenTools");
        QTEST(store.isNeedUpdate(), "isNeedUpdate");
        QTEST(store.downloadPath(), "downloadPath");
    }

    void setValue_data()
    {
        QTest::addColumn<QStringList>("pairs");
        QTest::addColumn<int>("iKey");
        QTest::addColumn<QString>("strText");
        QTest::addColumn<bool>("bResult");
        QTest::addColumn<QString>("strReadBack");   // downloadPath() after the call, then after a reload
        QTest::addColumn<bool>("bFileChanged");
        QTest::newRow("existing key") << QStringList{"Translator=1", "DownloadPath=/old"} << int(ConfigKey::DownloadPath)
                                      << "/new/path" << true << "/new/path" << true;
        QTest::newRow("missing key is never added") << QStringList{"Translator=1"} << int(ConfigKey::DownloadPath)
                                                    << "/new" << false << "" << false;
        QTest::newRow("duplicate: first written") << QStringList{"DownloadPath=/a", "DownloadPath=/b"}
                                                  << int(ConfigKey::DownloadPath) << "/c" << true << "/c" << true;
        QTest::newRow("unknown number") << QStringList{"DownloadPath=/a"} << 99 << "/c" << false << "/a" << false;
        QTest::newRow("markup in value") << QStringList{"DownloadPath=/a"} << int(ConfigKey::DownloadPath)
                                         << QString::fromUtf8("/a&b/<c>/工具") << true << QString::fromUtf8("/a&b/<c>/工具") << true;
    }

    void setValue()
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

    void badFiles_data()
    {
        QTest::addColumn<bool>("bCreate");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << false << QByteArray();
        QTest::newRow("empty") << true << QByteArray();
        QTest::newRow("truncated") << true << QByteArray("<Configure><Translator><Value>1</Val");
        QTest::newRow("not xml") << true << QByteArray("Translator = 1");
    }

    void badFiles()
    {
        QFETCH(bool, bCreate);
        QFETCH(QByteArray, content);
        ConfigureStore store;
        const QString good = writeSetup({"Translator=1", "DownloadPath=/good"}, "good.xml");
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

    void shippedFileHasEveryKey()
    {
        const QString path = QStringLiteral(RW_BUILD_DIR "/core/Setup.xml");
        ConfigureStore store;
        QVERIFY(store.load(path));
        QCOMPARE(store.entries().size(), int(ConfigKey::KeyCount));
        for (int iKey = 0; iKey < ConfigKey::KeyCount; ++iKey)
            QVERIFY2(store.hasKey(iKey), qPrintable(ConfigKey::name(iKey)));
        QVERIFY(store.serverAddress().contains(QLatin1String("://")));
    }
};

QTEST_GUILESS_MAIN(TestConfigureStore)
#include "tst_configurestore.moc"
