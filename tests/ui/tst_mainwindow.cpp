// The main window's request flow control (down to the update list it holds back) and answer mapping,
// the download server supervisor, and the window as the keyboard and a screen reader meet it.
#include "ClientRequestManager.h"
#include "ConfigureStore.h"
#include "DownloadedSubToolWidget.h"
#include "Gearbay.h"
#include "ServerProtocol.h"
#include "SubToolWidget.h"
#include "TempProgramFolder.h"
#include "TestXml.h"
#include "TipDialog.h"
#include "ToolBoxWidget.h"
#include "ToolCatalog.h"
#include "ToolDownloadWidget.h"
#include "ToolUpdateScene.h"
#include "ToolsWiget.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>
#include <memory>

using gearbay::Gearbay;
using ValueMap = QMap<int, QString>;

namespace {
const QString kServer = QStringLiteral("http://127.0.0.1:9/catalog");

QString url(int key)
{
    return kServer + QStringLiteral("/tool%1.tar.gz").arg(key);
}

QString answer(int method, const QList<QPair<QString, QString>> &values)
{
    return QString::fromUtf8(gearbay::protocol::responseBody(method, values.toVector()));
}

QList<QPair<int, ValueMap>> responses(const QSignalSpy &spy)
{
    QList<QPair<int, ValueMap>> result;
    for (const QList<QVariant> &call : spy)
        result.append({ call.at(0).toInt(), call.at(1).value<ValueMap>() });
    return result;
}

// What a screen reader is told a widget is called.
QString spokenName(QObject *object)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(object);
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

// The shown widget of root whose spoken name is strName.
QWidget *byName(QWidget *root, const QString &strName)
{
    for (QWidget *widget : root->findChildren<QWidget *>())
        if (widget->isVisible() && spokenName(widget) == strName)
            return widget;
    return nullptr;
}

// role and name of every shown control under face, in reading order.
void walk(QAccessibleInterface *face, QList<QPair<QAccessible::Role, QString>> &controls)
{
    for (int i = 0; i < face->childCount(); ++i) {
        QAccessibleInterface *child = face->child(i);
        if (child == nullptr || child->state().invisible)
            continue;
        controls.append({ child->role(), child->text(QAccessible::Name) });
        walk(child, controls);
    }
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<ValueMap>(); // the spies record answers before any data table names the type
        QVERIFY(m_folder.isValid());
        QVector<TempProgramFolder::Tool> tools;
        for (int key = 0; key <= 8; ++key)
            tools.append({ key, QString("Tool%1.exe").arg(key), QString("tool%1.tar.gz").arg(key),
                           QString("tool%1.tar.gz").arg(key) });
        QVERIFY(m_folder.writeSetup(kServer, kServer, 0));
        QVERIFY(m_folder.writeCatalog(tools));
        // Tools 5 and 6 are installed in an older version: the My Tools page lists them as updates.
        QVERIFY(writeXmlFile(m_folder.path() + "/ToolsStateList.xml",
            "<Tools>" + stateElement(5, "0.9", 1) + stateElement(6, "0.9", 1) + "</Tools>"));
        QVERIFY(QDir::setCurrent(m_folder.path()));
        QVERIFY(gearbay::ConfigureStore::instance()->load(m_folder.path() + QStringLiteral("/Setup.xml")));
        QVERIFY(gearbay::ToolCatalog::instance()->init());

        // The window starts "Ferrodock" beside the running executable: there is none here.
        m_strStandIn = QCoreApplication::applicationDirPath() + QStringLiteral("/Ferrodock");
        QFile::remove(m_strStandIn);
    }

    void init()
    {
        m_listShown.clear();
        gearbay::TipDialog::setAnswerHook([this](const QString &text, bool) { return m_listShown << text, 1; });
    }

    void cleanup() { gearbay::TipDialog::setAnswerHook(nullptr); }

    void parseResponse_data()
    {
        QTest::addColumn<QString>("response");
        QTest::addColumn<int>("method");
        QTest::addColumn<ValueMap>("values");

        // A plain answer of several tools: flowControl.
        QTest::newRow("element without url keeps the previous url")
            << QStringLiteral(R"({"method":1,"urlsToValue":[{"url":"%1","value":"0"},{"value":"404"}]})")
                   .arg(url(2))
            << 1 << ValueMap { { 2, "404" } };
        QTest::newRow("value that is not text keeps the previous value")
            << QStringLiteral(
                   R"({"method":1,"urlsToValue":[{"url":"%1","value":"7"},{"url":"%2","value":3}]})")
                   .arg(url(2), url(3))
            << 1 << ValueMap { { 2, "7" }, { 3, "7" } };
        QTest::newRow("url not in flight dropped")
            << answer(2, { { QStringLiteral("http://127.0.0.1:9/other"), "0" }, { url(3), "0" } }) << 2
            << ValueMap { { 3, "0" } };
        QTest::newRow("not json") << QStringLiteral("<html>busy</html>") << 0 << ValueMap {};
        QTest::newRow("method without list") << QStringLiteral(R"({"method":5})") << 5 << ValueMap {};
        QTest::newRow("method as text is no method")
            << QStringLiteral(R"({"method":"3","urlsToValue":[{"url":"%1","value":"1"}]})").arg(url(2)) << 0
            << ValueMap { { 2, "1" } };
    }

    void parseResponse()
    {
        QFETCH(QString, response);
        QFETCH(int, method);
        QFETCH(ValueMap, values);

        const QMap<QString, int> inFlight { { url(2), 2 }, { url(3), 3 } };
        int parsedMethod = -1;
        ValueMap parsed;
        Gearbay::parseResponse(response, inFlight, parsedMethod, parsed);
        QCOMPARE(parsedMethod, method);
        QCOMPARE(parsed, values);
    }

    void flowControl()
    {
        auto window = quietWindow();
        QSignalSpy responded(window.get(), &Gearbay::signalServerResponded);
        QSignalSpy started(window.get(), &Gearbay::signalWaitingToolsStartDownload);
        QSignalSpy counted(window.get(), &Gearbay::signalDownloadingCount);
        // The version question sent at start holds one of the three places until answered.
        window->onSolveRequestResult(0, answer(6, { { kServer, QStringLiteral("1.0") } }));
        QCOMPARE(counted.takeLast().at(0).toInt(), 0);
        responded.clear();

        // Five tools at once: three go to the server, the fourth and fifth wait and hear "120", and
        // the update list shows them waiting.
        window->onBuildClientRequest(3, { 2, 3, 4, 5, 6 });
        QCOMPARE(responses(responded),
            (QList<QPair<int, ValueMap>> {
                { 3, ValueMap { { 5, "120" } } }, { 3, ValueMap { { 6, "120" } } } }));
        gearbay::ToolUpdateScene *updates = window->findChild<gearbay::ToolBoxWidget *>()->updateScene();
        QCOMPARE(updates->row(5)->updateState(), gearbay::UpdateWaiting);
        responded.clear();

        // Waiting already: neither reported again nor sent; progress is answered locally.
        window->onBuildClientRequest(1, { 5 });
        QCOMPARE(responded.count(), 0);
        window->onBuildClientRequest(4, { 6 });
        QCOMPARE(responses(responded), (QList<QPair<int, ValueMap>> { { 4, ValueMap { { 6, "120" } } } }));
        responded.clear();

        // Accepted (0) keeps the tool in flight: nobody else may start.
        window->onSolveRequestResult(0, answer(3, { { url(2), "0" }, { url(3), "0" }, { url(4), "0" } }));
        QCOMPARE(counted.takeLast().at(0).toInt(), 3);
        QCOMPARE(started.count(), 0);

        // Progress 100 keeps it, 200 ends it: exactly one waiting tool starts, the first in line.
        window->onSolveRequestResult(0, answer(4, { { url(2), "100" } }));
        QCOMPARE(started.count(), 0);
        responded.clear();
        window->onSolveRequestResult(0, answer(4, { { url(2), "200" }, { url(3), "200" } }));
        QCOMPARE(started.count(), 1);
        QCOMPARE(started.takeFirst().at(0).toInt(), 5);
        QCOMPARE(updates->row(5)->updateState(), gearbay::Updating);
        QCOMPARE(updates->row(6)->updateState(), gearbay::UpdateWaiting);
        QCOMPARE(responses(responded).first(),
            (QPair<int, ValueMap> { 4, ValueMap { { 2, "200" }, { 3, "200" } } }));

        // The next answer starts the next one; a cancel of a waiting tool takes it out of the line.
        window->onBuildClientRequest(1, { 7 });
        window->onBuildClientRequest(5, { 7 });
        window->onSolveRequestResult(0, answer(5, { { url(7), "0" } }));
        QCOMPARE(started.count(), 1);
        QCOMPARE(started.takeFirst().at(0).toInt(), 6);
        window->onSolveRequestResult(
            0, answer(4, { { url(4), "200" }, { url(5), "200" }, { url(6), "200" } }));
        QCOMPARE(started.count(), 0);
        QCOMPARE(counted.takeLast().at(0).toInt(), 0);

        // A failed exchange (the server dropped the connection; a refused one, while the server
        // starts, is sent again) reaches the pages and frees its places, a failed cancel's too, and
        // the tool that waited starts.
        window->onBuildClientRequest(2, { 2, 3, 4, 7 });
        window->onBuildClientRequest(5, { 2 });
        responded.clear();
        window->onSolveRequestResult(52, answer(5, { { url(2), "110" } }));
        QCOMPARE(responses(responded), (QList<QPair<int, ValueMap>> { { 5, ValueMap { { 2, "110" } } } }));
        QCOMPARE(started.count(), 1);
        QCOMPARE(started.takeFirst().at(0).toInt(), 7);
        window->onSolveRequestResult(
            52, answer(2, { { url(3), "110" }, { url(4), "110" }, { url(7), "110" } }));
        QCOMPARE(counted.takeLast().at(0).toInt(), 0);
    }

    void serverMissingOnAFreePort()
    {
        QTcpServer first;
        QTcpServer second;
        first.listen(QHostAddress::LocalHost, 20008);
        second.listen(QHostAddress::LocalHost, 20010);
        // Whether taken by us or by somebody else, neither may be used. The first port we can take
        // from 20012 on is the one the window must pick.
        int expected = 0;
        for (int port = 20012; port < 20206 && expected == 0; port += 2) {
            QTcpServer probe;
            if (probe.listen(QHostAddress::LocalHost, port))
                expected = port;
        }
        QVERIFY(expected != 0);

        auto window = quietWindow();
        QCOMPARE(window->serverPort(), expected);
        QCOMPARE(window->serverProcess()->arguments(), QStringList { QString::number(expected) });
        QCOMPARE(window->serverProcess()->program(), m_strStandIn);
        QTRY_VERIFY_WITH_TIMEOUT(m_listShown.contains(QStringLiteral("start server fail")), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(m_listShown.contains(QStringLiteral("connect to server fail")), 20000);
        // The window stays usable without a server; the version question still holds its place.
        QSignalSpy responded(window.get(), &Gearbay::signalServerResponded);
        window->onBuildClientRequest(1, { 2, 3, 4, 5 });
        QCOMPARE(responded.count(), 2);
    }

    // The names of the card's title and action and of the page buttons are read in this walk too.
    void keyboardWalk_data()
    {
        QTest::addColumn<QString>("start"); // spoken name of the control that has the focus first
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("focused"); // a pattern of the spoken name of the control focused after
        // clang-format off
        QTest::newRow("tab along the title bar") << "Tools Down" << "Tab, Tab" << "Settings";
        QTest::newRow("shift+tab back") << "Settings" << "Shift+Tab" << "My Tools";
        QTest::newRow("tab from the title bar over the type bar and the search field to the first card") << "Close" << "Tab, Tab, Tab, Tab" << "Details of Tool2.exe";
        QTest::newRow("tab from a card's title to its action") << "Details of Tool2.exe" << "Tab" << "(Open|Download) Tool2.exe";
        QTest::newRow("left at the row's start stays") << "Details of Tool2.exe" << "Left" << "Details of Tool2.exe";
        QTest::newRow("down to the card below") << "Details of Tool3.exe" << "Down" << "(Open|Download) Tool7.exe";
        QTest::newRow("up, then right") << "Details of Tool7.exe" << "Up, Right" << "(Open|Download) Tool4.exe";
        QTest::newRow("enter downloads, the card keeps the focus") << "Download Tool8.exe" << "Return" << "Cancel the download of Tool8.exe";
        QTest::newRow("space opens the settings panel") << "Settings" << "Space, Tab" << "English";
        QTest::newRow("escape leaves the settings panel") << "Settings" << "Space, Escape" << "Settings";
        // clang-format on
    }

    void keyboardWalk()
    {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QString, focused);

        auto window = quietWindow();
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QWidget *first = byName(window.get(), start);
        QVERIFY2(first != nullptr, qPrintable(start));
        first->setFocus(Qt::TabFocusReason);
        for (const QString &key : keys.split(QStringLiteral(", "))) {
            const QKeySequence sequence(key);
            QVERIFY(QApplication::focusWidget() != nullptr);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(sequence[0] & ~Qt::KeyboardModifierMask),
                Qt::KeyboardModifiers(sequence[0] & Qt::KeyboardModifierMask));
            QTest::qWait(20); // a popup's activation arrives as a window system event
        }
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(focused));
        QTRY_VERIFY2(pattern.match(spokenName(QApplication::focusWidget())).hasMatch(),
            qPrintable(spokenName(QApplication::focusWidget())));
        // A card with the focus wears a ring, drawn on its edge.
        for (auto *card : window->findChildren<gearbay::SubToolWidget *>())
            QCOMPARE(card->grab().toImage().pixelColor(1, card->height() / 2) == QColor("#2D7FF9"),
                card->isAncestorOf(QApplication::focusWidget()));
    }

    void marketPageForScreenReaders()
    {
        auto window = quietWindow();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto *page = window->findChild<gearbay::ToolDownloadWidget *>();
        QList<QPair<QAccessible::Role, QString>> controls;
        walk(QAccessible::queryAccessibleInterface(page), controls);
        QStringList spoken;
        for (const auto &control : controls) {
            if (control.first == QAccessible::Button)
                QVERIFY2(!control.second.isEmpty(), "a button without a name");
            if (!control.second.isEmpty()) {
                const QString strEntry = QString::number(control.first) + QLatin1Char(' ') + control.second;
                QVERIFY2(!spoken.contains(strEntry), qPrintable(strEntry));
                spoken << strEntry;
            }
        }
        qInfo().noquote() << "Spoken on the market page (role name):" << spoken.join(QStringLiteral(" | "));
        QVERIFY(spoken.size() > 7 * 2);

        // A running download reports its value, and the message box is an alert.
        emit window->signalServerResponded(3, { { 2, QStringLiteral("0") } });
        emit window->signalServerResponded(4, { { 2, QStringLiteral("35") } });
        auto *grid = page->findChild<gearbay::ToolsWiget *>();
        QAccessibleInterface *bar
            = QAccessible::queryAccessibleInterface(grid->card(2)->findChild<QWidget *>("progressBar"));
        QVERIFY(bar != nullptr && bar->valueInterface() != nullptr);
        QCOMPARE(bar->valueInterface()->currentValue().toInt(), 35);
        // A reader names a box by the label that points to it.
        const auto labels = QAccessible::queryAccessibleInterface(window->findChild<QWidget *>("languageComboBox"))
                                ->relations(QAccessible::Label);
        QVERIFY(!labels.isEmpty());
        QCOMPARE(labels.first().first->text(QAccessible::Name), QStringLiteral("Language:"));
        gearbay::TipDialog tip;
        tip.setText(QStringLiteral("Disk full"));
        QCOMPARE(QAccessible::queryAccessibleInterface(&tip)->role(), QAccessible::AlertMessage);
        QCOMPARE(QAccessible::queryAccessibleInterface(&tip)->text(QAccessible::Description),
            QStringLiteral("Disk full"));
    }

private:
    // A window whose dispatcher answers are not heard: the test plays the server itself.
    std::unique_ptr<Gearbay> quietWindow()
    {
        auto window = std::make_unique<Gearbay>();
        auto *manager = window->findChild<gearbay::ClientRequestManager *>();
        if (manager != nullptr)
            QObject::disconnect(manager, nullptr, window.get(), nullptr);
        return window;
    }

    TempProgramFolder m_folder;
    QStringList m_listShown;
    QString m_strStandIn;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
