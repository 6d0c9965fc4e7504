#pragma once

#include <QString>
#include <QTemporaryDir>

// A copy of the installed program folder (<build>/RigWarden after `cmake --install`) in a temporary
// directory, so an end-to-end test may change its settings and state files freely.
class InstalledProgramCopy
{
public:
    // Copies the folder; false (with a warning) when it is not installed or cannot be copied.
    bool create(const QString &strInstalledDir = QStringLiteral(RW_BUILD_DIR "/RigWarden"));
    QString path() const { return m_dir.path(); }
    QString program() const { return path() + QStringLiteral("/RigWarden"); }
    // Replaces the text of one key's Value in the copy's Setup.xml.
    bool setSetting(const QString &strKey, const QString &strValue);

private:
    QTemporaryDir m_dir;
};
