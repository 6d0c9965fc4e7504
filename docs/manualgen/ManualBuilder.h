#pragma once

#include <QSet>
#include <QString>
#include <QTextDocument>

namespace manualgen {

// Lays a Markdown manual out as an A4 PDF: every top-level heading starts a chapter on a new
// page, "figure:<name>" images are the drawn figures of ManualFigures (or, when a screenshot
// folder holds "<name>_<en|zh>.png" or "<name>_page_<en|zh>.png", that screenshot), and every
// page carries its number.
class ManualBuilder
{
public:
    explicit ManualBuilder(bool bChinese);

    // Screenshots to prefer over the drawn figures; a missing folder or file is not an error.
    void setScreenshotFolder(const QString &strFolder) { m_strScreenshots = strFolder; }
    bool loadMarkdown(const QString &strPath, QString *pError);
    bool writePdf(const QString &strPath, QString *pError);
    int chapterCount() const { return m_iChapters; }

private:
    void addFigures(const QString &strMarkdown);
    void styleDocument(double dTextWidth);

    bool m_bChinese;
    QString m_strScreenshots;
    QTextDocument m_document;
    QSet<QString> m_setScreenshots; // figure URLs that show a test screenshot
    int m_iChapters = 0;
};

} // namespace manualgen
