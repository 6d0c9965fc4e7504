#pragma once

#include <QString>
#include <string>

namespace gearbay {

// How the settings panel reads the download server's answers about the catalog material (tool key 0)
// and the program itself (tool key 1). Pure functions, so every answer code can be tried in a table.
class UpdateRules
{
public:
    // The answer to the version question (method 6).
    enum class VersionStep {
        Ignore, // the answer is not about the material
        CheckFailed, // the server could not tell its version
        DownloadMaterial, // the server has other material: fetch it
        OfferProgram, // same material, but a downloaded catalog already offers a new program
        NoNewVersion,
    };
    static VersionStep versionStep(bool bHasKey, const QString &strServerVersion,
        const std::string &strMaterialVersion, int iProgramNeedsUpdate);

    // Answers about the material download (method 1) and its progress (method 4).
    enum class MaterialStep {
        KeepPolling, // accepted, or still downloading
        Done, // 200: the new material waits in ToolsFileTemp
        NoMaterial, // 404
        Failed, // anything else
    };
    static MaterialStep materialDownloadStep(bool bHasKey, const QString &strValue);
    static MaterialStep materialProgressStep(const QString &strValue);

    // The program download's progress (method 4) as the progress dialog shows it. The bar stops at 99
    // until the server reports 200, so the dialog never completes on a download that is not installed.
    struct ProgramProgress
    {
        enum Action { Show, Complete, Fail } emAction;
        int iShown; // the bar's value for Show and Complete
    };
    static ProgramProgress programProgress(const QString &strValue);
    // The program download was accepted (method 2 answered 0).
    static bool programDownloadAccepted(const QString &strValue);

private:
    // The value as a whole number; false for text that is not one.
    static bool number(const QString &strValue, int *pValue);
};

} // namespace gearbay
