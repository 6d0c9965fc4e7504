// The market page against a 20,000-tool catalog it generates: the time from one keystroke in the search
// field to the filtered grid painted (p99 and longest of 100 keystrokes that narrow and widen the search),
// and the longest event-loop stall while the grid is scrolled from top to bottom a viewport at a time.
// With "--read <program folder>" it only reads that folder's ToolsInfoList.xml and ToolsStateList.xml and
// prints the milliseconds it took (the start-up benchmark's yardstick). A measurement, not a test.

#include "ConfigureStore.h"
#include "ToolCatalog.h"
#include "ToolDownloadWidget.h"
#include "ToolsWiget.h"
#include "ToosListWidget.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kTools = 20000;
constexpr double kKeystrokeTargetMs = 16;
constexpr double kStallTargetMs = 50;

bool writeFile(const QString &strPath, const QString &strText)
{
    QFile file(strPath);
    const QByteArray bytes = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + strText.toUtf8();
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString element(const QString &strTag, const QList<QPair<QString, QString>> &fields, bool bValues = false)
{
    QString strXml;
    for (const auto &field : fields)
        strXml
            += QString(bValues ? "<%1><Value>%2</Value></%1>" : "<%1>%2</%1>").arg(field.first, field.second);
    return QString("<%1>%2</%1>\n").arg(strTag, strXml);
}

// A program folder with kTools tools (keys 2 on) whose names and introductions differ, loaded as start-up
// does.
bool setUpCatalog(const QTemporaryDir &dir)
{
    static const char *const kWords[]
        = { "disk", "serial", "network", "image", "text", "log", "port", "audio" };
    QString strTools;
    QString strStates;
    for (int i = 0; i < kTools; ++i) {
        const int iKey = i + 2;
        const QString strWord = QString::fromLatin1(kWords[i % 8]);
        strTools += element("Tool",
            { { "ToolKey", QString::number(iKey) }, { "ToolType", "1" },
                { "ToolCHName", QString::fromUtf8("工具%1").arg(iKey) },
                { "ToolENName", QString("Tool %1").arg(iKey) }, { "Version", "1.0" }, { "IconMidName", "" },
                { "BriefCHIntro", QString::fromUtf8("一个%1工具").arg(strWord) },
                { "BriefENIntro", QString("A %1 tool that does one job well.").arg(strWord) },
                { "ExeName", QString("Tool%1").arg(iKey) }, { "ToolSize", "1.0" }, { "IsDown", "0" },
                { "DownloadCHUrl", "" }, { "DownloadENUrl", "" } });
        strStates += element("State",
            { { "ToolKey", QString::number(iKey) }, { "CurrentVersion", "1.0" }, { "IsDownload", "0" },
                { "IsNewTools", "0" }, { "IsNeedUpdate", "0" }, { "ListOrder", "0" } });
    }
    const QList<QPair<QString, QString>> setup = { { "Translator", "0" }, { "VersionType", "1" },
        { "DownloadPath", dir.path() + "/Downloads" }, { "IsCloseOpenTools", "0" }, { "IsNeedUpdate", "0" },
        { "ChServerAddress", "http://127.0.0.1:9" }, { "EnServerAddress", "http://127.0.0.1:9" } };
    QDir root(dir.path());
    return root.mkpath("ToolsFile/Icon") && root.mkpath("Downloads")
        && writeFile(root.filePath("Setup.xml"), element("Configure", setup, true))
        && writeFile(root.filePath("ToolsFile/ToolsInfoList.xml"), "<Tools>\n" + strTools + "</Tools>\n")
        && writeFile(root.filePath("ToolsStateList.xml"), "<Tools>\n" + strStates + "</Tools>\n")
        && QDir::setCurrent(dir.path())
        && gearbay::ConfigureStore::instance()->load(root.filePath("Setup.xml"))
        && gearbay::ToolCatalog::instance()->init();
}

// The calling thread's own CPU time: on a loaded machine the wall clock also counts waiting for a CPU.
double threadCpuMs()
{
    timespec time {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
}

double percentile(std::vector<double> values, double fShare)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t i = std::min(values.size() - 1, static_cast<size_t>(fShare * values.size()));
    return values[i];
}

int readOnly(const QString &strFolder)
{
    if (!QDir::setCurrent(strFolder))
        return 1;
    QElapsedTimer clock;
    clock.start();
    const bool bOk = gearbay::ToolCatalog::instance()->init();
    std::printf("%.1f\n", clock.nsecsElapsed() / 1e6);
    return bOk ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--read") {
        QCoreApplication app(argc, argv);
        return readOnly(QString::fromLocal8Bit(argv[2]));
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !setUpCatalog(dir)) {
        std::printf("bench_market: could not write the catalog\n");
        return 1;
    }
    gearbay::ToolDownloadWidget page;
    page.resize(1024, 720);
    page.show();
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 500)
        app.processEvents();

    // Keystrokes: narrow down to one tool, widen back to all, in a word of the introductions too.
    auto *edit = page.findChild<QLineEdit *>("searchEdit");
    page.focusSearch();
    const QStringList typed = { "tool 1999", "audio", "19" };
    std::vector<double> keystrokes;
    std::vector<double> keystrokesCpu;
    auto stroke = [&](int iKey, const QString &strText) {
        QElapsedTimer clock;
        clock.start();
        const double fCpu = threadCpuMs();
        QKeyEvent press(QEvent::KeyPress, iKey, Qt::NoModifier, strText);
        QKeyEvent release(QEvent::KeyRelease, iKey, Qt::NoModifier, strText);
        QApplication::sendEvent(edit, &press);
        QApplication::sendEvent(edit, &release);
        // The layouts settle, then the window paints what the user would see.
        app.sendPostedEvents();
        app.sendPostedEvents();
        page.repaint();
        keystrokes.push_back(clock.nsecsElapsed() / 1e6);
        keystrokesCpu.push_back(threadCpuMs() - fCpu);
    };
    while (keystrokes.size() < 100) {
        for (const QString &strWord : typed) {
            for (const QChar ch : strWord)
                stroke(ch.unicode() >= 'a' && ch.unicode() <= 'z' ? Qt::Key_A + (ch.unicode() - 'a')
                                                                  : Qt::Key_Space,
                    QString(ch));
            for (int i = 0; i < strWord.size(); ++i)
                stroke(Qt::Key_Backspace, QString());
        }
    }
    keystrokes.resize(100);
    keystrokesCpu.resize(100);
    edit->clear();
    app.processEvents();

    // Scrolling: a viewport at a time from top to bottom, each step settled and painted.
    QScrollBar *bar = page.findChild<QScrollArea *>("scrollArea")->verticalScrollBar();
    std::vector<double> steps;
    std::vector<double> stepsCpu;
    QElapsedTimer whole;
    whole.start();
    // RW_BENCH_SCROLL_STEPS stops early, for a quick look under a profiler.
    const int iMaxSteps = qEnvironmentVariableIsSet("RW_BENCH_SCROLL_STEPS")
        ? qEnvironmentVariableIntValue("RW_BENCH_SCROLL_STEPS")
        : INT_MAX;
    for (int iValue = 0; iValue <= bar->maximum() && int(steps.size()) < iMaxSteps;
         iValue += bar->pageStep()) {
        QElapsedTimer clock;
        clock.start();
        const double fCpu = threadCpuMs();
        bar->setValue(iValue);
        app.sendPostedEvents();
        page.repaint();
        // Outside an event loop, cards given up are only deleted when asked for explicitly.
        app.sendPostedEvents(nullptr, QEvent::DeferredDelete);
        steps.push_back(clock.nsecsElapsed() / 1e6);
        stepsCpu.push_back(threadCpuMs() - fCpu);
    }
    const double fScrollS = whole.elapsed() / 1000.0;
    QElapsedTimer jump;
    bar->setValue(0);
    app.processEvents();
    jump.start();
    bar->setValue(bar->maximum() / 2);
    app.sendPostedEvents();
    page.repaint();
    const double fJumpMs = jump.nsecsElapsed() / 1e6;

    const double fP99 = percentile(keystrokes, 0.99);
    const double fWorstKey = percentile(keystrokes, 1.0);
    const double fWorstStep = percentile(steps, 1.0);
    std::printf("Market page with %d tools (%s)\n", kTools, qPrintable(QGuiApplication::platformName()));
    std::printf("  search keystroke to painted grid: median %.1f ms, p99 %.1f ms, longest %.1f ms (target "
                "p99 <= %.0f ms)\n",
        percentile(keystrokes, 0.5), fP99, fWorstKey, kKeystrokeTargetMs);
    std::printf("  scroll top to bottom, %zu viewport steps in %.1f s: median %.1f ms, longest stall %.1f ms "
                "(target < %.0f ms); one jump to the middle %.1f ms\n",
        steps.size(), fScrollS, percentile(steps, 0.5), fWorstStep, kStallTargetMs, fJumpMs);
    QFile status("/proc/self/status");
    QByteArray peak = "?";
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                peak = line.mid(6).trimmed();
    std::printf("  the GUI thread's own CPU time: keystroke p99 %.1f ms, longest scroll step %.1f ms\n",
        percentile(keystrokesCpu, 0.99), percentile(stepsCpu, 1.0));
    std::printf("  cards built after the scroll: %d; peak RSS %s\n",
        page.listWidget()->toolsWidget()->cards().size(), peak.constData());
    return 0;
}
