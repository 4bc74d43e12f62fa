#include "app/setup.h"

#include "app/paths.h"
#include "data/database.h"
#include "data/schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <cstdio>

namespace {
const QString SetupConnection = QStringLiteral("lanting_setup");

bool ensureSchemaOn(const ConnectionTarget &target, QString *error)
{
    bool ok = openConnection(SetupConnection, target, error);
    if (ok)
        ok = schema::ensure(QSqlDatabase::database(SetupConnection, false), error);
    closeConnection(SetupConnection);
    return ok;
}
} // namespace

bool initLocalDatabase(const QString &file, QString *error)
{
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        *error = QStringLiteral("无法创建文件夹 %1").arg(QFileInfo(file).absolutePath());
        return false;
    }
    return ensureSchemaOn(ConnectionTarget::sqliteFile(file, false), error);
}

bool initServerDatabase(const QString &serverField, QString *error)
{
    const ConnectionTarget target = ConnectionTarget::fromServerField(serverField);
    if (target.engine == Engine::Sqlite && !QDir().mkpath(QFileInfo(target.file).absolutePath())) {
        *error = QStringLiteral("无法创建文件夹 %1").arg(QFileInfo(target.file).absolutePath());
        return false;
    }
    return ensureSchemaOn(target, error);
}

int runSetupCommand(const QStringList &arguments)
{
    QString error;
    if (arguments.contains(QStringLiteral("--init-local"))) {
        const QString file = localDatabasePath();
        if (!initLocalDatabase(file, &error)) {
            std::fprintf(stderr, "本地数据库创建失败：%s\n", qPrintable(error));
            return 1;
        }
        std::printf("本地数据库已就绪：%s\n", qPrintable(file));
        return 0;
    }
    const int serverOption = arguments.indexOf(QStringLiteral("--init-server"));
    if (serverOption >= 0) {
        if (serverOption + 1 >= arguments.size()) {
            std::fprintf(stderr, "用法：lanting --init-server 主机名|IP|数据库文件\n");
            return 2;
        }
        const QString field = arguments.at(serverOption + 1);
        if (!initServerDatabase(field, &error)) {
            std::fprintf(stderr, "服务器数据库创建失败（%s）：%s\n",
                         qPrintable(ConnectionTarget::fromServerField(field).describe()), qPrintable(error));
            return 1;
        }
        std::printf("服务器数据库已就绪：%s\n", qPrintable(ConnectionTarget::fromServerField(field).describe()));
        return 0;
    }
    return -1;
}
