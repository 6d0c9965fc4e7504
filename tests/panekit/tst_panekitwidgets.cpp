#include "BaseDialog.h"
#include "CoverWidget.h"
#include "FlowLayout.h"
#include "IconButton.h"
#include "PasswordLineEdit.h"
#include "RegExpValidator.h"
#include "ui_PromotedForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The toolkit's widgets as the pages use them: in layouts, in forms and as modal dialogs.
class TestPanekitWidgets : public QObject
{
    Q_OBJECT

private slots:
    void flowLayoutWraps_data()
    {
        QTest::addColumn<int>("iWidth");
        QTest::addColumn<int>("iCards");
        QTest::addColumn<int>("iColumns");
        QTest::addColumn<int>("iHeight");
        // Cards of 234 x 254 with spacings 16 and left/right margins 16/6, as the market grid.
        QTest::newRow("four columns") << 1034 << 9 << 4 << 3 * 254 + 2 * 16;
        QTest::newRow("exact fit") << 16 + 4 * 234 + 3 * 16 + 6 << 4 << 4 << 254;
        QTest::newRow("one pixel short") << 16 + 4 * 234 + 3 * 16 + 5 << 4 << 3 << 2 * 254 + 16;
        QTest::newRow("narrower than a card") << 100 << 3 << 1 << 3 * 254 + 2 * 16;
        QTest::newRow("empty") << 600 << 0 << 0 << 0;
    }

    void flowLayoutWraps()
    {
        QFETCH(int, iWidth);
        QFETCH(int, iCards);
        QFETCH(int, iColumns);
        QFETCH(int, iHeight);
        QWidget grid;
        auto *pLayout = new vellum::FlowLayout(&grid, 0, 16, 16);
        pLayout->setContentsMargins(16, 0, 6, 0);
        pLayout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QList<QWidget *> cards;
        for (int i = 0; i < iCards; ++i) {
            auto *pCard = new QWidget(&grid);
            pCard->setFixedSize(234, 254);
            pLayout->addWidget(pCard);
            cards.append(pCard);
        }
        QVERIFY(pLayout->hasHeightForWidth());
        QCOMPARE(pLayout->heightForWidth(iWidth), iHeight);
        pLayout->setGeometry(QRect(0, 0, iWidth, qMax(iHeight, 1)));
        for (int i = 0; i < iCards; ++i) {
            const QPoint expected(16 + (i % iColumns) * (234 + 16), (i / iColumns) * (254 + 16));
            QCOMPARE(cards.at(i)->geometry().topLeft(), expected);
        }
    }

    void regExpValidator_data()
    {
        QTest::addColumn<int>("iMode");
        QTest::addColumn<QString>("strPattern");
        QTest::addColumn<int>("iMaxLength");
        QTest::addColumn<QString>("strInput");
        QTest::addColumn<int>("iState");
        const QString forbidden = QStringLiteral("\\||>|<|\"|\\?|\\*|:|/|\\\\|'");
        const int reject = vellum::RegExpValidator::RejectMatching;
        const int accept = vellum::RegExpValidator::AcceptMatching;
        QTest::newRow("plain name") << reject << forbidden << 32 << "zhang.san" << int(QValidator::Acceptable);
        QTest::newRow("33 characters") << reject << forbidden << 32 << QString(33, 'a') << int(QValidator::Invalid);
        QTest::newRow("accept whole") << accept << "[0-9]{3}" << -1 << "123" << int(QValidator::Acceptable);
        QTest::newRow("accept prefix") << accept << "[0-9]{3}" << -1 << "12" << int(QValidator::Intermediate);
        QTest::newRow("accept wrong") << accept << "[0-9]{3}" << -1 << "1a" << int(QValidator::Invalid);
        QTest::newRow("alternation is anchored") << accept << "a|ab" << -1 << "ab" << int(QValidator::Acceptable);
        QTest::newRow("too long for pattern") << accept << "[0-9]{3}" << -1 << "1234" << int(QValidator::Invalid);
    }

    void regExpValidator()
    {
        QFETCH(int, iMode);
        QFETCH(QString, strPattern);
        QFETCH(int, iMaxLength);
        QFETCH(QString, strInput);
        QFETCH(int, iState);
        vellum::RegExpValidator validator(vellum::RegExpValidator::Mode(iMode), strPattern);
        validator.setMaxLength(iMaxLength);
        int pos = 0;
        QCOMPARE(int(validator.validate(strInput, pos)), iState);
    }

    void formsBuildToolkitWidgets()
    {
        QWidget host;
        Ui::PromotedForm ui;
        ui.setupUi(&host);
        QCOMPARE(ui.passwordLineEdit->echoMode(), QLineEdit::Password);
        ui.passwordLineEdit->setPasswordVisible(true);
        QCOMPARE(ui.passwordLineEdit->echoMode(), QLineEdit::Normal);
        QPixmap pixmap(20, 10);
        pixmap.fill(Qt::red);
        ui.picBtn->SetPixmap(pixmap);
        host.resize(300, 200);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        // The picture fills the whole button face.
        const QImage shot = ui.picBtn->grab().toImage();
        QCOMPARE(QColor(shot.pixel(shot.width() - 2, shot.height() - 2)), QColor(Qt::red));
        // A style sheet rule by object name paints the styled widget base.
        ui.typeBar->setMinimumHeight(20);
        host.setStyleSheet("#typeBar { background: #00ff00; }");
        QTRY_COMPARE_WITH_TIMEOUT(QColor(ui.typeBar->grab().toImage().pixel(5, 5)), QColor(0, 255, 0), 5000);
    }

    void coverFollowsWindow()
    {
        QWidget window;
        window.resize(400, 300);
        vellum::CoverWidget cover(&window);
        cover.setTransactionCover();
        cover.show();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(cover.geometry(), QRect(0, 0, 400, 300));
        window.resize(640, 480);
        QTRY_COMPARE_WITH_TIMEOUT(cover.geometry(), QRect(0, 0, 640, 480), 5000);
        window.setObjectName("window");
        window.setStyleSheet("#window { background: #ffffff; }");
        // Only the black look dims what lies under it; both catch the mouse.
        QVERIFY(window.grab().toImage().pixelColor(10, 10).lightness() > 240);
        cover.setBlackCover();
        QVERIFY(window.grab().toImage().pixelColor(10, 10).lightness() < 200);
        QCOMPARE(window.childAt(10, 10), &cover);
    }

    void baseDialogConnections_data()
    {
        QTest::addColumn<bool>("bEnter"); // Return, on a dialog whose confirm accepts; else Escape
        // A confirm that checks first, and cancel: tst_userpermission, on the dialog that does.
        QTest::newRow("escape rejects") << false;
        QTest::newRow("enter confirms") << true;
    }

    void baseDialogConnections()
    {
        QFETCH(bool, bEnter);
        vellum::BaseDialog dialog;
        dialog.setEnableDefaultConnections(bEnter, true, true, true, true);
        int iConfirmClicks = 0;
        connect(dialog.getConfirmButtom(), &QPushButton::clicked, [&] { ++iConfirmClicks; });
        int iFinished = -1;
        connect(&dialog, &QDialog::finished, [&](int r) { iFinished = r; });
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, bEnter ? Qt::Key_Return : Qt::Key_Escape);
        QCOMPARE(iFinished, int(bEnter ? QDialog::Accepted : QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QCOMPARE(iConfirmClicks, bEnter ? 1 : 0);
    }
};

QTEST_MAIN(TestPanekitWidgets)
#include "tst_panekitwidgets.moc"
