// Text Statistics: characters, Chinese characters, words, lines and paragraphs of a text, live.

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Text Statistics " RW_DEMO_VERSION));
    window.resize(560, 420);
    auto *pLayout = new QVBoxLayout(&window);
    auto *pText = new QPlainTextEdit;
    pText->setPlaceholderText("Paste or type text here");
    auto *pCounts = new QLabel;
    pLayout->addWidget(pText);
    pLayout->addWidget(pCounts);

    auto count = [=] {
        const QString strText = pText->toPlainText();
        int iHan = 0, iSpaces = 0;
        for (const QChar c : strText) {
            if (c.script() == QChar::Script_Han)
                ++iHan;
            else if (c.isSpace())
                ++iSpaces;
        }
        static const QRegularExpression word("[A-Za-z0-9]+(?:['’-][A-Za-z0-9]+)*");
        int iWords = 0;
        for (auto it = word.globalMatch(strText); it.hasNext(); it.next())
            ++iWords;
        static const QRegularExpression blankLines("\\n\\s*\\n");
        const int iLines = strText.isEmpty() ? 0 : strText.count('\n') + 1;
        const int iParagraphs = strText.trimmed().isEmpty() ? 0 : strText.trimmed().split(blankLines).size();
        pCounts->setText(QString("Characters: %1 (without spaces: %2)   Chinese characters: %3\n"
                                 "Words: %4   Lines: %5   Paragraphs: %6")
                             .arg(strText.size())
                             .arg(strText.size() - iSpaces)
                             .arg(iHan)
                             .arg(iWords)
                             .arg(iLines)
                             .arg(iParagraphs));
    };
    QObject::connect(pText, &QPlainTextEdit::textChanged, count);
    count();
    window.show();
    return app.exec();
}
