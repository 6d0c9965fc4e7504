#include "ServerProtocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace gearbay::protocol {

namespace {
const char *const kPaths[] = {
    "/OtherReqire?format=json",
    "/DownloadMaterial?format=json",
    "/DownloadManageTool?format=json",
    "/DownloadSubTool?format=json",
    "/DownloadProgress?format=json",
    "/CancelDownloadSubTool?format=json",
};
constexpr int kOtherMethod = 6;

bool readObject(const QByteArray &body, QJsonObject *object, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(body, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("not JSON: %1").arg(parseError.errorString());
        return false;
    }
    if (!doc.isObject()) {
        *error = QStringLiteral("not a JSON object");
        return false;
    }
    *object = doc.object();
    if (!object->value(QLatin1String("method")).isDouble()) {
        *error = QStringLiteral("\"method\" is missing or not a number");
        return false;
    }
    return true;
}
} // namespace

QString methodPath(int method)
{
    if (method >= 1 && method <= 5)
        return QLatin1String(kPaths[method]);
    return QLatin1String(kPaths[0]);
}

int methodForPath(const QString &path)
{
    const QString bare = path.section(QLatin1Char('?'), 0, 0);
    for (int i = 0; i <= 5; ++i) {
        if (bare == QString::fromLatin1(kPaths[i]).section(QLatin1Char('?'), 0, 0))
            return i == 0 ? kOtherMethod : i;
    }
    return 0;
}

QByteArray requestBody(int method, const QStringList &urls)
{
    QJsonArray array;
    for (const QString &url : urls)
        array.append(QJsonObject{{QStringLiteral("url"), url}});
    const QJsonObject root{{QStringLiteral("method"), method}, {QStringLiteral("urls"), array}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

bool parseRequest(const QByteArray &body, int *method, QStringList *urls, QString *error)
{
    QJsonObject root;
    if (!readObject(body, &root, error))
        return false;
    const QJsonValue list = root.value(QLatin1String("urls"));
    if (!list.isArray()) {
        *error = QStringLiteral("\"urls\" is missing or not an array");
        return false;
    }
    QStringList result;
    for (const QJsonValue &entry : list.toArray()) {
        const QJsonValue url = entry.toObject().value(QLatin1String("url"));
        if (!url.isString()) {
            *error = QStringLiteral("an entry of \"urls\" has no \"url\" text");
            return false;
        }
        result.append(url.toString());
    }
    *method = root.value(QLatin1String("method")).toInt();
    *urls = result;
    return true;
}

QByteArray responseBody(int method, const QVector<UrlValue> &urlsToValue)
{
    QJsonArray array;
    for (const UrlValue &entry : urlsToValue)
        array.append(QJsonObject{{QStringLiteral("url"), entry.first}, {QStringLiteral("value"), entry.second}});
    const QJsonObject root{{QStringLiteral("method"), method}, {QStringLiteral("urlsToValue"), array}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

bool parseResponse(const QByteArray &body, int *method, QVector<UrlValue> *urlsToValue, QString *error)
{
    QJsonObject root;
    if (!readObject(body, &root, error))
        return false;
    const QJsonValue list = root.value(QLatin1String("urlsToValue"));
    if (!list.isArray()) {
        *error = QStringLiteral("\"urlsToValue\" is missing or not an array");
        return false;
    }
    QVector<UrlValue> result;
    for (const QJsonValue &entry : list.toArray()) {
        const QJsonObject object = entry.toObject();
        if (!object.value(QLatin1String("url")).isString() || !object.value(QLatin1String("value")).isString()) {
            *error = QStringLiteral("an entry of \"urlsToValue\" lacks \"url\" or \"value\" text");
            return false;
        }
        result.append({object.value(QLatin1String("url")).toString(), object.value(QLatin1String("value")).toString()});
    }
    *method = root.value(QLatin1String("method")).toInt();
    *urlsToValue = result;
    return true;
}

} // namespace gearbay::protocol
