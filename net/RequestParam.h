#pragma once

#include <QMetaType>
#include <QStringList>

namespace gearbay {

// One request for the download server: what to do (a RequestMethod code), where the server
// listens, and the URLs it concerns.
struct RequestParam
{
    int method = 0;
    int port = 0;
    QStringList urls;
};

} // namespace gearbay

Q_DECLARE_METATYPE(gearbay::RequestParam)
