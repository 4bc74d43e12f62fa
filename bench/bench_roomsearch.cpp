// The room list with 5,000 rooms: opening it and answering a search must stay well under 100 ms. Measures
// the list's statement run into a grid model with every row read, on a SQLite database file.
#include "data/database.h"
#include "data/query.h"
#include "data/schema.h"
#include "rooms/roomregister.h"

#include <QCoreApplication>
#include <QSqlQueryModel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int RoomCount = 5000;

QSqlDatabase roomDatabase()
{
    static QTemporaryDir dir;
    static bool ready = false;
    const QString name = QStringLiteral("bench_rooms");
    if (!ready) {
        QString error;
        if (!openConnection(name, ConnectionTarget::sqliteFile(dir.filePath(QStringLiteral("rooms.db")), false),
                            &error) ||
            !schema::ensure(QSqlDatabase::database(name, false), &error))
            qFatal("database: %s", qPrintable(error));
        QSqlDatabase db = QSqlDatabase::database(name, false);
        Transaction transaction(db);
        const QString sql =
            QStringLiteral("insert into zf_fjb(fjbh,fjmc,fjlx,fjmj,fjzxqk,fjsb,fjyt,bjts,rzjg,yzjg,dbds,"
                           "sbds,czlx,fjzt,bzsm,yfsl,sffj,zqts,fjydzt) values(:fjbh,:fjmc,:fjlx,:fjmj,"
                           "'简装','空调',:fjyt,5,60,:yzjg,0,0,'是','空闲','朝南',0,'是',0,'空闲')");
        for (int i = 1; i <= RoomCount; ++i) {
            // Numbers A0004, B0001, C0002, ...: one room in four begins with each letter.
            const QString number = QStringLiteral("%1%2").arg(QChar(u'A' + i % 4)).arg(i, 4, 10, QLatin1Char('0'));
            Query insert(db, sql);
            insert.bind(QStringLiteral("fjbh"), number)
                .bind(QStringLiteral("fjmc"), QStringLiteral("%1号楼%2室").arg(i / 100).arg(i % 100))
                .bind(QStringLiteral("fjlx"), i % 2 ? QStringLiteral("单间") : QStringLiteral("套间"))
                .bind(QStringLiteral("fjmj"), 20 + i % 50)
                .bind(QStringLiteral("fjyt"), QStringLiteral("住宅"))
                .bind(QStringLiteral("yzjg"), 1200 + i % 7 * 100);
            if (!insert.exec())
                qFatal("room: %s", qPrintable(insert.errorText()));
        }
        transaction.commit();
        ready = true;
    }
    return QSqlDatabase::database(name, false);
}

void runInto(benchmark::State &state, const rooms::Statement &statement, int expectedRows)
{
    const QSqlDatabase db = roomDatabase();
    QSqlQueryModel model;
    for (auto _ : state) {
        QString error;
        if (!rooms::openStatement(&model, db, statement, &error)) {
            state.SkipWithError(qPrintable(error));
            return;
        }
        benchmark::DoNotOptimize(model.rowCount());
    }
    if (model.rowCount() != expectedRows)
        state.SkipWithError("unexpected row count");
    state.counters["rows"] = model.rowCount();
}

void BM_OpenRoomList(benchmark::State &state)
{
    runInto(state, rooms::RoomRegister::allRooms(), RoomCount);
}
BENCHMARK(BM_OpenRoomList)->Unit(benchmark::kMillisecond);

void BM_SearchByNumberPrefix(benchmark::State &state)
{
    // Numbers begin with A to D: one in four rooms matches.
    runInto(state, rooms::RoomRegister::search(QStringLiteral("B")), RoomCount / 4);
}
BENCHMARK(BM_SearchByNumberPrefix)->Unit(benchmark::kMillisecond);

void BM_SearchNarrow(benchmark::State &state)
{
    runInto(state, rooms::RoomRegister::search(QStringLiteral("B000")), 3);
}
BENCHMARK(BM_SearchNarrow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
