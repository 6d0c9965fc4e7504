#include "ConfigureStore.h"

#include "GenericDS.h"

#include <QDebug>
#include <QTextCodec>

#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>

#include <atomic>

namespace gearbay {

namespace {
std::atomic<ConfigureStore *> s_pInstance{nullptr};
boost::mutex s_instanceMutex;
} // namespace

ConfigureStore::ConfigureStore()
    : m_pCodec(QTextCodec::codecForName("System"))
{
}

ConfigureStore::~ConfigureStore()
{
    clear();
}

ConfigureStore *ConfigureStore::instance()
{
    ConfigureStore *pStore = s_pInstance.load(std::memory_order_acquire);
    if (!pStore) {
        boost::unique_lock<boost::mutex> lock(s_instanceMutex);
        pStore = s_pInstance.load(std::memory_order_relaxed);
        if (!pStore) {
            pStore = new ConfigureStore;
            s_pInstance.store(pStore, std::memory_order_release);
        }
    }
    return pStore;
}

void ConfigureStore::clear()
{
    qDeleteAll(m_listConfigure);
    m_listConfigure.clear();
}

bool ConfigureStore::load(const QString &strPath)
{
    clear();
    vellum::GenericDS root;
    if (!root.loadXML(strPath)) {
        qWarning().noquote() << "---orlenk--- cannot load settings file" << strPath;
        return false;
    }
    m_strPath = strPath;
    const int iCount = root.GetChildrenCount();
    for (int i = 0; i < iCount; ++i) {
        const vellum::GenericDS key = root.GetChild(i);
        m_listConfigure.append(new Configure(key.GetName(), key.GetChildByName(QStringLiteral("Value")).GetValue()));
    }
    return true;
}

Configure *ConfigureStore::find(int iKey) const
{
    const QString strName = ConfigKey::name(iKey);
    if (strName.isEmpty())
        return nullptr;
    for (Configure *pConfigure : m_listConfigure) {
        if (pConfigure->name() == strName)
            return pConfigure;
    }
    return nullptr;
}

bool ConfigureStore::hasKey(int iKey) const
{
    return find(iKey) != nullptr;
}

QString ConfigureStore::stringValue(int iKey) const
{
    const Configure *pConfigure = find(iKey);
    return pConfigure ? pConfigure->value() : QString();
}

unsigned ConfigureStore::translator() const
{
    const Configure *pConfigure = find(ConfigKey::Translator);
    return pConfigure ? pConfigure->value().toUInt() : 0u;
}

QString ConfigureStore::downloadPath() const
{
    return stringValue(ConfigKey::DownloadPath);
}

int ConfigureStore::intValue(int iKey) const
{
    const Configure *pConfigure = find(iKey);
    return pConfigure ? pConfigure->value().toInt() : -1;
}

int ConfigureStore::isCloseOpenTools() const
{
    const int iValue = intValue(ConfigKey::IsCloseOpenTools);
    return iValue == -1 ? 0 : iValue;
}

int ConfigureStore::isNeedUpdate() const
{
    const int iValue = intValue(ConfigKey::IsNeedUpdate);
    return iValue == -1 ? 0 : iValue;
}

int ConfigureStore::versionType() const
{
    const int iValue = intValue(ConfigKey::VersionType);
    return iValue == -1 ? 1 : iValue;
}

QString ConfigureStore::serverAddress() const
{
    return stringValue(translator() == 1 ? ConfigKey::ChServerAddress : ConfigKey::EnServerAddress);
}

QString ConfigureStore::directoryServer() const
{
    return stringValue(ConfigKey::DirectoryServer);
}

QString ConfigureStore::directoryUserDn() const
{
    return stringValue(ConfigKey::DirectoryUserDn);
}

QString ConfigureStore::directoryCaFile() const
{
    return stringValue(ConfigKey::DirectoryCaFile);
}

QString ConfigureStore::proxy() const
{
    return stringValue(ConfigKey::Proxy);
}

bool ConfigureStore::setValue(int iKey, const QString &strText)
{
    if (m_strPath.isEmpty())
        return false;
    const QString strName = ConfigKey::name(iKey);
    if (strName.isEmpty())
        return false;
    // Parse the file again so values written by an earlier call, and unknown keys, survive.
    vellum::GenericDS root;
    if (!root.loadXML(m_strPath)) {
        qWarning().noquote() << "---orlenk--- cannot reload settings file" << m_strPath;
        return false;
    }
    vellum::GenericDS key = root.GetChildByName(strName);
    if (key.isNull()) {
        qWarning().noquote() << "---orlenk--- settings file" << m_strPath << "has no key" << strName;
        return false;
    }
    const bool bSet = key.GetChildByName(QStringLiteral("Value")).SetValue(strText);
    if (Configure *pConfigure = find(iKey))
        pConfigure->setValue(strText);
    if (!bSet)
        return false;
    return root.SaveXML(m_strPath);
}

bool ConfigureStore::setDownloadPath(const QString &strPath)
{
    return setValue(ConfigKey::DownloadPath, strPath);
}

bool ConfigureStore::setIsCloseOpenTools(int iValue)
{
    return setValue(ConfigKey::IsCloseOpenTools, QString::number(iValue));
}

bool ConfigureStore::setIsNeedUpdate(int iValue)
{
    return setValue(ConfigKey::IsNeedUpdate, QString::number(iValue));
}

} // namespace gearbay
