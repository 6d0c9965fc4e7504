#pragma once

#include <QString>

namespace gearbay {

// The numbers by which settings are addressed, and their element names in Setup.xml.
class ConfigKey
{
public:
    enum Key {
        Translator = 0,
        Languages = 1,
        LogLevel = 2,
        VersionType = 3,
        Skin = 4,
        DownloadPath = 5,
        IsCloseOpenTools = 6,
        IsNeedUpdate = 7,
        ChServerAddress = 8,
        EnServerAddress = 9,
        DirectoryServer = 10,   // ldap://host:port (StartTLS) or ldaps://host:port
        DirectoryUserDn = 11,   // bind DN template, "%1" is the user name
        DirectoryCaFile = 12,   // CA bundle for the directory; empty: system trust store
        Proxy = 13,             // catalog server proxy: empty, the environment's; "none", direct; else its URL
        CatalogPublicKey = 14,  // minisign public keys the catalog index must be signed with; empty: unverified
        CatalogMirrors = 15,    // more base addresses serving the same signed catalog, tried in order
        CatalogCaFile = 16,     // CA bundle for an HTTPS catalog server; empty: system trust store
        KeyCount = 17
    };

    // The element name of a key number; any other number gives the empty name.
    static QString name(int iKey);
};

} // namespace gearbay
