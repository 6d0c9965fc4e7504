#include "TargetPath.h"

#include <QCoreApplication>
#include <QDir>

namespace vellum {

QString GetTargetPath()
{
    // Before the application object exists there is no executable directory to ask for;
    // the working directory is the program folder then (start-up makes it so).
    const QString strBase = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                          : QDir::currentPath();
    return strBase + QStringLiteral("/plugins");
}

} // namespace vellum
