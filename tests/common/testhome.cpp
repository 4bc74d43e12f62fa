#include "common/testhome.h"

#include "app/setup.h"

#include <QDebug>
#include <QDir>

TestHome::TestHome(bool withLocalDatabase) : m_previous(qgetenv("LANTING_HOME"))
{
    qputenv("LANTING_HOME", m_dir.path().toUtf8());
    QDir(m_dir.path()).mkpath(QStringLiteral("bddat"));
    QString error;
    if (withLocalDatabase && !initLocalDatabase(localDatabase(), &error))
        qWarning() << "local database:" << error;
}

TestHome::~TestHome()
{
    if (m_previous.isEmpty())
        qunsetenv("LANTING_HOME");
    else
        qputenv("LANTING_HOME", m_previous);
}

QString TestHome::localDatabase() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("bddat/qlmdemo.mdb"));
}
