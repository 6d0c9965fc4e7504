// The catalog refresh and the program download end to end in the real main window: its requests go
// through the real dispatcher to the real Ferrodock, which fetches version 2 of the demo catalog
// from a catalog server on loopback.

#include "Gearbay.h"
#include "SystemConfigWidget.h"
#include "TestFiles.h"
#include "ToolCatalog.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using Fault = CatalogTestServer::Fault;
using gearbay::SystemConfigWidget;
using gearbay::ToolCatalog;

const int kFlowMs = 90000; // a whole download on a loaded machine
const QString kNewMaterial = QStringLiteral("material have new version, please restart software.");

class TestCatalogRefresh : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(QStringLiteral(RW_BUILD_DIR "/demo/catalog-v2/MaterialVersion.txt")),
            "build the demo catalog first");
        // The program as shipped: version 1's material and no state yet.
        QVERIFY(m_fixture.prepare(QStringLiteral(RW_BUILD_DIR "/demo/catalog/ToolsFile")));
        m_fixture.answer = [this](const QString &strText) {
            if (strText != QLatin1String("Upgrade fail, try again?"))
                return strText.startsWith(QLatin1String("Upgrade completed")) ? 0 : 1; // restart later
            // "Again", once the connection holds; nothing of the failed download may be left.
            m_bLeftAfterFailure = QFileInfo::exists(marker());
            m_fixture.server().clearFaults();
            return 1;
        };
    }

    void missingMaterialIsReported()
    {
        m_fixture.server().setFault(QStringLiteral("/material/ToolsFile.tar.gz"), Fault::NotFound);
        QVERIFY(m_fixture.open());
        QTRY_COMPARE_WITH_TIMEOUT(versionText(), QStringLiteral("server no material files."), kFlowMs);
        QVERIFY(!m_fixture.tips.contains(kNewMaterial));
        QVERIFY(!QFileInfo::exists(m_fixture.folder().path() + QStringLiteral("/ToolsFileTemp")));
        QCOMPARE(ToolCatalog::instance()->currentVersion(0), std::string("1.0.0"));
        m_fixture.close();
        m_fixture.server().clearFaults();
    }

    void refreshAtStart()
    {
        QVERIFY(m_fixture.open());
        QTRY_VERIFY_WITH_TIMEOUT(m_fixture.tips.contains(kNewMaterial), kFlowMs);
        QCOMPARE(versionText(), QStringLiteral("check new version!"));
        QVERIFY(m_fixture.window()->findChild<QLabel *>(QStringLiteral("m_pNewRigWarden"))->isVisible());
        QCOMPARE(ToolCatalog::instance()->currentVersion(0), std::string("1.1.0"));
        QVERIFY(QFileInfo::exists(m_fixture.folder().path() + QStringLiteral("/ToolsFileTemp/ToolsInfoList.xml")));
        // The catalog in use is untouched until the next start.
        const QByteArray xml = readFile(m_fixture.folder().path() + QStringLiteral("/ToolsFile/ToolsInfoList.xml"));
        QVERIFY(xml.contains("<Version>1.2.0</Version>") && !xml.contains("<Version>1.3.0</Version>"));
    }

    void programDownloadRetriedAfterDrop()
    {
        auto *pPanel = m_fixture.window()->findChild<SystemConfigWidget *>();
        QSignalSpy progress(pPanel, &SystemConfigWidget::signalSetUpdateProgress);
        // The connection drops half-way: the retry question, answered "Again".
        m_fixture.server().setFault(QStringLiteral("/program/RigWarden.tar.gz"), Fault::DropMidFile);
        pPanel->findChild<QPushButton *>(QStringLiteral("updateBtn"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(m_fixture.tips.contains(QStringLiteral("Upgrade completed, restart software?")),
                                 kFlowMs);
        QCOMPARE(m_fixture.tips.count(QStringLiteral("Upgrade fail, try again?")), 1);
        QVERIFY(!m_bLeftAfterFailure);
        QCOMPARE(progress.last().at(0).toInt(), 100);
        QVERIFY(!QDir(marker()).isEmpty());
        QCOMPARE(versionText(), QStringLiteral("Version have updated, please restart software"));
        QCOMPARE(ToolCatalog::instance()->currentVersion(1), std::string("1.1.0"));
    }

private:
    QString versionText() const
    {
        return m_fixture.window()->findChild<QLabel *>(QStringLiteral("newVersionLabel"))->text();
    }
    QString marker() const { return m_fixture.folder().homePath() + QStringLiteral("/Rig Warden"); }

    WindowFixture m_fixture { QStringLiteral(RW_BUILD_DIR "/demo/catalog-v2") };
    bool m_bLeftAfterFailure = true;
};

QTEST_MAIN(TestCatalogRefresh)
#include "tst_catalogrefresh.moc"
