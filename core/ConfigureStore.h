#pragma once

#include "ConfigKey.h"
#include "Configure.h"

#include <QList>
#include <QString>

class QTextCodec;

namespace gearbay {

// The program's settings, read once from Setup.xml and written back one value at a time.
// The process uses the one instance(); tests may build their own stores.
class ConfigureStore
{
public:
    ConfigureStore();
    ~ConfigureStore();
    ConfigureStore(const ConfigureStore &) = delete;
    ConfigureStore &operator=(const ConfigureStore &) = delete;

    static ConfigureStore *instance();

    // Replaces every entry with the file's keys, in file order. False (with a warning naming
    // the file) when it cannot be parsed; the store is then empty and the file untouched.
    bool load(const QString &strPath);
    QString filePath() const { return m_strPath; }

    unsigned translator() const;
    QString downloadPath() const;
    int intValue(int iKey) const;
    int isCloseOpenTools() const;
    int isNeedUpdate() const;
    int versionType() const;
    // "ChServerAddress" when translator() is 1, else "EnServerAddress".
    QString serverAddress() const;
    QString directoryServer() const;
    QString directoryUserDn() const;
    QString directoryCaFile() const;
    QString proxy() const;
    // The text of any key; empty when missing.
    QString stringValue(int iKey) const;
    bool hasKey(int iKey) const;

    // Writes one existing key into the file (a key is never added) and into memory.
    bool setValue(int iKey, const QString &strText);
    bool setDownloadPath(const QString &strPath);
    bool setIsCloseOpenTools(int iValue);
    bool setIsNeedUpdate(int iValue);

    const QList<Configure *> &entries() const { return m_listConfigure; }

private:
    Configure *find(int iKey) const;
    void clear();

    QList<Configure *> m_listConfigure;
    QTextCodec *m_pCodec = nullptr;
    QString m_strPath;
};

} // namespace gearbay
