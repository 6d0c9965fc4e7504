#pragma once

#include "PackageFetcher.h"

#include <QString>

namespace gearbay {

// The bytes of one URL's package received so far, kept beside its target between attempts and across
// Ferrodock restarts, with what the server announced about them, so a broken transfer can go on where
// it stopped. The name derives from the URL, so a restarted Ferrodock finds the file again.
class PartialFile
{
public:
    PartialFile(const QString &strUrl, const QString &strTarget);

    QString path() const { return m_strPath; }

    // Where the next attempt can start. Nothing usable (no record, another URL, not http, empty) starts
    // afresh and removes what is there.
    PackageFetcher::Resume resumePoint();
    // Records the server's announcement; called before the first byte of a transfer is stored.
    void remember(const PackageFetcher::Announced &announced);
    // Keeps the bytes for a later attempt, unless there are none.
    void keep();
    void remove();

    // Removes partial files in strFolder untouched for longer than iDays (URLs nobody asked for again).
    static void removeStale(const QString &strFolder, int iDays);

private:
    QString m_strUrl;
    QString m_strPath;
    QString m_strRecordPath;
};

} // namespace gearbay
