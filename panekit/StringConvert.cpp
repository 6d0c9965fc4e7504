#include "StringConvert.h"

#include <QTextCodec>

namespace vellum {

namespace {

QTextCodec *localCodec(QTextCodec *codec)
{
    if (codec)
        return codec;
    QTextCodec *pLocale = QTextCodec::codecForLocale();
    // In the C/POSIX locale Qt falls back to an ASCII-only or Latin-1 codec, which would turn
    // every Chinese catalog text into question marks; such a system has no better code page.
    if (!pLocale || pLocale->mibEnum() == 3 || pLocale->mibEnum() == 4)
        return QTextCodec::codecForName("UTF-8");
    return pLocale;
}

} // namespace

std::string ConvertFromUnicode(const QString &text, QTextCodec *codec)
{
    const QByteArray bytes = localCodec(codec)->fromUnicode(text);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString ConvertToUnicode(const QByteArray &bytes, QTextCodec *codec)
{
    return localCodec(codec)->toUnicode(bytes);
}

QString ConvertToUnicode(const std::string &bytes, QTextCodec *codec)
{
    return ConvertToUnicode(QByteArray(bytes.data(), static_cast<int>(bytes.size())), codec);
}

QString ConvertToUnicode(const char *bytes, QTextCodec *codec)
{
    return ConvertToUnicode(QByteArray(bytes), codec);
}

} // namespace vellum
