#include "SetupValueFile.h"

#include <QFile>
#include <QSaveFile>
#include <QTextCodec>
#include <QVector>
#include <QXmlStreamReader>

namespace gearbay {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Where the Value text of a key lies in the decoded document.
struct ValueSpan
{
    int iTextBegin = -1; // first character after <Value>
    int iTextEnd = -1; // the '<' of </Value>
    int iTagBegin = -1; // the '<' of <Value/> when the element is empty and self-closed
};

struct ParsedFile
{
    QByteArray bom;
    QTextCodec *pCodec = nullptr;
    QString strText;
};

bool parseBytes(QByteArray bytes, const QString &strPath, const QString &strKey, ParsedFile *pFile,
    ValueSpan *pSpan, QString *pValue, QString *pError)
{
    if (bytes.startsWith(kUtf8Bom)) {
        pFile->bom = kUtf8Bom;
        bytes.remove(0, kUtf8Bom.size());
    }

    // Offsets are counted in decoded characters, so the text is decoded with the same codec the
    // reader chose from the declaration and re-encoded with it on write.
    QXmlStreamReader reader(bytes);
    int iDepth = 0;
    bool bInKey = false;
    bool bInValue = false;
    bool bFound = false;
    QString strValue;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartDocument()) {
            const QString strEncoding = reader.documentEncoding().toString();
            pFile->pCodec
                = strEncoding.isEmpty() ? nullptr : QTextCodec::codecForName(strEncoding.toLatin1());
        } else if (reader.isStartElement()) {
            ++iDepth;
            if (!bFound && iDepth == 2 && reader.name() == strKey) {
                bInKey = true;
            } else if (bInKey && iDepth == 3 && reader.name() == QLatin1String("Value")) {
                bInValue = true;
                pSpan->iTextBegin = int(reader.characterOffset());
            }
        } else if (reader.isCharacters() && bInValue) {
            strValue += reader.text();
        } else if (reader.isEndElement()) {
            if (bInValue && iDepth == 3) {
                pSpan->iTextEnd = int(reader.characterOffset());
                bInValue = false;
                bInKey = false;
                bFound = true;
            } else if (bInKey && iDepth == 2) {
                bInKey = false; // a key without Value: keep looking, the first full one counts
            }
            --iDepth;
        }
    }
    if (reader.hasError()) {
        *pError = QStringLiteral("%1 is not well-formed: %2 (line %3)")
                      .arg(strPath, reader.errorString())
                      .arg(reader.lineNumber());
        return false;
    }
    if (!bFound) {
        *pError = QStringLiteral("%1 has no %2 value").arg(strPath, strKey);
        return false;
    }
    if (pFile->pCodec == nullptr)
        pFile->pCodec = QTextCodec::codecForName("UTF-8");
    pFile->strText = pFile->pCodec->toUnicode(bytes);

    // The end element's offset lies just past "</Value>" (or past "<Value/>" when the two
    // offsets are equal).
    if (pSpan->iTextEnd == pSpan->iTextBegin) {
        pSpan->iTagBegin = pFile->strText.lastIndexOf(QLatin1Char('<'), pSpan->iTextBegin - 1);
    } else {
        pSpan->iTextEnd = pFile->strText.lastIndexOf(QLatin1String("</"), pSpan->iTextEnd - 1);
    }
    if (pSpan->iTextEnd < 0 || pSpan->iTextEnd < pSpan->iTextBegin) {
        *pError = QStringLiteral("cannot locate the %1 value in %2").arg(strKey, strPath);
        return false;
    }
    if (pValue != nullptr)
        *pValue = strValue;
    return true;
}

bool parse(const QString &strPath, const QString &strKey, ParsedFile *pFile, ValueSpan *pSpan,
    QString *pValue, QString *pError)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = QStringLiteral("cannot read %1: %2").arg(strPath, file.errorString());
        return false;
    }
    return parseBytes(file.readAll(), strPath, strKey, pFile, pSpan, pValue, pError);
}

// A key element of the root, as character offsets into the decoded text.
struct KeyElement
{
    QString strName;
    int iBegin = -1; // its '<'
    int iEnd = -1; // just past its end tag
};

// The root's key elements and where the root's end tag begins.
bool scanKeys(QByteArray bytes, const QString &strPath, ParsedFile *pFile, QVector<KeyElement> *pKeys,
    int *pRootEnd, QString *pError)
{
    if (bytes.startsWith(kUtf8Bom)) {
        pFile->bom = kUtf8Bom;
        bytes.remove(0, kUtf8Bom.size());
    }
    QXmlStreamReader reader(bytes);
    QVector<int> starts; // end offsets of the key start tags
    QVector<int> ends;
    int iDepth = 0;
    int iRootEnd = -1;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartDocument()) {
            const QString strEncoding = reader.documentEncoding().toString();
            pFile->pCodec
                = strEncoding.isEmpty() ? nullptr : QTextCodec::codecForName(strEncoding.toLatin1());
        } else if (reader.isStartElement()) {
            if (++iDepth == 2) {
                KeyElement key;
                key.strName = reader.name().toString();
                pKeys->append(key);
                starts.append(int(reader.characterOffset()));
            }
        } else if (reader.isEndElement()) {
            if (iDepth == 2)
                ends.append(int(reader.characterOffset()));
            else if (iDepth == 1)
                iRootEnd = int(reader.characterOffset());
            --iDepth;
        }
    }
    if (reader.hasError() || iRootEnd < 0) {
        *pError = QStringLiteral("%1 is not well-formed: %2").arg(strPath, reader.errorString());
        return false;
    }
    if (pFile->pCodec == nullptr)
        pFile->pCodec = QTextCodec::codecForName("UTF-8");
    pFile->strText = pFile->pCodec->toUnicode(bytes);
    for (int i = 0; i < pKeys->size(); ++i) {
        (*pKeys)[i].iBegin = pFile->strText.lastIndexOf(QLatin1Char('<'), starts.at(i) - 1);
        (*pKeys)[i].iEnd = ends.at(i);
    }
    *pRootEnd = pFile->strText.lastIndexOf(QLatin1String("</"), iRootEnd - 1);
    if (*pRootEnd < 0) {
        *pError = QStringLiteral("%1 has an empty root").arg(strPath);
        return false;
    }
    return true;
}

bool readFile(const QString &strPath, QByteArray *pBytes, QString *pError)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = QStringLiteral("cannot read %1: %2").arg(strPath, file.errorString());
        return false;
    }
    *pBytes = file.readAll();
    return true;
}

QString escaped(const QString &strText)
{
    return strText.toHtmlEscaped();
}

} // namespace

bool SetupValueFile::read(const QString &strPath, const QString &strKey, QString *pValue)
{
    ParsedFile file;
    ValueSpan span;
    QString strError;
    return parse(strPath, strKey, &file, &span, pValue, &strError);
}

bool SetupValueFile::write(
    const QString &strPath, const QString &strKey, const QString &strValue, QString *pError)
{
    QString strError;
    ParsedFile file;
    ValueSpan span;
    if (!parse(strPath, strKey, &file, &span, nullptr, &strError)) {
        if (pError != nullptr)
            *pError = strError;
        return false;
    }

    QString strText = file.strText;
    if (span.iTagBegin >= 0) {
        strText.replace(span.iTagBegin, span.iTextEnd - span.iTagBegin,
            QStringLiteral("<Value>%1</Value>").arg(escaped(strValue)));
    } else {
        strText.replace(span.iTextBegin, span.iTextEnd - span.iTextBegin, escaped(strValue));
    }

    const QByteArray bytes = file.bom + file.pCodec->fromUnicode(strText);

    // An encoding the offsets were not counted in would splice at the wrong place: the result
    // must read back with the new value before it may replace the user's file.
    ParsedFile check;
    ValueSpan checkSpan;
    QString strReadBack;
    if (!parseBytes(bytes, strPath, strKey, &check, &checkSpan, &strReadBack, &strError)
        || strReadBack != strValue) {
        if (pError != nullptr)
            *pError = QStringLiteral("cannot rewrite %1 safely; left unchanged").arg(strPath);
        return false;
    }

    QSaveFile out(strPath);
    if (!out.open(QIODevice::WriteOnly)) {
        if (pError != nullptr)
            *pError = QStringLiteral("cannot write %1: %2").arg(strPath, out.errorString());
        return false;
    }
    out.write(bytes);
    if (!out.commit()) {
        if (pError != nullptr)
            *pError = QStringLiteral("cannot save %1: %2").arg(strPath, out.errorString());
        return false;
    }
    return true;
}

bool SetupValueFile::addMissingKeys(
    const QString &strPath, const QString &strShippedPath, QStringList *pAdded, QString *pError)
{
    QString strError;
    ParsedFile user;
    ParsedFile shipped;
    QVector<KeyElement> userKeys;
    QVector<KeyElement> shippedKeys;
    int iUserRootEnd = -1;
    int iShippedRootEnd = -1;
    QByteArray userBytes;
    QByteArray shippedBytes;
    if (!readFile(strPath, &userBytes, &strError) || !readFile(strShippedPath, &shippedBytes, &strError)
        || !scanKeys(userBytes, strPath, &user, &userKeys, &iUserRootEnd, &strError)
        || !scanKeys(shippedBytes, strShippedPath, &shipped, &shippedKeys, &iShippedRootEnd, &strError)) {
        if (pError != nullptr)
            *pError = strError;
        return false;
    }
    QStringList listHave;
    for (const KeyElement &key : qAsConst(userKeys))
        listHave.append(key.strName);

    // Each new key with the indentation it has in the shipped file, on lines of its own.
    QString strInsert;
    QStringList listAdded;
    for (const KeyElement &key : qAsConst(shippedKeys)) {
        if (listHave.contains(key.strName) || listAdded.contains(key.strName))
            continue;
        const int iLineStart = shipped.strText.lastIndexOf(QLatin1Char('\n'), key.iBegin - 1) + 1;
        const QString strIndent = shipped.strText.mid(iLineStart, key.iBegin - iLineStart);
        strInsert += (strIndent.trimmed().isEmpty() ? strIndent : QString())
            + shipped.strText.mid(key.iBegin, key.iEnd - key.iBegin) + QLatin1Char('\n');
        listAdded.append(key.strName);
    }
    if (pAdded != nullptr)
        *pAdded = listAdded;
    if (listAdded.isEmpty())
        return true;

    QString strText = user.strText;
    int iInsertAt = iUserRootEnd;
    const int iLineStart = strText.lastIndexOf(QLatin1Char('\n'), iInsertAt - 1) + 1;
    if (iLineStart > 0 && strText.mid(iLineStart, iInsertAt - iLineStart).trimmed().isEmpty())
        iInsertAt = iLineStart;
    else
        strInsert.prepend(QLatin1Char('\n'));
    strText.insert(iInsertAt, strInsert);

    const QByteArray bytes = user.bom + user.pCodec->fromUnicode(strText);
    // Not written unless the result still parses with every key in it.
    ParsedFile checked;
    QVector<KeyElement> checkKeys;
    int iCheckRootEnd = -1;
    if (!scanKeys(bytes, strPath, &checked, &checkKeys, &iCheckRootEnd, &strError)
        || checkKeys.size() != userKeys.size() + listAdded.size()) {
        if (pError != nullptr)
            *pError = QStringLiteral("cannot add keys to %1 safely; left unchanged").arg(strPath);
        return false;
    }
    QSaveFile out(strPath);
    if (!out.open(QIODevice::WriteOnly)) {
        if (pError != nullptr)
            *pError = QStringLiteral("cannot write %1: %2").arg(strPath, out.errorString());
        return false;
    }
    out.write(bytes);
    if (!out.commit()) {
        if (pError != nullptr)
            *pError = QStringLiteral("cannot save %1: %2").arg(strPath, out.errorString());
        return false;
    }
    return true;
}

} // namespace gearbay
