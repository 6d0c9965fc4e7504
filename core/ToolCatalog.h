#pragma once

#include "ToolInfo.h"
#include "ToolState.h"

#include <QMap>
#include <QString>
#include <string>

namespace gearbay {

// The catalog and the user's state of every tool, loaded and merged at start, queried by the
// pages by tool key. Paths are relative to the base directory (the working directory when the
// instance was created). Key 0 is the catalog material, key 1 the program itself.
class ToolCatalog
{
public:
    // language: 1 Chinese texts, 0 English, anything else empty texts.
    ToolCatalog(const QString &strBaseDir, unsigned language, int versionType);
    ToolCatalog(const ToolCatalog &) = delete;
    ToolCatalog &operator=(const ToolCatalog &) = delete;

    // Created on first use from the current directory and the settings store.
    static ToolCatalog *instance();

    // Swaps in a pending ToolsFileTemp, loads both files, merges and saves the state list.
    bool init();
    bool loadToolInfos();
    bool loadToolStates();
    bool saveToolStates();

    // The merged state map for a catalog and the states read from disk.
    static QMap<int, ToolState> mergeStates(const QMap<int, ToolInfo> &infos,
                                            const QMap<int, ToolState> &states);
    // The tool's folder under SubTools (toolFolderName of Utilities.h).
    static QString folderNameOf(const QString &strExeName);

    QMap<int, ToolInfo> &toolInfos() { return m_mapToolInfos; }
    QMap<int, ToolState> &toolStates() { return m_mapToolStates; }
    QMap<int, ToolInfo>::iterator findInfo(int iKey) { return m_mapToolInfos.find(iKey); }
    QMap<int, ToolState>::iterator findState(int iKey) { return m_mapToolStates.find(iKey); }

    std::string toolName(int iKey) const;
    std::string briefIntro(int iKey) const;
    std::string updateIntro(int iKey) const;
    std::string exeBaseName(int iKey) const;
    std::string currentVersion(int iKey) const;
    int isNeedUpdate(int iKey) const;
    // Server address + "/" + the download path of the language (always the Chinese one for key 0).
    std::string downloadUrl(int iKey) const;
    // Download path + "/SubTools/" + folder + "/" + ExeName; empty for an unknown key.
    QString toolExePath(int iKey) const;

    void setCurrentVersion(int iKey, const std::string &strVersion);
    void setListOrder(int iKey, int iOrder);
    void setSelfDownloadUrl(const std::string &strUrl);
    bool permissionGranted() const { return m_bPermissionGranted; }
    void setPermissionGranted(bool bGranted) { m_bPermissionGranted = bGranted; }

    unsigned language() const { return m_language; }
    int versionType() const { return m_versionType; }
    QString baseDir() const { return m_strBaseDir; }
    QString toolsInfoListPath() const;
    QString toolsStateListPath() const;

private:
    unsigned m_language;
    int m_versionType;
    QMap<int, ToolInfo> m_mapToolInfos;
    QMap<int, ToolState> m_mapToolStates;
    QString m_strBaseDir;
    bool m_bPermissionGranted = false;
};

} // namespace gearbay
