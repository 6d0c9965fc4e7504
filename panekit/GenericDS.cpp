#include "GenericDS.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace vellum {

GenericDS::GenericDS() = default;
GenericDS::GenericDS(const GenericDS &other) = default;
GenericDS &GenericDS::operator=(const GenericDS &other) = default;
GenericDS::~GenericDS() = default;

GenericDS::GenericDS(const QDomDocument &document, const QDomElement &element)
    : m_document(document)
    , m_element(element)
{
}

bool GenericDS::loadXML(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "GenericDS: cannot open" << path << ":" << file.errorString();
        return false;
    }
    QDomDocument document;
    QString strError;
    int iLine = 0;
    int iColumn = 0;
    if (!document.setContent(&file, &strError, &iLine, &iColumn)) {
        qWarning().noquote() << QStringLiteral("GenericDS: %1 is not valid XML (line %2, column %3: %4)")
                                    .arg(path).arg(iLine).arg(iColumn).arg(strError);
        return false;
    }
    const QDomElement root = document.documentElement();
    if (root.isNull()) {
        qWarning().noquote() << "GenericDS:" << path << "has no root element";
        return false;
    }
    m_document = document;
    m_element = root;
    return true;
}

bool GenericDS::SaveXML(const QString &path) const
{
    if (m_document.isNull() || m_document.documentElement().isNull()) {
        qWarning().noquote() << "GenericDS: nothing to save to" << path;
        return false;
    }
    // QSaveFile writes beside the target and renames only after a complete, flushed write,
    // so a crash or a full disk leaves the previous file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << "GenericDS: cannot write" << path << ":" << file.errorString();
        return false;
    }
    // The document is written a line at a time, each line flushed: gathered in memory first, a file of
    // thousands of tool states costs one write instead of thousands (it is saved on the GUI thread).
    // The explicit flush matters: a failure of the buffered write surfacing only in commit() would go
    // unnoticed there and a truncated file would replace the old one.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QTextStream stream(&buffer);
    stream.setCodec("UTF-8");
    m_document.save(stream, 4, QDomNode::EncodingFromDocument);
    stream.flush();
    if (stream.status() != QTextStream::Ok || file.write(buffer.data()) != buffer.size() || !file.flush()
        || file.error() != QFileDevice::NoError) {
        qWarning().noquote() << "GenericDS: writing" << path << "failed:" << file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qWarning().noquote() << "GenericDS: saving" << path << "failed:" << file.errorString();
        return false;
    }
    return true;
}

bool GenericDS::CreateASRoot(const QString &name)
{
    QDomDocument document;
    document.appendChild(document.createProcessingInstruction(
        QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = document.createElement(name);
    if (root.isNull())
        return false;
    document.appendChild(root);
    m_document = document;
    m_element = root;
    return true;
}

GenericDS GenericDS::CreateChild(const QString &name)
{
    if (m_element.isNull())
        return GenericDS();
    QDomElement child = m_document.createElement(name);
    m_element.appendChild(child);
    return GenericDS(m_document, child);
}

GenericDS GenericDS::GetChild(int index) const
{
    if (index < 0)
        return GenericDS();
    // Children are only ever appended, so the one found last still stands at its index.
    const bool bFromLast = m_iLastChildIndex >= 0 && index >= m_iLastChildIndex && !m_lastChild.isNull()
        && m_lastChild.parentNode() == m_element;
    int i = bFromLast ? m_iLastChildIndex : 0;
    for (QDomElement child = bFromLast ? m_lastChild : m_element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement(), ++i) {
        if (i == index) {
            m_iLastChildIndex = i;
            m_lastChild = child;
            return GenericDS(m_document, child);
        }
    }
    return GenericDS();
}

GenericDS GenericDS::GetChildByName(const QString &name) const
{
    const QDomElement child = m_element.firstChildElement(name);
    if (child.isNull())
        return GenericDS();
    return GenericDS(m_document, child);
}

int GenericDS::GetChildrenCount() const
{
    int iCount = 0;
    for (QDomElement child = m_element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement())
        ++iCount;
    return iCount;
}

QString GenericDS::GetName() const
{
    return m_element.tagName();
}

QString GenericDS::GetValue() const
{
    return m_element.text();
}

bool GenericDS::SetValue(const QString &text)
{
    if (m_element.isNull())
        return false;
    // Replace the text only; child elements (if any) keep their place.
    QDomNode node = m_element.firstChild();
    while (!node.isNull()) {
        QDomNode next = node.nextSibling();
        if (node.isText() || node.isCDATASection())
            m_element.removeChild(node);
        node = next;
    }
    m_element.insertBefore(m_document.createTextNode(text), m_element.firstChild());
    return true;
}

bool GenericDS::isNull() const
{
    return m_element.isNull();
}

} // namespace vellum
