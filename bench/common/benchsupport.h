#pragma once

// Shared pieces of the benchmark programs (header only: each benchmark is one executable).
#include "data/query.h"

#include <QSqlDatabase>
#include <QString>
#include <benchmark/benchmark.h>

namespace benchsupport {

// Runs the registered benchmarks; call it once the Qt application object exists.
inline int runBenchmarks(int &argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Rooms A0004, B0001, C0002, ...: one room in four begins with each of the letters A to D.
inline bool fillRooms(const QSqlDatabase &db, int count, QString *error)
{
    Transaction transaction(db);
    const QString sql =
        QStringLiteral("insert into zf_fjb(fjbh,fjmc,fjlx,fjmj,fjzxqk,fjsb,fjyt,bjts,rzjg,yzjg,dbds,sbds,"
                       "czlx,fjzt,bzsm,yfsl,sffj,zqts,fjydzt) values(:fjbh,:fjmc,:fjlx,:fjmj,'简装',"
                       "'空调',:fjyt,5,60,:yzjg,0,0,'是','空闲','朝南',0,'是',0,'空闲')");
    for (int i = 1; i <= count; ++i) {
        Query insert(db, sql);
        insert
            .bind(QStringLiteral("fjbh"),
                  QStringLiteral("%1%2").arg(QChar(u'A' + i % 4)).arg(i, 4, 10, QLatin1Char('0')))
            .bind(QStringLiteral("fjmc"), QStringLiteral("%1号楼%2室").arg(i / 100).arg(i % 100))
            .bind(QStringLiteral("fjlx"), i % 2 ? QStringLiteral("单间") : QStringLiteral("套间"))
            .bind(QStringLiteral("fjmj"), 20 + i % 50)
            .bind(QStringLiteral("fjyt"), QStringLiteral("住宅"))
            .bind(QStringLiteral("yzjg"), 1200 + i % 7 * 100);
        if (!insert.exec()) {
            *error = insert.errorText();
            return false;
        }
    }
    return transaction.commit();
}

} // namespace benchsupport
