#include "Configure.h"

namespace gearbay {

Configure::Configure(const QString &strName, const QString &strValue)
    : m_strName(strName)
    , m_strValue(strValue)
{
}

Configure::~Configure() = default;

void Configure::set(const QString &strName, const QString &strValue)
{
    m_strName = strName;
    m_strValue = strValue;
}

void Configure::setName(const QString &strName)
{
    m_strName = strName;
}

void Configure::setValue(const QString &strValue)
{
    m_strValue = strValue;
}

} // namespace gearbay
