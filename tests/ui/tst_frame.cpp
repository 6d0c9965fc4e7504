// The frameless window's hit test and the message box's button rules.
#include "FrameHitTest.h"
#include "TipDialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using gearbay::FrameHit;

Q_DECLARE_METATYPE(gearbay::FrameHit)

class TestFrame : public QObject
{
    Q_OBJECT

private slots:
    void hitTest_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("onChild");
        QTest::addColumn<FrameHit>("hit");
        QTest::addColumn<int>("edges");

        // The main window's size: 1034 x 768.
        const int none = 0;
        // clang-format off
        QTest::newRow("child wins over a border") << 2 << 2 << true << FrameHit::Child << none;
        QTest::newRow("origin is caption") << 0 << 0 << false << FrameHit::Caption << none;
        QTest::newRow("margin middle") << 500 << 766 - 10 << false << FrameHit::Caption << none;
        QTest::newRow("left 4") << 4 << 300 << false << FrameHit::Left << int(Qt::LeftEdge);
        QTest::newRow("x 5 not left") << 5 << 300 << false << FrameHit::Caption << none;
        QTest::newRow("right W-4") << 1030 << 300 << false << FrameHit::Right << int(Qt::RightEdge);
        QTest::newRow("top 4") << 500 << 4 << false << FrameHit::Top << int(Qt::TopEdge);
        QTest::newRow("bottom H-4") << 500 << 764 << false << FrameHit::Bottom << int(Qt::BottomEdge);
        QTest::newRow("top left") << 2 << 2 << false << FrameHit::TopLeft << int(Qt::TopEdge | Qt::LeftEdge);
        QTest::newRow("top right") << 1032 << 3 << false << FrameHit::TopRight << int(Qt::TopEdge | Qt::RightEdge);
        QTest::newRow("bottom right") << 1031 << 766 << false << FrameHit::BottomRight << int(Qt::BottomEdge | Qt::RightEdge);
        // clang-format on
    }

    void hitTest()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(bool, onChild);
        QFETCH(FrameHit, hit);
        QFETCH(int, edges);

        const FrameHit answer = gearbay::frameHitTest(x, y, 1034, 768, onChild);
        QCOMPARE(answer, hit);
        QCOMPARE(int(gearbay::frameHitEdges(answer)), edges);
    }

    void tipButtons_data()
    {
        QTest::addColumn<bool>("showCancel");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("result");

        // clang-format off
        QTest::newRow("ok") << true << "ok" << 1;
        QTest::newRow("cancel") << true << "cancel" << 0;
        QTest::newRow("escape") << true << "escape" << 0;
        QTest::newRow("enter takes ok") << true << "enter" << 1;
        QTest::newRow("single button ok") << false << "ok" << 1;
        QTest::newRow("single button closed") << false << "close" << 0;
        // clang-format on
    }

    void tipButtons()
    {
        QFETCH(bool, showCancel);
        QFETCH(QString, action);
        QFETCH(int, result);

        QString strSeen; // the buttons shown and the OK button's text
        // Answer the dialog from inside its own event loop, once it is up.
        QTimer driver;
        connect(&driver, &QTimer::timeout, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (dialog == nullptr || !dialog->isVisible() || !strSeen.isEmpty())
                return;
            auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("okBtn"));
            auto *cancel = dialog->findChild<QPushButton *>(QStringLiteral("cancelBtn"));
            strSeen = QStringLiteral("ok %1 cancel %2 %3")
                          .arg(ok->isVisible())
                          .arg(cancel->isVisible())
                          .arg(ok->text());
            if (action == QLatin1String("ok"))
                ok->click();
            else if (action == QLatin1String("cancel"))
                cancel->click();
            else if (action == QLatin1String("escape"))
                QTest::keyClick(dialog, Qt::Key_Escape);
            else if (action == QLatin1String("enter"))
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Return);
            else
                dialog->close();
        });
        driver.start(20);

        const int answer = gearbay::TipDialog::showTip(":/Gearbay/Image/Gearbai/icon/notice.png", "Message", "Yes",
                                                       "No", showCancel, nullptr);
        driver.stop();
        QCOMPARE(strSeen, QStringLiteral("ok 1 cancel %1 Yes").arg(showCancel));
        QCOMPARE(answer, result);
        QVERIFY(QApplication::topLevelWidgets().isEmpty()
            || QApplication::activeModalWidget() == nullptr); // destroyed before returning
    }
};

QTEST_MAIN(TestFrame)
#include "tst_frame.moc"
