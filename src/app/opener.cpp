#include "app/opener.h"

#include <QProcess>
#include <QStandardPaths>

namespace {
Opener *s_opener = nullptr;

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(5000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}
} // namespace

bool Opener::hasHandler(const QString &path) const
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    const QString type = run(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), path});
    return !type.isEmpty() && !run(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type}).isEmpty();
}

bool Opener::open(const QString &path)
{
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    return !xdgOpen.isEmpty() && QProcess::startDetached(xdgOpen, {path});
}

Opener &Opener::current()
{
    static Opener desktop;
    return s_opener ? *s_opener : desktop;
}

void Opener::install(Opener *opener)
{
    s_opener = opener;
}
