#include "CatalogDescription.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>

#include <cmath>

namespace gearbay {

namespace {

enum EntryKind { MaterialKind, ProgramKind, ToolKind };

const QStringList kTextFields = {"chName", "enName", "version", "briefCH", "briefEN",
                                 "updateCH", "updateEN", "date", "exeName", "download"};

QStringList allowedFields(int iKind)
{
    QStringList vect = kTextFields;
    if (iKind == MaterialKind) {
        vect.removeAll("exeName");
        return vect;
    }
    vect << "folder" << "type" << "size";
    if (iKind == ProgramKind)
        vect << "exclude";
    if (iKind == ToolKind)
        vect << "key" << "restricted" << "icons" << "banner" << "screenshots" << "art";
    return vect;
}

QString absolutePath(const QDir &base, const QJsonValue &value)
{
    return QDir::cleanPath(base.absoluteFilePath(value.toString()));
}

void resolveString(QJsonObject *pObject, const QString &strName, const QDir &base)
{
    if (pObject->value(strName).isString() && !pObject->value(strName).toString().isEmpty())
        pObject->insert(strName, absolutePath(base, pObject->value(strName)));
}

// Paths in a description are relative to the file that names them, also when another description
// extends it, so they are made absolute before the two are merged.
void resolvePaths(QJsonObject *pDocument, const QDir &base)
{
    if (pDocument->value("program").isObject()) {
        QJsonObject program = pDocument->value("program").toObject();
        resolveString(&program, "folder", base);
        pDocument->insert("program", program);
    }
    if (!pDocument->value("tools").isArray())
        return;
    QJsonArray tools = pDocument->value("tools").toArray();
    for (int i = 0; i < tools.size(); ++i) {
        if (!tools[i].isObject())
            continue;
        QJsonObject tool = tools[i].toObject();
        resolveString(&tool, "folder", base);
        if (tool.value("icons").isObject()) {
            QJsonObject icons = tool.value("icons").toObject();
            for (const char *size : {"min", "mid", "max"})
                resolveString(&icons, size, base);
            tool.insert("icons", icons);
        }
        if (tool.value("banner").isObject()) {
            QJsonObject banner = tool.value("banner").toObject();
            for (const char *lang : {"zh", "en"}) {
                if (!banner.value(lang).isObject())
                    continue;
                QJsonObject pair = banner.value(lang).toObject();
                resolveString(&pair, "min", base);
                resolveString(&pair, "max", base);
                banner.insert(lang, pair);
            }
            tool.insert("banner", banner);
        }
        if (tool.value("screenshots").isObject()) {
            QJsonObject shots = tool.value("screenshots").toObject();
            for (const char *lang : {"ch", "en"}) {
                if (!shots.value(lang).isArray())
                    continue;
                QJsonArray list = shots.value(lang).toArray();
                for (int j = 0; j < list.size(); ++j) {
                    if (list[j].isString())
                        list[j] = absolutePath(base, list[j]);
                }
                shots.insert(lang, list);
            }
            tool.insert("screenshots", shots);
        }
        tools[i] = tool;
    }
    pDocument->insert("tools", tools);
}

QJsonObject mergedObject(QJsonObject base, const QJsonObject &over)
{
    for (auto it = over.begin(); it != over.end(); ++it)
        base.insert(it.key(), it.value());
    return base;
}

// A derived description changes only what it names: tools are matched by key, field by field.
QJsonObject mergedDocument(QJsonObject base, const QJsonObject &over)
{
    for (auto it = over.begin(); it != over.end(); ++it) {
        const QString &strName = it.key();
        if (strName == "extends")
            continue;
        if ((strName == "material" || strName == "program") && it->isObject() && base.value(strName).isObject()) {
            base.insert(strName, mergedObject(base.value(strName).toObject(), it->toObject()));
        } else if (strName == "tools" && it->isArray() && base.value(strName).isArray()) {
            QJsonArray tools = base.value(strName).toArray();
            for (const QJsonValue &value : it->toArray()) {
                const QJsonValue key = value.toObject().value("key");
                int iFound = -1;
                for (int i = 0; key.isDouble() && i < tools.size(); ++i) {
                    if (tools[i].toObject().value("key") == key)
                        iFound = i;
                }
                if (iFound >= 0)
                    tools[iFound] = mergedObject(tools[iFound].toObject(), value.toObject());
                else
                    tools.append(value);
            }
            base.insert(strName, tools);
        } else {
            base.insert(strName, it.value());
        }
    }
    return base;
}

bool readText(const QJsonObject &object, const QString &strName, bool bRequired, const QString &strWhere,
              QString *pValue, QString *pError)
{
    const QJsonValue value = object.value(strName);
    if (value.isUndefined() || value.isNull()) {
        if (bRequired) {
            *pError = QString("%1: missing \"%2\"").arg(strWhere, strName);
            return false;
        }
        return true;
    }
    if (!value.isString() || (bRequired && value.toString().trimmed().isEmpty())) {
        *pError = QString("%1: \"%2\" must be a non-empty text").arg(strWhere, strName);
        return false;
    }
    *pValue = value.toString();
    return true;
}

bool readInt(const QJsonObject &object, const QString &strName, bool bRequired, const QString &strWhere,
             int *pValue, QString *pError)
{
    const QJsonValue value = object.value(strName);
    if (value.isUndefined()) {
        if (bRequired)
            *pError = QString("%1: missing \"%2\"").arg(strWhere, strName);
        return !bRequired;
    }
    const double d = value.toDouble(NAN);
    if (!value.isDouble() || d != std::floor(d) || std::fabs(d) > 2147483647.0) {
        *pError = QString("%1: \"%2\" must be a whole number").arg(strWhere, strName);
        return false;
    }
    *pValue = int(d);
    return true;
}

bool readPair(const QJsonObject &object, const QString &strName, const QString &strWhere, QString *pMin,
              QString *pMax, QString *pError)
{
    const QJsonValue value = object.value(strName);
    if (!value.isObject()) {
        *pError = QString("%1: \"%2\" must be an object with \"min\" and \"max\"").arg(strWhere, strName);
        return false;
    }
    return readText(value.toObject(), "min", true, strWhere + "." + strName, pMin, pError)
        && readText(value.toObject(), "max", true, strWhere + "." + strName, pMax, pError);
}

bool readList(const QJsonObject &object, const QString &strName, const QString &strWhere, QStringList *pList,
              QString *pError)
{
    const QJsonValue value = object.value(strName);
    if (!value.isArray()) {
        *pError = QString("%1: \"%2\" must be a list of file names").arg(strWhere, strName);
        return false;
    }
    for (const QJsonValue &item : value.toArray()) {
        if (!item.isString() || item.toString().isEmpty()) {
            *pError = QString("%1: \"%2\" must be a list of file names").arg(strWhere, strName);
            return false;
        }
        pList->append(item.toString());
    }
    return true;
}

// A download path is appended to the server address, so it must stay below it.
bool isSafeDownloadPath(const QString &strPath)
{
    if (strPath.isEmpty() || strPath.startsWith('/') || strPath.contains('\\') || strPath.contains("//"))
        return false;
    static const QRegularExpression allowed("^[A-Za-z0-9._/+-]+$");
    if (!allowed.match(strPath).hasMatch())
        return false;
    for (const QString &strPart : strPath.split('/')) {
        if (strPart == "." || strPart == "..")
            return false;
    }
    return true;
}

bool checkFile(const QString &strPath, const QString &strWhat, bool bPng, QString *pError)
{
    const QFileInfo info(strPath);
    if (!info.isFile() || !info.isReadable()) {
        *pError = QString("%1: file %2 does not exist or cannot be read").arg(strWhat, strPath);
        return false;
    }
    if (bPng && info.suffix().compare("png", Qt::CaseInsensitive) != 0) {
        *pError = QString("%1: %2 is not a .png file").arg(strWhat, strPath);
        return false;
    }
    return true;
}

} // namespace

QString CatalogEntry::exeBaseName() const
{
    const int iDot = strExeName.lastIndexOf('.');
    return iDot > 0 ? strExeName.left(iDot) : strExeName;
}

bool CatalogDescription::readDocument(const QString &strPath, int iDepth, QJsonObject *pObject, QString *pError)
{
    if (iDepth > 8) {
        *pError = QString("%1: \"extends\" nests too deep (a loop?)").arg(strPath);
        return false;
    }
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *pError = QString("%1: cannot read the description").arg(strPath);
        return false;
    }
    QJsonParseError parseError {};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *pError = QString("%1: not valid JSON at offset %2: %3")
                      .arg(strPath)
                      .arg(parseError.offset)
                      .arg(parseError.errorString());
        return false;
    }
    if (!document.isObject()) {
        *pError = QString("%1: the description must be a JSON object").arg(strPath);
        return false;
    }
    QJsonObject object = document.object();
    const QDir base = QFileInfo(strPath).absoluteDir();
    resolvePaths(&object, base);
    if (!object.contains("extends")) {
        *pObject = object;
        return true;
    }
    if (!object.value("extends").isString()) {
        *pError = QString("%1: \"extends\" must name a description file").arg(strPath);
        return false;
    }
    QJsonObject parent;
    if (!readDocument(absolutePath(base, object.value("extends")), iDepth + 1, &parent, pError))
        return false;
    *pObject = mergedDocument(parent, object);
    return true;
}

bool CatalogDescription::readEntry(const QJsonObject &object, const QString &strWhere, int iKind,
                                   CatalogEntry *pEntry, QString *pError)
{
    const QStringList vectAllowed = allowedFields(iKind);
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!vectAllowed.contains(it.key())) {
            *pError = QString("%1: unknown field \"%2\"").arg(strWhere, it.key());
            return false;
        }
    }
    const bool bTool = iKind == ToolKind;
    if (bTool && !readInt(object, "key", true, strWhere, &pEntry->iKey, pError))
        return false;
    if (!readInt(object, "type", bTool, strWhere, &pEntry->iType, pError))
        return false;
    const struct
    {
        const char *name;
        QString *target;
        bool bRequired;
    } texts[] = {
        {"version", &pEntry->strVersion, true},      {"chName", &pEntry->strCHName, bTool},
        {"enName", &pEntry->strENName, bTool},       {"briefCH", &pEntry->strBriefCH, bTool},
        {"briefEN", &pEntry->strBriefEN, bTool},     {"updateCH", &pEntry->strUpdateCH, false},
        {"updateEN", &pEntry->strUpdateEN, false},   {"date", &pEntry->strDate, false},
        {"exeName", &pEntry->strExeName, bTool},     {"download", &pEntry->strDownload, false},
        {"folder", &pEntry->strFolder, bTool},
    };
    for (const auto &text : texts) {
        if (!readText(object, text.name, text.bRequired, strWhere, text.target, pError))
            return false;
    }
    if (object.contains("size")) {
        if (!object.value("size").isDouble() || object.value("size").toDouble() < 0) {
            *pError = QString("%1: \"size\" must be a number of MiB").arg(strWhere);
            return false;
        }
        pEntry->dSize = object.value("size").toDouble();
    }
    if (object.contains("restricted")) {
        if (!object.value("restricted").isBool()) {
            *pError = QString("%1: \"restricted\" must be true or false").arg(strWhere);
            return false;
        }
        pEntry->bRestricted = object.value("restricted").toBool();
    }
    if (object.contains("exclude")) {
        if (!readList(object, "exclude", strWhere, &pEntry->vectExclude, pError))
            return false;
        for (QString &strOut : pEntry->vectExclude) {
            strOut = QDir::cleanPath(strOut);
            if (strOut.startsWith('/') || strOut.startsWith("..")) {
                *pError = QString("%1: \"exclude\" holds paths inside the folder").arg(strWhere);
                return false;
            }
        }
    }
    if (!bTool)
        return true;

    const QJsonValue icons = object.value("icons");
    if (!icons.isObject()) {
        *pError = QString("%1: missing \"icons\" (an object with \"min\", \"mid\" and \"max\")").arg(strWhere);
        return false;
    }
    if (!readText(icons.toObject(), "min", true, strWhere + ".icons", &pEntry->strIconMin, pError)
        || !readText(icons.toObject(), "mid", true, strWhere + ".icons", &pEntry->strIconMid, pError)
        || !readText(icons.toObject(), "max", true, strWhere + ".icons", &pEntry->strIconMax, pError))
        return false;
    if (object.contains("banner")) {
        const QJsonObject banner = object.value("banner").toObject();
        if (!readPair(banner, "zh", strWhere + ".banner", &pEntry->strBannerZhMin, &pEntry->strBannerZhMax, pError)
            || !readPair(banner, "en", strWhere + ".banner", &pEntry->strBannerEnMin, &pEntry->strBannerEnMax,
                         pError))
            return false;
    }
    if (object.contains("screenshots")) {
        const QJsonObject shots = object.value("screenshots").toObject();
        if (!readList(shots, "ch", strWhere + ".screenshots", &pEntry->vectShotsCH, pError)
            || !readList(shots, "en", strWhere + ".screenshots", &pEntry->vectShotsEN, pError))
            return false;
        if (pEntry->vectShotsCH.size() != pEntry->vectShotsEN.size()) {
            *pError = QString("%1: \"screenshots\" needs as many \"ch\" pictures as \"en\" pictures").arg(strWhere);
            return false;
        }
    }
    return true;
}

bool CatalogDescription::load(const QString &strPath, QString *pError)
{
    QJsonObject document;
    if (!readDocument(strPath, 0, &document, pError))
        return false;
    for (auto it = document.begin(); it != document.end(); ++it) {
        if (!QStringList {"material", "program", "tools", "comment"}.contains(it.key())) {
            *pError = QString("%1: unknown field \"%2\"").arg(strPath, it.key());
            return false;
        }
    }
    if (!document.value("material").isObject() || !document.value("program").isObject()
        || !document.value("tools").isArray()) {
        *pError = QString("%1: a description needs \"material\" and \"program\" objects and a \"tools\" list")
                      .arg(strPath);
        return false;
    }
    m_material = CatalogEntry();
    m_program = CatalogEntry();
    m_vectTools.clear();
    if (!readEntry(document.value("material").toObject(), "material", MaterialKind, &m_material, pError)
        || !readEntry(document.value("program").toObject(), "program", ProgramKind, &m_program, pError)) {
        *pError = strPath + ": " + *pError;
        return false;
    }
    m_material.iKey = 0;
    m_program.iKey = 1;
    // Default paths carry no version: a program asks for new material (and the server's tools) with
    // the paths of the catalog it already has, so they must still be valid on a newer server.
    if (m_material.strDownload.isEmpty())
        m_material.strDownload = QStringLiteral("material/ToolsFile.tar.gz");
    if (m_program.strExeName.isEmpty())
        m_program.strExeName = "RigWarden";
    if (m_program.strENName.isEmpty())
        m_program.strENName = "Rig Warden";
    if (m_program.strDownload.isEmpty())
        m_program.strDownload = QString("program/%1.tar.gz").arg(m_program.exeBaseName());

    const QJsonArray tools = document.value("tools").toArray();
    for (int i = 0; i < tools.size(); ++i) {
        const QString strWhere = QString("tools[%1]").arg(i);
        if (!tools[i].isObject()) {
            *pError = QString("%1: %2: must be an object").arg(strPath, strWhere);
            return false;
        }
        CatalogEntry entry;
        if (!readEntry(tools[i].toObject(), strWhere, ToolKind, &entry, pError)) {
            *pError = strPath + ": " + *pError;
            return false;
        }
        if (entry.strDownload.isEmpty())
            entry.strDownload = QString("tools/%1.tar.gz").arg(entry.exeBaseName());
        m_vectTools.append(entry);
    }
    std::sort(m_vectTools.begin(), m_vectTools.end(),
              [](const CatalogEntry &a, const CatalogEntry &b) { return a.iKey < b.iKey; });
    return true;
}

void CatalogDescription::setProgramFolder(const QString &strFolder)
{
    m_program.strFolder = QDir::cleanPath(QDir::current().absoluteFilePath(strFolder));
}

bool CatalogDescription::validate(QString *pError) const
{
    if (m_vectTools.isEmpty()) {
        *pError = "the description lists no tools";
        return false;
    }
    QSet<QString> setDownloads;
    QSet<int> setKeys;
    QSet<QString> setExeBases;
    QSet<QString> setNames;
    auto checkDownload = [&](const CatalogEntry &entry, const QString &strWhere) {
        if (!isSafeDownloadPath(entry.strDownload)) {
            *pError = QString("%1: download path \"%2\" must be relative, without \"..\", in letters, digits and ._-+/")
                          .arg(strWhere, entry.strDownload);
            return false;
        }
        if (setDownloads.contains(entry.strDownload)) {
            *pError = QString("%1: download path \"%2\" is used twice").arg(strWhere, entry.strDownload);
            return false;
        }
        setDownloads.insert(entry.strDownload);
        return true;
    };
    if (!checkDownload(m_material, "material") || !checkDownload(m_program, "program"))
        return false;
    if (m_program.strFolder.isEmpty() || !QFileInfo(m_program.strFolder).isDir()) {
        *pError = QString("program: folder \"%1\" does not exist (give \"folder\" or --program-dir)")
                      .arg(m_program.strFolder);
        return false;
    }

    for (const CatalogEntry &entry : m_vectTools) {
        const QString strWhere = QString("tool %1 (%2)").arg(entry.iKey).arg(entry.strENName);
        if (entry.iKey < 2) {
            *pError = strWhere + ": keys 0 and 1 belong to the material and the program; tools start at 2";
            return false;
        }
        if (setKeys.contains(entry.iKey)) {
            *pError = strWhere + ": key is used twice";
            return false;
        }
        setKeys.insert(entry.iKey);
        // The English name names the screenshot folder and files; the exe names the install folder.
        if (entry.strENName.contains('/') || entry.strENName.startsWith('.') || setNames.contains(entry.strENName)) {
            *pError = strWhere + ": \"enName\" must be unique and usable as a folder name";
            return false;
        }
        setNames.insert(entry.strENName);
        const QString strBase = entry.exeBaseName();
        static const QRegularExpression exePattern("^[A-Za-z0-9_+-][A-Za-z0-9._+-]*$");
        if (!exePattern.match(entry.strExeName).hasMatch() || setExeBases.contains(strBase)) {
            *pError = strWhere + QString(": \"exeName\" \"%1\" must be a unique plain file name").arg(entry.strExeName);
            return false;
        }
        setExeBases.insert(strBase);
        if (!checkDownload(entry, strWhere))
            return false;

        const QFileInfo exe(entry.strFolder + "/" + entry.strExeName);
        if (!QFileInfo(entry.strFolder).isDir()) {
            *pError = QString("%1: folder %2 does not exist").arg(strWhere, entry.strFolder);
            return false;
        }
        if (!exe.isFile() || !exe.isExecutable()) {
            *pError = QString("%1: %2 is missing or not executable").arg(strWhere, exe.filePath());
            return false;
        }
        if (!checkFile(entry.strIconMin, strWhere + " icon", false, pError)
            || !checkFile(entry.strIconMid, strWhere + " icon", false, pError)
            || !checkFile(entry.strIconMax, strWhere + " icon", false, pError))
            return false;
        for (const QString &strBanner : {entry.strBannerZhMin, entry.strBannerZhMax, entry.strBannerEnMin,
                                         entry.strBannerEnMax}) {
            if (!strBanner.isEmpty() && !checkFile(strBanner, strWhere + " banner", true, pError))
                return false;
        }
        for (const QString &strShot : entry.vectShotsCH + entry.vectShotsEN) {
            if (!checkFile(strShot, strWhere + " screenshot", true, pError))
                return false;
        }
    }
    return true;
}

} // namespace gearbay
