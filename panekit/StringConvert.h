#pragma once

#include <QByteArray>
#include <QString>
#include <string>

class QTextCodec;

namespace vellum {

// Conversion between QString and 8-bit text. A null codec means the system's local code page
// (the locale codec; UTF-8 when the process runs in the plain C locale, which cannot hold
// the catalog's Chinese texts).
std::string ConvertFromUnicode(const QString &text, QTextCodec *codec = nullptr);
QString ConvertToUnicode(const std::string &bytes, QTextCodec *codec = nullptr);
QString ConvertToUnicode(const QByteArray &bytes, QTextCodec *codec = nullptr);
QString ConvertToUnicode(const char *bytes, QTextCodec *codec = nullptr);

} // namespace vellum
