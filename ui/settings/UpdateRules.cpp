#include "UpdateRules.h"

namespace gearbay {

bool UpdateRules::number(const QString &strValue, int *pValue)
{
    bool bOk = false;
    *pValue = strValue.trimmed().toInt(&bOk);
    return bOk;
}

UpdateRules::VersionStep UpdateRules::versionStep(bool bHasKey, const QString &strServerVersion,
    const std::string &strMaterialVersion, int iProgramNeedsUpdate)
{
    if (!bHasKey)
        return VersionStep::Ignore;
    if (strServerVersion.isEmpty())
        return VersionStep::CheckFailed;
    if (strServerVersion.toStdString() != strMaterialVersion)
        return VersionStep::DownloadMaterial;
    return iProgramNeedsUpdate == 1 ? VersionStep::OfferProgram : VersionStep::NoNewVersion;
}

UpdateRules::MaterialStep UpdateRules::materialDownloadStep(bool bHasKey, const QString &strValue)
{
    int iValue = 0;
    if (!bHasKey || !number(strValue, &iValue))
        return MaterialStep::Failed;
    if (iValue == 0)
        return MaterialStep::KeepPolling;
    return iValue == 404 ? MaterialStep::NoMaterial : MaterialStep::Failed;
}

UpdateRules::MaterialStep UpdateRules::materialProgressStep(const QString &strValue)
{
    int iValue = 0;
    if (!number(strValue, &iValue))
        return MaterialStep::Failed;
    if (iValue >= 0 && iValue <= 100)
        return MaterialStep::KeepPolling;
    if (iValue == 200)
        return MaterialStep::Done;
    return iValue == 404 ? MaterialStep::NoMaterial : MaterialStep::Failed;
}

UpdateRules::ProgramProgress UpdateRules::programProgress(const QString &strValue)
{
    int iValue = 0;
    if (!number(strValue, &iValue))
        return { ProgramProgress::Fail, 0 };
    if (iValue == 200)
        return { ProgramProgress::Complete, 100 };
    if (iValue >= 0 && iValue <= 95)
        return { ProgramProgress::Show, iValue };
    if (iValue >= 96 && iValue <= 100)
        return { ProgramProgress::Show, iValue - 1 };
    return { ProgramProgress::Fail, 0 };
}

bool UpdateRules::programDownloadAccepted(const QString &strValue)
{
    int iValue = 0;
    return number(strValue, &iValue) && iValue == 0;
}

} // namespace gearbay
