#pragma once

#include <QRegularExpression>
#include <QValidator>

namespace vellum {

// A validator driven by one regular expression. AcceptMatching accepts text the expression
// matches as a whole (a prefix of a match is Intermediate); RejectMatching refuses any text that
// contains a match, so the expression lists what cannot be typed. An optional maximum length
// applies in both modes.
class RegExpValidator : public QValidator
{
    Q_OBJECT
public:
    enum Mode { AcceptMatching, RejectMatching };

    RegExpValidator(Mode emMode, const QRegularExpression &regexp, QObject *parent = nullptr);
    RegExpValidator(Mode emMode, const QString &strPattern, QObject *parent = nullptr);

    void setMaxLength(int iMaxLength);
    int maxLength() const { return m_iMaxLength; }
    Mode mode() const { return m_emMode; }
    QRegularExpression regularExpression() const { return m_regexp; }

    State validate(QString &input, int &pos) const override;

private:
    Mode m_emMode;
    QRegularExpression m_regexp;
    int m_iMaxLength = -1;
};

} // namespace vellum
