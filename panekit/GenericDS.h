#pragma once

#include <QDomDocument>
#include <QDomElement>
#include <QString>

namespace vellum {

// A value-type handle on one element of an XML document; copies share the document.
// A handle that refers to nothing reads as an element with no name, no text and no children,
// so callers can chain GetChildByName() without testing for absence.
class GenericDS
{
public:
    GenericDS();
    GenericDS(const GenericDS &other);
    GenericDS &operator=(const GenericDS &other);
    ~GenericDS();

    // Parses the file and makes this handle its root element. On failure (missing, empty,
    // truncated or not XML) logs a warning naming the file and leaves the handle unchanged.
    bool loadXML(const QString &path);
    // Writes the whole document atomically: the old file stays intact if anything fails.
    bool SaveXML(const QString &path) const;

    // Starts a new document whose root is an element with this name; the handle becomes the root.
    bool CreateASRoot(const QString &name);
    // Appends a child element and returns a handle on it (a null handle when this one is null).
    GenericDS CreateChild(const QString &name);

    GenericDS GetChild(int index) const;
    GenericDS GetChildByName(const QString &name) const;
    int GetChildrenCount() const;

    QString GetName() const;
    QString GetValue() const;
    bool SetValue(const QString &text);

    bool isNull() const;

private:
    GenericDS(const QDomDocument &document, const QDomElement &element);

    QDomDocument m_document;
    QDomElement m_element;
    // The child found last: reading the children in order then costs one step each, not a walk
    // from the first child (a catalog of thousands of tools is read that way).
    mutable int m_iLastChildIndex = -1;
    mutable QDomElement m_lastChild;
};

} // namespace vellum
