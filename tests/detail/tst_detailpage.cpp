// The detail page on the offscreen platform: the action panel's answer table and its agreement with
// the other pages' states, the screenshots with missing and broken files, the description, the help
// panel's manual check and the generated manuals. RW_DETAIL_TRANSLATOR=1 runs it in Chinese.

#include "MarketFixture.h"

#include "BubleShapeFrame.h"
#include "ConfigureStore.h"
#include "ExhibitorThumbnail.h"
#include "HelpWidget.h"
#include "MoreInfoLeftWidget.h"
#include "MoreInfoRightBottomWidget.h"
#include "MoreInfoRightTopWidget.h"
#include "ProgressBar.h"
#include "TipDialog.h"
#include "ToolCatalog.h"
#include "StringConvert.h"
#include "ToolMoreInfoWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

using namespace gearbay;

namespace {

const int Viewer = 2;
const int Sketchpad = 3;
const int Bare = 4;

struct Tool
{
    int iKey;
    QString strEnName, strChName, strExeName, strEnIntro, strChIntro, strUpdateIntro, strVersion;
    double dSize;
    int iImages, iIsDownload, iIsNeedUpdate;
};

// The catalog and the state list of the page's tools, loaded as start-up does.
bool setUpFolder(markettest::ProgramFolder &folder, const QVector<Tool> &vectTools, int iTranslator)
{
    using markettest::xmlElement;
    QString strTools;
    QString strStates;
    for (const Tool &tool : vectTools) {
        const QString strUrl = "tools/" + tool.strEnName + ".tar.gz";
        strTools += xmlElement("Tool", { { "ToolKey", QString::number(tool.iKey) }, { "ToolType", "1" },
                                         { "ToolCHName", tool.strChName }, { "ToolENName", tool.strEnName },
                                         { "Version", tool.strVersion }, { "IconMaxName", tool.strEnName + "_max.png" },
                                         { "BriefCHIntro", tool.strChIntro }, { "BriefENIntro", tool.strEnIntro },
                                         { "UpdateENIntro", tool.strUpdateIntro },
                                         { "UpdateCHIntro", tool.strUpdateIntro }, { "ExeName", tool.strExeName },
                                         { "updateDate", "2026-11-30" }, { "ToolSize", QString::number(tool.dSize) },
                                         { "IsDown", "0" }, { "DetailImagesNum", QString::number(tool.iImages) },
                                         { "DownloadCHUrl", strUrl }, { "DownloadENUrl", strUrl } });
        // The catalog derives a pending update from an installed version older than its own.
        const QString strInstalled = tool.iIsNeedUpdate == 1 ? QString("0.9") : tool.strVersion;
        strStates += xmlElement("State", { { "ToolKey", QString::number(tool.iKey) },
                                           { "CurrentVersion", strInstalled },
                                           { "IsDownload", QString::number(tool.iIsDownload) }, { "IsNewTools", "0" },
                                           { "IsNeedUpdate", QString::number(tool.iIsNeedUpdate) }, { "ListOrder", "0" } });
    }
    markettest::Fields setup = markettest::setupKeys(iTranslator, folder.downloadPath(), "http://127.0.0.1:9");
    setup[3].second = "1"; // IsCloseOpenTools
    return folder.writeAndLoad(strTools, strStates, setup);
}

// Renames the manual as a translation would.
class ManualNameTranslator : public QTranslator
{
public:
    QString strName;
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *sourceText, const char *, int) const override
    {
        return QLatin1String(sourceText) == QLatin1String("/help.pdf") ? strName : QString();
    }
};

void setState(int iKey, int iIsDownload, int iIsNeedUpdate)
{
    auto it = ToolCatalog::instance()->findState(iKey);
    QVERIFY(it != ToolCatalog::instance()->toolStates().end());
    it->IsDownload = iIsDownload;
    it->IsNeedUpdate = iIsNeedUpdate;
}

ToolInfo infoOf(int iKey)
{
    return ToolCatalog::instance()->findInfo(iKey).value();
}

void showPage(ToolMoreInfoWidget &page, int iKey)
{
    page.setToolKey(iKey);
    page.resize(1030, 704);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
}

bool shown(QWidget *pPanel, const char *name)
{
    auto *pChild = pPanel->findChild<QWidget *>(QLatin1String(name));
    return pChild && pChild->isVisibleTo(pPanel) && !pChild->isHidden();
}

// What the panel shows, as one comparable word.
QString viewOf(QWidget *pPanel)
{
    auto *pBar = pPanel->findChild<ProgressBar *>("progressBar");
    if (shown(pPanel, "progressBarWidget")) {
        if (pBar->m_iMode == 1)
            return shown(pPanel, "refreshBtn") ? "failed" : "failed-no-retry";
        return pBar->m_iMode == 2 ? "waiting" : "downloading";
    }
    if (shown(pPanel, "downloadBtn") && !shown(pPanel, "openBtn"))
        return "download";
    if (shown(pPanel, "openBtn") && shown(pPanel, "updateBtnWidget"))
        return "update";
    if (shown(pPanel, "openBtn"))
        return "open";
    return "none";
}

} // namespace

class TestDetailPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void panelFollows_data();
    void panelFollows();

    void missingAndBrokenScreenshotsShowPlaceholders();
    void thumbnailsSlideOnceAtATime();
    void longNamesAndIntroductionsStayInside();

    void manualCheck_data();
    void manualCheck();
    void generatedManuals_data();
    void generatedManuals();

    void helpPopupHidesWhenLeft();

private:
    markettest::ProgramFolder m_folder;
    int m_iTranslator = 0;
    QTranslator m_uiTranslator;
    QStringList m_listTips;
};

void TestDetailPage::initTestCase()
{
    qRegisterMetaType<ToolCurrentState>("ToolCurrentState");
    qRegisterMetaType<QVector<int>>();
    m_iTranslator = qEnvironmentVariableIntValue("RW_DETAIL_TRANSLATOR") == 1 ? 1 : 0;
    if (m_iTranslator == 1 && m_uiTranslator.load(QStringLiteral(RW_BUILD_DIR "/translations/gearbay_zh.qm")))
        QCoreApplication::installTranslator(&m_uiTranslator);

    const QString strSelf = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString strLong = QString("A very long introduction that goes on and on. ").repeated(60);
    const QString strLongName = "Bare tool with an exceptionally long name that would never fit on one line of the "
                                "page, not even on a wide screen";
    const QString strLongChName = QString::fromUtf8("一个名字非常非常长的工具，长到页面上一行根本放不下的程度，"
                                                    "还要更长更长更长更长，就算在很宽的屏幕上也一样放不下");
    QVERIFY(setUpFolder(m_folder,
        { { Viewer, "Viewer", QString::fromUtf8("查看器"), "viewer",
              "Viewer shows pictures, one at a time, with zoom and rotation.",
              QString::fromUtf8("查看器逐张显示图片，可缩放和旋转。"), QString(), "2.4.1", 12.5, 3, 0, 0 },
            { Sketchpad, "Sketchpad", QString::fromUtf8("画板"), "sketchpad", "Sketchpad draws.",
                QString::fromUtf8("画板用于绘图。"), "Faster brushes and a new colour picker.", "1.1", 50, 3,
                1, 1 },
            { Bare, strLongName, strLongChName, strSelf, strLong,
                QString::fromUtf8("很长的介绍。").repeated(200), QString(), "1.0", 1234.5678, 0, 1, 0 } },
        m_iTranslator));

    const QColor blue("#3B6FD1");
    for (const QString &strName : { QString("Viewer"), QString("Sketchpad") })
        m_folder.writeImage("ToolsFile/Icon/" + strName + "_max.png", QSize(128, 128), blue, strName.left(1));
    for (const QString &strLang : { QString("EN"), QString("CH") }) {
        for (int i = 0; i < 3; ++i)
            m_folder.writeImage(QString("ToolsFile/DetailImages/Viewer/%1/Viewer_%2.png").arg(strLang).arg(i),
                                QSize(700, 390), blue, QString("Viewer %1 %2").arg(strLang).arg(i + 1));
        // Sketchpad: the first file exists, the second is missing, the third is not a picture.
        m_folder.writeImage(QString("ToolsFile/DetailImages/Sketchpad/%1/Sketchpad_0.png").arg(strLang),
                            QSize(700, 390), blue, "Sketchpad");
        m_folder.writeFile(QString("ToolsFile/DetailImages/Sketchpad/%1/Sketchpad_2.png").arg(strLang),
                           "this is not a picture");
    }

    TipDialog::setAnswerHook([this](const QString &strText, bool) { return m_listTips.append(strText), 1; });
    HelpWidget::setUrlOpener([](const QUrl &) { return true; });
}

void TestDetailPage::cleanup()
{
    m_listTips.clear();
    HelpWidget::setUrlOpener([](const QUrl &) { return true; });
}

// --- action panel ------------------------------------------------------------------------------

void TestDetailPage::panelFollows_data()
{
    QTest::addColumn<int>("installed");
    QTest::addColumn<int>("needUpdate");
    QTest::addColumn<QString>("steps"); // "refresh", "cancel", "rM=V" (server value V for method M), "sub=S"
    QTest::addColumn<QString>("view");
    QTest::addColumn<int>("bar"); // -1: not checked
    QTest::addColumn<QString>("tip"); // tooltip of a failed bar
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("log"); // "dM": request with method M, "sS": state S reported, in order

    const auto row = [](const char *pszTag, int iInstalled, int iNeedUpdate, const char *pszSteps,
                         const char *pszView, int iBar, const char *pszTip, int iState, const char *pszLog) {
        QTest::newRow(pszTag) << iInstalled << iNeedUpdate << QString(pszSteps) << QString(pszView) << iBar
                              << QString(pszTip) << iState << QString(pszLog);
    };
    // The panel has just asked for the download (state 1, downloading view, bar 0); a failure fills
    // the bar in red. The panel itself never polls.
    row("accepted", 0, 0, "refresh r3=0", "downloading", 0, "", 2, "d3 s1 s2");
    row("queued locally", 0, 0, "refresh r3=120", "waiting", 0, "", 1, "d3 s1");
    row("timeout", 0, 0, "refresh r3=110", "failed", 100, "connect to network timeout.", 1, "d3 s1");
    row("missing package", 0, 0, "refresh r3=404", "failed", 100, "File not found.", 1, "d3 s1");
    row("card's poll moves the bar", 0, 0, "refresh r4=57", "downloading", 57, "", 1, "d3 s1");
    row("cannot save", 0, 0, "refresh r4=400", "failed", 100, "save failed.", 1, "d3 s1");
    row("not verified", 0, 0, "refresh r4=460", "failed", 100,
        "The download could not be verified and was not installed.", 1, "d3 s1");
    row("not a number", 0, 0, "refresh r4=12abc", "failed", 100, "connect to network failed.", 1, "d3 s1");
    row("installed", 0, 0, "refresh r4=200", "open", 0, "", 3, "d3 s1 s3");
    row("other method", 0, 0, "refresh r6=57", "downloading", 0, "", 1, "d3 s1");
    // The cancel is reported before the request, and answers to polls sent before it arrive late.
    row("cancel silences late answers", 0, 0, "refresh r4=40 cancel r4=57 r4=200", "download", 0, "", 4,
        "d3 s1 s4 d5");
    // What the other pages report.
    row("installed with update shows both", 1, 1, "", "update", -1, "", 0, "");
    row("requested elsewhere", 0, 0, "sub=1", "download", -1, "", 1, "");
    row("downloading elsewhere", 0, 0, "sub=2", "downloading", -1, "", 0, "");
    row("downloaded elsewhere changes nothing", 0, 0, "sub=3", "download", -1, "", 0, "");
    row("cancelled on installed tool", 1, 0, "sub=4", "open", -1, "", 4, "");
    row("deleted on the board", 1, 0, "sub=5", "download", -1, "", 5, "");
    row("out of range", 0, 0, "sub=9", "download", -1, "", 0, "");
    // A download started on the card while the page was never shown.
    row("failed before the page was built", 0, 0, "sub=1 r3=0 sub=2 r4=-1", "failed", 100,
        "connect to network failed.", 2, "s2");
    row("waiting in the window's queue", 0, 0, "sub=1 r3=120", "waiting", 0, "", 1, "");
    row("installed before the page was built", 0, 0, "sub=1 r3=0 sub=2 r4=200", "open", 0, "", 3, "s2 s3");
}

void TestDetailPage::panelFollows()
{
    QFETCH(int, installed);
    QFETCH(int, needUpdate);
    QFETCH(QString, steps);
    QFETCH(QString, view);
    QFETCH(int, bar);
    QFETCH(QString, tip);

    setState(Viewer, installed, needUpdate);
    // A page never shown: news of its tool must build its panel, not be lost.
    ToolMoreInfoWidget page(infoOf(Viewer));
    page.setToolKey(Viewer);
    QStringList listLog;
    connect(&page, &ToolMoreInfoWidget::signalDownload, this, [&](int iMethod, QVector<int> keys) {
        listLog << QString("d%1").arg(iMethod);
        QCOMPARE(keys, QVector<int> { Viewer });
    });
    connect(&page, &ToolMoreInfoWidget::signalToMainPage, this, [&](ToolCurrentState emState, int iKey) {
        listLog << QString("s%1").arg(int(emState));
        QCOMPARE(iKey, Viewer);
    });
    for (const QString &strStep : steps.split(' ', Qt::SkipEmptyParts)) {
        // Each time news of another tool too: nothing of it may reach this panel.
        if (strStep == "refresh") {
            QVERIFY(QMetaObject::invokeMethod(page.actionPanel(), "onRefresh"));
        } else if (strStep == "cancel") {
            page.actionPanel()->findChild<QAbstractButton *>("deleteBtn")->click();
        } else if (strStep.startsWith("sub=")) {
            emit page.signalToMoreInfoPage(ToolCurrentState(strStep.mid(4).toInt()), Viewer);
            emit page.signalToMoreInfoPage(StateDeleted, Sketchpad);
        } else {
            emit page.signalServerResponded(strStep.mid(1, 1).toInt(), { { Sketchpad, "200" } });
            emit page.signalServerResponded(strStep.mid(1, 1).toInt(), { { Viewer, strStep.mid(3) } });
        }
    }

    MoreInfoLeftWidget *pPanel = page.actionPanel();
    QCOMPARE(viewOf(pPanel), view);
    auto *pBar = pPanel->findChild<ProgressBar *>("progressBar");
    if (bar >= 0)
        QCOMPARE(pBar->value(), bar);
    if (view == "failed" && m_iTranslator == 0)
        QCOMPARE(pBar->toolTip(), tip);
    QTEST(int(pPanel->currentState()), "state");
    QTEST(listLog.join(' '), "log");
    // A finished download marks the tool installed for the other pages; a deletion takes it back.
    const int iInstalled = view == "open" || view == "update" ? 1 : 0;
    QCOMPARE(ToolCatalog::instance()->findState(Viewer)->IsDownload, iInstalled);
    setState(Viewer, 0, 0);
}

// --- screenshots and description ---------------------------------------------------------------

void TestDetailPage::missingAndBrokenScreenshotsShowPlaceholders()
{
    ToolMoreInfoWidget page(infoOf(Sketchpad));
    showPage(page, Sketchpad);
    MoreInfoRightBottomWidget *pStrip = page.screenshotWidget();
    QCOMPARE(pStrip->thumbnails().size(), 3);
    for (int i = 0; i < 3; ++i) {
        auto *pLabel = pStrip->findChild<QLabel *>(QString("m_centerLabel%1").arg(i));
        QVERIFY2(pLabel && !pLabel->pixmap(Qt::ReturnByValue).isNull(), qPrintable(QString::number(i)));
        auto *pThumbLabel = pStrip->thumbnails().at(i)->findChild<QLabel *>("m_centerLabel");
        QVERIFY(!pThumbLabel->pixmap(Qt::ReturnByValue).isNull());
    }

    // No screenshots at all: no thumbnails, a placeholder in the view.
    ToolMoreInfoWidget bare(infoOf(Bare));
    bare.setToolKey(Bare);
    QVERIFY(bare.screenshotWidget()->thumbnails().isEmpty());
    QVERIFY(bare.findChild<QLabel *>("m_emptyLabel"));

    // A catalog asking for more screenshots than fit under the view shows as many as fit.
    ToolInfo many = infoOf(Viewer);
    many.DetailImagesNum = 40;
    MoreInfoRightBottomWidget strip(many.DetailImagesNum);
    QCOMPARE(strip.thumbnails().size(), MoreInfoRightBottomWidget::kMaxImages);
    for (ExhibitorThumbnail *pThumb : strip.thumbnails())
        QVERIFY(pThumb->geometry().right() < 768 && pThumb->mapTo(&strip, QPoint(0, 0)).x() >= 0);
}

void TestDetailPage::thumbnailsSlideOnceAtATime()
{
    ToolMoreInfoWidget page(infoOf(Viewer));
    showPage(page, Viewer);
    MoreInfoRightBottomWidget *pStrip = page.screenshotWidget();
    BubleShapeFrame *pFrame = pStrip->exhibitor();
    QCOMPARE(pFrame->notchTips().size(), 3);
    QCOMPARE(pFrame->currentIndex(), 0);
    QVERIFY(pStrip->thumbnails().at(0)->isChecked());

    QSignalSpy changes(pFrame, &BubleShapeFrame::signalThumbnailIndexChanged);
    QTest::mouseClick(pStrip->thumbnails().at(0), Qt::LeftButton);
    QCOMPARE(changes.count(), 0);

    // Called directly, with no event processing in between, so a slow machine cannot finish the
    // slide before the second choice arrives.
    pFrame->onSolveButtonClick(2);
    QCOMPARE(changes.count(), 1);
    QVERIFY(pFrame->isSliding());
    pFrame->onSolveButtonClick(1); // ignored while sliding
    QCOMPARE(pFrame->currentIndex(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(!pFrame->isSliding(), 5000);
    QCOMPARE(pFrame->notchTip(), pFrame->notchTips().at(2)); // the notch points at the chosen one
    auto *pShown = pFrame->findChild<QLabel *>("m_centerLabel2");
    QCOMPARE(pShown->pos(), QPoint(0, 0));
    QVERIFY(pStrip->thumbnails().at(2)->isChecked());

    // A click on a thumbnail reaches the view.
    QTest::mouseClick(pStrip->thumbnails().at(1), Qt::LeftButton);
    QCOMPARE(pFrame->currentIndex(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(!pFrame->isSliding(), 5000);
    QCOMPARE(pFrame->findChild<QLabel *>("m_centerLabel1")->pos(), QPoint(0, 0));

    // Coming back to the page starts again at the first screenshot.
    page.hide();
    page.show();
    QCOMPARE(pFrame->currentIndex(), 0);
    QCOMPARE(pFrame->findChild<QLabel *>("m_centerLabel0")->pos(), QPoint(0, 0));
    QVERIFY(pStrip->thumbnails().at(0)->isChecked());
}

void TestDetailPage::longNamesAndIntroductionsStayInside()
{
    setState(Bare, 1, 0);
    ToolMoreInfoWidget page(infoOf(Bare));
    showPage(page, Bare);
    MoreInfoRightTopWidget *pTop = page.descriptionWidget();
    auto *pName = pTop->findChild<QLabel *>("toolName");
    auto *pIntro = pTop->findChild<QLabel *>("introTextLabel");
    auto *pMore = pTop->findChild<QAbstractButton *>("introMoreBtn");
    QVERIFY(pName->fontMetrics().horizontalAdvance(pName->text()) <= 768);
    QVERIFY(!pName->toolTip().isEmpty()); // the whole name stays reachable
    // No logo file for this tool: a placeholder instead of an empty square.
    QVERIFY(!page.actionPanel()->findChild<QLabel *>("logoLabel")->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(pIntro->text().endsWith(QChar(0x2026)));
    QVERIFY(pMore->isVisibleTo(pTop));
    QVERIFY(pIntro->geometry().bottom() < pMore->geometry().top());

    QTest::mouseClick(pMore, Qt::LeftButton);
    QTRY_VERIFY(!pIntro->text().endsWith(QChar(0x2026)));
    QTRY_VERIFY(pIntro->geometry().bottom() < pMore->geometry().top());
    // The expanded text pushes the screenshots down instead of running over them.
    QTRY_VERIFY(page.descriptionWidget()->mapTo(&page, QPoint(0, pTop->height())).y()
                <= page.screenshotWidget()->mapTo(&page, QPoint(0, 0)).y());
    QTest::mouseClick(pMore, Qt::LeftButton);
    QTRY_VERIFY(pIntro->text().endsWith(QChar(0x2026)));

    // Short introduction, pending update: shown whole without "...more"; the notes start folded.
    setState(Sketchpad, 1, 1);
    MoreInfoRightTopWidget top;
    top.setToolInfo(infoOf(Sketchpad));
    top.show();
    QVERIFY(!top.findChild<QWidget *>("introMoreBtn")->isVisibleTo(&top));
    QVERIFY(top.findChild<QWidget *>("updateWidget")->isVisibleTo(&top));
    QVERIFY(!top.findChild<QWidget *>("updateTextLabel")->isVisibleTo(&top));
    QTest::mouseClick(top.findChild<QAbstractButton *>("updateMoreBtn"), Qt::LeftButton);
    QVERIFY(top.findChild<QWidget *>("updateTextLabel")->isVisibleTo(&top));
}

// --- help panel and manuals --------------------------------------------------------------------

void TestDetailPage::manualCheck_data()
{
    QTest::addColumn<QString>("strManualName");
    QTest::addColumn<QString>("strCreate"); // "file", "dir" or "" (nothing)
    QTest::addColumn<bool>("bOpens");
    QTest::addColumn<QString>("strMessage"); // "warning box": the toolkit's box comes up instead

    QTest::newRow("manual present") << "/help.pdf" << "file" << true << "";
    QTest::newRow("viewer cannot open it: says where it is") << "/help.pdf" << "file" << false
                                                             << "Open User's Manual fail.\nNo program opened it. The manual is here: %1";
    QTest::newRow("folder named help.pdf") << "/help.pdf" << "dir" << true << "No user manual found.";
    QTest::newRow("missing") << "/help.pdf" << "" << true << "No user manual found.";
    QTest::newRow("translated to another suffix") << "/help.txt" << "file" << true << "No user manual found.";
    QTest::newRow("translated name") << "/help_zh.pdf" << "file" << true << "";
    // The licence button opens its folder the same way.
    const QString strLicences = "/Open Source Software Licenses";
    QTest::newRow("licence folder") << strLicences << "dir" << true << "";
    QTest::newRow("licence folder missing") << strLicences << "" << true << "warning box";
}

void TestDetailPage::manualCheck()
{
    QFETCH(QString, strManualName);
    QFETCH(QString, strCreate);
    QFETCH(bool, bOpens);
    QFETCH(QString, strMessage);
    if (m_iTranslator == 1)
        QSKIP("runs once, in English");

    ManualNameTranslator translator;
    translator.strName = strManualName;
    QCoreApplication::installTranslator(&translator);
    const QString strPath = QDir::currentPath() + strManualName;
    if (strCreate == "file")
        m_folder.writeFile(strManualName.mid(1), "%PDF-1.4\n");
    else if (strCreate == "dir")
        QDir().mkpath(strPath);

    QList<QUrl> listOpened;
    HelpWidget::setUrlOpener([&](const QUrl &url) { return listOpened << url, bOpens; });
    HelpWidget help;
    QSignalSpy covers(&help, &HelpWidget::signalCover);
    QStringList listDialogs;
    {
        markettest::ModalCloser closer;
        if (strManualName.contains("Licenses"))
            help.onLicenseButtonClicked();
        else
            help.onManualButtonClicked();
        listDialogs = closer.closed();
    }
    QCoreApplication::removeTranslator(&translator);
    if (strCreate == "file")
        QFile::remove(strPath);
    else if (strCreate == "dir")
        QDir(strPath).removeRecursively();

    const bool bBox = strMessage == "warning box";
    QCOMPARE(listDialogs, bBox ? QStringList { "vellum::TipDialogWithButtom" } : QStringList());
    if (strMessage.isEmpty()) {
        QCOMPARE(m_listTips, QStringList());
        QCOMPARE(listOpened, QList<QUrl>({ QUrl::fromLocalFile(strPath) }));
        QCOMPARE(covers.count(), 0);
    } else if (bBox) {
        QVERIFY(listOpened.isEmpty());
    } else {
        QCOMPARE(m_listTips, QStringList({ strMessage.replace("%1", QDir::toNativeSeparators(strPath)) }));
        QCOMPARE(covers.count(), 2);
    }
}

void TestDetailPage::generatedManuals_data()
{
    QTest::addColumn<QString>("strPdf");
    QTest::addColumn<QString>("strSource");
    QTest::newRow("english") << "help.pdf" << "help_en.md";
    QTest::newRow("chinese") << "help_zh.pdf" << "help_zh.md";
}

void TestDetailPage::generatedManuals()
{
    QFETCH(QString, strPdf);
    QFETCH(QString, strSource);
    QFile source(QStringLiteral(RW_SOURCE_DIR "/docs/manual/") + strSource);
    QVERIFY(source.open(QIODevice::ReadOnly));
    const int iChapters = QString::fromUtf8(source.readAll()).count(QRegularExpression("(^|\\n)# "));
    QVERIFY(iChapters >= 5);

    QFile pdf(QStringLiteral(RW_BUILD_DIR "/manual/") + strPdf);
    QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(pdf.fileName()));
    const QByteArray bytes = pdf.readAll();
    QVERIFY(bytes.startsWith("%PDF-"));
    QVERIFY(bytes.trimmed().endsWith("%%EOF"));
    const int iPages = QString::fromLatin1(bytes.constData(), bytes.size()).count(QRegularExpression("/Type\\s*/Page(?![s\\w])"));
    QVERIFY2(iPages >= iChapters, qPrintable(QString("%1 pages, %2 chapters").arg(iPages).arg(iChapters)));
    // The figures are in it, and the Chinese text has a font that can draw it.
    QVERIFY(bytes.count("/Subtype /Image") >= 4);
    if (strPdf.contains("zh"))
        QVERIFY(bytes.contains("CJK"));
}

void TestDetailPage::helpPopupHidesWhenLeft()
{
    HelpWidget help;
    help.show();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    // Clicking anywhere else deactivates the popup, which then hides.
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&help, &deactivate);
    QVERIFY(help.isHidden());
}

QTEST_MAIN(TestDetailPage)
#include "tst_detailpage.moc"
