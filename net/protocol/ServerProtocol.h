#pragma once

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The JSON documents exchanged between the program and Ferrodock. Both sides compile this one
// module, so the request and response shapes cannot drift apart.
namespace gearbay::protocol {

using UrlValue = QPair<QString, QString>;

// A download whose bytes the catalog's signed index does not vouch for (bad or missing signature, an
// older or expired index, a file not listed, too long or with another digest). Nothing was installed.
constexpr int kCodeUnverified = 460;

// The URL path (with query) a request of this method is posted to; unknown methods share one path.
QString methodPath(int method);
// The method a path belongs to, or 0 when the path is none of ours.
int methodForPath(const QString &path);

// {"method":m,"urls":[{"url":u},...]} in compact UTF-8.
QByteArray requestBody(int method, const QStringList &urls);
// False with a reason when the body is not such a document.
bool parseRequest(const QByteArray &body, int *method, QStringList *urls, QString *error);

// {"method":m,"urlsToValue":[{"url":u,"value":v},...]} in compact UTF-8.
QByteArray responseBody(int method, const QVector<UrlValue> &urlsToValue);
bool parseResponse(const QByteArray &body, int *method, QVector<UrlValue> *urlsToValue, QString *error);

} // namespace gearbay::protocol
