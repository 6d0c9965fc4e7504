// The directory login dialog: its field rules, and real logins against slapd through Setup.xml.
#include "ConfigureStore.h"
#include "SlapdServer.h"
#include "TestXml.h"
#include "ToolCatalog.h"
#include "UserPermissionWidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace gearbay;

namespace {

const char *const kEmptyError = "user name  or password cannot empty.";
const char *const kWrongError = "user name  or password error.";

template <typename T = QLineEdit> T *child(UserPermissionWidget &dialog, const char *pName)
{
    return dialog.findChild<T *>(QLatin1String(pName));
}

QLabel *errorText(UserPermissionWidget &dialog)
{
    return child<QLabel>(dialog, "passwordErrorText");
}

} // namespace

class TestUserPermission : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString strMissing = SlapdServer::missingTools();
        if (!strMissing.isEmpty())
            QSKIP(qPrintable(QStringLiteral("slapd test parts missing: ") + strMissing));
        m_pSlapd.reset(new SlapdServer);
        QVERIFY2(m_pSlapd->start(), qPrintable(m_pSlapd->lastError()));
        QVERIFY2(m_pSlapd->addUser(QStringLiteral("carol"), QStringLiteral("s3cret")),
            qPrintable(m_pSlapd->lastError()));

        // A Setup.xml like the shipped one, pointing at this server.
        const QString strSetup = m_dir.filePath(QStringLiteral("Setup.xml"));
        QVERIFY(writeXmlFile(strSetup, xmlElement("Configure", { { "Translator", "0" }, { "DirectoryServer", m_pSlapd->url() },
            { "DirectoryUserDn", m_pSlapd->userDnTemplate() }, { "DirectoryCaFile", m_pSlapd->caFile() } }, true)));
        QVERIFY(ConfigureStore::instance()->load(strSetup));
    }

    void init()
    {
        if (m_pSlapd)
            setServer(m_pSlapd->url());
        ToolCatalog::instance()->setPermissionGranted(false);
    }

    void forbiddenCharactersCannotBeTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        // clang-format off
        for (const QChar c : QStringLiteral("|><\"?*:/\\'"))
            QTest::newRow(qPrintable(QStringLiteral("'%1'").arg(c))) << QStringLiteral("ab%1cd").arg(c) << "abcd";
        QTest::newRow("DN characters are allowed") << "a,b+c;d=e#f" << "a,b+c;d=e#f";
        QTest::newRow("at most 32") << QString(40, QLatin1Char('x')) << QString(32, QLatin1Char('x'));
        // clang-format on
    }

    void forbiddenCharactersCannotBeTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        UserPermissionWidget dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClicks(child(dialog, "userNameLineEdit"), typed);
        QCOMPARE(child(dialog, "userNameLineEdit")->text(), kept);
    }

    // The error line comes and goes without moving the fields under the pointer.
    void secondErrorRestartsDisplay()
    {
        UserPermissionWidget dialog;
        dialog.open();
        const auto fieldsAt = [&dialog] {
            QCoreApplication::processEvents(); // the layout follows a label shown or hidden
            return QList<QPoint> { child(dialog, "userNameLineEdit")->mapTo(&dialog, QPoint()),
                child(dialog, "passwordLineEdit")->mapTo(&dialog, QPoint()) };
        };
        const QList<QPoint> fields = fieldsAt();
        auto *pTimer = dialog.findChild<QTimer *>(QStringLiteral("errorTimer"));
        QVERIFY(pTimer);
        fillAndConfirm(dialog, QString(), QString());
        QVERIFY(pTimer->isActive());
        QCOMPARE(fieldsAt(), fields);
        QTest::qWait(800);
        QVERIFY(errorText(dialog)->isVisible());
        fillAndConfirm(dialog, QString(), QString());
        // Not restarted, at most 1200 ms would be left.
        QVERIFY2(pTimer->remainingTime() > 1500, qPrintable(QString::number(pTimer->remainingTime())));
        QTRY_VERIFY_WITH_TIMEOUT(!errorText(dialog)->isVisible(), 10000);
        QVERIFY(dialog.isVisible());
        QCOMPARE(fieldsAt(), fields);
    }

    void logsIn_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("right password")          << "carol"    << "s3cret" << true  << "";
        QTest::newRow("name with blanks around") << "  carol " << "s3cret" << true  << "";
        QTest::newRow("wrong password")          << "carol"    << "secret" << false << kWrongError;
        QTest::newRow("both empty")              << ""         << ""       << false << kEmptyError;
        QTest::newRow("blank user name")         << "   "      << "s3cret" << false << kEmptyError;
        QTest::newRow("blank password")          << "carol"    << "  "     << false << kEmptyError;
        // clang-format on
    }

    void logsIn()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        QFETCH(QString, message);
        const int iConnections = m_pSlapd->countInLog(QStringLiteral(" ACCEPT from"));
        UserPermissionWidget dialog;
        fillAndConfirm(dialog, user, password);
        if (message == QLatin1String(kEmptyError)) {
            // Refused on the spot, without asking the server.
            QVERIFY(!dialog.isChecking());
            QTest::qWait(200);
            QCOMPARE(m_pSlapd->countInLog(QStringLiteral(" ACCEPT from")), iConnections);
        }
        if (accepted) {
            QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 20000);
            QCOMPARE(dialog.result(), 1);
            QVERIFY(ToolCatalog::instance()->permissionGranted());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(!dialog.isChecking(), 20000);
            QVERIFY(dialog.isVisible());
            QVERIFY(errorText(dialog)->isVisible());
            QCOMPARE(errorText(dialog)->text(), message);
            QVERIFY(!ToolCatalog::instance()->permissionGranted());
            QVERIFY(dialog.getConfirmButtom()->isEnabled()); // the user may retry
        }
    }

    void staysResponsiveWhileServerIsSilent()
    {
        // Accepts connections and never answers, like a hung server.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        setServer(QStringLiteral("ldap://127.0.0.1:%1").arg(silent.serverPort()));

        UserPermissionWidget waiting;
        fillAndConfirm(waiting, QStringLiteral("carol"), QStringLiteral("s3cret"));
        UserPermissionWidget cancelled;
        fillAndConfirm(cancelled, QStringLiteral("carol"), QStringLiteral("s3cret"));

        // The event loop keeps running: the check shows and the user can cancel at once.
        QVERIFY(waiting.isChecking());
        QVERIFY(!waiting.getConfirmButtom()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(errorText(waiting)->isVisible(), 2000);
        QTest::mouseClick(cancelled.getCancelButton(), Qt::LeftButton);
        QVERIFY(!cancelled.isVisible());
        QCOMPARE(cancelled.result(), int(QDialog::Rejected));

        // The bind gives up at its timeout and says why; the cancelled one grants nothing.
        QTRY_VERIFY_WITH_TIMEOUT(!waiting.isChecking() && !cancelled.isChecking(), 30000);
        QVERIFY(waiting.isVisible());
        QCOMPARE(errorText(waiting)->text(),
            QStringLiteral("The directory server cannot be reached. Please try again later."));
        QVERIFY(!ToolCatalog::instance()->permissionGranted());
    }

private:
    void setServer(const QString &strServer)
    {
        QVERIFY(ConfigureStore::instance()->setValue(ConfigKey::DirectoryServer, strServer));
    }

    // Opens the dialog (unless it is open), fills both fields and presses OK.
    void fillAndConfirm(UserPermissionWidget &dialog, const QString &strUser, const QString &strPassword)
    {
        dialog.open();
        child(dialog, "userNameLineEdit")->setText(strUser);
        child(dialog, "passwordLineEdit")->setText(strPassword);
        QTest::mouseClick(dialog.getConfirmButtom(), Qt::LeftButton);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SlapdServer> m_pSlapd;
};

QTEST_MAIN(TestUserPermission)
#include "tst_userpermission.moc"
