#include "ToolCatalog.h"

#include "ConfigureStore.h"
#include "StringConvert.h"
#include "Utilities.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>

#include <atomic>

namespace gearbay {

namespace {
std::atomic<ToolCatalog *> s_pInstance{nullptr};
boost::mutex s_instanceMutex;

const char kToolsFile[] = "ToolsFile";
const char kToolsFileTemp[] = "ToolsFileTemp";

// Reads the root's children in order, each one record, keyed by its ToolKey (a later one replaces an
// earlier). Streamed rather than parsed into a document: a document of a large catalog costs several
// times the records it holds, at the very moment start-up peaks. Nothing is kept unless the whole
// file is well-formed.
template <typename Record> bool readRecords(const QString &strPath, QMap<int, Record> &map)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "---orlenk---" << strPath << ":" << file.errorString();
        return false;
    }
    QMap<int, Record> records;
    QXmlStreamReader reader(&file);
    if (reader.readNextStartElement()) {
        while (reader.readNextStartElement()) {
            const Record record = Record::fromXml(reader);
            records.insert(record.ToolKey, record);
        }
    }
    while (!reader.atEnd())
        reader.readNext();
    if (reader.hasError()) {
        qWarning().noquote() << QStringLiteral("---orlenk--- %1 is not valid XML (line %2, column %3: %4)")
                                    .arg(strPath)
                                    .arg(reader.lineNumber())
                                    .arg(reader.columnNumber())
                                    .arg(reader.errorString());
        return false;
    }
    map.swap(records);
    return true;
}
} // namespace

ToolCatalog::ToolCatalog(const QString &strBaseDir, unsigned language, int versionType)
    : m_language(language)
    , m_versionType(versionType)
    , m_strBaseDir(strBaseDir)
{
}

ToolCatalog *ToolCatalog::instance()
{
    ToolCatalog *pCatalog = s_pInstance.load(std::memory_order_acquire);
    if (!pCatalog) {
        boost::unique_lock<boost::mutex> lock(s_instanceMutex);
        pCatalog = s_pInstance.load(std::memory_order_relaxed);
        if (!pCatalog) {
            ConfigureStore *pStore = ConfigureStore::instance();
            pCatalog = new ToolCatalog(QDir::currentPath(), pStore->translator(), pStore->versionType());
            s_pInstance.store(pCatalog, std::memory_order_release);
        }
    }
    return pCatalog;
}

QString ToolCatalog::toolsInfoListPath() const
{
    return m_strBaseDir + QLatin1Char('/') + QLatin1String(kToolsFile) + QStringLiteral("/ToolsInfoList.xml");
}

QString ToolCatalog::toolsStateListPath() const
{
    return m_strBaseDir + QStringLiteral("/ToolsStateList.xml");
}

bool ToolCatalog::init()
{
    const QString strTemp = m_strBaseDir + QLatin1Char('/') + QLatin1String(kToolsFileTemp);
    if (QDir(strTemp).exists()) {
        // A catalog downloaded during the last run replaces the current one now, before anything
        // reads it. A half-done copy keeps ToolsFileTemp so the next start tries again.
        if (!copyDirectory(strTemp, m_strBaseDir + QLatin1Char('/') + QLatin1String(kToolsFile), true)) {
            qWarning().noquote() << "---orlenk--- copying" << strTemp << "over ToolsFile failed";
            return false;
        }
        if (!QDir(strTemp).removeRecursively())
            qWarning().noquote() << "---orlenk--- cannot remove" << strTemp;
    }
    if (!loadToolInfos())
        return false;
    if (!loadToolStates())
        return false;
    m_mapToolStates = mergeStates(m_mapToolInfos, m_mapToolStates);
    saveToolStates();
    return true;
}

bool ToolCatalog::loadToolInfos()
{
    m_mapToolInfos.clear();
    if (!readRecords(toolsInfoListPath(), m_mapToolInfos)) {
        qWarning().noquote() << "---orlenk--- cannot load tool catalog" << toolsInfoListPath();
        return false;
    }
    return true;
}

bool ToolCatalog::loadToolStates()
{
    m_mapToolStates.clear();
    if (!readRecords(toolsStateListPath(), m_mapToolStates)) {
        qWarning().noquote() << "---orlenk--- cannot load tool states" << toolsStateListPath();
        return false;
    }
    return true;
}

bool ToolCatalog::saveToolStates()
{
    // Written as a stream for the reason the files are read as one. Gathered in memory first: one write
    // instead of thousands on the GUI thread. The explicit flush matters: a failed buffered write
    // surfacing only in commit() would go unnoticed and a truncated file would replace the old one.
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("Tools"));
    for (const ToolState &state : qAsConst(m_mapToolStates))
        state.toXml(writer);
    writer.writeEndDocument();
    // Beside the target, renamed over it only once complete: a crash or a full disk keeps the old file.
    QSaveFile file(toolsStateListPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()
        || !file.commit()) {
        qWarning().noquote() << "---orlenk--- cannot save tool states" << toolsStateListPath() << ":"
                             << file.errorString();
        return false;
    }
    return true;
}

QMap<int, ToolState> ToolCatalog::mergeStates(const QMap<int, ToolInfo> &infos,
                                              const QMap<int, ToolState> &states)
{
    QMap<int, ToolState> merged;
    for (auto it = infos.cbegin(); it != infos.cend(); ++it) {
        const ToolInfo &info = it.value();
        auto found = states.constFind(it.key());
        ToolState state;
        if (found == states.cend()) {
            state.ToolKey = it.key();
            state.CurrentVersion = info.Version;
            state.IsNewTools = 1;
        } else {
            state = found.value();
            if (state.CurrentVersion == info.Version) {
                state.IsNeedUpdate = 0;
            } else if (state.IsDownload == 0) {
                state.CurrentVersion = info.Version;
                state.IsNeedUpdate = 0;
            } else {
                state.IsNeedUpdate = 1;
            }
        }
        merged.insert(it.key(), state);
    }
    return merged;
}

QString ToolCatalog::folderNameOf(const QString &strExeName)
{
    return toolFolderName(strExeName);
}

std::string ToolCatalog::toolName(int iKey) const
{
    auto it = m_mapToolInfos.constFind(iKey);
    if (it == m_mapToolInfos.cend())
        return std::string();
    return m_language == 1 ? it->ToolCHName : m_language == 0 ? it->ToolENName : std::string();
}

std::string ToolCatalog::briefIntro(int iKey) const
{
    auto it = m_mapToolInfos.constFind(iKey);
    if (it == m_mapToolInfos.cend())
        return std::string();
    return m_language == 1 ? it->BriefCHIntro : m_language == 0 ? it->BriefENIntro : std::string();
}

std::string ToolCatalog::updateIntro(int iKey) const
{
    auto it = m_mapToolInfos.constFind(iKey);
    if (it == m_mapToolInfos.cend())
        return std::string();
    return m_language == 1 ? it->UpdateCHIntro : m_language == 0 ? it->UpdateENIntro : std::string();
}

std::string ToolCatalog::exeBaseName(int iKey) const
{
    auto it = m_mapToolInfos.constFind(iKey);
    if (it == m_mapToolInfos.cend())
        return std::string();
    return vellum::ConvertFromUnicode(folderNameOf(vellum::ConvertToUnicode(it->ExeName)));
}

std::string ToolCatalog::currentVersion(int iKey) const
{
    auto it = m_mapToolStates.constFind(iKey);
    return it == m_mapToolStates.cend() ? std::string() : it->CurrentVersion;
}

int ToolCatalog::isNeedUpdate(int iKey) const
{
    auto it = m_mapToolStates.constFind(iKey);
    return it == m_mapToolStates.cend() ? 0 : it->IsNeedUpdate;
}

std::string ToolCatalog::downloadUrl(int iKey) const
{
    auto it = m_mapToolInfos.constFind(iKey);
    if (it == m_mapToolInfos.cend())
        return std::string();
    const std::string &strPath = (iKey == 0 || m_language == 1) ? it->DownloadCHUrl : it->DownloadENUrl;
    return vellum::ConvertFromUnicode(
        catalogFileUrl(ConfigureStore::instance()->serverAddress(), vellum::ConvertToUnicode(strPath)));
}

QString ToolCatalog::toolExePath(int iKey) const
{
    auto it = m_mapToolInfos.constFind(iKey);
    if (it == m_mapToolInfos.cend())
        return QString();
    const QString strExe = vellum::ConvertToUnicode(it->ExeName).trimmed();
    return ConfigureStore::instance()->downloadPath() + QStringLiteral("/SubTools/")
        + folderNameOf(strExe) + QLatin1Char('/') + strExe;
}

void ToolCatalog::setCurrentVersion(int iKey, const std::string &strVersion)
{
    auto it = m_mapToolStates.find(iKey);
    if (it == m_mapToolStates.end())
        return;
    it->CurrentVersion = strVersion;
    saveToolStates();
}

void ToolCatalog::setListOrder(int iKey, int iOrder)
{
    auto it = m_mapToolStates.find(iKey);
    if (it != m_mapToolStates.end())
        it->ListOrder = iOrder;
}

void ToolCatalog::setSelfDownloadUrl(const std::string &strUrl)
{
    auto it = m_mapToolInfos.find(1);
    if (it == m_mapToolInfos.end())
        return;
    if (m_language == 1)
        it->DownloadCHUrl = strUrl;
    else
        it->DownloadENUrl = strUrl;
}

} // namespace gearbay
