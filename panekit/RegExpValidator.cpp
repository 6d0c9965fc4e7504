#include "RegExpValidator.h"

namespace vellum {

RegExpValidator::RegExpValidator(Mode emMode, const QRegularExpression &regexp, QObject *parent)
    : QValidator(parent)
    , m_emMode(emMode)
    , m_regexp(regexp)
{
}

RegExpValidator::RegExpValidator(Mode emMode, const QString &strPattern, QObject *parent)
    : RegExpValidator(emMode, QRegularExpression(strPattern), parent)
{
}

void RegExpValidator::setMaxLength(int iMaxLength)
{
    m_iMaxLength = iMaxLength;
    emit changed();
}

QValidator::State RegExpValidator::validate(QString &input, int &) const
{
    if (m_iMaxLength >= 0 && input.size() > m_iMaxLength)
        return Invalid;
    if (!m_regexp.isValid())
        return Invalid;
    if (m_emMode == RejectMatching)
        return m_regexp.match(input).hasMatch() ? Invalid : Acceptable;

    // Compare against the whole text: an unanchored alternation could otherwise match a prefix.
    const QRegularExpression anchored(QRegularExpression::anchoredPattern(m_regexp.pattern()),
                                      m_regexp.patternOptions());
    const QRegularExpressionMatch match =
        anchored.match(input, 0, QRegularExpression::PartialPreferCompleteMatch);
    if (match.hasMatch())
        return Acceptable;
    if (input.isEmpty() || match.hasPartialMatch())
        return Intermediate;
    return Invalid;
}

} // namespace vellum
