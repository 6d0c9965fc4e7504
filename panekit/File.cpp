#include "File.h"

#include <QDebug>
#include <QFile>

namespace vellum {

QString File::ReadAll(const QStringList &fileNames, const QString &directory)
{
    QString strDir = directory;
    if (!strDir.isEmpty() && !strDir.endsWith(QLatin1Char('/')))
        strDir += QLatin1Char('/');
    QString strAll;
    for (const QString &strName : fileNames) {
        QFile file(strDir + strName);
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning().noquote() << "File::ReadAll: cannot read" << file.fileName() << ":"
                                 << file.errorString();
            continue;
        }
        strAll += QString::fromUtf8(file.readAll());
    }
    return strAll;
}

} // namespace vellum
