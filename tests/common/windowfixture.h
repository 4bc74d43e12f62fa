#pragma once

#include "app/dbhouse.h"
#include "common/scriptedprompt.h"
#include "common/testdb.h"
#include "data/query.h"

#include <QtTest>

// What a window test stands on: the data module with its main connection on a scratch database of either
// engine, and a scripted prompt that records what the window says.
struct WindowFixture
{
    explicit WindowFixture(Engine engine = Engine::Sqlite) : scratch(engine)
    {
        QVERIFY(scratch.isValid());
        QVERIFY(scratch.open(Tdbhouse::MainConnection).isOpen());
    }
    QSqlDatabase db() const { return data.adoacccon(); }
    int count(const QString &sql, const QVariantMap &params = {}) const { return scalar(db(), sql, params).toInt(); }
    QString text(const QString &sql, const QVariantMap &params = {}) const
    {
        return scalar(db(), sql, params).toString();
    }

    testdb::ScratchDatabase scratch;
    Tdbhouse data;
    ScriptedPrompt prompt;
};
