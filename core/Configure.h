#pragma once

#include <QString>

namespace gearbay {

// One setting of Setup.xml: the key's element name and the text of its Value child.
class Configure
{
public:
    Configure() = default;
    Configure(const QString &strName, const QString &strValue);
    virtual ~Configure();

    void set(const QString &strName, const QString &strValue);
    void setName(const QString &strName);
    void setValue(const QString &strValue);

    const QString &name() const { return m_strName; }
    const QString &value() const { return m_strValue; }

private:
    QString m_strName;
    QString m_strValue;
};

} // namespace gearbay
