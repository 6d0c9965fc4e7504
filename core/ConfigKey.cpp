#include "ConfigKey.h"

namespace gearbay {

QString ConfigKey::name(int iKey)
{
    static const char *const names[KeyCount] = {
        "Translator", "Languages", "LogLevel", "VersionType", "Skin", "DownloadPath",
        "IsCloseOpenTools", "IsNeedUpdate", "ChServerAddress", "EnServerAddress",
        "DirectoryServer", "DirectoryUserDn", "DirectoryCaFile", "Proxy",
        "CatalogPublicKey", "CatalogMirrors", "CatalogCaFile",
    };
    if (iKey < 0 || iKey >= KeyCount)
        return QString();
    return QString::fromLatin1(names[iKey]);
}

} // namespace gearbay
