#include "app/paths.h"

#include <QCoreApplication>
#include <QDir>

QString programFolder()
{
    const QString home = qEnvironmentVariable("LANTING_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    return QCoreApplication::applicationDirPath();
}

QString localDatabasePath()
{
    return QDir(programFolder()).filePath(QStringLiteral("bddat/qlmdemo.mdb"));
}
